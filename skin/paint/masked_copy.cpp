#include "skin/paint/masked_copy.h"

#include <algorithm>
#include <vector>

#include "base/color_convert.h"
#include "skin/paint/copy_detail.h"

namespace glyphora {

using namespace copy_detail;

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
      // Everything gets alpha 255 in one pass: key pixels take the parent's
      // pixels, or past its edges their own (the fill row is d itself).
      const TParentSpan p = ParentSpan(s.w, s.dx, s.dy + j, ci);
      const int len = p.last - p.first;
      k.MixMasked(d, d, sr, m, p.first, 0xFF000000u, true, KeyColor32, d);
      KernelsFor(d + p.first, len, {sr + p.first, m + p.first, p.row})
          .MixMasked(d + p.first, d + p.first, sr + p.first, m + p.first, len, 0xFF000000u, true, KeyColor32, p.row);
      k.MixMasked(d + p.last, d + p.last, sr + p.last, m + p.last, s.w - p.last, 0xFF000000u, true, KeyColor32,
                  d + p.last);
    } else if (ci.Ready) {
      k.MixMasked(d, d, sr, m, s.w, 0, false, 0, nullptr);
    } else {
      k.MixMasked(d, d, sr, m, s.w, 0, true, KeyColor32, useCache ? fill.data() : nullptr);
    }
  }
}

}  // namespace glyphora
