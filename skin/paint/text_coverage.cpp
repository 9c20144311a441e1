#include "skin/paint/text_coverage.h"

#include <algorithm>

#include "base/color_convert.h"

namespace glyphora {

void BlendTextCoverage(TBitmap32* dst, const TBitmap32& rendered, int32_t x, int32_t y, TColor color) {
  if (!dst || dst->Empty() || rendered.Empty()) return;
  const TColor c = ColorToRGB(color);
  const uint32_t qr = c & 0xFF, qg = (c >> 8) & 0xFF, qb = (c >> 16) & 0xFF;
  const int32_t x0 = std::max(0, -x), x1 = std::min(rendered.Width(), dst->Width() - x);
  const int32_t y0 = std::max(0, -y), y1 = std::min(rendered.Height(), dst->Height() - y);
  for (int32_t j = y0; j < y1; ++j) {
    const uint32_t* s = rendered.ScanLine(j);
    uint32_t* d = dst->ScanLine(y + j) + x;
    for (int32_t i = x0; i < x1; ++i) {
      const uint32_t p = s[i];
      if ((p & 0xFFFFFFu) == 0xFFFFFFu) continue;
      const uint32_t v = ((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) / 3;
      const uint32_t o = d[i];
      // d*v + q*(256 - v) is never negative, so the shift is plain.
      const uint32_t nb = ((o & 0xFF) * v + qb * (256 - v)) >> 8;
      const uint32_t ng = (((o >> 8) & 0xFF) * v + qg * (256 - v)) >> 8;
      const uint32_t nr = (((o >> 16) & 0xFF) * v + qr * (256 - v)) >> 8;
      d[i] = nb | (ng << 8) | (nr << 16) | 0xFF000000u;
    }
  }
}

}  // namespace glyphora
