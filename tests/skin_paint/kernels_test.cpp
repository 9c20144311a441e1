// Every row kernel set this processor runs (SSE2, and AVX2 where present)
// against the scalar reference, bit for bit, on random rows of odd lengths
// (the SIMD body plus every tail length); the choice of the level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include "skin/paint/blend.h"
#include "base/pixel_kernels.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

// Short rows, 8-pixel steps, rows around the short-row limit, a long row.
const int kSizes[] = {0, 1, 3, 4, 7, 8, 9, 15, 17, 31, 32, 33, 39, 40, 47, 63, 64, 65, 71, 1921};

std::vector<uint32_t> Row(std::mt19937& rng, int n, int keyPercent = 10) {
  std::vector<uint32_t> r(static_cast<size_t>(n) + 1);  // +1: never empty for data()
  for (auto& v : r) v = RandomPixel(rng, keyPercent);
  return r;
}

// The SIMD kernel sets, each named for failure messages.
std::vector<std::pair<const char*, const TPixelKernels*>> FastKernels() {
  std::vector<std::pair<const char*, const TPixelKernels*>> all;
  for (int i = 1; i <= static_cast<int>(CpuPixelLevel()); ++i) {
    const auto level = static_cast<TPixelLevel>(i);
    all.emplace_back(PixelLevelName(level), &KernelsOf(level));
  }
  return all;
}

// Runs op with the scalar and every SIMD kernel set on the same random rows
// and compares the destination rows.
void Compare(const char* name, const std::function<void(const TPixelKernels&, uint32_t*, int, std::mt19937&)>& op) {
  for (const auto& [level, fast] : FastKernels()) {
    for (int n : kSizes) {
      for (int round = 0; round < 20; ++round) {
        std::mt19937 seed(static_cast<unsigned>(n * 131 + round));
        const unsigned s = seed();
        std::mt19937 r1(s), r2(s);
        // The destination starts at every offset from a 32-byte boundary;
        // pixels around it must stay as they are.
        const int at = round % 8;
        std::vector<uint32_t> d1 = Row(r1, n + 8), d2 = Row(r2, n + 8);
        op(ScalarKernels(), d1.data() + at, n, r1);
        op(*fast, d2.data() + at, n, r2);
        ASSERT_EQ(d1, d2) << name << " " << level << " n=" << n << " round=" << round;
      }
    }
  }
}

// The kernel sets compared with each other, every level in one run: the runs
// that force a lower level (to test the routines on it) leave them out.
class RowKernels : public ::testing::Test {
 protected:
  void SetUp() override {
    if (PixelLevel() != CpuPixelLevel()) GTEST_SKIP() << "every level is compared in the run at the processor's level";
  }
};

}  // namespace

TEST_F(RowKernels, BlendMixAndMaskedMixMatchScalar) {
  Compare("Blend", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    const auto s = Row(rng, n);
    k.Blend(d, s.data(), n, static_cast<uint8_t>(rng()));
  });
  Compare("Mix", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    const auto a = Row(rng, n), b = Row(rng, n);
    const uint32_t aor = (rng() & 1) ? 0xFF000000u : 0;
    k.Mix(d, a.data(), b.data(), n, static_cast<uint8_t>(rng()), aor);
  });
  Compare("Mix in place", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    const auto b = Row(rng, n);
    k.Mix(d, d, b.data(), n, static_cast<uint8_t>(rng()), 0);
  });
  Compare("MixColor", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    const auto a = Row(rng, n);
    const uint32_t aor = (rng() & 1) ? 0xFF000000u : 0;
    k.MixColor(d, a.data(), n, static_cast<uint8_t>(rng()), static_cast<uint32_t>(rng()), aor);
  });
  Compare("MixMasked", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    const auto a = Row(rng, n), b = Row(rng, n), m = Row(rng, n, 0), fill = Row(rng, n);
    const bool skip = rng() & 1, withFill = rng() & 1;
    k.MixMasked(d, a.data(), b.data(), m.data(), n, (rng() & 1) ? 0xFF000000u : 0, skip, KeyColor32,
                withFill ? fill.data() : nullptr);
  });
}

