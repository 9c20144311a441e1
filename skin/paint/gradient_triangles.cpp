// Kind 2 gradients: four Gouraud-shaded triangles meeting at R's centre.
// Colours are interpolated at pixel centres in 16 bits per channel (byte *
// 256) and truncated to bytes; each row is cut into the spans the triangles
// cover, and colour steps by a constant along a span.
#include <algorithm>
#include <cmath>

#include "base/color_convert.h"
#include "skin/paint/gradient_detail.h"
#include "base/pixel_kernels.h"
#include "base/round_even.h"

namespace glyphora::gradient_detail {
namespace {

struct TVertex {
  double x, y;
  double c[3];  // blue, green, red as 16-bit values
};

// One triangle: its three edges as a*x + b*y + e >= 0 inside, and each
// channel as the plane cx*x + cy*y + c0.
struct TTriangle {
  double ea[3], eb[3], ee[3];
  double cx[3], cy[3], c0[3];
};

bool MakeTriangle(const TVertex& p, const TVertex& q, const TVertex& r, TTriangle& t) {
  const double area = (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
  if (area == 0) return false;
  const TVertex* v[3] = {&p, &q, &r};
  const double sign = area > 0 ? 1.0 : -1.0;
  for (int i = 0; i < 3; ++i) {
    const TVertex& a = *v[i];
    const TVertex& b = *v[(i + 1) % 3];
    // Edge a->b; inside is on the side of the third vertex.
    t.ea[i] = -(b.y - a.y) * sign;
    t.eb[i] = (b.x - a.x) * sign;
    t.ee[i] = -(t.ea[i] * a.x + t.eb[i] * a.y);
  }
  for (int ch = 0; ch < 3; ++ch) {
    const double d1 = q.c[ch] - p.c[ch], d2 = r.c[ch] - p.c[ch];
    t.cx[ch] = (d1 * (r.y - p.y) - d2 * (q.y - p.y)) / area;
    t.cy[ch] = (d2 * (q.x - p.x) - d1 * (r.x - p.x)) / area;
    t.c0[ch] = p.c[ch] - t.cx[ch] * p.x - t.cy[ch] * p.y;
  }
  return true;
}

}  // namespace

void PaintTriangleGradient(TBitmap32* bmp, const TRect32& r, const TsGradArray& g) {
  if (!bmp || g.empty()) return;
  const TClipped clip = ClipRect(r.Left, r.Top, r.Right, r.Bottom, bmp->Width(), bmp->Height());
  if (clip.Empty()) return;
  const int64_t w = static_cast<int64_t>(r.Right) - r.Left, h = static_cast<int64_t>(r.Bottom) - r.Top;
  // Vertex colours: a missing segment repeats the previous vertex's colour.
  TColor colours[5];
  for (size_t i = 0; i < 5; ++i) colours[i] = i < g.size() ? g[i].Color1 : colours[i - 1];
  const double px[5] = {static_cast<double>(r.Left), static_cast<double>(r.Left + w / 2), static_cast<double>(r.Right),
                        static_cast<double>(r.Right), static_cast<double>(r.Left)};
  const double py[5] = {static_cast<double>(r.Top), static_cast<double>(r.Top + h / 2), static_cast<double>(r.Top),
                        static_cast<double>(r.Bottom), static_cast<double>(r.Bottom)};
  TVertex v[5];
  for (int i = 0; i < 5; ++i) {
    const uint32_t pix = ColorToPixel(colours[i]);
    v[i] = TVertex{px[i], py[i], {(pix & 0xFF) * 256.0, ((pix >> 8) & 0xFF) * 256.0, ((pix >> 16) & 0xFF) * 256.0}};
  }
  // Top, right, left and bottom around the centre vertex 1.
  const int idx[4][3] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  TTriangle tri[4];
  int count = 0;
  for (const auto& t : idx)
    if (MakeTriangle(v[t[0]], v[t[1]], v[t[2]], tri[count])) ++count;
  const uint32_t fallback = ColorToPixel(colours[0]);
  const auto ramp = ActiveKernels().Ramp;
  constexpr double kEps = 1e-9;  // centres on a shared edge belong to both sides
  for (int32_t y = clip.y; y < clip.y + clip.h; ++y) {
    uint32_t* row = bmp->ScanLine(y);
    const double cy = y + 0.5;
    struct TSpan {
      int32_t lo, hi;
    } spans[4];
    int spanCount = 0;
    for (int i = 0; i < count; ++i) {
      const TTriangle& t = tri[i];
      // Pixel centres x + 0.5 with every edge function >= 0.
      double lo = clip.x, hi = static_cast<double>(clip.x) + clip.w - 1;
      bool empty = false;
      for (int e = 0; e < 3 && !empty; ++e) {
        const double a = t.ea[e], rest = t.eb[e] * cy + t.ee[e];
        if (a == 0) {
          empty = rest < -kEps;
        } else if (a > 0) {
          lo = std::max(lo, std::ceil((-rest - kEps) / a - 0.5));
        } else {
          hi = std::min(hi, std::floor((-rest - kEps) / a - 0.5));
        }
      }
      if (empty || lo > hi) continue;
      const int32_t x0 = static_cast<int32_t>(lo), x1 = static_cast<int32_t>(hi);
      // 16-bit colour with 8 fraction bits (24.8 in 32 bits), stepped per
      // pixel; the byte is the value >> 16, saturated.
      int32_t c[3], step[3];
      for (int ch = 0; ch < 3; ++ch) {
        c[ch] = static_cast<int32_t>(RoundEven((t.cx[ch] * (x0 + 0.5) + t.cy[ch] * cy + t.c0[ch]) * 256.0));
        step[ch] = static_cast<int32_t>(RoundEven(t.cx[ch] * 256.0));
      }
      ramp(row + x0, x1 - x0 + 1, c, step);
      spans[spanCount++] = TSpan{x0, x1};
    }
    // Pixels no triangle covers (only degenerate shapes leave any) take the
    // first colour; filling just those keeps to one write per pixel.
    // At most four spans: a plain insertion sort.
    for (int i = 1; i < spanCount; ++i)
      for (int j = i; j > 0 && spans[j].lo < spans[j - 1].lo; --j) std::swap(spans[j], spans[j - 1]);
    int32_t next = clip.x;
    for (int i = 0; i < spanCount; ++i) {
      if (spans[i].lo > next) std::fill(row + next, row + spans[i].lo, fallback);
      next = std::max(next, spans[i].hi + 1);
    }
    if (next < clip.x + clip.w) std::fill(row + next, row + clip.x + clip.w, fallback);
  }
}

}  // namespace glyphora::gradient_detail
