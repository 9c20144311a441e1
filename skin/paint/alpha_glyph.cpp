#include "skin/paint/alpha_glyph.h"

#include <algorithm>
#include <cmath>

#include "base/color_convert.h"
#include "skin/paint/copy_detail.h"

namespace glyphora {

namespace {

// Colour bytes of a pixel as b, g, r.
struct TBytes {
  int c[3];
  explicit TBytes(uint32_t p) : c{int(p & 0xFF), int((p >> 8) & 0xFF), int((p >> 16) & 0xFF)} {}
  uint32_t Pack(uint32_t alpha) const {
    return uint32_t(c[0]) | (uint32_t(c[1]) << 8) | (uint32_t(c[2]) << 16) | (alpha << 24);
  }
};

// How a source pixel meets the destination: its own colour or the tint.
struct TGlyphBlend {
  bool tinted = false;
  int q[3] = {0, 0, 0};  // the tint's bytes as b, g, r

  explicit TGlyphBlend(TColor blendColor) {
    if (blendColor == clNone) return;
    const TColor c = ColorToRGB(blendColor);
    tinted = true;
    q[0] = int((c >> 16) & 0xFF);
    q[1] = int((c >> 8) & 0xFF);
    q[2] = int(c & 0xFF);
  }

  // The destination pixel d with source s laid over it at weight k; alpha kept.
  uint32_t Over(uint32_t d, uint32_t s, int k) const {
    TBytes dst(d), src(s);
    if (!tinted) {
      for (int i = 0; i < 3; ++i) dst.c[i] = ((src.c[i] - dst.c[i]) * k + dst.c[i] * 256) >> 8;
    } else {
      const int v = (src.c[0] + src.c[1] + src.c[2]) / 3;
      for (int i = 0; i < 3; ++i) {
        const int t = std::min(255, static_cast<int>(std::lround(v * q[i] / 255.0)));
        dst.c[i] = dst.c[i] + (((t - dst.c[i]) * k) >> 8);
      }
    }
    return dst.Pack(d >> 24);
  }
};

}  // namespace

void DrawAlphaGlyph(const TRect32& dstRect, const TRect32& srcRect, TBitmap32* dst, bool reflected, int transparency,
                    TColor blendColor, bool useCache, const TCacheInfo& ci, const TBitmap32* src) {
  if (!dst || !src || dst->Empty() || src->Empty()) return;
  const int t = std::clamp(transparency, 0, 100);
  const TCopySpan s = copy_detail::RectPairSpan(dstRect, srcRect, dst, src);
  if (s.Empty()) return;
  const TGlyphBlend blend(blendColor);
  const bool fromParent = useCache && ci.Ready && ci.Bmp;
  for (int32_t j = 0; j < s.h; ++j) {
    uint32_t* d = dst->ScanLine(s.dy + j) + s.dx;
    const uint32_t* sr = src->ScanLine(s.sy + j) + s.sx;
    const copy_detail::TParentSpan p =
        fromParent ? copy_detail::ParentSpan(s.w, s.dx, s.dy + j, ci) : copy_detail::TParentSpan{};
    for (int32_t i = 0; i < s.w; ++i) {
      const uint32_t px = sr[i];
      if (px == KeyColor32) {
        if (i >= p.first && i < p.last) d[i] = p.row[i - p.first];
        continue;
      }
      const int a = static_cast<int>(px >> 24);
      const int k = t == 0 ? a : (100 - t) * a / 100;
      uint32_t out = blend.Over(d[i], px, k);
      if (!blend.tinted && t == 0 && ci.Ready) out = (out & 0x00FFFFFFu) | (std::max(d[i] >> 24, px >> 24) << 24);
      d[i] = out;
    }
  }
  if (!reflected) return;
  // The mirror image: rows below the glyph take its rows from the bottom up,
  // fading out. A source under 4 rows high has no room for one (and would
  // divide by zero below); the rows never reach above the glyph's own.
  const int32_t half = src->Height() / 2;
  const int32_t glyphBottom = s.dy + s.h;  // first row below what was drawn
  int32_t rows = std::min(half - 1, dst->Height() - glyphBottom - 1);
  rows = std::min(rows, s.h - 1);
  if (half < 2 || rows <= 0) return;
  const int step = 255 / half;
  for (int32_t i = 1; i <= rows; ++i) {
    const int f = std::max(0, 255 - (i - 1) * step);
    uint32_t* d = dst->ScanLine(glyphBottom + i) + s.dx;
    const uint32_t* sr = src->ScanLine(s.sy + s.h - i - 1) + s.sx;
    for (int32_t x = 0; x < s.w; ++x) {
      const uint32_t px = sr[x];
      if (px == KeyColor32) continue;
      const int a = static_cast<int>(px >> 24);
      const int k = t != 0 ? ((100 - t) * a / 300) * f / 255 : f * (a / 3) / 255;
      d[x] = blend.Over(d[x], px, k);
    }
  }
}

}  // namespace glyphora