TEST_F(RowKernels, KeyedCopiesMatchScalar) {
  Compare("KeyedCopy", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    const auto s = Row(rng, n, 40);
    k.KeyedCopy(d, s.data(), n, KeyColor32, (rng() & 1) ? 0xFF000000u : 0);
  });
  Compare("SelectKey", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    const auto s = Row(rng, n, 40), p = Row(rng, n);
    k.SelectKey(d, s.data(), p.data(), n, KeyColor32, (rng() & 1) ? 0xFF000000u : 0);
  });
  Compare("ReplaceKey", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    const auto s = Row(rng, n, 40), p = Row(rng, n);
    k.ReplaceKey(d, s.data(), p.data(), n, KeyColor32, (rng() & 1) ? 0xFF000000u : 0);
  });
  Compare("AlphaOverReplaceKey", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    const auto s = Row(rng, n, 40), p = Row(rng, n);
    k.AlphaOverReplaceKey(d, s.data(), p.data(), n, KeyColor32, (rng() & 1) ? 0xFF000000u : 0);
  });
}

TEST_F(RowKernels, AlphaGrayAndSetAlphaMatchScalar) {
  Compare("AlphaOver", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    const auto s = Row(rng, n);
    k.AlphaOver(d, s.data(), n);
  });
  Compare("Gray", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    k.Gray(d, n, rng() & 1, KeyColor32);
  });
  Compare("SetAlpha", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    k.SetAlpha(d, n, static_cast<uint8_t>(rng()), rng() & 1, KeyColor32);
  });
}

// The fused kernel is AlphaOver followed by ReplaceKey, in both kernel sets.
TEST_F(RowKernels, AlphaOverReplaceKeyEqualsTheTwoPasses) {
  std::mt19937 rng(7);
  const int n = 1923;
  const auto s = Row(rng, n, 30), p = Row(rng, n), d = Row(rng, n);
  auto expected = d;
  ScalarKernels().AlphaOver(expected.data(), s.data(), n);
  ScalarKernels().ReplaceKey(expected.data(), s.data(), p.data(), n, KeyColor32, 0xFF000000u);
  for (const TPixelKernels* k : SupportedKernels()) {
    auto got = d;
    k->AlphaOverReplaceKey(got.data(), s.data(), p.data(), n, KeyColor32, 0xFF000000u);
    EXPECT_EQ(got, expected);
  }
}

// A masked mix whose key fill is the destination row itself keeps key
// pixels' colour and sets every alpha: the same as the mix followed by a
// separate alpha pass, in every kernel set.
TEST_F(RowKernels, MaskedMixFillingKeysFromItselfEqualsTheTwoPasses) {
  std::mt19937 rng(11);
  const int n = 1925;
  const auto s = Row(rng, n, 30), m = Row(rng, n, 0), d = Row(rng, n, 0);
  auto expected = d;
  ScalarKernels().MixMasked(expected.data(), expected.data(), s.data(), m.data(), n, 0xFF000000u, true, KeyColor32,
                            nullptr);
  ScalarKernels().SetAlpha(expected.data(), n, 255, false, 0);
  for (const TPixelKernels* k : SupportedKernels()) {
    for (int at : {0, 1, 4, 5}) {  // every SIMD head length
      auto got = d;
      k->MixMasked(got.data() + at, got.data() + at, s.data() + at, m.data() + at, n - at, 0xFF000000u, true,
                   KeyColor32, got.data() + at);
      EXPECT_TRUE(std::equal(got.begin() + at, got.begin() + n, expected.begin() + at)) << "offset " << at;
      EXPECT_TRUE(std::equal(got.begin(), got.begin() + at, d.begin()));
    }
  }
}

TEST_F(RowKernels, PercentBlendMatchesScalar) {
  Compare("PercentBlend", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    const auto s = Row(rng, n);
    const TKeyTest tests[] = {TKeyTest::None, TKeyTest::OnSource, TKeyTest::OnDest};
    k.PercentBlend(d, s.data(), n, static_cast<int>(rng() % 101), tests[rng() % 3], KeyColor32);
  });
}

