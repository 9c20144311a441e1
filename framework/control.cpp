// TControl: the properties every control shares, the framework
// notifications and a graphic control's share of the messages its parent
// routes to it.
#include "framework/control.h"

#include <windowsx.h>

#include "framework/control_internal.h"
#include "framework/menus.h"

namespace glyphora {

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] {
    if (!inheritingFont_) parentFont_ = false;
    Perform(CM_FONTCHANGED);
  };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (Constraints.MinWidth > 0 && width < Constraints.MinWidth) width = Constraints.MinWidth;
  if (Constraints.MaxWidth > 0 && width > Constraints.MaxWidth) width = Constraints.MaxWidth;
  if (Constraints.MinHeight > 0 && height < Constraints.MinHeight) height = Constraints.MinHeight;
  if (Constraints.MaxHeight > 0 && height > Constraints.MaxHeight) height = Constraints.MaxHeight;
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  RECT old = BoundsRect();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (!IsWindowed() && parent_ && parent_->HandleAllocated()) {
    ::InvalidateRect(parent_->WindowHandle(), &old, FALSE);
  }
  ApplyBounds();
  BoundsChanged();
  if (align_ != TAlign::alNone) RequestAlign();
}

void TControl::ApplyBounds() { Invalidate(); }

void TControl::SetColor(TColor color) {
  if (color == color_ && !parentColor_) return;
  color_ = color;
  parentColor_ = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  if (value && parent_) {
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED);
  }
}

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  if (!IsWindowed()) {
    if (parent_ && parent_->HandleAllocated()) {
      RECT r = BoundsRect();
      ::InvalidateRect(parent_->WindowHandle(), &r, FALSE);
    }
  }
  Perform(CM_VISIBLECHANGED, value);
  Perform(CM_SHOWINGCHANGED);
  if (align_ != TAlign::alNone) RequestAlign();
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED);
}

bool TControl::Showing() const {
  if (!visible_) return false;
  if (!parent_) return IsWindowed() && static_cast<const TWinControl*>(this)->WindowHandle() &&
                       ::IsWindowVisible(static_cast<const TWinControl*>(this)->WindowHandle());
  return parent_->Showing();
}

void TControl::SetCaption(const std::wstring& text) {
  if (text == caption_) return;
  caption_ = text;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (popupMenu_) RemoveFreeNotification(popupMenu_);
  popupMenu_ = menu;
  if (menu) FreeNotification(menu);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  if (windowProc_) {
    // A copy: the method may put the previous one back while it runs.
    TMessageMethod method = windowProc_;
    method(m);
  } else {
    WndProc(m);
  }
  return m.Result;
}

TControl::TMessageMethod TControl::SetWindowProc(TMessageMethod method) {
  TMessageMethod old = std::move(windowProc_);
  windowProc_ = std::move(method);
  return old;
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_FONTCHANGED: FontChanged(); break;
    case CM_COLORCHANGED: ColorChanged(); break;
    case CM_TEXTCHANGED: TextChanged(); break;
    case CM_ENABLEDCHANGED: Invalidate(); break;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_ && !font_.SameAs(parent_->Font())) {
        inheritingFont_ = true;
        font_.Assign(parent_->Font());
        inheritingFont_ = false;
      }
      break;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED);
        parentColor_ = true;
      }
      break;
    case WM_PAINT:
      // A graphic control painted into a given context (its origin at the
      // control's top-left corner), as a skinned container does off-screen.
      if (!IsWindowed() && m.WParam) {
        TCanvas canvas(reinterpret_cast<HDC>(m.WParam));
        Paint(canvas);
      }
      break;
    case CM_MOUSEENTER: mouseInControl_ = true; break;
    case CM_MOUSELEAVE: mouseInControl_ = false; break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (!IsWindowed()) {
        mouseCaptured_ = m.Msg == WM_LBUTTONDOWN;
        MouseDown(m.Msg == WM_LBUTTONDOWN ? TMouseButton::mbLeft : TMouseButton::mbRight,
                  ShiftFromKeys(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      }
      break;
    case WM_LBUTTONDBLCLK:
      if (!IsWindowed()) {
        mouseCaptured_ = true;
        MouseDown(TMouseButton::mbLeft, ShiftFromKeys(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
        if (OnDblClick) OnDblClick(this);
      }
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (!IsWindowed()) {
        bool wasCaptured = mouseCaptured_;
        mouseCaptured_ = false;
        int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
        MouseUp(m.Msg == WM_LBUTTONUP ? TMouseButton::mbLeft : TMouseButton::mbRight, ShiftFromKeys(m.WParam), x, y);
        if (m.Msg == WM_LBUTTONUP && wasCaptured && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
      }
      break;
    case WM_MOUSEMOVE:
      if (!IsWindowed()) MouseMove(ShiftFromKeys(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      break;
  }
}

void TControl::FontChanged() {
  AdjustSize();
  Invalidate();
}

void TControl::ColorChanged() { Invalidate(); }

POINT TControl::ClientToScreen(POINT p) const {
  if (IsWindowed()) {
    HWND h = static_cast<const TWinControl*>(this)->WindowHandle();
    if (h) ::ClientToScreen(h, &p);
    return p;
  }
  if (!parent_) return p;
  return parent_->ClientToScreen(POINT{p.x + left_, p.y + top_});
}

TWinControl* TControl::TopLevel() {
  TControl* c = this;
  while (c->parent_) c = c->parent_;
  return c->IsWindowed() ? static_cast<TWinControl*>(c) : nullptr;
}

}  // namespace glyphora
