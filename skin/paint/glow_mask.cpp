#include "skin/paint/glow_mask.h"

#include <algorithm>
#include <cmath>

#include "base/color_convert.h"

namespace glyphora {

void TMask8::SetSize(int32_t width, int32_t height, uint8_t fill) {
  Width = std::max(width, 0);
  Height = std::max(height, 0);
  if (Width == 0 || Height == 0) Width = Height = 0;
  Bits.assign(static_cast<size_t>(Width) * static_cast<size_t>(Height), fill);
}

std::vector<int32_t> GlowKernel(int radius) {
  // Without a radius the weights would be 0/0: no blur at all.
  if (radius <= 0) return {kGlowKernelOne};
  constexpr int kMaxHalf = 100;
  double w[kMaxHalf + 1];
  double total = 0;
  for (int d = 0; d <= kMaxHalf; ++d) {
    double t = static_cast<double>(d) / radius;
    w[d] = std::exp(-t * t / 2);
    total += d == 0 ? w[d] : 2 * w[d];
  }
  // Shrink the half-width while what falls outside stays below 1/510.
  int half = kMaxHalf;
  double outside = 0;
  while (half > 1) {
    double next = outside + 2 * w[half] / total;
    if (next >= 1.0 / (2 * 255)) break;
    outside = next;
    --half;
  }
  double kept = 0;
  for (int d = 0; d <= half; ++d) kept += d == 0 ? w[d] : 2 * w[d];
  std::vector<int32_t> k(static_cast<size_t>(2 * half + 1));
  int32_t sum = 0;
  for (int d = 1; d <= half; ++d) {
    auto v = static_cast<int32_t>(std::lround(w[d] / kept * kGlowKernelOne));
    k[static_cast<size_t>(half - d)] = k[static_cast<size_t>(half + d)] = v;
    sum += 2 * v;
  }
  // The centre takes the rounding, so the weights sum to one exactly.
  k[static_cast<size_t>(half)] = kGlowKernelOne - sum;
  return k;
}

void BlurMask8(TMask8* mask, int radius) {
  if (!mask || mask->Empty() || radius <= 0) return;
  const std::vector<int32_t> k = GlowKernel(radius);
  const int32_t half = static_cast<int32_t>(k.size() / 2), taps = static_cast<int32_t>(k.size());
  const int32_t w = mask->Width, h = mask->Height;
  // 32-bit sums suffice: at most 255 * kGlowKernelOne.
  // Rows: each row padded with copies of its edge pixels, so no index is clamped per tap.
  std::vector<int32_t> padded(static_cast<size_t>(w + 2 * half));
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = mask->Row(y);
    for (int32_t i = 0; i < w + 2 * half; ++i) padded[static_cast<size_t>(i)] = row[std::clamp(i - half, 0, w - 1)];
    for (int32_t x = 0; x < w; ++x) {
      const int32_t* p = padded.data() + x;
      int32_t acc = 0;
      for (int32_t j = 0; j < taps; ++j) acc += k[static_cast<size_t>(j)] * p[j];
      row[x] = ClampByte(acc >> 16);
    }
  }
  // Columns: whole rows weighted and summed, the rows past an edge being the edge row.
  const TMask8 rows = *mask;
  std::vector<int32_t> acc(static_cast<size_t>(w));
  for (int32_t y = 0; y < h; ++y) {
    std::fill(acc.begin(), acc.end(), 0);
    for (int32_t j = 0; j < taps; ++j) {
      const uint8_t* src = rows.Row(std::clamp(y + j - half, 0, h - 1));
      const int32_t weight = k[static_cast<size_t>(j)];
      for (int32_t x = 0; x < w; ++x) acc[static_cast<size_t>(x)] += weight * src[x];
    }
    uint8_t* out = mask->Row(y);
    for (int32_t x = 0; x < w; ++x) out[x] = ClampByte(acc[static_cast<size_t>(x)] >> 16);
  }
}

void BlendGlowMask(TBitmap32* bmp, const TMask8& mask, int32_t x, int32_t y, TColor glowColor) {
  if (!bmp || bmp->Empty() || mask.Empty()) return;
  const TColor g = ColorToRGB(glowColor);
  const int gr = static_cast<int>(g & 0xFF), gg = static_cast<int>((g >> 8) & 0xFF),
            gb = static_cast<int>((g >> 16) & 0xFF);
  // The overlap in the mask's coordinates, in 64 bits: any offset is
  // allowed, and no pointer is formed outside a row.
  const int64_t x0 = std::max<int64_t>(0, -int64_t(x)), x1 = std::min<int64_t>(mask.Width, int64_t(bmp->Width()) - x);
  const int64_t y0 = std::max<int64_t>(0, -int64_t(y)), y1 = std::min<int64_t>(mask.Height, int64_t(bmp->Height()) - y);
  for (int64_t my = y0; my < y1; ++my) {
    const uint8_t* m = mask.Row(int32_t(my));
    uint32_t* row = bmp->ScanLine(int32_t(y + my));
    for (int64_t mx = x0; mx < x1; ++mx) {
      const int v = m[mx];
      if (v == 255) continue;
      uint32_t* d = row + (x + mx);
      const uint32_t p = *d;
      const int b = static_cast<int>(p & 0xFF), gr8 = static_cast<int>((p >> 8) & 0xFF),
                r = static_cast<int>((p >> 16) & 0xFF), a = static_cast<int>(p >> 24);
      const int nb = gb + v * (b - gb) / 255;
      const int ng = gg + v * (gr8 - gg) / 255;
      const int nr = gr + v * (r - gr) / 255;
      const int na = a + (255 - v) * (255 - a) / 255;
      *d = static_cast<uint32_t>(nb) | (static_cast<uint32_t>(ng) << 8) | (static_cast<uint32_t>(nr) << 16) |
           (static_cast<uint32_t>(na) << 24);
    }
  }
}

}  // namespace glyphora
