#include <gtest/gtest.h>

#include "imaging/bmp_loader.h"
#include "imaging/image_decoder.h"
#include "base/skin_error.h"
#include "tests/support/skin_writers.h"

using namespace glyphora;
using namespace glyphora::testing;

namespace {

TBitmap32 Sample(int w, int h) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, 0x80000000u | uint32_t(x * 16) << 8 | uint32_t(y * 16));
  return b;
}

void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A BMP with a palette, built by hand: header, palette, rows as given (bottom-up).
Bytes PaletteBmp(int w, int h, int bpp, std::vector<uint32_t> palette, std::vector<Bytes> rowsBottomUp) {
  Bytes b = WriteBmp(TBitmap32(1, 1), 24);  // take the headers, then fix them
  b.resize(54);
  b[28] = static_cast<uint8_t>(bpp);
  Put32(b, 18, w);
  Put32(b, 22, h);
  Put32(b, 46, static_cast<uint32_t>(palette.size()));
  for (uint32_t c : palette)
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(c >> (8 * i)));
  Put32(b, 10, static_cast<uint32_t>(b.size()));
  for (const Bytes& r : rowsBottomUp) b.insert(b.end(), r.begin(), r.end());
  return b;
}

}  // namespace

TEST(BmpLoader, TwentyFourBitBecomesOpaqueExceptKey) {
  TBitmap32 src = Sample(5, 3);
  src.SetPixel(1, 1, 0x00FF00FF);
  for (bool topDown : {false, true}) {
    bool was32 = true;
    TBitmap32 b = LoadBmp(WriteBmp(src, 24, topDown), &was32);
    EXPECT_FALSE(was32);
    ASSERT_EQ(b.Width(), 5);
    ASSERT_EQ(b.Height(), 3);
    EXPECT_EQ(b.Pixel(4, 2), (src.Pixel(4, 2) & 0xFFFFFF) | 0xFF000000u);
    EXPECT_EQ(b.Pixel(0, 0), (src.Pixel(0, 0) & 0xFFFFFF) | 0xFF000000u);
    EXPECT_EQ(b.Pixel(1, 1), 0x00FF00FFu);  // key colour keeps alpha 0
  }
}

TEST(BmpLoader, TwentyFourBitRowsOfEveryWidthKeepEveryPixel) {
  // Rows are converted in blocks of 16 and 4 pixels with a pixel-wise tail;
  // every width around those block sizes must give the same pixels, with key
  // pixels and near-key pixels spread over block boundaries.
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (int w : {1, 2, 3, 4, 5, 15, 16, 17, 18, 19, 33, 34, 35, 50, 67}) {
    TBitmap32 src(w, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x) {
        uint32_t r = next();
        uint32_t rgb = (r >> 8) % 5 == 0 ? 0xFF00FFu : (r >> 8) % 5 == 1 ? 0xFF00FEu : (r & 0xFFFFFFu);
        src.SetPixel(x, y, rgb);
      }
    TBitmap32 b = LoadBmp(WriteBmp(src, 24));
    ASSERT_EQ(b.Width(), w);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x) {
        uint32_t rgb = src.Pixel(x, y) & 0xFFFFFFu;
        ASSERT_EQ(b.Pixel(x, y), rgb == 0xFF00FFu ? rgb : rgb | 0xFF000000u) << "width " << w << " at " << x << "," << y;
      }
  }
}

TEST(BmpLoader, ThirtyTwoBitIsTakenUnchanged) {
  TBitmap32 src = Sample(3, 4);
  src.SetPixel(2, 3, 0x12345678);
  bool was32 = false;
  TBitmap32 b = LoadBmp(WriteBmp(src, 32), &was32);
  EXPECT_TRUE(was32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Pixel(x, y), src.Pixel(x, y));
}

TEST(BmpLoader, PalettesAndSixteenBit) {
  Bytes b8 = PaletteBmp(3, 2, 8, {0x000000, 0xFF00FF, 0x112233},
                        {{2, 1, 0, 0}, {0, 2, 200, 0}});  // index 200 lies beyond the palette
  TBitmap32 p = LoadBmp(b8);
  EXPECT_EQ(p.Pixel(0, 1), 0xFF112233u);
  EXPECT_EQ(p.Pixel(1, 1), 0x00FF00FFu);
  EXPECT_EQ(p.Pixel(2, 0), 0xFF000000u);

  Bytes b1 = PaletteBmp(10, 1, 1, {0x0000FF, 0x00FF00}, {{0xA0, 0x40, 0, 0}});
  TBitmap32 m = LoadBmp(b1);
  EXPECT_EQ(m.Pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(m.Pixel(1, 0), 0xFF0000FFu);
  EXPECT_EQ(m.Pixel(9, 0), 0xFF00FF00u);

  Bytes b4 = PaletteBmp(3, 1, 4, {0x0000FF, 0x00FF00, 0xFF0000}, {{0x12, 0x00, 0, 0}});
  TBitmap32 q = LoadBmp(b4);
  EXPECT_EQ(q.Pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(q.Pixel(1, 0), 0xFFFF0000u);
  EXPECT_EQ(q.Pixel(2, 0), 0xFF0000FFu);

  Bytes b16 = PaletteBmp(2, 1, 16, {}, {{0x00, 0x7C, 0x1F, 0x00}});  // 555: red, blue
  TBitmap32 r = LoadBmp(b16);
  EXPECT_EQ(r.Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(r.Pixel(1, 0), 0xFF0000FFu);
}

TEST(BmpLoader, DamagedFilesAreErrors) {
  Bytes good = WriteBmp(Sample(7, 5), 24);
  for (size_t n = 0; n < good.size(); n += 7) {
    std::span<const uint8_t> part(good.data(), n);
    EXPECT_THROW(LoadBmp(part), ESkinError) << n;
  }
  Bytes huge = good;
  Put32(huge, 18, 100000);
  EXPECT_THROW(LoadBmp(huge), ESkinError);
  Bytes rle = good;
  Put32(rle, 30, 1);
  EXPECT_THROW(LoadBmp(rle), ESkinError);
  Bytes depth = good;
  depth[28] = 7;
  EXPECT_THROW(LoadBmp(depth), ESkinError);
  Bytes negative = good;
  Put32(negative, 18, static_cast<uint32_t>(-4));
  EXPECT_THROW(LoadBmp(negative), ESkinError);
  Bytes zero = good;
  Put32(zero, 18, 0);
  EXPECT_TRUE(LoadBmp(zero).Empty());
}

TEST(ImageHelpers, TransparentWhiteAndJpegSize) {
  TBitmap32 b(3, 1);
  b.SetPixel(0, 0, 0x00FFFFFF);
  b.SetPixel(1, 0, 0x01FFFFFF);
  b.SetPixel(2, 0, 0x00FFFFFE);
  ClearTransparentWhite(b);
  EXPECT_EQ(b.Pixel(0, 0), 0u);
  EXPECT_EQ(b.Pixel(1, 0), 0x01FFFFFFu);
  EXPECT_EQ(b.Pixel(2, 0), 0x00FFFFFEu);

  Bytes jpg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xC0, 0, 11, 8, 0x03, 0x84, 0x04, 0xB0, 3, 1, 2, 3};
  int32_t w = 0, h = 0;
  ASSERT_TRUE(JpegDimensions(jpg, w, h));
  EXPECT_EQ(w, 1200);
  EXPECT_EQ(h, 900);
  jpg[5] = 200;  // segment length beyond the data
  EXPECT_FALSE(JpegDimensions(jpg, w, h));
  EXPECT_FALSE(JpegDimensions(Bytes{0xFF, 0xD8}, w, h));
}
