#include "skin/paint/blend.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/color_convert.h"
#include "skin/paint/fast32.h"
#include "skin/paint/pixel_clip.h"
#include "base/pixel_kernels.h"
#include "base/round_even.h"

namespace glyphora {
void BlendOverRect(TBitmap32* dst, const TBitmap32* src, uint8_t dstWeight, const TRect32& srcRect,
                   int32_t dstX, int32_t dstY) {
  if (!dst || !src) return;
  int64_t l = srcRect.Left, t = srcRect.Top, r = srcRect.Right, b = srcRect.Bottom;
  int64_t px = dstX, py = dstY;
  if (px < 0) { l -= px; px = 0; }
  if (py < 0) { t -= py; py = 0; }
  if (l < 0) { px -= l; l = 0; }
  if (t < 0) { py -= t; t = 0; }
  if (l >= r || t >= b) return;
  if (px >= dst->Width() || py >= dst->Height()) return;
  if (l >= src->Width() || t >= src->Height()) return;
  r = std::min<int64_t>(r, src->Width());
  b = std::min<int64_t>(b, src->Height());
  if (px + (r - l) > dst->Width()) r = dst->Width() + l - px;
  if (py + (b - t) > dst->Height()) b = dst->Height() + t - py;

  TacFastSum32 sum;
  if (!sum.Attach(src, dst)) return;
  sum.Alpha = dstWeight;
  sum.DstX1 = static_cast<int32_t>(px);
  sum.DstY1 = static_cast<int32_t>(py);
  sum.DstX2 = static_cast<int32_t>(px + (r - l));
  sum.DstY2 = static_cast<int32_t>(py + (b - t));
  sum.SrcX1 = static_cast<int32_t>(l);
  sum.SrcY1 = static_cast<int32_t>(t);
  sum.SrcX2 = static_cast<int32_t>(r);
  sum.SrcY2 = static_cast<int32_t>(b);
  sum.BlendBitmapsRect();
}

void BlendOverBitmap(TBitmap32* dst, const TBitmap32* src, uint8_t dstWeight) {
  if (!dst || !src || dst->Width() != src->Width() || dst->Height() != src->Height()) return;
  BlendOverRect(dst, src, dstWeight, TRect32{0, 0, src->Width(), src->Height()}, 0, 0);
}

void MixBitmaps(TBitmap32* dst, const TBitmap32* a, const TBitmap32* b, uint8_t weight, const TBitmap32* mask) {
  if (!dst || !a || !b || a->Width() != b->Width() || a->Height() != b->Height()) return;
  int32_t w = std::min(dst->Width(), a->Width()), h = std::min(dst->Height(), a->Height());
  if (mask) {
    w = std::min(w, mask->Width());
    h = std::min(h, mask->Height());
  }
  for (int32_t y = 0; y < h; ++y) {
    uint32_t* d = dst->ScanLine(y);
    const uint32_t *ra = a->ScanLine(y), *rb = b->ScanLine(y);
    if (mask) {
      const uint32_t* m = mask->ScanLine(y);
      KernelsFor(d, w, {ra, rb, m}).MixMasked(d, ra, rb, m, w, 0, false, 0, nullptr);
    } else {
      KernelsFor(d, w, {ra, rb}).Mix(d, ra, rb, w, weight, 0);
    }
  }
}

void MaskFadeToColor(TBitmap32* bmp, const TBitmap32* mask, TColor color) {
  if (!bmp || !mask || bmp->Width() != mask->Width() || bmp->Height() != mask->Height()) return;
  const int32_t w = bmp->Width();
  const std::vector<uint32_t> q(static_cast<size_t>(w), SwapRedBlue(color & 0x00FFFFFFu));
  for (int32_t y = 0; y < bmp->Height(); ++y) {
    uint32_t* d = bmp->ScanLine(y);
    const uint32_t* m = mask->ScanLine(y);
    KernelsFor(d, w, {m}).MixMasked(d, d, q.data(), m, w, 0, false, 0, nullptr);
  }
}

namespace {

// Whether pixel (x, y) is filled by a pen-less round rectangle (l, t, r, b)
// with corner ellipses of o x o: the area [l, r-1) x [t, b-1), corners cut
// where the pixel centre lies outside the quarter ellipse.
bool InRoundRect(int64_t x, int64_t y, int64_t l, int64_t t, int64_t r, int64_t b, int64_t o) {
  if (x < l || y < t || x >= r - 1 || y >= b - 1) return false;
  if (o <= 0) return true;
  const double a = o / 2.0, cx = x + 0.5, cy = y + 0.5;
  const double left = l + a, top = t + a, right = (r - 1) - a, bottom = (b - 1) - a;
  double ex = 0, ey = 0;
  if (cx < left) ex = left - cx; else if (cx > right) ex = cx - right; else return true;
  if (cy < top) ey = top - cy; else if (cy > bottom) ey = cy - bottom; else return true;
  return (ex * ex + ey * ey) <= a * a;
}

}  // namespace

void FadeRectToColor(TBitmap32* bmp, const TRect32& r, int percent, int radius, int levels, TColor color) {
  if (!bmp) return;
  const int64_t W = static_cast<int64_t>(r.Right) - r.Left, H = static_cast<int64_t>(r.Bottom) - r.Top;
  if (W <= 0 || H <= 0) return;
  const TClipped c = ClipRect(r.Left, r.Top, r.Right, r.Bottom, bmp->Width(), bmp->Height());
  if (c.Empty()) return;
  const int64_t h = std::min({W / 2, H / 2, static_cast<int64_t>(levels)});
  const int64_t o = std::min({W / 2, H / 2, static_cast<int64_t>(radius)});
  const int E = ClampByte(static_cast<int>(std::clamp<int64_t>(static_cast<int64_t>(percent) * 255 / 100, -1, 256)));
  // Grey of ring i (0 white, then lighter than E towards the edge).
  auto ringValue = [&](int64_t i) -> uint32_t {
    if (i == 0) return 255;
    return RoundByte(E + static_cast<double>(RoundEven((255.0 - E) / static_cast<double>(h + 1) * static_cast<double>(h - i + 1))));
  };
  auto maskValue = [&](int64_t x, int64_t y) -> uint32_t {
    if (InRoundRect(x, y, h, h, W - h, H - h, o)) return static_cast<uint32_t>(E);
    // Rings are nested; the deepest one holding the pixel paints last. Its
    // index is found by bisection (corners can be as large as the rectangle).
    int64_t lo = 0, hi = std::min({x, y, W - 2 - x, H - 2 - y, h});
    if (hi < 0 || !InRoundRect(x, y, 0, 0, W, H, o)) return 0;
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo + 1) / 2;
      if (InRoundRect(x, y, mid, mid, W - mid, H - mid, o)) lo = mid; else hi = mid - 1;
    }
    return ringValue(lo);
  };
  const std::vector<uint32_t> q(static_cast<size_t>(c.w), SwapRedBlue(color & 0x00FFFFFFu));
  std::vector<uint32_t> m(static_cast<size_t>(c.w));
  const TPixelKernels& k = KernelsForRow(c.w);
  for (int32_t y = c.y; y < c.y + c.h; ++y) {
    const int64_t my = static_cast<int64_t>(y) - r.Top;
    uint32_t* d = bmp->ScanLine(y) + c.x;
    // Mask columns (relative to R) [lo, hi) share one value when the corners
    // are square: the row's own ring, or the inside value.
    int64_t lo = 0, hi = 0;
    uint32_t middle = 0;
    if (o == 0) {
      const int64_t dy = std::min(my, H - 2 - my);
      lo = std::clamp<int64_t>(std::min(dy, h), 0, W);
      hi = std::max(lo, W - 1 - lo);
      middle = maskValue(lo, my);
    }
    const int64_t x0 = static_cast<int64_t>(c.x) - r.Left;
    const int64_t a = std::clamp<int64_t>(lo - x0, 0, c.w), b = std::clamp<int64_t>(hi - x0, 0, c.w);
    for (int64_t x = 0; x < c.w; ++x) {
      if (x == a && b > a) x = b;  // the shared span is mixed below in one go
      if (x >= c.w) break;
      const uint32_t g = maskValue(x0 + x, my);
      m[static_cast<size_t>(x)] = g | (g << 8) | (g << 16);
    }
    if (b > a) {
      k.Mix(d + a, d + a, q.data(), static_cast<int>(b - a), static_cast<uint8_t>(middle), 0);
      if (a > 0) k.MixMasked(d, d, q.data(), m.data(), static_cast<int>(a), 0, false, 0, nullptr);
      if (b < c.w) k.MixMasked(d + b, d + b, q.data(), m.data() + b, static_cast<int>(c.w - b), 0, false, 0, nullptr);
    } else {
      k.MixMasked(d, d, q.data(), m.data(), c.w, 0, false, 0, nullptr);
    }
  }
}

}  // namespace glyphora
