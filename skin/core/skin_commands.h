// The skin command message: one private window message that carries the skin
// manager's broadcasts, notifications between neighbours and questions a
// control asks its parent. A window that does not know it answers 0, so every
// question has a harmless default answer.
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/shared_types.h"
#include "framework/messages.h"
#include "skin/core/parent_bg_record.h"

namespace glyphora {

class TControl;
class TWinControl;
class TCustomForm;

constexpr UINT SM_ALPHACMD = 0xA100;

// Sub-commands (the high word of wParam).
enum : uint16_t {
  SKC_SETNEWSKIN = 1, SKC_REMOVESKIN = 2, SKC_REFRESH = 3, SKC_GETPROVIDER = 4, SKC_PARENTUPDATED = 6,
  SKC_CTRLHANDLED = 7, SKC_SETUPDATING = 8, SKC_URGENTPAINT = 9, SKC_ISUPDATING = 10, SKC_ISHALFVISIBLE = 11,
  SKC_UPDATESECTION = 13, SKC_SETSECTION = 15, SKC_STOPFADING = 16, SKC_BGCHANGED = 17, SKC_REPAINT = 18,
  SKC_ISBGDEPENDENT = 19, SKC_PARENTMOVED = 20, SKC_GETCOLOR = 21, SKC_SETHALFVISIBLE = 22,
  SKC_PREPARECACHE = 23, SKC_ADDCHILDREN = 25, SKC_GETSKININDEX = 26, SKC_GETSKINMANAGER = 27,
  SKC_MOUSEENTER = 29, SKC_MOUSELEAVE = 30, SKC_BEGINUPDATE = 31, SKC_ENDUPDATE = 32, SKC_GETBG = 34,
  SKC_GETDISABLEDKIND = 35, SKC_CTRLSKINSTATE = 36, SKC_SETPRINTDC = 38, SKC_BEFORESCROLL = 51,
  SKC_AFTERSCROLL = 52, SKC_GETAPPLICATION = 60, SKC_GETCLIENTORIGIN = 61,
};

inline WPARAM SkinCommandWParam(uint16_t code, uint16_t arg = 0) {
  return (static_cast<WPARAM>(code) << 16) | arg;
}
inline uint16_t SkinCommandCode(WPARAM wParam) { return static_cast<uint16_t>((wParam >> 16) & 0xFFFF); }
inline uint16_t SkinCommandArg(WPARAM wParam) { return static_cast<uint16_t>(wParam & 0xFFFF); }

// The section record passed with SKC_GETSKININDEX and SKC_SETSECTION.
struct TacSectionInfo {
  int32_t SkinIndex = -1;
  const char* Name = nullptr;
  bool RepaintNeeded = false;
};

// True while this program is sending the command (wParam, lParam) through
// one of the functions below, and so while its receivers handle it. Only
// such a command is handled at all: the framework's windows answer 0 to any
// other skin command (one posted, or sent from another thread or program),
// so a pointer in a handled command's lParam points at a record of this
// program and state changes come from its own managers.
bool SkinCommandFromProgram(WPARAM wParam, LPARAM lParam);
inline bool SkinCommandFromProgram(const TMessage& m) { return SkinCommandFromProgram(m.WParam, m.LParam); }
// A skin-wide command (SKC_SETNEWSKIN, SKC_REMOVESKIN, SKC_REFRESH...) that
// names `manager` in lParam and comes from this program. A command naming
// another manager, or none, is passed on but otherwise ignored.
inline bool SkinCommandForManager(const TMessage& m, const void* manager) {
  return manager && m.LParam == reinterpret_cast<LPARAM>(manager) && SkinCommandFromProgram(m);
}

// The ways a skin command is sent; each marks the command as this program's
// for the length of the call.
LRESULT SendSkinCommand(HWND wnd, uint16_t code, LPARAM lParam = 0, uint16_t arg = 0);
// What a windowed control without a window yet gets: nothing (answer 0),
// or the command straight to its WndProc.
enum class TWithoutWindow { Nothing, Dispatch };
// To a windowed control's window (0 when it is being destroyed; without a
// window as `withoutWindow` says) or straight to a graphic control's WndProc.
LRESULT SendControlSkinCommand(TControl* control, uint16_t code, LPARAM lParam = 0, uint16_t arg = 0,
                               TWithoutWindow withoutWindow = TWithoutWindow::Nothing);
// True when the window answers exactly 1.
bool AskWindow(HWND wnd, uint16_t code);
TColor GetControlBGColor(TControl* control);
TColor GetWindowBGColor(HWND wnd);

// Asks a parent control (else the parent window) what lies behind a child:
// SKC_GETBG with info.PaintIfMissing = pleasePaint. True when it answered;
// otherwise info is a plain fill (bgkFill) in the parent's colour: a
// control's answer to SKC_GETCOLOR, else its own colour; a skinned window's
// answer, else the skin's global colour (clBtnFace without a skin).
bool AskParentBG(TacParentBG& info, TControl* parent, HWND parentWnd, bool pleasePaint);

// Sends a message to every child of a control. Skinned windowed children
// pass it on themselves; plain containers are walked through.
void RelayToChildren(TWinControl* parent, UINT msg, WPARAM wParam, LPARAM lParam);
// Sends a message to every direct child window.
void BroadcastToChildWindows(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Tells the children of a control that it has finished redrawing.
void NotifyChildrenParentUpdated(TWinControl* control);
// Sends a message to every form of the application (and its children) and
// to every skinned dialog.
void BroadcastToForms(UINT msg, WPARAM wParam, LPARAM lParam);

// Forms with a skin provider, in registration order until the first removal.
void RegisterSkinnedForm(TCustomForm* form);
void UnregisterSkinnedForm(TCustomForm* form);
// Visible dialogs skinned by the dialog hook, to be reached by broadcasts.
void RegisterHookedDialog(HWND dialog);
void UnregisterHookedDialog(HWND dialog);

}  // namespace glyphora
