// Starts a copy of Glyphora.exe in its own folder and talks to its windows
// from outside, as a user (or another program) would.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/clipboard_text.h"

namespace e2e {

class AppDriver {
 public:
  // Copies the program into a fresh folder, so its placement file is private.
  AppDriver();
  ~AppDriver();

  std::wstring Folder() const { return folder_; }
  std::wstring IniPath() const { return folder_ + L"\\Glyphora.ini"; }
  void WriteIni(const std::string& text) const;
  std::string ReadIni() const;

  // Starts the program and waits for its main window; false on time-out.
  bool Start();
  // Asks the window to close and waits for the process to end.
  bool Close();
  // The program's process has not ended.
  bool Running() const;
  HWND Main() const { return main_; }
  // The first descendant window of a class (and, optionally, after `after`).
  HWND Find(const wchar_t* cls, HWND after = nullptr) const;
  std::vector<HWND> FindAll(const wchar_t* cls) const;
  // Waits until the program has handled everything sent so far.
  void Settle() const;
  // The screen's pixels of a window's client area.
  std::vector<uint32_t> Capture(HWND wnd) const;

 private:
  std::wstring folder_, exe_;
  PROCESS_INFORMATION pi_{};
  HWND main_ = nullptr;
};

std::wstring WindowText(HWND wnd);
using glyphora::testing::ClipboardText;
std::wstring ListItem(HWND list, int index);

}  // namespace e2e
