// Section backgrounds: colour, transparency over a ready parent, over a fill
// colour and over nothing, gradients, textures with their colour share, the
// combined texture-gradient pass, states, custom colours, corner images.
#include <gtest/gtest.h>

#include <cmath>

#include "section_paint/synth_skin.h"
#include "base/color_ops.h"
#include "skin/paint/gradient.h"
#include "skin/core/manager_rules.h"
#include "skin/paint/section_paint.h"

using namespace sectiontest;

namespace {

constexpr uint32_t kBg = 0xFF0A0B0C;
constexpr TColor kColor = 0x336699;  // section colour

TBitmap32 Parent() {
  TBitmap32 p(64, 64);
  for (int32_t y = 0; y < 64; ++y)
    for (int32_t x = 0; x < 64; ++x) p.SetPixel(x, y, 0xFF000000u | uint32_t(x * 3) << 16 | uint32_t(y * 2) << 8 | 7);
  return p;
}

TBitmap32 Canvas() {
  TBitmap32 b(20, 16);
  b.Fill(kBg);
  return b;
}

}  // namespace

TEST(SectionBackground, OpaqueColourFillsTheRectangleOnly) {
  SynthSkin s;
  const int32_t i = s.AddSection(SynthSkin::Plain(kColor));
  TBitmap32 b = Canvas();
  PaintSection(&s.skin, i, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, {3, 2, 10, 9}, 0);
  EXPECT_EQ(b.Pixel(3, 2), Px(kColor));
  EXPECT_EQ(b.Pixel(9, 8), Px(kColor));
  EXPECT_EQ(b.Pixel(10, 8), kBg);
  EXPECT_EQ(b.Pixel(9, 9), kBg);
}

TEST(SectionBackground, TransparencyOverReadyParentFillColourAndNothing) {
  SynthSkin s;
  TsGeneralData g = SynthSkin::Plain(kColor, 3);
  g.Transparency = 50;
  g.HotTransparency = 100;
  const int32_t i = s.AddSection(g);
  TBitmap32 parent = Parent();
  // 50 over a ready parent: parent weight 127, read at (ci.X + O.X, ci.Y + O.Y) for R's corner.
  TBitmap32 b = Canvas();
  PaintSection(&s.skin, i, "X", CacheInfoOf(&parent, 5, 6), -1, -1, &b, {2, 1}, {4, 3, 12, 10}, 0);
  EXPECT_EQ(b.Pixel(4, 3), BlendBytes(parent.Pixel(7, 7), Px(kColor), 127));
  EXPECT_EQ(b.Pixel(11, 9), BlendBytes(parent.Pixel(14, 13), Px(kColor), 127));
  // 50 over only a colour: the two colours mixed once.
  TBitmap32 c = Canvas();
  PaintSection(&s.skin, i, "X", TCacheInfo{nullptr, 0, 0, 0x0000FF, false}, -1, -1, &c, {0, 0}, {0, 0, 5, 5}, 0);
  EXPECT_EQ(c.Pixel(2, 2), Px(BlendColors(0x0000FF, kColor, 0.5)));
  // 50 over nothing at all (none-marker): the section as it is.
  TBitmap32 d = Canvas();
  PaintSection(&s.skin, i, "X", TCacheInfo{nullptr, 0, 0, glyphora::clNoneMarker, false}, -1, -1, &d, {0, 0},
               {0, 0, 5, 5}, 0);
  EXPECT_EQ(d.Pixel(2, 2), Px(kColor));
  // Hot set at 100: the parent copied, or its colour.
  TBitmap32 e = Canvas();
  PaintSection(&s.skin, i, "X", CacheInfoOf(&parent, 5, 6), -1, -1, &e, {2, 1}, {4, 3, 12, 10}, 2);
  EXPECT_EQ(e.Pixel(4, 3), parent.Pixel(7, 7));
  EXPECT_EQ(e.Pixel(11, 9), parent.Pixel(14, 13));
  PaintSection(&s.skin, i, "X", TCacheInfo{nullptr, 0, 0, 0x00FF00, false}, -1, -1, &e, {0, 0}, {0, 0, 3, 3}, 1);
  EXPECT_EQ(e.Pixel(1, 1), 0xFF00FF00u);
}

