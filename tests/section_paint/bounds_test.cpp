// Bounds safety: random and extreme rectangles, offsets, states, image
// indexes and broken image records never reach outside the bitmap (guard
// pixels around a view stay untouched; ASan watches the rest), and sections
// refuse rectangles that do not lie inside the bitmap.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "section_paint/synth_skin.h"
#include "skin/paint/border_mask.h"
#include "skin/paint/frame_fill.h"
#include "skin/paint/mask_image.h"
#include "skin/paint/nine_slice.h"
#include "skin/paint/plain_copy.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/texture_fill.h"

using namespace sectiontest;

namespace {

constexpr uint32_t kGuard = 0xDEADBEEF;
constexpr int32_t kOuterW = 64, kOuterH = 48, kIn = 8, kW = 40, kH = 30;

// A 40 x 30 view inside a 64 x 48 block of guard pixels.
struct Guarded {
  std::vector<uint32_t> mem = std::vector<uint32_t>(size_t(kOuterW) * kOuterH, kGuard);
  TBitmap32 view = TBitmap32::View(mem.data() + kIn * kOuterW + kIn, kW, kH, kOuterW * 4);
  bool GuardsIntact() const {
    for (int32_t y = 0; y < kOuterH; ++y)
      for (int32_t x = 0; x < kOuterW; ++x) {
        const bool inside = x >= kIn && x < kIn + kW && y >= kIn && y < kIn + kH;
        if (!inside && mem[size_t(y) * kOuterW + x] != kGuard) return false;
      }
    return true;
  }
};

int32_t Pick(std::mt19937& rng) {
  static const int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -100000, -41, -1, 0, 1, 2, 7, 29, 30, 39, 40, 41,
                                     100000, INT32_MAX - 1, INT32_MAX};
  if (rng() % 3 == 0) return extremes[rng() % (sizeof(extremes) / sizeof(extremes[0]))];
  return int32_t(rng() % 90) - 25;
}

TRect32 PickRect(std::mt19937& rng) { return {Pick(rng), Pick(rng), Pick(rng), Pick(rng)}; }

// A skin whose images are broken in every way the records allow.
struct BrokenSkin : SynthSkin {
  BrokenSkin() {
    std::mt19937 rng(7);
    for (int k = 0; k < 40; ++k) {
      const int32_t l = int32_t(rng() % 400) - 100, t = int32_t(rng() % 300) - 100;
      const int32_t r = l + int32_t(rng() % 60) - 5, b = t + int32_t(rng() % 60) - 5;
      const int16_t count = int16_t(rng() % 5) - 1, mask = int16_t(rng() % 5) - 1;
      const int32_t i = AddImage({l, t, r, b}, count, mask, int16_t(rng() % 12),
                                 int16_t(int(rng() % 40) - 10), int16_t(int(rng() % 40) - 10),
                                 int16_t(int(rng() % 40) - 10), int16_t(int(rng() % 40) - 10));
      if (k % 7 == 0) skin.ma[size_t(i)].Bmp = std::make_shared<TBitmap32>(int32_t(rng() % 5), int32_t(rng() % 5));
      if (k % 11 == 0) skin.ma[size_t(i)].Manager = nullptr;
    }
    for (int k = 0; k < 10; ++k) {
      TsGeneralData g = Plain(0x102030 * uint32_t(k), int(rng() % 5) - 1);
      g.Transparency = int32_t(rng() % 3) * 50;
      g.HotTransparency = int32_t(rng() % 3) * 50;
      g.ImagePercent = g.HotImagePercent = int32_t(rng() % 3) * 40;
      g.GradientPercent = g.HotGradientPercent = int32_t(rng() % 3) * 30;
      g.GradientArray = g.HotGradientArray = ParseGradientData("255;65280;50;2;0;16711680;255;50;0;0");
      g.BorderIndex = int32_t(rng() % 50) - 5;
      g.ImgTL = int32_t(rng() % 50) - 5;
      g.ImgTR = int32_t(rng() % 50) - 5;
      g.ImgBL = int32_t(rng() % 50) - 5;
      g.ImgBR = int32_t(rng() % 50) - 5;
      AddSection(g);
    }
  }
};

}  // namespace

