#include "skin/paint/text_coverage.h"

#include <algorithm>

#include "base/color_convert.h"

namespace glyphora {

void BlendTextCoverage(TBitmap32* dst, const TBitmap32& rendered, int32_t x, int32_t y, TColor color) {
  if (!dst || dst->Empty() || rendered.Empty()) return;
  const TColor c = ColorToRGB(color);
  const uint32_t qr = c & 0xFF, qg = (c >> 8) & 0xFF, qb = (c >> 16) & 0xFF;
  // The overlap in the rendered text's coordinates, in 64 bits: any offset
  // is allowed, and no pointer is formed outside a row.
  const int64_t x0 = std::max<int64_t>(0, -int64_t(x)), x1 = std::min<int64_t>(rendered.Width(), int64_t(dst->Width()) - x);
  const int64_t y0 = std::max<int64_t>(0, -int64_t(y)), y1 = std::min<int64_t>(rendered.Height(), int64_t(dst->Height()) - y);
  for (int64_t j = y0; j < y1; ++j) {
    const uint32_t* s = rendered.ScanLine(int32_t(j));
    uint32_t* row = dst->ScanLine(int32_t(y + j));
    for (int64_t i = x0; i < x1; ++i) {
      uint32_t* d = row + (x + i);
      const uint32_t p = s[i];
      if ((p & 0xFFFFFFu) == 0xFFFFFFu) continue;
      const uint32_t v = ((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) / 3;
      const uint32_t o = *d;
      // d*v + q*(256 - v) is never negative, so the shift is plain.
      const uint32_t nb = ((o & 0xFF) * v + qb * (256 - v)) >> 8;
      const uint32_t ng = (((o >> 8) & 0xFF) * v + qg * (256 - v)) >> 8;
      const uint32_t nr = (((o >> 16) & 0xFF) * v + qr * (256 - v)) >> 8;
      *d = nb | (ng << 8) | (nr << 16) | 0xFF000000u;
    }
  }
}

}  // namespace glyphora
