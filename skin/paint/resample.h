// Filtered resize of a 32-bit bitmap in two passes (rows, then columns).
#pragma once
#include <cstdint>
#include <stdexcept>

#include "base/bitmap32.h"

namespace glyphora {

class EResampleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Filters: 0 box, 1 triangle, 2 Hermite, 3 bell, 4 B-spline, 5 windowed sinc,
// 6 Mitchell (others fall back to the triangle).
// Raises EResampleError("Source bitmap is too small") when src is below 2
// pixels in either direction. The same size only copies src; sizes below 1
// leave dst empty. Samples beyond the edges are mirrored; weights are 16.16
// fixed point and every byte (alpha too) is clamped to 0..255.
void ResampleBitmap(const TBitmap32& src, TBitmap32& dst, int32_t newWidth, int filter, int32_t newHeight);

}  // namespace glyphora
