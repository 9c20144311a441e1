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

namespace {

// One line of n samples `step` apart, blurred into out (n samples).
void BlurLine(const uint8_t* in, ptrdiff_t step, int32_t n, const std::vector<int32_t>& k, uint8_t* out) {
  const int32_t half = static_cast<int32_t>(k.size() / 2);
  for (int32_t i = 0; i < n; ++i) {
    int64_t acc = 0;
    for (int32_t j = -half; j <= half; ++j) {
      int32_t at = std::clamp(i + j, 0, n - 1);
      acc += static_cast<int64_t>(k[static_cast<size_t>(j + half)]) * in[at * step];
    }
    out[i] = ClampByte(static_cast<int>(acc >> 16));
  }
}

}  // namespace

void BlurMask8(TMask8* mask, int radius) {
  if (!mask || mask->Empty() || radius <= 0) return;
  const std::vector<int32_t> k = GlowKernel(radius);
  const int32_t w = mask->Width, h = mask->Height;
  std::vector<uint8_t> line(static_cast<size_t>(std::max(w, h)));
  for (int32_t y = 0; y < h; ++y) {
    BlurLine(mask->Row(y), 1, w, k, line.data());
    std::copy_n(line.data(), w, mask->Row(y));
  }
  std::vector<uint8_t> column(static_cast<size_t>(h));
  for (int32_t x = 0; x < w; ++x) {
    for (int32_t y = 0; y < h; ++y) column[static_cast<size_t>(y)] = mask->At(x, y);
    BlurLine(column.data(), 1, h, k, line.data());
    for (int32_t y = 0; y < h; ++y) mask->Row(y)[x] = line[static_cast<size_t>(y)];
  }
}

void BlendGlowMask(TBitmap32* bmp, const TMask8& mask, int32_t x, int32_t y, TColor glowColor) {
  if (!bmp || bmp->Empty() || mask.Empty()) return;
  const TColor g = ColorToRGB(glowColor);
  const int gr = static_cast<int>(g & 0xFF), gg = static_cast<int>((g >> 8) & 0xFF),
            gb = static_cast<int>((g >> 16) & 0xFF);
  const int32_t x0 = std::max(0, -x), x1 = std::min(mask.Width, bmp->Width() - x);
  const int32_t y0 = std::max(0, -y), y1 = std::min(mask.Height, bmp->Height() - y);
  for (int32_t my = y0; my < y1; ++my) {
    const uint8_t* m = mask.Row(my);
    uint32_t* d = bmp->ScanLine(y + my) + x;
    for (int32_t mx = x0; mx < x1; ++mx) {
      const int v = m[mx];
      if (v == 255) continue;
      const uint32_t p = d[mx];
      const int b = static_cast<int>(p & 0xFF), gr8 = static_cast<int>((p >> 8) & 0xFF),
                r = static_cast<int>((p >> 16) & 0xFF), a = static_cast<int>(p >> 24);
      const int nb = gb + v * (b - gb) / 255;
      const int ng = gg + v * (gr8 - gg) / 255;
      const int nr = gr + v * (r - gr) / 255;
      const int na = a + (255 - v) * (255 - a) / 255;
      d[mx] = static_cast<uint32_t>(nb) | (static_cast<uint32_t>(ng) << 8) | (static_cast<uint32_t>(nr) << 16) |
              (static_cast<uint32_t>(na) << 24);
    }
  }
}

}  // namespace glyphora