TEST(SectionBackground, StatesAreClampedToTheSection) {
  SynthSkin s;
  TsGeneralData g = SynthSkin::Plain(kColor, 1);
  g.HotColor = 0x00FF00;
  const int32_t one = s.AddSection(g);
  g.States = 3;
  const int32_t three = s.AddSection(g);
  TBitmap32 b = Canvas();
  PaintSection(&s.skin, one, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, {0, 0, 4, 4}, 2);
  EXPECT_EQ(b.Pixel(1, 1), Px(kColor));
  PaintSection(&s.skin, three, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, {0, 0, 4, 4}, 7);
  EXPECT_EQ(b.Pixel(1, 1), Px(0x00FF00));
  PaintSection(&s.skin, three, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, {0, 0, 4, 4}, -3);
  EXPECT_EQ(b.Pixel(1, 1), Px(kColor));
}

TEST(SectionBackground, GradientAloneEqualsThePlainGradient) {
  SynthSkin s;
  TsGeneralData g = SynthSkin::Plain(kColor);
  g.GradientPercent = 100;
  g.GradientData = "16777215;255;60;0;0;255;65280;40;0;0";
  g.GradientArray = ParseGradientData(g.GradientData.get());
  const int32_t i = s.AddSection(g);
  TBitmap32 b = Canvas(), ref = Canvas();
  PaintSection(&s.skin, i, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, {1, 1, 19, 15}, 0);
  PaintGradient(&ref, {1, 1, 19, 15}, g.GradientArray, 0);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 20; ++x) ASSERT_EQ(b.Pixel(x, y), ref.Pixel(x, y)) << x << "," << y;
  EXPECT_EQ(b.Pixel(1, 1), 0xFFFFFFFFu);
}

TEST(SectionBackground, GradientTextWithoutPiecesPaintsNothing) {
  SynthSkin s;
  const int32_t tex = s.AddImage({30, 40, 33, 42}, 1, 0, 0);
  TsGeneralData g = SynthSkin::Plain(kColor);
  g.GradientPercent = 100;
  g.GradientData = "N/A";
  const int32_t alone = s.AddSection(g);
  g.GradientPercent = 60;
  g.ImagePercent = 40;
  const int32_t textured = s.AddSection(g);
  TBitmap32 b = Canvas(), c = Canvas();
  PaintSection(&s.skin, alone, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, {0, 0, 20, 16}, 0);
  PaintSection(&s.skin, textured, "X", TCacheInfo{}, -1, tex, &c, {0, 0}, {0, 0, 20, 16}, 0);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 20; ++x) {
      ASSERT_EQ(b.Pixel(x, y), kBg) << x << "," << y;
      ASSERT_EQ(c.Pixel(x, y), s.M(30 + x % 3, 40 + y % 2)) << x << "," << y;  // the texture alone
    }
}

TEST(SectionBackground, ScrollBarVariantKeepsItsSharesAtTransparency100) {
  SynthSkin s;
  TsGeneralData g = SynthSkin::Plain(kColor);
  g.Transparency = 100;
  g.GradientPercent = 100;
  g.GradientArray = ParseGradientData("16777215;255;100;0;0");
  const int32_t i = s.AddSection(g);
  TBitmap32 b = Canvas(), ref = Canvas();
  PaintSectionWithBorder(&s.skin, i, -1, -1, &b, {0, 0}, {2, 1, 18, 15}, 0, TCacheInfo{nullptr, 0, 0, 0x0000FF, false},
                         "X", -1);
  PaintGradient(&ref, {2, 1, 18, 15}, g.GradientArray, 0);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 20; ++x) ASSERT_EQ(b.Pixel(x, y), ref.Pixel(x, y)) << x << "," << y;
}

