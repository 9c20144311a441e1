#include "skin/paint/image_list_glyph_win.h"

#include <algorithm>

#include "framework/graphics.h"
#include "skin/paint/alpha_glyph.h"

namespace glyphora {

namespace {

// The list's images keep an alpha channel of their own.
bool HasAlpha(const IMAGEINFO& info) {
  DIBSECTION ds{};
  return info.hbmImage && ::GetObjectW(info.hbmImage, sizeof(ds), &ds) == static_cast<int>(sizeof(ds)) &&
         ds.dsBm.bmBitsPixel == 32;
}

// The image's rectangle of the list's bitmap as 32-bit pixels (straight alpha).
TBitmap32 ImagePixels(const IMAGEINFO& info) {
  const int w = info.rcImage.right - info.rcImage.left, h = info.rcImage.bottom - info.rcImage.top;
  TDibBitmap out(w, h);
  TBitmap32 result;
  if (out.Pixels().Empty()) return result;
  HDC src = ::CreateCompatibleDC(nullptr);
  if (!src) return result;
  HGDIOBJ old = ::SelectObject(src, info.hbmImage);
  ::BitBlt(out.DC(), 0, 0, w, h, src, info.rcImage.left, info.rcImage.top, SRCCOPY);
  ::SelectObject(src, old);
  ::DeleteDC(src);
  ::GdiFlush();
  result = out.Pixels();  // an owning copy
  return result;
}

}  // namespace

void DrawImageListGlyph(HIMAGELIST list, TBitmap32* dst, int32_t x, int32_t y, SIZE& size, bool reflected,
                        int frameCount, int state, TColor blendColor, int transparency, int index) {
  size = SIZE{0, 0};
  if (!list || !dst || dst->Empty() || index < 0 || index >= ::ImageList_GetImageCount(list)) return;
  int cx = 0, cy = 0;
  if (!::ImageList_GetIconSize(list, &cx, &cy) || cx <= 0 || cy <= 0) return;
  // A frame count of 0 would divide by zero: one frame then.
  const int frames = std::max(frameCount, 1);
  const int w = cx / frames;
  if (w <= 0) return;
  const int frame = std::clamp(state, 0, frames - 1);
  size = SIZE{w, cy};
  IMAGEINFO info{};
  if (!::ImageList_GetImageInfo(list, index, &info)) return;
  if (HasAlpha(info)) {
    const TBitmap32 img = ImagePixels(info);
    DrawAlphaGlyph(TRect32{x, y, x + w, y + cy}, TRect32{frame * w, 0, frame * w + w, cy}, dst, reflected,
                   transparency, blendColor, false, EmptyCacheInfo(), &img);
    return;
  }
  // The list draws itself over a copy of the destination area.
  TDibBitmap area(w, cy);
  if (area.Pixels().Empty()) return;
  TBitmap32& a = area.Pixels();
  for (int32_t j = 0; j < cy; ++j)
    for (int32_t i = 0; i < w; ++i)
      if (dst->Contains(x + i, y + j)) a.SetPixel(i, j, dst->Pixel(x + i, y + j));
  const TBitmap32 before = a;
  ::ImageList_Draw(list, index, area.DC(), -frame * w, 0, ILD_TRANSPARENT);
  ::GdiFlush();
  for (int32_t j = 0; j < cy; ++j)
    for (int32_t i = 0; i < w; ++i)
      if (dst->Contains(x + i, y + j) && a.Pixel(i, j) != before.Pixel(i, j))
        dst->SetPixel(x + i, y + j, a.Pixel(i, j) | 0xFF000000u);
}

void DrawImageListGlyphToDC(HIMAGELIST list, HDC dc, int32_t x, int32_t y, bool reflected, int frameCount, int state,
                            TColor blendColor, int transparency, int index) {
  if (!list || !dc) return;
  int cx = 0, cy = 0;
  if (!::ImageList_GetIconSize(list, &cx, &cy) || cx <= 0 || cy <= 0) return;
  const int w = cx / std::max(frameCount, 1);
  const int h = cy + (reflected ? cy / 2 : 0);
  if (w <= 0) return;
  TDibBitmap copy(w, h);
  if (copy.Pixels().Empty()) return;
  ::BitBlt(copy.DC(), 0, 0, w, h, dc, x, y, SRCCOPY);
  ::GdiFlush();
  TBitmap32& px = copy.Pixels();
  for (int32_t j = 0; j < h; ++j)
    for (int32_t i = 0; i < w; ++i) px.SetPixel(i, j, px.Pixel(i, j) | 0xFF000000u);
  SIZE size{};
  DrawImageListGlyph(list, &px, 0, 0, size, reflected, frameCount, state, blendColor, transparency, index);
  ::BitBlt(dc, x, y, w, h, copy.DC(), 0, 0, SRCCOPY);
}

}  // namespace glyphora
