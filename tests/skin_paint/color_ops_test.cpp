// Colour arithmetic: blends of two colours, hue rotation and saturation.
#include <gtest/gtest.h>

#include "base/color_ops.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

TEST(ColorOps, BlendAndHalfway) {
  EXPECT_EQ(BlendColors(0x7F0000FF, 0x00FF0000, 0.5), 0x7F800080u);  // 127.5 -> 128 (even)
  EXPECT_EQ(BlendColors(0x00000003, 0x00000000, 0.5), 0x00000002u);  // 1.5 -> 2
  EXPECT_EQ(BlendColors(0x00000005, 0x00000000, 0.5), 0x00000002u);  // 2.5 -> 2
  EXPECT_EQ(BlendColors(0x00102030, 0x00FFFFFF, 1.0), 0x00102030u);
  EXPECT_EQ(HalfwayColor(0xFF0000FF, 0x00FF0000), 0x0080007Eu);  // 255*127>>8, 255*129>>8, top 0
}

TEST(ColorOps, HueRotation) {
  // Pure red by 120 degrees is pure green, by 240 pure blue (pixel order).
  EXPECT_EQ(ShiftHue(120, 0x80FF0000), 0x8000FF00u);
  EXPECT_EQ(ShiftHue(240, 0x80FF0000), 0x800000FFu);
  // Delta 360 and 0 give the colour back up to rounding.
  for (uint32_t px : {0x00C86432u, 0x00123456u, 0xFF0A0B0Cu}) {
    const uint32_t r = ShiftHue(360, px);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(B(r, i), B(px, i), 1) << std::hex << px;
    EXPECT_EQ(B(r, 3), B(px, 3));
  }
  EXPECT_EQ(ShiftHue(77, 0x40808080), 0x40808080u);  // greys keep their value
  // A negative result of the remainder keeps its sign: sector -1 is the last case.
  EXPECT_EQ(ShiftHue(-60, 0x00FF0000), 0x00FF00FFu);
  // The colour-value form swaps red and blue around the pixel form.
  EXPECT_EQ(ShiftHueColor(120, 0x000000FF), 0x0000FF00u);  // red -> green
  EXPECT_EQ(ShiftHueColor(0, 0x12345678), 0x12345678u);
}

TEST(ColorOps, Saturation) {
  EXPECT_EQ(AdjustSaturation(0, 0x12345678), 0x12345678u);
  // -100 turns a colour into its grey mean: (200 + 100 + 30)/3 = 110.
  EXPECT_EQ(AdjustSaturation(-100, 0x55C8641E), 0x556E6E6Eu);
  // +100 doubles the distance from the mean, clamped: 200 + 90 = 290 -> 255,
  // 100 - 10 = 90, 30 - 80 = -50 -> 0.
  EXPECT_EQ(AdjustSaturation(100, 0x00C8641E), 0x00FF5A00u);
}

TEST(ColorOps, BitmapFormsSkipKeyAndGreys) {
  TBitmap32 bmp(3, 2);
  bmp.Fill(0x00FF0000);
  bmp.SetPixel(0, 0, KeyColor32);
  bmp.SetPixel(1, 0, 0x00404040);
  ShiftBitmapHue(&bmp, 120);
  EXPECT_EQ(bmp.Pixel(0, 0), KeyColor32);
  EXPECT_EQ(bmp.Pixel(1, 0), 0x00404040u);
  EXPECT_EQ(bmp.Pixel(2, 0), 0x0000FF00u);
  EXPECT_EQ(bmp.Pixel(2, 1), 0x0000FF00u);
  AdjustBitmapSaturation(&bmp, -100);
  EXPECT_EQ(bmp.Pixel(0, 0), KeyColor32);
  EXPECT_EQ(bmp.Pixel(2, 1), 0x00555555u);
  ShiftBitmapHue(nullptr, 10);
  AdjustBitmapSaturation(nullptr, 10);
}
