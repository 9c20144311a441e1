// Frame layout, hit testing, mask corner runs and outline rectangles.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "skin/forms/frame_geometry.h"

namespace glyphora {
namespace {

TFrameInput SizeableInput() {
  TFrameInput in;
  in.Width = 800;
  in.Height = 600;
  in.SysBorderWidth = in.SysBorderHeight = 4;
  in.CaptionHeight = 19;
  in.Sizeable = true;
  in.ButtonWidth = {28, 24, 24, 24};
  in.ButtonHeight = 15;
  in.ButtonVisible = {true, true, true, false};
  in.BISpacing = 2;
  in.BILeftMargin = 2;
  return in;
}

TPoint32 Centre(const TRect32& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

TEST(FrameLayout, ButtonsRightToLeftWithSpacingAndSharedHeight) {
  for (bool large : {true, false}) {
    TFrameInput in = SizeableInput();
    in.LargeButtons = large;
    const TFrameLayout l = LayoutFrame(in);
    const int32_t spacing = large ? in.BISpacing : 0;
    EXPECT_EQ(l.Buttons[cbClose].Right, in.Width - in.SysBorderWidth - in.BIRightMargin);
    EXPECT_EQ(l.Buttons[cbMax].Right, l.Buttons[cbClose].Left - spacing);
    EXPECT_EQ(l.Buttons[cbMin].Right, l.Buttons[cbMax].Left - spacing);
    for (int k : {cbClose, cbMax, cbMin}) {
      EXPECT_EQ(RectWidth(l.Buttons[k]), in.ButtonWidth[k]);
      EXPECT_EQ(RectHeight(l.Buttons[k]), in.ButtonHeight);
      EXPECT_EQ(l.Buttons[k].Top, l.Buttons[cbClose].Top);
    }
    EXPECT_EQ(l.ButtonsWidth, l.Buttons[cbClose].Right - l.Buttons[cbMin].Left);
    EXPECT_EQ(RectWidth(l.Buttons[cbHelp]), 0);
    // Buttons and the text stay inside the caption band, the text left of the buttons.
    EXPECT_GE(l.Buttons[cbClose].Top, 0);
    EXPECT_LE(l.Buttons[cbClose].Bottom, l.CaptionBottom);
    EXPECT_LT(l.Text.Right, l.Buttons[cbMin].Left);
    EXPECT_EQ(RectWidth(l.Icon) > 0, large);
  }
}

TEST(FrameLayout, MissingOrFramelessImagesGiveTheDefaultSize) {
  TsMaskData noFrames;
  noFrames.R = {0, 0, 72, 15};
  noFrames.ImageCount = 0;
  TsMaskData badMask = noFrames;
  badMask.ImageCount = 3;
  badMask.MaskType = -1;
  TsMaskData good = badMask;
  good.MaskType = 0;
  EXPECT_EQ(ButtonWidthOf(nullptr), kMissingButtonSize);
  EXPECT_EQ(ButtonWidthOf(&noFrames), kMissingButtonSize);
  EXPECT_EQ(ButtonHeightOf(&badMask), kMissingButtonSize);
  EXPECT_EQ(ButtonWidthOf(&good), 72 / 3);
  EXPECT_EQ(ButtonHeightOf(&good), 15);
}

struct HitCase {
  const char* name;
  TPoint32 (*where)(const TFrameLayout&);
  int32_t sizeable, maximized;  // expected code in each state
};

const HitCase kHits[] = {
    {"close", [](const TFrameLayout& l) { return Centre(l.Buttons[cbClose]); }, kHtClose, kHtClose},
    {"max", [](const TFrameLayout& l) { return Centre(l.Buttons[cbMax]); }, kHtMaxButton, kHtMaxButton},
    {"min", [](const TFrameLayout& l) { return Centre(l.Buttons[cbMin]); }, kHtMinButton, kHtMinButton},
    {"icon", [](const TFrameLayout& l) { return Centre(l.Icon); }, kHtSysMenu, kHtSysMenu},
    {"caption", [](const TFrameLayout& l) { return TPoint32{l.In.Width / 2, l.CaptionBottom - 2}; }, kHtCaption,
     kHtCaption},
    {"client", [](const TFrameLayout& l) { return Centre(l.Client); }, kHtClient, kHtClient},
    {"first client row", [](const TFrameLayout& l) { return TPoint32{l.In.Width / 2, l.Client.Top}; }, kHtClient,
     kHtClient},
    {"left", [](const TFrameLayout& l) { return TPoint32{0, l.In.Height / 2}; }, kHtLeft, kHtBorder},
    {"right", [](const TFrameLayout& l) { return TPoint32{l.In.Width - 1, l.In.Height / 2}; }, kHtRight, kHtBorder},
    {"top", [](const TFrameLayout& l) { return TPoint32{l.In.Width / 2, 0}; }, kHtTop, kHtCaption},
    {"bottom", [](const TFrameLayout& l) { return TPoint32{l.In.Width / 2, l.In.Height - 1}; }, kHtBottom,
     kHtBorder},
    {"inner bottom row", [](const TFrameLayout& l) { return TPoint32{l.In.Width / 2, l.In.Height - 4}; },
     kHtBottom, kHtBorder},
    {"top left", [](const TFrameLayout&) { return TPoint32{0, 0}; }, kHtTopLeft, kHtCaption},
    {"top right", [](const TFrameLayout& l) { return TPoint32{l.In.Width - 1, 0}; }, kHtTopRight, kHtCaption},
    {"bottom left", [](const TFrameLayout& l) { return TPoint32{0, l.In.Height - 1}; }, kHtBottomLeft, kHtBorder},
    {"bottom right", [](const TFrameLayout& l) { return TPoint32{l.In.Width - 1, l.In.Height - 1}; },
     kHtBottomRight, kHtBorder},
    {"outside", [](const TFrameLayout& l) { return TPoint32{l.In.Width, 5}; }, kHtNowhere, kHtNowhere},
};

TEST(FrameHitTest, ButtonsEdgesCornersIconCaption) {
  for (bool maximized : {false, true}) {
    TFrameInput in = SizeableInput();
    in.Maximized = maximized;
    const TFrameLayout l = LayoutFrame(in);
    for (const HitCase& c : kHits) {
      const TPoint32 p = c.where(l);
      EXPECT_EQ(FrameHitTest(l, p.X, p.Y), maximized ? c.maximized : c.sizeable)
          << c.name << (maximized ? " (maximised)" : "");
    }
  }
}

TEST(FrameHitTest, DisabledMaximiseAnswersCaptionUnlessItRestores) {
  struct {
    bool maximized, restoreEnabled;
    int32_t expected;
  } cases[] = {{false, true, kHtCaption}, {true, true, kHtMaxButton}, {true, false, kHtCaption}};
  for (const auto& c : cases) {
    TFrameInput in = SizeableInput();
    in.ButtonEnabled[cbMax] = false;
    in.Maximized = c.maximized;
    in.RestoreEnabled = c.restoreEnabled;
    const TFrameLayout l = LayoutFrame(in);
    const TPoint32 p = Centre(l.Buttons[cbMax]);
    EXPECT_EQ(FrameHitTest(l, p.X, p.Y), c.expected) << c.maximized << c.restoreEnabled;
  }
}

// A two-frame 12 x 12 mask at (3, 2) of a bitmap, key pixels where `keys` says.
struct MaskFixture {
  TsMaskData m;
  TBitmap32 bmp{40, 20};
  std::set<std::pair<int, int>> keys;  // frame coordinates (x, y) of the first frame
  MaskFixture() {
    m.R = {3, 2, 27, 14};
    m.ImageCount = 2;
    bmp.Fill(0xFF808080u);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}, {0, 1}, {11, 0}, {10, 0}, {11, 1}, {0, 11}, {1, 11},
                        {0, 10}, {11, 11}, {10, 11}, {5, 5}})
      keys.insert({x, y});
    for (auto [x, y] : keys) bmp.SetPixel(m.R.Left + x, m.R.Top + y, KeyColor32);
    bmp.SetPixel(m.R.Left + 12, m.R.Top, KeyColor32);  // second frame: never scanned
  }
};