TEST(SectionBackground, TextureKeepsItsShareAndTheColourTakesTheRest) {
  SynthSkin s;
  const int32_t tex = s.AddImage({30, 40, 33, 42}, 1, 0, 0);  // 3 x 2 tile
  TsGeneralData g = SynthSkin::Plain(kColor);
  g.ImagePercent = 40;
  const int32_t i = s.AddSection(g);
  TBitmap32 b = Canvas();
  PaintSection(&s.skin, i, "X", TCacheInfo{}, -1, tex, &b, {0, 0}, {2, 2, 9, 9}, 0);
  // Each colour byte: round half to even of t*0.4 + c*0.6.
  for (int32_t y = 2; y < 9; ++y)
    for (int32_t x = 2; x < 9; ++x) {
      const uint32_t t = s.M(30 + (x - 2) % 3, 40 + (y - 2) % 2), c = Px(kColor);
      uint32_t expect = t & 0xFF000000u;
      for (int k = 0; k < 3; ++k)
        expect |= uint32_t(std::nearbyint(((t >> (8 * k)) & 255) * 0.4 + ((c >> (8 * k)) & 255) * 0.6)) << (8 * k);
      ASSERT_EQ(b.Pixel(x, y), expect) << x << "," << y;
    }
  // A texture in mode 2 leaves the area below its row to the colour (s = 40 tints it too).
  s.skin.ma[size_t(tex)].DrawMode = 2;
  g.ImagePercent = 100;
  const int32_t j = s.AddSection(g);
  TBitmap32 c = Canvas();
  PaintSection(&s.skin, j, "X", TCacheInfo{}, -1, tex, &c, {0, 0}, {2, 2, 9, 9}, 0);
  EXPECT_EQ(c.Pixel(4, 3), s.M(32, 41));
  EXPECT_EQ(c.Pixel(4, 4), Px(kColor));
}

TEST(SectionBackground, CombinedPassAndSeparateTextureAndGradientLayers) {
  SynthSkin s;
  const int32_t tex = s.AddImage({30, 40, 33, 42}, 1, 0, 0);
  TsGeneralData g = SynthSkin::Plain(kColor);
  g.ImagePercent = 30;
  g.GradientPercent = 70;
  g.GradientData = "16777215;255;100;1;0";
  g.GradientArray = ParseGradientData(g.GradientData.get());
  const int32_t i = s.AddSection(g);
  TBitmap32 b = Canvas(), ref = Canvas();
  PaintSection(&s.skin, i, "X", TCacheInfo{}, -1, tex, &b, {0, 0}, {0, 0, 20, 16}, 0);
  PaintGradientTextured(&ref, {0, 0, 20, 16}, g.GradientArray, 30 * 255 / 100, {30, 40, 33, 42},
                        &s.skin.MasterBitmap);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 20; ++x) ASSERT_EQ(b.Pixel(x, y), ref.Pixel(x, y));
  // Draw mode 1 (stretched): texture, then the gradient blended over it at weight 76.
  s.skin.ma[size_t(tex)].DrawMode = 1;
  TBitmap32 c = Canvas();
  PaintSection(&s.skin, i, "X", TCacheInfo{}, -1, tex, &c, {0, 0}, {0, 0, 20, 16}, 0);
  TBitmap32 grad(20, 16);
  PaintGradient(&grad, {0, 0, 20, 16}, g.GradientArray, 0);
  EXPECT_EQ(c.Pixel(0, 0), BlendBytes(s.M(30, 40), grad.Pixel(0, 0), 76));
  EXPECT_EQ(c.Pixel(19, 15), BlendBytes(s.M(30 + 19 * 3 / 20, 40 + 15 * 2 / 16), grad.Pixel(19, 15), 76));
}

