#include "skin/paint/bevel_frame_win.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/handles.h"
#include "base/color_convert.h"

namespace glyphora {

namespace {

// GDI coordinates are limited to about 27 bits; axis-aligned lines cut to
// this range still cover every visible pixel.
int Coord(int64_t v) { return int(std::clamp<int64_t>(v, -(int64_t(1) << 26), int64_t(1) << 26)); }

int32_t Sat(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Frame numbers k in [0, count) for which a line at start + step * k lies in [lo, hi).
std::pair<int64_t, int64_t> Hits(int64_t start, int step, int64_t lo, int64_t hi, int64_t count) {
  int64_t a, b;  // k range, inclusive
  if (step > 0) {
    a = lo - start;
    b = hi - 1 - start;
  } else {
    a = start - (hi - 1);
    b = start - lo;
  }
  return {std::max<int64_t>(a, 0), std::min<int64_t>(b, count - 1)};
}

}  // namespace

void DrawBevelFrame(HDC dc, TRect32& r, TColor topLeft, int32_t& width, TColor bottomRight) {
  if (width <= 0) return;
  const int64_t count = width;
  const int64_t l = r.Left, t = r.Top, rr = int64_t(r.Right) - 1, b = int64_t(r.Bottom) - 1;
  r = {Sat(l + count), Sat(t + count), Sat(rr - count + 1), Sat(b - count + 1)};
  width = 0;
  if (!dc) return;
  RECT clip;
  const int kind = ::GetClipBox(dc, &clip);
  if (kind == ERROR || kind == NULLREGION) return;
  // Frame k has its columns at l + k and rr - k and its rows at t + k and
  // b - k; a frame with none of them in the clip box (widened by a pixel)
  // draws nothing visible.
  const int64_t cl = int64_t(clip.left) - 1, cr = int64_t(clip.right) + 1;
  const int64_t ct = int64_t(clip.top) - 1, cb = int64_t(clip.bottom) + 1;
  std::vector<std::pair<int64_t, int64_t>> ranges = {Hits(l, 1, cl, cr, count), Hits(rr, -1, cl, cr, count),
                                                     Hits(t, 1, ct, cb, count), Hits(b, -1, ct, cb, count)};
  std::sort(ranges.begin(), ranges.end());
  UniquePen first(::CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(topLeft))));
  UniquePen second(::CreatePen(PS_SOLID, 1, COLORREF(bottomRight)));
  if (!first || !second) return;
  SavedDC saved(dc);  // restored (pens deselected) before the pens are deleted
  ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  int64_t next = 0;  // frames below this one are drawn already
  for (const auto& [from, to] : ranges) {
    for (int64_t k = std::max(from, next); k <= to; ++k) {
      const int x1 = Coord(l + k), y1 = Coord(t + k), x2 = Coord(rr - k), y2 = Coord(b - k);
      const POINT a[3] = {{x1, y2}, {x1, y1}, {x2, y1}};
      const POINT c[3] = {{x2, y1}, {x2, y2}, {Coord(l + k - 1), y2}};
      ::SelectObject(dc, first.get());
      ::Polyline(dc, a, 3);
      ::SelectObject(dc, second.get());
      ::Polyline(dc, c, 3);
    }
    next = std::max(next, to + 1);
  }
}

}  // namespace glyphora
