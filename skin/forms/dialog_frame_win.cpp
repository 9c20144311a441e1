// The frame image of a skinned dialog: the "DIALOG" section with its border
// over the whole window, the "FORMTITLE" caption bar, icon, title and caption
// buttons, painted into the skin data's cache bitmap; the window region cut
// at the border mask's corners.
#include <algorithm>
#include <string>

#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_content.h"
#include "skin/forms/dialog_wnd_win.h"
#include "skin/forms/frame_region_win.h"
#include "skin/paint/mask_image.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/text32_win.h"

namespace glyphora {

namespace {
int SectionState(const TSkinContent& skin, int index, bool active) {
  return active && skin.IsValidSkinIndex(index) && skin.gd[index].States > 1 ? 1 : 0;
}
}  // namespace

const TFrameLayout& TacDialogWnd::Layout() {
  UpdateLayout();
  return layout_;
}

int TacDialogWnd::ButtonImage(TCaptionButtonKind kind) const { return buttons_[kind].Image; }

void TacDialogWnd::UpdateLayout() {
  if (layoutValid_) return;
  RECT wr{}, cr{};
  POINT origin{0, 0};
  if (!::GetWindowRect(wnd_, &wr) || !::GetClientRect(wnd_, &cr) || !::ClientToScreen(wnd_, &origin)) return;
  TFrameInput in;
  in.Width = wr.right - wr.left;
  in.Height = wr.bottom - wr.top;
  in.Client = {origin.x - wr.left, origin.y - wr.top, origin.x - wr.left + cr.right, origin.y - wr.top + cr.bottom};
  in.SysBorderWidth = std::max<int32_t>(0, in.Client.Left);
  in.SysBorderHeight = std::max<int32_t>(0, in.Height - in.Client.Bottom);
  in.Maximized = ::IsZoomed(wnd_);
  in.Minimized = ::IsIconic(wnd_);
  in.CaptionHeight = (dwStyle_ & WS_CAPTION) == WS_CAPTION || in.Minimized
                         ? std::max<int32_t>(0, in.Client.Top - in.SysBorderHeight)
                         : 0;
  in.Sizeable = (dwStyle_ & WS_THICKFRAME) != 0;
  in.LargeButtons = !smallButtons_;
  TDialogButtonInput bi;
  bi.Style = dwStyle_;
  bi.ExStyle = dwExStyle_;
  bi.NoClose = (::GetClassLongW(wnd_, GCL_STYLE) & CS_NOCLOSE) != 0;
  bi.Maximized = in.Maximized;
  bi.Minimized = in.Minimized;
  const TDialogButtons b = DialogButtons(bi);
  in.ButtonVisible = b.Visible;
  in.ButtonEnabled = b.Enabled;
  in.RestoreEnabled = b.RestoreEnabled;
  int32_t iconSize = 0;
  if (TSkinContent* skin = Content()) {
    std::array<int, cbCount> images{};
    for (int k = 0; k < cbCount; ++k) images[k] = ButtonImage(static_cast<TCaptionButtonKind>(k));
    SetButtonMetrics(in, *skin, images, buttons_[cbClose].Image, captionIndex_ >= 0);
    iconSize = std::min<int32_t>(::GetSystemMetrics(SM_CXSMICON), in.CaptionHeight);
  }
  layout_ = LayoutDialogFrame(in, icon_ != nullptr, iconSize);
  layoutValid_ = true;
}

void TacDialogWnd::PaintAll() {
  TSkinContent* skin = Content();
  TsCommonData& d = *skinData_;
  if (!skin) return;
  const int32_t w = layout_.In.Width, h = layout_.In.Height;
  if (w <= 0 || h <= 0) return;
  if (!d.FCacheBmp) d.FCacheBmp = std::make_unique<TDibBitmap>();
  if (d.FCacheBmp->Width() != w || d.FCacheBmp->Height() != h) d.FCacheBmp->SetSize(w, h);
  TBitmap32* px = d.CachePixels();
  if (!px || px->Empty()) return;
  frame_ = TBitmap32::View(px->ScanLine(0), w, h, px->StrideBytes());
  ::GdiFlush();
  PaintSection(skin, d.SkinIndex, d.SkinSection(), EmptyCacheInfo(), -1, -1, &frame_, {0, 0}, {0, 0, w, h},
               SectionState(*skin, d.SkinIndex, formActive_));
  if (layout_.In.CaptionHeight > 0) PaintCaption(*skin);
  d.MarkBGCurrent();
}

void TacDialogWnd::PaintCaption(TSkinContent& skin) {
  TBitmap32& pix = frame_;
  const int32_t w = layout_.In.Width;
  const TRect32 band{0, 0, w, std::min(layout_.CaptionBottom, pix.Height())};
  if (skin.IsValidSkinIndex(titleIndex_))
    PaintSection(&skin, titleIndex_, skin.gd[titleIndex_].ClassName, CacheInfoOf(&pix, 0, 0), -1, -1, &pix, {0, 0},
                 band, SectionState(skin, titleIndex_, formActive_));
  HDC dc = skinData_->CacheDC();
  if (icon_ && RectWidth(layout_.Icon) > 0) {
    const TRect32& r = layout_.Icon;
    ::DrawIconEx(dc, r.Left, r.Top, icon_, RectWidth(r), RectHeight(r), 0, nullptr, DI_NORMAL);
  }
  // Title: the caption section's font colour for the frame's state.
  const int textSection = captionIndex_ >= 0 ? captionIndex_ : titleIndex_ >= 0 ? titleIndex_ : skinData_->SkinIndex;
  TColor color = formActive_ ? TColor(clSystemColor | COLOR_CAPTIONTEXT) : clGrayText;
  const bool active = SectionState(skin, textSection, formActive_) != 0;
  if (skin.IsValidSkinIndex(textSection)) {
    const TsGeneralData& g = skin.gd[textSection];
    color = active ? g.HotFontColor.Color : g.FontColor.Color;
  }
  if (!captionFont_) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
      captionFont_.reset(::CreateFontIndirectW(&ncm.lfCaptionFont));
  }
  const int len = ::GetWindowTextLengthW(wnd_);
  std::wstring text(static_cast<size_t>(std::max(len, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(wnd_, text.data(), len + 1)));
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (dwExStyle_ & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) format |= DT_RIGHT | DT_RTLREADING;
  if (!text.empty() && skin.IsValidSkinIndex(textSection) && captionFont_) {
    const TsGeneralData& g = skin.gd[textSection];
    const int glow = active ? g.HotGlowSize : g.GlowSize;
    if (glow > 0) {
      ::GdiFlush();
      captionGlow_.Clear();  // the glow follows the text and the state: not kept
      DrawTextGlow(&pix, captionFont_.get(), text, layout_.Text, captionGlow_, active ? g.HotGlowColor : g.GlowColor,
                   glow, gsAll, format);
    }
  }
  if (!text.empty()) {
    SelectGuard font(dc, captionFont_ ? captionFont_.get() : ::GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(dc, ColorToRGB(color));
    RECT tr{layout_.Text.Left, layout_.Text.Top, layout_.Text.Right, layout_.Text.Bottom};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr, format);
    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
  }
  ::GdiFlush();
  // The finished caption behind the buttons, to repaint one button alone.
  stripRect_ = ButtonStripRect(w, layout_.In.SysBorderWidth + layout_.ButtonsWidth + 10, band.Bottom);
  strip_.SetSizeForOverwrite(RectWidth(stripRect_), RectHeight(stripRect_));
  for (int32_t y = 0; y < strip_.Height(); ++y)
    std::copy_n(pix.ScanLine(stripRect_.Top + y) + stripRect_.Left, strip_.Width(), strip_.ScanLine(y));
  for (int k = 0; k < cbCount; ++k) PaintButton(static_cast<TCaptionButtonKind>(k));
}

void TacDialogWnd::PaintButton(TCaptionButtonKind kind) {
  const TRect32& r = layout_.Buttons[kind];
  TSkinContent* skin = Content();
  TBitmap32& pix = frame_;
  if (RectWidth(r) <= 0 || !skin) return;
  // What lies behind the button: the kept caption strip.
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    for (int32_t x = r.Left; x < r.Right; ++x)
      if (pix.Contains(x, y) && strip_.Contains(x - stripRect_.Left, y - stripRect_.Top))
        pix.SetPixel(x, y, strip_.Pixel(x - stripRect_.Left, y - stripRect_.Top));
  const int image = ButtonImage(kind);
  if (!skin->IsValidImgIndex(image)) return;
  const bool enabled = kind == cbMax && layout_.In.Maximized ? layout_.In.RestoreEnabled : layout_.In.ButtonEnabled[kind];
  const int state = enabled ? buttons_[kind].State : 0;
  // Inactive frames and disabled buttons show the normal look half transparent.
  const bool faint = (!formActive_ || !enabled) && state == 0;
  TBitmap32 look;
  look.SetSizeForOverwrite(RectWidth(r), RectHeight(r));
  for (int32_t y = 0; y < look.Height(); ++y)
    for (int32_t x = 0; x < look.Width(); ++x)
      look.SetPixel(x, y, pix.Contains(r.Left + x, r.Top + y) ? pix.Pixel(r.Left + x, r.Top + y) : 0);
  DrawMaskImage(&look, 0, 0, state, CacheInfoOf(&look, 0, 0), skin->ma[image], faint ? 0 : 1);
  for (int32_t y = 0; y < look.Height(); ++y)
    for (int32_t x = 0; x < look.Width(); ++x)
      if (pix.Contains(r.Left + x, r.Top + y)) pix.SetPixel(r.Left + x, r.Top + y, look.Pixel(x, y));
}

void TacDialogWnd::PaintFrame() {
  if (!FrameSkinned()) return;
  UpdateLayout();
  if (skinData_->BGChanged || frame_.Width() != layout_.In.Width || frame_.Height() != layout_.In.Height) PaintAll();
  if (rgnChanged_) ApplyRegion();
  CopyFrameToWindow();
}

void TacDialogWnd::CopyFrameToWindow() {
  WindowDC dc(wnd_, TDcArea::Whole);
  HDC cache = skinData_->CacheDC();
  if (!dc.get() || !cache || frame_.Empty()) return;
  const TRect32& c = layout_.Client;
  ::ExcludeClipRect(dc.get(), c.Left, c.Top, c.Right, c.Bottom);
  ::BitBlt(dc.get(), 0, 0, frame_.Width(), frame_.Height(), cache, 0, 0, SRCCOPY);
}

void TacDialogWnd::ApplyRegion() {
  TSkinContent* skin = Content();
  if (!skin) return;
  rgnChanged_ = false;
  // A borderless pop-up keeps its rectangle.
  if (borderStyle_ == TacBorderStyle::acbsNone && !(dwStyle_ & WS_THICKFRAME)) return;
  UniqueRegion rgn =
      FrameRegion(*skin, skinData_->BorderIndex, titleIndex_, layout_.In.Width, layout_.In.Height);
  // Once set, the region belongs to the system.
  if (rgn && ::SetWindowRgn(wnd_, rgn.get(), FALSE)) rgn.release();
}

}  // namespace glyphora
