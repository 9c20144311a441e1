// Listing the skins there are: built in and in the skin directory.
#include "skin/core/sSkinManager.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "framework/handles.h"
#include "framework/strings.h"
#include "skin/core/skin_manager_internal.h"

namespace glyphora {

using namespace skin_manager_detail;

std::wstring TsSkinManager::GetSkinNames(std::vector<std::wstring>& list, TacSkinTypes type) const {
  list.clear();
  std::wstring first;
  for (const TsStoredSkin& s : InternalSkins) {
    if (first.empty()) first = s.Name;
    list.push_back(s.Name);
  }
  std::vector<std::wstring> external;
  std::wstring firstExternal = GetExternalSkinNames(external, type);
  if (first.empty()) first = firstExternal;
  list.insert(list.end(), external.begin(), external.end());
  std::stable_sort(list.begin(), list.end(),
                   [](const std::wstring& a, const std::wstring& b) { return CompareTextLocale(a, b) < 0; });
  return first;
}

std::wstring TsSkinManager::GetExternalSkinNames(std::vector<std::wstring>& list, TacSkinTypes type) const {
  list.clear();
  std::wstring dir = GetFullSkinDirectory();
  std::wstring first;
  if (dir.empty() || !DirectoryExists(dir)) return first;
  WIN32_FIND_DATAW fd;
  UniqueFind find(::FindFirstFileW((dir + L"*").c_str(), &fd));
  if (!find) return first;
  do {
    std::wstring name = fd.cFileName;
    if (name.empty() || name[0] == L'.') continue;
    std::wstring add;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (type != TacSkinTypes::stPacked && FileExists(dir + name + L"\\Options.dat")) add = name;
    } else if (type != TacSkinTypes::stUnpacked) {
      size_t dot = name.find_last_of(L'.');
      if (dot != std::wstring::npos && name.substr(dot) == L".asz") add = name.substr(0, name.find(L'.'));
    }
    if (add.empty()) continue;
    if (first.empty()) first = add;
    list.push_back(add);
  } while (::FindNextFileW(find.get(), &fd));
  std::stable_sort(list.begin(), list.end(),
                   [](const std::wstring& a, const std::wstring& b) { return CompareTextLocale(a, b) < 0; });
  return first;
}

std::wstring TsSkinManager::GetRandomSkin() const {
  std::vector<std::wstring> names;
  GetSkinNames(names);
  if (names.empty()) return {};
  std::mt19937 rng(static_cast<unsigned>(::GetTickCount()));
  return names[std::uniform_int_distribution<size_t>(0, names.size() - 1)(rng)];
}

}  // namespace glyphora
