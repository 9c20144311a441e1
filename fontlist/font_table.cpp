#include "fontlist/font_table.h"


namespace glyphora {

FontTypes FontTypeFromBits(DWORD fontType) {
  switch (fontType) {
    case RASTER_FONTTYPE: return FontTypes::RASTER;
    case DEVICE_FONTTYPE: return FontTypes::PS;
    case TRUETYPE_FONTTYPE: return FontTypes::TTF;
    default: return FontTypes::UNKNOWN;
  }
}

namespace {
// Two names are the same family when these keys are equal.
std::wstring FamilyKey(const std::wstring& name) {
  const int n = static_cast<int>(name.size());
  std::wstring key(name.size(), L'\0');
  if (::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING, name.data(), n,
                      key.data(), n, nullptr, nullptr, 0) != n)
    return name;
  return key;
}

int CALLBACK EnumFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD fontType, LPARAM lp) {
  auto* builder = reinterpret_cast<TFontTableBuilder*>(lp);
  // The face name field holds at most 31 characters and a terminator.
  builder->Add(std::wstring(lf->lfFaceName, wcsnlen(lf->lfFaceName, LF_FACESIZE)), fontType);
  return 1;
}
}  // namespace

TFontTableBuilder::TFontTableBuilder(TFontsArray& table) : table_(table) {
  keys_.reserve(table.size());
  for (const auto& f : table) keys_.insert(FamilyKey(f->FntName));
}

bool TFontTableBuilder::Add(const std::wstring& name, DWORD fontType) {
  if (name.empty() || !keys_.insert(FamilyKey(name)).second) return false;
  table_.push_back(std::make_unique<TFontClass>(name, FontTypeFromBits(fontType)));
  return true;
}

bool AddFontFamily(TFontsArray& table, const std::wstring& name, DWORD fontType) {
  return TFontTableBuilder(table).Add(name, fontType);
}

TFontsArray EnumerateFontFamilies() {
  TFontsArray table;
  TFontTableBuilder builder(table);
  WindowDC screen(nullptr);
  ::EnumFontFamiliesW(screen.get(), nullptr, &EnumFamily, reinterpret_cast<LPARAM>(&builder));
  return table;
}

const TFontsArray& FontsArray() {
  static const TFontsArray table = EnumerateFontFamilies();
  return table;
}

HBITMAP FontTypeGlyph(FontTypes type) {
  static const std::array<UniqueBitmap, 4> glyphs = [] {
    std::array<UniqueBitmap, 4> g;
    const wchar_t* names[4] = {L"PS", L"TTF", L"RASTER", L"UNKNOWN"};
    for (int i = 0; i < 4; ++i)
      g[static_cast<size_t>(i)].reset(static_cast<HBITMAP>(
          ::LoadImageW(::GetModuleHandleW(nullptr), names[i], IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return g;
  }();
  return glyphs[static_cast<size_t>(type)].get();
}

}  // namespace glyphora
