#include "skin/forms/frame_host_win.h"

#include <algorithm>

#include "skin/core/sCommonData.h"
#include "skin/core/skin_content.h"
#include "skin/forms/exborder_win.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/text32_win.h"

namespace glyphora {

TFrameImageHost::TFrameImageHost() = default;

// The derived class drops the border first: its windows ask the owner
// while they go.
TFrameImageHost::~TFrameImageHost() = default;

int TFrameImageHost::SectionState(const TSkinContent& skin, int index, bool active) {
  return active && skin.IsValidSkinIndex(index) && skin.gd[index].States > 1 ? 1 : 0;
}

const TFrameLayout& TFrameImageHost::Layout() {
  UpdateLayout();
  return layout_;
}

const TExBorderLayout& TFrameImageHost::ExLayout() {
  UpdateLayout();
  return exLayout_;
}

POINT TFrameImageHost::ImageOrigin() {
  RECT r{};
  HWND w = FrameWindow();
  if (!w || !::GetWindowRect(w, &r)) return POINT{0, 0};
  UpdateLayout();
  if (border_) return POINT{r.left - exLayout_.FormOrigin.X, r.top - exLayout_.FormOrigin.Y};
  return POINT{r.left, r.top};
}

bool TFrameImageHost::WindowFrameInput(TFrameInput& in) const {
  HWND w = FrameWindow();
  RECT wr{}, cr{};
  POINT origin{0, 0};
  if (!w || !::GetWindowRect(w, &wr) || !::GetClientRect(w, &cr) || !::ClientToScreen(w, &origin)) return false;
  in.Width = wr.right - wr.left;
  in.Height = wr.bottom - wr.top;
  in.Client = {origin.x - wr.left, origin.y - wr.top, origin.x - wr.left + cr.right, origin.y - wr.top + cr.bottom};
  in.SysBorderWidth = std::max<int32_t>(0, in.Client.Left);
  in.SysBorderHeight = std::max<int32_t>(0, in.Height - in.Client.Bottom);
  return true;
}

// ---- skin

int TFrameImageHost::GlobalImage(TSkinContent& skin, const char* name) {
  return skin.GetMaskIndex(skin.ConstData.IndexGLobalInfo, "GLOBALINFO", name);
}

void TFrameImageHost::SetButtonImages(TSkinContent& skin, const char* close, const char* max, const char* min,
                                      const char* help) {
  buttons_[cbClose].Image = GlobalImage(skin, close);
  buttons_[cbMax].Image = GlobalImage(skin, max);
  buttons_[cbMin].Image = GlobalImage(skin, min);
  buttons_[cbHelp].Image = GlobalImage(skin, help);
}

void TFrameImageHost::ResolveSkin() {
  FrameData().UpdateIndexes();
  titleIndex_ = captionIndex_ = -1;
  for (TButton& b : buttons_) b.Image = -1;
  layoutValid_ = false;
  rgnChanged_ = true;
  TSkinContent* skin = Content();
  if (skin) {
    titleIndex_ = skin->GetSkinIndex("FORMTITLE");
    captionIndex_ = skin->GetSkinIndex("CAPTION");
  }
  SkinResolved(skin);
}

// ---- frame image

bool TFrameImageHost::FrameStale() const {
  return FrameData().BGChanged || frame_.Width() != layout_.In.Width || frame_.Height() != layout_.In.Height;
}

void TFrameImageHost::PaintIfStale() {
  UpdateLayout();
  if (FrameStale()) PaintAll();
}

void TFrameImageHost::CopyFrameToWindow() {
  WindowDC dc(FrameWindow(), TDcArea::Whole);
  HDC image = FrameDC();
  if (!dc.get() || !image || frame_.Empty()) return;
  // With the extended border the window's own frame shows the frame image's
  // pixels that lie under it, seamless with the border around it.
  const TPoint32 o = border_ ? exLayout_.FormOrigin : TPoint32{};
  const int32_t winW = border_ ? exLayout_.In.FormWidth : frame_.Width();
  const int32_t winH = border_ ? exLayout_.In.FormHeight : frame_.Height();
  const TRect32 c = border_ ? exLayout_.In.FormClient : layout_.Client;
  ::GdiFlush();
  ::ExcludeClipRect(dc.get(), c.Left, c.Top, c.Right, c.Bottom);
  ::BitBlt(dc.get(), 0, 0, winW, winH, image, o.X, o.Y, SRCCOPY);
}

// ---- caption

TRect32 TFrameImageHost::PaintCaptionBar(TSkinContent& skin) {
  const TRect32& sh = layout_.In.Shadow;
  // With the extended border the caption lies inside the shadow, and a
  // skin that draws its frame from the border image (mode 1) has no
  // caption bar section of its own.
  const TRect32 band{sh.Left, sh.Top, layout_.In.Width - sh.Right, std::min(layout_.CaptionBottom, frame_.Height())};
  if (skin.IsValidSkinIndex(titleIndex_) && !(border_ && skin.SkinData.ExDrawMode == 1)) {
    PaintSection(&skin, titleIndex_, skin.gd[titleIndex_].ClassName, CacheInfoOf(&frame_, 0, 0), -1, -1, &frame_,
                 {band.Left, band.Top}, band, SectionState(skin, titleIndex_, formActive_));
  }
  return band;
}

HFONT TFrameImageHost::CaptionFont() {
  if (!captionFont_) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
      captionFont_.reset(::CreateFontIndirectW(&ncm.lfCaptionFont));
  }
  return captionFont_ ? captionFont_.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

std::wstring TFrameImageHost::Title() const {
  HWND w = FrameWindow();
  const int len = ::GetWindowTextLengthW(w);
  std::wstring text(static_cast<size_t>(std::max(len, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(std::max(::GetWindowTextW(w, text.data(), len + 1), 0)));
  return text;
}

void TFrameImageHost::DrawTitle(HDC dc, const std::wstring& text, TColor color, UINT format) {
  HFONT font = CaptionFont();
  if (!text.empty() && border_) {
    // Into the layered frame with its alpha.
    ::GdiFlush();
    DrawText32(&frame_, font, text, color, format, layout_.Text);
  } else if (!text.empty()) {
    SelectGuard selected(dc, font);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(dc, ColorToRGB(color));
    RECT tr{layout_.Text.Left, layout_.Text.Top, layout_.Text.Right, layout_.Text.Bottom};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr, format);
    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
  }
  ::GdiFlush();
}

void TFrameImageHost::PaintCaptionButtons(const TRect32& band) {
  const int32_t reach = layout_.In.SysBorderWidth + layout_.ButtonsWidth + layout_.In.Shadow.Right + 10;
  stripRect_ = ButtonStripRect(layout_.In.Width, reach, band.Bottom);
  captionButtons_.PaintButtons(frame_, layout_, stripRect_, strip_);
}

// ---- caption buttons

bool TFrameImageHost::PressCaptionButton(TMessage& m) {
  const TCaptionButtonKind k = CaptionButtonOfHitCode(static_cast<int32_t>(m.WParam));
  if (k == cbCount) return false;
  captionButtons_.Press(k);
  m.Result = 0;
  return true;
}

TCaptionButtonKind TFrameImageHost::EndCaptionPress(POINT p) {
  // The button acts only when the release is over it.
  const bool over = CaptionButtonOfHitCode(HitTestScreen(p)) == captionButtons_.Pressed();
  const TCaptionButtonKind k = captionButtons_.EndPress();
  return over ? k : cbCount;
}

bool TFrameImageHost::ButtonPaintable(TCaptionButtonKind kind) {
  return layoutValid_ && !frame_.Empty() && !FrameStale() && RectWidth(layout_.Buttons[kind]) > 0;
}

void TFrameImageHost::ReadButton(TCaptionButtonKind kind, TBitmap32& out) {
  ReadCaptionButton(frame_, layout_.Buttons[kind], out);
}

void TFrameImageHost::RenderButton(TCaptionButtonKind kind, int state, TBitmap32& out) {
  RenderCaptionButton(layout_, kind, state, frame_, strip_, stripRect_, Content(), ButtonImage(kind), formActive_, out);
}

void TFrameImageHost::PutButton(TCaptionButtonKind kind, const TBitmap32& look) {
  PutCaptionButton(frame_, layout_.Buttons[kind], look);
}

void TFrameImageHost::ShowButtons(unsigned mask) {
  HDC image = FrameDC();
  if (!mask || !image) return;
  ++frameGeneration_;
  // With the extended border the buttons lie in the border's caption part,
  // and may reach into the window's own caption.
  if (border_) border_->Update(false);
  const TPoint32 o = border_ ? exLayout_.FormOrigin : TPoint32{};
  WindowDC dc(FrameWindow(), TDcArea::Whole);
  if (!dc.get()) return;
  ::GdiFlush();
  for (int k = 0; k < cbCount; ++k) {
    if (!(mask & (1u << k))) continue;
    const TRect32& r = layout_.Buttons[k];
    ::BitBlt(dc.get(), r.Left - o.X, r.Top - o.Y, RectWidth(r), RectHeight(r), image, r.Left, r.Top, SRCCOPY);
  }
}

int32_t TFrameImageHost::ShowButtonGlow(TCaptionButtonKind kind, int32_t* slot) {
  // Only with the extended border: the glow reaches beyond the frame.
  if (!border_) return -1;
  const POINT o = ImageOrigin();
  const TRect32& r = layout_.Buttons[kind];
  return ShowCaptionButtonGlow(FrameManager(), Content(), kind, ::IsZoomed(FrameWindow()) != FALSE,
                               {o.x + r.Left, o.y + r.Top, o.x + r.Right, o.y + r.Bottom}, border_->TopWindow(), slot);
}

void TFrameImageHost::FadeCut() { FrameData().MarkBGChanged(); }

// ---- extended border

bool TFrameImageHost::OwnsWindow(HWND wnd) const {
  return wnd && (wnd == FrameWindow() || (border_ && border_->Owns(wnd)));
}

void TFrameImageHost::CheckExtendedBorder() {
  const bool want = WantsExtendedBorder();
  if (want == (border_ != nullptr)) return;
  if (!want) {
    DropExtendedBorder();
    return;
  }
  captionButtons_.RemoveGlows();  // glows show only over a border
  BorderChanging();
  border_ = std::make_unique<TacBorderForm>(*this);
  layoutValid_ = false;
  rgnChanged_ = true;
  FrameData().MarkBGChanged();
  if (::IsWindowVisible(FrameWindow())) PaintFrame();
}

void TFrameImageHost::DropExtendedBorder() {
  if (!border_) return;
  captionButtons_.RemoveGlows();  // glows show only over a border
  BorderChanging();
  border_.reset();
  FreeSpareBorderParts();  // no border wanted: none kept for later
  layoutValid_ = false;
  rgnChanged_ = true;
  FrameData().MarkBGChanged();
  HWND w = FrameWindow();
  if (!::IsWindow(w) || FrameClosing()) return;
  if (FrameSkinned()) {
    if (::IsWindowVisible(w)) PaintFrame();
  } else {
    BorderDroppedUnskinned(w);
  }
  ::RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace glyphora
