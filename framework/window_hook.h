// Hooks on windows: a hook sees a window's messages before the window's own
// procedure and before the hooks attached earlier, and either answers a
// message or passes it on. They chain through the framework's window subclassing,
// so any number of hooks (a form's skin provider, the standard-control
// adapters, scroll-bar skinning) can sit on one window, each attaching and
// detaching on its own, in any order.
#pragma once
#include <windows.h>

#include <functional>

#include "framework/messages.h"

namespace glyphora {

class TWinControl;

// Answers true when it handled the message (its answer in Result); false
// passes the message on down the chain.
using TWindowHookProc = std::function<bool(TMessage& message)>;

class TWindowHook {
 public:
  explicit TWindowHook(TWindowHookProc proc = nullptr) : Proc(std::move(proc)) {}
  ~TWindowHook() { Detach(); }
  // The hook is the subclass's identity: it neither copies nor moves.
  TWindowHook(const TWindowHook&) = delete;
  TWindowHook& operator=(const TWindowHook&) = delete;

  // Hooks any window (one created by others too) until Detach or the
  // window's destruction. False when the window cannot be hooked.
  bool Attach(HWND wnd);
  // Hooks a framework control's window: the one it has now and every one it
  // is created with later, until Detach or the control's destruction.
  void Attach(TWinControl* control);
  void Detach();

  HWND Window() const { return wnd_; }
  TWinControl* Control() const { return control_; }

  // Passes a message on down the chain below this hook and stores the
  // answer in its Result; only while this hook handles a message.
  void CallNext(TMessage& message);

  TWindowHookProc Proc;

 private:
  static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  bool Subclass(HWND wnd);
  void Unsubclass();

  HWND wnd_ = nullptr;
  TWinControl* control_ = nullptr;

  friend class TWinControl;
};

}  // namespace glyphora
