#include "framework/window_hook.h"

#include <algorithm>
#include <stdexcept>

#include "framework/application.h"
#include "framework/control.h"
#include "framework/subclass.h"

namespace glyphora {

bool TWindowHook::Attach(HWND wnd) {
  Detach();
  return Subclass(wnd);
}

void TWindowHook::Attach(TWinControl* control) {
  Detach();
  if (!control) return;
  control_ = control;
  control->hooks_.push_back(this);
  if (control->HandleAllocated()) Subclass(control->WindowHandle());
}

void TWindowHook::Detach() {
  if (control_) {
    auto& hooks = control_->hooks_;
    hooks.erase(std::remove(hooks.begin(), hooks.end(), this), hooks.end());
    control_ = nullptr;
  }
  Unsubclass();
}

bool TWindowHook::Subclass(HWND wnd) {
  if (wnd_ == wnd) return wnd != nullptr;
  Unsubclass();
  // The hook's address is its subclass id: hooks never collide.
  if (!wnd || !AddSubclass(wnd, &SubclassProc, reinterpret_cast<UINT_PTR>(this),
                                   reinterpret_cast<DWORD_PTR>(this)))
    return false;
  wnd_ = wnd;
  return true;
}

void TWindowHook::Unsubclass() {
  if (wnd_ && ::IsWindow(wnd_)) RemoveSubclass(wnd_, &SubclassProc, reinterpret_cast<UINT_PTR>(this));
  wnd_ = nullptr;
}

void TWindowHook::CallNext(TMessage& m) {
  if (wnd_) m.Result = CallNextSubclass(wnd_, m.Msg, m.WParam, m.LParam);
}

LRESULT CALLBACK TWindowHook::SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self) {
  auto* hook = reinterpret_cast<TWindowHook*>(self);
  const bool last = msg == WM_NCDESTROY;
  // The window's last message: the hook lets go of it first (a hook of a
  // control attaches again to the control's next window), and the message
  // goes on down whatever the hook answers, so everything below can clean up.
  if (last) hook->Unsubclass();
  TMessage m{msg, wParam, lParam, 0};
  bool handled = false;
  // Exceptions never cross a window procedure. The hook may be destroyed by
  // its own handler: nothing below touches it any more.
  try {
    handled = hook->Proc && hook->Proc(m);
  } catch (const std::exception& e) {
    Application()->HandleException(e);
    handled = true;
  } catch (...) {
    Application()->HandleException(std::runtime_error("Unexpected error"));
    handled = true;
  }
  if (handled && !last) return m.Result;
  return CallNextSubclass(wnd, m.Msg, m.WParam, m.LParam);
}

}  // namespace glyphora
