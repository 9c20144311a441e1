#include "skin/paint/tint.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/color_convert.h"
#include "skin/paint/pixel_clip.h"
#include "base/pixel_kernels.h"
#include "base/round_even.h"

namespace glyphora {
namespace {

inline uint32_t Byte(uint32_t v, int i) { return (v >> (8 * i)) & 0xFF; }

double TintValue(uint32_t p, uint32_t q, double e) { return p * e + q * (1.0 - e); }
double FadeValue(uint32_t p, uint32_t q, double k) { return k * (static_cast<double>(p) - q) + q; }
double KeyedValue(uint32_t s, uint32_t d, double k) { return s - (static_cast<double>(s) - d) * k; }

// What the integer kernel gives for destination byte d, source byte s and
// destination weight p (percent).
uint32_t PercentValue(uint32_t d, uint32_t s, int p) {
  const uint32_t num = d * static_cast<uint32_t>(p) + s * static_cast<uint32_t>(100 - p);
  uint32_t q = num / 100;
  const uint32_t r = num % 100;
  if (r > 50 || (r == 50 && (q & 1))) ++q;
  return q;
}

// The whole percent p with k == p/100, or -1.
int PercentOf(double k) {
  if (!(k >= 0.0 && k <= 1.0)) return -1;
  const double p = std::floor(k * 100.0 + 0.5);
  return std::fabs(k * 100.0 - p) < 1e-9 ? static_cast<int>(p) : -1;
}

// A per-channel map p -> result equals the kernel's when all 256 inputs agree.
template <class F>
bool ChannelMatches(int p, uint32_t q, F ref) {
  for (uint32_t v = 0; v < 256; ++v)
    if (RoundByte(ref(v, q)) != PercentValue(v, q, p)) return false;
  return true;
}

// Applies a 3-channel lookup to the colour bytes of one row.
void ApplyLut(uint32_t* d, int n, const uint8_t (&lut)[3][256], bool skipKey) {
  for (int i = 0; i < n; ++i) {
    const uint32_t v = d[i];
    if (skipKey && v == KeyColor32) continue;
    d[i] = (v & 0xFF000000u) | lut[0][Byte(v, 0)] | (lut[1][Byte(v, 1)] << 8) |
           (static_cast<uint32_t>(lut[2][Byte(v, 2)]) << 16);
  }
}

template <class F>
void MapRows(TBitmap32* bmp, const TClipped& c, uint32_t qPixel, double w, int p, bool skipKey, F ref) {
  bool fast = p >= 0;
  for (int ch = 0; ch < 3 && fast; ++ch)
    fast = ChannelMatches(p, Byte(qPixel, ch), [&](uint32_t v, uint32_t q) { return ref(v, q, w); });
  if (fast) {
    const std::vector<uint32_t> q(static_cast<size_t>(c.w), qPixel);
    const TPixelKernels& k = KernelsForRow(c.w);
    for (int32_t y = c.y; y < c.y + c.h; ++y)
      k.PercentBlend(bmp->ScanLine(y) + c.x, q.data(), c.w, p, skipKey ? TKeyTest::OnDest : TKeyTest::None,
                     KeyColor32);
    return;
  }
  uint8_t lut[3][256];
  for (int ch = 0; ch < 3; ++ch)
    for (uint32_t v = 0; v < 256; ++v) lut[ch][v] = static_cast<uint8_t>(RoundByte(ref(v, Byte(qPixel, ch), w)));
  for (int32_t y = c.y; y < c.y + c.h; ++y) ApplyLut(bmp->ScanLine(y) + c.x, c.w, lut, skipKey);
}

template <class F>
void MapRowsReference(TBitmap32* bmp, const TClipped& c, uint32_t qPixel, double w, bool skipKey, F ref) {
  for (int32_t y = c.y; y < c.y + c.h; ++y) {
    uint32_t* row = bmp->ScanLine(y) + c.x;
    for (int32_t i = 0; i < c.w; ++i) {
      if (skipKey && row[i] == KeyColor32) continue;
      uint32_t out = row[i] & 0xFF000000u;
      for (int ch = 0; ch < 3; ++ch) out |= RoundByte(ref(Byte(row[i], ch), Byte(qPixel, ch), w)) << (8 * ch);
      row[i] = out;
    }
  }
}

TClipped Whole(const TBitmap32* b) { return ClipRect(0, 0, b->Width(), b->Height(), b->Width(), b->Height()); }

// True when the kernel for weight p equals the double formula of
// BlendKeyedRect for every byte pair: either k is a multiple of 1/4 (the
// double arithmetic is then exact, ties included) or no pair lands on a tie,
// so both round the same value well away from a half.
bool KeyedFastPathExact(double k, int p) {
  if (p < 0) return false;
  if (k * 4.0 == std::floor(k * 4.0)) return true;
  for (int t = 1; t <= 255; ++t)
    if ((t * p) % 100 == 50) return false;
  return true;
}

}  // namespace

void TintRect(TBitmap32* bmp, const TRect32& r, int percent, TColor color) {
  if (!bmp) return;
  const TClipped c = ClipRect(r.Left, r.Top, r.Right, r.Bottom, bmp->Width(), bmp->Height());
  if (c.Empty()) return;
  const int p = std::clamp(percent, 0, 100);
  MapRows(bmp, c, SwapRedBlue(ColorToRGB(color) & 0x00FFFFFFu), p / 100.0, p, false, TintValue);
}

void TintRectReference(TBitmap32* bmp, const TRect32& r, int percent, TColor color) {
  if (!bmp) return;
  const TClipped c = ClipRect(r.Left, r.Top, r.Right, r.Bottom, bmp->Width(), bmp->Height());
  if (c.Empty()) return;
  MapRowsReference(bmp, c, SwapRedBlue(ColorToRGB(color) & 0x00FFFFFFu), std::clamp(percent, 0, 100) / 100.0, false, TintValue);
}

void FadeBitmapToColor(TBitmap32* bmp, TColor color, double k) {
  if (!bmp || bmp->Empty()) return;
  MapRows(bmp, Whole(bmp), SwapRedBlue(color & 0x00FFFFFFu), k, PercentOf(k), true, FadeValue);
}

void FadeBitmapToColorReference(TBitmap32* bmp, TColor color, double k) {
  if (!bmp || bmp->Empty()) return;
  MapRowsReference(bmp, Whole(bmp), SwapRedBlue(color & 0x00FFFFFFu), k, true, FadeValue);
}

namespace {
TCopySpan KeyedSpan(const TBitmap32* dst, int32_t x, int32_t y, const TRect32& sr, const TBitmap32* src) {
  return ClipSpan(sr.Left, sr.Top, x, y, static_cast<int64_t>(sr.Right) - sr.Left + 1,
                  static_cast<int64_t>(sr.Bottom) - sr.Top + 1, src->Width(), src->Height(), dst->Width(),
                  dst->Height());
}
}  // namespace

void BlendKeyedRect(TBitmap32* dst, int32_t x, int32_t y, uint32_t key, double k, const TRect32& srcRect,
                    const TBitmap32* src) {
  if (!dst || !src) return;
  const int p = PercentOf(k);
  if (!KeyedFastPathExact(k, p)) {
    BlendKeyedRectReference(dst, x, y, key, k, srcRect, src);
    return;
  }
  const TCopySpan s = KeyedSpan(dst, x, y, srcRect, src);
  if (s.Empty()) return;
  for (int32_t j = 0; j < s.h; ++j) {
    uint32_t* d = dst->ScanLine(s.dy + j) + s.dx;
    const uint32_t* sr = src->ScanLine(s.sy + j) + s.sx;
    KernelsFor(d, s.w, {sr}).PercentBlend(d, sr, s.w, p, TKeyTest::OnSource, key);
  }
}

void BlendKeyedRectReference(TBitmap32* dst, int32_t x, int32_t y, uint32_t key, double k,
                             const TRect32& srcRect, const TBitmap32* src) {
  if (!dst || !src) return;
  const TCopySpan s = KeyedSpan(dst, x, y, srcRect, src);
  if (s.Empty()) return;
  for (int32_t j = 0; j < s.h; ++j) {
    uint32_t* d = dst->ScanLine(s.dy + j) + s.dx;
    const uint32_t* sr = src->ScanLine(s.sy + j) + s.sx;
    for (int32_t i = 0; i < s.w; ++i) {
      const uint32_t sv = sr[i];
      if (sv == key) continue;
      uint32_t out = d[i] & 0xFF000000u;
      for (int ch = 0; ch < 3; ++ch) out |= RoundByte(KeyedValue(Byte(sv, ch), Byte(d[i], ch), k)) << (8 * ch);
      d[i] = out;
    }
  }
}

}  // namespace glyphora
