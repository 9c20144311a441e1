// Sections of the internal skin painted into bitmaps, checked at chosen
// points against values worked out from the skin's options: colours,
// transparency over the parent, the hot gradient, border pieces.
#include <gtest/gtest.h>

#include <stdexcept>

#include "internal_skin/sizes_only_skin.h"
#include "section_paint/synth_skin.h"
#include "skin/core/skin_content.h"
#include "skin/paint/gradient.h"
#include "skin/paint/mask_image.h"
#include "skin/paint/section_paint.h"

using namespace sectiontest;

namespace {

const TSkinContent& Skin() { return skintest::SizesOnlyInternalSkin(); }

int32_t Index(const char* name) {
  const int32_t i = Skin().GetSkinIndex(name);
  if (!Skin().IsValidSkinIndex(i)) throw std::runtime_error(name);
  return i;
}

const TsMaskData& Border(const char* name) { return Skin().ma[size_t(Skin().gd[size_t(Index(name))].BorderIndex)]; }

uint32_t MasterAt(int32_t x, int32_t y) { return Skin().MasterBitmap.Pixel(x, y); }

TBitmap32 Parent(int32_t w, int32_t h) {
  TBitmap32 p(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) p.SetPixel(x, y, 0xFF000000u | uint32_t((x * 7) & 255) << 16 | uint32_t(y & 255) << 8 | 0x40);
  return p;
}

}  // namespace

TEST(InternalSkinSections, FormPanelAndEditAreTheirColourInsideAStretchedBorder) {
  struct Case {
    const char* name;
    TColor color;
    int16_t width;  // all four border widths in the options
    int16_t frames;
  } cases[] = {{"FORM", 15856113, 4, 2}, {"PANEL", 15856113, 6, 1}, {"EDIT", 16777215, 2, 1}};
  for (const Case& c : cases) {
    const TsMaskData& m = Border(c.name);
    ASSERT_EQ(m.WL, c.width) << c.name;
    ASSERT_EQ(m.WB, c.width) << c.name;
    ASSERT_EQ(m.ImageCount, c.frames) << c.name;
    ASSERT_EQ(m.MaskType, 0) << c.name;
    ASSERT_EQ(m.DrawMode, 1) << c.name;
    TBitmap32 b(121, 67);
    PaintSection(&Skin(), Index(c.name), c.name, TCacheInfo{}, -1, -1, &b, {0, 0}, {0, 0, 121, 67}, 0);
    EXPECT_EQ(b.Pixel(60, 33), Px(c.color)) << c.name;
    EXPECT_EQ(b.Pixel(c.width, c.width), Px(c.color)) << c.name;
    // Left side, stretched: row y takes source row wt + (y - wt) * mh / (67 - wt - wb).
    const int32_t w = c.width, fh = FrameHeight(m), mh = fh - 2 * w;
    for (int32_t y : {w, 30, 66 - w}) {
      const int32_t sy = m.R.Top + w + (y - w) * mh / (67 - 2 * w);
      EXPECT_EQ(b.Pixel(w - 1, y), MasterAt(m.R.Left + w - 1, sy)) << c.name << " y " << y;
    }
    // Top-left corner over no background: key pixels get fill colour 0.
    const uint32_t src = MasterAt(m.R.Left, m.R.Top);
    EXPECT_EQ(b.Pixel(0, 0), src == KeyColor32 ? 0xFF000000u : (src | 0xFF000000u)) << c.name;
  }
}

TEST(InternalSkinSections, AlphaEditIsItsVerticalGradient) {
  TBitmap32 b(40, 21), ref(40, 21);
  PaintSection(&Skin(), Index("ALPHAEDIT"), "ALPHAEDIT", TCacheInfo{}, -1, -1, &b, {0, 0}, {0, 0, 40, 21}, 0);
  PaintGradient(&ref, {0, 0, 40, 21}, ParseGradientData("16777215;15592941;100;0;0"), 0);
  // Its border is one pixel at the top only, a 1 x 1 middle stretched along it.
  const TsMaskData& m = Border("ALPHAEDIT");
  ASSERT_EQ(m.WT, 1);
  EXPECT_EQ(b.Pixel(20, 0), MasterAt(m.R.Left, m.R.Top));
  for (int32_t y = 1; y < 21; ++y) EXPECT_EQ(b.Pixel(20, y), ref.Pixel(20, y)) << y;
  EXPECT_EQ(b.Pixel(20, 20), ref.Pixel(20, 20));
  EXPECT_NE(b.Pixel(20, 20), b.Pixel(20, 1));
}

