// Rectangle blends, mixes and fades: hand-worked values from the integer
// formulas, the clipping rules, and in-place and bottom-up use.
#include <gtest/gtest.h>

#include <random>

#include "skin/paint/blend.h"
#include "skin/paint/fast32.h"
#include "skin/paint/pixel_fill.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {
TBitmap32 Filled(int32_t w, int32_t h, uint32_t v) {
  TBitmap32 b(w, h);
  b.Fill(v);
  return b;
}
// A source whose pixel (x, y) is 0x00YYXX00 + 0x20: distinct positions, no byte above 127.
TBitmap32 Numbered(int32_t w, int32_t h) {
  TBitmap32 b(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b.ScanLine(y)[x] = (static_cast<uint32_t>(y) << 16) | (static_cast<uint32_t>(x) << 8) | 0x20;
  return b;
}
// What weight 0 makes of a source pixel: (255*S + 127) >> 8 per byte.
uint32_t WeightZero(uint32_t s) {
  uint32_t out = 0;
  for (int i = 0; i < 4; ++i) out |= ((B(s, i) * 255u + 127u) >> 8) << (8 * i);
  return out;
}
}  // namespace

TEST(Fast32, AttachRefusesSmallBitmapsAndConvertsByteOrder) {
  TBitmap32 thin(1, 5), one(5, 1), ok(2, 2);
  TacFast32 f;
  EXPECT_FALSE(f.Attach(&thin));
  EXPECT_EQ(f.Width(), 0);
  EXPECT_FALSE(f.Attach(&one));
  EXPECT_FALSE(f.Attach(nullptr));
  ASSERT_TRUE(f.Attach(&ok));
  ok.SetPixel(1, 1, 0x11223344);  // A 11, R 22, G 33, B 44
  EXPECT_EQ(f.GetPixel(1, 1), 0x11443322u);
  f.SetPixel(0, 1, 0x11443322u);
  EXPECT_EQ(ok.Pixel(0, 1), 0x11223344u);
  f.FillRect(TRect32{-5, -5, 1, 1}, 0x00ABCDEF);  // cut to the bitmap, alpha forced
  EXPECT_EQ(ok.Pixel(0, 0), 0xFFABCDEFu);
  EXPECT_EQ(ok.Pixel(1, 0), 0u);

  TacFastSum32 sum;
  EXPECT_FALSE(sum.Attach(&thin, &ok));
  EXPECT_FALSE(sum.Attach(&ok, &one));
  EXPECT_TRUE(sum.Attach(&ok, &ok));
}

TEST(BlendOverRect, IntegerRoundingAtBothEndsAndInBetween) {
  TBitmap32 src = Filled(4, 4, 0x80808080);
  TBitmap32 dst = Filled(4, 4, 0xC0C0C0C0);
  BlendOverRect(&dst, &src, 255, TRect32{0, 0, 4, 4}, 0, 0);
  EXPECT_EQ(dst.Pixel(3, 3), 0xBFBFBFBFu);  // D*255 + 127 >> 8 = D - 1
  dst.Fill(0xC0C0C0C0);
  BlendOverRect(&dst, &src, 0, TRect32{0, 0, 4, 4}, 0, 0);
  EXPECT_EQ(dst.Pixel(0, 0), 0x7F7F7F7Fu);  // one less than S
  dst.Fill(0xC0C0C0C0);
  BlendOverRect(&dst, &src, 127, TRect32{0, 0, 4, 4}, 0, 0);
  EXPECT_EQ(dst.Pixel(2, 1), 0x9F9F9F9Fu);  // (192*127 + 128*128 + 127) >> 8 = 159
}

