// Glyphs: the frame shown per state, the transparent colour, the normal
// look's transparency and the disabled looks of bitmap glyphs; 32-bit glyphs
// with transparency, the parent behind key pixels, a tint and the mirror.
#include <gtest/gtest.h>

#include <cmath>

#include "base/color_convert.h"
#include "skin/paint/alpha_glyph.h"
#include "skin/paint/bitmap_glyph.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

// A strip of n frames 3 x 2: frame i filled with FrameColour(i), its
// bottom-left pixel with the key Key(i).
uint32_t FrameColour(int i) { return 0xFF102030u + 0x00101010u * static_cast<uint32_t>(i); }
uint32_t Key(int i) { return 0xFF00FF00u + static_cast<uint32_t>(i); }
TBitmap32 Strip(int n) {
  TBitmap32 g(3 * n, 2);
  for (int i = 0; i < n; ++i)
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) g.SetPixel(3 * i + x, y, (x == 0 && y == 1) ? Key(i) : FrameColour(i));
  return g;
}

constexpr uint32_t kBack = 0xFF808080u;

}  // namespace

struct FrameCase {
  int n, state;
  bool down, enabled, fourBit;
  int frame;
};

class GlyphFrameTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(GlyphFrameTest, StateChoosesFrameAndItsOwnKeyIsTransparent) {
  const FrameCase c = GetParam();
  EXPECT_EQ(GlyphFrameIndex(c.n, c.state, c.down, c.enabled, c.fourBit), c.frame);
  if (c.n < 2) return;
  TBitmap32 dst(5, 4);
  dst.Fill(kBack);
  DrawBitmapGlyph(Strip(c.n), c.fourBit, &dst, 1, 1, c.down, 0, c.state, 0, c.enabled, c.n);
  EXPECT_EQ(dst.Pixel(2, 1), FrameColour(c.frame));
  EXPECT_EQ(dst.Pixel(3, 2), FrameColour(c.frame));
  // The key: the frame's own bottom-left when enabled, the strip's when
  // disabled (frame 0 then, so both are the pixel left out).
  EXPECT_EQ(dst.Pixel(1, 2), kBack);
  EXPECT_EQ(dst.Pixel(4, 1), kBack);
}

INSTANTIATE_TEST_SUITE_P(
    States, GlyphFrameTest,
    ::testing::Values(FrameCase{1, 2, true, true, false, 0}, FrameCase{0, 1, false, true, false, 0},
                      FrameCase{4, 0, false, true, false, 0}, FrameCase{4, 1, false, true, false, 1},
                      FrameCase{4, 1, false, true, true, 0}, FrameCase{4, 2, false, true, false, 2},
                      FrameCase{4, 2, true, true, false, 3}, FrameCase{3, 2, true, true, false, 1},
                      FrameCase{3, 2, true, true, true, 0}, FrameCase{2, 2, false, true, false, 1},
                      FrameCase{4, 2, true, false, false, 0}, FrameCase{4, 1, false, false, false, 0}));

TEST(DrawBitmapGlyph, OneFrameBlendedInNormalLookOpaqueWhenHot) {
  TBitmap32 glyph(2, 2);
  glyph.Fill(0xFF0000C8u);            // blue 200
  glyph.SetPixel(0, 1, 0xFF00FF00u);  // bottom-left: the transparent colour
  for (int state : {0, 1}) {
    TBitmap32 dst(3, 3);
    dst.Fill(0xFF000064u);  // blue 100
    DrawBitmapGlyph(glyph, false, &dst, 1, 0, false, 30, state, 0, true, 1);
    // 30 % transparent: 200 - (200 - 100)*0.3 = 170; hot: the glyph itself.
    EXPECT_EQ(dst.Pixel(1, 0) & 0xFF, state == 0 ? 170u : 200u) << "state " << state;
    EXPECT_EQ(dst.Pixel(1, 1), 0xFF000064u) << "transparent pixel";
    EXPECT_EQ(dst.Pixel(0, 0), 0xFF000064u);
  }
}

TEST(DrawBitmapGlyph, DisabledLooksGreyAndHalfBlendWithKeyTakenAfterGreying) {
  TBitmap32 glyph(2, 1);
  glyph.SetPixel(0, 0, 0xFF3060F0u);  // the key; grey (0x30+0x60+0xF0)/3 = 0x80
  glyph.SetPixel(1, 0, 0xFF0000F0u);  // grey 0x50
  struct { TsDisabledGlyphKind kind; uint32_t pixel; } cases[] = {
      {dgGrayed, 0xFF505050u}, {dgBlended, 0xFF000078u}, {dgGrayed | dgBlended, 0xFF282828u}, {0, 0xFF0000F0u}};
  for (const auto& c : cases) {
    TBitmap32 dst(2, 1);
    dst.Fill(0xFF000000u);
    DrawBitmapGlyph(glyph, false, &dst, 0, 0, false, 0, 0, c.kind, false, 1);
    EXPECT_EQ(dst.Pixel(1, 0), c.pixel) << "kind " << int(c.kind);
    EXPECT_EQ(dst.Pixel(0, 0), 0xFF000000u) << "the key after greying is still transparent";
  }
  // The source glyph is left as it was.
  EXPECT_EQ(glyph.Pixel(1, 0), 0xFF0000F0u);
}

