// Separate PNG images of a skin decoded when first drawn, large JPEG
// textures likewise, and the header check that decides what may wait.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "imaging/image_decoder.h"
#include "skin/core/skin_content.h"
#include "base/skin_error.h"
#include "tests/support/skin_writers.h"

using namespace glyphora;
using namespace glyphora::testing;

namespace {

TBitmap32 Picture(int w, int h) {
  TBitmap32 b(w, h);
  b.Fill(0x00FFFFFF);          // transparent white, which a skin load clears...
  b.SetPixel(0, 0, 0x80102030);  // ...and one pixel that stays
  return b;
}

// Stands in for the platform decoder as the process-wide default: it reads
// the size from the PNG header and gives Picture's pixels, counting its calls.
// A width of 13 is its "damaged inside" case (the header and CRCs are fine).
class CountingDecoder : public TImageDecoder {
 public:
  int calls = 0;
  TBitmap32 Decode(std::span<const uint8_t> b) override {
    ++calls;
    int32_t w = 0, h = 0;
    if (JpegDimensions(b, w, h)) {
      TBitmap32 jpeg(w, h);
      jpeg.Fill(0x00336699);
      return jpeg;
    }
    if (!PngDimensions(b, w, h) || w == 13) throw ESkinError("damaged PNG");
    return Picture(w, h);
  }
};

// Installs the decoder as the default for one test.
struct DefaultDecoderScope {
  TImageDecoder* before = DefaultImageDecoder();
  explicit DefaultDecoderScope(TImageDecoder* d) { SetDefaultImageDecoder(d); }
  ~DefaultDecoderScope() { SetDefaultImageDecoder(before); }
};

Bytes Package(const Bytes& glow) {
  const char* options =
      "[GLOBALINFO]\n"
      "BICONCLOSEGLOW0=!GLOWCLOSE.PNG!1!0!4\n"
      "[PANEL]\n"
      "BIG=STONE.JPG\n";
  Bytes jpeg{0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 900 >> 8, 900 & 255, 1000 >> 8, 1000 & 255, 3, 1, 2, 3};
  return WritePackage({{"Options.dat", ToBytes(options)}, {"GlowClose.png", glow}, {"Stone.jpg", jpeg}});
}

}  // namespace

TEST(PngHeader, SizeOnlyFromAWholeFile) {
  const Bytes png = WritePng(Picture(30, 18));
  int32_t w = 0, h = 0;
  ASSERT_TRUE(PngDimensions(png, w, h));
  EXPECT_EQ(w, 30);
  EXPECT_EQ(h, 18);

  Bytes cut(png.begin(), png.end() - 5);  // IEND cut off
  EXPECT_FALSE(PngDimensions(cut, w, h));
  Bytes flipped = png;
  flipped[png.size() / 2] ^= 0x40;  // a byte inside the image data: its CRC no longer matches
  EXPECT_FALSE(PngDimensions(flipped, w, h));
  Bytes badLength = png;
  badLength[8] = 0x7F;  // IHDR claims more bytes than the file has
  EXPECT_FALSE(PngDimensions(badLength, w, h));
  EXPECT_FALSE(PngDimensions(Bytes{0x89, 'P', 'N', 'G'}, w, h));
  EXPECT_FALSE(PngDimensions(Bytes(), w, h));
  EXPECT_FALSE(PngDimensions(WriteBmp(Picture(4, 4), 24), w, h));
}

TEST(DeferredImages, DecodedOnFirstUseOnceForAllCopies) {
  CountingDecoder dec;
  DefaultDecoderScope scope(&dec);
  TSkinContent s;
  s.LoadFromPackage(Package(WritePng(Picture(30, 18))));
  EXPECT_EQ(dec.calls, 0);  // nothing decoded by the load itself

  const TsMaskData& glow = s.ma.at(s.GetMaskIndex("GLOBALINFO", "BICONCLOSEGLOW0"));
  ASSERT_TRUE(glow.Bmp);
  EXPECT_EQ(glow.R, (TRect32{0, 0, 30, 18}));  // from the header
  EXPECT_EQ(glow.WL, 10);
  EXPECT_EQ(glow.WT, 6);
  EXPECT_FALSE(glow.Bmp.Decoded());

  TsMaskData copy = glow;
  EXPECT_EQ(copy.Bmp->Pixel(0, 0), 0x80102030u);
  EXPECT_EQ(copy.Bmp->Pixel(5, 5), 0u);  // transparent white cleared after decoding
  EXPECT_TRUE(glow.Bmp.Decoded());
  EXPECT_EQ(glow.Bmp->Width(), 30);
  EXPECT_EQ(dec.calls, 1);

  // The large JPEG texture waits as well, and keeps alpha 255 once decoded.
  ASSERT_EQ(s.pa.size(), 1u);
  EXPECT_FALSE(s.pa[0].Img.Decoded());
  EXPECT_EQ(s.pa[0].Img.Width(), 1000);
  EXPECT_EQ(s.pa[0].Img->Pixel(999, 899), 0xFF336699u);
  EXPECT_EQ(dec.calls, 2);
}

