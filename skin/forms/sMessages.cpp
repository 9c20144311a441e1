#include "skin/forms/sMessages.h"

#include <windows.h>

#include <cwchar>

#include "framework/application.h"
#include "framework/handles.h"

namespace glyphora {

namespace {

// A box shown at a position asked for: the platform centres the box while
// it initialises it, so it is moved when it is first activated, just before
// it shows. A thread hook for the length of the call, chained like any.
struct PlacedBox {
  POINT Pos{-1, -1};
  HWND Moved = nullptr;  // the box already moved (a later activation keeps its place)
};
PlacedBox* g_placing = nullptr;

LRESULT CALLBACK PlaceBoxProc(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = ::CallNextHookEx(nullptr, code, wParam, lParam);
  if (code != HCBT_ACTIVATE || next || !g_placing || g_placing->Moved) return next;
  HWND wnd = reinterpret_cast<HWND>(wParam);
  wchar_t cls[16] = {};
  if (::GetClassNameW(wnd, cls, 16) <= 0 || std::wcscmp(cls, L"#32770") != 0) return next;
  RECT r;
  if (!::GetWindowRect(wnd, &r)) return next;
  g_placing->Moved = wnd;
  const int x = g_placing->Pos.x != -1 ? g_placing->Pos.x : r.left;
  const int y = g_placing->Pos.y != -1 ? g_placing->Pos.y : r.top;
  ::SetWindowPos(wnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  return next;
}

// The position of one call, put back however the call ends (a box shown
// from a help callback has its own).
class PlacementScope {
 public:
  PlacementScope(int x, int y) : previous_(g_placing) {
    box_.Pos = {x, y};
    if (x == -1 && y == -1) {
      g_placing = nullptr;
      return;
    }
    g_placing = &box_;
    hook_.reset(::SetWindowsHookExW(WH_CBT, &PlaceBoxProc, nullptr, ::GetCurrentThreadId()));
  }
  ~PlacementScope() {
    hook_.reset();
    g_placing = previous_;
  }
  PlacementScope(const PlacementScope&) = delete;
  PlacementScope& operator=(const PlacementScope&) = delete;

 private:
  PlacedBox box_;
  PlacedBox* previous_;
  UniqueHook hook_;
};

void CALLBACK HelpCallback(LPHELPINFO info) {
  if (info && info->dwContextId) Application()->HelpContext(static_cast<uint32_t>(info->dwContextId));
}

}  // namespace

int ShowSkinMessage(const std::wstring& caption, const std::wstring& text, TMsgDlgType type, int x, int y,
                    uint32_t helpContext, TMsgDlgButtons buttons) {
  const std::wstring title = caption.empty() ? std::wstring(DefaultMessageCaption(type)) : caption;
  MSGBOXPARAMSW p{};
  // The structure's own size: 40 bytes in 32-bit programs, 80 in 64-bit ones.
  p.cbSize = sizeof(p);
  p.hwndOwner = Application()->Handle();
  p.hInstance = ::GetModuleHandleW(nullptr);
  p.lpszText = text.c_str();
  p.lpszCaption = title.c_str();
  p.dwStyle = MessageBoxStyle(type, buttons);
  p.dwContextHelpId = helpContext;
  p.lpfnMsgBoxCallback = &HelpCallback;
  p.dwLanguageId = LANG_NEUTRAL;
  PlacementScope place(x, y);
  ModalScope modal;
  return ::MessageBoxIndirectW(&p);
}

int ShowSkinMessageCaption(const std::wstring& caption, const std::wstring& text) {
  return ShowSkinMessage(caption, text, TMsgDlgType::mtCustom, -1, -1, 0, MsgButtons(mbOK));
}

int ShowSkinMessage(const std::wstring& text, TMsgDlgType type, TMsgDlgButtons buttons, uint32_t helpContext) {
  return ShowSkinMessage(std::wstring(), text, type, -1, -1, helpContext, buttons);
}

int ShowSkinMessagePos(const std::wstring& text, TMsgDlgType type, TMsgDlgButtons buttons, uint32_t helpContext,
                       int x, int y) {
  return ShowSkinMessage(std::wstring(), text, type, x, y, helpContext, buttons);
}

}  // namespace glyphora
