// Times a program's start: from CreateProcess until WaitForInputIdle has
// returned and its main window (the largest visible top-level window of the
// process) and every child of it have nothing left to paint. Glyphora and
// the floor program run in turns; each pair's difference is what Glyphora
// itself adds to the platform's own cost, and the median of those pairs
// (with its spread) is printed, so load that comes and goes during the run
// touches both programs of a pair alike.
//
//   startup_bench <suffix> <runs> <Glyphora.exe> <floor.exe>
//
// prints startup_ms<suffix>, startup_floor_ms<suffix>, startup_own_ms<suffix>
// (each with a _spread line) and families<suffix> (the families the font
// table holds here).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "fontlist/font_table.h"

namespace {

struct Search {
  DWORD pid;
  HWND best = nullptr;
  long long area = 0;
};

BOOL CALLBACK FindMain(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  if (pid != s->pid || !::IsWindowVisible(wnd) || ::GetWindow(wnd, GW_OWNER)) return TRUE;
  RECT r;
  ::GetWindowRect(wnd, &r);
  long long area = static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
  if (area > s->area) {
    s->area = area;
    s->best = wnd;
  }
  return TRUE;
}

BOOL CALLBACK ChildDirty(HWND wnd, LPARAM lp) {
  if (::IsWindowVisible(wnd) && ::GetUpdateRect(wnd, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(lp) = true;
    return FALSE;
  }
  return TRUE;
}

// True once the process's main window is shown with nothing left to paint.
bool Painted(DWORD pid) {
  Search s{pid};
  ::EnumWindows(&FindMain, reinterpret_cast<LPARAM>(&s));
  if (!s.best) return false;
  // A message sent to the window returns only once its thread has handled
  // everything sent before it.
  DWORD_PTR ignored;
  if (!::SendMessageTimeoutW(s.best, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored)) return false;
  if (::GetUpdateRect(s.best, nullptr, FALSE)) return false;
  bool dirty = false;
  ::EnumChildWindows(s.best, &ChildDirty, reinterpret_cast<LPARAM>(&dirty));
  return !dirty;
}

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Milliseconds until the program's window is painted, or a negative value
// when it did not start or did not show its window within 30 s.
double TimeStart(const std::wstring& exe) {
  std::wstring cmd = L"\"" + exe + L"\"";
  std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  const double t0 = Now();
  if (!::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : dir.c_str(), &si, &pi))
    return -1;
  double t = -1;
  if (::WaitForInputIdle(pi.hProcess, 30000) == 0) {
    while (Now() - t0 < 30000 && ::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
      if (Painted(pi.dwProcessId)) {
        t = Now() - t0;
        break;
      }
      ::Sleep(1);
    }
  }
  ::TerminateProcess(pi.hProcess, 0);
  ::WaitForSingleObject(pi.hProcess, 10000);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return t;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: startup_bench <suffix> <runs> <Glyphora.exe> <floor.exe>\n");
    return 2;
  }
  const std::string suffix(argv[1], argv[1] + wcslen(argv[1]));
  const int runs = std::max(1, _wtoi(argv[2]));
  const std::wstring app = argv[3], floor = argv[4];
  // One start of each first: it fills Wine's font cache and the file cache.
  TimeStart(floor);
  TimeStart(app);
  std::vector<double> apps, floors, own;
  for (int i = 0; i < runs; ++i) {
    const double f = TimeStart(floor), a = TimeStart(app);
    if (f < 0 || a < 0) {
      std::printf("startup%s: skipped, a program did not show its window\n", suffix.c_str());
      return 1;
    }
    floors.push_back(f);
    apps.push_back(a);
    own.push_back(a - f);
  }
  using glyphora::bench::PrintSpread;
  using glyphora::bench::SpreadOf;
  PrintSpread(("startup_ms" + suffix).c_str(), SpreadOf(apps), 1);
  PrintSpread(("startup_floor_ms" + suffix).c_str(), SpreadOf(floors), 1);
  PrintSpread(("startup_own_ms" + suffix).c_str(), SpreadOf(own), 1);
  std::printf("families%s: %zu\n", suffix.c_str(), glyphora::EnumerateFontFamilies().size());
  return 0;
}
