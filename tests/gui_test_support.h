// Helpers for in-process GUI tests: message pumping, a test form, and a hook
// that answers message boxes so no test waits on a person.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "framework/application.h"
#include "framework/forms.h"

namespace glyphora::test {

// Processes waiting messages (and those posted while doing so) for a while.
inline void Pump(int milliseconds = 0) {
  DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    Application()->ProcessMessages();
    if (milliseconds > 0) ::Sleep(5);
  } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

// Captures the caption and text of the next message box of this thread and
// closes it; installed for the lifetime of the object.
class MessageBoxCatcher {
 public:
  MessageBoxCatcher();
  ~MessageBoxCatcher();
  std::wstring Caption, Text;
  int Count = 0;

 private:
  static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  HHOOK hook_ = nullptr;
  UINT_PTR timer_ = 0;
};

std::wstring WindowText(HWND wnd);

}  // namespace glyphora::test
