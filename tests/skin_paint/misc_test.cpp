// Channel copies, the disabled look and the filtered resize.
#include <gtest/gtest.h>

#include <random>

#include "skin/paint/channel_copy.h"
#include "skin/paint/disabled_look.h"
#include "skin/paint/resample.h"
#include "skin/paint/tint.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

TEST(ChannelCopy, RoundTripsOneByte) {
  TBitmap32 bmp(3, 2);
  bmp.Fill(0x11223344);
  TBitmap8 plane(3, 2);
  CopyChannel(&bmp, &plane, 3, true);
  EXPECT_EQ(plane.ScanLine(1)[2], 0x11);
  plane.ScanLine(0)[1] = 0x99;
  CopyChannel(&bmp, &plane, 3, false);
  EXPECT_EQ(bmp.Pixel(1, 0), 0x99223344u);
  EXPECT_EQ(bmp.Pixel(0, 0), 0x11223344u);
  CopyChannel(&bmp, &plane, 4, false);  // no such byte: nothing
  TBitmap8 small(1, 1);
  small.ScanLine(0)[0] = 0;
  CopyChannel(&bmp, &small, 0, false);  // only the shared area
  EXPECT_EQ(bmp.Pixel(0, 0), 0x11223300u);
  EXPECT_EQ(bmp.Pixel(1, 0), 0x99223344u);
}

TEST(DisabledLook, GreysBlendsWithParentOrTintsTowardsColour) {
  TBitmap32 bmp(2, 2);
  bmp.Fill(0x80C86432);
  ApplyDisabledKind(&bmp, dkGrayed, 0, 0, 0, TCacheInfo{});
  EXPECT_EQ(bmp.Pixel(1, 1), 0x80747474u);  // (200 + 100 + 50) div 3 = 116
  // Parent ready: the control keeps 40 %; the parent pixel comes from (X + ox, Y + oy).
  TBitmap32 parent(4, 4);
  parent.Fill(0xFF000000);
  parent.SetPixel(3, 3, 0xFFC8C8C8);
  TBitmap32 ctrl(2, 2);
  ctrl.Fill(0x7F000000);
  ApplyDisabledKind(&ctrl, dkBlended, 0, 1, 1, CacheInfoOf(&parent, 1, 1));
  EXPECT_EQ(ctrl.Pixel(1, 1), 0x7F787878u);  // 200 - 200*0.4
  EXPECT_EQ(ctrl.Pixel(0, 0), 0x7F000000u);
  // No parent image: 50 % towards the fill colour, or the parent colour for the none-marker.
  ctrl.Fill(0x7F000000);
  TCacheInfo fill;
  fill.FillColor = 0x00C8C8C8;
  ApplyDisabledKind(&ctrl, dkBlended, 0x00FFFFFF, 0, 0, fill);
  EXPECT_EQ(ctrl.Pixel(0, 1), 0x7F646464u);
  fill.FillColor = clNoneMarker;
  ctrl.Fill(0x7F000000);
  ApplyDisabledKind(&ctrl, dkBlended, 0x00020202, 0, 0, fill);
  EXPECT_EQ(ctrl.Pixel(0, 1), 0x7F010101u);
}

TEST(Resample, RefusesTinySourcesAndKeepsFlatColour) {
  TBitmap32 thin(1, 10), dst;
  try {
    ResampleBitmap(thin, dst, 5, 6, 5);
    FAIL() << "no exception";
  } catch (const EResampleError& e) {
    EXPECT_STREQ(e.what(), "Source bitmap is too small");
  }
  TBitmap32 flat(7, 5);
  flat.Fill(0xFF808080);
  for (int filter = 0; filter <= 6; ++filter) {
    for (auto [w, h] : {std::pair{3, 2}, std::pair{20, 13}, std::pair{1, 1}}) {
      ResampleBitmap(flat, dst, w, filter, h);
      ASSERT_EQ(dst.Width(), w);
      ASSERT_EQ(dst.Height(), h);
      // Enlarging, the kernels (except the windowed sinc) sum to one: a flat
      // picture stays flat up to the rounding of each weight and the truncation of each pass. Shrunk
      // kernels are not renormalised, so there only sizes are checked.
      if (filter == 5 || w < flat.Width()) continue;
      for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
          for (int i = 0; i < 4; ++i) ASSERT_NEAR(B(dst.Pixel(x, y), i), B(0xFF808080u, i), 2) << filter << " " << w;
    }
  }
  std::mt19937 rng(1);
  const TBitmap32 pic = RandomBitmap(rng, 9, 4, 0);
  ResampleBitmap(pic, dst, 9, 1, 4);  // same size: a copy
  EXPECT_TRUE(SameBitmaps(pic, dst));
  TBitmap32 self = pic;
  ResampleBitmap(self, self, 18, 1, 8);  // in place
  EXPECT_EQ(self.Width(), 18);
  ResampleBitmap(pic, dst, 0, 1, 8);
  EXPECT_TRUE(dst.Empty());
  // Triangle filter doubling: the first output pixel is the first input pixel.
  TBitmap32 ramp(4, 2);
  for (int32_t x = 0; x < 4; ++x) {
    ramp.SetPixel(x, 0, static_cast<uint32_t>(x * 60));
    ramp.SetPixel(x, 1, static_cast<uint32_t>(x * 60));
  }
  ResampleBitmap(ramp, dst, 8, 1, 2);
  EXPECT_EQ(dst.Pixel(0, 0) & 0xFF, 0u);
  EXPECT_EQ(dst.Pixel(2, 0) & 0xFF, 60u);
}
