#include "skin/paint/resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace glyphora {
namespace {

constexpr double kPi = 3.14159265358979323846;

double Kernel(int filter, double x) {
  if (filter == 0) return (x > -0.5 && x <= 0.5) ? 1.0 : 0.0;
  x = std::fabs(x);
  switch (filter) {
    case 2: return x < 1 ? (2 * x - 3) * x * x + 1 : 0.0;
    case 3:
      if (x < 0.5) return 0.75 - x * x;
      if (x < 1.5) return 0.5 * (x - 1.5) * (x - 1.5);
      return 0.0;
    case 4:
      if (x < 1) return x * x * x / 2 - x * x + 2.0 / 3.0;
      if (x < 2) return (2 - x) * (2 - x) * (2 - x) / 6;
      return 0.0;
    case 5:
      if (x == 0) return 1.0;
      if (x < 3) return std::sin(kPi * x) * std::sin(x) / (kPi * x * x);
      return 0.0;
    case 6:
      if (x < 1) return 7.0 / 6.0 * x * x * x - 2 * x * x + 8.0 / 9.0;
      if (x < 2) return -7.0 / 18.0 * x * x * x + 2 * x * x - 10.0 / 3.0 * x + 16.0 / 9.0;
      return 0.0;
    default: return x < 1 ? 1 - x : 0.0;
  }
}

double Support(int filter) {
  switch (filter) {
    case 0: return 0.51;
    case 3: return 1.5;
    case 4: case 6: return 2;
    case 5: return 3;
    default: return 1;
  }
}

struct TContrib {
  int32_t pixel;
  int32_t weight;  // 16.16
};

// For every output position, the source samples and their weights.
std::vector<std::vector<TContrib>> Contributions(int32_t srcSize, int32_t dstSize, int filter) {
  std::vector<std::vector<TContrib>> out(static_cast<size_t>(dstSize));
  const double scale = static_cast<double>(dstSize) / srcSize;
  const double support = Support(filter);
  const double width = scale < 1 ? support / scale : support;
  const double fscale = scale < 1 ? 1.0 / scale : 1.0;
  for (int32_t i = 0; i < dstSize; ++i) {
    const double center = i / scale;
    const int64_t left = static_cast<int64_t>(std::floor(center - width));
    const int64_t right = static_cast<int64_t>(std::ceil(center + width));
    for (int64_t j = left; j <= right; ++j) {
      const double w = Kernel(filter, (center - static_cast<double>(j)) / fscale) / fscale;
      if (w == 0) continue;
      int64_t n = j;
      if (n < 0) n = -n;
      else if (n >= srcSize) n = 2 * static_cast<int64_t>(srcSize) - n - 1;
      n = std::clamp<int64_t>(n, 0, srcSize - 1);  // very wide filters on small sources
      out[static_cast<size_t>(i)].push_back(
          TContrib{static_cast<int32_t>(n), static_cast<int32_t>(std::lround(w * 65536.0))});
    }
  }
  return out;
}

inline uint32_t Weighted(const std::vector<TContrib>& cs, const uint32_t* base, ptrdiff_t step) {
  int64_t sum[4] = {0, 0, 0, 0};
  for (const TContrib& c : cs) {
    const uint32_t v = base[c.pixel * step];
    for (int ch = 0; ch < 4; ++ch) sum[ch] += static_cast<int64_t>((v >> (8 * ch)) & 0xFF) * c.weight;
  }
  uint32_t out = 0;
  for (int ch = 0; ch < 4; ++ch) out |= static_cast<uint32_t>(std::clamp<int64_t>(sum[ch] >> 16, 0, 255)) << (8 * ch);
  return out;
}

}  // namespace

void ResampleBitmap(const TBitmap32& src, TBitmap32& dst, int32_t newWidth, int filter, int32_t newHeight) {
  if (src.Width() < 2 || src.Height() < 2) throw EResampleError("Source bitmap is too small");
  if (newWidth == src.Width() && newHeight == src.Height()) {
    if (&dst != &src) dst = src;
    return;
  }
  if (newWidth < 1 || newHeight < 1) {
    dst.SetSize(0, 0);
    return;
  }
  const TBitmap32 source = (&dst == &src) ? src : TBitmap32();  // keep the pixels when resizing in place
  const TBitmap32& s = (&dst == &src) ? source : src;
  // Horizontal pass into an intermediate of newWidth x source height.
  TBitmap32 mid(newWidth, s.Height());
  const auto cx = Contributions(s.Width(), newWidth, filter);
  for (int32_t y = 0; y < s.Height(); ++y) {
    const uint32_t* in = s.ScanLine(y);
    uint32_t* out = mid.ScanLine(y);
    for (int32_t x = 0; x < newWidth; ++x) out[x] = Weighted(cx[static_cast<size_t>(x)], in, 1);
  }
  // Vertical pass, a whole row at a time: each contributing row is added in
  // with its weight. Weights sum to about 1.0 in 16.16, so 32-bit sums of
  // bytes cannot overflow.
  dst.SetSize(newWidth, newHeight);
  const auto cy = Contributions(s.Height(), newHeight, filter);
  std::vector<int32_t> sum(static_cast<size_t>(newWidth) * 4);
  for (int32_t y = 0; y < newHeight; ++y) {
    std::fill(sum.begin(), sum.end(), 0);
    for (const TContrib& c : cy[static_cast<size_t>(y)]) {
      const uint32_t* in = mid.ScanLine(c.pixel);
      for (int32_t x = 0; x < newWidth; ++x)
        for (int ch = 0; ch < 4; ++ch)
          sum[static_cast<size_t>(x) * 4 + ch] += static_cast<int32_t>((in[x] >> (8 * ch)) & 0xFF) * c.weight;
    }
    uint32_t* out = dst.ScanLine(y);
    for (int32_t x = 0; x < newWidth; ++x) {
      uint32_t v = 0;
      for (int ch = 0; ch < 4; ++ch)
        v |= static_cast<uint32_t>(std::clamp<int32_t>(sum[static_cast<size_t>(x) * 4 + ch] >> 16, 0, 255)) << (8 * ch);
      out[x] = v;
    }
  }
}

}  // namespace glyphora
