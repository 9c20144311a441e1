#include "skin/paint/premultiply.h"

#include <algorithm>

namespace glyphora {

namespace {
uint32_t Premultiply(uint32_t p) {
  const uint32_t a = p >> 24;
  if (a == 255) return p;
  if (a == 0) return 0;
  return (a << 24) | (uint32_t{PremultiplyByte((p >> 16) & 0xFF, a)} << 16) |
         (uint32_t{PremultiplyByte((p >> 8) & 0xFF, a)} << 8) | PremultiplyByte(p & 0xFF, a);
}
}  // namespace

void PremultiplyRect(const TBitmap32& src, const TRect32& srcRect, TBitmap32* dst, int32_t dstX, int32_t dstY) {
  if (!dst || src.Empty() || dst->Empty()) return;
  int64_t sx = srcRect.Left, sy = srcRect.Top, dx = dstX, dy = dstY;
  int64_t w = int64_t{srcRect.Right} - srcRect.Left, h = int64_t{srcRect.Bottom} - srcRect.Top;
  // Cut to src, then to dst, moving both corners together.
  auto cut = [&](int64_t& a, int64_t& b, int64_t& len, int64_t limitA, int64_t limitB) {
    if (a < 0) { len += a; b -= a; a = 0; }
    if (b < 0) { len += b; a -= b; b = 0; }
    len = std::min({len, limitA - a, limitB - b});
  };
  cut(sx, dx, w, src.Width(), dst->Width());
  cut(sy, dy, h, src.Height(), dst->Height());
  if (w <= 0 || h <= 0) return;
  for (int64_t y = 0; y < h; ++y) {
    const uint32_t* s = src.ScanLine(static_cast<int32_t>(sy + y)) + sx;
    uint32_t* d = dst->ScanLine(static_cast<int32_t>(dy + y)) + dx;
    for (int64_t x = 0; x < w; ++x) d[x] = Premultiply(s[x]);
  }
}

void ScalePremultiplied(TBitmap32* bmp, uint8_t alpha) {
  if (!bmp || alpha == 255) return;
  for (int32_t y = 0; y < bmp->Height(); ++y) {
    uint32_t* row = bmp->ScanLine(y);
    for (int32_t x = 0; x < bmp->Width(); ++x) {
      const uint32_t p = row[x];
      row[x] = (uint32_t{PremultiplyByte(p >> 24, alpha)} << 24) |
               (uint32_t{PremultiplyByte((p >> 16) & 0xFF, alpha)} << 16) |
               (uint32_t{PremultiplyByte((p >> 8) & 0xFF, alpha)} << 8) | PremultiplyByte(p & 0xFF, alpha);
    }
  }
}

}  // namespace glyphora
