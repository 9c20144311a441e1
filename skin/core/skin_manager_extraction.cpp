// Writing a built-in skin out as a packed file.
#include "skin/core/sSkinManager.h"

#include <string>

#include "framework/handles.h"
#include "skin/core/manager_rules.h"
#include "skin/core/skin_manager_internal.h"

namespace glyphora {

using namespace skin_manager_detail;

void TsSkinManager::ExtractInternalSkin(const std::wstring& name, const std::wstring& destDir) {
  bool found = false;
  for (size_t i = 0; i < InternalSkins.size(); ++i) {
    if (InternalSkins[i].Name != name) continue;
    found = true;
    if (DirectoryExists(destDir)) ExtractByIndex(static_cast<int>(i), destDir);
    else ShowError(L"Directory does not exists.");
  }
  if (!found) ShowError(L"Skin does not exists.");
}

void TsSkinManager::ExtractByIndex(int index, const std::wstring& destDir) {
  if (index < 0 || index >= static_cast<int>(InternalSkins.size())) return;
  std::wstring dir = NormalizeDirectory(destDir);
  if (!DirectoryExists(dir) && !::CreateDirectoryW(dir.c_str(), nullptr)) {
    ShowError(L"Directory " + dir + L" creation error.");
    return;
  }
  const TsStoredSkin& skin = InternalSkins[static_cast<size_t>(index)];
  if (skin.PackedData.empty() || !IsPlainSkinName(skin.Name)) return;
  std::wstring file = dir + skin.Name + L" extracted.asz";
  UniqueFile f(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) {
    ShowError(L"Unable to write to " + file);
    return;
  }
  DWORD written = 0;
  BOOL ok = ::WriteFile(f.get(), skin.PackedData.data(), static_cast<DWORD>(skin.PackedData.size()), &written, nullptr);
  // The file is closed before any error shows, not held open behind the message box.
  f.reset();
  if (!ok || written != skin.PackedData.size()) ShowError(L"Unable to write to " + file);
}

}  // namespace glyphora
