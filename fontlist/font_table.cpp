#include "fontlist/font_table.h"

#include <vector>


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

const TBitmap32& FontTypeGlyphPixels(FontTypes type) {
  static const std::array<TBitmap32, 4> pixels = [] {
    std::array<TBitmap32, 4> p;
    WindowDC screen(nullptr);
    for (int i = 0; i < 4; ++i) {
      HBITMAP glyph = FontTypeGlyph(static_cast<FontTypes>(i));
      BITMAP bm{};
      if (!glyph || !::GetObjectW(glyph, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) continue;
      TBitmap32 out(bm.bmWidth, bm.bmHeight);
      std::vector<uint32_t> bits(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
      BITMAPINFO bi{};
      bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
      if (::GetDIBits(screen.get(), glyph, 0, static_cast<UINT>(bm.bmHeight), bits.data(), &bi, DIB_RGB_COLORS) !=
          bm.bmHeight)
        continue;
      for (int32_t y = 0; y < bm.bmHeight; ++y)
        for (int32_t x = 0; x < bm.bmWidth; ++x)
          out.ScanLine(y)[x] = bits[static_cast<size_t>(y) * static_cast<size_t>(bm.bmWidth) + static_cast<size_t>(x)] &
                               0x00FFFFFFu;
      p[static_cast<size_t>(i)] = std::move(out);
    }
    return p;
  }();
  return pixels[static_cast<size_t>(type)];
}

}  // namespace glyphora
