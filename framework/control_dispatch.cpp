// Message dispatch: the window procedures of our classes and the
// framework's subclass of native controls, default processing, the
// reflection of notifications to the child they concern, and
// TWinControl::WndProc.
#include "framework/control.h"

#include <windowsx.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "framework/application.h"
#include "framework/control_internal.h"
#include "framework/menus.h"
#include "framework/subclass.h"

namespace glyphora {

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_) return;
  if (!nativeProc_)
    m.Result = ::DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
  else if (&m == dispatching_)
    // The message the window received goes on down its subclass chain.
    m.Result = CallNextSubclass(handle_, m.Msg, m.WParam, m.LParam);
  else
    // A message performed on the control goes straight to the native class.
    m.Result = ::CallWindowProcW(nativeProc_, handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::AttachHooks() {
  for (TWindowHook* h : std::vector<TWindowHook*>(hooks_)) h->Subclass(handle_);
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* c = FromHandle(wnd);
  if (!c && msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    c = static_cast<TWinControl*>(cs->lpCreateParams);
    if (c) {
      c->handle_ = wnd;
      WindowControls()[wnd] = c;
      // Hooks see everything from here on, the creation messages included.
      c->AttachHooks();
    }
  }
  if (!c) return ::DefWindowProcW(wnd, msg, wParam, lParam);
  return Dispatch(c, wnd, msg, wParam, lParam);
}

LRESULT CALLBACK TWinControl::NativeSubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR self) {
  auto* c = reinterpret_cast<TWinControl*>(self);
  if (msg == WM_NCDESTROY) RemoveSubclass(wnd, &NativeSubclassProc, kFrameworkSubclassId);
  return Dispatch(c, wnd, msg, wParam, lParam);
}

LRESULT TWinControl::Dispatch(TWinControl* c, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  TMessage* outer = std::exchange(c->dispatching_, &m);
  try {
    c->WndProc(m);
  } catch (const std::exception& e) {
    Application()->HandleException(e);
  } catch (...) {
    Application()->HandleException(std::runtime_error("Unexpected error"));
  }
  c->dispatching_ = outer;
  if (msg == WM_NCDESTROY) {
    WindowControls().erase(wnd);
    c->nativeProc_ = nullptr;
    if (c->handle_ == wnd) c->handle_ = nullptr;
    c->hoverChild_ = c->captureChild_ = nullptr;
    c->trackingLeave_ = false;
  }
  return m.Result;
}

bool TWinControl::ReflectToChild(TMessage& m) {
  HWND child = nullptr;
  switch (m.Msg) {
    case WM_COMMAND: case WM_HSCROLL: case WM_VSCROLL:
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
      child = reinterpret_cast<HWND>(m.LParam);
      break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom; break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
      // Items of the popup menus this window owns.
      if (DispatchMenuMessage(m)) return true;
      UINT id = m.Msg == WM_DRAWITEM ? reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->CtlID
                                     : reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlID;
      // WM_MEASUREITEM arrives while the child's window is being created,
      // before we know its handle: find it by control id.
      for (TControl* c : controls_)
        if (c->IsWindowed() && static_cast<TWinControl*>(c)->ctrlId_ == id) {
          m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
          return true;
        }
      return false;
    }
    default: return false;
  }
  TWinControl* target = FromHandle(child);
  if (!target || target == this) return false;
  m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  if (m.Msg >= WM_CTLCOLORMSGBOX && m.Msg <= WM_CTLCOLORSTATIC && m.Result == 0) return false;
  return true;
}

