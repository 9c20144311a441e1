// Rounding to nearest with ties to even through the SSE2 conversion
// instructions (the default rounding mode), which is much cheaper than the C
// library's nearbyint on some runtimes and does not depend on x87 precision.
#pragma once
#include <emmintrin.h>

#include <cmath>
#include <cstdint>

namespace glyphora {

// v rounded half to even; values beyond the 32-bit range go through the C library.
inline int64_t RoundEven(double v) {
  if (std::fabs(v) < 2147483647.0) return _mm_cvtsd_si32(_mm_set_sd(v));
  return static_cast<int64_t>(std::nearbyint(v));
}
inline int64_t RoundEven(float v) { return RoundEven(static_cast<double>(v)); }

// Rounded half to even and clamped to 0..255; NaN gives 0.
inline uint32_t RoundByte(double v) {
  if (!(v > -1.0)) return 0;
  if (v > 256.0) return 255;
  const int32_t r = _mm_cvtsd_si32(_mm_set_sd(v));
  return r < 0 ? 0u : (r > 255 ? 255u : static_cast<uint32_t>(r));
}

}  // namespace glyphora
