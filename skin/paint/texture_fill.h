// Texture fills of a rectangle with a skin image, by fill mode. R comes back
// as the part still empty, or (-1, -1, -1, -1) when nothing is left.
//   0 tile everywhere          1 stretch over R
//   2 a row of tiles at the top        (empty: below it)
//   3 a column of tiles at the left    (empty: right of it)
//   4 stretched strip at the top       (empty: below it)
//   5 stretched strip at the left      (empty: right of it)
//   6 a row of tiles at the bottom     (empty: above it)
//   7, others: a column at the right   (empty: left of it)
//   10 whole tile rows from the top, the last partial row left alone
// Drawing never leaves R or the bitmap.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "skin/core/skin_types.h"
#include "base/bitmap32.h"

namespace glyphora {

constexpr TRect32 kNothingLeft{-1, -1, -1, -1};

// How a texture fills a rectangle (a texture image's DrawMode, a section's
// PATTERN): what is drawn, and what is reported back as still empty.
enum TTextureFill : int {
  tfTile = 0,          // tiles everywhere; nothing left
  tfStretch = 1,       // one stretched image; nothing left
  tfTopRow = 2,        // a row of tiles at the top; below it left
  tfLeftColumn = 3,    // a column of tiles at the left; right of it left
  tfTopStrip = 4,      // stretched across, image high, at the top; below it left
  tfLeftStrip = 5,     // stretched down, image wide, at the left; right of it left
  tfBottomRow = 6,     // a row of tiles at the bottom; above it left
  tfRightColumn = 7,   // a column at the right (any unknown mode too); left of it left
  tfWholeRows = 10,    // whole rows of tiles from the top only; nothing left
};

// An image without a mask: its tile is m.R of its source (own bitmap, else
// the master bitmap). Nothing (R unchanged) without a source or with an
// empty tile. `image`, when given and not empty, is tiled over R instead.
void FillWithImage(TBitmap32* dst, TRect32& r, const TBitmap32* image, int fillMode, const TsMaskData& m);

// An image with a mask: frames of frame width x frame height drawn through
// their masks, parent pixels from ci behind key pixels. Mode 0 tiles all of
// R; mode 10 only whole tiles, the strips right of and below them get the
// parent (ci's image when ready, else its fill colour). Other modes draw
// nothing and leave R unchanged.
void FillWithMaskedImage(TBitmap32* dst, TRect32& r, const TCacheInfo& ci, int fillMode, const TsMaskData& m);

// Puts what lies behind into rect of dst: ci's image at (ci.X + x, ci.Y + y)
// when ready (nothing when dst is ci.Bmp), else ci.FillColor.
void FillFromParent(TBitmap32* dst, const TRect32& rect, const TCacheInfo& ci);

}  // namespace glyphora