std::set<std::pair<int, int>> Covered(const std::vector<TRect32>& runs) {
  std::set<std::pair<int, int>> s;
  for (const TRect32& r : runs) {
    EXPECT_EQ(RectHeight(r), 1);
    for (int x = r.Left; x < r.Right; ++x) EXPECT_TRUE(s.insert({x, r.Top}).second) << "pixel cut twice";
  }
  return s;
}

TEST(MaskCornerRuns, CutExactlyTheKeyPixelsOfTheCorners) {
  MaskFixture f;
  const int32_t width = 200, height = 100, w = 4;
  std::vector<TRect32> runs;
  AppendMaskCornerRuns(f.m, &f.bmp, false, 0, width, w, w, w, runs);
  AppendMaskCornerRuns(f.m, &f.bmp, true, height - w, width, w, w, w, runs);
  std::set<std::pair<int, int>> expected;
  for (auto [x, y] : f.keys) {
    const bool leftCol = x < w, rightCol = x >= 12 - w, topRow = y < w, bottomRow = y >= 12 - w;
    if (!(leftCol || rightCol) || !(topRow || bottomRow)) continue;
    expected.insert({leftCol ? x : x + width - 12, topRow ? y : y - (12 - w) + height - w});
  }
  EXPECT_EQ(Covered(runs), expected);
}

