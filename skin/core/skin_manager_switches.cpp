// The command-line switches the skinning engine reads at start.
#include "skin/core/sSkinManager.h"

#include <windows.h>

#include <cwctype>
#include <string>
#include <vector>

#include "framework/application.h"

namespace glyphora {

namespace {
bool g_versionShown = false;
bool g_testSwitch = false;

std::wstring Lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(towlower(c));
  return s;
}
}  // namespace

void SkinEngineStartup(const std::vector<std::wstring>& args) {
  bool showVersion = false;
  for (size_t i = 1; i < args.size(); ++i) {
    std::wstring a = Lower(args[i]);
    if (a == L"/acver") showVersion = true;
    if (a == L"/actest") g_testSwitch = true;
  }
  if (showVersion && !g_versionShown) {
    g_versionShown = true;
    // No skin exists yet: a plain message box.
    ::MessageBoxW(nullptr, (L"Skinning engine version " + TsSkinManager::Version()).c_str(),
                  Application()->Title().c_str(), MB_OK | MB_ICONINFORMATION);
  }
}

bool OldSkinReportRequested() { return g_testSwitch; }

}  // namespace glyphora
