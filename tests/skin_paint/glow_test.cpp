// The glow mask: blur kernel and blur against a direct Gaussian convolution,
// the mask and text coverage laid over a bitmap.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numeric>

#include "skin/paint/glow_mask.h"
#include "skin/paint/text_coverage.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {
double Gauss(int d, int r) { return std::exp(-0.5 * (double(d) / r) * (double(d) / r)); }
}  // namespace

class GlowKernelTest : public ::testing::TestWithParam<int> {};

TEST_P(GlowKernelTest, SumsToOneSymmetricAndCutWhereUnder1Of510IsLeft) {
  const int r = GetParam();
  const std::vector<int32_t> k = GlowKernel(r);
  const int half = static_cast<int>(k.size() / 2);
  EXPECT_EQ(std::accumulate(k.begin(), k.end(), 0), kGlowKernelOne);
  EXPECT_TRUE(std::equal(k.begin(), k.end(), k.rbegin()));
  if (r <= 0) {
    EXPECT_EQ(half, 0) << "radius 0: no blur rather than 0/0";
    return;
  }
  auto beyond = [r](int h) {
    double in = 0, out = 0;
    for (int d = -100; d <= 100; ++d) (std::abs(d) <= h ? in : out) += Gauss(d, r);
    return out / (in + out);
  };
  EXPECT_LT(beyond(half), 1.0 / 510);
  if (half > 1 && half < 100) {
    EXPECT_GE(beyond(half - 1), 1.0 / 510) << "no wider than needed";
  }
}

INSTANTIATE_TEST_SUITE_P(Radii, GlowKernelTest, ::testing::Values(-3, 0, 1, 2, 4, 15, 255));

TEST(BlurMask8, MatchesGaussianConvolutionKeepsFlatAreasSymmetryAndInk) {
  std::mt19937 rng(13);
  for (int r : {0, 1, 6}) {
    TMask8 m(31, 23), blurred;
    for (uint8_t& b : m.Bits) b = (rng() % 4 == 0) ? static_cast<uint8_t>(rng()) : 255;
    blurred = m;
    BlurMask8(&blurred, r);
    // Reference: rows then columns in doubles with edge pixels repeated, truncated after each pass.
    const int half = static_cast<int>(GlowKernel(r).size() / 2);
    double sum = 0;
    for (int d = -half; d <= half; ++d) sum += r > 0 ? Gauss(d, r) : 1;
    for (bool rows : {true, false}) {
      TMask8 next = m;
      for (int y = 0; y < m.Height; ++y)
        for (int x = 0; x < m.Width; ++x) {
          double acc = 0;
          for (int d = -half; d <= half; ++d)
            acc += (r > 0 ? Gauss(d, r) : 1) / sum *
                   (rows ? m.At(std::clamp(x + d, 0, m.Width - 1), y) : m.At(x, std::clamp(y + d, 0, m.Height - 1)));
          next.Row(y)[x] = static_cast<uint8_t>(acc + 1e-9);
        }
      m = next;
    }
    for (size_t i = 0; i < m.Bits.size(); ++i) ASSERT_NEAR(blurred.Bits[i], m.Bits[i], 1) << "r " << r << " at " << i;
  }
  // A dark square in the middle: a symmetric spot keeping the square's ink
  // (255 - m), plus under one unit per sample touched and pass; the flat
  // white around it stays exactly 255.
  TMask8 dot(41, 41);
  for (int y = 18; y <= 22; ++y) std::fill_n(dot.Row(y) + 18, 5, uint8_t{0});
  BlurMask8(&dot, 4);
  const long span = static_cast<long>(GlowKernel(4).size()) + 4;
  long ink = 0;
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 41; ++x) {
      ink += 255 - dot.At(x, y);
      ASSERT_EQ(dot.At(x, y), dot.At(40 - x, 40 - y));
    }
  EXPECT_EQ(dot.At(0, 0), 255);
  EXPECT_GE(ink, 25 * 255);
  EXPECT_LT(ink, 25 * 255 + 5 * span + span * span);
}

class GlowBlendTest : public ::testing::TestWithParam<std::tuple<uint8_t, uint32_t, TColor>> {};