TEST(BlendOverRect, ClipsByMovingTheSourceAndSkipsWhatIsOutside) {
  const TBitmap32 src = Numbered(4, 4);
  // A negative destination point moves the source rectangle instead.
  TBitmap32 dst = Filled(4, 4, 0);
  BlendOverRect(&dst, &src, 0, TRect32{0, 0, 4, 4}, -1, -2);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x) {
      const uint32_t expect = (x < 3 && y < 2) ? WeightZero(src.Pixel(x + 1, y + 2)) : 0u;
      EXPECT_EQ(dst.Pixel(x, y), expect) << x << "," << y;
    }
  // A negative source origin moves the destination point.
  dst.Fill(0);
  BlendOverRect(&dst, &src, 0, TRect32{-2, -1, 2, 2}, 0, 0);
  EXPECT_EQ(dst.Pixel(2, 1), WeightZero(src.Pixel(0, 0)));
  EXPECT_EQ(dst.Pixel(3, 2), WeightZero(src.Pixel(1, 1)));
  EXPECT_EQ(dst.Pixel(1, 1), 0u);
  EXPECT_EQ(dst.Pixel(2, 3), 0u);
  // Rectangles that reach past both bitmaps are cut.
  dst.Fill(0);
  BlendOverRect(&dst, &src, 0, TRect32{2, 2, 100, 100}, 3, 1);
  EXPECT_EQ(dst.Pixel(3, 1), WeightZero(src.Pixel(2, 2)));
  EXPECT_EQ(dst.Pixel(3, 2), WeightZero(src.Pixel(2, 3)));
  EXPECT_EQ(dst.Pixel(3, 3), 0u);
  // Nothing at all: source outside the source, empty, reversed, destination
  // beyond, extreme values, bitmaps below 2 x 2.
  const TBitmap32 before = dst;
  const TRect32 none[] = {{4, 0, 8, 4}, {0, 0, 0, 4}, {3, 3, 1, 1}, {INT32_MIN, INT32_MIN, INT32_MIN + 2, 2},
                          {INT32_MAX - 1, 0, INT32_MAX, 4}};
  for (const TRect32& r : none) BlendOverRect(&dst, &src, 0, r, 0, 0);
  BlendOverRect(&dst, &src, 0, TRect32{0, 0, 4, 4}, 4, 0);
  BlendOverRect(&dst, &src, 0, TRect32{0, 0, 4, 4}, INT32_MIN, INT32_MIN);
  BlendOverRect(&dst, &src, 0, TRect32{0, 0, 4, 4}, INT32_MAX, 0);
  TBitmap32 thin = Filled(1, 4, 0x12345678);
  BlendOverRect(&dst, &thin, 0, TRect32{0, 0, 1, 4}, 0, 0);
  BlendOverRect(&dst, nullptr, 0, TRect32{0, 0, 1, 4}, 0, 0);
  EXPECT_TRUE(SameBitmaps(dst, before));
}

TEST(BlendOverRect, InPlaceOverlapAndBottomUpRowsMatchTheReferenceOrder) {
  std::mt19937 rng(7);
  const TBitmap32 base = RandomBitmap(rng, 37, 9, 0);
  // In place, shifted by one column: columns are walked left to right, rows
  // bottom to top, each reading the source as it is at that moment.
  TBitmap32 got = base, want = base;
  BlendOverRect(&got, &got, 100, TRect32{1, 0, 37, 8}, 0, 1);
  for (int32_t y = 7; y >= 0; --y)
    for (int32_t x = 0; x < 36; ++x) {
      uint32_t& d = want.ScanLine(y + 1)[x];
      const uint32_t s = want.ScanLine(y)[x + 1];
      uint32_t out = 0;
      for (int i = 0; i < 4; ++i) out |= ((B(d, i) * 100u + B(s, i) * 155u + 127u) >> 8) << (8 * i);
      d = out;
    }
  EXPECT_TRUE(SameBitmaps(got, want));
  // A bottom-up destination gives the same picture as a top-down one.
  const TBitmap32 src = RandomBitmap(rng, 37, 9, 0);
  TBottomUp up(base);
  TBitmap32 down = base;
  BlendOverRect(&up.view, &src, 77, TRect32{3, 2, 30, 9}, 5, 1);
  BlendOverRect(&down, &src, 77, TRect32{3, 2, 30, 9}, 5, 1);
  EXPECT_TRUE(SameBitmaps(up.view, down));
}

