// Texture fills by mode: what is covered, what comes back as still empty,
// stretching at odd sizes, masked textures and their parent strips.
#include <gtest/gtest.h>

#include "section_paint/synth_skin.h"
#include "skin/paint/texture_fill.h"

using namespace sectiontest;

namespace {

constexpr uint32_t kBg = 0xFF0A0B0C;

struct Fixture {
  SynthSkin s;
  int32_t tile;  // 4 x 3 tile at (10, 20)
  TBitmap32 b{23, 17};
  Fixture() {
    tile = s.AddImage({10, 20, 14, 23}, 1, 0, 0);
    b.Fill(kBg);
  }
  TRect32 Fill(int mode, TRect32 r) {
    FillWithImage(&b, r, nullptr, mode, s.skin.ma[size_t(tile)]);
    return r;
  }
  // Tile pixel for a position relative to the tiling origin.
  uint32_t T(int32_t dx, int32_t dy) const { return s.M(10 + dx % 4, 20 + dy % 3); }
};

}  // namespace

TEST(FillWithImage, ModesCoverTheirStripsAndReportTheRest) {
  const TRect32 r{2, 1, 21, 15};  // 19 x 14
  {
    Fixture f;
    EXPECT_EQ(f.Fill(0, r), kNothingLeft);
    EXPECT_EQ(f.b.Pixel(2, 1), f.T(0, 0));
    EXPECT_EQ(f.b.Pixel(20, 14), f.T(18, 13));
    EXPECT_EQ(f.b.Pixel(21, 14), kBg);
    EXPECT_EQ(f.b.Pixel(20, 15), kBg);
  }
  {
    Fixture f;
    EXPECT_EQ(f.Fill(2, r), (TRect32{2, 4, 21, 15}));
    EXPECT_EQ(f.b.Pixel(20, 3), f.T(18, 2));
    EXPECT_EQ(f.b.Pixel(20, 4), kBg);
  }
  {
    Fixture f;
    EXPECT_EQ(f.Fill(3, r), (TRect32{6, 1, 21, 15}));
    EXPECT_EQ(f.b.Pixel(5, 14), f.T(3, 13));
    EXPECT_EQ(f.b.Pixel(6, 14), kBg);
  }
  {
    Fixture f;
    EXPECT_EQ(f.Fill(6, r), (TRect32{2, 1, 21, 12}));
    EXPECT_EQ(f.b.Pixel(2, 12), f.T(0, 0));  // the bottom row starts at Bottom - h
    EXPECT_EQ(f.b.Pixel(7, 14), f.T(5, 2));
    EXPECT_EQ(f.b.Pixel(7, 11), kBg);
  }
  {
    Fixture f;
    EXPECT_EQ(f.Fill(7, r), (TRect32{2, 1, 17, 15}));
    EXPECT_EQ(f.b.Pixel(17, 1), f.T(0, 0));
    EXPECT_EQ(f.b.Pixel(16, 1), kBg);
    Fixture g;
    EXPECT_EQ(g.Fill(42, r), (TRect32{2, 1, 17, 15}));  // unknown modes act as 7
  }
  {
    Fixture f;
    // Mode 10: rows start while y < Bottom - h: 1, 4, 7, 10 (13 would end at 16 > 15).
    EXPECT_EQ(f.Fill(10, r), kNothingLeft);
    EXPECT_EQ(f.b.Pixel(20, 12), f.T(18, 11));
    EXPECT_EQ(f.b.Pixel(20, 13), kBg);
    Fixture g;
    g.Fill(10, {0, 0, 8, 6});  // a row that would end exactly at Bottom is not drawn either
    EXPECT_EQ(g.b.Pixel(0, 2), g.T(0, 2));
    EXPECT_EQ(g.b.Pixel(0, 3), kBg);
  }
}

