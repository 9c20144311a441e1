// The window of this thread that has the keyboard focus, as GetFocus would
// answer, without asking the window server every time: painting asks it for
// every skinned control and every list row (is the control hot?), and under
// Wine each GetFocus is a round trip to the server.
//
// The answer is kept until a window of the program is told of a focus
// change. A change that concerns a window of the program always reaches it
// (WM_KILLFOCUS to the window losing the focus, WM_SETFOCUS to the one
// gaining it), so the kept answer is right for every window of the program;
// for windows of others it may be old, which no caller asks about.
#pragma once
#include <windows.h>

namespace glyphora {

HWND FocusWindow();

namespace focus_detail {
void Forget(HWND wnd, UINT msg);
}  // namespace focus_detail

// Told of every message a window of the program receives, before anyone
// handles it: focus messages (and the end of the window kept) drop the
// kept answer.
inline void NoteFocusMessage(HWND wnd, UINT msg) {
  if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS || msg == WM_NCDESTROY) focus_detail::Forget(wnd, msg);
}

}  // namespace glyphora
