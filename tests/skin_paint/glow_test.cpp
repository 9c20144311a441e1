// The glow mask: the blur kernel, the blur against a direct Gaussian
// convolution, and the mask and text coverage laid over a bitmap.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "skin/paint/glow_mask.h"
#include "skin/paint/text_coverage.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

class GlowKernelTest : public ::testing::TestWithParam<int> {};

TEST_P(GlowKernelTest, SumsToOneSymmetricAndCutWhereLittleIsLeft) {
  const int r = GetParam();
  const std::vector<int32_t> k = GlowKernel(r);
  ASSERT_EQ(k.size() % 2, 1u);
  EXPECT_EQ(std::accumulate(k.begin(), k.end(), 0), kGlowKernelOne);
  for (size_t i = 0; i < k.size(); ++i) {
    EXPECT_EQ(k[i], k[k.size() - 1 - i]);
    if (i > 0 && i < k.size() / 2) {
      EXPECT_LE(k[i - 1], k[i]) << "rises towards the centre";
    }
  }
  const int half = static_cast<int>(k.size() / 2);
  EXPECT_LE(half, 100);
  if (r <= 0) {
    EXPECT_EQ(half, 0) << "no blur";
    return;
  }
  EXPECT_GE(half, 1);
  // The Gaussian's weight beyond the half-width is under 1/510, and one
  // step narrower it would not be (unless the half-width is already 1).
  auto beyond = [r](int h) {
    double in = 0, out = 0;
    for (int d = -100; d <= 100; ++d) (std::abs(d) <= h ? in : out) += std::exp(-0.5 * (double(d) / r) * (d / double(r)));
    return out / (in + out);
  };
  EXPECT_LT(beyond(half), 1.0 / 510);
  if (half > 1 && half < 100) {
    EXPECT_GE(beyond(half - 1), 1.0 / 510);
  }
}

INSTANTIATE_TEST_SUITE_P(Radii, GlowKernelTest, ::testing::Values(-3, 0, 1, 2, 4, 15, 60, 255));

TEST(GlowKernel, RadiusZeroIsNoBlurInsteadOfZeroOverZero) {
  EXPECT_EQ(GlowKernel(0), std::vector<int32_t>{kGlowKernelOne});
  TMask8 m(5, 4);
  m.Row(2)[3] = 7;
  const TMask8 before = m;
  BlurMask8(&m, 0);
  EXPECT_EQ(m.Bits, before.Bits);
}

// The blur as a double-precision convolution of the spec'd Gaussian with
// edge clamping, rows then columns, truncated after each pass.
TMask8 ReferenceBlur(const TMask8& in, int r) {
  const std::vector<int32_t> k = GlowKernel(r);
  const int half = static_cast<int>(k.size() / 2);
  std::vector<double> w(k.size());
  double sum = 0;
  for (int d = -half; d <= half; ++d) sum += w[size_t(d + half)] = std::exp(-0.5 * (double(d) / r) * (d / double(r)));
  for (double& v : w) v /= sum;
  auto pass = [&](const TMask8& src, bool rows) {
    TMask8 out = src;
    for (int y = 0; y < src.Height; ++y)
      for (int x = 0; x < src.Width; ++x) {
        double acc = 0;
        for (int d = -half; d <= half; ++d) {
          const int sx = rows ? std::clamp(x + d, 0, src.Width - 1) : x;
          const int sy = rows ? y : std::clamp(y + d, 0, src.Height - 1);
          acc += w[size_t(d + half)] * src.At(sx, sy);
        }
        out.Row(y)[x] = static_cast<uint8_t>(std::clamp(acc + 1e-9, 0.0, 255.0));
      }
    return out;
  };
  return pass(pass(in, true), false);
}

TEST(BlurMask8, MatchesGaussianConvolutionKeepsInkAndSymmetry) {
  std::mt19937 rng(13);
  for (int r : {1, 3, 6}) {
    TMask8 m(31, 23);
    for (uint8_t& b : m.Bits) b = (rng() % 4 == 0) ? static_cast<uint8_t>(rng()) : 255;
    TMask8 blurred = m;
    BlurMask8(&blurred, r);
    const TMask8 ref = ReferenceBlur(m, r);
    for (size_t i = 0; i < m.Bits.size(); ++i) ASSERT_NEAR(blurred.Bits[i], ref.Bits[i], 1) << "r " << r << " at " << i;
  }
  // A dark square in the middle: a symmetric spot whose ink (255 - m) is
  // the square's, plus less than one unit per sample touched and pass from
  // truncating.
  TMask8 dot(41, 41);
  for (int y = 18; y <= 22; ++y)
    for (int x = 18; x <= 22; ++x) dot.Row(y)[x] = 0;
  BlurMask8(&dot, 4);
  const long span = static_cast<long>(GlowKernel(4).size()) + 4;
  long ink = 0;
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 41; ++x) {
      ink += 255 - dot.At(x, y);
      ASSERT_EQ(dot.At(x, y), dot.At(40 - x, y));
      ASSERT_EQ(dot.At(x, y), dot.At(x, 40 - y));
    }
  EXPECT_LT(dot.At(20, 20), dot.At(23, 20));
  EXPECT_GE(ink, 25 * 255);
  EXPECT_LT(ink, 25 * 255 + 5 * span + span * span);
  // A flat area stays exactly flat (255 never becomes 254 and tints everything).
  TMask8 flat(20, 6);
  BlurMask8(&flat, 9);
  for (uint8_t b : flat.Bits) ASSERT_EQ(b, 255);
}

