#include "skin/paint/keyed_copy.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "base/color_convert.h"
#include "skin/paint/pixel_clip.h"
#include "skin/paint/copy_detail.h"
#include "base/pixel_kernels.h"

namespace glyphora {
using namespace copy_detail;
namespace {

TCopySpan InclusiveSpan(const TBitmap32* dst, const TBitmap32* src, int32_t x, int32_t y, const TRect32& sr) {
  return ClipSpan(sr.Left, sr.Top, x, y, static_cast<int64_t>(sr.Right) - sr.Left + 1,
                  static_cast<int64_t>(sr.Bottom) - sr.Top + 1, src->Width(), src->Height(), dst->Width(),
                  dst->Height());
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

void CopyWithAlpha(const TRect32& dstRect, const TRect32& srcRect, TBitmap32* dst, bool useCache,
                   const TCacheInfo& ci, const TBitmap32* src) {
  if (!dst || !src) return;
  const TCopySpan s = RectPairSpan(dstRect, srcRect, dst, src);
  const bool fromParent = ci.Ready && useCache;
  for (int32_t j = 0; j < s.h; ++j) {
    uint32_t* d = dst->ScanLine(s.dy + j) + s.dx;
    const uint32_t* sr = src->ScanLine(s.sy + j) + s.sx;
    const TPixelKernels& k = KernelsFor(d, s.w, {sr});
    const TParentSpan p = fromParent ? ParentSpan(s.w, s.dx, s.dy + j, ci) : TParentSpan{};
    const int len = p.last - p.first;
    if (!p.Empty() && !RangesOverlap(d, s.w, sr, s.w) && !RangesOverlap(d, s.w, p.row, len)) {
      // Separate rows: blend and parent pixels in one pass over memory.
      k.AlphaOver(d, sr, p.first);
      k.AlphaOverReplaceKey(d + p.first, sr + p.first, p.row, len, KeyColor32, 0xFF000000u);
      k.AlphaOver(d + p.last, sr + p.last, s.w - p.last);
      continue;
    }
    // A key pixel has alpha 0, so the blend leaves its destination as it was.
    k.AlphaOver(d, sr, s.w);
    if (p.Empty()) continue;
    KernelsFor(d + p.first, len, {sr + p.first, p.row})
        .ReplaceKey(d + p.first, sr + p.first, p.row, len, KeyColor32, 0xFF000000u);
  }
}

}  // namespace glyphora
