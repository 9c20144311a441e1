// The frame image of the form's skin provider: the form's section with its
// border, the caption bar, icon and title, and the caption buttons, painted
// into one 32-bit bitmap that the non-client output copies from.
#include <algorithm>
#include <string>

#include "framework/application.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_content.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/frame_exborder_paint_win.h"
#include "skin/forms/frame_image_win.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/text32_win.h"

namespace glyphora {

namespace {
HICON CaptionIcon(HWND wnd) {
  auto icon = reinterpret_cast<HICON>(::SendMessageW(wnd, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(wnd, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(wnd, GCLP_HICONSM));
  HWND app = Application()->Handle();
  DWORD_PTR answer = 0;
  // The application window belongs to this thread, but a window that may
  // hang is never asked without a time limit.
  if (!icon && app && app != wnd &&
      ::SendMessageTimeoutW(app, WM_GETICON, ICON_SMALL, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 100, &answer))
    icon = reinterpret_cast<HICON>(answer);
  return icon ? icon : ::LoadIconW(nullptr, IDI_APPLICATION);
}
}  // namespace

void TsSkinProvider::UpdateLayout() {
  if (layoutValid_) return;
  TFrameInput in;
  if (!WindowFrameInput(in)) return;
  HWND w = Wnd();
  const LONG style = ::GetWindowLongW(w, GWL_STYLE);
  const LONG exStyle = ::GetWindowLongW(w, GWL_EXSTYLE);
  in.CaptionHeight = (style & WS_CAPTION) == WS_CAPTION ? std::max<int32_t>(0, in.Client.Top - in.SysBorderHeight) : 0;
  in.Sizeable = (style & WS_THICKFRAME) != 0;
  in.Maximized = ::IsZoomed(w);
  in.Minimized = ::IsIconic(w);
  // Single and sizeable borders take the large buttons and show the icon.
  in.LargeButtons = !(exStyle & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME));
  // The skinned frame takes WS_SYSMENU away; what the form had decides the
  // icon and the buttons.
  const TSysMenuRules rules = SysMenuRules(SysMenuState());
  in.ShowIcon = rules.VisibleClose;
  const bool minMax = (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
  in.ButtonVisible = {rules.VisibleClose, rules.VisibleMax, rules.VisibleMin,
                      rules.VisibleClose && !minMax && (exStyle & WS_EX_CONTEXTHELP) != 0};
  in.ButtonEnabled = {true, rules.EnabledMax, rules.EnabledMin || (in.Minimized && rules.EnabledRestore), true};
  in.RestoreEnabled = rules.EnabledRestore;
  if (TSkinContent* skin = Content()) {
    std::array<int, cbCount> images{};
    for (int k = 0; k < cbCount; ++k) images[k] = ButtonImage(static_cast<TCaptionButtonKind>(k));
    SetButtonMetrics(in, *skin, images, buttons_[cbClose].Image, captionIndex_ >= 0);
    const TsSkinData& d = skin->SkinData;
    if (border_) {
      // The extended border: the layout is made in the frame image, which
      // holds the skin's wider frame and the shadow around the form.
      TsSkinManager* m = SkinData->SkinManager();
      const TExBorderInput ex = ExBorderInputOf(in, d, m ? m->FormShadowSize : TRect32{});
      exLayout_ = LayoutExBorder(ex);
      in = ExtendedFrameInput(in, exLayout_, d.ExCenterOffs);
    }
  }
  layout_ = LayoutFrame(in);
  layoutValid_ = true;
}

int TsSkinProvider::ButtonImage(TCaptionButtonKind kind) const {
  if (kind == cbMax && ::IsZoomed(Wnd()) && normImage_ >= 0) return normImage_;
  return buttons_[kind].Image;
}

void DrawCaptionIcon(TBitmap32& pix, HDC dc, const TRect32& r, HICON icon) {
  // The icon's own pixels are made opaque: a layered frame would else
  // show through wherever the platform drew them without alpha.
  TBitmap32 before(RectWidth(r), RectHeight(r));
  for (int32_t y = 0; y < before.Height(); ++y)
    for (int32_t x = 0; x < before.Width(); ++x)
      if (pix.Contains(r.Left + x, r.Top + y)) before.SetPixel(x, y, pix.Pixel(r.Left + x, r.Top + y));
  ::GdiFlush();
  ::DrawIconEx(dc, r.Left, r.Top, icon, RectWidth(r), RectHeight(r), 0, nullptr, DI_NORMAL);
  ::GdiFlush();
  for (int32_t y = 0; y < before.Height(); ++y)
    for (int32_t x = 0; x < before.Width(); ++x) {
      if (!pix.Contains(r.Left + x, r.Top + y)) continue;
      const uint32_t now = pix.Pixel(r.Left + x, r.Top + y);
      if ((now & 0xFFFFFF) != (before.Pixel(x, y) & 0xFFFFFF))
        pix.SetPixel(r.Left + x, r.Top + y, now | 0xFF000000u);
      else
        pix.SetPixel(r.Left + x, r.Top + y, before.Pixel(x, y));
    }
}

void SnapshotWindow(HWND w, const TBitmap32& frame, const TRect32& c, TBitmap32& out) {
  ::GdiFlush();
  out = frame;
  RECT cr{};
  ::GetClientRect(w, &cr);
  TDibBitmap client(cr.right, cr.bottom);
  if (!client.DC()) return;
  WindowDC dc(w);
  ::BitBlt(client.DC(), 0, 0, cr.right, cr.bottom, dc.get(), 0, 0, SRCCOPY);
  ::GdiFlush();
  const TBitmap32& px = client.Pixels();
  for (int32_t y = 0; y < px.Height(); ++y) {
    uint32_t* row = out.ScanLine(c.Top + y);
    if (!row) continue;
    for (int32_t x = 0; x < px.Width(); ++x)
      if (c.Left + x >= 0 && c.Left + x < out.Width()) row[c.Left + x] = px.Pixel(x, y) | 0xFF000000u;
  }
}

bool GrowFrameImage(TDibBitmap& cache, TBitmap32& view, int32_t w, int32_t h) {
  if (w <= 0 || h <= 0) {
    view = TBitmap32();
    return false;
  }
  if (cache.Width() < w || cache.Height() < h) {
    cache.SetSize(std::max(cache.Width(), w + w / 4), std::max(cache.Height(), h + h / 4));
    if (cache.Pixels().Empty()) {
      view = TBitmap32();
      return false;
    }
  }
  view = TBitmap32::View(cache.Pixels().ScanLine(0), w, h, cache.Pixels().StrideBytes());
  return true;
}

void TsSkinProvider::PaintAll() {
  TSkinContent* skin = Content();
  if (!skin) return;
  StopFades();
  const int32_t w = layout_.In.Width, h = layout_.In.Height;
  if (!GrowFrameImage(cache_, frame_, w, h)) return;
  TBitmap32& pix = frame_;
  ::GdiFlush();
  const int state = SectionState(*skin, SkinData->SkinIndex, formActive_);
  if (border_) {
    TExBorderTimer timer(ExBorderTimes().PaintUs);
    PaintExBorderImage(pix, exLayout_, *skin, *SkinData, formActive_, state);
    if (layout_.In.CaptionHeight > 0) PaintCaption(*skin, state);
  } else {
    PaintSection(skin, SkinData->SkinIndex, SkinData->SkinSection(), EmptyCacheInfo(), -1, -1, &pix, {0, 0},
                 {0, 0, w, h}, state);
    if (layout_.In.CaptionHeight > 0) PaintCaption(*skin, state);
  }
  SkinData->MarkBGCurrent();
  ++frameGeneration_;
}

void TsSkinProvider::PaintCaption(TSkinContent& skin, int formState) {
  TBitmap32& pix = frame_;
  const TRect32 band = PaintCaptionBar(skin);
  HDC dc = cache_.DC();
  if (RectWidth(layout_.Icon) > 0) DrawCaptionIcon(pix, dc, layout_.Icon, CaptionIcon(Wnd()));

  // Title: the caption section's font colour for the frame state, cut with
  // an ellipsis when it does not fit.
  const int textSection = captionIndex_ >= 0 ? captionIndex_ : titleIndex_ >= 0 ? titleIndex_ : SkinData->SkinIndex;
  TColor color = clWindowText;
  if (skin.IsValidSkinIndex(textSection)) {
    const TsGeneralData& g = skin.gd[textSection];
    color = SectionState(skin, textSection, formActive_) ? g.HotFontColor.Color : g.FontColor.Color;
  } else if (formState == 0) {
    color = clGrayText;
  }
  CaptionFont();
  const std::wstring text = Title();
  constexpr UINT kFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (!text.empty() && skin.IsValidSkinIndex(textSection)) {
    // A glow behind the text when the section gives one for this state.
    const TsGeneralData& g = skin.gd[textSection];
    const bool active = SectionState(skin, textSection, formActive_) != 0;
    const int glow = active ? g.HotGlowSize : g.GlowSize;
    if (glow > 0 && captionFont_) {
      // The mask is made for the text's own box, so a caption that grows
      // or shrinks keeps it; only a text cut to fit depends on the width.
      TRect32 box = layout_.Text;
      RECT ext{0, 0, 0, 0};
      {
        SelectGuard font(dc, captionFont_.get());
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &ext, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
      }
      if (ext.right <= RectWidth(box)) {
        box.Right = box.Left + ext.right;
        box.Top = layout_.Text.Top + (RectHeight(layout_.Text) - ext.bottom) / 2;  // as DT_VCENTER places it
        box.Bottom = box.Top + ext.bottom;
      }
      ::GdiFlush();
      if (DrawTextGlow(&pix, captionFont_.get(), text, box, captionGlow_[active ? 0 : 1],
                       active ? g.HotGlowColor : g.GlowColor, glow, gsAll, kFormat))
        ++glowMasksMade_;
    }
  }
  DrawTitle(dc, text, color, kFormat);
  PaintCaptionButtons(band);
}

}  // namespace glyphora
