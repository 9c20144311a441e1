// The process-wide table of installed font families, filled once at start,
// and the four small glyphs that tell a family's kind.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/bitmap32.h"
#include "framework/handles.h"

namespace glyphora {

enum class FontTypes { PS = 0, TTF = 1, RASTER = 2, UNKNOWN = 3 };

// Only an exact single type bit names a kind; anything else is UNKNOWN.
FontTypes FontTypeFromBits(DWORD fontType);

class TFontClass {
 public:
  TFontClass(std::wstring name, FontTypes type) : FntName(std::move(name)), FntType(type) {}
  std::wstring FntName;
  FontTypes FntType;
};

using TFontsArray = std::vector<std::unique_ptr<TFontClass>>;

// Appends families to a table, skipping empty names and names already there
// ignoring case (upper-cased by the user locale's rules). Each check is one
// hash look-up, so a table of n families is built in time proportional to n.
class TFontTableBuilder {
 public:
  explicit TFontTableBuilder(TFontsArray& table);
  // Returns whether the family was added.
  bool Add(const std::wstring& name, DWORD fontType);

 private:
  TFontsArray& table_;
  std::unordered_set<std::wstring> keys_;
};

// Adds one family to a table (see TFontTableBuilder).
bool AddFontFamily(TFontsArray& table, const std::wstring& name, DWORD fontType);

// The table of the screen's font families, built on first use.
const TFontsArray& FontsArray();
// Enumerates the screen's families into a table (what FontsArray holds).
TFontsArray EnumerateFontFamilies();

// The kind glyphs, loaded from the BITMAP resources "PS", "TTF", "RASTER"
// and "UNKNOWN"; a missing resource leaves a null bitmap.
HBITMAP FontTypeGlyph(FontTypes type);
// The same glyph as 32-bit pixels, read once (alpha 0, as GDI leaves the
// pixels it draws), for rows composed in memory: GDI's transparent copy
// costs far more than the row's text under Wine. Empty when the bitmap is.
const TBitmap32& FontTypeGlyphPixels(FontTypes type);

}  // namespace glyphora
