#include "skin/paint/mask_image.h"

#include <algorithm>
#include <cstring>

#include "skin/core/skin_content.h"
#include "base/color_ops.h"
#include "skin/paint/keyed_copy.h"
#include "skin/paint/tint.h"

namespace glyphora {

const TBitmap32* ImageSource(const TsMaskData& m) {
  if (m.Bmp) return m.Bmp.get();
  return m.Manager ? &m.Manager->MasterBitmap : nullptr;
}

void DrawMasked(const TRect32& dstRect, const TRect32& srcRect, TBitmap32* dst, const TsMaskData& m, int mode,
                const TBitmap32* src) {
  if (!dst || !src) return;
  if (m.MaskType == 0) {
    TRect32 inclusive{srcRect.Left, srcRect.Top, srcRect.Right - 1, srcRect.Bottom - 1};
    const int64_t w = std::min<int64_t>(int64_t(dstRect.Right) - dstRect.Left, int64_t(srcRect.Right) - srcRect.Left);
    const int64_t h = std::min<int64_t>(int64_t(dstRect.Bottom) - dstRect.Top, int64_t(srcRect.Bottom) - srcRect.Top);
    if (w <= 0 || h <= 0) return;
    inclusive.Right = int32_t(srcRect.Left + w - 1);
    inclusive.Bottom = int32_t(srcRect.Top + h - 1);
    CopyKeyedRect(dst, src, dstRect.Left, clNoneMarker, inclusive, dstRect.Top);
    return;
  }
  const int64_t fh = FrameHeight(m);
  int64_t w = std::min<int64_t>(int64_t(dstRect.Right) - dstRect.Left, int64_t(srcRect.Right) - srcRect.Left);
  int64_t h = std::min<int64_t>(int64_t(dstRect.Bottom) - dstRect.Top, int64_t(srcRect.Bottom) - srcRect.Top);
  int64_t dx = dstRect.Left, dy = dstRect.Top, sx = srcRect.Left, sy = srcRect.Top;
  // Cut the left and top edges of both bitmaps, then the right and bottom ones.
  const int64_t shx = std::max<int64_t>({0, -dx, -sx}), shy = std::max<int64_t>({0, -dy, -sy});
  dx += shx; sx += shx; w -= shx;
  dy += shy; sy += shy; h -= shy;
  w = std::min({w, int64_t(dst->Width()) - dx, int64_t(src->Width()) - sx});
  h = std::min({h, int64_t(dst->Height()) - dy, int64_t(src->Height()) - sy - fh});
  if (w <= 0 || h <= 0 || sy + fh < 0) return;
  for (int64_t j = 0; j < h; ++j) {
    uint8_t* d = reinterpret_cast<uint8_t*>(dst->ScanLine(int32_t(dy + j)) + dx);
    const uint8_t* s = reinterpret_cast<const uint8_t*>(src->ScanLine(int32_t(sy + j)) + sx);
    const uint8_t* mk = reinterpret_cast<const uint8_t*>(src->ScanLine(int32_t(sy + j + fh)) + sx);
    for (int64_t i = 0; i < w; ++i, d += 4, s += 4, mk += 4) {
      uint32_t sp;
      std::memcpy(&sp, s, 4);
      if (sp == KeyColor32) continue;
      if (mk[2] == 255) continue;
      for (int c = 0; c < 3; ++c) {
        const int wgt = mode == 1 ? mk[c] : std::min(mk[c] + 100, 255);
        d[c] = ClampByte(((int(d[c]) - s[c]) * wgt + s[c] * 256) >> 8);
      }
      d[3] = uint8_t(d[3] + (255 - mk[2]) * (255 - d[3]) / 255);
    }
  }
}

void DrawMaskImage(TBitmap32* dst, int32_t x, int32_t y, int state, const TCacheInfo& ci, const TsMaskData& m,
                   int mode) {
  if (!dst || m.ImageCount <= 0) return;
  const int32_t fw = FrameWidth(m), fh = FrameHeight(m);
  if (fw <= 0 || fh <= 0) return;
  const int k = std::clamp(state, 0, m.ImageCount - 1);
  const int64_t cx = std::max<int64_t>(0, -int64_t(x)), cy = std::max<int64_t>(0, -int64_t(y));
  if (cx >= fw || cy >= fh) return;
  const int64_t sl = int64_t(m.R.Left) + int64_t(k) * fw + cx, st = int64_t(m.R.Top) + cy;
  const int64_t vw = fw - cx, vh = fh - cy;
  const int64_t dx = int64_t(x) + cx, dy = int64_t(y) + cy;
  if (dx >= dst->Width() || dy >= dst->Height()) return;
  const TRect32 src{int32_t(sl), int32_t(st), int32_t(sl + vw), int32_t(st + vh)};
  const TRect32 dr{int32_t(dx), int32_t(dy), int32_t(std::min<int64_t>(dx + vw, dst->Width())),
                   int32_t(std::min<int64_t>(dy + vh, dst->Height()))};
  if (m.Bmp) {
    if (m.Bmp->Width() >= m.R.Right && m.Bmp->Height() >= m.R.Bottom) DrawMasked(dr, src, dst, m, mode, m.Bmp.get());
    return;
  }
  if (!m.Manager) return;
  const TBitmap32* master = &m.Manager->MasterBitmap;
  const TRect32 inclusive{src.Left, src.Top, src.Right - 1, src.Bottom - 1};
  if (m.MaskType != 0)
    DrawMasked(dr, src, dst, m, mode, master);
  else if (mode == 1)
    CopyKeyedOverBackground(dst, master, dr.Left, true, ci, clNoneMarker, inclusive, dr.Top);
  else
    BlendKeyedRect(dst, dr.Left, dr.Top, KeyColor32, 0.5, inclusive, master);
}

}  // namespace glyphora