TEST(BlendOverBitmap, NeedsEqualSizes) {
  TBitmap32 dst = Filled(3, 3, 0xC0C0C0C0), src = Filled(3, 3, 0x80808080), other = Filled(3, 4, 0);
  BlendOverBitmap(&dst, &other, 0);
  EXPECT_EQ(dst.Pixel(1, 1), 0xC0C0C0C0u);
  BlendOverBitmap(&dst, &src, 0);
  EXPECT_EQ(dst.Pixel(2, 2), 0x7F7F7F7Fu);
}

TEST(MixBitmaps, WeightOrMaskPerChannelAlphaKept) {
  TBitmap32 a = Filled(5, 3, 0x00FFFFFF), b = Filled(5, 3, 0x00000000), dst = Filled(5, 3, 0x55123456);
  MixBitmaps(&dst, &a, &b, 128);
  EXPECT_EQ(dst.Pixel(4, 2), 0x557F7F7Fu);  // 255*128 >> 8 = 127, alpha kept
  TBitmap32 mask = Filled(5, 3, 0x0000FF40);
  MixBitmaps(&dst, &a, &b, 0, &mask);
  EXPECT_EQ(dst.Pixel(0, 0), 0x5500FE3Fu);  // 255*64>>8=63, 255*255>>8=254, 0
  // A B below A: ((A - B)*w + B*256) >> 8 = A*w + B*(256-w) >> 8, never negative.
  TBitmap32 lo = Filled(5, 3, 0x00101010), hi = Filled(5, 3, 0x00F0F0F0);
  MixBitmaps(&dst, &lo, &hi, 200);
  EXPECT_EQ(dst.Pixel(1, 1) & 0xFF, (16u * 200 + 240u * 56) >> 8);
  // Different sizes of A and B: nothing.
  const TBitmap32 before = dst;
  TBitmap32 small = Filled(4, 3, 0);
  MixBitmaps(&dst, &a, &small, 10);
  EXPECT_TRUE(SameBitmaps(dst, before));
  // A smaller destination only gets the part it has.
  TBitmap32 tiny = Filled(2, 2, 0);
  MixBitmaps(&tiny, &a, &b, 255);
  EXPECT_EQ(tiny.Pixel(1, 1), 0x00FEFEFEu);
}

TEST(MaskFade, MaskZeroGivesTheColourAndTheFadeRectKeeps153) {
  TBitmap32 bmp = Filled(3, 2, 0x7FC8C8C8), mask = Filled(3, 2, 0x00999999);  // 153
  MaskFadeToColor(&bmp, &mask, 0x00646464);                                     // q = 100
  EXPECT_EQ(bmp.Pixel(2, 1), 0x7F9F9F9Fu);  // (200*153 + 100*103) >> 8 = 159
  mask.Fill(0);
  MaskFadeToColor(&bmp, &mask, 0x00332211);  // colour value: red 0x11 -> byte 2
  EXPECT_EQ(bmp.Pixel(0, 0), 0x7F112233u);
  TBitmap32 other(3, 3);
  MaskFadeToColor(&bmp, &other, 0);
  EXPECT_EQ(bmp.Pixel(0, 0), 0x7F112233u);

  // The callers' form: rectangle one larger than the bitmap, plain 60 %.
  std::mt19937 rng(3);
  const TBitmap32 base = RandomBitmap(rng, 9, 6, 0);
  TBitmap32 got = base, want = base, m153 = Filled(9, 6, 0x00999999);
  FadeRectToColor(&got, TRect32{0, 0, 10, 7}, 60, 0, 0, 0x00102030);
  MaskFadeToColor(&want, &m153, 0x00102030);
  EXPECT_TRUE(SameBitmaps(got, want));
  // Without the extra pixel the last column and row take the colour.
  got = base;
  FadeRectToColor(&got, TRect32{0, 0, 9, 6}, 60, 0, 0, 0x00102030);
  EXPECT_EQ(got.Pixel(8, 2) & 0xFFFFFF, 0x302010u);
  EXPECT_EQ(got.Pixel(3, 5) & 0xFFFFFF, 0x302010u);
  EXPECT_EQ(got.Pixel(7, 4), want.Pixel(7, 4));
}

