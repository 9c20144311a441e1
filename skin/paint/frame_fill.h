// Frames on 32-bit bitmaps: the pixel forms of filling a frame with a colour
// and copying a cached frame out of another bitmap.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// Four fills of color (resolved): top (full width, wt high), left (below the
// top, wl wide), bottom (right of the left, wb high), right (between top and
// bottom, wr wide). Everything cut to the bitmap.
void FillFrame32(TBitmap32* bmp, const TRect32& r, TColor color, int32_t wl, int32_t wt, int32_t wr, int32_t wb);

// Four strips bw wide of a width x height frame from (sx, sy) of src to
// (x, y) of dst: left (bw x height), top (from x + bw, width x bw), right
// (from x + width - bw, y + bw), bottom (from x + bw, y + height - bw).
void CopyFrame32(TBitmap32* dst, int32_t x, int32_t y, int32_t width, int32_t height, const TBitmap32* src,
                 int32_t sx, int32_t sy, int32_t bw);

// A dotted rectangle set pixel by pixel (focus rectangles): with w, h the
// size of r and its last column and row as the right and bottom edges, every
// third pixel from the corner along the top and bottom edges gets color2 and
// the pixel left of it color1; along the left and right edges every third
// pixel gets color2 and the one above it color1. Colours resolved; colour
// bytes written, alpha kept; pixels outside the bitmap skipped.
void DrawDottedFrame32(TBitmap32* bmp, const TRect32& r, TColor color1, TColor color2);

}  // namespace glyphora