TEST(FillWithImage, StretchModesMapEveryPixelToTheNearestSourcePixelBelow) {
  Fixture f;
  EXPECT_EQ(f.Fill(1, {1, 2, 12, 9}), kNothingLeft);  // 11 x 7 from 4 x 3
  for (int32_t y = 0; y < 7; ++y)
    for (int32_t x = 0; x < 11; ++x) ASSERT_EQ(f.b.Pixel(1 + x, 2 + y), f.s.M(10 + x * 4 / 11, 20 + y * 3 / 7));
  Fixture g;
  EXPECT_EQ(g.Fill(4, {0, 0, 9, 10}), (TRect32{0, 3, 9, 10}));
  EXPECT_EQ(g.b.Pixel(8, 2), g.s.M(10 + 8 * 4 / 9, 22));
  EXPECT_EQ(g.b.Pixel(8, 3), kBg);
  Fixture h;
  EXPECT_EQ(h.Fill(5, {0, 0, 9, 10}), (TRect32{4, 0, 9, 10}));
  EXPECT_EQ(h.b.Pixel(3, 9), h.s.M(13, 20 + 9 * 3 / 10));
  EXPECT_EQ(h.b.Pixel(4, 9), kBg);
}

TEST(FillWithImage, OwnImageIsTiledWhateverTheModeAndMissingSourceLeavesRUnchanged) {
  Fixture f;
  TBitmap32 own(2, 2);
  own.Fill(0xFF445566);
  TRect32 r{0, 0, 5, 5};
  FillWithImage(&f.b, r, &own, 3, f.s.skin.ma[size_t(f.tile)]);
  EXPECT_EQ(r, kNothingLeft);
  EXPECT_EQ(f.b.Pixel(4, 4), 0xFF445566u);
  TsMaskData orphan = f.s.skin.ma[size_t(f.tile)];
  orphan.Manager = nullptr;
  r = {0, 0, 5, 5};
  FillWithImage(&f.b, r, nullptr, 0, orphan);
  EXPECT_EQ(r, (TRect32{0, 0, 5, 5}));
}

TEST(FillWithMaskedImage, Mode10DrawsWholeTilesAndGivesTheStripsToTheParent) {
  SynthSkin s;
  // 3 x 2 frames with a mask below: mask 0 everywhere (image shown).
  const int32_t i = s.AddImage({150, 0, 153, 4}, 1, 1, 10);
  for (int32_t x = 150; x < 153; ++x)
    for (int32_t y = 2; y < 4; ++y) s.skin.MasterBitmap.SetPixel(x, y, 0);
  TBitmap32 parent(40, 40);
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 40; ++x) parent.SetPixel(x, y, 0xFF000000u | uint32_t(x * 256 + y));
  TBitmap32 b(12, 12);
  b.Fill(kBg);
  TRect32 r{1, 1, 9, 6};  // 8 x 5: two whole columns (6), two whole rows (4)
  FillWithMaskedImage(&b, r, CacheInfoOf(&parent, 3, 4), 10, s.skin.ma[size_t(i)]);
  EXPECT_EQ(r, kNothingLeft);
  EXPECT_EQ(b.Pixel(6, 4), s.M(152, 1));
  EXPECT_EQ(b.Pixel(7, 1), parent.Pixel(10, 5));  // right strip
  EXPECT_EQ(b.Pixel(2, 5), parent.Pixel(5, 9));   // bottom strip
  EXPECT_EQ(b.Pixel(9, 1), kBg);
  // Not ready: the fill colour; other modes draw nothing.
  TBitmap32 c(12, 12);
  c.Fill(kBg);
  r = {1, 1, 9, 6};
  FillWithMaskedImage(&c, r, TCacheInfo{nullptr, 0, 0, 0x0000FF, false}, 10, s.skin.ma[size_t(i)]);
  EXPECT_EQ(c.Pixel(8, 5), 0xFFFF0000u);
  r = {1, 1, 9, 6};
  FillWithMaskedImage(&c, r, TCacheInfo{}, 2, s.skin.ma[size_t(i)]);
  EXPECT_EQ(r, (TRect32{1, 1, 9, 6}));
}