TEST_P(GlowBlendTest, MovesColourTowardsGlowAndRaisesAlpha) {
  const auto [m, dst, glow] = GetParam();
  TBitmap32 bmp(4, 3);
  bmp.Fill(dst);
  TMask8 mask(6, 5, 255);
  mask.Row(2)[3] = m;  // lands at (1, 1) with the mask at (-2, -1); the rest lies outside or is 255
  BlendGlowMask(&bmp, mask, -2, -1, glow);
  const int g[3] = {int(glow >> 16 & 0xFF), int(glow >> 8 & 0xFF), int(glow & 0xFF)};  // b, g, r
  for (int i = 0; i < 3; ++i) EXPECT_EQ(B(bmp.Pixel(1, 1), i), g[i] + m * (B(dst, i) - g[i]) / 255) << i;
  EXPECT_EQ(B(bmp.Pixel(1, 1), 3), B(dst, 3) + (255 - m) * (255 - B(dst, 3)) / 255);
  bmp.SetPixel(1, 1, dst);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(bmp.Pixel(x, y), dst);
}

INSTANTIATE_TEST_SUITE_P(Cases, GlowBlendTest,
                         ::testing::Values(std::make_tuple(uint8_t{0}, 0x00102030u, 0x00FFFFFFu),
                                           std::make_tuple(uint8_t{128}, 0x40C08040u, 0x00204080u),
                                           std::make_tuple(uint8_t{1}, 0xFFFFFFFFu, 0u),
                                           std::make_tuple(uint8_t{200}, 0x00000000u, 0x00FFFFFFu)));

TEST(BlendTextCoverage, WeighsTextColourByCoverageMakesOpaqueSkipsWhite) {
  TBitmap32 rendered(3, 2), dst(4, 4);
  rendered.Fill(0x00FFFFFF);
  rendered.SetPixel(0, 0, 0x00000000);
  rendered.SetPixel(1, 0, 0x00608090);
  rendered.SetPixel(2, 1, 0xFFFFFFFE);
  dst.Fill(0x10204060);
  BlendTextCoverage(&dst, rendered, 1, 2, 0x00336699);  // rendered row 1 lands on the last row
  const struct { int x, y; uint32_t v; } drawn[] = {{1, 2, 0}, {2, 2, (0x60 + 0x80 + 0x90) / 3}, {3, 3, (0xFE + 0xFF + 0xFF) / 3}};
  const uint32_t q[3] = {0x33, 0x66, 0x99};
  for (const auto& p : drawn) {
    for (int i = 0; i < 3; ++i) EXPECT_EQ(B(dst.Pixel(p.x, p.y), i), (B(0x10204060, i) * p.v + q[i] * (256 - p.v)) >> 8);
    EXPECT_EQ(B(dst.Pixel(p.x, p.y), 3), 255);
  }
  EXPECT_EQ(dst.Pixel(2, 3), 0x10204060u);
  EXPECT_EQ(dst.Pixel(0, 2), 0x10204060u);
}

// Text and glow land where they overlap the target, wherever they are placed
// (offsets far outside included), and nowhere else.
TEST(BlendAtOffset, OnlyTheOverlapChangesAtAnyOffset) {
  const int32_t offsets[] = {INT32_MIN, -7, -1, 0, 2, 5, INT32_MAX};
  for (int32_t x : offsets)
    for (int32_t y : offsets) {
      SCOPED_TRACE(testing::Message() << x << ", " << y);
      TBitmap32 text(4, 3), glowTarget(6, 5), textTarget(6, 5);
      text.Fill(0x00000000);  // full coverage
      TMask8 mask(4, 3, 0);   // full glow
      glowTarget.Fill(0x00112233);
      textTarget.Fill(0x00112233);
      BlendTextCoverage(&textTarget, text, x, y, 0x00FFFFFF);
      BlendGlowMask(&glowTarget, mask, x, y, 0x00FFFFFF);
      for (int32_t py = 0; py < 5; ++py)
        for (int32_t px = 0; px < 6; ++px) {
          const int64_t sx = int64_t(px) - x, sy = int64_t(py) - y;
          const bool over = sx >= 0 && sx < 4 && sy >= 0 && sy < 3;
          ASSERT_EQ(textTarget.Pixel(px, py), over ? 0xFFFFFFFFu : 0x00112233u) << px << "," << py;
          ASSERT_EQ(glowTarget.Pixel(px, py), over ? 0xFFFFFFFFu : 0x00112233u) << px << "," << py;
        }
    }
}
