// Clipping of a rectangle copy between two bitmaps, in 64-bit arithmetic so
// that huge or negative rectangles and offsets cannot overflow.
#pragma once
#include <algorithm>
#include <cstdint>

namespace glyphora {

// A block of w x h pixels from (sx, sy) of a source to (dx, dy) of a
// destination, every position inside both bitmaps.
struct TCopySpan {
  int32_t sx = 0, sy = 0, dx = 0, dy = 0, w = 0, h = 0;
  bool Empty() const { return w <= 0 || h <= 0; }
};

// Cuts the block (sx, sy, w, h) -> (dx, dy) down to the part that lies inside
// a sw x sh source and a dw x dh destination.
inline TCopySpan ClipSpan(int64_t sx, int64_t sy, int64_t dx, int64_t dy, int64_t w, int64_t h,
                          int64_t sw, int64_t sh, int64_t dw, int64_t dh) {
  TCopySpan out;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return out;
  const int64_t shiftX = std::max<int64_t>({0, -sx, -dx});
  const int64_t shiftY = std::max<int64_t>({0, -sy, -dy});
  sx += shiftX; dx += shiftX; w -= shiftX;
  sy += shiftY; dy += shiftY; h -= shiftY;
  w = std::min({w, sw - sx, dw - dx});
  h = std::min({h, sh - sy, dh - dy});
  if (w <= 0 || h <= 0) return out;
  out.sx = static_cast<int32_t>(sx); out.sy = static_cast<int32_t>(sy);
  out.dx = static_cast<int32_t>(dx); out.dy = static_cast<int32_t>(dy);
  out.w = static_cast<int32_t>(w); out.h = static_cast<int32_t>(h);
  return out;
}

// A rectangle (Right, Bottom exclusive) cut to a w x h bitmap.
struct TClipped {
  int32_t x = 0, y = 0, w = 0, h = 0;
  bool Empty() const { return w <= 0 || h <= 0; }
};
inline TClipped ClipRect(int64_t left, int64_t top, int64_t right, int64_t bottom, int64_t bw, int64_t bh) {
  TClipped c;
  left = std::max<int64_t>(left, 0);
  top = std::max<int64_t>(top, 0);
  right = std::min<int64_t>(right, bw);
  bottom = std::min<int64_t>(bottom, bh);
  if (right <= left || bottom <= top) return c;
  c.x = static_cast<int32_t>(left); c.y = static_cast<int32_t>(top);
  c.w = static_cast<int32_t>(right - left); c.h = static_cast<int32_t>(bottom - top);
  return c;
}

}  // namespace glyphora
