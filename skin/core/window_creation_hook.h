// The thread's window-creation hook (WH_CBT) that the default skin manager
// installs: it recognises the platform's popup-menu windows and dialogs as
// they are created, activated and destroyed, and any other window as it is
// activated, and hands them to a handler that the form skinning installs
// from above (this layer cannot reach it).
// Other CBT hooks of the thread keep working: the chain is always called.
#pragma once
#include <windows.h>

namespace glyphora {

// Window: any other window, handed over only when activated.
enum class TacHookedKind { PopupMenu, Dialog, Window };
enum class TacHookEvent { Created, Activated, Destroying };
using TacWindowCreationHandler = void (*)(HWND wnd, TacHookedKind kind, TacHookEvent event);

// One handler for the process; null removes it. Returns the previous one.
TacWindowCreationHandler SetWindowCreationHandler(TacWindowCreationHandler handler);

// The kind of a window class given as the hook gets it: a string or an
// atom (the popup menu's class arrives as atom 32768). False for others.
bool HookedKindOfClass(LPCWSTR className, TacHookedKind& kind);

// The hook procedure the manager installs.
LRESULT CALLBACK SkinCbtProc(int code, WPARAM wParam, LPARAM lParam);

}  // namespace glyphora
