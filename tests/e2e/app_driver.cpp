#include "app_driver.h"


namespace e2e {

namespace {
std::wstring ToWindowsPath(const std::string& unixPath) {
  std::wstring w(unixPath.begin(), unixPath.end());
  if (!w.empty() && w[0] == L'/') {
    for (auto& c : w)
      if (c == L'/') c = L'\\';
    w = L"Z:" + w;
  }
  return w;
}

struct FindState {
  const wchar_t* cls;
  std::vector<HWND>* out;
};

BOOL CALLBACK CollectChild(HWND wnd, LPARAM lp) {
  auto* st = reinterpret_cast<FindState*>(lp);
  wchar_t name[128] = {};
  ::GetClassNameW(wnd, name, 128);
  if (_wcsicmp(name, st->cls) == 0) st->out->push_back(wnd);
  return TRUE;
}
}  // namespace

std::wstring WindowText(HWND wnd) {
  wchar_t buf[4096] = {};
  ::SendMessageTimeoutW(wnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, nullptr);
  return buf;
}

std::wstring ListItem(HWND list, int index) {
  wchar_t buf[256] = {};
  LRESULT n = ::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buf));
  return n == LB_ERR ? std::wstring() : std::wstring(buf);
}


AppDriver::AppDriver() {
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  folder_ = std::wstring(tmp) + L"glyphora_e2e_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
            std::to_wstring(::GetTickCount());
  ::CreateDirectoryW(folder_.c_str(), nullptr);
  exe_ = folder_ + L"\\Glyphora.exe";
  ::CopyFileW(ToWindowsPath(GLYPHORA_EXE).c_str(), exe_.c_str(), FALSE);
}

AppDriver::~AppDriver() {
  if (pi_.hProcess) {
    if (::WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(pi_.hProcess, 1);
    ::WaitForSingleObject(pi_.hProcess, 5000);
    ::CloseHandle(pi_.hProcess);
    ::CloseHandle(pi_.hThread);
  }
  ::DeleteFileW(IniPath().c_str());
  ::DeleteFileW(exe_.c_str());
  ::RemoveDirectoryW(folder_.c_str());
}

void AppDriver::WriteIni(const std::string& text) const {
  HANDLE f = ::CreateFileW(IniPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
  ::CloseHandle(f);
}

std::string AppDriver::ReadIni() const {
  std::string text;
  HANDLE f = ::CreateFileW(IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return text;
  char buf[4096];
  DWORD n = 0;
  while (::ReadFile(f, buf, sizeof(buf), &n, nullptr) && n > 0) text.append(buf, n);
  ::CloseHandle(f);
  return text;
}

bool AppDriver::Start() {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  std::wstring cmd = L"\"" + exe_ + L"\"";
  if (!::CreateProcessW(exe_.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si, &pi_))
    return false;
  ::WaitForInputIdle(pi_.hProcess, 20000);
  for (int i = 0; i < 400; ++i) {
    HWND w = nullptr;
    while ((w = ::FindWindowExW(nullptr, w, L"GlyphoraForm", L"Glyphora")) != nullptr) {
      DWORD pid = 0;
      ::GetWindowThreadProcessId(w, &pid);
      if (pid == pi_.dwProcessId && ::IsWindowVisible(w)) {
        main_ = w;
        Settle();
        return true;
      }
    }
    ::Sleep(50);
  }
  return false;
}

bool AppDriver::Close() {
  if (!main_) return false;
  ::PostMessageW(main_, WM_CLOSE, 0, 0);
  bool ended = ::WaitForSingleObject(pi_.hProcess, 20000) == WAIT_OBJECT_0;
  main_ = nullptr;
  return ended;
}

bool AppDriver::Running() const {
  return pi_.hProcess && ::WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND AppDriver::Find(const wchar_t* cls, HWND after) const {
  auto all = FindAll(cls);
  bool seen = after == nullptr;
  for (HWND w : all) {
    if (seen) return w;
    if (w == after) seen = true;
  }
  return nullptr;
}

std::vector<HWND> AppDriver::FindAll(const wchar_t* cls) const {
  std::vector<HWND> out;
  FindState st{cls, &out};
  ::EnumChildWindows(main_, &CollectChild, reinterpret_cast<LPARAM>(&st));
  return out;
}

void AppDriver::Settle() const {
  // Waits until the program is idle (its queue empty), then lets it paint.
  DWORD_PTR r;
  for (int i = 0; i < 3; ++i) {
    ::WaitForInputIdle(pi_.hProcess, 5000);
    ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
    ::Sleep(60);
  }
}

std::vector<uint32_t> AppDriver::Capture(HWND wnd) const {
  RECT r;
  ::GetClientRect(wnd, &r);
  POINT origin{0, 0};
  ::ClientToScreen(wnd, &origin);
  int w = r.right, h = r.bottom;
  std::vector<uint32_t> px(static_cast<size_t>(w) * h);
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mem, bmp);
  ::BitBlt(mem, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
  ::GdiFlush();
  if (bits) memcpy(px.data(), bits, px.size() * 4);
  ::SelectObject(mem, old);
  ::DeleteObject(bmp);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return px;
}

}  // namespace e2e
