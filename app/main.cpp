// Program entry: the font table, the application object, the main window
// and the message loop.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/startup_trace.h"
#include "fontlist/font_table.h"
#include "framework/application.h"
#include "framework/richedit.h"
#include "skin/core/sSkinManager.h"

namespace {
using glyphora::StartupTrace;

// Timer messages come after every paint, so this fires once the window is drawn.
void CALLBACK FirstIdle(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  StartupTrace("first idle");
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace glyphora;
  StartupTrace("entry");
  PreloadRichEditLibrary();  // loads while the fonts are enumerated
  FontsArray();  // enumerated once, before any window exists
  StartupTrace("fonts enumerated");
  TForm1::PrepareFontList();
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
  StartupTrace("application ready");
  try {
    TForm1* form = new TForm1(nullptr);
    StartupTrace("main form created");
    if (glyphora::StartupTraceOn()) ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &FirstIdle);
    app->Run();
    delete form;
  } catch (const std::exception& e) {
    app->HandleException(e);
    return 1;
  }
  return 0;
}