struct GlowCase {
  uint8_t m;
  uint32_t dst;
  TColor glow;
};

class GlowBlendTest : public ::testing::TestWithParam<GlowCase> {};

TEST_P(GlowBlendTest, MovesColourTowardsGlowAndRaisesAlpha) {
  const GlowCase c = GetParam();
  TBitmap32 bmp(4, 3);
  bmp.Fill(c.dst);
  TMask8 mask(6, 5, 255);
  mask.Row(2)[3] = c.m;  // lands at bitmap (1, 1) with the mask at (-2, -1)
  BlendGlowMask(&bmp, mask, -2, -1, c.glow);
  const uint32_t out = bmp.Pixel(1, 1);
  const int g[3] = {int(c.glow >> 16 & 0xFF), int(c.glow >> 8 & 0xFF), int(c.glow & 0xFF)};  // as b, g, r
  for (int i = 0; i < 3; ++i) {
    const int d = B(c.dst, i);
    EXPECT_EQ(B(out, i), g[i] + c.m * (d - g[i]) / 255) << "byte " << i;
  }
  EXPECT_EQ(B(out, 3), B(c.dst, 3) + (255 - c.m) * (255 - B(c.dst, 3)) / 255);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      if (x != 1 || y != 1) {
        EXPECT_EQ(bmp.Pixel(x, y), c.dst) << "mask 255 leaves " << x << "," << y;
      }
}

INSTANTIATE_TEST_SUITE_P(Cases, GlowBlendTest,
                         ::testing::Values(GlowCase{0, 0x00102030, 0x00FFFFFF}, GlowCase{255, 0x80102030, 0x000000FF},
                                           GlowCase{128, 0x40C08040, 0x00204080}, GlowCase{1, 0xFFFFFFFF, 0},
                                           GlowCase{200, 0x00000000, 0x00FFFFFF}));

TEST(BlendTextCoverage, WeighsTextColourByCoverageAndMakesOpaque) {
  TBitmap32 rendered(3, 2);
  rendered.Fill(0x00FFFFFF);                 // no text: skipped
  rendered.SetPixel(0, 0, 0x00000000);       // solid text
  rendered.SetPixel(1, 0, 0x00608090);       // partial: v = (0x60 + 0x80 + 0x90) / 3
  rendered.SetPixel(2, 1, 0xFFFFFFFE);       // almost white still counts
  TBitmap32 dst(4, 4);
  dst.Fill(0x10204060);
  BlendTextCoverage(&dst, rendered, 1, 2, 0x00336699);  // row 1 of rendered falls on dst row 3
  const uint32_t q[3] = {0x33, 0x66, 0x99};             // b, g, r of 0x00336699
  auto expectMix = [&](int x, int y, uint32_t v) {
    for (int i = 0; i < 3; ++i) EXPECT_EQ(B(dst.Pixel(x, y), i), (B(0x10204060, i) * v + q[i] * (256 - v)) >> 8);
    EXPECT_EQ(B(dst.Pixel(x, y), 3), 255);
  };
  expectMix(1, 2, 0);
  expectMix(2, 2, (0x60 + 0x80 + 0x90) / 3);
  expectMix(3, 3, (0xFE + 0xFF + 0xFF) / 3);
  EXPECT_EQ(dst.Pixel(2, 3), 0x10204060u);
  EXPECT_EQ(dst.Pixel(0, 2), 0x10204060u);
  // Placed partly outside: nothing written out of bounds, the inside part drawn.
  TBitmap32 small(1, 1);
  small.Fill(0x10204060);
  BlendTextCoverage(&small, rendered, -1, 0, 0x00336699);
  EXPECT_EQ(B(small.Pixel(0, 0), 3), 255);
  BlendTextCoverage(&small, rendered, -5, -5, 0);
  BlendTextCoverage(&small, rendered, 5, 5, 0);
}
