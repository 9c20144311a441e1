// A control's section: its custom colour, a border drawn only when hot, and
// the hue and saturation step over the whole bitmap (skipped when a
// transparent state left its border out).
#include <gtest/gtest.h>

#include "section_paint/synth_skin.h"
#include "base/color_ops.h"
#include "skin/paint/control_section.h"
#include "skin/paint/section_paint.h"

using namespace sectiontest;

TEST(ControlSection, CustomColourBorderWhenHotAndHueOverTheWholeBitmap) {
  SynthSkin s;
  TsGeneralData g = SynthSkin::Plain(0x2080C0, 2);
  g.Props[0].Transparency = 0;
  g.Props[1].Transparency = 0;
  const int32_t border = s.AddImage({0, 0, 20, 6}, 2, 0, 2, 2, 2, 2, 2);
  g.BorderIndex = border;
  TControlSectionData d;
  d.Skin = &s.skin;
  d.SkinIndex = s.AddSection(g);
  d.BorderIndex = border;
  d.HueOffset = 90;
  TBitmap32 plain(12, 12), hued(12, 12);
  plain.Fill(0xFF405060);
  hued.Fill(0xFF405060);
  // State 0: no border (bit 2); hue applies everywhere, outside r too.
  PaintSection(&s.skin, d.SkinIndex, "", TCacheInfo{}, -1, -1, &plain, {0, 0}, {1, 1, 11, 11}, 0);
  ShiftBitmapHue(&plain, 90);
  PaintControlSection(d, TCacheInfo{}, false, &hued, {0, 0}, {1, 1, 11, 11}, 0);
  for (int32_t y = 0; y < 12; ++y)
    for (int32_t x = 0; x < 12; ++x) ASSERT_EQ(hued.Pixel(x, y), plain.Pixel(x, y)) << x << "," << y;
  EXPECT_EQ(hued.Pixel(0, 0), ShiftHue(90, 0xFF405060));
  // State 1: the border of frame 1.
  d.HueOffset = 0;
  PaintControlSection(d, TCacheInfo{}, false, &hued, {0, 0}, {1, 1, 11, 11}, 1);
  EXPECT_EQ(hued.Pixel(1, 1), s.M(10, 0));
  // A transparent state whose border was left out stops before the hue.
  s.skin.gd[size_t(d.SkinIndex)].Props[0].Transparency = 50;
  d.HueOffset = 90;
  TBitmap32 t(12, 12);
  t.Fill(0xFF405060);
  PaintControlSection(d, TCacheInfo{}, false, &t, {0, 0}, {1, 1, 11, 11}, 0);
  EXPECT_EQ(t.Pixel(0, 0), 0xFF405060u);
  // The custom colour replaces the section's.
  d.CustomColor = 0x0000FF;
  PaintControlBackground(d, TCacheInfo{}, 0, &t, {0, 0}, {1, 1, 11, 11});
  EXPECT_EQ(t.Pixel(5, 5), 0xFFFF0000u);
}
