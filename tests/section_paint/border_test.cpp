// The nine-slice border: tiled, stretched, with and without centre, masked,
// with key-coloured corners over a ready and a not-ready background, and the
// width fitting of odd and narrow rectangles.
#include <gtest/gtest.h>

#include "section_paint/synth_skin.h"
#include "skin/paint/border_mask.h"
#include "skin/paint/corner_refresh.h"
#include "base/bitmap32.h"

using namespace sectiontest;

namespace {

constexpr uint32_t kBg = 0xFF123456;

TBitmap32 Canvas(int32_t w, int32_t h) {
  TBitmap32 b(w, h);
  b.Fill(kBg);
  return b;
}

}  // namespace

TEST(FitBorderWidths, ShrinksHalfTheExcessAndTheOddPixelOnTheTrailingSide) {
  int32_t l = 6, r = 6;
  glyphora::FitBorderWidths(9, l, r);
  EXPECT_EQ(l, 5);
  EXPECT_EQ(r, 4);
  l = 6, r = 6;
  glyphora::FitBorderWidths(8, l, r);
  EXPECT_EQ(l, 4);
  EXPECT_EQ(r, 4);
  l = 6, r = 6;
  glyphora::FitBorderWidths(20, l, r);
  EXPECT_EQ(l, 6);
  EXPECT_EQ(r, 6);
  l = 1, r = 1;
  glyphora::FitBorderWidths(1, l, r);  // e = 0, odd: trail 0
  EXPECT_EQ(l, 1);
  EXPECT_EQ(r, 0);
}

TEST(DrawBorderMask, TiledSidesAndCentreRepeatTheMiddleFromTheStart) {
  SynthSkin s;
  // Frame 10 x 8 at (20, 30), borders 2/3/2/1: middle 6 x 4.
  const int32_t i = s.AddImage({20, 30, 30, 38}, 1, 0, 4, 2, 3, 2, 1);
  TBitmap32 b = Canvas(21, 13);  // odd width: middle runs 17 = 2 * 6 + 5, height 9 = 2 * 4 + 1
  DrawBorderMask(&b, {0, 0, 21, 13}, false, 0, s.skin.ma[size_t(i)], CacheInfoOf(nullptr, 0, 0));
  // Corners.
  EXPECT_EQ(b.Pixel(0, 0), s.M(20, 30));
  EXPECT_EQ(b.Pixel(20, 0), s.M(29, 30));
  EXPECT_EQ(b.Pixel(20, 12), s.M(29, 37));
  EXPECT_EQ(b.Pixel(1, 12), s.M(21, 37));
  // Top side: column 2 + k maps to middle column k mod 6.
  for (int32_t x = 2; x < 19; ++x) EXPECT_EQ(b.Pixel(x, 1), s.M(22 + (x - 2) % 6, 31)) << x;
  // Left side: row 3 + k maps to middle row k mod 4.
  for (int32_t y = 3; y < 12; ++y) EXPECT_EQ(b.Pixel(1, y), s.M(21, 33 + (y - 3) % 4)) << y;
  // Right and bottom sides.
  EXPECT_EQ(b.Pixel(19, 8), s.M(28, 33 + 5 % 4));
  EXPECT_EQ(b.Pixel(14, 12), s.M(22 + 12 % 6, 37));
  // Centre (bit 4) tiled both ways, the last piece cut.
  EXPECT_EQ(b.Pixel(18, 11), s.M(22 + 16 % 6, 33 + 8 % 4));
}

TEST(DrawBorderMask, StretchedSidesUseNearestSourcePixelAndCentreIsLeftWithoutBit4) {
  SynthSkin s;
  const int32_t i = s.AddImage({20, 30, 30, 38}, 1, 0, 1, 2, 3, 2, 1);
  TBitmap32 b = Canvas(40, 25);
  DrawBorderMask(&b, {0, 0, 40, 25}, false, 0, s.skin.ma[size_t(i)], CacheInfoOf(nullptr, 0, 0));
  // Top side: 36 columns from 6: column c takes 22 + c*6/36.
  for (int32_t c = 0; c < 36; ++c) EXPECT_EQ(b.Pixel(2 + c, 0), s.M(22 + c * 6 / 36, 30)) << c;
  // Left side: 21 rows from 4: row k takes 33 + k*4/21.
  for (int32_t k = 0; k < 21; ++k) EXPECT_EQ(b.Pixel(0, 3 + k), s.M(20, 33 + k * 4 / 21)) << k;
  EXPECT_EQ(b.Pixel(20, 12), kBg);  // no centre
}

