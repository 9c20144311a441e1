#include "skin/paint/texture_fill.h"

#include <algorithm>

#include "skin/paint/mask_image.h"
#include "skin/paint/masked_copy.h"
#include "skin/paint/pixel_clip.h"
#include "skin/paint/pixel_fill.h"
#include "skin/paint/plain_copy.h"
#include "skin/paint/tile_graphic.h"

namespace glyphora {

namespace {

int32_t Sat(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The part of a rectangle inside the bounds rectangle.
TRect32 Intersect(const TRect32& a, const TRect32& b) {
  return TRect32{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                 std::min(a.Bottom, b.Bottom)};
}

}  // namespace

void FillFromParent(TBitmap32* dst, const TRect32& rect, const TCacheInfo& ci) {
  if (!dst) return;
  const TClipped c = ClipRect(rect.Left, rect.Top, rect.Right, rect.Bottom, dst->Width(), dst->Height());
  if (c.Empty()) return;
  if (!ci.Ready) {
    FillPixels32(dst, {c.x, c.y, c.x + c.w, c.y + c.h}, ci.FillColor);
  } else if (ci.Bmp && ci.Bmp != dst) {
    const int64_t sx = int64_t(ci.X) + c.x, sy = int64_t(ci.Y) + c.y;
    // Source positions beyond 32 bits cannot lie in any bitmap.
    if (sx < INT32_MIN || sx > INT32_MAX || sy < INT32_MIN || sy > INT32_MAX) return;
    CopyBlock(dst, c.x, c.y, ci.Bmp, int32_t(sx), int32_t(sy), c.w, c.h);
  }
}

void FillWithImage(TBitmap32* dst, TRect32& r, const TBitmap32* image, int fillMode, const TsMaskData& m) {
  if (!dst) return;
  if (image && !image->Empty()) {
    TileGraphic(dst, r, image);
    r = kNothingLeft;
    return;
  }
  const TBitmap32* src = ImageSource(m);
  if (!src) return;
  const int64_t w64 = int64_t(m.R.Right) - m.R.Left, h64 = int64_t(m.R.Bottom) - m.R.Top;
  // An empty rectangle or tile draws nothing and leaves R as it is.
  if (w64 <= 0 || h64 <= 0 || w64 > INT32_MAX || h64 > INT32_MAX || r.Left >= r.Right || r.Top >= r.Bottom) return;
  const int32_t w = int32_t(w64), h = int32_t(h64);
  const TRect32 q = r;
  switch (fillMode) {
    case tfTile:
      TileBlock(dst, q, src, m.R);
      r = kNothingLeft;
      break;
    case tfStretch:
      StretchBlock(dst, q, src, m.R);
      r = kNothingLeft;
      break;
    case tfTopRow:
      TileBlock(dst, Intersect(q, {q.Left, q.Top, q.Right, Sat(int64_t(q.Top) + h)}), src, m.R);
      r = {q.Left, Sat(int64_t(q.Top) + h), q.Right, q.Bottom};
      break;
    case tfLeftColumn:
      TileBlock(dst, Intersect(q, {q.Left, q.Top, Sat(int64_t(q.Left) + w), q.Bottom}), src, m.R);
      r = {Sat(int64_t(q.Left) + w), q.Top, q.Right, q.Bottom};
      break;
    case tfTopStrip: {
      const TRect32 strip{q.Left, q.Top, q.Right, Sat(int64_t(q.Top) + h)};
      // Stretched over the strip, cut to R.
      if (strip.Bottom <= q.Bottom) StretchBlock(dst, strip, src, m.R);
      else StretchBlock(dst, q, src, {m.R.Left, m.R.Top, m.R.Right, Sat(int64_t(m.R.Top) + q.Bottom - q.Top)});
      r = {q.Left, strip.Bottom, q.Right, q.Bottom};
      break;
    }
    case tfLeftStrip: {
      const TRect32 strip{q.Left, q.Top, Sat(int64_t(q.Left) + w), q.Bottom};
      if (strip.Right <= q.Right) StretchBlock(dst, strip, src, m.R);
      else StretchBlock(dst, q, src, {m.R.Left, m.R.Top, Sat(int64_t(m.R.Left) + q.Right - q.Left), m.R.Bottom});
      r = {strip.Right, q.Top, q.Right, q.Bottom};
      break;
    }
    case tfBottomRow: {
      // Tiles anchored at the bottom edge: the tile's top row lands at Bottom - h.
      const TRect32 strip{q.Left, Sat(int64_t(q.Bottom) - h), q.Right, q.Bottom};
      const TRect32 cut = Intersect(q, strip);
      if (cut.Top < cut.Bottom) {
        const int32_t skip = cut.Top - strip.Top;
        TileBlock(dst, cut, src, {m.R.Left, m.R.Top + skip, m.R.Right, m.R.Bottom});
      }
      r = {q.Left, q.Top, q.Right, strip.Top};
      break;
    }
    case tfWholeRows: {
      // Rows start while y < Bottom - h.
      const int64_t room = int64_t(q.Bottom) - h - q.Top;
      const int64_t rows = room > 0 ? (room + h - 1) / h : 0;
      TileBlock(dst, {q.Left, q.Top, q.Right, Sat(int64_t(q.Top) + rows * h)}, src, m.R);
      r = kNothingLeft;
      break;
    }
    default: {  // tfRightColumn and unknown modes
      const TRect32 strip{Sat(int64_t(q.Right) - w), q.Top, q.Right, q.Bottom};
      const TRect32 cut = Intersect(q, strip);
      if (cut.Left < cut.Right) {
        const int32_t skip = cut.Left - strip.Left;
        TileBlock(dst, cut, src, {m.R.Left + skip, m.R.Top, m.R.Right, m.R.Bottom});
      }
      r = {q.Left, q.Top, strip.Left, q.Bottom};
      break;
    }
  }
}

void FillWithMaskedImage(TBitmap32* dst, TRect32& r, const TCacheInfo& ci, int fillMode, const TsMaskData& m) {
  if (!dst || (fillMode != tfTile && fillMode != tfWholeRows)) return;
  const TBitmap32* src = ImageSource(m);
  const int32_t w = FrameWidth(m), h = FrameHeight(m);
  if (!src || w <= 0 || h <= 0 || r.Left >= r.Right || r.Top >= r.Bottom) return;
  // Only tiles that touch the bitmap are visited.
  const TRect32 q = r;
  const int64_t x0 = q.Left, y0 = q.Top;
  const int64_t firstCol = std::max<int64_t>(0, (0 - x0) / w), firstRow = std::max<int64_t>(0, (0 - y0) / h);
  const int64_t right = std::min<int64_t>(q.Right, dst->Width()), bottom = std::min<int64_t>(q.Bottom, dst->Height());
  int64_t endX = q.Right, endY = q.Bottom;
  if (fillMode == 10) {
    endX = x0 + (int64_t(q.Right) - x0) / w * w;
    endY = y0 + (int64_t(q.Bottom) - y0) / h * h;
  }
  for (int64_t y = y0 + firstRow * h; y < std::min(endY, bottom); y += h) {
    for (int64_t x = x0 + firstCol * w; x < std::min(endX, right); x += w) {
      const TRect32 d{int32_t(x), int32_t(y), int32_t(std::min(x + w, endX)), int32_t(std::min(y + h, endY))};
      CopyMasked(d, TRect32{m.R.Left, m.R.Top, m.R.Left + w, m.R.Top + h}, dst, h, true, ci, src);
    }
  }
  if (fillMode == 10) {
    FillFromParent(dst, {int32_t(endX), q.Top, q.Right, q.Bottom}, ci);
    FillFromParent(dst, {q.Left, int32_t(endY), int32_t(endX), q.Bottom}, ci);
  }
  r = kNothingLeft;
}

}  // namespace glyphora
