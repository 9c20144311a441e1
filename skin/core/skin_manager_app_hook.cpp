// The manager's subclass of the application window.
#include "skin/core/sSkinManager.h"

#include "framework/application.h"
#include "framework/messages.h"
#include "framework/subclass.h"
#include "skin/core/skin_commands.h"

namespace glyphora {

namespace {
// The id of the manager's subclass of the application window.
constexpr UINT_PTR kAppWindowSubclassId = 1;
}  // namespace

void TsSkinManager::HookApplicationWindow() {
  HWND app = Application()->Handle();
  if (!app || appHooked_) return;
  if (AddSubclass(app, &AppWindowProc, kAppWindowSubclassId, reinterpret_cast<DWORD_PTR>(this))) appHooked_ = app;
}

void TsSkinManager::UnhookApplicationWindow() {
  if (appHooked_ && ::IsWindow(appHooked_)) RemoveSubclass(appHooked_, &AppWindowProc, kAppWindowSubclassId);
  appHooked_ = nullptr;
}

LRESULT CALLBACK TsSkinManager::AppWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self) {
  auto* m = reinterpret_cast<TsSkinManager*>(self);
  if (m->skinActive_) {
    switch (msg) {
      case WM_SYSCOMMAND:
        // Window animations for these commands come with the form skinning.
        switch (wParam & 0xFFF0) {
          case SC_MINIMIZE: m->showState_ = TShowAction::saMinimize; break;
          case SC_RESTORE: m->showState_ = TShowAction::saRestore; break;
          default: m->showState_ = TShowAction::saIgnore;
        }
        break;
      case WM_THEMECHANGED:
        return 0;
      case CM_BASE:
        BroadcastToForms(SM_ALPHACMD, SkinCommandWParam(SKC_REPAINT), 0);
        return 0;
    }
  }
  return CallNextSubclass(wnd, msg, wParam, lParam);
}

}  // namespace glyphora