TEST(MaskFade, LevelsMakeALighterEdge) {
  // 10 x 10, levels 2: ring 0 white, ring 1 153 + Round(102/3*2) = 221, inside 153.
  TBitmap32 bmp = Filled(10, 10, 0x00C8C8C8);
  FadeRectToColor(&bmp, TRect32{0, 0, 10, 10}, 60, 0, 2, 0x00646464);
  EXPECT_EQ(bmp.Pixel(0, 5) & 0xFF, (200u * 255 + 100u) >> 8);     // ring 0, mask 255
  EXPECT_EQ(bmp.Pixel(1, 5) & 0xFF, (200u * 221 + 100u * 35) >> 8);
  EXPECT_EQ(bmp.Pixel(5, 5) & 0xFF, (200u * 153 + 100u * 103) >> 8);
  EXPECT_EQ(bmp.Pixel(9, 5) & 0xFF, 100u);                         // never filled: mask 0
  // Rounded corners keep the corner pixel out of every ring.
  bmp.Fill(0x00C8C8C8);
  FadeRectToColor(&bmp, TRect32{0, 0, 10, 10}, 60, 4, 2, 0x00646464);
  EXPECT_EQ(bmp.Pixel(0, 0) & 0xFF, 100u);
  EXPECT_EQ(bmp.Pixel(0, 5) & 0xFF, 199u);
}

TEST(Fills, FillGrayAndAlpha) {
  TBitmap32 bmp = Filled(4, 3, 0x10203040);
  FillPixels32(&bmp, TRect32{1, 1, 100, 2}, 0x00332211);
  EXPECT_EQ(bmp.Pixel(3, 1), 0xFF112233u);
  EXPECT_EQ(bmp.Pixel(0, 1), 0x10203040u);
  FillPixels32(&bmp, TRect32{0, 0, 4, 3}, 0xFF00000F);  // system colour, resolved
  EXPECT_EQ(bmp.Pixel(0, 0), 0xFFF0F0F0u);
  TBitmap32 one = Filled(1, 1, 5);
  FillPixels32(&one, TRect32{0, 0, 1, 1}, 0);
  EXPECT_EQ(one.Pixel(0, 0), 5u);

  bmp.SetPixel(0, 0, KeyColor32);
  bmp.SetPixel(1, 0, 0x80102030);  // (16+32+48)/3 = 32
  GrayBitmapExceptKey(&bmp, KeyColor32);
  EXPECT_EQ(bmp.Pixel(0, 0), KeyColor32);
  EXPECT_EQ(bmp.Pixel(1, 0), 0x80202020u);
  GrayBitmap(&bmp);
  EXPECT_EQ(bmp.Pixel(0, 0), 0x00AAAAAAu);  // (255+0+255)/3 = 170

  bmp.SetPixel(2, 2, KeyColor32);
  SetAlphaInRect(&bmp, TRect32{-1, -1, 100, 100}, 0x40, true);
  EXPECT_EQ(bmp.Pixel(2, 2), KeyColor32);
  EXPECT_EQ(bmp.Pixel(1, 0), 0x40202020u);
  SetAlphaInRect(&bmp, TRect32{2, 2, 3, 3}, 0x40, false);
  EXPECT_EQ(bmp.Pixel(2, 2), 0x40FF00FFu);
}
