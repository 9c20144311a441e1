#include "skin/paint/fast32.h"

#include <algorithm>

#include "base/color_convert.h"
#include "skin/paint/pixel_clip.h"
#include "base/pixel_kernels.h"

namespace glyphora {
namespace {

// Whether the pixel memory of two bitmaps overlaps (the same bitmap, or views
// of one buffer).
bool SharePixels(const TBitmap32& a, const TBitmap32& b) {
  if (a.Empty() || b.Empty()) return false;
  auto range = [](const TBitmap32& m, uintptr_t& lo, uintptr_t& hi) {
    const uintptr_t first = reinterpret_cast<uintptr_t>(m.ScanLine(0));
    const uintptr_t last = reinterpret_cast<uintptr_t>(m.ScanLine(m.Height() - 1));
    lo = std::min(first, last);
    hi = std::max(first, last) + static_cast<uintptr_t>(m.Width()) * 4;
  };
  uintptr_t alo, ahi, blo, bhi;
  range(a, alo, ahi);
  range(b, blo, bhi);
  return alo < bhi && blo < ahi;
}

}  // namespace

bool TacFast32::Attach(TBitmap32* bmp) {
  if (!bmp || bmp->Width() < 2 || bmp->Height() < 2) {
    FWidth = 0;
    return false;
  }
  FBitmap = bmp;
  FWidth = bmp->Width();
  FHeight = bmp->Height();
  FStart = reinterpret_cast<uint8_t*>(bmp->ScanLine(0));
  FDelta = reinterpret_cast<uint8_t*>(bmp->ScanLine(1)) - FStart;
  return true;
}

void TacFast32::FillRect(const TRect32& r, uint32_t pixel) {
  if (!FBitmap || FWidth <= 0) return;
  // Width clamped at 0, in 64 bits: no overflow for extreme rectangles.
  const int64_t right = static_cast<int64_t>(r.Left) + std::max<int64_t>(0, static_cast<int64_t>(r.Right) - r.Left);
  const TClipped c = ClipRect(r.Left, r.Top, right, r.Bottom, FWidth, FHeight);
  if (c.Empty()) return;
  const uint32_t v = pixel | 0xFF000000u;
  for (int32_t y = c.y; y < c.y + c.h; ++y) std::fill_n(FBitmap->ScanLine(y) + c.x, c.w, v);
}

uint32_t TacFast32::GetPixel(int32_t x, int32_t y) const {
  if (!FBitmap || FWidth <= 0 || !FBitmap->Contains(x, y)) return 0;
  return SwapRedBlue(FBitmap->ScanLine(y)[x]);
}

void TacFast32::SetPixel(int32_t x, int32_t y, uint32_t value) {
  if (!FBitmap || FWidth <= 0 || !FBitmap->Contains(x, y)) return;
  FBitmap->ScanLine(y)[x] = SwapRedBlue(value);
}

bool TacFastSum32::Attach(const TBitmap32* src, TBitmap32* dst) {
  if (!src || !dst || src->Width() < 2 || src->Height() < 2 || dst->Width() < 2 || dst->Height() < 2)
    return false;
  FBmpSrc = src;
  FBmpDst = dst;
  FWidthDst = std::min(src->Width(), dst->Width());
  FHeightDst = std::min(src->Height(), dst->Height());
  FStartSrc = reinterpret_cast<const uint8_t*>(src->ScanLine(0));
  FStartDst = reinterpret_cast<uint8_t*>(dst->ScanLine(0));
  FDeltaSrc = reinterpret_cast<const uint8_t*>(src->ScanLine(1)) - FStartSrc;
  FDeltaDst = reinterpret_cast<uint8_t*>(dst->ScanLine(1)) - FStartDst;
  return true;
}

void TacFastSum32::BlendBitmapsRect() {
  if (!FBmpSrc || !FBmpDst) return;
  // Source row of destination row y is y - DstY2 + SrcY2, source column of x
  // is x - DstX1 + SrcX1.
  const int64_t sy0 = static_cast<int64_t>(DstY1) - DstY2 + SrcY2;
  const TCopySpan s = ClipSpan(SrcX1, sy0, DstX1, DstY1, static_cast<int64_t>(DstX2) - DstX1,
                               static_cast<int64_t>(DstY2) - DstY1, FBmpSrc->Width(), FBmpSrc->Height(),
                               FBmpDst->Width(), FBmpDst->Height());
  if (s.Empty()) return;
  auto row = [&](int32_t j) {
    uint32_t* d = FBmpDst->ScanLine(s.dy + j) + s.dx;
    const uint32_t* src = FBmpSrc->ScanLine(s.sy + j) + s.sx;
    KernelsFor(d, s.w, {src}).Blend(d, src, s.w, Alpha);
  };
  // Rows go bottom to top, which matters only when source and destination
  // share pixels; separate bitmaps go top down, the order memory prefetches best.
  if (SharePixels(*FBmpSrc, *FBmpDst)) {
    for (int32_t j = s.h - 1; j >= 0; --j) row(j);
  } else {
    for (int32_t j = 0; j < s.h; ++j) row(j);
  }
}

}  // namespace glyphora
