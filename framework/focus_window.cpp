#include "framework/focus_window.h"

namespace glyphora {

namespace {
// Per thread, as the focus itself is.
struct TKeptFocus {
  bool Known = false;
  HWND Wnd = nullptr;
};
thread_local TKeptFocus gFocus;
}  // namespace

HWND FocusWindow() {
  TKeptFocus& f = gFocus;
  if (!f.Known) {
    f.Wnd = ::GetFocus();
    f.Known = true;
  }
  return f.Wnd;
}

namespace focus_detail {
void Forget(HWND wnd, UINT msg) {
  TKeptFocus& f = gFocus;
  // The end of a window other than the focused one changes nothing.
  if (msg == WM_NCDESTROY && f.Known && f.Wnd != wnd) return;
  f.Known = false;
}
}  // namespace focus_detail

}  // namespace glyphora
