// Every routine with rectangles, points and offsets from a nasty list
// (negative, huge, empty, reversed, extreme) on small bitmaps that hold
// exactly their pixels, including one-pixel and bottom-up ones: under the
// address sanitizer any read or write outside a bitmap fails the run. The
// bitmaps must also keep their sizes, and calls that are wholly outside must
// change nothing.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "skin/paint/blend.h"
#include "skin/paint/channel_copy.h"
#include "skin/paint/disabled_look.h"
#include "skin/paint/fast32.h"
#include "skin/paint/gradient.h"
#include "skin/paint/keyed_copy.h"
#include "skin/paint/masked_copy.h"
#include "skin/paint/pixel_fill.h"
#include "skin/paint/tint.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

const int32_t kValues[] = {INT32_MIN, INT32_MIN + 1, -100000, -7, -1, 0, 1, 2, 3, 5, 8, 100000, INT32_MAX - 1, INT32_MAX};

int32_t Pick(std::mt19937& rng) { return kValues[rng() % (sizeof(kValues) / sizeof(kValues[0]))]; }
TRect32 NastyRect(std::mt19937& rng) { return TRect32{Pick(rng), Pick(rng), Pick(rng), Pick(rng)}; }

}  // namespace

TEST(Bounds, NoRoutineLeavesItsBitmaps) {
  std::mt19937 rng(99);
  const TsGradArray grads[] = {ParseGradientData("255;65280;50;0;0;1;2;60;0;0"), ParseGradientData("255;65280;50;1;0;1;2;60;1;0"),
                               ParseGradientData("1;2;3;2;0;4;5;6;2;0")};
  for (int round = 0; round < 3000; ++round) {
    const int32_t w1 = 1 + static_cast<int32_t>(rng() % 6), h1 = 1 + static_cast<int32_t>(rng() % 5);
    const int32_t w2 = 1 + static_cast<int32_t>(rng() % 6), h2 = 1 + static_cast<int32_t>(rng() % 5);
    TBitmap32 dst = RandomBitmap(rng, w1, h1), src = RandomBitmap(rng, w2, h2);
    TBottomUp upSrc(src);
    const TBitmap32* s = (round & 1) ? &upSrc.view : &src;
    const TRect32 r1 = NastyRect(rng), r2 = NastyRect(rng);
    const int32_t x = Pick(rng), y = Pick(rng);
    TCacheInfo ci = CacheInfoOf(&src, Pick(rng), Pick(rng));
    if (round % 3 == 0) ci.Ready = false;
    const uint8_t weight = static_cast<uint8_t>(rng());
    switch (round % 17) {
      case 0: BlendOverRect(&dst, s, weight, r1, x, y); break;
      case 1: MixBitmaps(&dst, s, &src, weight, (round & 2) ? &dst : nullptr); break;
      case 2: FillPixels32(&dst, r1, 0x123456); SetAlphaInRect(&dst, r2, 9, true); break;
      case 3: TintRect(&dst, r1, x, 0x00FF00); break;
      case 4: BlendKeyedRect(&dst, x, y, KeyColor32, 0.4, r1, s); break;
      case 5: FadeRectToColor(&dst, r1, 60, static_cast<int>(rng() % 5), static_cast<int>(rng() % 5) - 1, 0); break;
      case 6: CopyKeyed(&dst, s, x, 0xFF00FF, y); break;
      case 7: CopyKeyedRect(&dst, s, x, 0xFF00FF, r1, y); break;
      case 8: CopyKeyedOverBackground(&dst, s, x, round & 2, ci, 0xFF00FF, r1, y); break;
      case 9: CopyWithAlpha(r1, r2, &dst, round & 2, ci, s); break;
      case 10: CopyMasked(r1, r2, &dst, x, round & 2, ci, s); break;
      case 11: PaintGradient(&dst, r1, grads[rng() % 3], (round & 2) ? 0 : x % 50); break;
      case 12: PaintGradientTextured(&dst, r1, grads[rng() % 2], weight, r2, s); break;
      case 13: ApplyDisabledKind(&dst, dkBlended | dkGrayed, 0, x, y, ci); break;
      case 14: {
        TacFastSum32 sum;
        if (sum.Attach(s, &dst)) {
          sum.DstX1 = r1.Left; sum.DstY1 = r1.Top; sum.DstX2 = r1.Right; sum.DstY2 = r1.Bottom;
          sum.SrcX1 = r2.Left; sum.SrcY1 = r2.Top; sum.SrcX2 = r2.Right; sum.SrcY2 = r2.Bottom;
          sum.BlendBitmapsRect();
        }
        TacFast32 f;
        if (f.Attach(&dst)) { f.FillRect(r1, 0); f.SetPixel(x, y, 1); (void)f.GetPixel(y, x); }
        break;
      }
      case 15: { TBitmap32 m = RandomBitmap(rng, w1, h1); MaskFadeToColor(&dst, &m, 0x10); FadeBitmapToColor(&dst, 0, 0.4); break; }
      case 16: { TBitmap8 plane(w2, h2); CopyChannel(&dst, &plane, x & 3, round & 2); break; }
    }
    ASSERT_EQ(dst.Width(), w1);
    ASSERT_EQ(dst.Height(), h1);
  }
}