TEST(MaskCornerRuns, BottomCornersEndOnTheLastRowWhenTheBorderIsWiderThanTheMask) {
  // A bottom border of 20 rows over a mask frame of 12: the mask's last row
  // is the window's last row, whatever the border asks for.
  for (int32_t wb : {4, 12, 20}) {
    MaskFixture f;
    const int32_t height = 100;
    std::vector<TRect32> runs;
    AppendMaskCornerRuns(f.m, &f.bmp, true, height - wb, 200, 4, 4, wb, runs);
    int32_t lowest = -1;
    for (const TRect32& r : runs) lowest = std::max(lowest, r.Top);
    EXPECT_EQ(lowest, height - 1) << wb;  // key pixel (0, 11) of the frame
  }
}

TEST(MaskCornerRuns, BadGeometryScansNothingOrOnlyTheBitmap) {
  // All-key bitmaps: every pixel scanned is cut, so the count of cut pixels
  // tells which columns were read. The frame is 12 x 12; 100-pixel border
  // widths and rows are cut to it.
  struct Case {
    const char* name;
    void (*change)(MaskFixture&);
    int32_t columnsInBitmap;  // of the first frame's 12
  } cases[] = {
      {"no frames", [](MaskFixture& f) { f.m.ImageCount = 0; }, 0},
      {"mask type -1", [](MaskFixture& f) { f.m.MaskType = -1; }, 0},
      {"image lower than the rows", [](MaskFixture& f) { f.bmp.SetSize(40, 4); }, 0},
      {"rectangle beyond the bitmap's width", [](MaskFixture& f) { f.m.R.Left = 30; f.m.R.Right = 54; }, 10},
      {"rectangle left of the bitmap", [](MaskFixture& f) { f.m.R.Left = -6; f.m.R.Right = 18; }, 6},
      {"widths beyond the frame", [](MaskFixture&) {}, 12},
  };
  for (const Case& c : cases) {
    MaskFixture f;
    f.bmp.Fill(KeyColor32);
    c.change(f);
    std::vector<TRect32> runs;
    AppendMaskCornerRuns(f.m, &f.bmp, false, 0, 300, 100, 100, 100, runs);
    AppendMaskCornerRuns(f.m, &f.bmp, true, 50, 300, 100, 100, 100, runs);
    size_t cut = 0;
    for (const TRect32& r : runs) cut += static_cast<size_t>(RectWidth(r));
    // Left and right scans of the top and the bottom corners, 12 rows each.
    EXPECT_EQ(cut, static_cast<size_t>(c.columnsInBitmap) * 12 * 4) << c.name;
  }
}

TEST(DragOutline, NeverBelowTheMinimumNorNegative) {
  const TRect32 s{100, 100, 500, 400};
  struct {
    int32_t code, dx, dy;
  } cases[] = {{kHtLeft, 1000, 0},      {kHtRight, -1000, 0},        {kHtTop, 0, 1000},
               {kHtBottom, 0, -1000},   {kHtTopLeft, 5000, 5000},    {kHtBottomRight, -5000, -5000},
               {kHtBottomRight, 20, 30}, {kHtCaption, -300, -200}};
  for (int32_t minimum : {0, 150}) {
    for (const auto& c : cases) {
      const TRect32 r = DragOutlineRect(s, c.code, c.dx, c.dy, minimum, minimum);
      EXPECT_GE(RectWidth(r), std::max(minimum, 1)) << c.code;
      EXPECT_GE(RectHeight(r), std::max(minimum, 1)) << c.code;
      if (c.code == kHtCaption) {
        EXPECT_EQ(r, (TRect32{s.Left - 300, s.Top - 200, s.Right - 300, s.Bottom - 200}));
      }
    }
  }
  EXPECT_EQ(DragOutlineRect(s, kHtBottomRight, 20, 30, 0, 0), (TRect32{100, 100, 520, 430}));
}

TEST(ButtonStrip, StaysInsideNarrowCaches) {
  for (int32_t cacheWidth : {0, 1, 20, 800}) {
    const TRect32 r = ButtonStripRect(cacheWidth, 100, 25);
    EXPECT_GE(r.Left, 0);
    EXPECT_LE(r.Right, std::max(cacheWidth, 0));
    EXPECT_LE(RectWidth(r), 100);
  }
}

}  // namespace
}  // namespace glyphora
