// Blends with real weights, rounded to nearest with ties to even. Each has a
// plain double-precision reference; the main routines take an exact integer
// fast path whenever it provably gives the same bytes, else the reference.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// R cut to the bitmap; each colour byte := Round(p*e + q*(1-e)) with
// e = percent/100 (percent clamped to 0..100) and q the byte of color,
// resolved. Alpha kept.
void TintRect(TBitmap32* bmp, const TRect32& r, int percent, TColor color);
// Every pixel except the key: colour byte := Round(k*(p - q) + q), q the byte
// of color (a colour value, used as given). Alpha kept.
void FadeBitmapToColor(TBitmap32* bmp, TColor color, double k);
// Every pixel of srcRect (inclusive) of src that is not key (a 32-bit pixel
// value) lands at (x + i, y + j) of dst: colour byte d := Round(s - (s - d)*k),
// k being the destination's weight. Alpha kept; positions outside either
// bitmap are skipped.
void BlendKeyedRect(TBitmap32* dst, int32_t x, int32_t y, uint32_t key, double k, const TRect32& srcRect,
                    const TBitmap32* src);

// The references, per pixel in double precision (for tests and odd weights).
void TintRectReference(TBitmap32* bmp, const TRect32& r, int percent, TColor color);
void FadeBitmapToColorReference(TBitmap32* bmp, TColor color, double k);
void BlendKeyedRectReference(TBitmap32* dst, int32_t x, int32_t y, uint32_t key, double k,
                             const TRect32& srcRect, const TBitmap32* src);

}  // namespace glyphora
