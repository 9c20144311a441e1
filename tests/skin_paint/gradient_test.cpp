// Gradient text, segment layout and colour stepping of both painters, the
// triangle kind, and the textured painter against a per-pixel recomputation.
#include <gtest/gtest.h>

#include <random>

#include "skin/paint/gradient.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

TEST(GradientParse, GroupsOfFiveClampedAndBadText) {
  const TsGradArray g = ParseGradientData("16777215;15856113;97;0;0;15856113;15856113;0;0;0");
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0].Color1, 16777215u);
  EXPECT_EQ(g[0].Color2, 15856113u);
  EXPECT_EQ(g[0].Percent, 97);
  EXPECT_EQ(g[1].Mode1, 0);
  EXPECT_EQ(g[1].Mode2, 0);
  EXPECT_TRUE(ParseGradientData("N/A").empty());
  EXPECT_TRUE(ParseGradientData("").empty());
  EXPECT_TRUE(ParseGradientData("1;2;3;4").empty());
  // Runs of ';' are one separator; leftovers after the last group are dropped;
  // the fifth word is never read.
  const TsGradArray h = ParseGradientData(";;-5;7;150;1;junk;;1;2;3");
  ASSERT_EQ(h.size(), 1u);
  EXPECT_EQ(h[0].Color1, 0u);
  EXPECT_EQ(h[0].Percent, 100);
  EXPECT_EQ(h[0].Mode1, 1);
  EXPECT_EQ(ParseGradientData("1;2;-4;7;0")[0].Percent, 0);
  EXPECT_THROW(ParseGradientData("1;x;3;4;5"), EGradientError);
  EXPECT_THROW(ParseGradientData("1;2;3;4.5;5"), EGradientError);
  EXPECT_THROW(ParseGradientData("1;99999999999;3;4;5"), EGradientError);
}

