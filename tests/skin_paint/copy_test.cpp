// Keyed, straight-alpha and masked copies: each background case, clipping
// against both bitmaps and the parent, and the key comparison.
#include <gtest/gtest.h>

#include <random>

#include "skin/paint/keyed_copy.h"
#include "skin/paint/masked_copy.h"
#include "base/pixel_kernels.h"
#include "pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {
constexpr uint32_t kKey = KeyColor32;
// 3 x 2 source: key at (1, 0), colours elsewhere.
TBitmap32 KeyedSource() {
  TBitmap32 s(3, 2);
  s.Fill(0x40102030);
  s.SetPixel(1, 0, kKey);
  s.SetPixel(2, 1, 0x40405060);
  return s;
}
TBitmap32 Filled(int32_t w, int32_t h, uint32_t v) {
  TBitmap32 b(w, h);
  b.Fill(v);
  return b;
}
}  // namespace

TEST(KeyedCopy, SkipsKeyAndSetsAlpha) {
  const TBitmap32 src = KeyedSource();
  TBitmap32 dst = Filled(4, 3, 0x01010101);
  CopyKeyed(&dst, &src, 1, 0xFF00FF, 1);  // colour value of the key (alpha 0)
  EXPECT_EQ(dst.Pixel(1, 1), 0xFF102030u);
  EXPECT_EQ(dst.Pixel(2, 1), 0x01010101u);  // key left out
  EXPECT_EQ(dst.Pixel(3, 2), 0xFF405060u);  // source (2, 1)
  EXPECT_EQ(dst.Pixel(0, 0), 0x01010101u);
  // The key is compared with its red and blue exchanged: 0x302010 matches 0x40102030 only with alpha 0x40.
  dst.Fill(0);
  CopyKeyedRect(&dst, &src, 0, 0x40302010, TRect32{0, 0, 2, 1}, 0);
  EXPECT_EQ(dst.Pixel(0, 0), 0u);           // equal to the key: skipped
  EXPECT_EQ(dst.Pixel(1, 0), kKey);         // not the key: copied, alpha as is
  EXPECT_EQ(dst.Pixel(2, 1), 0x40405060u);  // inclusive rectangle reaches (2, 1)
  EXPECT_EQ(dst.Pixel(3, 0), 0u);
}

TEST(KeyedCopy, OverBackgroundCases) {
  const TBitmap32 src = KeyedSource();
  TBitmap32 parent(10, 10);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x) parent.SetPixel(x, y, 0x00000000u | (static_cast<uint32_t>(y) << 8) | x);
  // Ready with the parent image: key pixel takes the parent at (x + X, y + Y).
  TBitmap32 dst = Filled(3, 2, 0x99999999);
  CopyKeyedOverBackground(&dst, &src, 0, true, CacheInfoOf(&parent, 4, 5), 0xFF00FF, TRect32{0, 0, 2, 1}, 0);
  EXPECT_EQ(dst.Pixel(1, 0), 0xFF000505u);
  EXPECT_EQ(dst.Pixel(0, 0), 0xFF102030u);
  // Parent position outside the parent: key pixel unchanged.
  dst.Fill(0x99999999);
  CopyKeyedOverBackground(&dst, &src, 0, true, CacheInfoOf(&parent, 9, 0), 0xFF00FF, TRect32{0, 0, 2, 1}, 0);
  EXPECT_EQ(dst.Pixel(1, 0), 0x99999999u);
  // Drawing into the parent itself: key pixels are left as they are.
  TBitmap32 self = parent;
  CopyKeyedOverBackground(&self, &src, 2, true, CacheInfoOf(&self, 0, 0), 0xFF00FF, TRect32{0, 0, 2, 1}, 2);
  EXPECT_EQ(self.Pixel(3, 2), parent.Pixel(3, 2));
  EXPECT_EQ(self.Pixel(2, 2), 0xFF102030u);
  // Ready without the cache: only non-key pixels, alpha from the source.
  dst.Fill(0x99999999);
  CopyKeyedOverBackground(&dst, &src, 0, false, CacheInfoOf(&parent, 0, 0), 0xFF00FF, TRect32{0, 0, 2, 1}, 0);
  EXPECT_EQ(dst.Pixel(0, 0), 0x40102030u);
  EXPECT_EQ(dst.Pixel(1, 0), 0x99999999u);
  // Not ready: key pixels become the fill colour, alpha 255.
  TCacheInfo fill;
  fill.FillColor = 0x00332211;
  CopyKeyedOverBackground(&dst, &src, 0, true, fill, 0xFF00FF, TRect32{0, 0, 2, 1}, 0);
  EXPECT_EQ(dst.Pixel(1, 0), 0xFF112233u);
  EXPECT_EQ(dst.Pixel(0, 0), 0x40102030u);
}

