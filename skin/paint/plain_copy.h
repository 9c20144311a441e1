// Plain copies between 32-bit bitmaps (every byte, key pixels included): a
// block copy, a nearest-pixel stretch and a tiling, each cut to both bitmaps
// and to the destination rectangle.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// w x h pixels from (sx, sy) of src to (dx, dy) of dst. Rows that share
// memory (src == dst) are moved safely.
void CopyBlock(TBitmap32* dst, int32_t dx, int32_t dy, const TBitmap32* src, int32_t sx, int32_t sy, int32_t w,
               int32_t h);
// srcRect of src stretched onto dstRect of dst, colour-on-colour: destination
// column i takes source column srcRect.Left + i * width(srcRect) div
// width(dstRect), rows alike. Source pixels outside src leave their
// destination alone. Nothing for empty or reversed rectangles.
void StretchBlock(TBitmap32* dst, const TRect32& dstRect, const TBitmap32* src, const TRect32& srcRect);
// The tile srcRect of src repeated over dstRect from its top-left corner, the
// last column and row cut. The tile is first cut to src.
void TileBlock(TBitmap32* dst, const TRect32& dstRect, const TBitmap32* src, const TRect32& tile);

}  // namespace glyphora
