#include "skin/core/manager_rules.h"

#include "base/color_ops.h"
#include "skin/core/skin_content.h"

namespace glyphora {

const TSkinColorOps* SkinColorOps() {
  static const TSkinColorOps ops{
      [](int32_t d, TColor c) { return ShiftHueColor(d, c); },
      [](int32_t a, TColor c) { return static_cast<TColor>(AdjustSaturation(a, c)); },
      [](TBitmap32* b, int32_t d) { ShiftBitmapHue(b, d); },
      [](TBitmap32* b, int32_t a) { AdjustBitmapSaturation(b, a); }};
  return &ops;
}

std::wstring NormalizeDirectory(const std::wstring& dir) {
  if (dir.empty()) return dir;
  std::wstring d = dir;
  if (d.back() == L'/') {
    d.back() = L'\\';
    return d;
  }
  if (d.back() == L'\\') return d;
  if (d.size() == 1) return d + L":\\";
  return d + L"\\";
}

std::wstring FullSkinDirectory(const std::wstring& setting, const std::wstring& exeFolder) {
  std::wstring s = setting;
  if (s.rfind(L"..", 0) == 0) {
    std::wstring base = exeFolder;
    if (!base.empty() && (base.back() == L'\\' || base.back() == L'/')) base.pop_back();
    size_t sep = base.find_last_of(L"\\/");
    base = sep == std::wstring::npos ? std::wstring() : base.substr(0, sep + 1);
    s = base + (s.size() > 3 ? s.substr(3) : std::wstring());
  } else if (s.rfind(L".\\", 0) == 0 || s.rfind(L"./", 0) == 0) {
    s = exeFolder + s.substr(2);
  } else if (s.find(L':') == std::wstring::npos && s.find(L"\\\\") == std::wstring::npos) {
    s = exeFolder + s;
  }
  return NormalizeDirectory(s);
}

bool IsPlainSkinName(const std::wstring& name) {
  if (name.empty() || name == L"." || name == L"..") return false;
  for (wchar_t c : name)
    if (c < 32 || c == L'\\' || c == L'/' || c == L':' || c == L'*' || c == L'?' || c == L'"' || c == L'<' ||
        c == L'>' || c == L'|')
      return false;
  return true;
}

TColor MixTransparentColor(TColor parent, TColor section, int t) {
  if (t <= 0) return section & 0xFFFFFFu;
  if (t >= 100) return parent & 0xFFFFFFu;
  return BlendColors(parent, section, t / 100.0) & 0xFFFFFFu;
}

}  // namespace glyphora