TEST(AlphaCopy, BlendsStraightAlphaAndFillsKeysFromParent) {
  TBitmap32 src(2, 1), dst = Filled(2, 1, 0x80000000);
  src.SetPixel(0, 0, 0x80FFFFFF);
  src.SetPixel(1, 0, kKey);
  CopyWithAlpha(TRect32{0, 0, 2, 1}, TRect32{0, 0, 2, 1}, &dst, false, TCacheInfo{}, &src);
  // colour 255*128 >> 8 = 127; alpha 128 + 128*127/255 = 191
  EXPECT_EQ(dst.Pixel(0, 0), 0xBF7F7F7Fu);
  EXPECT_EQ(dst.Pixel(1, 0), 0x80000000u);  // alpha 0 changes nothing
  TBitmap32 parent = Filled(5, 5, 0x00ABCDEF);
  dst.Fill(0x80000000);
  CopyWithAlpha(TRect32{0, 0, 2, 1}, TRect32{0, 0, 2, 1}, &dst, true, CacheInfoOf(&parent, 3, 4), &src);
  EXPECT_EQ(dst.Pixel(1, 0), 0xFFABCDEFu);
  dst.Fill(0x80000000);
  CopyWithAlpha(TRect32{0, 0, 2, 1}, TRect32{0, 0, 2, 1}, &dst, true, CacheInfoOf(&parent, 4, 4), &src);
  EXPECT_EQ(dst.Pixel(1, 0), 0x80000000u);  // (5, 4) is outside the parent
  // Negative destination origin moves the source; sizes are the smaller.
  TBitmap32 wide = Filled(4, 1, 0);
  CopyWithAlpha(TRect32{-1, 0, 3, 1}, TRect32{0, 0, 2, 1}, &wide, false, TCacheInfo{}, &src);
  EXPECT_EQ(wide.Pixel(0, 0), 0u);  // source (1, 0) is the key, alpha 0
  EXPECT_EQ(wide.Pixel(1, 0), 0u);
}

// Random pictures, odd sizes, parents that cover part of a row or are the
// destination itself: the same bytes as blending each row, then taking the
// parent pixel (as it is at that moment) behind each key pixel, left to right.
TEST(AlphaCopy, MatchesRowByRowModelOnRandomData) {
  std::mt19937 rng(11);
  for (int round = 0; round < 40; ++round) {
    const int32_t w = 1 + static_cast<int32_t>(rng() % 37), h = 1 + static_cast<int32_t>(rng() % 5);
    const TBitmap32 src = RandomBitmap(rng, w, h, 30);
    const TBitmap32 start = RandomBitmap(rng, w + 3, h + 2, 0);
    TBitmap32 other = RandomBitmap(rng, w + 5, h + 4, 0);
    const bool intoSelf = round % 3 == 0;
    const int32_t px = static_cast<int32_t>(rng() % 9) - 4, py = static_cast<int32_t>(rng() % 5) - 2;
    const int32_t dx = static_cast<int32_t>(rng() % 3), dy = static_cast<int32_t>(rng() % 2);

    TBitmap32 got = start, want = start;
    CopyWithAlpha(TRect32{dx, dy, dx + w, dy + h}, TRect32{0, 0, w, h}, &got, true,
                  CacheInfoOf(intoSelf ? &got : &other, px, py), &src);
    const TBitmap32& parent = intoSelf ? want : other;
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x)
        ScalarKernels().AlphaOver(want.ScanLine(dy + y) + dx + x, src.ScanLine(y) + x, 1);
      for (int32_t x = 0; x < w; ++x) {
        const int32_t qx = dx + x + px, qy = dy + y + py;
        if (src.Pixel(x, y) == kKey && qx >= 0 && qy >= 0 && qx < parent.Width() && qy < parent.Height())
          want.SetPixel(dx + x, dy + y, parent.Pixel(qx, qy) | 0xFF000000u);
      }
    }
    ASSERT_TRUE(SameBitmaps(got, want)) << "round " << round << (intoSelf ? " into itself" : "");
  }
}

