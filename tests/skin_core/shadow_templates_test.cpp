// The extended border's templates and shadow margins.
#include <gtest/gtest.h>

#include "skin/core/shadow_templates.h"
#include "skin/core/skin_content.h"

namespace glyphora {
namespace {

// A skin whose EXBORDER image holds `frames` 10 x 8 frames in the master
// bitmap at (2, 1); pixel (x, y) of frame k is 0xFFkkyyxx, except one
// transparent white pixel per frame.
struct ExBorderSkin {
  TSkinContent skin;
  explicit ExBorderSkin(int16_t frames, int16_t drawMode, int16_t margin = 12) {
    skin.MasterBitmap = TBitmap32(40, 12);
    for (int k = 0; k < frames; ++k)
      for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 10; ++x)
          skin.MasterBitmap.SetPixel(2 + k * 10 + x, 1 + y, 0xFF000000u | uint32_t(k << 16 | y << 8 | x));
    skin.MasterBitmap.SetPixel(2 + 5, 1 + 5, 0x00FFFFFFu);
    TsMaskData m;
    m.R = {2, 1, 2 + 10 * frames, 9};
    m.ImageCount = frames;
    m.Manager = &skin;
    m.WL = m.WT = m.WR = m.WB = margin;
    skin.ma.push_back(m);
    skin.ConstData.ExBorder = 0;
    skin.SkinData.ExDrawMode = drawMode;
  }
};

TEST(ShadowTemplates, FramesAndMarginsOfTheSkinsImage) {
  const struct {
    int16_t frames, drawMode, margin;
    int32_t shadow;
    uint32_t activeFrame;
  } cases[] = {{2, 1, 12, 8, 1}, {1, 1, 12, 8, 0}, {2, 0, 12, 12 - 8, 1}, {2, 0, 3, 0, 1}};
  for (const auto& c : cases) {
    ExBorderSkin s(c.frames, c.drawMode, c.margin);
    const TShadowTemplates t = MakeShadowTemplates(s.skin, true, nullptr, nullptr, false);
    ASSERT_TRUE(t.FromSkin);
    ASSERT_EQ(t.Active.Width(), 10);
    ASSERT_EQ(t.Inactive.Height(), 8);
    EXPECT_EQ(t.Inactive.Pixel(3, 4), 0xFF000403u);
    EXPECT_EQ(t.Active.Pixel(3, 4), 0xFF000403u | c.activeFrame << 16) << c.frames;
    EXPECT_EQ(t.Inactive.Pixel(5, 5), 0u) << "transparent white cleared";
    EXPECT_EQ(t.ShadowSize, (TRect32{c.shadow, c.shadow, c.shadow, c.shadow})) << c.drawMode << " " << c.margin;
    EXPECT_EQ(t.Margins.Left, c.margin);
  }
}

TEST(ShadowTemplates, BuiltInPicturesWithoutTheImageAndNothingWhenOff) {
  ExBorderSkin s(2, 1);
  s.skin.ConstData.ExBorder = -1;
  TBitmap32 active(32, 32), inactive(31, 31);
  active.Fill(0x40000000u);
  const TShadowTemplates t = MakeShadowTemplates(s.skin, true, &active, &inactive, false);
  EXPECT_FALSE(t.FromSkin);
  EXPECT_EQ(t.Active.Width(), 32);
  EXPECT_EQ(t.Inactive.Width(), 31);
  EXPECT_EQ(t.ShadowSize, (TRect32{11, 7, 11, 11}));
  EXPECT_EQ(MakeShadowTemplates(s.skin, true, &active, &inactive, true).ShadowSize, (TRect32{12, 8, 12, 12}));
  const TShadowTemplates off = MakeShadowTemplates(s.skin, false, &active, &inactive, false);
  EXPECT_TRUE(off.Active.Empty());
  EXPECT_EQ(off.ShadowSize, (TRect32{}));
}

}  // namespace
}  // namespace glyphora
