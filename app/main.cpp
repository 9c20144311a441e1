// Program entry: the font table, the application object, the main window
// and the message loop.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/main_form.h"
#include "fontlist/font_table.h"
#include "framework/application.h"
#include "skin/core/sSkinManager.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace glyphora;
  FontsArray();  // enumerated once, before any window exists
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
  try {
    TForm1* form = new TForm1(nullptr);
    app->Run();
    delete form;
  } catch (const std::exception& e) {
    app->HandleException(e);
    return 1;
  }
  return 0;
}
