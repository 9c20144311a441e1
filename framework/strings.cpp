#include "framework/strings.h"

#include <windows.h>

#include <algorithm>

namespace glyphora {

int CompareTextLocale(const std::wstring& a, const std::wstring& b) {
  int r = ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                           static_cast<int>(b.size()));
  return r - CSTR_EQUAL;
}

int TStrings::IndexOf(const std::wstring& s) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (CompareTextLocale(Get(i), s) == 0) return i;
  return -1;
}

std::vector<std::wstring> TStrings::ToVector() const {
  std::vector<std::wstring> v;
  for (int i = 0, n = Count(); i < n; ++i) v.push_back(Get(i));
  return v;
}

std::wstring TStringList::Get(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].text : std::wstring();
}

void* TStringList::Objects(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].object : nullptr;
}

int TStringList::AddObject(const std::wstring& s, void* object) {
  if (!Sorted) {
    items_.push_back({s, object});
    return Count() - 1;
  }
  auto it = std::upper_bound(items_.begin(), items_.end(), s,
                             [](const std::wstring& v, const Item& i) { return CompareTextLocale(v, i.text) < 0; });
  it = items_.insert(it, {s, object});
  return static_cast<int>(it - items_.begin());
}

void TStringList::Delete(int index) {
  if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
}

}  // namespace glyphora
