// Kind 2 gradients: four Gouraud-shaded triangles meeting at R's centre,
// interpolated at pixel centres in 16-bit-per-channel colour.
#include <algorithm>
#include <cmath>

#include "skin/paint/color_convert.h"
#include "skin/paint/gradient_detail.h"

namespace glyphora::gradient_detail {
namespace {

struct TVertex {
  double x, y;
  double c[3];  // blue, green, red as 16-bit values (byte * 256)
};

struct TTriangle {
  const TVertex *a, *b, *c;
  double area;  // twice the signed area
};

inline double Edge(const TVertex& p, const TVertex& q, double x, double y) {
  return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
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
    v[i] = TVertex{px[i], py[i], {((pix >> 0) & 0xFF) * 256.0, ((pix >> 8) & 0xFF) * 256.0, ((pix >> 16) & 0xFF) * 256.0}};
  }
  const int idx[4][3] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  TTriangle tri[4];
  int count = 0;
  for (const auto& t : idx) {
    const double area = Edge(v[t[0]], v[t[1]], v[t[2]].x, v[t[2]].y);
    if (area != 0) tri[count++] = TTriangle{&v[t[0]], &v[t[1]], &v[t[2]], area};
  }
  for (int32_t y = clip.y; y < clip.y + clip.h; ++y) {
    uint32_t* row = bmp->ScanLine(y);
    const double cy = y + 0.5;
    for (int32_t x = clip.x; x < clip.x + clip.w; ++x) {
      const double cx = x + 0.5;
      // The triangle holding the pixel centre most deeply; neighbours share
      // edge colours, so the choice on an edge does not matter.
      double best = -1e300, wa = 1, wb = 0, wc = 0;
      const TTriangle* pick = nullptr;
      for (int i = 0; i < count; ++i) {
        const TTriangle& t = tri[i];
        const double la = Edge(*t.b, *t.c, cx, cy) / t.area, lb = Edge(*t.c, *t.a, cx, cy) / t.area;
        const double lc = 1.0 - la - lb;
        const double m = std::min({la, lb, lc});
        if (m > best) { best = m; pick = &t; wa = la; wb = lb; wc = lc; }
      }
      uint32_t out = 0xFF000000u;
      for (int ch = 0; ch < 3; ++ch) {
        double c16 = pick ? wa * pick->a->c[ch] + wb * pick->b->c[ch] + wc * pick->c->c[ch] : v[0].c[ch];
        c16 = std::clamp(c16, 0.0, 65280.0);
        out |= static_cast<uint32_t>(static_cast<int>(c16) >> 8) << (8 * ch);
      }
      row[x] = out;
    }
  }
}

}  // namespace glyphora::gradient_detail
