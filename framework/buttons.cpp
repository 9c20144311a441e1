#include "framework/buttons.h"

namespace glyphora {

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) {
  width_ = 23;
  height_ = 22;
  parentFont_ = true;
}

void TSpeedButton::SetState(TButtonState s) {
  if (s == state_) return;
  state_ = s;
  Invalidate();
}

void TSpeedButton::WndProc(TMessage& m) {
  TControl::WndProc(m);
  switch (m.Msg) {
    case CM_ENABLEDCHANGED:
      dragging_ = false;
      SetState(enabled_ ? TButtonState::bsUp : TButtonState::bsDisabled);
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (Flat) Invalidate();
      break;
  }
}

void TSpeedButton::MouseDown(TMouseButton b, unsigned shift, int x, int y) {
  TControl::MouseDown(b, shift, x, y);
  if (b != TMouseButton::mbLeft || !enabled_) return;
  dragging_ = true;
  SetState(TButtonState::bsDown);
}

void TSpeedButton::MouseMove(unsigned shift, int x, int y) {
  if (!dragging_) return;
  bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
  SetState(inside ? TButtonState::bsDown : TButtonState::bsUp);
}

void TSpeedButton::MouseUp(TMouseButton b, unsigned shift, int x, int y) {
  if (dragging_) {
    dragging_ = false;
    SetState(enabled_ ? TButtonState::bsUp : TButtonState::bsDisabled);
  }
  TControl::MouseUp(b, shift, x, y);
}

void TSpeedButton::Paint(TCanvas& canvas) { PaintStandard(canvas); }

void TSpeedButton::PaintStandard(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  RECT r{0, 0, width_, height_};
  bool down = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  if (Flat) {
    canvas.FillRect(r, color_);
    if (down || (mouseInControl_ && enabled_))
      ::DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else {
    ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
  }
  if (caption_.empty()) return;
  RECT tr = r;
  if (down) ::OffsetRect(&tr, 1, 1);
  SelectGuard sel(dc, font_.Handle());
  ::SetBkMode(dc, TRANSPARENT);
  UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (!enabled_) {
    RECT shadow = tr;
    ::OffsetRect(&shadow, 1, 1);
    ::SetTextColor(dc, ColorToRGB(clBtnHighlight));
    ::DrawTextW(dc, caption_.c_str(), -1, &shadow, flags);
    ::SetTextColor(dc, ColorToRGB(clBtnShadow));
  } else {
    ::SetTextColor(dc, ColorToRGB(font_.Color()));
  }
  ::DrawTextW(dc, caption_.c_str(), -1, &tr, flags);
}

}  // namespace glyphora
