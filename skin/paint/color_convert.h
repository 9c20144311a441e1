// Colour values (0x00BBGGRR) and 32-bit pixels (0xAARRGGBB): conversion
// between the two byte orders. System colours are resolved by ColorToRGB.
#pragma once
#include <cstdint>

#include "skin/core/color_convert.h"
#include "skin/core/shared_types.h"

namespace glyphora {

// Red and blue exchanged; the top byte becomes the alpha byte.
inline uint32_t SwapRedBlue(uint32_t v) {
  return (v & 0xFF00FF00u) | ((v & 0xFFu) << 16) | ((v >> 16) & 0xFFu);
}
// An opaque pixel of a colour value (not resolved).
inline uint32_t ColorToPixel(TColor c) { return SwapRedBlue(c & 0x00FFFFFFu) | 0xFF000000u; }

}  // namespace glyphora
