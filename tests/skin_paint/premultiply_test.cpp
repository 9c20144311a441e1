// Premultiplied pixels for layered windows.
#include <gtest/gtest.h>

#include <cmath>

#include "skin/paint/premultiply.h"

using namespace glyphora;

TEST(Premultiply, EveryByteAndAlphaRoundsToTheNearest) {
  for (uint32_t a = 0; a < 256; ++a)
    for (uint32_t c = 0; c < 256; ++c)
      ASSERT_EQ(PremultiplyByte(c, a), std::lround(c * a / 255.0)) << c << " " << a;
}

TEST(Premultiply, RectIsCutToBothBitmapsAndKeepsAlpha) {
  TBitmap32 src(4, 3);
  src.Fill(0x80FF4020u);  // alpha 128
  src.SetPixel(0, 0, 0x00FFFFFFu);
  src.SetPixel(1, 0, 0xFF123456u);
  TBitmap32 dst(3, 3);
  dst.Fill(0x11111111u);
  // From (0, 0), placed one pixel left of dst: source column 0 falls off.
  PremultiplyRect(src, {0, 0, 4, 3}, &dst, -1, 1);
  EXPECT_EQ(dst.Pixel(0, 1), 0xFF123456u);  // opaque: unchanged
  EXPECT_EQ(dst.Pixel(1, 1), 0x80802010u);  // 255, 64 and 32 times 128/255
  EXPECT_EQ(dst.Pixel(0, 0), 0x11111111u);  // row 0 untouched
  EXPECT_EQ(dst.Pixel(2, 2), 0x80802010u);
  // In place; transparent pixels lose their colour.
  PremultiplyRect(src, {0, 0, 4, 3}, &src, 0, 0);
  EXPECT_EQ(src.Pixel(0, 0), 0u);
  EXPECT_EQ(src.Pixel(3, 2), 0x80802010u);
}

TEST(Premultiply, ScaledToAConstantOpacity) {
  TBitmap32 bmp(2, 1);
  bmp.SetPixel(0, 0, 0xFF804020u);
  bmp.SetPixel(1, 0, 0x80402010u);
  ScalePremultiplied(&bmp, 128);
  EXPECT_EQ(bmp.Pixel(0, 0), 0x80402010u);
  EXPECT_EQ(bmp.Pixel(1, 0), 0x40201008u);
}
