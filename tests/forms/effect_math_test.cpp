// Frames, opacities and rectangles of the window effects.
#include <gtest/gtest.h>

#include "skin/forms/effect_math.h"

namespace glyphora {
namespace {

TEST(AnimFrames, WholeTwelveMillisecondFramesOrNone) {
  const struct { int32_t time, frames; } cases[] = {{0, 0}, {-5, 0}, {11, 0}, {12, 1}, {100, 8}, {200, 16}};
  for (const auto& c : cases) EXPECT_EQ(AnimFrames(c.time), c.frames) << c.time;
}

TEST(ShowAndHide, OpacityAndZoomEndExactlyAtTheirTargets) {
  for (int32_t n : {0, 1, 8, 16}) {
    EXPECT_EQ(RisingAlpha(n, n, 200), 200) << n;
    EXPECT_EQ(FallingAlpha(n, n, 255), 0) << n;
    EXPECT_EQ(ZoomRect(800, 600, n, n), (TRect32{0, 0, 800, 600})) << n;
    uint8_t last = 0;
    for (int32_t i = 0; i <= n; ++i) {
      EXPECT_GE(RisingAlpha(i, n, 200), last);
      last = RisingAlpha(i, n, 200);
    }
  }
  EXPECT_EQ(RisingAlpha(0, 8, 255), 0);
  EXPECT_EQ(ZoomRect(800, 600, 0, 8), (TRect32{100, 75, 700, 525}));
  EXPECT_EQ(ZoomRect(800, 600, 4, 8), (TRect32{50, 38, 750, 562}));
}

TEST(CrossFade, OldLookStaysOpaqueUntilTheNewIsNearAndBothEndTogether) {
  const int32_t n = 8;
  for (int32_t i = 0; i <= n; ++i) {
    const TCrossFadeStep s = CrossFadeStep(i, n, 255);
    if (s.NewAlpha <= 170) {
      EXPECT_EQ(s.OldAlpha, 255) << i;
    }
  }
  EXPECT_EQ(CrossFadeStep(n, n, 255).OldAlpha, 0);
  EXPECT_EQ(CrossFadeStep(n, n, 255).NewAlpha, 255);
  // Fewer than one frame: the new look at once.
  EXPECT_EQ(CrossFadeStep(0, 0, 255).NewAlpha, 255);
  EXPECT_EQ(CrossFadeStep(0, 0, 255).OldAlpha, 0);
}

TEST(MoveBlend, StepsNeverVanishAndTicksStopOnTheTarget) {
  const struct { uint8_t target; int32_t time, step; } steps[] = {
      {170, 1000, 1}, {170, 12, 85}, {250, 1000, 1}, {0, 120, 26}, {255, 1000, 1}};
  for (const auto& c : steps) EXPECT_EQ(MoveBlendStep(c.target, c.time), c.step) << int(c.target) << " " << c.time;
  // Falling by 30 towards 20 stops exactly there instead of wrapping below 0.
  uint8_t v = 255;
  int ticks = 0;
  while (!BlendTowards(v, 20, 30) && ++ticks < 100) {}
  EXPECT_EQ(v, 20);
  EXPECT_EQ(ticks, 7);
  // Restoring by a step that does not divide the distance ends on 255.
  for (ticks = 0; !BlendTowards(v, 255, 7) && ticks < 100; ++ticks) {}
  EXPECT_EQ(v, 255);
  EXPECT_LT(ticks, 100);
  v = 100;
  EXPECT_FALSE(BlendTowards(v, 110, 0));  // a zero step still moves
  EXPECT_EQ(v, 101);
}

TEST(Minimize, TargetFollowsTheTaskbarEdge) {
  const TPoint32 c{400, 300};
  const struct {
    TRect32 taskbar;
    int32_t edge;
    TPoint32 point;
  } cases[] = {{{0, 1040, 1920, 1080}, tbBottom, {400, 1040}},
               {{-2, 1040, 1920, 1080}, tbBottom, {400, 1040}},
               {{0, 0, 60, 1080}, tbLeft, {60, 300}},
               {{0, 0, 1920, 40}, tbTop, {400, 40}},
               {{1860, 0, 1920, 1080}, tbRight, {1860, 300}}};
  for (const auto& k : cases) {
    int32_t edge = 0;
    const TRect32 t = TaskbarTarget(nullptr, &k.taskbar, c, &edge);
    EXPECT_EQ(edge, k.edge);
    EXPECT_EQ(t, (TRect32{k.point.X, k.point.Y, k.point.X, k.point.Y}));
  }
  const TRect32 button{10, 1045, 170, 1075};
  EXPECT_EQ(TaskbarTarget(&button, &cases[0].taskbar, c), button);
  EXPECT_EQ(TaskbarTarget(nullptr, nullptr, c), (TRect32{0, 0, 0, 0}));
}

TEST(Minimize, StepsGoFromTheWindowToTheTargetAndFadeOut) {
  TMinimizeAnim a;
  a.From = {100, 100, 900, 700};
  a.To = {400, 1040, 400, 1040};
  a.Steps = 16;
  a.AlphaFrom = 200;
  EXPECT_EQ(MinimizeRect(a, 0), a.From);
  EXPECT_EQ(MinimizeRect(a, 16), a.To);
  EXPECT_EQ(MinimizeRect(a, 99), a.To);
  EXPECT_EQ(MinimizeRect(a, 8), (TRect32{250, 570, 650, 870}));  // half way, half the size
  EXPECT_EQ(MinimizeAlpha(a, 0), 200);
  EXPECT_EQ(MinimizeAlpha(a, 15), 0);
  for (int32_t i = 1; i <= 16; ++i) EXPECT_LE(MinimizeAlpha(a, i), MinimizeAlpha(a, i - 1));
  a.Steps = 0;  // a zero time still ends
  EXPECT_EQ(MinimizeRect(a, 1), a.To);
  EXPECT_EQ(MinimizeAlpha(a, 1), 0);
}

TEST(Glow, RectangleFromBordersAndMarginOrNothing) {
  const TRect32 button{100, 50, 150, 72};
  EXPECT_EQ(GlowRect(button, {16, 16, 16, 16}, 6), (TRect32{90, 40, 160, 82}));
  EXPECT_EQ(GlowRect(button, {16, 16, 16, 16}, 40), (TRect32{}));  // a large margin leaves nothing
  EXPECT_EQ(GlowImageRect(button, 68, 55, 20), (TRect32{80, 30, 148, 85}));
  EXPECT_EQ(GlowImageRect(button, 0, 55, 20), (TRect32{}));
}

}  // namespace
}  // namespace glyphora