TEST(MaskedCopy, MaskBlendAndEveryBackgroundCase) {
  // 2 x 4 image: upper half the picture, lower half its mask.
  TBitmap32 img(2, 4);
  img.SetPixel(0, 0, 0x00C8C8C8);
  img.SetPixel(1, 0, kKey);
  img.SetPixel(0, 1, 0x00C8C8C8);
  img.SetPixel(1, 1, 0x00C8C8C8);
  img.SetPixel(0, 2, 0x00000000);  // mask 0: show the image
  img.SetPixel(1, 2, 0x00FFFFFF);
  img.SetPixel(0, 3, 0x00804000);  // per channel: blue 0, green 64, red 128
  img.SetPixel(1, 3, 0x00FFFFFF);  // mask 255: keep (almost) the destination
  const TRect32 piece{0, 0, 2, 2};
  TBitmap32 dst = Filled(2, 2, 0x10646464);
  CopyMasked(piece, piece, &dst, 2, false, TCacheInfo{}, &img);
  EXPECT_EQ(dst.Pixel(0, 0), 0x10C8C8C8u);
  EXPECT_EQ(dst.Pixel(1, 0), 0x10646464u);  // key skipped
  // d*m + s*(256 - m) >> 8: red (100*128 + 200*128) >> 8 = 150, green (100*64 + 200*192) >> 8 = 175
  EXPECT_EQ(dst.Pixel(0, 1), 0x1096AFC8u);
  EXPECT_EQ(dst.Pixel(1, 1), 0x10646464u);  // (100*255 + 200) >> 8 = 100
  // Ready, no cache: the key blends too (mask 255 there: nearly no change).
  dst.Fill(0x10646464);
  TBitmap32 parent = Filled(4, 4, 0x00ABCDEF);
  CopyMasked(piece, piece, &dst, 2, false, CacheInfoOf(&parent, 0, 0), &img);
  // key 0x00FF00FF under mask 255: blue, red (100*255 + 255) >> 8 = 100, green 100*255 >> 8 = 99
  EXPECT_EQ(dst.Pixel(1, 0), 0x10646364u);
  // Ready with cache: key pixels take the parent, everything alpha 255.
  dst.Fill(0x10646464);
  CopyMasked(piece, piece, &dst, 2, true, CacheInfoOf(&parent, 1, 1), &img);
  EXPECT_EQ(dst.Pixel(1, 0), 0xFFABCDEFu);
  EXPECT_EQ(dst.Pixel(0, 0), 0xFFC8C8C8u);
  // Past the parent's right edge the key pixel keeps its colour, alpha 255.
  dst.Fill(0x10646464);
  CopyMasked(piece, piece, &dst, 2, true, CacheInfoOf(&parent, 3, 0), &img);
  EXPECT_EQ(dst.Pixel(1, 0), 0xFF646464u);
  EXPECT_EQ(dst.Pixel(0, 0), 0xFFC8C8C8u);
  // Not ready with cache: key pixels become the fill colour, top byte as alpha.
  dst.Fill(0x10646464);
  TCacheInfo fill;
  fill.FillColor = 0x20332211;
  CopyMasked(piece, piece, &dst, 2, true, fill, &img);
  EXPECT_EQ(dst.Pixel(1, 0), 0x20112233u);
  // A mask offset past the bottom is moved up to the last rows.
  dst.Fill(0x10646464);
  CopyMasked(piece, piece, &dst, 100, false, TCacheInfo{}, &img);
  EXPECT_EQ(dst.Pixel(0, 0), 0x10C8C8C8u);
}
