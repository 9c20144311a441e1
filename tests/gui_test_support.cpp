#include "gui_test_support.h"

#include <vector>

namespace glyphora::test {

namespace {
MessageBoxCatcher* g_catcher = nullptr;
std::vector<HWND> g_dialogs;
}  // namespace

std::wstring WindowText(HWND wnd) {
  wchar_t buf[1024] = {};
  ::GetWindowTextW(wnd, buf, 1024);
  return buf;
}

MessageBoxCatcher::MessageBoxCatcher() {
  g_catcher = this;
  g_dialogs.clear();
  hook_ = ::SetWindowsHookExW(WH_CBT, &CbtProc, nullptr, ::GetCurrentThreadId());
  // Dialogs are read and closed from a timer that runs inside their modal loop.
  timer_ = ::SetTimer(nullptr, 0, 50, &TimerProc);
}

MessageBoxCatcher::~MessageBoxCatcher() {
  if (timer_) ::KillTimer(nullptr, timer_);
  if (hook_) ::UnhookWindowsHookEx(hook_);
  g_catcher = nullptr;
}

LRESULT CALLBACK MessageBoxCatcher::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND wnd = reinterpret_cast<HWND>(wParam);
    wchar_t cls[64] = {};
    ::GetClassNameW(wnd, cls, 64);
    if (std::wstring(cls) == L"#32770") g_dialogs.push_back(wnd);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK MessageBoxCatcher::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_catcher) return;
  auto dialogs = std::move(g_dialogs);
  g_dialogs.clear();
  for (HWND d : dialogs) {
    if (!::IsWindow(d)) continue;
    g_catcher->Caption = WindowText(d);
    // The message text is the dialog's static control (id 0xFFFF).
    g_catcher->Text = WindowText(::GetDlgItem(d, 0xFFFF));
    ++g_catcher->Count;
    ::PostMessageW(d, WM_COMMAND, IDOK, 0);
  }
}

}  // namespace glyphora::test
