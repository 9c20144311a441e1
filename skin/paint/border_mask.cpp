#include "skin/paint/border_mask.h"

#include <algorithm>

#include "skin/paint/keyed_copy.h"
#include "skin/paint/mask_image.h"
#include "skin/paint/masked_copy.h"
#include "skin/paint/plain_copy.h"

namespace glyphora {

void FitBorderWidths(int32_t size, int32_t& lead, int32_t& trail) {
  if (size < int64_t(lead) + trail) {
    const int32_t e = int32_t((int64_t(lead) + trail - size) / 2);
    lead -= e;
    trail -= e;
    if (size % 2 != 0) --trail;
  }
  lead = std::max(lead, 0);
  trail = std::max(trail, 0);
}

namespace {

struct TPiece {
  int32_t sx, sy, w, h;
};

class TBorderPainter {
 public:
  TBorderPainter(TBitmap32* dst, const TBitmap32* src, const TsMaskData& m, bool useCache, const TCacheInfo& ci)
      : dst_(dst), src_(src), masked_(m.MaskType != 0), stretch_((m.DrawMode & 1) != 0), fh_(FrameHeight(m)),
        useCache_(useCache), ci_(ci) {}

  void Corner(const TPiece& p, int32_t x, int32_t y) {
    if (p.w <= 0 || p.h <= 0) return;
    if (masked_) {
      CopyMasked({x, y, x + p.w, y + p.h}, {p.sx, p.sy, p.sx + p.w, p.sy + p.h}, dst_, fh_, useCache_, ci_, src_);
    } else {
      CopyKeyedOverBackground(dst_, src_, x, useCache_, ci_, clNoneMarker,
                              {p.sx, p.sy, p.sx + p.w - 1, p.sy + p.h - 1}, y);
    }
  }

  // A side or the centre: the piece repeated (or stretched) over dest.
  void Fill(const TPiece& p, const TRect32& dest) {
    if (p.w <= 0 || p.h <= 0 || dest.Left >= dest.Right || dest.Top >= dest.Bottom) return;
    const TRect32 tile{p.sx, p.sy, p.sx + p.w, p.sy + p.h};
    if (!masked_) {
      if (stretch_) StretchBlock(dst_, dest, src_, tile);
      else TileBlock(dst_, dest, src_, tile);
      return;
    }
    const TCacheInfo none{};
    const int64_t x1 = std::min<int64_t>(dest.Right, dst_->Width()), y1 = std::min<int64_t>(dest.Bottom, dst_->Height());
    const int64_t fx = std::max<int64_t>(0, -int64_t(dest.Left) / p.w), fy = std::max<int64_t>(0, -int64_t(dest.Top) / p.h);
    for (int64_t y = int64_t(dest.Top) + fy * p.h; y < y1; y += p.h)
      for (int64_t x = int64_t(dest.Left) + fx * p.w; x < x1; x += p.w) {
        const TRect32 d{int32_t(x), int32_t(y), int32_t(std::min<int64_t>(x + p.w, dest.Right)),
                        int32_t(std::min<int64_t>(y + p.h, dest.Bottom))};
        CopyMasked(d, tile, dst_, fh_, false, none, src_);
      }
  }

 private:
  TBitmap32* dst_;
  const TBitmap32* src_;
  bool masked_, stretch_;
  int32_t fh_;
  bool useCache_;
  TCacheInfo ci_;
};

}  // namespace

void DrawBorderMask(TBitmap32* dst, const TRect32& r, bool useCacheForCorners, int state, const TsMaskData& m,
                    const TCacheInfo& ci) {
  if (!dst) return;
  if (state == 0 && (m.DrawMode & 2)) return;
  const int64_t width = int64_t(r.Right) - r.Left, height = int64_t(r.Bottom) - r.Top;
  if (width < 2 || height < 2 || width > INT32_MAX || height > INT32_MAX || !m.Manager || m.ImageCount <= 0) return;
  const TBitmap32* src = ImageSource(m);
  if (!src) return;
  int32_t wl = m.WL, wt = m.WT, wr = m.WR, wb = m.WB;
  FitBorderWidths(int32_t(width), wl, wr);
  FitBorderWidths(int32_t(height), wt, wb);
  const int k = std::clamp(state, 0, m.ImageCount - 1);
  const int32_t fw = FrameWidth(m), fh = FrameHeight(m);
  const int32_t mw = fw - wl - wr, mh = fh - wt - wb;
  if (mw < 0 || mh < 0) return;
  const int64_t sx64 = int64_t(m.R.Left) + int64_t(k) * fw;
  if (sx64 > INT32_MAX) return;
  const int32_t sx = int32_t(sx64), sy = m.R.Top;
  TBorderPainter p(dst, src, m, useCacheForCorners, ci);
  const int32_t L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  p.Corner({sx, sy, wl, wt}, L, T);
  p.Fill({sx, sy + wt, wl, mh}, {L, T + wt, L + wl, B - wb});
  p.Fill({sx + wl, sy, mw, wt}, {L + wl, T, R - wr, T + wt});
  p.Corner({sx, sy + fh - wb, wl, wb}, L, B - wb);
  p.Fill({sx + wl, sy + fh - wb, mw, wb}, {L + wl, B - wb, R - wr, B});
  p.Corner({sx + wl + mw, sy + fh - wb, wr, wb}, R - wr, B - wb);
  p.Corner({sx + wl + mw, sy, wr, wt}, R - wr, T);
  p.Fill({sx + wl + mw, sy + wt, wr, mh}, {R - wr, T + wt, R, B - wb});
  if (m.DrawMode & 4) p.Fill({sx + wl, sy + wt, mw, mh}, {L + wl, T + wt, R - wr, B - wb});
}

}  // namespace glyphora
