// Scroll bar geometry over degenerate scroll states and bar lengths down to
// zero, and a bar painted from the internal skin's scroll-bar sections.
#include <gtest/gtest.h>

#include "internal_skin/sizes_only_skin.h"
#include "skin/core/skin_content.h"
#include "skin/paint/scroll_geometry.h"
#include "skin/paint/scroll_paint.h"

using namespace glyphora;

namespace {

// Range, page and position cases that used to divide by zero or invert a
// clamp: an empty range, pages covering the range, a range not set yet.
const TScrollState kStates[] = {
    {0, 0, 0, 0},     {5, 5, 1, 5},    {0, 9, 10, 0},  {0, 9, 50, 3},   {2, 72, 0, 12},  {2, 72, 0, 72},
    {0, 100, 10, 91}, {0, 100, 1, 0},  {3, 2, 0, 3},   {-50, 50, 7, -50}, {0, 0x7FFFFFFE, 0, 1 << 30},
};

TEST(ScrollGeometry, WindowThumbAndPartsStayInsideBarsOfEveryLength) {
  for (const TScrollState& s : kStates)
    for (int32_t len = 0; len <= 70; ++len) {
      SCOPED_TRACE(testing::Message() << "len " << len << " range " << s.Min << ".." << s.Max << " page " << s.Page);
      const TWndThumb t = WndThumbGeometry(len, 17, s, 10);
      if (t.Shown) {
        EXPECT_GE(t.Start, 17);
        EXPECT_LE(t.Start + t.Length, len - 17);
      }
      int last = sbpLineUp;
      for (int32_t x = 0; x < len; ++x) {
        const int part = WndPartAt(len, 17, s, 10, x);
        if (part == sbpNone) continue;
        // Parts come in bar order: arrow, page, thumb, page, arrow.
        auto rank = [](int p) { return p == sbpLineUp ? 0 : p == sbpPageUp ? 1 : p == sbpThumb ? 2 : p == sbpPageDown ? 3 : 4; };
        EXPECT_GE(rank(part), rank(last));
        last = part;
      }
      EXPECT_EQ(WndPartAt(len, 17, s, 10, len), sbpNone);
      EXPECT_EQ(WndPartAt(len, 17, s, 10, -1), sbpNone);
    }
}

TEST(ScrollGeometry, WindowThumbDraggedToEitherEndGivesTheRangeEnds) {
  struct Case { TScrollState s; int32_t end; } cases[] = {
      {{0, 99, 10, 0}, 90}, {{0, 99, 0, 0}, 99}, {{10, 20, 1, 10}, 20}, {{0, 9, 10, 0}, 0}, {{4, 4, 0, 4}, 4}};
  for (const Case& c : cases) {
    const int32_t track = 200, thumb = 20;
    EXPECT_EQ(WndDragPosition(0, track, thumb, c.s), c.s.Min);
    EXPECT_EQ(WndDragPosition(track - thumb, track, thumb, c.s), c.end);
    EXPECT_EQ(WndDragPosition(track * 4, track, thumb, c.s), c.end);   // past the end
    EXPECT_EQ(WndDragPosition(5, 10, 10, c.s), c.s.Min);               // no room to move
  }
}

TEST(ScrollGeometry, ControlLayoutOfTheSizeBarMovesOneStepPerPositionAndBack) {
  const TScrollState s{2, 72, 0, 12};
  const TCtrlBarLayout lo = CtrlBarLayout(234, 17, s, 2, true), hi = CtrlBarLayout(234, 17, s, 72, true);
  EXPECT_EQ(lo.ThumbLength, 14);
  EXPECT_EQ(lo.ThumbStart, 17);
  EXPECT_EQ(hi.ThumbStart - lo.ThumbStart, 186);
  for (int32_t pos = 2; pos <= 72; ++pos) {
    const TCtrlBarLayout l = CtrlBarLayout(234, 17, s, pos, true);
    EXPECT_EQ(CtrlPositionAt(234, 17, s, l.Centre), pos);
    EXPECT_EQ(CtrlPartAt(l, 234, l.Centre), sbpThumb);
    EXPECT_EQ(CtrlPartAt(l, 234, 3), sbpLineUp);
    EXPECT_EQ(CtrlPartAt(l, 234, 233), sbpLineDown);
  }
}

TEST(ScrollGeometry, ControlLayoutStaysInsideBarsShorterThanTwoArrowsAndAThumb) {
  for (const TScrollState& s : kStates)
    for (bool enabled : {true, false})
      for (int32_t len = 0; len <= 60; ++len) {
        SCOPED_TRACE(testing::Message() << "len " << len << " range " << s.Min << ".." << s.Max);
        const TCtrlBarLayout l = CtrlBarLayout(len, 17, s, s.Pos, enabled);
        EXPECT_LE(l.Btn1End, l.Btn2Start);
        EXPECT_GE(l.Btn1End, 0);
        EXPECT_LE(l.Btn2Start, len);
        if (l.ThumbFits) {
          EXPECT_LE(l.ThumbStart + l.ThumbLength, len - 17);
        }
        if (len < 2 * 17 + kCtrlMinThumb) {
          EXPECT_FALSE(l.ThumbFits);
          for (int32_t x : {0, len / 2, len - 1}) EXPECT_EQ(CtrlPositionAt(len, 17, s, x), s.Min);
        }
      }
}

const TSkinContent& Skin() { return skintest::SizesOnlyInternalSkin(); }

TEST(ScrollPaint, TheThumbAndThePressedHalfChangeOnlyTheirOwnPixels) {
  ASSERT_TRUE(HasScrollBarSections(Skin(), true));
  ASSERT_TRUE(HasScrollBarSections(Skin(), false));
  for (bool horz : {true, false}) {
    TBitmap32 bg(horz ? 120 : 17, horz ? 17 : 120);
    bg.Fill(0xFF204060u);
    TScrollBarLook look;
    look.Horizontal = horz;
    look.Btn1End = 17;
    look.Btn2Start = 103;
    look.Split = 60;
    TBitmap32 plain(bg.Width(), bg.Height()), thumb = plain, pressed = plain;
    PaintScrollBarLook(Skin(), &plain, CacheInfoOf(&bg, 0, 0), look);
    look.Thumb = true;
    look.ThumbStart = 53;
    look.ThumbLength = 14;
    PaintScrollBarLook(Skin(), &thumb, CacheInfoOf(&bg, 0, 0), look);
    look.Bar2State = 2;
    PaintScrollBarLook(Skin(), &pressed, CacheInfoOf(&bg, 0, 0), look);
    auto at = [&](const TBitmap32& b, int32_t along) { return horz ? b.Pixel(along, 8) : b.Pixel(8, along); };
    EXPECT_NE(at(plain, 60), 0u);  // the track is painted
    EXPECT_NE(at(plain, 60), at(thumb, 60));  // the thumb's border over it
    EXPECT_EQ(at(plain, 30), at(thumb, 30));
    EXPECT_EQ(at(thumb, 30), at(pressed, 30));
    EXPECT_NE(at(thumb, 80), at(pressed, 80));  // the pressed page half's hot gradient
  }
}

TEST(ScrollPaint, AnInactiveBarTakesSixtyPercentOfItsBackground) {
  TBitmap32 bar(4, 4), bg(8, 8);
  bar.Fill(0xFF000000u);
  bg.Fill(0xFFC86432u);
  FadeInactiveBar(&bar, CacheInfoOf(&bg, 2, 2));
  EXPECT_EQ(bar.Pixel(1, 1) & 0xFFFFFFu, 0x783C1Eu);  // 0.6 of C8, 64, 32
  bar.Fill(0xFF000000u);
  FadeInactiveBar(&bar, TCacheInfo{nullptr, 0, 0, 0x0000FF, false});  // red as a colour value
  EXPECT_EQ(bar.Pixel(1, 1) & 0xFFFFFFu, (255u * 103 >> 8) << 16);
}

}  // namespace
