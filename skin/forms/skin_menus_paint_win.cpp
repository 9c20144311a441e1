// Painting of skinned popup menus: the popup's background (section, icon
// column, border mask, extra line), each item on a bitmap of its own over
// that background, and the popup window's frame and region.
#include <algorithm>

#include "framework/application.h"
#include "skin/core/skin_content.h"
#include "skin/forms/frame_region_win.h"
#include "skin/forms/menu_window_win.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/paint/blend.h"
#include "skin/paint/border_mask.h"
#include "skin/paint/mask_image.h"
#include "skin/paint/pixel_fill.h"
#include "skin/paint/plain_copy.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/section_text_win.h"

namespace glyphora {

namespace {

constexpr int kDefaultGlyph = 16;
// Gaps of the background when the popup's window is not known: per column
// and per column break.
constexpr int kColumnExtra = 12, kBreakGap = 4;
// The shortcut ends this far before the item's right edge.
constexpr int kShortcutRight = 8;
constexpr int kWebdingsPoints = 10;

// Where the window's client area lies in the window (0 where the popup has
// no frame of the platform's).
POINT ClientOrigin(HWND wnd) {
  RECT wr;
  POINT o{0, 0};
  if (!wnd || !::GetWindowRect(wnd, &wr) || !::ClientToScreen(wnd, &o)) return {0, 0};
  return {o.x - wr.left, o.y - wr.top};
}

int GlyphWidthOf(const TMenuItem* item) {
  const TMenuItem* parent = item ? item->Parent() : nullptr;
  const TMenuItem* first = parent && parent->Count() ? parent->Items(0) : item;
  return first && !first->Bitmap.Empty() ? first->Bitmap.Width() : kDefaultGlyph;
}

// Straight-alpha bitmap over dst at (x, y).
void BlendBitmap(TBitmap32& dst, const TBitmap32& src, int32_t x0, int32_t y0) {
  for (int32_t y = 0; y < src.Height(); ++y)
    for (int32_t x = 0; x < src.Width(); ++x) {
      if (!dst.Contains(x0 + x, y0 + y)) continue;
      const uint32_t s = src.Pixel(x, y), a = s >> 24;
      if (!a) continue;
      const uint32_t d = dst.Pixel(x0 + x, y0 + y);
      auto mix = [a](uint32_t sc, uint32_t dc) { return (sc * a + dc * (255 - a) + 127) / 255; };
      dst.SetPixel(x0 + x, y0 + y,
                   (d & 0xFF000000) | (mix((s >> 16) & 0xFF, (d >> 16) & 0xFF) << 16) |
                       (mix((s >> 8) & 0xFF, (d >> 8) & 0xFF) << 8) | mix(s & 0xFF, d & 0xFF));
    }
}

}  // namespace

int TsSkinableMenus::ExtraWidth(const TMenuItem* item, const TacMenuInfo& info) const {
  return info.HaveExtraLine && FirstColumn(item) ? owner_->MenuSupport.ExtraLineWidth : 0;
}

HFONT TsSkinableMenus::WebdingsFont() {
  if (webdings_) return webdings_.get();
  // Webdings has the four window-command glyphs; a system whose Webdings
  // lacks one of them (Wine's has no "r") takes Marlett, which has them at
  // the same characters.
  for (const wchar_t* face : {L"Webdings", L"Marlett"}) {
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(kWebdingsPoints, 96, 72);
    lf.lfCharSet = SYMBOL_CHARSET;
    wcscpy_s(lf.lfFaceName, face);
    webdings_.reset(::CreateFontIndirectW(&lf));
    WindowDC dc(nullptr);
    HGDIOBJ old = ::SelectObject(dc.get(), webdings_.get());
    WORD glyphs[4] = {};
    const bool all = ::GetGlyphIndicesW(dc.get(), L"012r", 4, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 4 &&
                     glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF && glyphs[2] != 0xFFFF && glyphs[3] != 0xFFFF;
    ::SelectObject(dc.get(), old);
    if (all) break;
  }
  return webdings_.get();
}

SIZE TsSkinableMenus::ComputedPopupSize(TMenuItem* item) {
  // Widest item plus gaps per column, the column heights: as the platform
  // lays the popup out.
  const TMenuItem* parent = item->Parent();
  if (!parent) return {0, 0};
  WindowDC dc(nullptr);
  int total = 0, colWidth = 0, colHeight = 0, maxHeight = 0;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* it = parent->Items(i);
    if (!it->Visible) continue;
    if (it->Break != TMenuBreak::mbNone && colHeight > 0) {
      total += colWidth + kColumnExtra + kBreakGap;
      maxHeight = std::max(maxHeight, colHeight);
      colWidth = colHeight = 0;
    }
    int w = 0, h = 0;
    HGDIOBJ old = ::SelectObject(dc.get(), MenuFont(it->Default));
    MeasureItem(it, dc.get(), w, h);
    ::SelectObject(dc.get(), old);
    colWidth = std::max(colWidth, w);
    colHeight += h;
  }
  total += colWidth + kColumnExtra;
  maxHeight = std::max(maxHeight, colHeight);
  return {total + 2 * BorderWidth, maxHeight + 2 * BorderWidth};
}

void TsSkinableMenus::PaintExtraLine(TBitmap32& b, int height) {
  TSkinContent& skin = owner_->Content();
  const int sbw = SkinBorderWidth();
  const TRect32 r{sbw, sbw, sbw + owner_->MenuSupport.ExtraLineWidth, height - sbw};
  const int32_t idx = skin.GetSkinIndex(extraSection_);
  if (RectWidth(r) <= 0 || RectHeight(r) <= 0 || idx < 0) return;
  PaintSection(&skin, idx, extraSection_, CacheInfoOf(&b, 0, 0), -1, -1, &b, {r.Left, r.Top}, r, 0);
  // The caption runs upwards, centred in the strip, 12 pixels above the bottom.
  TFont font = owner_->MenuSupport.ExtraLineFont;
  LOGFONTW lf{};
  ::GetObjectW(font.Handle(), sizeof(lf), &lf);
  lf.lfEscapement = lf.lfOrientation = 900;
  UniqueFont rotated(::CreateFontIndirectW(&lf));
  TDibSurface& s = item_;
  if (!rotated || !s.EnsureSize(RectWidth(r), RectHeight(r))) return;
  CopyBlock(&s.Pixels(), 0, 0, &b, r.Left, r.Top, RectWidth(r), RectHeight(r));
  HGDIOBJ old = ::SelectObject(s.DC(), rotated.get());
  ::SetBkMode(s.DC(), TRANSPARENT);
  ::SetTextColor(s.DC(), ColorToRGB(skin.gd[idx].FontColor.Color));
  SIZE ext{};
  ::GetTextExtentPoint32W(s.DC(), extraCaption_.c_str(), static_cast<int>(extraCaption_.size()), &ext);
  ::TextOutW(s.DC(), (RectWidth(r) - ext.cy) / 2, RectHeight(r) - 12, extraCaption_.c_str(),
             static_cast<int>(extraCaption_.size()));
  ::SelectObject(s.DC(), old);
  ::GdiFlush();
  CopyBlock(&b, r.Left, r.Top, &s.Pixels(), 0, 0, RectWidth(r), RectHeight(r));
}

TsSkinableMenus::TacMenuInfo* TsSkinableMenus::PrepareMenuBG(TMenuItem* item, HMENU menu, HWND wnd, int w, int h) {
  if (w <= 0 || h <= 0) return nullptr;
  auto info = std::make_unique<TacMenuInfo>();
  info->Menu = menu;
  info->Wnd = wnd;
  info->HaveExtraLine = extraLine_;
  info->Bmp = std::make_unique<TDibBitmap>(w, h);
  TBitmap32& b = info->Bmp->Pixels();
  if (b.Empty()) return nullptr;
  ::GdiFlush();
  TSkinContent& skin = owner_->Content();
  const int sbw = SkinBorderWidth();
  const int extra = info->HaveExtraLine ? owner_->MenuSupport.ExtraLineWidth : 0;
  const TRect32 all{0, 0, w, h};
  if (mainMenu_ >= 0)
    PaintSectionBackground(&skin, mainMenu_, "MAINMENU", EmptyCacheInfo(), clNoneMarker, -1, -1, &b, {0, 0}, all, 0);
  else
    FillPixels32(&b, all, ColorToRGB(clSystemColor | COLOR_MENU));
  const bool rightAligned = wnd && (::GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_RIGHT);
  if (!rightAligned && icoLine_ >= 0) {
    const TRect32 strip{extra + sbw, sbw, extra + sbw + IconColumnWidth(GlyphWidthOf(item), Margin, Spacing), h - sbw};
    if (RectWidth(strip) > 0 && RectHeight(strip) > 0 && strip.Right <= w)
      PaintSection(&skin, icoLine_, owner_->MenuSupport.IcoLineSkin, CacheInfoOf(&b, 0, 0), -1, -1, &b,
                   {strip.Left, strip.Top}, strip, 0);
  }
  if (mainMenu_ >= 0 && skin.IsValidImgIndex(skin.gd[mainMenu_].BorderIndex))
    DrawBorderMask(&b, all, true, 0, skin.ma[size_t(skin.gd[mainMenu_].BorderIndex)], CacheInfoOf(&b, 0, 0));
  if (info->HaveExtraLine) PaintExtraLine(b, h);
  cache_.push_back(std::move(info));
  TacMenuInfo* p = cache_.back().get();
  if (wnd) DrawWndBorder(wnd, *p);
  return p;
}

TsSkinableMenus::TacMenuInfo* TsSkinableMenus::GetMenuInfo(TMenuItem* item, HMENU menu, HWND wnd, const RECT&) {
  for (auto& i : cache_)
    if (i->Menu == menu && menu) {
      if (!i->Wnd && wnd) i->Wnd = wnd;
      // The popup was laid out again (a skin switch, new items): a new background.
      RECT wr;
      if (!wnd || !::GetWindowRect(wnd, &wr) ||
          (wr.right - wr.left == i->Bmp->Width() && wr.bottom - wr.top == i->Bmp->Height()))
        return i.get();
      cache_.erase(std::find(cache_.begin(), cache_.end(), i));
      break;
    }
  SIZE size{0, 0};
  RECT wr;
  if (wnd && ::GetWindowRect(wnd, &wr)) size = {wr.right - wr.left, wr.bottom - wr.top};
  else size = ComputedPopupSize(item);
  return PrepareMenuBG(item, menu, wnd, size.cx, size.cy);
}

void TsSkinableMenus::DrawItem(TMenuItem* item, const TMenuDrawArgs& a) {
  if (!Skinned()) {
    DefaultDrawMenuItem(item, a);
    return;
  }
  ResolveIndexes();
  if (owner_->ActiveControl()) owner_->ChangeActiveControl(nullptr);  // no hot button under an open menu
  HWND wnd = ::WindowFromDC(a.DC);
  if (wnd && !AdapterOf(wnd)) wnd = nullptr;  // a DC of something else (a test's bitmap)
  TacMenuInfo* info = GetMenuInfo(item, a.Menu, wnd, a.Rect);
  if (!info) {
    DefaultDrawMenuItem(item, a);
    return;
  }
  const POINT o = ClientOrigin(wnd);
  const RECT& R = a.Rect;
  const int w = R.right - R.left, h = R.bottom - R.top;
  if (w <= 0 || h <= 0) return;
  // The item's place in the popup window, for the frame painted later.
  const RECT inWindow{R.left + o.x, R.top + o.y, R.right + o.x, R.bottom + o.y};
  auto& rects = info->ItemRects;
  if (std::find_if(rects.begin(), rects.end(), [&](const RECT& r) { return EqualRect(&r, &inWindow); }) ==
      rects.end())
    rects.push_back(inWindow);
  if (!wnd && a.Menu && !borderRequestPending_) {
    // The window is found later, by its menu (a handle, never the item).
    borderRequestPending_ =
        ::PostMessageW(Application()->Handle(), kBorderRequestMsg, 0, reinterpret_cast<LPARAM>(a.Menu)) != FALSE;
  }

  const TBitmap32& B = info->Bmp->Pixels();
  const int extra = ExtraWidth(item, *info);
  const int iw = std::max(1, w - extra);
  if (!item_.EnsureSize(iw, h)) return;
  TBitmap32& out = item_.Pixels();
  // What lies behind the item.
  bgSlice_.SetSizeForOverwrite(iw, h);
  bgSlice_.Fill(0);
  CopyBlock(&bgSlice_, 0, 0, &B, inWindow.left + extra, inWindow.top, iw, h);
  CopyBlock(&out, 0, 0, &bgSlice_, 0, 0, iw, h);
  ::GdiFlush();
  const TsMenuItemType type = MenuItemTypeOf(item->Caption);
  switch (type) {
    case TsMenuItemType::smDivider:
      DrawDivider(out, bgSlice_, extra);
      break;
    case TsMenuItemType::smCaption:
      DrawCaptionItem(item, item_.DC(), out, extra, h);
      break;
    default:
      DrawNormalItem(item, a, item_.DC(), out, bgSlice_, extra);
  }
  ::GdiFlush();
  if (OnDrawItem) {
    const RECT r{0, 0, iw, h};
    OnDrawItem(item, item_.DC(), r, a.State, type);
    ::GdiFlush();
  }
  if (!item->Enabled && type != TsMenuItemType::smDivider)
    BlendOverRect(&out, &bgSlice_, 255 - kDisabledItemWeight, {0, 0, iw, h}, 0, 0);
  ::BitBlt(a.DC, R.left + extra, R.top, iw, h, item_.DC(), 0, 0, SRCCOPY);
  if (extra > 0 && item->Parent() && item->Parent()->Items(0) == item)
    ::BitBlt(a.DC, SkinBorderWidth() - o.x, SkinBorderWidth() - o.y, extra, B.Height() - 2 * SkinBorderWidth(),
             info->Bmp->DC(), SkinBorderWidth(), SkinBorderWidth(), SRCCOPY);
}

void TsSkinableMenus::DrawDivider(TBitmap32& out, const TBitmap32&, int) {
  TSkinContent& skin = owner_->Content();
  const int icon = IconColumnWidth(kDefaultGlyph, Margin, Spacing);
  // Divider lines start right of the icon column and stop short of the edge.
  const int left = std::max(Margin + Spacing, icon + 2);
  const int right = out.Width() - 2 * Margin - Spacing;
  const TRect32 line{left, 0, std::max(left, right), out.Height()};
  if (RectWidth(line) <= 0) return;
  if (divider_ >= 0 && skin.IsValidImgIndex(skin.gd[divider_].BorderIndex)) {
    PaintSection(&skin, divider_, "DIVIDERV", CacheInfoOf(&out, 0, 0), -1, -1, &out, {line.Left, line.Top}, line, 0);
    return;
  }
  TColor c = skin.SkinData.BorderColor;
  if (c == clNoneMarker) c = ColorToRGB(clBtnShadow);
  FillPixels32(&out, {line.Left, 0, line.Right, 1}, c);
}

void TsSkinableMenus::DrawCaptionItem(TMenuItem* item, HDC dc, TBitmap32& out, int, int height) {
  TSkinContent& skin = owner_->Content();
  const TRect32 r{1, 1, out.Width() - 1, height - 1};
  if (toolbar_ >= 0 && RectWidth(r) > 0 && RectHeight(r) > 0)
    PaintSection(&skin, toolbar_, "TOOLBAR", CacheInfoOf(&out, 0, 0), -1, -1, &out, {r.Left, r.Top}, r, 0);
  ::GdiFlush();
  HGDIOBJ old = ::SelectObject(dc, CaptionFont.Handle());
  const std::wstring text = CaptionItemText(item->Caption);
  if (toolbar_ >= 0)
    DrawSectionTextByIndex(dc, text, true, owner_, false, toolbar_, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX,
                           {0, 0, out.Width(), height});
  ::SelectObject(dc, old);
}

void TsSkinableMenus::DrawNormalItem(TMenuItem* item, const TMenuDrawArgs& a, HDC dc, TBitmap32& out,
                                     const TBitmap32&, int) {
  TSkinContent& skin = owner_->Content();
  const bool selected = item->Enabled && (a.State & misSelected);
  const int iw = out.Width(), h = out.Height();
  const bool rightAligned = false;
  if (menuItem_ >= 0)
    PaintSection(&skin, menuItem_, "MENUITEM", CacheInfoOf(&out, 0, 0), -1, -1, &out, {0, 0}, {0, 0, iw, h},
                 selected ? 1 : 0);
  const int state = selected ? 1 : 0;
  const int glyphW = GlyphWidthOf(item);
  if (item->Checked && item->Bitmap.Empty()) {
    const int32_t img = item->RadioItem ? radioImage_ : checkImage_;
    if (skin.IsValidImgIndex(img)) {
      const TsMaskData& m = skin.ma[size_t(img)];
      const int mw = m.ImageCount > 0 ? RectWidth(m.R) / m.ImageCount : RectWidth(m.R);
      const int mh = m.MaskType != 0 ? RectHeight(m.R) / 2 : RectHeight(m.R);
      const int x = rightAligned ? iw - 2 - mw : Margin;
      DrawMaskImage(&out, x, (h - mh) / 2, state, CacheInfoOf(&out, 0, 0), m, 1);
    }
  }
  if (!item->Bitmap.Empty()) {
    const TBitmap32& g = item->Bitmap;
    const int x = Margin, y = (h - g.Height()) / 2;
    if (item->Checked && smallButton_ >= 0) {
      const TRect32 r{x - 1, y - 1, x + g.Width() + 1, y + g.Height() + 1};
      if (r.Left >= 0 && r.Top >= 0 && r.Right <= iw && r.Bottom <= h)
        PaintSection(&skin, smallButton_, "SPEEDBUTTON_SMALL", CacheInfoOf(&out, 0, 0), -1, -1, &out, {r.Left, r.Top},
                     r, 2);
    }
    BlendBitmap(out, g, x, y);
  }
  ::GdiFlush();
  const TPopupMenu* menu = item->GetParentMenu();
  if (item->Bitmap.Empty() && menu && menu->Name == L"SysMenu" && !item->Checked) {
    // The system commands' glyphs: Webdings characters.
    const wchar_t* glyph = nullptr;
    switch (item->Tag) {
      case SC_MINIMIZE: glyph = L"0"; break;
      case SC_MAXIMIZE: glyph = L"1"; break;
      case SC_CLOSE: glyph = L"r"; break;
      case SC_RESTORE: glyph = L"2"; break;
    }
    if (glyph && menuItem_ >= 0) {
      HGDIOBJ old = ::SelectObject(dc, WebdingsFont());
      DrawSectionTextByIndex(dc, glyph, true, owner_, selected, menuItem_, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX,
                             {4, 0, 4 + glyphW, h});
      ::SelectObject(dc, old);
    }
  }
  // Caption and shortcut in the item's skinned text colours.
  HGDIOBJ old = ::SelectObject(dc, MenuFont((a.State & misDefault) || item->Default));
  const int textLeft = glyphW + 2 * Margin + Spacing;
  std::wstring caption = item->Caption;
  UINT align = Alignment == TsMenuAlignment::taRightJustify ? DT_RIGHT
               : Alignment == TsMenuAlignment::taCenter     ? DT_CENTER
                                                            : DT_LEFT;
  if (!caption.empty() && caption[0] == L'\b') {
    caption = caption.substr(1) + L"      ";
    align = DT_RIGHT;
  }
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOCLIP | align;
  if (a.State & misNoAccel) flags |= DT_HIDEPREFIX;
  const bool hot = selected || (item->Enabled && (a.State & misHotLight));
  const int32_t textSection = menuItem_ >= 0 ? menuItem_ : mainMenu_;
  if (textSection >= 0) {
    DrawSectionTextByIndex(dc, caption, true, owner_, hot, textSection, flags, {textLeft, 0, iw, h});
    const std::wstring sc = ShortCutToText(item->ShortCut);
    if (!sc.empty()) {
      SIZE ext{};
      ::GetTextExtentPoint32W(dc, sc.c_str(), static_cast<int>(sc.size()), &ext);
      const int right = iw - kShortcutRight;
      DrawSectionTextByIndex(dc, sc, true, owner_, hot, textSection, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX,
                             {right - ext.cx, 0, right, h});
    }
  }
  ::SelectObject(dc, old);
}

// ------------------------------------------------------------ the window

void TsSkinableMenus::PaintPopupFrame(HWND wnd, HDC dc, const TacMenuInfo& info, bool withGaps) {
  if (!info.Bmp || !dc) return;
  const int w = info.Bmp->Width(), h = info.Bmp->Height();
  RECT wr;
  if (!::GetWindowRect(wnd, &wr)) return;
  // The background fits the window it was made for (the frame and the
  // items' places come from it); a popup laid out again waits for its
  // next item paint.
  if (wr.right - wr.left != w || wr.bottom - wr.top != h) return;
  const POINT o = ClientOrigin(wnd);
  const int saved = ::SaveDC(dc);
  if (withGaps) {
    for (const RECT& r : info.ItemRects) ::ExcludeClipRect(dc, r.left - o.x, r.top - o.y, r.right - o.x, r.bottom - o.y);
  } else {
    const int bw = std::max(BorderWidth, SkinBorderWidth());
    ::ExcludeClipRect(dc, bw - o.x, bw - o.y, w - bw - o.x, h - bw - o.y);
  }
  ::BitBlt(dc, -o.x, -o.y, w, h, info.Bmp->DC(), 0, 0, SRCCOPY);
  ::RestoreDC(dc, saved);
}

void TsSkinableMenus::DrawWndBorder(HWND wnd, const TacMenuInfo& info) {
  if (borderDrawing_ || !wnd || !info.Bmp) return;
  struct Guard {
    bool& f;
    explicit Guard(bool& flag) : f(flag) { f = true; }
    ~Guard() { f = false; }
  } guard(borderDrawing_);
  TacMnuWnd* adapter = AdapterOf(wnd);
  if (adapter && !adapter->RegionCurrent()) {
    adapter->SetRegionCurrent(true);
    TSkinContent& skin = owner_->Content();
    const int32_t mask = mainMenu_ >= 0 ? skin.gd[mainMenu_].BorderIndex : -1;
    const std::vector<TRect32> runs = FrameRegionRuns(skin, mask, -1, info.Bmp->Width(), info.Bmp->Height());
    // A square border needs no region.
    if (!runs.empty()) {
      UniqueRegion rgn = FrameRegion(skin, mask, -1, info.Bmp->Width(), info.Bmp->Height());
      // No redraw: the frame is painted below and the items are being drawn.
      if (rgn && ::SetWindowRgn(wnd, rgn.get(), FALSE)) rgn.release();  // the window owns it now
    }
  }
  WindowDC dc(wnd, TDcArea::Whole);
  if (!dc.get()) return;
  // The whole-window DC: the frame (and the gaps) at window coordinates.
  const int saved = ::SaveDC(dc.get());
  for (const RECT& r : info.ItemRects) ::ExcludeClipRect(dc.get(), r.left, r.top, r.right, r.bottom);
  RECT wr;
  if (::GetWindowRect(wnd, &wr) && wr.right - wr.left == info.Bmp->Width() && wr.bottom - wr.top == info.Bmp->Height())
    ::BitBlt(dc.get(), 0, 0, info.Bmp->Width(), info.Bmp->Height(), info.Bmp->DC(), 0, 0, SRCCOPY);
  ::RestoreDC(dc.get(), saved);
}

}  // namespace glyphora
