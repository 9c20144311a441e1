// Large textures (patterns) in section backgrounds, and the tiling of a
// whole picture over any rectangle.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "imaging/image_decoder.h"
#include "section_paint/synth_skin.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/tile_graphic.h"
#include "skin/paint/tint.h"
#include "tests/support/skin_writers.h"

using namespace sectiontest;
using namespace glyphora::testing;

namespace {

constexpr uint32_t kBg = 0xFF0A0B0C;

// A w x h picture whose pixels name their position and a tag.
std::shared_ptr<TBitmap32> Picture(int32_t w, int32_t h, uint32_t tag) {
  auto p = std::make_shared<TBitmap32>(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) p->SetPixel(x, y, 0xFF000000u | tag << 16 | uint32_t(x) << 8 | uint32_t(y));
  return p;
}

// A JPEG header of 1000 x 900 pixels: enough to be kept as a large texture.
Bytes BigJpeg() { return Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 900 >> 8, 900 & 255, 1000 >> 8, 1000 & 255, 3, 1, 2, 3}; }

struct NoDecoder {
  TImageDecoder* before = DefaultImageDecoder();
  NoDecoder() { SetDefaultImageDecoder(nullptr); }
  ~NoDecoder() { SetDefaultImageDecoder(before); }
};

// A skin whose section "BOX" names a normal and a hot large texture; the
// textures are then replaced by small ready pictures (tags 1 and 2).
struct PatternSkin {
  NoDecoder noDecoder;
  TSkinContent skin;
  int32_t box = -1;
  std::shared_ptr<TBitmap32> normal = Picture(3, 2, 1), hot = Picture(4, 3, 2);
  explicit PatternSkin(int imagePercent, bool ready = true) {
    const std::string options = "[BOX]\nCOLOR=3368601\nSTATES=2\nIMAGEPERCENT=" + std::to_string(imagePercent) +
                                "\nHOTIMAGEPERCENT=100\nHOTCOLOR=255\nPATTERN=STONE.JPG\nHOTPATTERN=HOT.JPG\n";
    skin.LoadFromPackage(
        WritePackage({{"Options.dat", ToBytes(options)}, {"Stone.jpg", BigJpeg()}, {"Hot.jpg", BigJpeg()}}));
    box = skin.GetSkinIndex("BOX");
    const int32_t n = skin.GetPatternIndex(box, "BOX", "PATTERN"), h = skin.GetPatternIndex(box, "BOX", "HOTPATTERN");
    if (ready && n >= 0 && h >= 0) {
      // The image takes the pixels over: it gets copies.
      skin.pa[size_t(n)].Img = TImageBitmap(std::make_shared<TBitmap32>(*normal));
      skin.pa[size_t(h)].Img = TImageBitmap(std::make_shared<TBitmap32>(*hot));
    }
  }
};

// Every pixel of r in b is the picture tiled from r's top-left corner; every
// pixel outside r is still kBg.
void ExpectTiled(const TBitmap32& b, const TRect32& r, const TBitmap32& pic) {
  for (int32_t y = 0; y < b.Height(); ++y)
    for (int32_t x = 0; x < b.Width(); ++x) {
      const bool in = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
      const uint32_t want =
          in ? pic.Pixel(int32_t((int64_t(x) - r.Left) % pic.Width()), int32_t((int64_t(y) - r.Top) % pic.Height()))
             : kBg;
      ASSERT_EQ(b.Pixel(x, y), want) << x << "," << y;
    }
}

TBitmap32 Canvas() {
  TBitmap32 b(14, 11);
  b.Fill(kBg);
  return b;
}

}  // namespace

TEST(SectionPattern, TiledFromTheRectangleCornerInEachPropertySet) {
  PatternSkin s(100);
  ASSERT_GE(s.box, 0);
  ASSERT_EQ(s.skin.pa.size(), 2u);
  const TRect32 r{2, 1, 12, 8};
  TBitmap32 normal = Canvas();
  PaintSection(&s.skin, s.box, "BOX", TCacheInfo{}, -1, -1, &normal, {0, 0}, r, 0);
  ExpectTiled(normal, r, *s.normal);
  TBitmap32 hot = Canvas();
  PaintSection(&s.skin, s.box, "BOX", TCacheInfo{}, -1, -1, &hot, {0, 0}, r, 1);
  ExpectTiled(hot, r, *s.hot);
}

