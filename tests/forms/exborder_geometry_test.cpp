// The extended border around a form with the internal skin's values
// (border 26, caption 51 and 34 maximised, shadow 16, centre offset 5).
#include <gtest/gtest.h>

#include "skin/forms/exborder_geometry.h"

namespace glyphora {
namespace {

// A 885 x 536 window with a 4-pixel frame and a 19-pixel caption.
TExBorderInput InternalSkinInput(bool maximized = false) {
  TExBorderInput in;
  in.FormWidth = 885;
  in.FormHeight = 536;
  in.FormClient = {4, 23, 881, 532};
  in.NativeFrame = 4;
  in.NativeCaption = 19;
  in.Sizeable = true;
  in.Maximized = maximized;
  in.BorderWidth = 26;
  in.TitleHeight = 51;
  in.MaxHeight = 34;
  in.DrawMode = 1;
  in.Shadow = {16, 16, 16, 16};
  return in;
}

TEST(ExBorderLayout, ImageAndFormPlacementFollowTheSkin) {
  const TExBorderLayout l = LayoutExBorder(InternalSkinInput());
  // Width + shadows + twice the extra border; height likewise with the caption.
  EXPECT_EQ(l.Width, 885 + 32 + 2 * (26 - 4));
  EXPECT_EQ(l.Height, 536 + (26 - 4) + (51 - 19 - 4) + 32);
  EXPECT_EQ(l.Client, (TRect32{42, 67, 42 + 877, 67 + 509}));
  EXPECT_EQ(l.FormOrigin, (TPoint32{26 + 16 - 4, 16 + 51 - 4 - 19}));
  EXPECT_EQ(l.Visible, (TRect32{0, 0, l.Width, l.Height}));
  EXPECT_EQ(l.Parts[ebTop], (TRect32{0, 0, l.Width, 67}));
  EXPECT_EQ(l.Parts[ebLeft], (TRect32{0, 67, 42, 576}));
  EXPECT_EQ(l.Parts[ebRight], (TRect32{919, 67, l.Width, 576}));
  EXPECT_EQ(l.Parts[ebBottom], (TRect32{0, 576, l.Width, l.Height}));
}

TEST(ExBorderLayout, MaximisedShowsOnlyTheCaptionWithoutShadow) {
  const TExBorderInput in = InternalSkinInput(true);
  const TExBorderLayout l = LayoutExBorder(in);
  // From the work area's top: the form's top lies b + frame below it, the
  // form's top is 44 rows into the image.
  EXPECT_EQ(l.Visible, (TRect32{42, 4 - 11 + 44, l.Width - 42, l.Height - 42}));
  EXPECT_EQ(l.Parts[ebTop], (TRect32{42, 37, l.Width - 42, 67}));
  for (int p : {ebLeft, ebRight, ebBottom}) EXPECT_EQ(RectWidth(l.Parts[p]) * RectHeight(l.Parts[p]), 0) << p;
  // The skin's maximised caption is 17 lower, the platform's 28 lower than
  // the skin's normal one: the form goes 11 pixels further down.
  EXPECT_EQ(ExMaxPlacementCorrection(in), 17 - 28);
  EXPECT_FALSE(OverShadow(l, 0, 0));
}

TEST(ExBorderHitTest, ShadowEdgesCaptionButtonsAndClient) {
  const TExBorderLayout l = LayoutExBorder(InternalSkinInput());
  TFrameInput base;
  base.ButtonWidth = {28, 24, 24, 24};
  base.ButtonHeight = 15;
  base.ButtonVisible = {true, true, true, false};
  base.BISpacing = 2;
  base.BILeftMargin = 2;
  base.Sizeable = true;
  const TFrameLayout f = LayoutFrame(ExtendedFrameInput(base, l, 5));
  // Buttons end at the border, vertically centred in the caption plus the offset.
  EXPECT_EQ(f.Buttons[cbClose], (TRect32{919 - 28, 41, 919, 56}));
  EXPECT_EQ(f.Icon, (TRect32{44, 39, 60, 55}));
  const int32_t w = l.Width, h = l.Height;
  const struct {
    TPoint32 p;
    int32_t code;
  } cases[] = {{{15, 300}, kHtTransparent}, {{300, 15}, kHtTransparent}, {{w - 16, 300}, kHtTransparent},
               {{300, h - 16}, kHtTransparent}, {{16, 300}, kHtLeft}, {{20, 300}, kHtLeft},
               {{21, 300}, kHtBorder}, {{w - 17, 300}, kHtRight}, {{w - 21, 300}, kHtRight},
               {{w - 22, 300}, kHtBorder}, {{480, 16}, kHtTop}, {{480, h - 17}, kHtBottom},
               {{16, 16}, kHtTopLeft}, {{w - 17, 16}, kHtTopRight}, {{16, h - 17}, kHtBottomLeft},
               {{w - 17, h - 17}, kHtBottomRight}, {{480, 40}, kHtCaption}, {{50, 45}, kHtSysMenu},
               {{900, 48}, kHtClose}, {{480, 67}, kHtClient}, {{480, h - 30}, kHtBorder},
               {{w, 5}, kHtNowhere}};
  for (const auto& c : cases) EXPECT_EQ(ExBorderHitTest(f, l, c.p.X, c.p.Y), c.code) << c.p.X << "," << c.p.Y;
  // Maximised nothing is shadow or edge.
  const TExBorderLayout m = LayoutExBorder(InternalSkinInput(true));
  const TFrameLayout fm = LayoutFrame(ExtendedFrameInput(base, m, 5));
  EXPECT_EQ(ExBorderHitTest(fm, m, 300, 30), kHtCaption);
  EXPECT_EQ(ExBorderHitTest(fm, m, 44, 300), kHtClient);
}

}  // namespace
}  // namespace glyphora
