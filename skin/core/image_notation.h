// The notation in which an options value names a skin image:
//   "@l   @t   @r   @b   @c@m"                     glyph in the master bitmap
//   "^l   @t   ^r   ^b   ^wl ^wt ^wr ^wb ^c^m^d^w"   nine-piece border in the master bitmap
//   "~l   ~t   ~r   ~b   ~dd~m"                    texture in the master bitmap
//   "!FILE.PNG!count!masktype!imgtype[!wl!wt!wr!wb[!drawmode]]"  separate image file
//   "name (l,t,r,b) (count,masktype[,border[,drawmode]])" with a "#"  older border form
//   "FILE.BMP"                                     older plain bitmap file form
// The master-bitmap forms have fixed columns of four digits (counts one digit).
#pragma once
#include <string>
#include <string_view>

#include "skin/core/skin_types.h"

namespace glyphora {

enum class TImageNotation {
  None,      // not an image (numbers, colours, gradients, "N/A", ...)
  Glyph,     // "@"
  Border,    // "^"
  Texture,   // "~"
  File,      // "!"
  OldBorder, // contains "#"
  OldFile,   // contains ".BMP"
};

TImageNotation ClassifyImageValue(std::string_view value);

// The result of reading one value. For master-bitmap forms Mask.R is the
// rectangle as written; for file forms FileName names the file and the widths
// are derived once the image's size is known (unless WidthsGiven).
struct TParsedImage {
  TImageNotation Kind = TImageNotation::None;
  TsMaskData Mask;
  std::string FileName;
  bool WidthsGiven = false;
};

// Parses value according to its notation. Raises EConvertError for a non-digit
// in a fixed number column of "@", "^", "~" and for a non-numeric border width
// or draw mode of the "#" form; a "!" field that is not a number reads as 0.
// Kind is None for values that are not images, and for "!" entries whose file
// name contains neither ".BMP" nor ".PNG" (case-sensitive), which are skipped.
TParsedImage ParseImageValue(std::string_view value);

// "^" and "#" rule: when all four widths are 0 they become BorderWidth, or a
// third of a frame's width and height.
void DeriveZeroBorderWidths(TsMaskData& m);
// "!" and older file rule: WL = WR = width div (count * 3), WT = WB = height div ((masktype + 1) * 3).
void DeriveWidthsFromSize(TsMaskData& m, int32_t width, int32_t height);

}  // namespace glyphora