TEST(SectionBounds, SectionsWithBrokenImagesStayInsideTheBitmap) {
  BrokenSkin s;
  std::mt19937 rng(1234);
  TBitmap32 parent(50, 50);
  parent.Fill(0xFF112233);
  for (int iter = 0; iter < 3000; ++iter) {
    Guarded g;
    const int32_t section = int32_t(rng() % 14) - 2;
    const TRect32 r = rng() % 2 ? TRect32{int32_t(rng() % 10), int32_t(rng() % 10), int32_t(rng() % 45),
                                           int32_t(rng() % 35)}
                                 : PickRect(rng);
    TCacheInfo ci{rng() % 3 ? &parent : &g.view, Pick(rng), Pick(rng), TColor(rng()), rng() % 2 == 0};
    const TPoint32 o{Pick(rng), Pick(rng)};
    const int state = int(rng() % 6) - 1;
    const int32_t tex = int32_t(rng() % 50) - 5, hot = int32_t(rng() % 50) - 5;
    switch (iter % 3) {
      case 0: PaintSection(&s.skin, section, "X", ci, hot, tex, &g.view, o, r, state); break;
      case 1: PaintSectionWithBorder(&s.skin, section, tex, tex, &g.view, o, r, state, ci, "X", hot); break;
      default: PaintSectionBackground(&s.skin, section, "X", ci, rng() % 2 ? TColor(0xFF00FF) : 0x10, hot, tex,
                                      &g.view, o, r, state);
    }
    ASSERT_TRUE(g.GuardsIntact()) << "iteration " << iter;
  }
}

TEST(SectionBounds, PiecesWithExtremeRectanglesAndPointsStayInsideTheBitmap) {
  BrokenSkin s;
  std::mt19937 rng(99);
  TBitmap32 parent(50, 50);
  for (int iter = 0; iter < 4000; ++iter) {
    Guarded g;
    const TsMaskData& m = s.skin.ma[rng() % s.skin.ma.size()];
    TRect32 r = PickRect(rng);
    const TCacheInfo ci{&parent, Pick(rng), Pick(rng), 0x445566, rng() % 2 == 0};
    switch (iter % 9) {
      case 0: DrawBorderMask(&g.view, r, rng() % 2 == 0, int(rng() % 4), m, ci); break;
      case 1: FillWithImage(&g.view, r, nullptr, int(rng() % 12), m); break;
      case 2: FillWithMaskedImage(&g.view, r, ci, rng() % 2 ? 0 : 10, m); break;
      case 3: DrawMaskImage(&g.view, Pick(rng), Pick(rng), int(rng() % 4), ci, m, int(rng() % 3)); break;
      case 4:
        FillFrame32(&g.view, r, 0x123456, Pick(rng), Pick(rng), Pick(rng), Pick(rng));
        DrawDottedFrame32(&g.view, r, 0x1, 0x2);
        break;
      case 5: CopyFrame32(&g.view, Pick(rng), Pick(rng), Pick(rng), Pick(rng), &parent, Pick(rng), Pick(rng), Pick(rng)); break;
      case 6: StretchBlock(&g.view, r, &parent, PickRect(rng)); break;
      case 7:
        DrawNineSliceImage(&g.view, &parent, r, rng() % 2 == 0, int(rng() % 2), {0, 1, 1, 0}, PickRect(rng),
                           PickRect(rng), PickRect(rng));
        break;
      default: TileBlock(&g.view, r, &parent, PickRect(rng)); break;
    }
    ASSERT_TRUE(g.GuardsIntact()) << "iteration " << iter;
  }
}

TEST(SectionBounds, RectanglesNotInsideTheBitmapAndMissingPiecesPaintNothing) {
  SynthSkin s;
  const int32_t i = s.AddSection(SynthSkin::Plain(0x00FF00));
  TBitmap32 b(10, 10);
  b.Fill(0xFF000001);
  for (const TRect32& r : {TRect32{-1, 0, 5, 5}, TRect32{0, -1, 5, 5}, TRect32{0, 0, 11, 5}, TRect32{0, 0, 5, 11},
                           TRect32{5, 5, 5, 9}, TRect32{6, 5, 2, 9}}) {
    PaintSection(&s.skin, i, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, r, 0);
    PaintSectionBackground(&s.skin, i, "X", TCacheInfo{}, glyphora::clNoneMarker, -1, -1, &b, {0, 0}, r, 0);
  }
  PaintSection(nullptr, i, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, {0, 0, 5, 5}, 0);
  PaintSection(&s.skin, i + 1, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, {0, 0, 5, 5}, 0);
  PaintSection(&s.skin, -1, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, {0, 0, 5, 5}, 0);
  PaintSection(&s.skin, i, "X", TCacheInfo{}, -1, -1, nullptr, {0, 0}, {0, 0, 5, 5}, 0);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x) ASSERT_EQ(b.Pixel(x, y), 0xFF000001u);
  PaintSection(&s.skin, i, "X", TCacheInfo{}, -1, -1, &b, {0, 0}, {0, 0, 10, 10}, 0);
  EXPECT_EQ(b.Pixel(9, 9), Px(0x00FF00));  // the whole bitmap is inside
}

