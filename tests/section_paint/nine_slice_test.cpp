// Nine-slice copies of a whole image: L-shaped corners limited by the corner
// sizes, tiled and stretched sides, the optional centre.
#include <gtest/gtest.h>

#include "skin/paint/nine_slice.h"

using namespace glyphora;

namespace {
uint32_t S(int32_t x, int32_t y) { return 0x80000000u | uint32_t(x << 8 | y); }
constexpr uint32_t kBg = 0x11111111;
}  // namespace

TEST(DrawNineSliceImage, CornersSidesAndCentre) {
  TBitmap32 src(12, 10);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 12; ++x) src.SetPixel(x, y, S(x, y));
  TBitmap32 d(20, 16);
  d.Fill(kBg);
  // Source part (1, 1)-(11, 10): 10 x 9, margins 3, corners 2: middle 4 x 3.
  DrawNineSliceImage(&d, &src, {0, 0, 20, 16}, false, 0, {0, 1, 0, 0}, {2, 2, 2, 2}, {3, 3, 3, 3}, {1, 1, 11, 10});
  EXPECT_EQ(d.Pixel(0, 0), S(1, 1));
  EXPECT_EQ(d.Pixel(2, 1), S(3, 2));   // first band: 3 wide, 2 high
  EXPECT_EQ(d.Pixel(1, 2), S(2, 3));   // second band: 2 wide below it
  EXPECT_EQ(d.Pixel(2, 2), kBg);       // rest of the margin square: nobody's
  EXPECT_EQ(d.Pixel(19, 15), S(10, 9));
  EXPECT_EQ(d.Pixel(17, 14), S(8, 8));
  EXPECT_EQ(d.Pixel(17, 13), kBg);
  // Top side stretched: 14 columns from 4.
  for (int32_t c = 0; c < 14; ++c) EXPECT_EQ(d.Pixel(3 + c, 1), S(4 + c * 4 / 14, 2)) << c;
  // Left side tiled: rows from 3, pieces of 3.
  for (int32_t k = 0; k < 10; ++k) EXPECT_EQ(d.Pixel(1, 3 + k), S(2, 4 + k % 3)) << k;
  EXPECT_EQ(d.Pixel(8, 8), kBg);  // no centre
  DrawNineSliceImage(&d, &src, {0, 0, 20, 16}, true, 0, {0, 0, 0, 0}, {2, 2, 2, 2}, {3, 3, 3, 3}, {1, 1, 11, 10});
  EXPECT_EQ(d.Pixel(8, 8), S(4 + 5 % 4, 4 + 5 % 3));
}

TEST(DrawExBorderTemplate, FramesTheWholeBitmapAndKeepsTheFormsPart) {
  TBitmap32 tpl(12, 10);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 12; ++x) tpl.SetPixel(x, y, S(x, y));
  TBitmap32 d(30, 20);
  d.Fill(kBg);
  // Margins 4; the kept area reaches two pixels into the left and top bands.
  const TRect32 keep{2, 2, 26, 16};
  DrawExBorderTemplate(&d, tpl, {4, 4, 4, 4}, keep);
  EXPECT_EQ(d.Pixel(0, 0), S(0, 0));
  EXPECT_EQ(d.Pixel(29, 19), S(11, 9));
  EXPECT_EQ(d.Pixel(1, 10), S(1, 4 + (10 - 4) * 2 / 12));  // left side stretched
  EXPECT_EQ(d.Pixel(27, 10), S(9, 4 + (10 - 4) * 2 / 12));  // right of the kept area
  for (int32_t y = keep.Top; y < keep.Bottom; ++y)
    for (int32_t x = keep.Left; x < keep.Right; ++x) ASSERT_EQ(d.Pixel(x, y), kBg) << x << "," << y;
  // Margins beyond the template are cut to it; nothing for an empty template.
  DrawExBorderTemplate(&d, tpl, {40, 40, 40, 40}, keep);
  DrawExBorderTemplate(&d, TBitmap32(), {4, 4, 4, 4}, {});
  EXPECT_EQ(d.Pixel(5, 5), kBg);
}
