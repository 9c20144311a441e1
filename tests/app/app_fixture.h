// Creates the real main window in-process, with its placement file in the
// temporary folder.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "app/main_form.h"
#include "gui_test_support.h"

namespace glyphora::test {

inline std::wstring TempIniPath(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  ::GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + name;
}

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application()->Initialize();
    ini = TempIniPath(L"glyphora_app_test.ini");
    ::DeleteFileW(ini.c_str());
  }
  void TearDown() override {
    form.reset();
    ::DeleteFileW(ini.c_str());
  }
  TForm1& Open(bool show = true) {
    form = std::make_unique<TForm1>(nullptr, ini);
    if (show) form->Show();
    Pump();
    return *form;
  }
  void WriteIni(const char* text) {
    HANDLE f = ::CreateFileW(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    ::WriteFile(f, text, static_cast<DWORD>(strlen(text)), &n, nullptr);
    ::CloseHandle(f);
  }
  std::wstring ini;
  std::unique_ptr<TForm1> form;
};

}  // namespace glyphora::test