TEST(InternalSkinSections, SpeedButtonShowsItsParentInStateZeroAndBlendsTheHotGradient) {
  const int32_t i = Index("SPEEDBUTTON");
  TBitmap32 parent = Parent(200, 100);
  const TCacheInfo ci = CacheInfoOf(&parent, 10, 20);
  for (int state : {0, 1, 2}) {
    TBitmap32 b(50, 22);
    PaintSection(&Skin(), i, "SPEEDBUTTON", ci, -1, -1, &b, {30, 5}, {0, 0, 50, 22}, state);
    if (state == 0) {
      EXPECT_EQ(b.Pixel(25, 11), parent.Pixel(10 + 30 + 25, 20 + 5 + 11));
      EXPECT_EQ(b.Pixel(8, 15), parent.Pixel(48, 40));
    } else {
      TBitmap32 grad(50, 22);
      PaintGradient(&grad, {0, 0, 50, 22}, Skin().gd[size_t(i)].HotGradientArray, 0);
      EXPECT_EQ(b.Pixel(25, 11), BlendBytes(parent.Pixel(65, 36), grad.Pixel(25, 11), 127)) << state;
      EXPECT_EQ(b.Pixel(10, 5), BlendBytes(parent.Pixel(50, 30), grad.Pixel(10, 5), 127)) << state;
    }
  }
  // Over a parent with only a colour, state 0 is that colour.
  TBitmap32 c(50, 22);
  PaintSection(&Skin(), i, "SPEEDBUTTON", TCacheInfo{nullptr, 0, 0, 0x123456, false}, -1, -1, &c, {0, 0},
               {0, 0, 50, 22}, 0);
  EXPECT_EQ(c.Pixel(25, 11), Px(0x123456));
}

TEST(InternalSkinSections, SpeedButtonBorderUsesTheFrameOfTheStateThroughItsMask) {
  const int32_t i = Index("SPEEDBUTTON");
  const TsMaskData& m = Border("SPEEDBUTTON");
  ASSERT_EQ(m.ImageCount, 3);
  ASSERT_EQ(m.MaskType, 1);
  const int32_t fw = FrameWidth(m), fh = FrameHeight(m);
  TBitmap32 parent(100, 100);
  parent.Fill(0xFF808080);
  // Middle of the top side (y = 1), an image pixel that its mask shows fully or partly.
  for (int state : {0, 1, 2}) {
    TBitmap32 b(50, 22);
    PaintSection(&Skin(), i, "SPEEDBUTTON", CacheInfoOf(&parent, 0, 0), -1, -1, &b, {0, 0}, {0, 0, 50, 22}, state);
    const int32_t sx = m.R.Left + state * fw + m.WL, sy = m.R.Top + 1;
    const uint32_t s = MasterAt(sx, sy), mk = MasterAt(sx, sy + fh);
    TBitmap32 under(50, 22);
    PaintSectionBackground(&Skin(), i, "SPEEDBUTTON", CacheInfoOf(&parent, 0, 0), glyphora::clNoneMarker, -1, -1,
                           &under, {0, 0}, {0, 0, 50, 22}, state);
    const uint32_t d = under.Pixel(m.WL, 1);
    uint32_t expect = d;
    if (s != KeyColor32) {
      expect = d & 0xFF000000u;
      for (int c = 0; c < 3; ++c) {
        const int db = int(d >> (8 * c)) & 255, sb = int(s >> (8 * c)) & 255, w = int(mk >> (8 * c)) & 255;
        expect |= uint32_t(((db - sb) * w + sb * 256) >> 8) << (8 * c);
      }
    }
    EXPECT_EQ(b.Pixel(m.WL, 1), expect) << state;
  }
}

TEST(InternalSkinSections, PaintSectionByNameFallsBackToTheSecondName) {
  TBitmap32 b(10, 10);
  EXPECT_EQ(PaintSectionByName(&b, "NOSUCHSECTION", "PANEL", nullptr, 0, {0, 0, 10, 10}, &Skin(), 0), Index("PANEL"));
  EXPECT_EQ(b.Pixel(5, 5), Px(15856113));
  EXPECT_EQ(PaintSectionByName(&b, "NOSUCHSECTION", "NEITHER", nullptr, 0, {0, 0, 10, 10}, &Skin(), 0), -1);
  // With a source image, a transparent section shows it.
  TBitmap32 src = Parent(40, 40), c(10, 10);
  PaintSectionByName(&c, "SPEEDBUTTON", "", &src, 0, {7, 3, 17, 13}, &Skin(), 0);
  EXPECT_EQ(c.Pixel(5, 5), src.Pixel(12, 8));
}
