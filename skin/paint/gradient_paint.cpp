// Vertical and horizontal gradients, plain and textured.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/color_convert.h"
#include "skin/paint/gradient.h"
#include "skin/paint/gradient_detail.h"
#include "skin/paint/pixel_clip.h"
#include "base/pixel_kernels.h"
#include "base/round_even.h"

// Colour stepping must give the same bytes in every build: a compiler that
// keeps doubles at x87 precision (i686 without -mfpmath=sse) rounds differently.
static_assert(FLT_EVAL_METHOD == 0, "build with -msse2 -mfpmath=sse");

namespace glyphora {
namespace gradient_detail {

void StepColors(int64_t a, int64_t b, TColor c1, TColor c2, const std::function<void(int64_t, uint32_t)>& put) {
  const int64_t steps = b - a;
  if (steps <= 0) return;
  if (c1 == c2) {
    const uint32_t px = ColorToPixel(c1);
    for (int64_t pos = a; pos <= b; ++pos) put(pos, px);
    return;
  }
  float acc[3];
  double inc[3];
  for (int c = 0; c < 3; ++c) {
    const int v1 = (c1 >> (8 * c)) & 0xFF, v2 = (c2 >> (8 * c)) & 0xFF;
    acc[c] = static_cast<float>(v1);
    inc[c] = static_cast<double>(v2 - v1) / static_cast<double>(steps);
  }
  for (int64_t pos = a; pos <= b; ++pos) {
    uint32_t rgb = 0;  // colour-value order: red in byte 0
    for (int c = 0; c < 3; ++c) {
      rgb |= RoundByte(acc[c]) << (8 * c);
      acc[c] = static_cast<float>(static_cast<double>(acc[c]) + inc[c]);
    }
    put(pos, ColorToPixel(rgb));
  }
}

void ForEachSegment(const TsGradArray& g, int32_t kind, const TClipped& r, int32_t offset,
                    const std::function<void(int64_t, int64_t, const TsGradPie&)>& segment) {
  const bool vertical = kind == 0;
  const int64_t last = vertical ? static_cast<int64_t>(r.y) + r.h - 1 : static_cast<int64_t>(r.x) + r.w - 1;
  int64_t start = vertical ? static_cast<int64_t>(r.y) + offset : r.x;
  for (size_t i = 0; i < g.size(); ++i) {
    int64_t end;
    if (i + 1 == g.size()) {
      end = last;
    } else if (vertical) {
      end = std::min(last, start + (static_cast<int64_t>(r.h) + offset) * g[i].Percent / 100);
    } else {
      end = std::min(last, RoundEven(g[i].Percent * static_cast<double>(r.w) / 100.0 + static_cast<double>(start)));
    }
    if (end > start) segment(start, end, g[i]);
    start = end;
  }
}

}  // namespace gradient_detail

using namespace gradient_detail;

namespace {

TClipped ClipGradientRect(const TBitmap32* bmp, const TRect32& r) {
  return ClipRect(r.Left, r.Top, r.Right, r.Bottom, bmp->Width(), bmp->Height());
}

// The gradient colours of one horizontal row of R, indexed from r.x, cut to
// the columns some segment painted. Segments run on from each other from
// r.x, so those columns are one run from r.x; it is empty when no segment has
// room (a rectangle one pixel wide), and then nothing is painted.
std::vector<uint32_t> HorizontalRow(const TsGradArray& g, const TClipped& r) {
  std::vector<uint32_t> row(static_cast<size_t>(r.w));
  size_t painted = 0;
  ForEachSegment(g, 1, r, 0, [&](int64_t a, int64_t b, const TsGradPie& p) {
    StepColors(a, b, p.Color1, p.Color2, [&](int64_t x, uint32_t px) { row[static_cast<size_t>(x - r.x)] = px; });
    painted = std::max(painted, static_cast<size_t>(b - r.x + 1));
  });
  row.resize(painted);
  return row;
}

}  // namespace

void PaintGradient(TBitmap32* bmp, const TRect32& r, const TsGradArray& gradient, int32_t offset) {
  if (!bmp || gradient.empty()) return;
  const TClipped c = ClipGradientRect(bmp, r);
  if (c.Empty()) return;
  // Every caller passes 0; a wild offset is bounded so that stepping through
  // the rows before R stays short.
  offset = std::clamp<int32_t>(offset, -(1 << 20), 1 << 20);
  switch (gradient[0].Mode1) {
    case 0:
      ForEachSegment(gradient, 0, c, offset, [&](int64_t a, int64_t b, const TsGradPie& p) {
        StepColors(a, b, p.Color1, p.Color2, [&](int64_t y, uint32_t px) {
          if (y >= c.y && y < c.y + c.h) std::fill_n(bmp->ScanLine(static_cast<int32_t>(y)) + c.x, c.w, px);
        });
      });
      break;
    case 1: {
      // One row of arithmetic, copied into every row.
      const std::vector<uint32_t> row = HorizontalRow(gradient, c);
      if (row.empty()) break;
      for (int32_t y = c.y; y < c.y + c.h; ++y)
        std::memcpy(bmp->ScanLine(y) + c.x, row.data(), row.size() * sizeof(uint32_t));
      break;
    }
    case 2:
      PaintTriangleGradient(bmp, r, gradient);
      break;
    default:
      break;
  }
}

namespace {

// The tile's row ty laid out from column x0 over n pixels, repeating every tw
// pixels from the bitmap's origin.
void WrappedRow(uint32_t* out, const uint32_t* tileRow, int32_t tw, int32_t x0, int32_t n) {
  int32_t col = x0 % tw;
  int32_t done = 0;
  while (done < n) {
    const int32_t len = std::min(tw - col, n - done);
    std::memcpy(out + done, tileRow + col, static_cast<size_t>(len) * sizeof(uint32_t));
    done += len;
    col = 0;
  }
}

}  // namespace

void PaintGradientTextured(TBitmap32* bmp, const TRect32& r, const TsGradArray& gradient, uint8_t factor,
                           const TRect32& textureRect, const TBitmap32* texture) {
  if (!bmp || !texture || gradient.empty()) return;
  const int32_t kind = gradient[0].Mode1;
  if (kind != 0 && kind != 1) return;
  const TClipped c = ClipGradientRect(bmp, r);
  if (c.Empty()) return;
  TRect32 tr = textureRect;
  if (tr.Left >= tr.Right || tr.Top >= tr.Bottom) tr = TRect32{0, 0, texture->Width(), texture->Height()};
  // A tile starting outside the texture has nothing to show.
  if (tr.Left < 0 || tr.Top < 0) return;
  int64_t tw = std::max<int64_t>(0, static_cast<int64_t>(tr.Right) - tr.Left);
  int64_t th = std::max<int64_t>(0, static_cast<int64_t>(tr.Bottom) - tr.Top);
  if (tr.Top + th > texture->Height() - 1) th = static_cast<int64_t>(texture->Height()) - tr.Top - 1;
  if (tr.Left + tw > texture->Width() - 1) tw = static_cast<int64_t>(texture->Width()) - tr.Left - 1;
  if (tw <= 0 || th <= 0) return;
  const int32_t tileW = static_cast<int32_t>(tw), tileH = static_cast<int32_t>(th);

  const TPixelKernels& k = KernelsForRow(c.w);
  // The tile's rows laid out across R, made once each when they fit in a
  // few megabytes, else per row.
  const bool cacheRows = static_cast<int64_t>(tileH) * c.w <= (int64_t{1} << 20);
  // The rows live in a buffer kept by the thread for the next call (at most
  // 4 MB): a fresh block of this size per paint is slow to get under Wine.
  static thread_local std::vector<uint32_t> rows;
  const size_t need = static_cast<size_t>(c.w) * (cacheRows ? static_cast<size_t>(tileH) : 1);
  if (rows.size() < need) rows.resize(need);
  uint32_t* const tex = rows.data();
  std::vector<bool> made(cacheRows ? static_cast<size_t>(tileH) : 0, false);
  auto textureRow = [&](int32_t y) {
    const int32_t ty = y % tileH;
    uint32_t* out = tex + (cacheRows ? static_cast<size_t>(ty) * static_cast<size_t>(c.w) : 0);
    if (!cacheRows || !made[static_cast<size_t>(ty)]) {
      WrappedRow(out, texture->ScanLine(tr.Top + ty) + tr.Left, tileW, c.x, c.w);
      if (cacheRows) made[static_cast<size_t>(ty)] = true;
    }
    return out;
  };
  if (kind == 0) {
    ForEachSegment(gradient, 0, c, 0, [&](int64_t a, int64_t b, const TsGradPie& p) {
      StepColors(a, b, p.Color1, p.Color2, [&](int64_t y, uint32_t px) {
        if (y < c.y || y >= c.y + c.h) return;
        uint32_t* d = bmp->ScanLine(static_cast<int32_t>(y)) + c.x;
        k.MixColor(d, textureRow(static_cast<int32_t>(y)), c.w, factor, px, 0xFF000000u);
      });
    });
    return;
  }
  const std::vector<uint32_t> g = HorizontalRow(gradient, c);
  const int32_t w = static_cast<int32_t>(g.size());
  if (w == 0) return;
  for (int32_t y = c.y; y < c.y + c.h; ++y) {
    uint32_t* d = bmp->ScanLine(y) + c.x;
    if (y - c.y >= tileH) {
      // The texture repeats every tileH rows, and so does the mixed result.
      std::memcpy(d, bmp->ScanLine(y - tileH) + c.x, static_cast<size_t>(w) * sizeof(uint32_t));
      continue;
    }
    k.Mix(d, textureRow(y), g.data(), w, factor, 0xFF000000u);
  }
}

}  // namespace glyphora
