#include "skin/paint/frame_fill.h"

#include <algorithm>

#include "base/color_convert.h"
#include "skin/paint/pixel_fill.h"
#include "skin/paint/plain_copy.h"

namespace glyphora {

namespace {
int32_t Sat(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }
}  // namespace

void FillFrame32(TBitmap32* bmp, const TRect32& r, TColor color, int32_t wl, int32_t wt, int32_t wr, int32_t wb) {
  const int64_t L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  FillPixels32(bmp, {r.Left, r.Top, r.Right, Sat(T + wt)}, color);
  FillPixels32(bmp, {r.Left, Sat(T + wt), Sat(L + wl), r.Bottom}, color);
  FillPixels32(bmp, {Sat(L + wl), Sat(B - wb), r.Right, r.Bottom}, color);
  FillPixels32(bmp, {Sat(R - wr), Sat(T + wt), r.Right, Sat(B - wb)}, color);
}

void CopyFrame32(TBitmap32* dst, int32_t x, int32_t y, int32_t width, int32_t height, const TBitmap32* src,
                 int32_t sx, int32_t sy, int32_t bw) {
  if (bw <= 0 || width <= 0 || height <= 0) return;
  const int64_t X = x, Y = y, SX = sx, SY = sy;
  auto copy = [&](int64_t dx, int64_t dy, int64_t w, int64_t h) {
    // Source and destination move together; positions past 32 bits reach no bitmap.
    const int64_t ox = dx - X, oy = dy - Y;
    if (dx != Sat(dx) || dy != Sat(dy) || SX + ox != Sat(SX + ox) || SY + oy != Sat(SY + oy)) return;
    CopyBlock(dst, int32_t(dx), int32_t(dy), src, int32_t(SX + ox), int32_t(SY + oy), Sat(w), Sat(h));
  };
  copy(X, Y, bw, height);
  copy(X + bw, Y, width, bw);
  copy(X + width - bw, Y + bw, bw, height);
  copy(X + bw, Y + height - bw, width, bw);
}

void DrawDottedFrame32(TBitmap32* bmp, const TRect32& r, TColor color1, TColor color2) {
  if (!bmp) return;
  const int64_t w = int64_t(r.Right) - r.Left, h = int64_t(r.Bottom) - r.Top;
  const int64_t L = r.Left, T = r.Top, R = int64_t(r.Right) - 1, B = int64_t(r.Bottom) - 1;
  const uint32_t c1 = SwapRedBlue(ColorToRGB(color1)), c2 = SwapRedBlue(ColorToRGB(color2));
  auto put = [&](int64_t x, int64_t y, uint32_t c) {
    if (x < 0 || y < 0 || x >= bmp->Width() || y >= bmp->Height()) return;
    uint32_t& p = bmp->ScanLine(int32_t(y))[x];
    p = (p & 0xFF000000u) | c;
  };
  // Only dots that can land in the bitmap are visited.
  const int64_t limit = int64_t(bmp->Width()) + bmp->Height() + 2;
  for (int64_t i = std::max<int64_t>(0, -L / 3 - 1); i <= w / 3 && L + 3 * i <= limit; ++i) {
    put(L + 3 * i, T, c2);
    put(L + 3 * i, B, c2);
    put(L + 3 * i - 1, T, c1);
    put(L + 3 * i - 1, B, c1);
  }
  for (int64_t i = std::max<int64_t>(0, -T / 3 - 1); i <= h / 3 && T + 3 * i <= limit; ++i) {
    put(L, T + 3 * i, c2);
    put(R, T + 3 * i, c2);
    put(L, T + 3 * i - 1, c1);
    put(R, T + 3 * i - 1, c1);
  }
}

}  // namespace glyphora