TEST(SectionPattern, AGivenMaskedTextureFallsBackToThePattern) {
  PatternSkin s(100);
  TsMaskData masked;
  masked.R = {0, 0, 4, 8};
  masked.ImageCount = 1;
  masked.MaskType = 1;
  masked.Manager = &s.skin;
  masked.Bmp = TImageBitmap(Picture(4, 8, 9));
  s.skin.ma.push_back(masked);
  const int32_t t = int32_t(s.skin.ma.size()) - 1;
  const TRect32 r{0, 0, 7, 5};
  TBitmap32 b = Canvas();
  PaintSectionBackground(&s.skin, s.box, "BOX", TCacheInfo{}, glyphora::clNoneMarker, -1, t, &b, {0, 0}, r, 0);
  ExpectTiled(b, r, *s.normal);
  // An index outside the image list does the same.
  TBitmap32 c = Canvas();
  PaintSectionBackground(&s.skin, s.box, "BOX", TCacheInfo{}, glyphora::clNoneMarker, -1, 1000, &c, {0, 0}, r, 0);
  ExpectTiled(c, r, *s.normal);
}

TEST(SectionPattern, ColourShareTintsThePatternAndUndecodableOnesLeaveTheColour) {
  PatternSkin s(60);
  const TRect32 r{1, 1, 9, 9};
  TBitmap32 tinted = Canvas();
  PaintSection(&s.skin, s.box, "BOX", TCacheInfo{}, -1, -1, &tinted, {0, 0}, r, 0);
  TBitmap32 want = Canvas();
  TileGraphic(&want, r, s.normal.get());
  TintRect(&want, r, 60, 3368601);
  for (int32_t y = 0; y < want.Height(); ++y)
    for (int32_t x = 0; x < want.Width(); ++x) ASSERT_EQ(tinted.Pixel(x, y), want.Pixel(x, y)) << x << "," << y;
  EXPECT_NE(tinted.Pixel(1, 1), s.normal->Pixel(0, 0));

  // Left as a file that no decoder can read: the section colour only.
  PatternSkin broken(100, false);
  TBitmap32 b = Canvas();
  PaintSection(&broken.skin, broken.box, "BOX", TCacheInfo{}, -1, -1, &b, {0, 0}, r, 0);
  EXPECT_EQ(b.Pixel(1, 1), Px(3368601));
  EXPECT_EQ(b.Pixel(8, 8), Px(3368601));
  EXPECT_EQ(b.Pixel(9, 9), kBg);
}

TEST(TileGraphic, AnyRectangleIsCutToTheBitmapWithItsPhaseKept) {
  const auto pic = Picture(3, 2, 5);
  const TRect32 cases[] = {{2, 3, 9, 10},
                           {-5, -4, 6, 5},
                           {-7, 4, 30, 30},
                           {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                           {INT32_MIN + 1, -3, 4, INT32_MAX}};
  for (const TRect32& r : cases) {
    TBitmap32 b = Canvas();
    TileGraphic(&b, r, pic.get());
    ExpectTiled(b, r, *pic);
  }
}

TEST(TileGraphic, NothingForMissingOrEmptyGraphicsAndRectangles) {
  const auto pic = Picture(3, 2, 5);
  TBitmap32 empty;
  const TRect32 nothing[] = {{5, 5, 5, 9}, {5, 5, 9, 5}, {9, 9, 2, 2}, {20, 0, 30, 5}, {0, -9, 5, -1}};
  for (const TRect32& r : nothing) {
    TBitmap32 b = Canvas();
    TileGraphic(&b, r, pic.get());
    ExpectTiled(b, {0, 0, 0, 0}, *pic);
  }
  TBitmap32 b = Canvas();
  TileGraphic(&b, {0, 0, 5, 5}, nullptr);
  TileGraphic(&b, {0, 0, 5, 5}, &empty);
  TileGraphic(&b, {0, 0, 5, 5}, &b);
  TileGraphic(nullptr, {0, 0, 5, 5}, pic.get());
  ExpectTiled(b, {0, 0, 0, 0}, *pic);
}