// The SIMD kernels replace divisions by 3, 100 and 255 with multiplications;
// every input those can see is checked here against the scalar division.
void CheckShortcuts(const char* level, const TPixelKernels& fast) {
  SCOPED_TRACE(level);
  std::vector<uint32_t> grays, g2;
  for (uint32_t r = 0; r < 256; r += 1)
    for (uint32_t g = 0; g < 256; g += 5) grays.push_back(0x80000000u | (r << 16) | (g << 8) | ((r * 7 + g) & 0xFF));
  g2 = grays;
  ScalarKernels().Gray(grays.data(), static_cast<int>(grays.size()), false, 0);
  fast.Gray(g2.data(), static_cast<int>(g2.size()), false, 0);
  EXPECT_EQ(grays, g2);

  // Every (destination, source) byte pair at every percent for PercentBlend,
  // every (source alpha, destination alpha) pair for AlphaOver.
  std::vector<uint32_t> d(256 * 256), s(256 * 256);
  for (uint32_t i = 0; i < 256; ++i)
    for (uint32_t j = 0; j < 256; ++j) {
      d[i * 256 + j] = (i << 24) | (i << 16) | (j << 8) | i;
      s[i * 256 + j] = (j << 24) | (j << 16) | (i << 8) | j;
    }
  for (int p = 0; p <= 100; ++p) {
    auto d1 = d, d2 = d;
    ScalarKernels().PercentBlend(d1.data(), s.data(), 65536, p, TKeyTest::None, 0);
    fast.PercentBlend(d2.data(), s.data(), 65536, p, TKeyTest::None, 0);
    ASSERT_EQ(d1, d2) << "percent " << p;
  }
  // Mix takes b + ((a - b) << 7) * 2w >> 16 for (a*w + b*(256 - w)) >> 8.
  for (int w = 0; w < 256; ++w) {
    auto m1 = d, m2 = d;
    ScalarKernels().Mix(m1.data(), d.data(), s.data(), 65536, static_cast<uint8_t>(w), 0);
    fast.Mix(m2.data(), d.data(), s.data(), 65536, static_cast<uint8_t>(w), 0);
    ASSERT_EQ(m1, m2) << "weight " << w;
  }
  // MixColor is Mix with a row of one colour, for every weight and byte pair.
  for (int w = 0; w < 256; w += 3) {
    for (uint32_t c : {0x00000000u, 0x00FF80FFu, 0x7F01FE40u, 0xFFFFFFFFu}) {
      const std::vector<uint32_t> row(65536, c);
      auto m1 = d, m2 = d;
      ScalarKernels().Mix(m1.data(), s.data(), row.data(), 65536, static_cast<uint8_t>(w), 0);
      fast.MixColor(m2.data(), s.data(), 65536, static_cast<uint8_t>(w), c, 0);
      ASSERT_EQ(m1, m2) << "weight " << w << " colour " << c;
    }
  }
  auto a1 = d, a2 = d;
  ScalarKernels().AlphaOver(a1.data(), s.data(), 65536);
  fast.AlphaOver(a2.data(), s.data(), 65536);
  EXPECT_EQ(a1, a2);
}

TEST_F(RowKernels, DivisionShortcutsAreExactOverTheirWholeRange) {
  for (const auto& [level, fast] : FastKernels()) CheckShortcuts(level, *fast);
}

TEST_F(RowKernels, RampMatchesScalar) {
  Compare("Ramp", [](const TPixelKernels& k, uint32_t* d, int n, std::mt19937& rng) {
    // Starts and steps that run past both ends of the byte range.
    int32_t c[3], step[3];
    for (int ch = 0; ch < 3; ++ch) {
      c[ch] = static_cast<int32_t>(rng() % (300 << 16)) - (20 << 16);
      step[ch] = static_cast<int32_t>(rng() % (1 << 15)) - (1 << 14);
    }
    k.Ramp(d, n, c, step);
  });
}

TEST_F(RowKernels, ScalarGoldenValues) {
  const TPixelKernels& k = ScalarKernels();
  uint32_t d = 0x80FF0010;
  const uint32_t s = 0x00000080;
  k.Blend(&d, &s, 1, 0);  // (255*S + 127) >> 8 on every byte
  EXPECT_EQ(d, 0x0000007Fu);
  d = 0xC0C0C0C0;
  k.Blend(&d, &s, 1, 255);  // (D*255 + 127) >> 8 = D - 1 for D >= 128
  EXPECT_EQ(d, 0xBFBFBFBFu);
  // Straight alpha: half-transparent white over opaque black.
  d = 0xFF000000;
  const uint32_t half = 0x80FFFFFF;
  k.AlphaOver(&d, &half, 1);
  EXPECT_EQ(d, 0xFF7F7F7Fu);  // 255*128 >> 8 = 127; alpha 255 + 128*0/255
  d = 0x00000000;
  k.AlphaOver(&d, &half, 1);
  EXPECT_EQ(d >> 24, 128u);  // 0 + 128*255/255
  // Percent blends round half to even: (3*50 + 0*50)/100 = 1.5 -> 2, 5*0.5 = 2.5 -> 2.
  d = 0x00000503;
  const uint32_t zero = 0;
  k.PercentBlend(&d, &zero, 1, 50, TKeyTest::None, 0);
  EXPECT_EQ(d, 0x00000202u);
}

