// Framework messages: notifications the framework sends to a control's WndProc
// alongside the ordinary window messages. The skin engine listens to these.
#pragma once
#include <windows.h>

namespace glyphora {

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 1;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 2;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 3;
constexpr UINT CM_FONTCHANGED = CM_BASE + 4;
constexpr UINT CM_COLORCHANGED = CM_BASE + 5;
constexpr UINT CM_MOUSEENTER = CM_BASE + 6;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 7;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 9;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 10;
// A windowed control received (CM_ENTER) or lost (CM_EXIT) the keyboard
// focus; sent after the platform's WM_SETFOCUS / WM_KILLFOCUS handling.
constexpr UINT CM_ENTER = CM_BASE + 11;
constexpr UINT CM_EXIT = CM_BASE + 12;
// The wheel turned over a windowed control (wParam and lParam as in
// WM_MOUSEWHEEL); a handler that sets Result non-zero swallows the turn.
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 13;

// Notifications a parent window reflects back to the child control they
// concern (WM_COMMAND, WM_DRAWITEM, WM_HSCROLL, ... offset by CN_BASE).
constexpr UINT CN_BASE = 0xBC00;
// Only the platform's own messages (below WM_USER) are reflected.
constexpr UINT CN_LAST = CN_BASE + WM_USER - 1;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

}  // namespace glyphora
