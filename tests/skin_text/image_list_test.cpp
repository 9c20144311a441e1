// Image-list glyphs: the state's frame of a 32-bit list drawn with its alpha,
// a masked list over the destination, into a bitmap and onto a DC.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "framework/graphics.h"
#include "skin/paint/image_list_glyph_win.h"

using namespace glyphora;

namespace {
constexpr uint32_t kBack = 0xFF101010u;
uint32_t FramePixel(int f) { return 0xFF000000u | (0x40u << (8 * f)); }  // blue, green, red

// One image of three 2 x 2 frames; `masked`: a 24-bit list whose frames show
// magenta (masked out) at their top-left pixel.
HIMAGELIST StripList(bool masked) {
  TDibBitmap strip(6, 2);
  for (int i = 0; i < 12; ++i)
    strip.Pixels().SetPixel(i % 6, i / 6, masked && i % 2 == 0 && i < 6 ? 0x00FF00FFu : FramePixel(i % 6 / 2));
  HBITMAP copy = static_cast<HBITMAP>(::CopyImage(strip.Handle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  HIMAGELIST list = ::ImageList_Create(6, 2, masked ? ILC_COLOR24 | ILC_MASK : ILC_COLOR32, 1, 1);
  masked ? ::ImageList_AddMasked(list, copy, RGB(255, 0, 255)) : ::ImageList_Add(list, copy, nullptr);
  ::DeleteObject(copy);
  return list;
}
}  // namespace

TEST(ImageListGlyph, StateFrameOfA32BitListWithItsAlpha) {
  HIMAGELIST list = StripList(false);
  const struct { int frames, state, frame, width; } cases[] = {
      {3, 1, 1, 2}, {3, 2, 2, 2}, {3, 7, 2, 2}, {3, -1, 0, 2}, {0, 2, 0, 6}};
  for (const auto& c : cases) {
    TBitmap32 dst(8, 4);
    dst.Fill(kBack);
    SIZE size{};
    DrawImageListGlyph(list, &dst, 1, 1, size, false, c.frames, c.state, clNone, 0, 0);
    EXPECT_EQ(size.cx, c.width);
    const uint32_t s = FramePixel(c.frame);  // opaque: each byte (s*255 + d) >> 8
    uint32_t want = 0xFF000000u;
    for (int i = 0; i < 3; ++i) want |= ((((s >> 8 * i) & 0xFF) * 255 + 0x10) >> 8) << 8 * i;
    EXPECT_EQ(dst.Pixel(1, 1), want) << c.frames << "/" << c.state;
    EXPECT_EQ(dst.Pixel(1 + c.width, 1), kBack);
  }
  ::ImageList_Destroy(list);
}

TEST(ImageListGlyph, MaskedListKeepsWhatLiesBehindItsMaskOnBitmapAndDc) {
  HIMAGELIST list = StripList(true);
  TBitmap32 dst(4, 4);
  dst.Fill(kBack);
  SIZE size{};
  DrawImageListGlyph(list, &dst, 1, 1, size, false, 3, 1, clNone, 0, 0);
  EXPECT_EQ(dst.Pixel(1, 1), kBack);
  EXPECT_EQ(dst.Pixel(2, 2) & 0xFFFFFF, FramePixel(1) & 0xFFFFFF);
  TDibBitmap surface(4, 4);
  surface.Pixels().Fill(kBack);
  DrawImageListGlyphToDC(list, surface.DC(), 1, 1, false, 3, 2, clNone, 0, 0);
  ::GdiFlush();
  EXPECT_EQ(surface.Pixels().Pixel(1, 1) & 0xFFFFFF, kBack & 0xFFFFFF);
  EXPECT_EQ(surface.Pixels().Pixel(2, 2) & 0xFFFFFF, FramePixel(2) & 0xFFFFFF);
  EXPECT_EQ(surface.Pixels().Pixel(3, 2) & 0xFFFFFF, kBack & 0xFFFFFF);
  ::ImageList_Destroy(list);
}