// 24-bit rows (the BMP loader's), with key and near-key pixels, against the
// pixel-by-pixel rule; the source holds exactly the row's bytes.
TEST_F(RowKernels, Rgb24ToBgraMatchesThePixelRule) {
  std::mt19937 rng(5);
  for (const TPixelKernels* k : SupportedKernels())
    for (int n : kSizes) {
      std::vector<uint8_t> s(static_cast<size_t>(3 * n));
      std::vector<uint32_t> got(static_cast<size_t>(n) + 2, 0xDEADBEEFu), want = got;
      for (int i = 0; i < n; ++i) {
        const uint32_t pick = rng() % 4, rgb = pick == 0 ? 0xFF00FFu : pick == 1 ? 0xFF00FEu : rng() & 0xFFFFFFu;
        for (int c = 0; c < 3; ++c) s[static_cast<size_t>(3 * i + c)] = static_cast<uint8_t>(rgb >> (8 * c));
        want[static_cast<size_t>(i) + 1] = rgb == 0xFF00FFu ? rgb : rgb | 0xFF000000u;
      }
      k->Rgb24ToBgra(got.data() + 1, s.data(), n);
      ASSERT_EQ(got, want) << "n=" << n;
    }
}

TEST(PixelLevel, EnvironmentForcesALevelNoHigherThanTheProcessors) {
  using L = TPixelLevel;
  const struct {
    const char* request;
    L cpu, want;
  } cases[] = {{nullptr, L::Avx2, L::Avx2}, {"scalar", L::Avx2, L::Scalar}, {"SSE2", L::Avx2, L::Sse2},
               {"avx2", L::Avx2, L::Avx2},  {"avx2", L::Sse2, L::Sse2},      {"sse2", L::Scalar, L::Scalar},
               {"", L::Sse2, L::Sse2},      {"avx", L::Avx2, L::Avx2},       {"sse2 ", L::Avx2, L::Avx2}};
  for (const auto& c : cases)
    EXPECT_EQ(ChoosePixelLevel(c.request, c.cpu), c.want) << (c.request ? c.request : "(none)");
}

// Run once per level by CTest with GLYPHORA_PIXEL_LEVEL set (under Wine too,
// which hands the variable on): the routines must run that level.
TEST(PixelLevel, RoutinesRunTheLevelTheEnvironmentNames) {
  const char* request = std::getenv("GLYPHORA_PIXEL_LEVEL");
  if (!request) GTEST_SKIP() << "GLYPHORA_PIXEL_LEVEL is not set";
  if (ChoosePixelLevel(request, TPixelLevel::Avx2) > CpuPixelLevel()) GTEST_SKIP() << "the processor lacks " << request;
  EXPECT_STREQ(PixelLevelName(PixelLevel()), request);
  EXPECT_EQ(&ActiveKernels(), &KernelsOf(PixelLevel()));
}

// Rows just below, at and above the short-row limit: the routines give the
// scalar kernels' bytes, also in place on rows shifted by one pixel, where
// only the scalar walk gives the defined left-to-right result.
class ShortRowLimit : public ::testing::TestWithParam<int> {};

TEST_P(ShortRowLimit, RoutinesGiveTheScalarBytes) {
  const int32_t n = GetParam();
  std::mt19937 rng(static_cast<unsigned>(n));
  const TBitmap32 a = RandomBitmap(rng, n, 3), b = RandomBitmap(rng, n, 3), m = RandomBitmap(rng, n, 3, 0);
  TBitmap32 got = a, want = a;
  BlendOverBitmap(&got, &b, 77);
  for (int32_t y = 0; y < 3; ++y) ScalarKernels().Blend(want.ScanLine(y), b.ScanLine(y), n, 77);
  EXPECT_TRUE(SameBitmaps(got, want)) << "blend";
  MixBitmaps(&got, &a, &b, 0, &m);
  for (int32_t y = 0; y < 3; ++y)
    ScalarKernels().MixMasked(want.ScanLine(y), a.ScanLine(y), b.ScanLine(y), m.ScanLine(y), n, 0, false, 0, nullptr);
  EXPECT_TRUE(SameBitmaps(got, want)) << "masked mix";
  got = a;
  want = a;
  BlendOverRect(&got, &got, 100, TRect32{0, 0, n - 1, 3}, 1, 0);
  for (int32_t y = 0; y < 3; ++y) ScalarKernels().Blend(want.ScanLine(y) + 1, want.ScanLine(y), n - 1, 100);
  EXPECT_TRUE(SameBitmaps(got, want)) << "in place, shifted";
  const TPixelLevel level = PixelLevel();
  EXPECT_EQ(&KernelsForRow(n), &KernelsOf(n < kWideRowMin ? std::min(level, TPixelLevel::Sse2) : level));
}

INSTANTIATE_TEST_SUITE_P(Widths, ShortRowLimit, ::testing::Values(63, 64, 65));
