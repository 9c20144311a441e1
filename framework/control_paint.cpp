// Painting: invalidation, the double-buffered WM_PAINT of our own window
// classes and the graphic children painted on their parent.
#include "framework/control.h"

#include "framework/handles.h"

namespace glyphora {

void TControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated() && visible_) {
    RECT r = BoundsRect();
    ::InvalidateRect(parent_->WindowHandle(), &r, FALSE);
  }
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TWinControl::PaintHandler(TMessage& m) {
  PaintScope paint(handle_);
  RECT rc = paint.rect();
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w > 0 && h > 0) {
    // Compose off-screen and copy once: no flicker.
    TDibBitmap buffer(w, h);
    if (buffer.DC()) {
      ::SetViewportOrgEx(buffer.DC(), -rc.left, -rc.top, nullptr);
      PaintWindow(buffer.DC());
      PaintControls(buffer.DC(), rc);
      ::SetViewportOrgEx(buffer.DC(), 0, 0, nullptr);
      ::BitBlt(paint.dc(), rc.left, rc.top, w, h, buffer.DC(), 0, 0, SRCCOPY);
    }
  }
  m.Result = 0;
}

void TWinControl::PaintControls(HDC dc, const RECT& clip) {
  for (TControl* c : controls_) {
    if (c->IsWindowed() || !c->visible_) continue;
    RECT r = c->BoundsRect(), tmp;
    if (!::IntersectRect(&tmp, &r, &clip)) continue;
    SavedDC saved(dc);
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    POINT org;
    ::GetViewportOrgEx(dc, &org);
    ::SetViewportOrgEx(dc, org.x + r.left, org.y + r.top, nullptr);
    if (c->WindowProcReplaced()) {
      c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
      continue;
    }
    TCanvas canvas(dc);
    c->Paint(canvas);
  }
}

void TWinControl::Invalidate() {
  if (handle_) ::InvalidateRect(handle_, nullptr, !PaintsOwnFace());
}

void TWinControl::Update() {
  if (handle_) ::UpdateWindow(handle_);
}

void TCustomControl::PaintWindow(HDC dc) {
  TCanvas canvas(dc);
  PaintCanvas(canvas);
}

}  // namespace glyphora
