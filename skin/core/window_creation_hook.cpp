#include "skin/core/window_creation_hook.h"

#include <cwchar>

namespace glyphora {

namespace {
TacWindowCreationHandler g_handler = nullptr;
constexpr WORD kMenuClassAtom = 32768, kDialogClassAtom = 32770;

bool KindOfWindow(HWND wnd, TacHookedKind& kind) {
  wchar_t name[16] = {};
  return ::GetClassNameW(wnd, name, 16) > 0 && HookedKindOfClass(name, kind);
}
}  // namespace

TacWindowCreationHandler SetWindowCreationHandler(TacWindowCreationHandler handler) {
  TacWindowCreationHandler old = g_handler;
  g_handler = handler;
  return old;
}

bool HookedKindOfClass(LPCWSTR cls, TacHookedKind& kind) {
  if (!cls) return false;
  if (IS_INTRESOURCE(cls)) {
    const WORD atom = LOWORD(reinterpret_cast<ULONG_PTR>(cls));
    if (atom == kMenuClassAtom) kind = TacHookedKind::PopupMenu;
    else if (atom == kDialogClassAtom) kind = TacHookedKind::Dialog;
    else return false;
    return true;
  }
  if (std::wcscmp(cls, L"#32768") == 0) kind = TacHookedKind::PopupMenu;
  else if (std::wcscmp(cls, L"#32770") == 0) kind = TacHookedKind::Dialog;
  else return false;
  return true;
}

LRESULT CALLBACK SkinCbtProc(int code, WPARAM wParam, LPARAM lParam) {
  // The chain first: a hook below (a test's, another library's) may refuse
  // the creation, and a refused window must not be handed over.
  const LRESULT next = ::CallNextHookEx(nullptr, code, wParam, lParam);
  if (next || !g_handler) return next;
  HWND wnd = reinterpret_cast<HWND>(wParam);
  TacHookedKind kind;
  switch (code) {
    case HCBT_CREATEWND: {
      const auto* cbt = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
      const LPCWSTR cls = cbt && cbt->lpcs ? cbt->lpcs->lpszClass : nullptr;
      if (HookedKindOfClass(cls, kind) || KindOfWindow(wnd, kind)) g_handler(wnd, kind, TacHookEvent::Created);
      break;
    }
    case HCBT_ACTIVATE:
      if (!wnd) break;
      if (!KindOfWindow(wnd, kind)) kind = TacHookedKind::Window;
      g_handler(wnd, kind, TacHookEvent::Activated);
      break;
    case HCBT_DESTROYWND:
      if (KindOfWindow(wnd, kind)) g_handler(wnd, kind, TacHookEvent::Destroying);
      break;
  }
  return next;
}

}  // namespace glyphora
