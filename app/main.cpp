// Program entry: the font table, the application object, the main window
// and the message loop.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "fontlist/font_table.h"
#include "framework/application.h"
#include "skin/core/sSkinManager.h"

namespace {
// With GLYPHORA_TRACE set in the environment, each start-up phase writes to
// stderr how long after the process's creation it ended; the last is the
// first moment the message queue is idle, after the first paint. Off, it
// costs one environment look-up.
const bool kTrace = ::GetEnvironmentVariableW(L"GLYPHORA_TRACE", nullptr, 0) > 0;

void Trace(const char* phase) {
  if (!kTrace) return;
  FILETIME created, exited, kernel, user, now;
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
  ::GetSystemTimePreciseAsFileTime(&now);
  auto ticks = [](FILETIME t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  std::fprintf(stderr, "glyphora_trace %s: %.1f ms\n", phase, static_cast<double>(ticks(now) - ticks(created)) / 1e4);
}

// Timer messages come after every paint, so this fires once the window is drawn.
void CALLBACK FirstIdle(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  Trace("first idle");
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace glyphora;
  Trace("entry");
  FontsArray();  // enumerated once, before any window exists
  Trace("fonts enumerated");
  TApplication* app = Application();
  try {
    app->Initialize();
  } catch (const std::exception& e) {
    app->HandleException(e);
    return 1;
  }
  app->MainFormOnTaskBar = true;
  app->SetTitle(L"Glyphora");
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  std::vector<std::wstring> args(argv, argv + argc);
  ::LocalFree(argv);
  SkinEngineStartup(args);
  Trace("application ready");
  try {
    TForm1* form = new TForm1(nullptr);
    Trace("main form created");
    if (kTrace) ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &FirstIdle);
    app->Run();
    delete form;
  } catch (const std::exception& e) {
    app->HandleException(e);
    return 1;
  }
  return 0;
}
