// Mouse routing: graphic controls get their mouse messages, hover and
// capture through their windowed parent.
#include "framework/control.h"

#include <windowsx.h>

namespace glyphora {

void TControl::MouseDown(TMouseButton b, unsigned shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, b, shift, x, y);
}

void TControl::MouseUp(TMouseButton b, unsigned shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, b, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

bool TrackMouseLeave(HWND wnd, bool nonClient) {
  if (!wnd) return false;
  TRACKMOUSEEVENT t{sizeof(t), DWORD(TME_LEAVE | (nonClient ? TME_NONCLIENT : 0)), wnd, 0};
  return ::TrackMouseEvent(&t) != FALSE;
}

void TWinControl::TrackLeave() {
  if (trackingLeave_ || !handle_) return;
  trackingLeave_ = TrackMouseLeave(handle_);
}

void TWinControl::SetHoverChild(TControl* child) {
  if (child == hoverChild_) return;
  TControl* old = hoverChild_;
  hoverChild_ = child;
  if (old && old->mouseInControl_) old->Perform(CM_MOUSELEAVE);
  if (child && !child->mouseInControl_) child->Perform(CM_MOUSEENTER);
}

bool TWinControl::RouteMouse(TMessage& m) {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* target = captureChild_;
  if (!target) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
      TControl* c = *it;
      if (c->IsWindowed() || !c->visible_ || !c->enabled_) continue;
      RECT r = c->BoundsRect();
      if (::PtInRect(&r, p)) {
        target = c;
        break;
      }
    }
  }
  if (m.Msg == WM_MOUSEMOVE) {
    // While a child holds the capture it is hovered only when the mouse is on it.
    TControl* hover = target;
    if (hover == captureChild_ && hover) {
      RECT r = hover->BoundsRect();
      if (!::PtInRect(&r, p)) hover = nullptr;
    }
    SetHoverChild(hover);
    TrackLeave();
  }
  if (!target) return false;
  LPARAM local = MAKELPARAM(static_cast<short>(p.x - target->left_), static_cast<short>(p.y - target->top_));
  if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
    captureChild_ = target;
    ::SetCapture(handle_);
  }
  bool up = m.Msg == WM_LBUTTONUP;
  target->Perform(m.Msg, m.WParam, local);
  if (up && captureChild_) {
    captureChild_ = nullptr;
    if (::GetCapture() == handle_) ::ReleaseCapture();
  }
  m.Result = 0;
  return true;
}

}  // namespace glyphora