TEST(DrawBorderMask, SecondFrameForHotStatesAndNothingInStateZeroWithBit2) {
  SynthSkin s;
  const int32_t i = s.AddImage({0, 0, 20, 6}, 2, 0, 2, 2, 2, 2, 2);
  TBitmap32 b = Canvas(12, 12);
  const auto& m = s.skin.ma[size_t(i)];
  DrawBorderMask(&b, {0, 0, 12, 12}, false, 0, m, CacheInfoOf(nullptr, 0, 0));
  EXPECT_EQ(b.Pixel(0, 0), kBg);
  DrawBorderMask(&b, {0, 0, 12, 12}, false, 5, m, CacheInfoOf(nullptr, 0, 0));
  EXPECT_EQ(b.Pixel(0, 0), s.M(10, 0));  // frame min(5, 1) = 1
  EXPECT_EQ(b.Pixel(11, 11), s.M(19, 5));
}

TEST(DrawBorderMask, KeyCornersShowTheParentImageOrTheFillColour) {
  SynthSkin s;
  s.skin.MasterBitmap.SetPixel(40, 50, glyphora::KeyColor32);
  const int32_t i = s.AddImage({40, 50, 46, 56}, 1, 0, 0, 2, 2, 2, 2);
  TBitmap32 parent(30, 30);
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 30; ++x) parent.SetPixel(x, y, 0x00010000u * uint32_t(x) + uint32_t(y));
  TBitmap32 b = Canvas(10, 10);
  const auto& m = s.skin.ma[size_t(i)];
  DrawBorderMask(&b, {2, 3, 8, 9}, true, 0, m, CacheInfoOf(&parent, 5, 7));
  EXPECT_EQ(b.Pixel(2, 3), parent.Pixel(7, 10) | 0xFF000000u);  // parent at (x + ci.X, y + ci.Y)
  EXPECT_EQ(b.Pixel(3, 3), s.M(41, 50));
  // Not ready: the fill colour.
  TBitmap32 c = Canvas(10, 10);
  DrawBorderMask(&c, {2, 3, 8, 9}, true, 0, m, TCacheInfo{nullptr, 0, 0, 0x0000FF, false});
  EXPECT_EQ(c.Pixel(2, 3), 0xFFFF0000u);
  // Sides copy key pixels as they are.
  s.skin.MasterBitmap.SetPixel(40, 52, glyphora::KeyColor32);
  DrawBorderMask(&c, {2, 3, 8, 9}, true, 0, m, TCacheInfo{nullptr, 0, 0, 0x0000FF, false});
  EXPECT_EQ(c.Pixel(2, 5), glyphora::KeyColor32);
}

TEST(DrawBorderMask, MaskedImageBlendsThroughItsMaskAndSkipsKeysOnSides) {
  SynthSkin s;
  // 6 x 12 image with a mask in the lower half: mask 0 shows the image, 255 keeps dst.
  const int32_t i = s.AddImage({100, 0, 106, 12}, 1, 1, 1, 2, 2, 2, 2);
  for (int32_t y = 6; y < 12; ++y)
    for (int32_t x = 100; x < 106; ++x) s.skin.MasterBitmap.SetPixel(x, y, 0);
  s.skin.MasterBitmap.SetPixel(105, 11, 0x00FFFFFF);  // bottom-right corner pixel keeps dst
  s.skin.MasterBitmap.SetPixel(100, 2, glyphora::KeyColor32);  // left side key: skipped
  TBitmap32 b = Canvas(9, 9);
  DrawBorderMask(&b, {0, 0, 9, 9}, false, 0, s.skin.ma[size_t(i)], TCacheInfo{});
  EXPECT_EQ(b.Pixel(0, 0), (s.M(100, 0) & 0x00FFFFFF) | (kBg & 0xFF000000u));
  // Mask byte 255 keeps dst in the sense of ((d - s)*255 + s*256) >> 8.
  uint32_t expect = kBg & 0xFF000000u;
  for (int c = 0; c < 3; ++c) {
    const int d = int(kBg >> (8 * c)) & 255, sp = int(s.M(105, 5) >> (8 * c)) & 255;
    expect |= uint32_t(((d - sp) * 255 + sp * 256) >> 8) << (8 * c);
  }
  EXPECT_EQ(b.Pixel(8, 8), expect);
  EXPECT_EQ(b.Pixel(0, 2), kBg);   // key in the left side, tiled with period 2
  EXPECT_EQ(b.Pixel(0, 4), kBg);
  EXPECT_EQ(b.Pixel(0, 3), (s.M(100, 3) & 0x00FFFFFF) | (kBg & 0xFF000000u));
}

