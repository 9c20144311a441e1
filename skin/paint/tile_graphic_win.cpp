#include "skin/paint/tile_graphic_win.h"

#include <algorithm>
#include <cstdint>

#include "framework/graphics.h"
#include "skin/paint/plain_copy.h"

namespace glyphora {

void TileGraphic(HDC dc, const TRect32& r, const TBitmap32* graphic) {
  if (!dc || !graphic || graphic->Empty() || r.Left >= r.Right || r.Top >= r.Bottom) return;
  RECT clip;
  const int kind = ::GetClipBox(dc, &clip);
  if (kind == ERROR || kind == NULLREGION) return;
  const int64_t left = std::max<int64_t>(r.Left, clip.left), top = std::max<int64_t>(r.Top, clip.top);
  const int64_t right = std::min<int64_t>(r.Right, clip.right), bottom = std::min<int64_t>(r.Bottom, clip.bottom);
  if (left >= right || top >= bottom) return;
  const int32_t w = graphic->Width(), h = graphic->Height();
  // Top-down memory (every owned bitmap) is handed to GDI where it lies, with
  // no copy per paint (a large texture is megabytes); other memory goes
  // through one DIB section.
  TDibBitmap copy;
  const bool direct = graphic->StrideBytes() > 0;
  const BITMAPINFO bi = Dib32Info(direct ? static_cast<int>(graphic->StrideBytes() / 4) : w, h);
  if (!direct) {
    copy.SetSize(w, h);
    if (!copy.DC() || copy.Width() != w || copy.Height() != h) return;
    CopyBlock(&copy.Pixels(), 0, 0, graphic, 0, 0, w, h);
    ::GdiFlush();
  }
  auto blit = [&](int x, int y, int cw, int ch) {
    if (direct)
      ::StretchDIBits(dc, x, y, cw, ch, 0, 0, cw, ch, graphic->ScanLine(0), &bi, DIB_RGB_COLORS, SRCCOPY);
    else
      ::BitBlt(dc, x, y, cw, ch, copy.DC(), 0, 0, SRCCOPY);
  };
  // Tiles keep their phase from r's corner; the first one drawn is the one
  // that covers the clip box's first column and row.
  const int64_t x0 = r.Left + (left - r.Left) / w * w, y0 = r.Top + (top - r.Top) / h * h;
  for (int64_t x = x0; x < right; x += w) {
    const int32_t cw = int32_t(std::min<int64_t>(w, int64_t(r.Right) - x));
    for (int64_t y = y0; y < bottom; y += h) blit(int(x), int(y), cw, int32_t(std::min<int64_t>(h, int64_t(r.Bottom) - y)));
  }
}

void TileGraphic(HDC dc, const TRect32& r, const TImageBitmap& graphic) {
  if (graphic) TileGraphic(dc, r, graphic.get());
}

}  // namespace glyphora