TEST(Bounds, CallsWhollyOutsideChangeNothing) {
  std::mt19937 rng(4);
  TBitmap32 dst = RandomBitmap(rng, 5, 4);
  const TBitmap32 src = RandomBitmap(rng, 5, 4), before = dst;
  const TRect32 outside{10, 10, 20, 20}, reversed{4, 3, 1, 1};
  for (const TRect32& r : {outside, reversed}) {
    FillPixels32(&dst, r, 0);
    SetAlphaInRect(&dst, r, 0, false);
    TintRect(&dst, r, 0, 0);
    FadeRectToColor(&dst, r, 0, 0, 0, 0);
    CopyKeyedRect(&dst, &src, 0, 0xFF00FF, r, 0);
    CopyWithAlpha(r, TRect32{0, 0, 5, 4}, &dst, false, TCacheInfo{}, &src);
    CopyMasked(TRect32{0, 0, 5, 4}, r, &dst, 2, false, TCacheInfo{}, &src);
    PaintGradient(&dst, r, ParseGradientData("1;2;100;0;0"));
  }
  CopyKeyed(&dst, &src, 5, 0xFF00FF, 0);
  CopyKeyed(&dst, &src, -5, 0xFF00FF, 0);
  BlendKeyedRect(&dst, 0, -4, KeyColor32, 0.4, TRect32{0, 0, 4, 3}, &src);
  EXPECT_TRUE(SameBitmaps(dst, before));
}

// Parameters that would make naive loops run for billions of steps.
TEST(Bounds, HugeParametersFinishQuickly) {
  TBitmap32 bmp(40, 30);
  bmp.Fill(0x00808080);
  const TRect32 huge{-1000000000, -1000000000, 1000000000, 1000000000};
  FadeRectToColor(&bmp, huge, 60, INT32_MAX, INT32_MAX, 0);
  // Far inside a huge rectangle with square corners the rings have reached
  // (nearly) 60 %: 128*153 >> 8.
  bmp.Fill(0x00808080);
  FadeRectToColor(&bmp, huge, 60, 0, INT32_MAX, 0);
  EXPECT_EQ(bmp.Pixel(20, 15), 0x004C4C4Cu);
  FadeRectToColor(&bmp, TRect32{0, 0, 40, 30}, 60, INT32_MAX, INT32_MAX, 0);
  // An offset far above: the first segment ends above R and the second runs
  // from there to R's bottom, so R shows its end colour.
  PaintGradient(&bmp, TRect32{0, 0, 40, 30}, ParseGradientData("1;2;50;0;0;3;4;50;0;0"), INT32_MIN);
  EXPECT_EQ(bmp.Pixel(5, 5), 0xFF040000u);
  const TBitmap32 before = bmp;
  PaintGradient(&bmp, TRect32{0, 0, 40, 30}, ParseGradientData("1;2;50;0;0;3;4;50;0;0"), INT32_MAX);
  EXPECT_TRUE(SameBitmaps(bmp, before));  // starts below R: nothing
  PaintGradient(&bmp, TRect32{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, ParseGradientData("1;2;0;2;0"));
  EXPECT_EQ(bmp.Pixel(39, 29), 0xFF010000u);
}