TEST(DeferredImages, DamagedFilesFailTheLoadOrDrawNothing) {
  CountingDecoder dec;
  DefaultDecoderScope scope(&dec);
  TSkinContent s;
  s.LoadFromPackage(Package(WritePng(Picture(30, 18))));
  const size_t images = s.ma.size();

  // A file the header check rejects is decoded at once, and its failure
  // fails the load, which keeps the previous skin.
  Bytes broken = WritePng(Picture(20, 10));
  broken[broken.size() / 2] ^= 0x40;
  EXPECT_THROW(s.LoadFromPackage(Package(broken)), ESkinError);
  EXPECT_EQ(s.ma.size(), images);
  EXPECT_EQ(s.ma.at(s.GetMaskIndex("GLOBALINFO", "BICONCLOSEGLOW0")).R.Right, 30);

  // A file whose damage only decoding finds becomes an empty bitmap: the
  // image draws nothing, and nothing is raised while painting.
  s.LoadFromPackage(Package(WritePng(Picture(13, 9))));
  const TsMaskData& glow = s.ma.at(s.GetMaskIndex("GLOBALINFO", "BICONCLOSEGLOW0"));
  EXPECT_EQ(glow.R, (TRect32{0, 0, 13, 9}));
  EXPECT_TRUE(glow.Bmp->Empty());
  EXPECT_EQ(glow.Bmp->ScanLine(0), nullptr);
}

TEST(DeferredImages, HueChangesDecodeAtLoadAndTintThePixels) {
  CountingDecoder dec;
  DefaultDecoderScope scope(&dec);
  static const TSkinColorOps ops{
      [](int32_t, TColor c) { return c; }, [](int32_t, TColor c) { return c; },
      [](TBitmap32* b, int32_t) { b->SetPixel(0, 0, 0x80AABBCC); }, [](TBitmap32*, int32_t) {}};
  TSkinLoadOptions opt;
  opt.HueOffset = 40;
  opt.ColorOps = &ops;
  TSkinContent s;
  s.LoadFromPackage(Package(WritePng(Picture(30, 18))), opt);
  const TsMaskData& glow = s.ma.at(s.GetMaskIndex("GLOBALINFO", "BICONCLOSEGLOW0"));
  EXPECT_TRUE(glow.Bmp.Decoded());
  EXPECT_EQ(glow.Bmp->Pixel(0, 0), 0x80AABBCCu);  // the hue step saw the decoded pixels
}

TEST(DeferredImages, AReadyBitmapIsSharedNotTaken) {
  auto own = std::make_shared<TBitmap32>(Picture(6, 4));
  TImageBitmap shared(own);
  EXPECT_TRUE(shared.Decoded());
  EXPECT_EQ(shared.get(), own.get());  // the same pixels, the caller's bitmap left whole
  EXPECT_EQ(own->Width(), 6);
  own->SetSize(9, 2);
  EXPECT_EQ(shared.Width(), 9);
  EXPECT_EQ(shared.Height(), 2);
  EXPECT_FALSE(TImageBitmap(nullptr));
  EXPECT_EQ(TImageBitmap().get(), nullptr);
}

// Whatever a deferred decode fails with (a damaged file, memory running out,
// a codec's own error, the finishing step), the image is empty from then on,
// nothing reaches the painter, and the decoder is not asked again.
TEST(DeferredImages, AnyFailureGivesAnEmptyImageOnce) {
  struct Failing : TImageDecoder {
    void (*raise)() = nullptr;
    int calls = 0;
    TBitmap32 Decode(std::span<const uint8_t>) override {
      ++calls;
      if (raise) raise();
      return Picture(8, 4);
    }
  };
  using Raise = void (*)();
  const struct { Raise inDecode, inFinish; } cases[] = {
      {[] { throw ESkinError("damaged"); }, nullptr},
      {[] { throw std::bad_alloc(); }, nullptr},
      {[] { throw std::runtime_error("codec"); }, nullptr},
      {nullptr, [] { throw std::bad_alloc(); }},
  };
  static Raise finishRaise;
  for (const auto& c : cases) {
    Failing dec;
    dec.raise = c.inDecode;
    finishRaise = c.inFinish;
    DefaultDecoderScope scope(&dec);
    TImageBitmap img = TImageBitmap::Deferred(WritePng(Picture(8, 4)), 8, 4, [](TBitmap32&) {
      if (finishRaise) finishRaise();
    });
    for (int paint = 0; paint < 2; ++paint) {
      TBitmap32* px = nullptr;
      EXPECT_NO_THROW(px = img.get());
      ASSERT_NE(px, nullptr);
      EXPECT_TRUE(px->Empty());
    }
    EXPECT_TRUE(img.Decoded());
    EXPECT_EQ(dec.calls, 1);
  }
}
