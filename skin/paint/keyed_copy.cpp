#include "skin/paint/keyed_copy.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "skin/paint/color_convert.h"
#include "skin/paint/pixel_clip.h"
#include "skin/paint/pixel_kernels.h"

namespace glyphora {
namespace {

// The fast kernels unless one of the rows partly overlaps the destination.
const TPixelKernels& KernelsFor(const uint32_t* d, int n, std::initializer_list<const uint32_t*> rows) {
  for (const uint32_t* r : rows)
    if (r && r != d && RowsOverlap(d, r, n)) return ScalarKernels();
  return ActiveKernels();
}

TCopySpan InclusiveSpan(const TBitmap32* dst, const TBitmap32* src, int32_t x, int32_t y, const TRect32& sr) {
  return ClipSpan(sr.Left, sr.Top, x, y, static_cast<int64_t>(sr.Right) - sr.Left + 1,
                  static_cast<int64_t>(sr.Bottom) - sr.Top + 1, src->Width(), src->Height(), dst->Width(),
                  dst->Height());
}

// The part of an n-pixel destination row at (dx, dy) that has parent pixels
// behind it: columns [first, last) and the parent pixel of column first.
struct TParentSpan {
  int first = 0, last = 0;
  const uint32_t* row = nullptr;
  bool Empty() const { return first >= last; }
};

TParentSpan ParentSpan(int n, int32_t dx, int32_t dy, const TCacheInfo& ci) {
  TParentSpan span;
  const TBitmap32* p = ci.Bmp;
  if (!p || n <= 0) return span;
  const int64_t py = static_cast<int64_t>(dy) + ci.Y;
  if (py < 0 || py >= p->Height()) return span;
  const int64_t px = static_cast<int64_t>(dx) + ci.X;
  const int64_t a = std::max<int64_t>(0, -px), b = std::min<int64_t>(n, p->Width() - px);
  if (a >= b) return span;
  span.first = static_cast<int>(a);
  span.last = static_cast<int>(b);
  span.row = p->ScanLine(static_cast<int32_t>(py)) + (px + a);
  return span;
}

}  // namespace

void CopyKeyed(TBitmap32* dst, const TBitmap32* src, int32_t x, TColor key, int32_t y) {
  if (!dst || !src) return;
  const TCopySpan s = ClipSpan(0, 0, x, y, src->Width(), src->Height(), src->Width(), src->Height(), dst->Width(),
                               dst->Height());
  const uint32_t k = SwapRedBlue(key);
  for (int32_t j = 0; j < s.h; ++j) {
    uint32_t* d = dst->ScanLine(s.dy + j) + s.dx;
    const uint32_t* sr = src->ScanLine(s.sy + j) + s.sx;
    KernelsFor(d, s.w, {sr}).KeyedCopy(d, sr, s.w, k, 0xFF000000u);
  }
}

void CopyKeyedRect(TBitmap32* dst, const TBitmap32* src, int32_t x, TColor key, const TRect32& srcRect, int32_t y) {
  if (!dst || !src) return;
  const TCopySpan s = InclusiveSpan(dst, src, x, y, srcRect);
  const uint32_t k = SwapRedBlue(key);
  for (int32_t j = 0; j < s.h; ++j) {
    uint32_t* d = dst->ScanLine(s.dy + j) + s.dx;
    const uint32_t* sr = src->ScanLine(s.sy + j) + s.sx;
    KernelsFor(d, s.w, {sr}).KeyedCopy(d, sr, s.w, k, 0);
  }
}

void CopyKeyedOverBackground(TBitmap32* dst, const TBitmap32* src, int32_t x, bool useCache, const TCacheInfo& ci,
                             TColor key, const TRect32& srcRect, int32_t y) {
  if (!dst || !src) return;
  const TCopySpan s = InclusiveSpan(dst, src, x, y, srcRect);
  if (s.Empty()) return;
  const uint32_t k = SwapRedBlue(key);
  const bool fromParent = ci.Ready && useCache && ci.Bmp;
  std::vector<uint32_t> fill;
  if (!ci.Ready) fill.assign(static_cast<size_t>(s.w), ColorToPixel(ci.FillColor));
  for (int32_t j = 0; j < s.h; ++j) {
    uint32_t* d = dst->ScanLine(s.dy + j) + s.dx;
    const uint32_t* sr = src->ScanLine(s.sy + j) + s.sx;
    const TPixelKernels& kern = KernelsFor(d, s.w, {sr});
    if (fromParent && ci.Bmp != dst) {
      // Key pixels over the parent take its pixels; past its edges they stay.
      const TParentSpan p = ParentSpan(s.w, s.dx, s.dy + j, ci);
      kern.KeyedCopy(d, sr, p.first, k, 0xFF000000u);
      if (!p.Empty()) {
        const int len = p.last - p.first;
        KernelsFor(d + p.first, len, {sr + p.first, p.row})
            .SelectKey(d + p.first, sr + p.first, p.row, len, k, 0xFF000000u);
      }
      kern.KeyedCopy(d + p.last, sr + p.last, s.w - p.last, k, 0xFF000000u);
    } else if (fromParent) {
      kern.KeyedCopy(d, sr, s.w, k, 0xFF000000u);  // drawing into the parent: keys already show it
    } else if (ci.Ready) {
      kern.KeyedCopy(d, sr, s.w, k, 0);
    } else {
      kern.SelectKey(d, sr, fill.data(), s.w, k, 0);
    }
  }
}

namespace {
// The overlap of two rectangles placed at each other's origin, cut to both bitmaps.
TCopySpan RectPairSpan(const TRect32& dr, const TRect32& sr, const TBitmap32* dst, const TBitmap32* src) {
  const int64_t w = std::min<int64_t>(static_cast<int64_t>(dr.Right) - dr.Left, static_cast<int64_t>(sr.Right) - sr.Left);
  const int64_t h = std::min<int64_t>(static_cast<int64_t>(dr.Bottom) - dr.Top, static_cast<int64_t>(sr.Bottom) - sr.Top);
  return ClipSpan(sr.Left, sr.Top, dr.Left, dr.Top, w, h, src->Width(), src->Height(), dst->Width(), dst->Height());
}
}  // namespace

void CopyWithAlpha(const TRect32& dstRect, const TRect32& srcRect, TBitmap32* dst, bool useCache,
                   const TCacheInfo& ci, const TBitmap32* src) {
  if (!dst || !src) return;
  const TCopySpan s = RectPairSpan(dstRect, srcRect, dst, src);
  const bool fromParent = ci.Ready && useCache;
  for (int32_t j = 0; j < s.h; ++j) {
    uint32_t* d = dst->ScanLine(s.dy + j) + s.dx;
    const uint32_t* sr = src->ScanLine(s.sy + j) + s.sx;
    // A key pixel has alpha 0, so the blend leaves its destination as it was.
    KernelsFor(d, s.w, {sr}).AlphaOver(d, sr, s.w);
    if (!fromParent) continue;
    const TParentSpan p = ParentSpan(s.w, s.dx, s.dy + j, ci);
    if (p.Empty()) continue;
    const int len = p.last - p.first;
    KernelsFor(d + p.first, len, {sr + p.first, p.row})
        .ReplaceKey(d + p.first, sr + p.first, p.row, len, KeyColor32, 0xFF000000u);
  }
}

void CopyMasked(const TRect32& dstRect, const TRect32& srcRect, TBitmap32* dst, int32_t maskOffset, bool useCache,
                const TCacheInfo& ci, const TBitmap32* src) {
  if (!dst || !src) return;
  const TCopySpan s = RectPairSpan(dstRect, srcRect, dst, src);
  if (s.Empty()) return;
  // First mask row, moved up so that every mask row lies in src.
  int64_t maskTop = static_cast<int64_t>(s.sy) + maskOffset;
  maskTop = std::min<int64_t>(maskTop, static_cast<int64_t>(src->Height()) - s.h);
  if (maskTop < 0) return;
  std::vector<uint32_t> fill;
  if (!ci.Ready && useCache) fill.assign(static_cast<size_t>(s.w), SwapRedBlue(ci.FillColor));
  for (int32_t j = 0; j < s.h; ++j) {
    uint32_t* d = dst->ScanLine(s.dy + j) + s.dx;
    const uint32_t* sr = src->ScanLine(s.sy + j) + s.sx;
    const uint32_t* m = src->ScanLine(static_cast<int32_t>(maskTop + j)) + s.sx;
    const TPixelKernels& k = KernelsFor(d, s.w, {sr, m});
    if (ci.Ready && useCache) {
      // Everything gets alpha 255: blended pixels and parent pixels on the
      // way, key pixels past the parent's edges afterwards.
      const TParentSpan p = ParentSpan(s.w, s.dx, s.dy + j, ci);
      const int len = p.last - p.first;
      const TPixelKernels& kp = (len > 0 && RowsOverlap(d + p.first, p.row, len)) ? ScalarKernels() : k;
      kp.MixMasked(d, d, sr, m, p.first, 0xFF000000u, true, KeyColor32, nullptr);
      kp.SetAlpha(d, p.first, 255, false, 0);
      kp.MixMasked(d + p.first, d + p.first, sr + p.first, m + p.first, len, 0xFF000000u, true, KeyColor32, p.row);
      kp.MixMasked(d + p.last, d + p.last, sr + p.last, m + p.last, s.w - p.last, 0xFF000000u, true, KeyColor32,
                   nullptr);
      kp.SetAlpha(d + p.last, s.w - p.last, 255, false, 0);
    } else if (ci.Ready) {
      k.MixMasked(d, d, sr, m, s.w, 0, false, 0, nullptr);
    } else {
      k.MixMasked(d, d, sr, m, s.w, 0, true, KeyColor32, useCache ? fill.data() : nullptr);
    }
  }
}

}  // namespace glyphora
