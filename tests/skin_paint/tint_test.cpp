// Blends with real weights: hand-worked rounding (ties to even), and the
// integer fast paths against the double-precision references on random data.
#include <gtest/gtest.h>

#include <random>

#include "skin/paint/tint.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

TEST(TintRect, EndsAndHalfwayRoundToEven) {
  TBitmap32 bmp(3, 2);
  bmp.Fill(0x80030507);
  TintRect(&bmp, TRect32{0, 0, 3, 2}, 100, 0x00FFFFFF);
  EXPECT_EQ(bmp.Pixel(1, 1), 0x80030507u);  // 100 % keeps the pixels
  TintRect(&bmp, TRect32{0, 0, 3, 2}, 50, 0);
  EXPECT_EQ(bmp.Pixel(0, 0), 0x80020204u);  // 1.5 -> 2, 2.5 -> 2, 3.5 -> 4; alpha kept
  TintRect(&bmp, TRect32{2, 1, 9, 9}, 0, 0x00332211);  // 0 % paints the colour, cut to the bitmap
  EXPECT_EQ(bmp.Pixel(2, 1), 0x80112233u);
  EXPECT_EQ(bmp.Pixel(1, 1), 0x80020204u);
  TintRect(&bmp, TRect32{0, 0, 3, 2}, 0, 0xFF00000F);  // system colour resolved
  EXPECT_EQ(bmp.Pixel(0, 0), 0x80F0F0F0u);
}

TEST(FadeAndKeyedBlend, HandWorkedValues) {
  TBitmap32 bmp(2, 2);
  bmp.Fill(0x11C86432);  // R 200, G 100, B 50
  bmp.SetPixel(1, 1, KeyColor32);
  FadeBitmapToColor(&bmp, 0x00000000, 0.4);
  EXPECT_EQ(bmp.Pixel(0, 0), 0x11502814u);  // 80, 40, 20
  EXPECT_EQ(bmp.Pixel(1, 1), KeyColor32);

  TBitmap32 dst(3, 1), src(2, 2);
  dst.Fill(0x7F000000);
  src.Fill(0x00C8C8C8);
  src.SetPixel(1, 0, KeyColor32);
  // d := Round(s - (s - d)*k): 200 - 200*0.4 = 120; the key pixel is skipped.
  BlendKeyedRect(&dst, 1, 0, KeyColor32, 0.4, TRect32{0, 0, 1, 0}, &src);
  EXPECT_EQ(dst.Pixel(0, 0), 0x7F000000u);
  EXPECT_EQ(dst.Pixel(1, 0), 0x7F787878u);
  EXPECT_EQ(dst.Pixel(2, 0), 0x7F000000u);
  // Ties: 0.5 of 3 and 0 is 1.5 -> 2; of 5 and 0, 2.5 -> 2.
  src.Fill(0x00000503);
  dst.Fill(0);
  BlendKeyedRect(&dst, 0, 0, KeyColor32, 0.5, TRect32{0, 0, 1, 1}, &src);
  EXPECT_EQ(dst.Pixel(0, 0), 0x00000202u);
}

// The fast paths equal the references byte for byte, for weights that take
// the integer kernel (whole percents without ties, quarters) and for weights
// that must not (odd reals, ties in inexact binary fractions).
TEST(FadeAndKeyedBlend, FastPathsMatchReferences) {
  std::mt19937 rng(11);
  const int sizes[][2] = {{1, 1}, {3, 2}, {7, 3}, {17, 5}, {1921, 2}};
  const double weights[] = {0.4, 0.5, 0.25, 0.3, 0.7, 0.123, 1.0, 0.0, 0.01, 0.99};
  for (const auto& sz : sizes) {
    for (double k : weights) {
      const TBitmap32 base = RandomBitmap(rng, sz[0], sz[1]);
      const TBitmap32 src = RandomBitmap(rng, sz[0] + 2, sz[1] + 1);
      const TColor c = rng() & 0xFFFFFF;
      TBitmap32 a = base, b = base;
      FadeBitmapToColor(&a, c, k);
      FadeBitmapToColorReference(&b, c, k);
      ASSERT_TRUE(SameBitmaps(a, b)) << "fade k=" << k << " w=" << sz[0];
      a = base;
      b = base;
      const TRect32 sr{1, 0, sz[0], sz[1]};
      BlendKeyedRect(&a, -1, 0, KeyColor32, k, sr, &src);
      BlendKeyedRectReference(&b, -1, 0, KeyColor32, k, sr, &src);
      ASSERT_TRUE(SameBitmaps(a, b)) << "keyed k=" << k << " w=" << sz[0];
      for (int p : {0, 1, 30, 33, 50, 60, 75, 99, 100}) {
        a = base;
        b = base;
        TintRect(&a, TRect32{0, 0, sz[0], sz[1]}, p, c);
        TintRectReference(&b, TRect32{0, 0, sz[0], sz[1]}, p, c);
        ASSERT_TRUE(SameBitmaps(a, b)) << "tint p=" << p << " w=" << sz[0];
      }
    }
  }
}
