// Reads the clipboard's Unicode text, waiting a little while another
// process (the program under test) holds the clipboard open.
#pragma once
#include <windows.h>

#include <string>

namespace glyphora::testing {

inline std::wstring ClipboardText() {
  std::wstring text;
  for (int attempt = 0; attempt < 50 && !::OpenClipboard(nullptr); ++attempt) ::Sleep(20);
  if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(::GlobalLock(h))) {
      text = p;
      ::GlobalUnlock(h);
    }
  }
  ::CloseClipboard();
  return text;
}

}  // namespace glyphora::testing
