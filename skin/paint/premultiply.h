// Pixels for per-pixel-alpha windows: the platform's layered windows take
// premultiplied colour (each colour byte already scaled by the pixel's
// alpha), while every image here is painted with straight alpha.
#pragma once
#include <cstdint>

#include "base/bitmap32.h"
#include "base/shared_types.h"

namespace glyphora {

// The colour byte c of a pixel with alpha a, premultiplied: c * a / 255
// rounded to the nearest integer (exact for every pair of bytes).
inline uint8_t PremultiplyByte(uint32_t c, uint32_t a) {
  const uint32_t t = c * a + 128;
  return static_cast<uint8_t>((t + (t >> 8)) >> 8);
}

// srcRect of src premultiplied into dst with its top-left corner at
// (dstX, dstY); alpha is kept. Cut to both bitmaps; src and dst may be the
// same bitmap at the same place (in-place conversion).
void PremultiplyRect(const TBitmap32& src, const TRect32& srcRect, TBitmap32* dst, int32_t dstX, int32_t dstY);

// Every pixel's alpha multiplied by alpha / 255 with the colour bytes
// alike: the picture shown at a constant opacity, still premultiplied.
void ScalePremultiplied(TBitmap32* bmp, uint8_t alpha);

}  // namespace glyphora
