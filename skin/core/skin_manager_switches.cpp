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
bool g_previewDue = false;
HWND g_previewForm = nullptr;

std::wstring Lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(towlower(c));
  return s;
}
}  // namespace

void SkinEngineStartup(const std::vector<std::wstring>& args) {
  bool showVersion = false;
  if (args.size() > 1 && Lower(args[1]) == L"/acpreview") g_previewDue = true;
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

const wchar_t kSkinEditorCaption[] = L"Glyphora Skin Editor";
bool PreviewAnnouncementDue() { return g_previewDue; }
void SetPreviewAnnouncementDue(bool due) { g_previewDue = due; }
HWND PreviewForm() { return g_previewForm; }
void SetPreviewForm(HWND form) { g_previewForm = form; }

}  // namespace glyphora
