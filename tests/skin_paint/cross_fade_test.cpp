// Cross-fades stepped by count: every byte heads for the target at each step
// and never passes it, also when a fade turns back half way.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "fade_check.h"
#include "pixel_test_util.h"
#include "skin/paint/cross_fade.h"

using namespace glyphora;

namespace {

uint8_t Byte(uint32_t px, int channel) { return static_cast<uint8_t>(px >> (channel * 8)); }

// Runs a fade to its end, checking each frame against the one before.
void RunToEnd(TCrossFade& fade, const TBitmap32& target) {
  TBitmap32 prev = fade.Frame();
  int frames = 0;
  while (fade.Advance(target)) {
    ASSERT_TRUE(test::StepsToward(prev, fade.Frame(), target)) << "step " << fade.Step();
    prev = fade.Frame();
    ++frames;
  }
  EXPECT_GE(frames, 1);
  EXPECT_TRUE(test::SameBitmaps(fade.Frame(), target));
}

TEST(CrossFade, FramesOfOnePixelPair) {
  // Channel values chosen at the edges, equal in both looks, and far apart.
  const uint32_t pairs[][2] = {
      {0x00000000, 0xFFFFFFFF}, {0xFFFFFFFF, 0x00000000}, {0x80FF0001, 0x80FF0001},
      {0x01020304, 0xFEFDFCFB}, {0x7F807F80, 0x807F807F}, {0x00FF00FF, 0xFF00FF00},
  };
  for (const auto& pr : pairs) {
    for (int steps : {1, 2, 10, 20, 255}) {
      SCOPED_TRACE(testing::Message() << std::hex << pr[0] << " -> " << pr[1] << std::dec << " in " << steps);
      TBitmap32 from(1, 1), to(1, 1), out, prev;
      from.SetPixel(0, 0, pr[0]);
      to.SetPixel(0, 0, pr[1]);
      CrossFadeFrame(&out, from, to, 0, steps);
      EXPECT_EQ(out.Pixel(0, 0), pr[0]);
      prev = out;
      for (int k = 1; k <= steps; ++k) {
        CrossFadeFrame(&out, from, to, k, steps);
        ASSERT_TRUE(test::StepsToward(prev, out, to)) << "step " << k;
        prev = out;
      }
      EXPECT_EQ(out.Pixel(0, 0), pr[1]);
      if (steps % 2 == 0) {  // half way: the rounded middle of each byte
        CrossFadeFrame(&out, from, to, steps / 2, steps);
        for (int c = 0; c < 4; ++c)
          EXPECT_LE(std::abs(2 * Byte(out.Pixel(0, 0), c) - Byte(pr[0], c) - Byte(pr[1], c)), 1) << c;
      }
    }
  }
}

// A fade interrupted at step `at` of its `steps` and sent somewhere else.
TEST(CrossFade, RestartContinuesFromTheFrameOnScreen) {
  struct Case {
    int steps, at, newSteps;
    bool reverse;
    int expectSteps;
  } cases[] = {
      {20, 8, 20, true, 8},    // leaving half way: back at the pace it came
      {20, 1, 20, true, 1},    // at least one step
      {20, 20, 20, true, 20},  // from the end: the whole way back
      {20, 8, 10, true, 4},    // a click fade runs at half the steps
      {20, 8, 10, false, 10},  // on to a third look: all of its steps
  };
  std::mt19937 rng(11);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at << "/" << c.steps << (c.reverse ? " back" : " on"));
    const TBitmap32 a = test::RandomBitmap(rng, 16, 8), b = test::RandomBitmap(rng, 16, 8);
    const TBitmap32 third = test::RandomBitmap(rng, 16, 8);
    TCrossFade fade;
    fade.Start(a, c.steps);
    while (fade.Step() < c.at) ASSERT_TRUE(fade.Advance(b));
    const TBitmap32 shown = fade.Frame();
    fade.Restart(b, c.newSteps, c.reverse);
    EXPECT_EQ(fade.Steps(), c.expectSteps);
    EXPECT_TRUE(test::SameBitmaps(fade.Frame(), shown));  // no jump before the first new frame
    RunToEnd(fade, c.reverse ? a : third);
  }
}

TEST(CrossFade, LateTimerSkipsAheadButNotPastTheEnd) {
  std::mt19937 rng(3);
  const TBitmap32 from = test::RandomBitmap(rng, 8, 4), to = test::RandomBitmap(rng, 8, 4);
  TCrossFade fade;
  fade.Start(from, 20);
  ASSERT_TRUE(fade.Advance(to, 5));
  EXPECT_EQ(fade.Step(), 5);
  ASSERT_TRUE(fade.Advance(to, 2));  // behind the fade: still one step on
  EXPECT_EQ(fade.Step(), 6);
  ASSERT_TRUE(fade.Advance(to, 99));
  EXPECT_EQ(fade.Step(), 20);
  EXPECT_TRUE(test::SameBitmaps(fade.Frame(), to));
  EXPECT_FALSE(fade.Advance(to));

  // A target of another size (the control was resized) paints nothing.
  TCrossFade other;
  other.Start(from, 4);
  EXPECT_FALSE(other.Advance(TBitmap32(9, 4)));
  EXPECT_EQ(other.Step(), 0);
}

}  // namespace
