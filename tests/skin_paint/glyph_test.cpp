// Glyphs: the frame per state and the transparent colour of bitmap glyphs,
// their normal-look transparency and disabled looks; 32-bit glyphs with
// transparency, the parent behind key pixels, a tint and the mirror.
#include <gtest/gtest.h>

#include <cmath>

#include "skin/paint/alpha_glyph.h"
#include "skin/paint/bitmap_glyph.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {
constexpr uint32_t kBack = 0xFF808080u;
uint32_t FrameColour(int i) { return 0xFF102030u + 0x00101010u * static_cast<uint32_t>(i); }
// n frames of 3 x 2, frame i in FrameColour(i) with the key 0xFF00FF0i at its bottom-left.
TBitmap32 Strip(int n) {
  TBitmap32 g(3 * n, 2);
  for (int x = 0; x < 3 * n; ++x)
    for (int y = 0; y < 2; ++y) g.SetPixel(x, y, x % 3 == 0 && y == 1 ? 0xFF00FF00u + x / 3 : FrameColour(x / 3));
  return g;
}
}  // namespace

class GlyphFrameTest : public ::testing::TestWithParam<std::tuple<int, int, bool, bool, bool, int>> {};

TEST_P(GlyphFrameTest, StateChoosesFrameWhoseKeyIsTransparent) {
  const auto [n, state, down, enabled, fourBit, frame] = GetParam();
  EXPECT_EQ(GlyphFrameIndex(n, state, down, enabled, fourBit), frame);
  TBitmap32 dst(5, 4);
  dst.Fill(kBack);
  DrawBitmapGlyph(Strip(std::max(n, 1)), fourBit, &dst, 1, 1, down, 0, state, 0, enabled, n);
  EXPECT_EQ(dst.Pixel(2, 1), FrameColour(frame));
  EXPECT_EQ(dst.Pixel(3, 2), FrameColour(frame));
  EXPECT_EQ(dst.Pixel(1, 2), kBack) << "the frame's own bottom-left pixel";
}

INSTANTIATE_TEST_SUITE_P(
    States, GlyphFrameTest,
    ::testing::Values(std::make_tuple(0, 1, false, true, false, 0), std::make_tuple(4, 0, false, true, false, 0),
                      std::make_tuple(4, 1, false, true, false, 1), std::make_tuple(4, 1, false, true, true, 0),
                      std::make_tuple(4, 2, false, true, false, 2), std::make_tuple(4, 2, true, true, false, 3),
                      std::make_tuple(3, 2, true, true, false, 1), std::make_tuple(3, 2, true, true, true, 0),
                      std::make_tuple(4, 2, true, false, false, 0)));

TEST(DrawBitmapGlyph, NormalLookTransparencyDisabledLooksAndEmptyGlyphs) {
  TBitmap32 glyph(2, 1);
  glyph.SetPixel(0, 0, 0xFF3060F0u);  // the key; its grey (0x30+0x60+0xF0)/3 = 0x80
  glyph.SetPixel(1, 0, 0xFF0000F0u);  // grey 0x50
  const struct { bool enabled; int state, blend; TsDisabledGlyphKind kind; uint32_t pixel; } cases[] = {
      {true, 0, 30, 0, 0xFF0000A8u},  // 30 % transparent over 0x000000: Round(240 - 240*0.3)
      {true, 1, 30, 0, 0xFF0000F0u},  // hot: opaque
      {false, 0, 0, dgGrayed, 0xFF505050u},
      {false, 0, 0, dgBlended, 0xFF000078u},
      {false, 0, 0, dgGrayed | dgBlended, 0xFF282828u},
      {false, 0, 0, 0, 0xFF0000F0u}};
  for (const auto& c : cases) {
    TBitmap32 dst(2, 1);
    dst.Fill(0xFF000000u);
    DrawBitmapGlyph(glyph, false, &dst, 0, 0, false, c.blend, c.state, c.kind, c.enabled, 1);
    EXPECT_EQ(dst.Pixel(1, 0), c.pixel) << c.enabled << c.state << int(c.kind);
    EXPECT_EQ(dst.Pixel(0, 0), 0xFF000000u) << "the key (taken after greying) stays transparent";
  }
  EXPECT_EQ(glyph.Pixel(1, 0), 0xFF0000F0u) << "the glyph itself is not greyed";
  // An empty glyph has no bottom-left pixel, frames under a pixel wide nothing to show.
  TBitmap32 dst(4, 4);
  dst.Fill(kBack);
  DrawBitmapGlyph(TBitmap32(), false, &dst, 0, 0, false, 40, 0, dgGrayed, false, 1);
  DrawBitmapGlyph(TBitmap32(), false, &dst, 0, 0, false, 0, 0, 0, true, 3);
  DrawBitmapGlyph(Strip(2), false, &dst, 0, 0, false, 0, 1, 0, true, 7);
  for (int i = 0; i < 16; ++i) ASSERT_EQ(dst.Pixel(i % 4, i / 4), kBack);
}

