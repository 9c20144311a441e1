// The glow behind a text: an 8-bit coverage mask (255 where nothing is
// drawn, 0 where the text is solid), its Gaussian blur, and the mask laid
// over a 32-bit bitmap in a glow colour. Plain rows, no window system.
#pragma once
#include <cstdint>
#include <vector>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// An 8-bit grey bitmap, one byte a pixel, rows top-down without padding.
struct TMask8 {
  int32_t Width = 0, Height = 0;
  std::vector<uint8_t> Bits;

  TMask8() = default;
  TMask8(int32_t width, int32_t height, uint8_t fill = 255) { SetSize(width, height, fill); }
  // Negative sizes count as 0.
  void SetSize(int32_t width, int32_t height, uint8_t fill = 255);
  bool Empty() const { return Width <= 0 || Height <= 0; }
  void Clear() { *this = TMask8(); }
  uint8_t* Row(int32_t y) { return Bits.data() + static_cast<size_t>(y) * static_cast<size_t>(Width); }
  const uint8_t* Row(int32_t y) const { return Bits.data() + static_cast<size_t>(y) * static_cast<size_t>(Width); }
  uint8_t At(int32_t x, int32_t y) const { return Row(y)[x]; }
};

// Fixed-point weights of the blur kernel (sum exactly kGlowKernelOne), the
// centre in the middle: exp(-(d / radius)^2 / 2) for distances d up to the
// half-width where less than 1/510 of the weight lies beyond (at least 1,
// at most 100). A radius of 0 or less gives the one weight of no blur.
constexpr int32_t kGlowKernelOne = 1 << 16;
std::vector<int32_t> GlowKernel(int radius);

// Gaussian blur in place, rows first and then columns; indexes past an edge
// take the edge pixel. A constant area keeps its value exactly.
void BlurMask8(TMask8* mask, int radius);

// The mask over bmp with mask pixel (0, 0) at (x, y): every mask pixel m
// other than 255 that lands inside bmp moves the colour bytes to the glow
// colour g (d := g + m*(d - g) div 255) and raises the alpha
// (a := a + (255 - m)*(255 - a) div 255). glowColor is resolved.
void BlendGlowMask(TBitmap32* bmp, const TMask8& mask, int32_t x, int32_t y, TColor glowColor);

}  // namespace glyphora
