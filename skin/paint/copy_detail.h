// Pieces shared by the copies that show the parent image behind key pixels.
#pragma once
#include <algorithm>
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"
#include "skin/paint/pixel_clip.h"
#include "base/pixel_kernels.h"

namespace glyphora::copy_detail {

// The part of an n-pixel destination row at (dx, dy) that has parent pixels
// behind it: columns [first, last) and the parent pixel of column first.
struct TParentSpan {
  int first = 0, last = 0;
  const uint32_t* row = nullptr;
  bool Empty() const { return first >= last; }
};

inline TParentSpan ParentSpan(int n, int32_t dx, int32_t dy, const TCacheInfo& ci) {
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

// The overlap of two rectangles placed at each other's origin, cut to both bitmaps.
inline TCopySpan RectPairSpan(const TRect32& dr, const TRect32& sr, const TBitmap32* dst, const TBitmap32* src) {
  const int64_t w = std::min<int64_t>(static_cast<int64_t>(dr.Right) - dr.Left, static_cast<int64_t>(sr.Right) - sr.Left);
  const int64_t h = std::min<int64_t>(static_cast<int64_t>(dr.Bottom) - dr.Top, static_cast<int64_t>(sr.Bottom) - sr.Top);
  return ClipSpan(sr.Left, sr.Top, dr.Left, dr.Top, w, h, src->Width(), src->Height(), dst->Width(), dst->Height());
}

}  // namespace glyphora::copy_detail
