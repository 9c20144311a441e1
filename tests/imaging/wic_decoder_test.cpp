#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <thread>

#include "imaging/wic_decoder.h"
#include "skin/core/skin_content.h"
#include "base/skin_error.h"
#include "tests/support/skin_writers.h"

using namespace glyphora;
using namespace glyphora::testing;

namespace {

TBitmap32 Picture() {
  TBitmap32 b(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.SetPixel(x, y, uint32_t(x * 50) << 24 | uint32_t(y * 80) << 16 | 0x1234);
  b.SetPixel(4, 2, 0x00FFFFFF);  // transparent white
  b.SetPixel(3, 2, 0x00123456);  // transparent colour: kept as it is
  return b;
}

void ExpectStraightPixels(const TBitmap32& got, const TBitmap32& want) {
  ASSERT_EQ(got.Width(), want.Width());
  ASSERT_EQ(got.Height(), want.Height());
  for (int y = 0; y < want.Height(); ++y)
    for (int x = 0; x < want.Width(); ++x) EXPECT_EQ(got.Pixel(x, y), want.Pixel(x, y)) << x << "," << y;
}

}  // namespace

TEST(WicDecoder, PngToStraightBgraWithOrWithoutCom) {
  TBitmap32 pic = Picture();
  Bytes png = WritePng(pic);
  ExpectStraightPixels(WicImageDecoder().Decode(png), pic);  // COM not initialised by us
  ReleaseWicDecoderCache();

  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  ExpectStraightPixels(WicImageDecoder().Decode(png), pic);
  ReleaseWicDecoderCache();
  CoUninitialize();

  // Another thread, in the multithreaded apartment, decodes without the cache.
  bool ok = false;
  std::thread t([&] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    try {
      ok = WicImageDecoder().Decode(png).Pixel(1, 1) == pic.Pixel(1, 1);
    } catch (...) {
    }
    CoUninitialize();
  });
  t.join();
  EXPECT_TRUE(ok);
}

TEST(WicDecoder, DamagedDataIsAnError) {
  Bytes png = WritePng(Picture());
  Bytes cut(png.begin(), png.begin() + png.size() / 2);
  EXPECT_THROW(WicImageDecoder().Decode(cut), ESkinError);
  EXPECT_THROW(WicImageDecoder().Decode(Bytes{1, 2, 3}), ESkinError);
  EXPECT_THROW(WicImageDecoder().Decode(Bytes{}), ESkinError);
}

TEST(WicDecoder, SkinPngImagesLoseTransparentWhite) {
  Bytes pkg = WritePackage({{"Options.dat", ToBytes("[GLOBALINFO]\nEXBORDER=!EXBOR.PNG!2!0!3\n")},
                            {"Exbor.png", WritePng(Picture())}});
  TSkinLoadOptions opt;
  opt.Decoder = &WicImageDecoder();
  TSkinContent s;
  s.LoadFromPackage(pkg, opt);
  ASSERT_EQ(s.ma.size(), 1u);
  const TBitmap32& b = *s.ma[0].Bmp;
  EXPECT_EQ(b.Pixel(4, 2), 0u);
  EXPECT_EQ(b.Pixel(3, 2), 0x00123456u);
  EXPECT_EQ(b.Pixel(1, 1), Picture().Pixel(1, 1));
  EXPECT_EQ(s.ma[0].WL, 5 / 6);
  EXPECT_EQ(s.ma[0].R, (TRect32{0, 0, 5, 3}));
}
