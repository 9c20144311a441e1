// New bitmaps, fills, alpha and grey: whole-row operations on one bitmap.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

TBitmap32 NewBitmap32(int32_t width, int32_t height);
TBitmap32 NewBitmapAlike(const TBitmap32& source);

// Fills R (cut to the bitmap) with Color resolved, alpha 255; nothing for a
// bitmap below 2 x 2.
void FillPixels32(TBitmap32* bmp, const TRect32& r, TColor color);
// Alpha byte of every pixel of R (cut to the bitmap); with skipKey the key
// pixels keep theirs.
void SetAlphaInRect(TBitmap32* bmp, const TRect32& r, uint8_t alpha, bool skipKey);
// Colour bytes := (R + G + B) div 3, alpha unchanged.
void GrayBitmap(TBitmap32* bmp);
// As GrayBitmap, pixels equal to key (whole 32-bit value) untouched.
void GrayBitmapExceptKey(TBitmap32* bmp, uint32_t key);

}  // namespace glyphora