TEST(DrawBitmapGlyph, EmptyGlyphOrZeroFramesDrawNothingInsteadOfFailing) {
  TBitmap32 dst(4, 4);
  dst.Fill(kBack);
  const TBitmap32 empty, strip = Strip(2);
  DrawBitmapGlyph(empty, false, &dst, 0, 0, false, 0, 0, 0, true, 1);
  DrawBitmapGlyph(empty, false, &dst, 0, 0, false, 40, 0, dgGrayed, false, 3);
  DrawBitmapGlyph(strip, false, &dst, 0, 0, false, 0, 1, 0, true, 7);  // frames under a pixel wide
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(dst.Pixel(x, y), kBack);
  DrawBitmapGlyph(strip, false, &dst, 0, 0, false, 0, 1, 0, true, 0);  // a count of 0 is one frame
  EXPECT_EQ(dst.Pixel(5 % 4, 0), FrameColour(0));
}

namespace {
constexpr TCacheInfo NoCache{};
}

TEST(DrawAlphaGlyph, TransparencyWeightsAndAlpha) {
  TBitmap32 src(2, 1);
  src.SetPixel(0, 0, 0x80C86400u);  // alpha 128, R 200, G 100
  src.SetPixel(1, 0, KeyColor32);
  for (int t : {0, 40, 100}) {
    TBitmap32 dst(2, 1), parent(3, 3);
    dst.Fill(0x40000000u);
    parent.Fill(0xFF0A0B0Cu);
    TCacheInfo ci = CacheInfoOf(&parent, 1, 2);
    DrawAlphaGlyph(TRect32{0, 0, 2, 1}, TRect32{0, 0, 2, 1}, &dst, false, t, clNone, true, ci, &src);
    const int k = t == 0 ? 128 : (100 - t) * 128 / 100;
    EXPECT_EQ(B(dst.Pixel(0, 0), 2), (200 * k) >> 8) << t;
    EXPECT_EQ(B(dst.Pixel(0, 0), 1), (100 * k) >> 8) << t;
    EXPECT_EQ(B(dst.Pixel(0, 0), 3), t == 0 ? 0x80 : 0x40) << "larger alpha only at 0 % with a ready cache";
    EXPECT_EQ(dst.Pixel(1, 0), 0xFF0A0B0Cu) << "key pixel shows the parent";
  }
  // 100 % draws nothing visible; without a cache the key is skipped.
  TBitmap32 dst(2, 1);
  dst.Fill(0x40000000u);
  DrawAlphaGlyph(TRect32{0, 0, 2, 1}, TRect32{0, 0, 2, 1}, &dst, false, 100, clNone, false, NoCache, &src);
  EXPECT_EQ(dst.Pixel(0, 0), 0x40000000u);
  EXPECT_EQ(dst.Pixel(1, 0), 0x40000000u);
}

TEST(DrawAlphaGlyph, BlendColourTintsTheGreyOfTheSource) {
  TBitmap32 src(1, 1), dst(1, 1);
  src.Fill(0xFF306090u);  // grey (0x30 + 0x60 + 0x90) / 3 = 0x60
  dst.Fill(0x11203040u);
  const TColor tint = 0x00FF8040;  // R 0x40, G 0x80, B 0xFF
  DrawAlphaGlyph(TRect32{0, 0, 1, 1}, TRect32{0, 0, 1, 1}, &dst, false, 0, tint, false, NoCache, &src);
  const int q[3] = {0xFF, 0x80, 0x40};  // b, g, r
  for (int i = 0; i < 3; ++i) {
    const int t = std::min(255, static_cast<int>(std::lround(0x60 * q[i] / 255.0)));
    const int d = B(0x11203040u, i);
    EXPECT_EQ(B(dst.Pixel(0, 0), i), d + (((t - d) * 255) >> 8)) << i;
  }
  EXPECT_EQ(B(dst.Pixel(0, 0), 3), 0x11);
}

TEST(DrawAlphaGlyph, MirrorFadesBelowAndStaysInsideTheSource) {
  // A 3-row frame of a taller strip: the mirror may take only its rows.
  TBitmap32 src(2, 12);
  src.Fill(0xFFFFFFFFu);
  for (int x = 0; x < 2; ++x)
    for (int y = 3; y < 6; ++y) src.SetPixel(x, y, 0xFF000000u | uint32_t(y * 40));  // blue 120, 160, 200
  TBitmap32 dst(2, 12);
  dst.Fill(0xFF000000u);
  DrawAlphaGlyph(TRect32{0, 0, 2, 3}, TRect32{0, 3, 2, 6}, &dst, true, 0, clNone, false, NoCache, &src);
  EXPECT_EQ(B(dst.Pixel(0, 2), 0), (200 * 255) >> 8);
  EXPECT_EQ(dst.Pixel(0, 3), 0xFF000000u) << "the row right below is left";
  // Row 4 mirrors source row 6 - 1 - 1 = 4 (blue 160) at f 255, a third of the alpha.
  EXPECT_EQ(B(dst.Pixel(0, 4), 0), (160 * (255 * (255 / 3) / 255)) >> 8);
  EXPECT_EQ(B(dst.Pixel(1, 5), 0), (120 * ((255 - 255 / 6) * (255 / 3) / 255)) >> 8);
  for (int y = 6; y < 12; ++y) EXPECT_EQ(dst.Pixel(0, y), 0xFF000000u) << "no row from outside the frame: " << y;
  // A source one row high has no mirror (and no division by its half height).
  TBitmap32 flat(2, 1), out(2, 6);
  flat.Fill(0xFF0000FFu);
  out.Fill(0xFF000000u);
  DrawAlphaGlyph(TRect32{0, 0, 2, 1}, TRect32{0, 0, 2, 1}, &out, true, 30, clNone, false, NoCache, &flat);
  EXPECT_NE(out.Pixel(0, 0), 0xFF000000u);
  for (int y = 1; y < 6; ++y) EXPECT_EQ(out.Pixel(1, y), 0xFF000000u);
}
