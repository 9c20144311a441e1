#include "skin/controls/sPanel.h"

#include <algorithm>
#include <vector>

#include "base/color_ops.h"
#include "framework/handles.h"
#include "skin/core/manager_rules.h"
#include "skin/core/sSkinManager.h"
#include "skin/paint/border_mask.h"
#include "skin/paint/graphic_children_win.h"
#include "skin/paint/pixel_fill.h"
#include "skin/paint/plain_copy.h"
#include "skin/paint/section_paint_win.h"
#include "skin/paint/section_text_win.h"
#include "skin/paint/skin_data_paint_win.h"

namespace glyphora {

namespace {

bool EmptyClip(HDC dc, RECT& clip) {
  const int kind = ::GetClipBox(dc, &clip);
  return kind == ERROR || kind == NULLREGION || clip.right <= clip.left || clip.bottom <= clip.top;
}

}  // namespace

bool TsPanel::UsesCache() const {
  return (SkinData->CachedMode() && !SkinData->CustomColor) || FormAnimationRunning();
}

// The caption sits inside the border and bevels, where children align.
RECT TsPanel::CaptionRect() const { return TCustomPanel::AlignRect(); }

void TsPanel::PrepareCache() {
  if (!UsesCache()) return;
  if (!PaintSectionIntoCache(*SkinData, 0)) return;
  ++cachePaints_;
  WriteText(CaptionRect(), nullptr, SkinData->CacheDC());
  if (OnPaint) {
    TCanvas canvas(SkinData->CacheDC());
    OnPaint(this, canvas);
  }
  ::GdiFlush();
  // The whole cache is new: nothing in it is stale, whatever covered the
  // panel before. A panel that children cover entirely is never painted
  // with a clip of its own, so otherwise it would repaint its whole cache
  // each time a child asks for its background.
  SkinData->MarkBGCurrent();
  SkinData->HalfVisible = false;
}

void TsPanel::WriteText(const RECT& r, TCanvas* canvas, HDC dc) {
  if (caption_.empty()) return;
  HDC target = canvas ? canvas->Handle() : dc;
  if (!target) return;
  UINT flags = DT_VCENTER | DT_EXPANDTABS;
  flags |= Alignment == TAlignment::taCenter ? DT_CENTER : Alignment == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT;
  SelectGuard sel(target, font_.Handle());
  RECT calc = r;
  ::DrawTextW(target, caption_.c_str(), int(caption_.size()), &calc, flags | DT_WORDBREAK | DT_CALCRECT);
  const int height = calc.bottom - calc.top;
  RECT place = r;
  place.top = (r.bottom - r.top - height) / 2 + BorderWidth;
  place.bottom = place.top + height;
  ::SetTextColor(target, ColorToRGB(font_.Color()));
  DrawSectionText(target, caption_, enabled_, false, *SkinData, flags | DT_WORDBREAK,
                  {place.left, place.top, place.right, place.bottom});
}

void TsPanel::PaintBorderIntoCache(TColor color, int32_t b, const TacParentBG& bg, RECT& interior) {
  SkinData->CheckCacheSize();
  TBitmap32* px = SkinData->CachePixels();
  TSkinContent* skin = SkinData->Skin();
  const int32_t w = width_, h = height_;
  interior = RECT{b, b, std::max(b, w - b), std::max(b, h - b)};
  if (!px || px->Empty()) return;
  ::GdiFlush();
  // Only the frame strips of width b are copied to the screen (the
  // interior is filled there directly), so only they are painted: a
  // maximised main panel would otherwise fill megabytes for a 6-pixel frame.
  const TRect32 strips[4] = {{0, 0, w, b}, {0, std::max(b, h - b), w, h}, {0, b, b, std::max(b, h - b)},
                             {std::max(b, w - b), b, w, std::max(b, h - b)}};
  if (!skin || !skin->IsValidImgIndex(SkinData->BorderIndex)) {
    // No border image: a plain frame of width b.
    for (const TRect32& s : strips) FillPixels32(px, s, color);
    return;
  }
  const TsMaskData& m = skin->ma[size_t(SkinData->BorderIndex)];
  TCacheInfo ci{nullptr, 0, 0, color, false};
  if (bg.Kind == bgkCache && bg.Bmp) {
    for (const TRect32& s : strips)
      CopyBlock(px, s.Left, s.Top, bg.Bmp, bg.Offset.X + left_ + s.Left, bg.Offset.Y + top_ + s.Top, RectWidth(s),
                RectHeight(s));
    ci = CacheInfoOf(px, 0, 0);
  } else {
    for (const TRect32& s : strips) FillPixels32(px, s, color);
  }
  const TsGeneralData* g = SkinData->Section();
  const int state = std::min(0, g ? g->States - 1 : 0);
  DrawBorderMask(px, {0, 0, w, h}, false, state, m, ci);
  // The bands between each mask width and b take the colour.
  const TRect32 in{m.WL, m.WT, w - m.WR, h - m.WB};
  const TRect32 bands[4] = {{in.Left, in.Top, in.Right, b}, {in.Left, h - b, in.Right, in.Bottom},
                            {in.Left, in.Top, b, in.Bottom}, {w - b, in.Top, in.Right, in.Bottom}};
  for (const TRect32& band : bands)
    if (band.Right > band.Left && band.Bottom > band.Top) FillPixels32(px, band, color);
}

void TsPanel::PaintFast(HDC dc, const RECT& clip) {
  SkinData->SetUpdating(false);
  const int32_t b = SkinData->MaxBorderWidth();
  const RECT whole{0, 0, width_, height_};
  {
    SavedDC saved(dc);
    ExcludeGraphicChildren(dc, this, 0, 0);
    TacParentBG bg;
    if (SkinData->CustomColor) {
      bg.Kind = bgkFill;
      bg.Color = ColorToRGB(color_);
    } else if (parent_) {
      bool please = false;
      RequestControlBG(bg, parent_, please);
    } else {
      bg.Kind = bgkFill;
      bg.Color = SkinData->GetBGColor(0);
    }
    const TsStateLook look = SkinData->StateLook(0);
    const TColor own = SkinData->CustomColor ? ColorToRGB(color_) : look.Color;
    const TColor parentColor = bg.Kind == bgkFill ? ColorToRGB(bg.Color) : SkinData->GetBGColor(0);
    RECT interior = whole;
    if (look.Transparency == 100 && bg.Kind == bgkCache && bg.Bmp) {
      if (!SkinData->FUpdating) {
        if (b > 0) {
          PaintBorderIntoCache(parentColor, b, bg, interior);
          ::GdiFlush();
          CopyDcFrame(dc, 0, 0, width_, height_, SkinData->CacheDC(), 0, 0, b);
        }
        DrawBitmap32(dc, interior.left, interior.top, *bg.Bmp, bg.Offset.X + left_ + interior.left,
                     bg.Offset.Y + top_ + interior.top, interior.right - interior.left, interior.bottom - interior.top);
      }
    } else {
      const TColor color = look.Transparency <= 0     ? own
                           : look.Transparency >= 100 ? parentColor
                                                      : MixTransparentColor(parentColor, own, look.Transparency);
      if (b > 0) {
        PaintBorderIntoCache(color, b, bg, interior);
        FillDcRect(dc, {interior.left, interior.top, interior.right, interior.bottom}, color);
        ::GdiFlush();
        CopyDcFrame(dc, 0, 0, width_, height_, SkinData->CacheDC(), 0, 0, b);
      } else {
        FillDcRect(dc, {clip.left, clip.top, clip.right, clip.bottom}, color);
      }
    }
    TCanvas canvas(dc);
    WriteText(CaptionRect(), &canvas, nullptr);
    if (OnPaint) OnPaint(this, canvas);
    SkinData->MarkBGCurrent();
  }
  PaintGraphicChildren(dc, this, true, {0, 0});
}

void TsPanel::OurPaint(HDC dc, bool sendUpdated) {
  if (!Showing() || !SkinData->Skinned()) return;
  if (!dc) {
    if (!handle_) return;
    WindowDC own(handle_);
    OurPaint(own.get(), sendUpdated);
    return;
  }
  const bool notify = sendUpdated && !PaintingCopy() && !FormAnimationRunning();
  RECT clip;
  if (EmptyClip(dc, clip)) {
    // Nothing to show, but the state moves on as after a paint: the cache
    // is brought up to date and children waiting for it are told.
    if (UsesCache()) {
      if ((SkinData->BGChanged || SkinData->HalfVisible) && !SkinData->Updating()) PrepareCache();
    } else {
      SkinData->MarkBGCurrent();
    }
    if (notify) NotifyChildrenParentUpdated(this);
    return;
  }
  if (UsesCache()) {
    SkinData->SetUpdating(SkinData->Updating());
    if (SkinData->FUpdating) return;
    const bool due = SkinData->HalfVisible || SkinData->BGChanged;
    if (due && !SkinData->UrgentPainting) PrepareCache();
    if (SkinData->RepaintIfMoved())
      SkinData->HalfVisible = clip.left > 0 || clip.top > 0 || clip.right < width_ || clip.bottom < height_;
    else
      SkinData->HalfVisible = false;
    CopyCacheExcludingChildren(dc, this, *SkinData, RECT{0, 0, width_, height_});
    PaintGraphicChildren(dc, this, true, {0, 0});
  } else {
    PaintFast(dc, clip);
  }
  if (notify) NotifyChildrenParentUpdated(this);
}

void TsPanel::PaintWindow(HDC dc) {
  // The framework's double-buffered paint of an unskinned panel.
  if (!(PaintingCopy() && SkinData->Skinned())) TPanel::PaintWindow(dc);
  OurPaint(dc, true);
}

void TsPanel::PaintCanvas(TCanvas& canvas) {
  if (SkinData->Skinned()) return;
  TPanel::PaintCanvas(canvas);
  if (OnPaint && Showing()) OnPaint(this, canvas);
}

void TsPanel::RedrawNow() {
  if (handle_)
    ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

void TsPanel::HandleSkinCommand(TMessage& m) {
  const bool own = SkinCommandForManager(m, SkinData->SkinManager());
  switch (SkinCommandCode(m.WParam)) {
    case SKC_SETNEWSKIN:
      SetOpaqueStyle(false);
      RelayToChildren(this, m.Msg, m.WParam, m.LParam);
      if (own) SkinData->HandleSkinCommand(m);
      return;
    case SKC_REMOVESKIN:
      SetOpaqueStyle(false);
      if (own) {
        SkinData->HandleSkinCommand(m);
        Invalidate();
      }
      RelayToChildren(this, m.Msg, m.WParam, m.LParam);
      return;
    case SKC_REFRESH:
      if (own) {
        SkinData->HandleSkinCommand(m);
        if (handle_ && visible_ && !Loading())
          ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
      }
      RelayToChildren(this, m.Msg, m.WParam, m.LParam);
      return;
    case SKC_GETBG: {
      if (!SkinCommandFromProgram(m)) return;
      auto* info = reinterpret_cast<TacParentBG*>(m.LParam);
      if (!info) return;
      if (SkinData->SkinIndex >= 0) {
        if ((SkinData->BGChanged || SkinData->HalfVisible) && !SkinData->Updating()) {
          const TsStateLook look = SkinData->StateLook(0);
          // A see-through section has nothing of its own to cache unless its
          // border needs the background behind it.
          if (look.Transparency != 100 || SkinData->MaxBorderWidth() > 0) PrepareCache();
        }
      }
      SkinData->FillParentBG(*info, 0);
      m.Result = 1;
      return;
    }
    case SKC_PARENTUPDATED:
      if (SkinData->FUpdating) {
        SkinData->SetUpdating(false);
        SkinData->SetUpdating(SkinData->Updating());
        if (!SkinData->FUpdating) RedrawNow();
      }
      NotifyChildrenParentUpdated(this);
      return;
    case SKC_ISUPDATING:
      m.Result = SkinData->Updating() ? 1 : 0;
      return;
    default:
      SkinData->HandleSkinCommand(m);
      switch (SkinCommandCode(m.WParam)) {
        case SKC_STOPFADING: case SKC_UPDATESECTION:
          RelayToChildren(this, m.Msg, m.WParam, m.LParam);
          break;
      }
  }
}

bool TsPanel::HandleSkinnedMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: {
      if (!visible_) return false;
      PaintScope paint(handle_);
      SkinData->SetUpdating(SkinData->Updating());
      if (UsesCache() || !ParentBackground()) OurPaint(paint.dc(), true);
      m.Result = 0;
      return true;
    }
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      if (m.WParam && m.WParam == WPARAM(m.LParam)) {
        // A child asks for the panel's background in its own context.
        if (SkinData->BGChanged) PrepareCache();
        if (!SkinData->BGChanged) {
          if (UsesCache()) {
            ::GdiFlush();
            ::BitBlt(dc, 0, 0, width_, height_, SkinData->CacheDC(), 0, 0, SRCCOPY);
          } else {
            FillDcRect(dc, {0, 0, width_, height_}, SkinData->GetBGColor(0));
          }
        }
      } else {
        SkinData->SetUpdating(SkinData->Updating());
        // WM_PAINT paints the whole face; only a panel that leaves it to the
        // background erase paints here.
        if (!UsesCache() && ParentBackground() && !SkinData->FUpdating) OurPaint(dc, true);
      }
      m.Result = 1;
      return true;
    }
    case WM_PRINT: {
      SkinData->SetUpdating(false);
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      PaintingCopyScope copy(this);
      if (!UsesCache()) SkinData->CheckCacheSize();
      SkinData->MarkBGChanged();
      if (UsesCache()) PrepareCache();
      OurPaint(dc, false);
      m.Result = 0;
      return true;
    }
    case WM_SIZE:
      SkinData->MarkBGChanged();
      return false;
    case WM_WINDOWPOSCHANGING:
      if (SkinData->StateLook(0).Transparency != 0) SkinData->MarkBGChanged();
      return false;
    case CM_VISIBLECHANGED:
      SkinData->MarkBGChanged();
      SkinData->SetUpdating(false);
      TPanel::WndProc(m);
      return true;
    case CM_COLORCHANGED:
      if (SkinData->CustomColor) SkinData->MarkBGChanged();
      return false;
    case CM_TEXTCHANGED:
      if (parent_) {
        SkinData->Invalidate();
        return true;
      }
      return false;
    case WM_SETFOCUS: case WM_KILLFOCUS:
      TPanel::WndProc(m);
      return true;
  }
  return false;
}

void TsPanel::WndProc(TMessage& m) {
  if (m.Msg == SM_ALPHACMD) {
    HandleSkinCommand(m);
    return;
  }
  const bool skinned = SkinData->Skinned() && handle_ && !Loading() && !Destroying() && parent_;
  if (!(skinned && HandleSkinnedMessage(m))) {
    if (!skinned && m.Msg == WM_ERASEBKGND && OnPaint) {
      m.Result = 1;
    } else if (!skinned && m.Msg == WM_PRINT && OnPaint) {
      TCanvas canvas(reinterpret_cast<HDC>(m.WParam));
      PaintingCopyScope copy(this);
      TPanel::PaintCanvas(canvas);
      OnPaint(this, canvas);
    } else {
      SkinData->HandleFrameworkMessage(m);
      TPanel::WndProc(m);
      if (skinned && m.Msg == WM_SETFONT && !caption_.empty()) {
        SkinData->MarkBGChanged();
        Invalidate();
      }
      if (skinned && m.Msg == CM_ENABLEDCHANGED) SkinData->Invalidate();
    }
  }
  if (m.Msg == CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(this);
  if (m.Msg == CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
}

}  // namespace glyphora
