#include "skin/paint/nine_slice.h"

#include <algorithm>
#include <vector>

#include "skin/paint/plain_copy.h"

namespace glyphora {

namespace {

int32_t Sat(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

void Block(TBitmap32* d, int64_t dx, int64_t dy, const TBitmap32* s, int64_t sx, int64_t sy, int64_t w, int64_t h) {
  if (w <= 0 || h <= 0 || dx != Sat(dx) || dy != Sat(dy) || sx != Sat(sx) || sy != Sat(sy)) return;
  CopyBlock(d, int32_t(dx), int32_t(dy), s, int32_t(sx), int32_t(sy), Sat(w), Sat(h));
}

// The source piece (sx, sy, w, h) tiled or stretched over dest.
void Piece(TBitmap32* d, const TBitmap32* s, int mode, int64_t sx, int64_t sy, int64_t w, int64_t h, int64_t l,
           int64_t t, int64_t r, int64_t b) {
  if (w <= 0 || h <= 0 || l >= r || t >= b) return;
  const TRect32 dest{Sat(l), Sat(t), Sat(r), Sat(b)};
  const TRect32 piece{Sat(sx), Sat(sy), Sat(sx + w), Sat(sy + h)};
  if (mode == 1) StretchBlock(d, dest, s, piece);
  else TileBlock(d, dest, s, piece);
}

}  // namespace

void DrawNineSliceImage(TBitmap32* dst, const TBitmap32* src, const TRect32& r, bool drawCenter, int centerMode,
                        const TRect32& sideModes, const TRect32& cornerSizes, const TRect32& margins,
                        const TRect32& srcRect) {
  if (!dst || !src || dst == src) return;
  const int64_t ml = margins.Left, mt = margins.Top, mr = margins.Right, mb = margins.Bottom;
  const int64_t cl = std::min<int64_t>(ml, cornerSizes.Left), ct = std::min<int64_t>(mt, cornerSizes.Top);
  const int64_t cr = std::min<int64_t>(mr, cornerSizes.Right), cb = std::min<int64_t>(mb, cornerSizes.Bottom);
  const int64_t QL = srcRect.Left, QT = srcRect.Top, QR = srcRect.Right, QB = srcRect.Bottom;
  const int64_t RL = r.Left, RT = r.Top, RR = r.Right, RB = r.Bottom;
  const int64_t mw = std::max<int64_t>(0, QR - QL - ml - mr), mh = std::max<int64_t>(0, QB - QT - mt - mb);
  // Corners as L-shapes: a band of the full margin width and the corner
  // height, and below (or above) it a band of the corner width.
  Block(dst, RL, RT, src, QL, QT, ml, ct);
  if (ct < mt) Block(dst, RL, RT + ct, src, QL, QT + ct, cl, mt - ct);
  Block(dst, RR - mr, RT, src, QR - mr, QT, mr, ct);
  if (ct < mt) Block(dst, RR - cr, RT + ct, src, QR - cr, QT + ct, cr, mt - ct);
  Block(dst, RL, RB - cb, src, QL, QB - cb, ml, cb);
  if (cb < mb) Block(dst, RL, RB - mb, src, QL, QB - mb, cl, mb - cb);
  Block(dst, RR - mr, RB - cb, src, QR - mr, QB - cb, mr, cb);
  if (cb < mb) Block(dst, RR - cr, RB - mb, src, QR - cr, QB - mb, cr, mb - cb);
  // Sides.
  Piece(dst, src, sideModes.Left, QL, QT + mt, cl, mh, RL, RT + mt, RL + cl, RB - mb);
  Piece(dst, src, sideModes.Top, QL + ml, QT, mw, ct, RL + ml, RT, RR - mr, RT + ct);
  Piece(dst, src, sideModes.Right, QR - cr, QT + mt, cr, mh, RR - cr, RT + mt, RR, RB - mb);
  Piece(dst, src, sideModes.Bottom, QL + ml, QB - cb, mw, cb, RL + ml, RB - cb, RR - mr, RB);
  if (drawCenter) Piece(dst, src, centerMode, QL + ml, QT + mt, mw, mh, RL + ml, RT + mt, RR - mr, RB - mb);
}

void DrawExBorderTemplate(TBitmap32* dst, const TBitmap32& tpl, const TRect32& margins, const TRect32& keep) {
  if (!dst || dst->Empty() || tpl.Empty() || dst == &tpl) return;
  const int32_t w = dst->Width(), h = dst->Height();
  const TRect32 m{std::clamp(margins.Left, 0, tpl.Width()), std::clamp(margins.Top, 0, tpl.Height()),
                  std::clamp(margins.Right, 0, tpl.Width()), std::clamp(margins.Bottom, 0, tpl.Height())};
  // The parts of `keep` that the margin bands reach are saved and put back:
  // the template's inner edge may overlap the kept area by a pixel or two.
  const TRect32 k{std::max(keep.Left, 0), std::max(keep.Top, 0), std::min(keep.Right, w), std::min(keep.Bottom, h)};
  struct Saved {
    TRect32 r;
    std::vector<uint32_t> px;
  };
  std::vector<Saved> saved;
  auto save = [&](TRect32 r) {
    r = {std::max(r.Left, k.Left), std::max(r.Top, k.Top), std::min(r.Right, k.Right), std::min(r.Bottom, k.Bottom)};
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    Saved s{r, {}};
    s.px.reserve(size_t(r.Right - r.Left) * size_t(r.Bottom - r.Top));
    for (int32_t y = r.Top; y < r.Bottom; ++y)
      s.px.insert(s.px.end(), dst->ScanLine(y) + r.Left, dst->ScanLine(y) + r.Right);
    saved.push_back(std::move(s));
  };
  if (k.Right > k.Left && k.Bottom > k.Top) {
    save({k.Left, k.Top, k.Right, m.Top});
    save({k.Left, h - m.Bottom, k.Right, k.Bottom});
    save({k.Left, std::max(k.Top, m.Top), m.Left, std::min(k.Bottom, h - m.Bottom)});
    save({w - m.Right, std::max(k.Top, m.Top), k.Right, std::min(k.Bottom, h - m.Bottom)});
  }
  DrawNineSliceImage(dst, &tpl, {0, 0, w, h}, false, 1, {1, 1, 1, 1}, m, m, {0, 0, tpl.Width(), tpl.Height()});
  for (const Saved& s : saved) {
    const int32_t rw = s.r.Right - s.r.Left;
    for (int32_t y = s.r.Top; y < s.r.Bottom; ++y)
      std::copy_n(s.px.data() + size_t(y - s.r.Top) * size_t(rw), rw, dst->ScanLine(y) + s.r.Left);
  }
}

}  // namespace glyphora
