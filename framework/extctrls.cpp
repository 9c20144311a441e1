#include "framework/extctrls.h"

#include <algorithm>

namespace glyphora {

// ------------------------------------------------------------------ panel

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  width_ = 185;
  height_ = 41;
}

RECT TCustomPanel::AlignRect() const {
  RECT r = ClientRect();
  int inset = BorderWidth;
  if (BevelOuter != TBevelCut::bvNone) inset += BevelWidth;
  if (BevelInner != TBevelCut::bvNone) inset += BevelWidth;
  ::InflateRect(&r, -inset, -inset);
  return r;
}

void TCustomPanel::DrawBevels(TCanvas& canvas, RECT& r) {
  auto bevel = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    TColor tl = cut == TBevelCut::bvRaised ? clBtnHighlight : clBtnShadow;
    TColor br = cut == TBevelCut::bvRaised ? clBtnShadow : clBtnHighlight;
    for (int i = 0; i < BevelWidth; ++i) {
      canvas.FillRect(RECT{r.left, r.top, r.right - 1, r.top + 1}, tl);
      canvas.FillRect(RECT{r.left, r.top, r.left + 1, r.bottom - 1}, tl);
      canvas.FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, br);
      canvas.FillRect(RECT{r.right - 1, r.top, r.right, r.bottom}, br);
      ::InflateRect(&r, -1, -1);
    }
  };
  bevel(BevelOuter);
  r.left += BorderWidth; r.top += BorderWidth; r.right -= BorderWidth; r.bottom -= BorderWidth;
  bevel(BevelInner);
}

void TCustomPanel::PaintCanvas(TCanvas& canvas) {
  RECT r = ClientRect();
  canvas.FillRect(r, color_);
  DrawBevels(canvas, r);
  if (!caption_.empty()) {
    SelectGuard sel(canvas.Handle(), font_.Handle());
    ::SetBkMode(canvas.Handle(), TRANSPARENT);
    ::SetTextColor(canvas.Handle(), ColorToRGB(enabled_ ? font_.Color() : clGrayText));
    UINT align = Alignment == TAlignment::taCenter ? DT_CENTER : Alignment == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT;
    ::DrawTextW(canvas.Handle(), caption_.c_str(), static_cast<int>(caption_.size()), &r,
                align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

// ------------------------------------------------------------------ label

TCustomLabel::TCustomLabel(TComponent* owner) : TControl(owner) {
  parentColor_ = true;
  width_ = 65;
  height_ = 17;
}

std::wstring TCustomLabel::DisplayText() const {
  size_t nul = caption_.find(L'\0');
  return nul == std::wstring::npos ? caption_ : caption_.substr(0, nul);
}

UINT TCustomLabel::DrawFlags() const {
  UINT f = DT_EXPANDTABS;
  if (!ShowAccelChar) f |= DT_NOPREFIX;
  if (Alignment == TAlignment::taCenter) f |= DT_CENTER;
  if (Alignment == TAlignment::taRightJustify) f |= DT_RIGHT;
  return f;
}

void TCustomLabel::AdjustSize() {
  if (!AutoSize || Loading()) return;
  WindowDC screen(nullptr);
  SelectGuard sel(screen.get(), font_.Handle());
  std::wstring text = DisplayText();
  // An empty caption still takes one line of height.
  if (text.empty()) text = L" ";
  RECT r{0, 0, 0, 0};
  ::DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &r, DrawFlags() | DT_CALCRECT);
  if (DisplayText().empty()) r.right = 0;
  SetBounds(left_, top_, r.right, r.bottom);
}

void TCustomLabel::Loaded() {
  TControl::Loaded();
  AdjustSize();
}

void TCustomLabel::TextChanged() {
  AdjustSize();
  Invalidate();
}

void TCustomLabel::Paint(TCanvas& canvas) {
  RECT r{0, 0, width_, height_};
  if (!Transparent) canvas.FillRect(r, color_);
  std::wstring text = DisplayText();
  if (text.empty()) return;
  HDC dc = canvas.Handle();
  SelectGuard sel(dc, font_.Handle());
  ::SetBkMode(dc, TRANSPARENT);
  if (!enabled_) {
    RECT shadow = r;
    ::OffsetRect(&shadow, 1, 1);
    ::SetTextColor(dc, ColorToRGB(clBtnHighlight));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, DrawFlags());
    ::SetTextColor(dc, ColorToRGB(clBtnShadow));
  } else {
    ::SetTextColor(dc, ColorToRGB(font_.Color()));
  }
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags());
}

// --------------------------------------------------------------- splitter

TSplitter::TSplitter(TComponent* owner) : TControl(owner) {
  align_ = TAlign::alLeft;
  width_ = 3;
  height_ = 100;
  Cursor = IDC_SIZEWE;
}

void TSplitter::Paint(TCanvas& canvas) {
  // The splitter shows its parent's face; only the cursor tells it apart.
}

TControl* TSplitter::FindControl() const {
  if (!parent_) return nullptr;
  for (TControl* c : parent_->Controls()) {
    if (c == this || !c->Visible() || c->Align() != align_) continue;
    if (align_ == TAlign::alLeft && c->Left() + c->Width() == left_) return c;
    if (align_ == TAlign::alRight && c->Left() == left_ + width_) return c;
  }
  return nullptr;
}

void TSplitter::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  TControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !enabled_) return;
  resizing_ = FindControl();
  if (!resizing_) return;
  downX_ = ClientToScreen(POINT{x, y}).x;
  startWidth_ = resizing_->Width();
}

void TSplitter::MouseMove(unsigned shift, int x, int y) {
  if (!resizing_ || !(shift & ssLeft)) return;
  int delta = ClientToScreen(POINT{x, y}).x - downX_;
  int w = startWidth_ + (align_ == TAlign::alLeft ? delta : -delta);
  w = std::max(w, MinSize);
  resizing_->SetWidth(w);
}

void TSplitter::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
  TControl::MouseUp(button, shift, x, y);
  resizing_ = nullptr;
}

}  // namespace glyphora