TEST(SectionBackground, CustomColourReplacesEverythingAndMaskedMode10OverlaysStateZero) {
  SynthSkin s;
  TsGeneralData g = SynthSkin::Plain(kColor, 2);
  g.Transparency = 60;
  g.GradientPercent = 100;
  g.GradientArray = ParseGradientData("255;255;100;0;0");
  const int32_t i = s.AddSection(g);
  TBitmap32 b = Canvas();
  PaintSectionBackground(&s.skin, i, "X", TCacheInfo{}, 0x00FF00, -1, -1, &b, {0, 0}, {0, 0, 6, 6}, 0);
  EXPECT_EQ(b.Pixel(3, 3), 0xFF00FF00u);
  // A masked texture in mode 10 is drawn over the background in state 0 only.
  const int32_t tex = s.AddImage({150, 0, 152, 4}, 1, 1, 10);
  for (int32_t y = 2; y < 4; ++y)
    for (int32_t x = 150; x < 152; ++x) s.skin.MasterBitmap.SetPixel(x, y, 0);
  const int32_t j = s.AddSection(SynthSkin::Plain(kColor, 2));
  TBitmap32 c = Canvas();
  PaintSection(&s.skin, j, "X", TCacheInfo{}, -1, tex, &c, {0, 0}, {0, 0, 5, 5}, 0);
  EXPECT_EQ(c.Pixel(3, 3), s.M(151, 1));
  EXPECT_EQ(c.Pixel(4, 4), 0xFF000000u);  // strip beyond whole tiles: fill colour 0 of the empty cache info
  PaintSection(&s.skin, j, "X", TCacheInfo{}, -1, tex, &c, {0, 0}, {0, 0, 5, 5}, 1);
  EXPECT_EQ(c.Pixel(3, 3), Px(kColor));
}

TEST(SectionCorners, CornerImagesSitInTheCornersAndTheirKeysShowTheBitmap) {
  SynthSkin s;
  s.skin.MasterBitmap.SetPixel(60, 60, glyphora::KeyColor32);
  TsGeneralData g = SynthSkin::Plain(kColor);
  g.ImgTL = s.AddImage({60, 60, 63, 62}, 1, 0, 0);
  g.ImgBR = s.AddImage({70, 60, 74, 66}, 2, 0, 0);  // two 2 x 6 frames
  g.ImgTR = 999;  // invalid: skipped
  const int32_t i = s.AddSection(g);
  TBitmap32 b = Canvas();
  PaintSection(&s.skin, i, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, {1, 1, 15, 12}, 0);
  EXPECT_EQ(b.Pixel(1, 1), Px(kColor));  // key: the bitmap itself shows
  EXPECT_EQ(b.Pixel(2, 1), s.M(61, 60));
  EXPECT_EQ(b.Pixel(13, 6), s.M(70, 60));
  EXPECT_EQ(b.Pixel(14, 11), s.M(71, 65));
  EXPECT_EQ(b.Pixel(12, 6), Px(kColor));
}

TEST(SectionBackground, ReportedColourOfATransparentSectionIsThePaintedOne) {
  struct Case { TColor parent, own; int32_t t; };
  const Case cases[] = {{0x000000, 0xFFFFFF, 50}, {0x123456, 0xABCDEF, 30}, {0xF0F0F0, 0x101010, 1},
                        {0x0000FF, 0x336699, 99}, {0x808080, 0x7F7F7F, 70}};
  for (const Case& c : cases) {
    SynthSkin s;
    TsGeneralData g = SynthSkin::Plain(c.own);
    g.Transparency = c.t;
    const int32_t i = s.AddSection(g);
    TBitmap32 b = Canvas();
    PaintSection(&s.skin, i, "X", TCacheInfo{nullptr, 0, 0, c.parent, false}, -1, -1, &b, {0, 0}, {0, 0, 4, 4}, 0);
    EXPECT_EQ(b.Pixel(1, 1), Px(MixTransparentColor(c.parent, c.own, c.t))) << c.t;
  }
}