TEST(DrawBorderMask, RefusesTinyRectanglesAndImagesWithoutFramesOrManager) {
  SynthSkin s;
  const int32_t i = s.AddImage({0, 0, 10, 10}, 1, 0, 4, 3, 3, 3, 3);
  TBitmap32 b = Canvas(10, 10);
  auto m = s.skin.ma[size_t(i)];
  DrawBorderMask(&b, {0, 0, 1, 10}, false, 0, m, TCacheInfo{});
  m.ImageCount = 0;
  DrawBorderMask(&b, {0, 0, 10, 10}, false, 0, m, TCacheInfo{});
  m.ImageCount = 1;
  m.Manager = nullptr;
  DrawBorderMask(&b, {0, 0, 10, 10}, false, 0, m, TCacheInfo{});
  m.Manager = &s.skin;
  m.WL = 8;  // middle would be negative
  DrawBorderMask(&b, {0, 0, 10, 10}, false, 0, m, TCacheInfo{});
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x) ASSERT_EQ(b.Pixel(x, y), kBg);
}

TEST(RefreshBorderCorners32, KeyPixelsOfTheCornersTakeTheParentsCurrentLook) {
  SynthSkin s;
  // 8 x 8 frame at (120, 10), borders 3; key pixels in the top-left and
  // bottom-right corners, one in the middle of the top side (not a corner).
  s.skin.MasterBitmap.SetPixel(120, 10, glyphora::KeyColor32);
  s.skin.MasterBitmap.SetPixel(127, 17, glyphora::KeyColor32);
  s.skin.MasterBitmap.SetPixel(124, 10, glyphora::KeyColor32);
  const int32_t i = s.AddImage({120, 10, 128, 18}, 1, 0, 1, 3, 3, 3, 3);
  const auto& m = s.skin.ma[size_t(i)];
  TBitmap32 cache = Canvas(20, 12);
  TacParentBG bg;
  bg.Kind = bgkFill;
  bg.Color = glyphora::clNoneMarker;  // parent has nothing yet: unchanged
  RefreshBorderCorners32(&cache, 20, 12, m, 0, bg);
  EXPECT_EQ(cache.Pixel(0, 0), kBg);
  bg.Color = 0x0000FF;
  RefreshBorderCorners32(&cache, 20, 12, m, 0, bg);
  EXPECT_EQ(cache.Pixel(0, 0), (kBg & 0xFF000000u) | 0xFF0000u);
  EXPECT_EQ(cache.Pixel(19, 11), (kBg & 0xFF000000u) | 0xFF0000u);
  EXPECT_EQ(cache.Pixel(10, 0), kBg);  // sides are not touched
  EXPECT_EQ(cache.Pixel(1, 0), kBg);   // not a key pixel
  TBitmap32 parent(40, 40);
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 40; ++x) parent.SetPixel(x, y, uint32_t(x << 8 | y));
  bg.Kind = bgkCache;
  bg.Bmp = &parent;
  bg.Offset = {25, 20};  // pixels past the parent's edge stay as they are
  RefreshBorderCorners32(&cache, 20, 12, m, 0, bg);
  EXPECT_EQ(cache.Pixel(0, 0), (kBg & 0xFF000000u) | parent.Pixel(25, 20));
  EXPECT_EQ(cache.Pixel(19, 11), (kBg & 0xFF000000u) | 0xFF0000u);
}
