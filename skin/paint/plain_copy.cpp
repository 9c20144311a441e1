#include "skin/paint/plain_copy.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/paint/pixel_clip.h"

namespace glyphora {

void CopyBlock(TBitmap32* dst, int32_t dx, int32_t dy, const TBitmap32* src, int32_t sx, int32_t sy, int32_t w,
               int32_t h) {
  if (!dst || !src) return;
  const TCopySpan s = ClipSpan(sx, sy, dx, dy, w, h, src->Width(), src->Height(), dst->Width(), dst->Height());
  if (s.Empty()) return;
  const size_t bytes = static_cast<size_t>(s.w) * 4;
  // Walk rows away from the overlap when copying inside one bitmap.
  const bool up = src == dst && s.dy > s.sy;
  for (int32_t k = 0; k < s.h; ++k) {
    const int32_t j = up ? s.h - 1 - k : k;
    std::memmove(dst->ScanLine(s.dy + j) + s.dx, src->ScanLine(s.sy + j) + s.sx, bytes);
  }
}

void StretchBlock(TBitmap32* dst, const TRect32& dstRect, const TBitmap32* src, const TRect32& srcRect) {
  if (!dst || !src || src == dst) return;
  const int64_t dw = int64_t(dstRect.Right) - dstRect.Left, dh = int64_t(dstRect.Bottom) - dstRect.Top;
  const int64_t sw = int64_t(srcRect.Right) - srcRect.Left, sh = int64_t(srcRect.Bottom) - srcRect.Top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  const TClipped c = ClipRect(dstRect.Left, dstRect.Top, dstRect.Right, dstRect.Bottom, dst->Width(), dst->Height());
  if (c.Empty()) return;
  // Source column of every destination column; -1 when it lies outside src.
  std::vector<int32_t> cols(static_cast<size_t>(c.w));
  for (int32_t i = 0; i < c.w; ++i) {
    const int64_t sx = srcRect.Left + (int64_t(c.x) + i - dstRect.Left) * sw / dw;
    cols[size_t(i)] = (sx >= 0 && sx < src->Width()) ? int32_t(sx) : -1;
  }
  const bool whole = std::all_of(cols.begin(), cols.end(), [](int32_t v) { return v >= 0; });
  int64_t lastRow = -1;
  uint32_t* lastDst = nullptr;
  for (int32_t j = 0; j < c.h; ++j) {
    const int64_t sy = srcRect.Top + (int64_t(c.y) + j - dstRect.Top) * sh / dh;
    if (sy < 0 || sy >= src->Height()) continue;
    uint32_t* d = dst->ScanLine(c.y + j) + c.x;
    if (sy == lastRow && lastDst && whole) {
      std::memcpy(d, lastDst, static_cast<size_t>(c.w) * 4);  // same source row: repeat the row made before
    } else {
      const uint32_t* s = src->ScanLine(int32_t(sy));
      for (int32_t i = 0; i < c.w; ++i)
        if (cols[size_t(i)] >= 0) d[i] = s[cols[size_t(i)]];
    }
    lastRow = sy;
    lastDst = d;
  }
}

void TileBlock(TBitmap32* dst, const TRect32& dstRect, const TBitmap32* src, const TRect32& tile) {
  if (!dst || !src || src == dst) return;
  const TClipped t = ClipRect(tile.Left, tile.Top, tile.Right, tile.Bottom, src->Width(), src->Height());
  if (t.Empty()) return;
  const TClipped c = ClipRect(dstRect.Left, dstRect.Top, dstRect.Right, dstRect.Bottom, dst->Width(), dst->Height());
  if (c.Empty()) return;
  // Phase of the first visible column and row within the tile.
  const int32_t px = int32_t((int64_t(c.x) - dstRect.Left) % t.w);
  const int32_t py = int32_t((int64_t(c.y) - dstRect.Top) % t.h);
  for (int32_t j = 0; j < c.h; ++j) {
    const uint32_t* s = src->ScanLine(t.y + (py + j) % t.h) + t.x;
    uint32_t* d = dst->ScanLine(c.y + j) + c.x;
    int32_t i = 0, phase = px;
    while (i < c.w) {
      const int32_t n = std::min(t.w - phase, c.w - i);
      std::memcpy(d + i, s + phase, static_cast<size_t>(n) * 4);
      i += n;
      phase = 0;
    }
  }
}

}  // namespace glyphora
