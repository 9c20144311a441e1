#include "fontlist/font_table.h"

#include "framework/strings.h"

namespace glyphora {

FontTypes FontTypeFromBits(DWORD fontType) {
  switch (fontType) {
    case RASTER_FONTTYPE: return FontTypes::RASTER;
    case DEVICE_FONTTYPE: return FontTypes::PS;
    case TRUETYPE_FONTTYPE: return FontTypes::TTF;
    default: return FontTypes::UNKNOWN;
  }
}

bool AddFontFamily(TFontsArray& table, const std::wstring& name, DWORD fontType) {
  if (name.empty()) return false;
  for (const auto& f : table)
    if (f->FntName.size() == name.size() && CompareTextLocale(f->FntName, name) == 0) return false;
  table.push_back(std::make_unique<TFontClass>(name, FontTypeFromBits(fontType)));
  return true;
}

namespace {
int CALLBACK EnumFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD fontType, LPARAM lp) {
  auto* table = reinterpret_cast<TFontsArray*>(lp);
  // The face name field holds at most 31 characters and a terminator.
  std::wstring name(lf->lfFaceName, wcsnlen(lf->lfFaceName, LF_FACESIZE));
  AddFontFamily(*table, name, fontType);
  return 1;
}
}  // namespace

TFontsArray EnumerateFontFamilies() {
  TFontsArray table;
  WindowDC screen(nullptr);
  ::EnumFontFamiliesW(screen.get(), nullptr, &EnumFamily, reinterpret_cast<LPARAM>(&table));
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
