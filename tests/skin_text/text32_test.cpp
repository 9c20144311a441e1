// Text into 32-bit bitmaps, the glow behind a text with its mask cache, and
// fitting a text with an ellipsis.
#include <gtest/gtest.h>

#include "skin/paint/section_text_win.h"
#include "skin/paint/text32_win.h"
#include "text_fixture.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {
const std::wstring kText = L"Ab";
constexpr UINT kFlags = DT_LEFT | DT_TOP | DT_SINGLELINE;
}  // namespace

TEST_F(TextTest, Text32IsOpaqueInItsColourAndMayReachOutside) {
  dib.Pixels().Fill(0x00808080);
  const TRect32 r{-6, -4, 60, 40};
  DrawText32(&dib.Pixels(), font.get(), kText, 0x00123456, kFlags, r);
  const TPixelSet s = Covered(kText, r, kFlags);
  ASSERT_GT(s.size(), 40u);
  for (int i = 0; i < W * H; ++i)
    ASSERT_EQ(At(i % W, i / W), s.count({i % W, i / W}) ? 0xFF000000u | Rgb(0x00123456) : 0x00808080u) << i;
}

TEST_F(TextTest, GlowAlphaFallsWithDistanceAndTheMaskIsReusedUntilItsSizeChanges) {
  TBitmap32 bmp(W, H);
  const TRect32 r{20, 10, 60, 34};
  TMask8 mask;
  DrawTextGlow(&bmp, font.get(), kText, r, mask, 0x00FFFFFF, 4, gsAll, kFlags);
  ASSERT_EQ(mask.Width, RectWidth(r) + 16);
  ASSERT_EQ(mask.Height, RectHeight(r) + 16);
  for (int i = 0; i < W * H; ++i) {
    const int x = i % W, y = i / W;
    const uint32_t p = bmp.Pixel(x, y);
    if (x < r.Left - 8 || x >= r.Right + 8 || y < r.Top - 8 || y >= r.Bottom + 8) {
      ASSERT_EQ(p, 0u) << x << "," << y;
    }
    ASSERT_EQ(p & 0xFF, (p >> 16) & 0xFF) << "white over black stays grey";
  }
  const auto [lx, ly] = *Covered(kText, r, kFlags).begin();  // the leftmost covered pixel
  EXPECT_GT(bmp.Pixel(lx, ly) >> 24, bmp.Pixel(lx - 3, ly) >> 24);
  EXPECT_GT(bmp.Pixel(lx - 3, ly) >> 24, bmp.Pixel(lx - 6, ly) >> 24);
  // A mask of the right size is used as it is (the text is not rendered again).
  std::fill(mask.Bits.begin(), mask.Bits.end(), uint8_t{0});
  DrawTextGlow(&bmp, font.get(), kText, r, mask, 0x000000FF, 4, gsAll, kFlags);
  EXPECT_EQ(bmp.Pixel(r.Left - 8, r.Top - 8), 0xFFFF0000u);
  EXPECT_EQ(bmp.Pixel(r.Right + 7, r.Bottom + 7), 0xFFFF0000u);
  // Another size makes it again; glow size 0 draws nothing.
  DrawTextGlow(&bmp, font.get(), kText, TRect32{20, 10, 61, 34}, mask, 0x000000FF, 4, gsAll, kFlags);
  EXPECT_EQ(mask.At(0, 0), 255);
  bmp.Fill(0);
  DrawTextGlow(&bmp, font.get(), kText, r, mask, 0x000000FF, 0, gsAll, kFlags);
  for (int i = 0; i < W * H; ++i) ASSERT_EQ(bmp.Pixel(i % W, i / W), 0u);
}

TEST_F(TextTest, EllipsisKeepsTheLongestStartThatFits) {
  HDC dc = dib.DC();
  auto width = [dc](const std::wstring& t) {
    SIZE sz{};
    ::GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &sz);
    return static_cast<int>(sz.cx);
  };
  const std::wstring text = L"Glyphora font viewer";
  EXPECT_EQ(FitTextWithEllipsis(dc, text, 0), L"");
  EXPECT_EQ(FitTextWithEllipsis(dc, text, width(text)), text);
  EXPECT_EQ(FitTextWithEllipsis(dc, text, width(L"G...") - 1), L"") << "not even one character fits";
  for (int cut : {1, 5, 12, 15}) {
    const int maxWidth = width(text.substr(0, size_t(cut)) + L"...");
    const std::wstring fit = FitTextWithEllipsis(dc, text, maxWidth);
    ASSERT_GE(fit.size(), 4u);
    const std::wstring start = fit.substr(0, fit.size() - 3);
    EXPECT_EQ(fit, text.substr(0, start.size()) + L"...");
    EXPECT_LE(width(fit), maxWidth);
    EXPECT_GT(width(text.substr(0, start.size() + 1) + L"..."), maxWidth) << "one more would fit";
  }
  const std::wstring pair = L"ab\xD83D\xDE00xyz";  // a surrogate pair is kept or dropped whole
  for (int w = width(L"a..."); w < width(pair); ++w) {
    const std::wstring fit = FitTextWithEllipsis(dc, pair, w);
    ASSERT_FALSE(fit.size() > 3 && IS_HIGH_SURROGATE(fit[fit.size() - 4])) << w;
  }
}