TEST(FrameFill, FourStripsOfTheFrameAndTheCopiedFrame) {
  TBitmap32 b(12, 10);
  b.Fill(0xFF000000);
  FillFrame32(&b, {1, 1, 11, 9}, 0x0000FF, 1, 2, 3, 1);
  EXPECT_EQ(b.Pixel(5, 2), 0xFFFF0000u);   // top, 2 high
  EXPECT_EQ(b.Pixel(5, 3), 0xFF000000u);
  EXPECT_EQ(b.Pixel(1, 7), 0xFFFF0000u);   // left
  EXPECT_EQ(b.Pixel(2, 7), 0xFF000000u);
  EXPECT_EQ(b.Pixel(8, 5), 0xFFFF0000u);   // right, 3 wide
  EXPECT_EQ(b.Pixel(7, 5), 0xFF000000u);
  EXPECT_EQ(b.Pixel(5, 8), 0xFFFF0000u);   // bottom
  TBitmap32 src(30, 30);
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 30; ++x) src.SetPixel(x, y, uint32_t(x * 100 + y));
  TBitmap32 d(20, 20);
  CopyFrame32(&d, 2, 3, 10, 8, &src, 5, 6, 2);
  EXPECT_EQ(d.Pixel(2, 3), src.Pixel(5, 6));
  EXPECT_EQ(d.Pixel(3, 10), src.Pixel(6, 13));
  EXPECT_EQ(d.Pixel(11, 4), src.Pixel(14, 7));
  EXPECT_EQ(d.Pixel(6, 10), src.Pixel(9, 13));
  EXPECT_EQ(d.Pixel(6, 6), 0u);  // inside left alone
}

TEST(FrameFill, DottedFrameEveryThirdPixelWithItsNeighbour) {
  TBitmap32 b(12, 10);
  b.Fill(0x80000000);
  DrawDottedFrame32(&b, {1, 1, 10, 8}, 0x0000FF, 0x00FF00);  // w 9, h 7; edges at x 9, y 7
  EXPECT_EQ(b.Pixel(1, 1), 0x8000FF00u);
  EXPECT_EQ(b.Pixel(0, 1), 0x80FF0000u);   // left of the first top dot
  EXPECT_EQ(b.Pixel(4, 7), 0x8000FF00u);   // bottom edge
  EXPECT_EQ(b.Pixel(10, 1), 0x8000FF00u);  // i = w div 3 = 3 reaches x 10
  EXPECT_EQ(b.Pixel(5, 1), 0x80000000u);
  EXPECT_EQ(b.Pixel(9, 4), 0x8000FF00u);   // right edge
  EXPECT_EQ(b.Pixel(9, 3), 0x80FF0000u);   // above it
  EXPECT_EQ(b.Pixel(9, 5), 0x80000000u);
}

TEST(ParentBG, ConversionToCacheInfo) {
  TBitmap32 b(4, 4);
  TacParentBG bg;
  bg.Kind = bgkCache;
  bg.Bmp = &b;
  bg.Offset = {3, -2};
  TCacheInfo ci = ParentBGToCacheInfo(bg);
  EXPECT_TRUE(ci.Ready);
  EXPECT_EQ(ci.Bmp, &b);
  EXPECT_EQ(ci.X, 3);
  EXPECT_EQ(ci.Y, -2);
  EXPECT_EQ(ci.FillColor, glyphora::clNoneMarker);
  bg.Kind = bgkFill;
  bg.Color = 0xFF00000F;  // button face, resolved
  ci = ParentBGToCacheInfo(bg);
  EXPECT_FALSE(ci.Ready);
  EXPECT_EQ(ci.Bmp, nullptr);
  EXPECT_EQ(ci.X, 3);
  EXPECT_EQ(ci.FillColor & 0xFF000000u, 0u);
  bg.Color = glyphora::clNoneMarker;
  bg.Kind = bgkUnknown;
  EXPECT_EQ(ParentBGToCacheInfo(bg).FillColor, glyphora::clNoneMarker);
}
