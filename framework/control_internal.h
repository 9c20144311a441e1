// What the files of TControl and TWinControl share among themselves.
#pragma once
#include <windows.h>

#include <unordered_map>

#include "framework/control.h"

namespace glyphora {

// The control of each window of ours. Every message looks its window up
// here; a window property would cost a round trip to the window server per
// message under Wine (a quarter of a millisecond on a busy machine).
std::unordered_map<HWND, TWinControl*>& WindowControls();
// The id of the framework's own subclass of a native control's window.
inline constexpr UINT_PTR kFrameworkSubclassId = 0;

inline bool IsMouseMessage(UINT msg) {
  switch (msg) {
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      return true;
  }
  return false;
}

inline unsigned ShiftFromKeys(WPARAM keys) {
  unsigned s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  return s;
}

}  // namespace glyphora