TEST(DrawAlphaGlyph, TransparencyParentBehindKeysAlphaAndTint) {
  TBitmap32 src(2, 1), parent(3, 3);
  src.SetPixel(0, 0, 0x80C86400u);  // alpha 128, R 200, G 100
  src.SetPixel(1, 0, KeyColor32);
  parent.Fill(0xFF0A0B0Cu);
  for (int t : {0, 40, 100}) {
    for (bool cache : {true, false}) {
      TBitmap32 dst(2, 1);
      dst.Fill(0x40000000u);
      const TCacheInfo ci = cache ? CacheInfoOf(&parent, 1, 2) : TCacheInfo{};
      DrawAlphaGlyph(TRect32{0, 0, 2, 1}, TRect32{0, 0, 2, 1}, &dst, false, t, clNone, true, ci, &src);
      const int k = t == 0 ? 128 : (100 - t) * 128 / 100;
      EXPECT_EQ(dst.Pixel(0, 0) & 0xFFFFFF, uint32_t((200 * k) >> 8) << 16 | uint32_t((100 * k) >> 8) << 8) << t;
      EXPECT_EQ(B(dst.Pixel(0, 0), 3), t == 0 && cache ? 0x80 : 0x40) << "the larger alpha at 0 % with a cache";
      EXPECT_EQ(dst.Pixel(1, 0), cache ? 0xFF0A0B0Cu : 0x40000000u) << "key pixel";
    }
  }
  TBitmap32 grey(1, 1), dst(1, 1);
  grey.Fill(0xFF306090u);  // grey 0x60
  dst.Fill(0x11203040u);
  DrawAlphaGlyph(TRect32{0, 0, 1, 1}, TRect32{0, 0, 1, 1}, &dst, false, 0, 0x00FF8040, false, TCacheInfo{}, &grey);
  const int q[3] = {0xFF, 0x80, 0x40};  // b, g, r of the tint
  for (int i = 0; i < 3; ++i) {
    const int t = std::min(255, static_cast<int>(std::lround(0x60 * q[i] / 255.0))), d = B(0x11203040u, i);
    EXPECT_EQ(B(dst.Pixel(0, 0), i), d + (((t - d) * 255) >> 8)) << i;
  }
}

TEST(DrawAlphaGlyph, MirrorFadesBelowFromTheGlyphsOwnRowsOnly) {
  // A 3-row frame (blue 120, 160, 200) of a 12-row strip that is white elsewhere.
  TBitmap32 src(2, 12), dst(2, 12);
  src.Fill(0xFFFFFFFFu);
  for (int y = 3; y < 6; ++y) src.SetPixel(0, y, 0xFF000000u | uint32_t(y * 40)), src.SetPixel(1, y, src.Pixel(0, y));
  dst.Fill(0xFF000000u);
  DrawAlphaGlyph(TRect32{0, 0, 2, 3}, TRect32{0, 3, 2, 6}, &dst, true, 0, clNone, false, TCacheInfo{}, &src);
  EXPECT_EQ(dst.Pixel(0, 3), 0xFF000000u) << "the row right below is left";
  // Row 4 mirrors source row 6 - 1 - 1 at f 255, a third of the alpha; row 5 one step fainter.
  EXPECT_EQ(B(dst.Pixel(0, 4), 0), (160 * (255 * (255 / 3) / 255)) >> 8);
  EXPECT_EQ(B(dst.Pixel(1, 5), 0), (120 * ((255 - 255 / 6) * (255 / 3) / 255)) >> 8);
  for (int y = 6; y < 12; ++y) EXPECT_EQ(dst.Pixel(0, y), 0xFF000000u) << "nothing from outside the frame: " << y;
  // A source one row high has no mirror (nor a division by its half height).
  TBitmap32 flat(2, 1), out(2, 6);
  flat.Fill(0xFF0000FFu);
  out.Fill(0xFF000000u);
  DrawAlphaGlyph(TRect32{0, 0, 2, 1}, TRect32{0, 0, 2, 1}, &out, true, 30, clNone, false, TCacheInfo{}, &flat);
  EXPECT_NE(out.Pixel(0, 0), 0xFF000000u);
  for (int y = 1; y < 6; ++y) EXPECT_EQ(out.Pixel(1, y), 0xFF000000u);
}
