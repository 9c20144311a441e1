// Text rendered black on white laid over a 32-bit bitmap in one colour:
// the coverage of each pixel (the mean of its three colour bytes, 0 where
// the text is solid) weighs the text colour against what lies below, and
// the pixel becomes opaque. Plain rows, no window system.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// Every pixel of `rendered` that is not white lands at (x + i, y + j) of
// dst: with v the mean of its colour bytes and q the matching byte of color
// (resolved), each colour byte d := ((d - q)*v + q*256) >> 8, alpha 255.
// Positions outside dst are skipped.
void BlendTextCoverage(TBitmap32* dst, const TBitmap32& rendered, int32_t x, int32_t y, TColor color);

}  // namespace glyphora
