// Image-list glyphs: the state's frame of a strip, a 32-bit list with its
// alpha and an older list through its mask, into a bitmap and onto a DC.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "framework/graphics.h"
#include "skin/paint/image_list_glyph_win.h"

using namespace glyphora;

namespace {

constexpr int kFrames = 3, kFw = 2, kH = 2;
uint32_t FramePixel(int f) { return 0xFF000000u | (0x40u << (8 * f)); }  // blue, green, red

// A list of one image: kFrames frames of kFw x kH side by side, frame f in
// FramePixel(f); with `keyed`, pixel (0, 0) of every frame is magenta and
// the list is a 24-bit one with a mask.
struct TStripList {
  HIMAGELIST list = nullptr;
  explicit TStripList(bool keyed) {
    TDibBitmap strip(kFrames * kFw, kH);
    for (int f = 0; f < kFrames; ++f)
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kFw; ++x)
          strip.Pixels().SetPixel(f * kFw + x, y, keyed && x == 0 && y == 0 ? 0x00FF00FFu : FramePixel(f));
    // Select the bitmap out of its DC before the list copies it.
    HBITMAP copy = static_cast<HBITMAP>(::CopyImage(strip.Handle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (keyed) {
      list = ::ImageList_Create(kFrames * kFw, kH, ILC_COLOR24 | ILC_MASK, 1, 1);
      ::ImageList_AddMasked(list, copy, RGB(255, 0, 255));
    } else {
      list = ::ImageList_Create(kFrames * kFw, kH, ILC_COLOR32, 1, 1);
      ::ImageList_Add(list, copy, nullptr);
    }
    ::DeleteObject(copy);
  }
  ~TStripList() { ::ImageList_Destroy(list); }
};

// The destination byte after an opaque source byte s over d (alpha 255).
uint32_t Opaque(uint32_t s, uint32_t d) {
  uint32_t out = d & 0xFF000000u;
  for (int i = 0; i < 3; ++i) {
    const uint32_t sb = (s >> (8 * i)) & 0xFF, db = (d >> (8 * i)) & 0xFF;
    out |= ((sb * 255 + db) >> 8) << (8 * i);
  }
  return out;
}

}  // namespace

TEST(ImageListGlyph, StateChoosesTheFrameOfA32BitList) {
  TStripList strip(false);
  ASSERT_TRUE(strip.list);
  struct { int frames, state, frame, width; } cases[] = {
      {3, 0, 0, 2}, {3, 1, 1, 2}, {3, 2, 2, 2}, {3, 7, 2, 2}, {3, -1, 0, 2}, {0, 2, 0, 6}, {1, 1, 0, 6}};
  for (const auto& c : cases) {
    TBitmap32 dst(8, 4);
    dst.Fill(0xFF101010u);
    SIZE size{};
    DrawImageListGlyph(strip.list, &dst, 1, 1, size, false, c.frames, c.state, clNone, 0, 0);
    EXPECT_EQ(size.cx, c.width) << c.frames << "/" << c.state;
    EXPECT_EQ(size.cy, kH);
    EXPECT_EQ(dst.Pixel(1, 1), Opaque(FramePixel(c.frame), 0xFF101010u)) << c.frames << "/" << c.state;
    EXPECT_EQ(dst.Pixel(0, 0), 0xFF101010u);
    EXPECT_EQ(dst.Pixel(1 + c.width, 1), 0xFF101010u);
  }
  SIZE size{5, 5};
  TBitmap32 dst(4, 4);
  DrawImageListGlyph(strip.list, &dst, 0, 0, size, false, 3, 0, clNone, 0, 1);  // no image 1
  EXPECT_EQ(size.cx, 0);
}

TEST(ImageListGlyph, MaskedListKeepsTheDestinationBehindItsMaskOnBitmapAndDc) {
  TStripList strip(true);
  ASSERT_TRUE(strip.list);
  TBitmap32 dst(4, 4);
  dst.Fill(0xFF101010u);
  SIZE size{};
  DrawImageListGlyph(strip.list, &dst, 1, 1, size, false, kFrames, 1, clNone, 0, 0);
  EXPECT_EQ(dst.Pixel(1, 1), 0xFF101010u) << "masked pixel";
  EXPECT_EQ(dst.Pixel(2, 1) & 0xFFFFFF, FramePixel(1) & 0xFFFFFF);
  EXPECT_EQ(dst.Pixel(1, 2) & 0xFFFFFF, FramePixel(1) & 0xFFFFFF);
  EXPECT_EQ(dst.Pixel(3, 1), 0xFF101010u);

  TDibBitmap surface(4, 4);
  surface.Pixels().Fill(0xFF101010u);
  DrawImageListGlyphToDC(strip.list, surface.DC(), 1, 1, false, kFrames, 2, clNone, 0, 0);
  ::GdiFlush();
  EXPECT_EQ(surface.Pixels().Pixel(1, 1) & 0xFFFFFF, 0x101010u);
  EXPECT_EQ(surface.Pixels().Pixel(2, 2) & 0xFFFFFF, FramePixel(2) & 0xFFFFFF);
  EXPECT_EQ(surface.Pixels().Pixel(3, 2) & 0xFFFFFF, 0x101010u);
}