namespace {
uint32_t Px(TColor c) { return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
TsGradArray Vertical(std::initializer_list<TsGradPie> pies) { return TsGradArray(pies); }
}  // namespace

TEST(GradientPaint, VerticalStepsAndSegmentLayout) {
  TBitmap32 bmp(4, 3);
  PaintGradient(&bmp, TRect32{0, 0, 4, 3}, ParseGradientData("16777215;15856113;100;0;0"));
  EXPECT_EQ(bmp.Pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(bmp.Pixel(3, 1), 0xFFF8F8F8u);  // 255 - 7
  EXPECT_EQ(bmp.Pixel(2, 2), 0xFFF1F1F1u);

  // Percentages below 100: the last segment still reaches the bottom. The
  // boundary row belongs to the later segment.
  TBitmap32 tall(2, 10);
  PaintGradient(&tall, TRect32{0, 0, 2, 10},
                Vertical({{0x0000FF, 0x0000FF, 30, 0, 0}, {0x00FF00, 0x00FF00, 10, 0, 0}}));
  EXPECT_EQ(tall.Pixel(0, 0), Px(0x0000FF));
  EXPECT_EQ(tall.Pixel(0, 2), Px(0x0000FF));
  EXPECT_EQ(tall.Pixel(0, 3), Px(0x00FF00));  // row 3 ends segment 0 and starts segment 1
  EXPECT_EQ(tall.Pixel(1, 9), Px(0x00FF00));
  // Above 100: later segments get nothing; the last is not painted when it
  // would start on the last row.
  tall.Fill(0);
  PaintGradient(&tall, TRect32{0, 0, 2, 10},
                Vertical({{0x0000FF, 0x0000FF, 100, 0, 0}, {0x00FF00, 0x00FF00, 50, 0, 0}, {0xFF0000, 0xFF0000, 0, 0, 0}}));
  EXPECT_EQ(tall.Pixel(0, 9), Px(0x0000FF));
  // Clipping: a rectangle partly outside is cut; one entirely outside paints nothing.
  tall.Fill(0);
  PaintGradient(&tall, TRect32{1, 8, 50, 50}, ParseGradientData("255;255;100;0;0"));
  EXPECT_EQ(tall.Pixel(1, 9), Px(255));
  EXPECT_EQ(tall.Pixel(0, 9), 0u);
  EXPECT_EQ(tall.Pixel(1, 7), 0u);
  const TBitmap32 before = tall;
  PaintGradient(&tall, TRect32{2, 0, 50, 50}, ParseGradientData("255;255;100;0;0"));
  PaintGradient(&tall, TRect32{0, 0, 2, 10}, ParseGradientData("255;255;100;7;0"));
  PaintGradient(&tall, TRect32{0, 0, 2, 10}, ParseGradientData("N/A"));
  // A segment whose end is not beyond its start paints nothing: one column
  // of a horizontal gradient, one row of a vertical one.
  PaintGradient(&tall, TRect32{0, 0, 1, 10}, ParseGradientData("255;65280;100;1;0"));
  PaintGradient(&tall, TRect32{0, 4, 2, 5}, ParseGradientData("255;65280;100;0;0"));
  PaintGradient(&tall, TRect32{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN + 5}, ParseGradientData("1;1;1;0;0"));
  EXPECT_TRUE(SameBitmaps(tall, before));
}

TEST(GradientPaint, HorizontalRowIsTheSameOnEveryRow) {
  TBitmap32 bmp(11, 4);
  // Two segments: columns 0..Round(50*11/100)=6 (5.5 -> 6), then 6..10.
  PaintGradient(&bmp, TRect32{0, 0, 11, 4}, ParseGradientData("0;600;50;1;0;16777215;16777215;0;1;0"));
  EXPECT_EQ(bmp.Pixel(0, 0), Px(0));
  EXPECT_EQ(bmp.Pixel(3, 2), Px(0x000100 + 0x2C));  // red 88/6*3 = 44, green 2/6*3 = 1
  EXPECT_EQ(bmp.Pixel(5, 1), Px(0x000249));         // 73.33 -> 73, 1.67 -> 2
  EXPECT_EQ(bmp.Pixel(6, 3), Px(0xFFFFFF));
  for (int32_t y = 1; y < 4; ++y)
    for (int32_t x = 0; x < 11; ++x) EXPECT_EQ(bmp.Pixel(x, y), bmp.Pixel(x, 0));
}

TEST(GradientPaint, TrianglesMeetTheVertexColours) {
  TBitmap32 bmp(40, 20);
  // Three segments: the two bottom corners repeat the third colour.
  PaintGradient(&bmp, TRect32{0, 0, 40, 20}, ParseGradientData("255;0;0;2;0;65280;0;0;2;0;16711680;0;0;2;0"));
  auto near = [](uint32_t a, uint32_t b) {
    for (int i = 0; i < 3; ++i)
      if (std::abs(int(B(a, i)) - int(B(b, i))) > 24) return false;
    return true;
  };
  EXPECT_TRUE(near(bmp.Pixel(0, 0), Px(255)));
  EXPECT_TRUE(near(bmp.Pixel(20, 10), Px(65280)));
  EXPECT_TRUE(near(bmp.Pixel(39, 0), Px(16711680)));
  EXPECT_TRUE(near(bmp.Pixel(39, 19), Px(16711680)));
  EXPECT_TRUE(near(bmp.Pixel(0, 19), Px(16711680)));
  EXPECT_EQ(bmp.Pixel(5, 5) >> 24, 255u);
}

// Thin and odd rectangles leave pixels that no triangle covers: those take
// the first colour, and nothing outside the rectangle changes.
TEST(GradientPaint, TrianglesPaintEveryPixelOfThinRectangles) {
  const TsGradArray g = ParseGradientData("255;0;0;2;0;65280;0;0;2;0;16711680;0;0;2;0");
  const uint32_t sentinel = 0x12345678u;
  for (const TRect32 r : {TRect32{2, 1, 9, 2}, TRect32{3, 0, 4, 6}, TRect32{1, 1, 2, 2}, TRect32{0, 2, 12, 3},
                          TRect32{-3, -2, 10, 5}}) {
    TBitmap32 bmp(11, 7);
    bmp.Fill(sentinel);
    PaintGradient(&bmp, r, g);
    for (int32_t y = 0; y < 7; ++y)
      for (int32_t x = 0; x < 11; ++x) {
        const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
        if (!inside) {
          ASSERT_EQ(bmp.Pixel(x, y), sentinel) << x << "," << y;
          continue;
        }
        ASSERT_NE(bmp.Pixel(x, y), sentinel) << x << "," << y;
        ASSERT_EQ(bmp.Pixel(x, y) >> 24, 255u);
      }
  }
}

TEST(GradientPaint, TexturedMatchesPerPixelFormulaAndBottomUpRows) {
  std::mt19937 rng(5);
  const TBitmap32 tex = RandomBitmap(rng, 6, 5, 0);
  const TRect32 tile{1, 1, 4, 3};  // 3 x 2 tile
  for (const char* text : {"255;16711680;60;0;0;65280;100;0;0;0", "255;16711680;60;1;0;65280;100;0;1;0"}) {
    const TsGradArray g = ParseGradientData(text);
    for (int32_t w : {1, 3, 7, 17, 1921}) {
      TBitmap32 plain(w + 3, 9), mixed(w + 3, 9);
      const TRect32 r{2, 1, w + 2, 8};
      PaintGradient(&plain, r, g);
      PaintGradientTextured(&mixed, r, g, 77, tile, &tex);
      TBottomUp up(TBitmap32(w + 3, 9));
      PaintGradientTextured(&up.view, r, g, 77, tile, &tex);
      ASSERT_TRUE(SameBitmaps(up.view, mixed));
      for (int32_t y = 0; y < 9; ++y)
        for (int32_t x = 0; x < w + 3; ++x) {
          // A horizontal gradient one column wide has no segment: nothing is painted.
          const bool inside = x >= 2 && x < w + 2 && y >= 1 && y < 8 && !(g[0].Mode1 == 1 && w == 1);
          if (!inside) {
            ASSERT_EQ(mixed.Pixel(x, y), 0u);
            continue;
          }
          const uint32_t gp = plain.Pixel(x, y), t = tex.Pixel(1 + x % 3, 1 + y % 2);
          uint32_t want = 0xFF000000u;
          for (int i = 0; i < 3; ++i) want |= ((77u * B(t, i) + B(gp, i) * 179u) >> 8) << (8 * i);
          ASSERT_EQ(mixed.Pixel(x, y), want) << text << " w=" << w << " at " << x << "," << y;
        }
    }
  }
  // An empty texture rectangle means the whole texture, less its last row and
  // column; a tile starting outside the texture, or kind 2, paints nothing.
  TBitmap32 a(4, 4), b(4, 4);
  const TsGradArray g = ParseGradientData("0;0;100;0;0");
  PaintGradientTextured(&a, TRect32{0, 0, 4, 4}, g, 255, TRect32{}, &tex);
  PaintGradientTextured(&b, TRect32{0, 0, 4, 4}, g, 255, TRect32{0, 0, 5, 4}, &tex);
  EXPECT_TRUE(SameBitmaps(a, b));
  TBitmap32 c(4, 4);
  PaintGradientTextured(&c, TRect32{0, 0, 4, 4}, g, 255, TRect32{-1, 0, 3, 3}, &tex);
  PaintGradientTextured(&c, TRect32{0, 0, 4, 4}, ParseGradientData("0;0;100;2;0"), 255, tile, &tex);
  PaintGradientTextured(&c, TRect32{0, 0, 4, 4}, g, 255, TRect32{5, 0, 6, 3}, &tex);
  EXPECT_TRUE(SameBitmaps(c, TBitmap32(4, 4)));
}
