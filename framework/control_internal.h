// What the files of TControl and TWinControl share among themselves.
#pragma once
#include <windows.h>

#include "framework/control.h"

namespace glyphora {

// The window property that leads from a window to its control.
inline constexpr wchar_t kControlProp[] = L"GlyphoraControl";
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