void TWinControl::WndProc(TMessage& m) {
  if (m.Msg >= CM_BASE && m.Msg < CN_BASE) {
    TControl::WndProc(m);
    switch (m.Msg) {
      case CM_ENABLEDCHANGED:
        if (handle_) ::EnableWindow(handle_, enabled_);
        break;
      case CM_VISIBLECHANGED:
        if (handle_) ::ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
        break;
    }
    return;
  }
  if (m.Msg >= CN_BASE && m.Msg <= CN_LAST) {
    if (m.Msg >= CN_CTLCOLOREDIT && m.Msg <= CN_CTLCOLORSTATIC) {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      ::SetTextColor(dc, ColorToRGB(font_.Color()));
      ::SetBkColor(dc, ColorToRGB(color_));
      if (!brush_ || brushColor_ != ColorToRGB(color_)) {
        brushColor_ = ColorToRGB(color_);
        brush_.reset(::CreateSolidBrush(brushColor_));
      }
      m.Result = reinterpret_cast<LRESULT>(brush_.get());
    }
    return;
  }
  if (IsMouseMessage(m.Msg)) {
    if (m.Msg == WM_MOUSEMOVE && !mouseInControl_) {
      Perform(CM_MOUSEENTER);
      TrackLeave();
    }
    if (!controls_.empty() && RouteMouse(m)) return;
    if (m.Msg == WM_LBUTTONDOWN && OnMouseDown)
      OnMouseDown(this, TMouseButton::mbLeft, ShiftFromKeys(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
    if (m.Msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick(this);
    DefaultHandler(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT:
      if (PaintsOwnFace()) PaintHandler(m); else DefaultHandler(m);
      return;
    case WM_ERASEBKGND:
      if (PaintsOwnFace()) m.Result = 1; else DefaultHandler(m);
      return;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      SetHoverChild(nullptr);
      if (mouseInControl_) Perform(CM_MOUSELEAVE);
      DefaultHandler(m);
      return;
    case WM_CAPTURECHANGED:
      captureChild_ = nullptr;
      DefaultHandler(m);
      return;
    case WM_SIZE:
      DefaultHandler(m);
      if (!parent_ && m.WParam != SIZE_MINIMIZED) {
        RECT r;
        ::GetWindowRect(handle_, &r);
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
      }
      Realign();
      return;
    case WM_MOVE:
      DefaultHandler(m);
      if (!parent_ && !::IsIconic(handle_) && !::IsZoomed(handle_)) {
        RECT r;
        ::GetWindowRect(handle_, &r);
        left_ = r.left;
        top_ = r.top;
      }
      return;
    case WM_CONTEXTMENU:
      HandleContextMenu(m);
      return;
    case WM_SETCURSOR:
      if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == handle_) {
        TControl* over = hoverChild_ ? hoverChild_ : this;
        if (over->Cursor != IDC_ARROW && over->enabled_) {
          ::SetCursor(::LoadCursorW(nullptr, over->Cursor));
          m.Result = TRUE;
          return;
        }
      }
      DefaultHandler(m);
      return;
    case WM_SETFOCUS:
      DefaultHandler(m);
      Perform(CM_ENTER);
      if (OnEnter) OnEnter(this);
      return;
    case WM_KILLFOCUS:
      DefaultHandler(m);
      Perform(CM_EXIT);
      if (OnExit) OnExit(this);
      return;
    case WM_MOUSEWHEEL:
      if (Perform(CM_MOUSEWHEEL, m.WParam, m.LParam) != 0) {
        m.Result = 0;
        return;
      }
      DefaultHandler(m);
      return;
    case WM_CLOSE:
      // Closing is for top-level windows. A child passing it on to the
      // default procedure would be destroyed with all its children (the
      // rich edit sends one to its parent on Escape after a dialog key).
      if (::GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) {
        m.Result = 0;
        return;
      }
      DefaultHandler(m);
      return;
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(m.WParam);
      if (OnKeyDown) OnKeyDown(this, key, KeyboardShift());
      if (key == 0) return;
      KeyDown(key, KeyboardShift());
      if (key == 0) return;
      DefaultHandler(m);
      return;
    }
    case WM_MENUCHAR:
      if (DispatchMenuMessage(m)) return;
      DefaultHandler(m);
      return;
    default:
      if (ReflectToChild(m)) return;
      DefaultHandler(m);
  }
}

void TWinControl::HandleContextMenu(TMessage& m) {
  if (!popupMenu_) {
    DefaultHandler(m);
    return;
  }
  // A control with its own menu never shows the platform's default one; an
  // empty menu therefore offers nothing.
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (m.LParam == -1) p = ClientToScreen(POINT{4, 4});
  popupMenu_->PopupComponent = this;
  popupMenu_->Popup(p.x, p.y);
  m.Result = 0;
}

}  // namespace glyphora
