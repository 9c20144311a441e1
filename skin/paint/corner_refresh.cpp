#include "skin/paint/corner_refresh.h"

#include <algorithm>

#include "base/color_convert.h"
#include "skin/paint/mask_image.h"

namespace glyphora {

void RefreshBorderCorners32(TBitmap32* cache, int32_t width, int32_t height, const TsMaskData& image, int state,
                            const TacParentBG& parent) {
  if (!cache) return;
  TsMaskData m = image;
  if (m.ImageCount == 0 && m.Bmp) {
    m.ImageCount = 3;
    m.MaskType = 1;
    m.R = {0, 0, m.Bmp->Width(), m.Bmp->Height()};
  }
  const TBitmap32* src = ImageSource(m);
  if (!src || m.ImageCount <= 0) return;
  const bool fromImage = parent.Kind == bgkCache;
  if (fromImage && !parent.Bmp) return;
  const TColor color = ColorToRGB(parent.Color);
  if (!fromImage && parent.Color == clNoneMarker) return;
  const uint32_t colorBytes = SwapRedBlue(color) & 0x00FFFFFFu;
  const int64_t wl = m.WL, wt = m.WT, wr = m.WR, wb = m.WB;
  const int k = std::clamp(state, 0, m.ImageCount - 1);
  const int64_t fw = FrameWidth(m), fh = FrameHeight(m), mw = fw - wl - wr;
  const int64_t sx = int64_t(m.R.Left) + k * fw, sy = m.R.Top;
  struct TCorner {
    int64_t sx, sy, w, h, dx, dy;
  } corners[4] = {{sx, sy, wl, wt, 0, 0},
                  {sx, sy + fh - wb, wl, wb, 0, int64_t(height) - wb},
                  {sx + wl + mw, sy + fh - wb, wr, wb, int64_t(width) - wr, int64_t(height) - wb},
                  {sx + wl + mw, sy, wr, wt, int64_t(width) - wr, 0}};
  for (const TCorner& c : corners) {
    for (int64_t j = 0; j < c.h; ++j) {
      const int64_t py = c.sy + j, dy = c.dy + j;
      if (py < 0 || py >= src->Height() || dy < 0 || dy >= cache->Height()) continue;
      const uint32_t* s = src->ScanLine(int32_t(py));
      uint32_t* d = cache->ScanLine(int32_t(dy));
      const int64_t qy = int64_t(parent.Offset.Y) + dy;
      const uint32_t* p = (fromImage && qy >= 0 && qy < parent.Bmp->Height()) ? parent.Bmp->ScanLine(int32_t(qy)) : nullptr;
      for (int64_t i = 0; i < c.w; ++i) {
        const int64_t px = c.sx + i, dx = c.dx + i;
        if (px < 0 || px >= src->Width() || dx < 0 || dx >= cache->Width() || s[px] != KeyColor32) continue;
        if (fromImage) {
          const int64_t qx = int64_t(parent.Offset.X) + dx;
          if (!p || qx < 0 || qx >= parent.Bmp->Width()) continue;
          d[dx] = (d[dx] & 0xFF000000u) | (p[qx] & 0x00FFFFFFu);
        } else {
          d[dx] = (d[dx] & 0xFF000000u) | colorBytes;
        }
      }
    }
  }
}

}  // namespace glyphora
