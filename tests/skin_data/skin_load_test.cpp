#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "skin/core/options_reader.h"
#include "skin/core/skin_content.h"
#include "base/skin_error.h"
#include "tests/support/skin_writers.h"

using namespace glyphora;
using namespace glyphora::testing;

namespace {

// Stands in for the platform decoder: "PNG" files are a 4-byte size header
// (width, height as 16-bit) and the decoded pixels are a fixed pattern.
class FakeDecoder : public TImageDecoder {
 public:
  int calls = 0;
  TBitmap32 Decode(std::span<const uint8_t> b) override {
    ++calls;
    if (b.size() < 4) throw ESkinError("damaged");
    if (b[0] == 0xFF && b.size() > 8) return TBitmap32(40, 30);  // a small "JPEG"
    TBitmap32 out(b[0] | b[1] << 8, b[2] | b[3] << 8);
    out.Fill(0x00FFFFFF);  // transparent white everywhere...
    if (!out.Empty()) out.SetPixel(0, 0, 0x80102030);  // ...but one pixel
    return out;
  }
};

Bytes FakePng(int w, int h) {
  return Bytes{uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8)};
}

Bytes FakeJpeg(int w, int h) {
  return Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, uint8_t(h >> 8), uint8_t(h), uint8_t(w >> 8), uint8_t(w), 3, 1, 2, 3};
}

TBitmap32 Master() {
  TBitmap32 m(100, 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x) m.SetPixel(x, y, uint32_t(x) << 8 | uint32_t(y));
  return m;
}

const char* kOptions =
    "[GLOBALINFO]\n"
    "VERSION=7.0\n"
    "MASTERBITMAP=MASTER.BMP\n"
    "RADIOUNCHECKED=@0000@0042@0036@0054@3@0\n"
    "BICONCLOSE=@0060@0000@0090@0010@3@0\n"
    "EXBORDER=!EXBOR.PNG!2!0!3!0043!0068!0044!0043\n"
    "BICONCLOSEGLOW0=!GLOWCLOSE.PNG!1!0!4\n"
    "[PANEL]\n"
    "BORDERSMASK=^0000^0000^0030^0030^0000^0000^0000^0000^3^1^1^0\n"
    "PATTERN=~0000~0030~0010~0040~01~0\n"
    "IMGTOPLEFT=!TL.BMP!1!1!2\n"
    "COLOR=15856113\n"
    "[BUTTON]\n"
    "PARENTCLASS=PANEL\n"
    "GLYPHMASK=!BTN.BMP!3!1!0\n"
    "HUGE=~0090~0050~0200~0200~00\n"
    "LOWER=!low.png!1!0!4\n"
    "OLD=legacy.bmp\n"
    "OLDBORDER=MASK (12,42,48,54) (3,0) #\n"
    "TEX=Wood.jpg\n"
    "BIG=STONE.JPG\n"
    "[SCROLLBTNTOP]\n"
    "PARENTCLASS=BUTTON\n"
    "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=A\n"
    "[COMBOBTN]\nHOTPATTERN=~0000~0000~0004~0004~00\n";

Bytes StandardPackage() {
  TBitmap32 btn(30, 20);
  btn.Fill(0xFF00FF00);
  return WritePackage({{"Options.dat", ToBytes(kOptions)},
                       {"Master.bmp", WriteBmp(Master(), 24)},
                       {"Exbor.png", FakePng(90, 120)},
                       {"GlowClose.png", FakePng(30, 18)},
                       {"Btn.bmp", WriteBmp(btn, 32)},
                       {"low.png", FakePng(4, 4)},
                       {"LEGACY.BMP", WriteBmp(btn, 24)},
                       {"wood.JPG", FakeJpeg(40, 30)},
                       {"Stone.jpg", FakeJpeg(1000, 900)}});
}

int32_t Find(const TSkinContent& s, const std::string& sec, const std::string& key) {
  return s.GetMaskIndex(sec, key);
}

}  // namespace

TEST(SkinLoad, ImagesFromAPackage) {
  FakeDecoder dec;
  TSkinLoadOptions opt;
  opt.Decoder = &dec;
  TSkinContent s;
  s.LoadFromPackage(StandardPackage(), opt);
  EXPECT_TRUE(s.SkinIsPacked);
  ASSERT_EQ(s.MasterBitmap.Width(), 100);
  EXPECT_EQ(s.MasterBitmap.Pixel(3, 2), 0xFF000302u);

  const TsMaskData& radio = s.ma.at(Find(s, "GLOBALINFO", "RADIOUNCHECKED"));
  EXPECT_EQ(radio.R, (TRect32{0, 42, 36, 54}));
  EXPECT_EQ(radio.Manager, &s);
  EXPECT_FALSE(radio.Bmp);

  const TsMaskData& ex = s.ma.at(Find(s, "GLOBALINFO", "EXBORDER"));
  ASSERT_TRUE(ex.Bmp);
  EXPECT_EQ(ex.R, (TRect32{0, 0, 90, 120}));
  EXPECT_EQ(ex.WT, 68);
  EXPECT_EQ(ex.Bmp->Pixel(1, 1), 0u);  // transparent white cleared
  EXPECT_EQ(ex.Bmp->Pixel(0, 0), 0x80102030u);

  const TsMaskData& glow = s.ma.at(Find(s, "GLOBALINFO", "BICONCLOSEGLOW0"));
  EXPECT_EQ(glow.ImgType, itisaPngGlyph);
  EXPECT_EQ(glow.WL, 10);
  EXPECT_EQ(glow.WT, 6);

  EXPECT_EQ(Find(s, "PANEL", "IMGTOPLEFT"), -1);  // no such file: no entry
  EXPECT_EQ(Find(s, "BUTTON", "LOWER"), -1);     // "low.png" never matches "!low.png" upper-cased
  const TsMaskData& btn = s.ma.at(Find(s, "BUTTON", "GLYPHMASK"));
  EXPECT_EQ(btn.WL, 30 / 9);
  EXPECT_EQ(btn.Bmp->Pixel(0, 0), 0xFF00FF00u);

  // Master rectangles reaching outside are clipped to the master bitmap.
  EXPECT_EQ(s.ma.at(Find(s, "BUTTON", "HUGE")).R, (TRect32{90, 50, 100, 60}));

  int32_t old = Find(s, "BUTTON", "OLD");
  ASSERT_GE(old, 0);
  EXPECT_EQ(s.ma[old].ImageCount, 3);
  EXPECT_EQ(s.ma[old].WL, 30 / 9);
  EXPECT_EQ(s.ma[old].WT, 20 / 6);
  EXPECT_EQ(s.ma.at(Find(s, "BUTTON", "OLDBORDER")).R, (TRect32{12, 42, 48, 54}));

  // JPEGs: the small one became a texture, the large one stays compressed.
  int32_t tex = Find(s, "BUTTON", "TEX");
  ASSERT_GE(tex, 0);
  EXPECT_EQ(s.ma[tex].ImgType, itisaTexture);
  EXPECT_EQ(s.ma[tex].Bmp->Pixel(5, 5) >> 24, 0xFFu);
  EXPECT_EQ(tex, static_cast<int32_t>(s.ma.size()) - 1);  // textures come last
  ASSERT_EQ(s.pa.size(), 1u);
  EXPECT_EQ(s.pa[0].Width, 1000);
  EXPECT_EQ(s.GetPatternIndex(s.GetSkinIndex("BUTTON"), "BUTTON", "BIG"), 0);
}

TEST(SkinLoad, SectionsIndexesAndInheritedLookups) {
  FakeDecoder dec;
  TSkinLoadOptions opt;
  opt.Decoder = &dec;
  TSkinContent s;
  s.LoadFromPackage(StandardPackage(), opt);
  ASSERT_EQ(s.gd.size(), 7u);
  EXPECT_EQ(s.GetSkinSections().at(3), "SCROLLBTNTOP");
  EXPECT_EQ(s.GetSkinIndex("PANEL"), 1);
  EXPECT_EQ(s.GetSkinIndex("panel"), -1);
  EXPECT_DOUBLE_EQ(s.SkinData.Version, 7.0);

  int32_t panelBorder = Find(s, "PANEL", "BORDERSMASK");
  EXPECT_EQ(s.gd[1].BorderIndex, panelBorder);
  EXPECT_EQ(s.gd[2].BorderIndex, panelBorder);  // BUTTON inherits through PARENTCLASS
  EXPECT_EQ(s.gd[3].BorderIndex, panelBorder);  // two levels
  EXPECT_EQ(s.gd[0].BorderIndex, -1);           // GLOBALINFO is not resolved
  EXPECT_EQ(s.GetMaskIndex(3, "SCROLLBTNTOP", "GLYPHMASK"), Find(s, "BUTTON", "GLYPHMASK"));
  EXPECT_EQ(s.GetMaskIndex(-1, "PANEL", "BORDERSMASK"), -1);
  EXPECT_EQ(s.GetMaskIndex(1, "", "BORDERSMASK"), -1);
  EXPECT_EQ(s.GetMaskIndex(s.GetSkinIndex("A"), "A", "NOTHING"), -1);  // a cycle ends
  EXPECT_EQ(s.GetTextureIndex(2, "BUTTON", "PATTERN"), Find(s, "PANEL", "PATTERN"));
  EXPECT_EQ(s.GetTextureIndex(1, "PANEL", "BORDERSMASK"), -1);  // not a texture
  EXPECT_EQ(s.gd[2].Color, 15856113u);

  const TConstantSkinData& c = s.ConstData;
  EXPECT_EQ(c.IndexGLobalInfo, 0);
  EXPECT_EQ(c.RadioButtonUnChecked, Find(s, "GLOBALINFO", "RADIOUNCHECKED"));
  EXPECT_EQ(c.ExBorder, Find(s, "GLOBALINFO", "EXBORDER"));
  EXPECT_EQ(c.CheckBoxChecked, -1);
  EXPECT_EQ(c.IndexScrollTop, 3);
  EXPECT_EQ(c.MaskScrollTop, panelBorder);
  EXPECT_EQ(c.MaskArrowTop, Find(s, "BUTTON", "GLYPHMASK"));
  EXPECT_EQ(c.IndexBGScrollTop, Find(s, "PANEL", "PATTERN"));
  EXPECT_EQ(c.IndexScrollBottom, -1);
  EXPECT_EQ(c.ComboBtnBGHot, Find(s, "COMBOBTN", "HOTPATTERN"));
  EXPECT_EQ(c.ComboBtnBorder, -1);
}

TEST(SkinLoad, MaskWidths) {
  TSkinContent s;
  TEmptySource none;
  s.Load(std::string("[GLOBALINFO]\n[X]\n"
                     "A=^0000^0000^0030^0012^0002^0000^0000^0000^3^1^0^0\n"
                     "B=@0000@0000@0030@0012@0@1\n"
                     "C=^0000^0000^0030^0012^0000^0000^0000^0000^1^0^0^4\n"),
         none);
  // No master bitmap: every master rectangle is empty, nothing can be drawn.
  EXPECT_EQ(s.ma[0].R, TRect32{});
  TsMaskData& a = s.ma[0];
  a.R = TRect32{0, 0, 30, 12};
  EXPECT_EQ(s.MaskWidthLeft(0), 2);
  EXPECT_EQ(s.MaskWidthRight(0), 10);  // frame width
  EXPECT_EQ(s.MaskWidthTop(0), 6);     // frame height with a mask half
  s.ma[1].R = TRect32{0, 0, 30, 12};
  EXPECT_EQ(s.MaskWidthLeft(1), 30);   // an image count of 0 is first set to 1
  EXPECT_EQ(s.ma[1].ImageCount, 1);
  EXPECT_EQ(s.MaskWidthBottom(2), 4);  // BorderWidth
  EXPECT_EQ(s.MaskWidthLeft(99), 0);
  EXPECT_EQ(s.MaskWidthTop(-1), 0);
  EXPECT_EQ(s.ConstData.CheckBoxChecked, -1);
}

TEST(SkinLoad, MissingGlobalInfoAndNoDecoder) {
  TSkinContent s;
  TEmptySource none;
  TSkinLoadOptions opt;
  s.Load(std::string("[X]\nRADIOCHECKED=@0000@0000@0001@0001@1@0\nP=!A.PNG!1!0!4\n"), none, opt);
  EXPECT_EQ(s.ConstData.IndexGLobalInfo, -1);
  EXPECT_EQ(s.ConstData.RadioButtonChecked, -1);
  EXPECT_EQ(s.ma.size(), 1u);
}

TEST(SkinLoad, FailedLoadKeepsThePreviousSkin) {
  FakeDecoder dec;
  TSkinLoadOptions opt;
  opt.Decoder = &dec;
  TSkinContent s;
  s.LoadFromPackage(StandardPackage(), opt);
  size_t images = s.ma.size();
  TEmptySource none;
  EXPECT_THROW(s.Load(std::string("[NEW]\nX=@00z0@0000@0001@0001@1@0\n"), none, opt), EConvertError);
  EXPECT_THROW(s.Load(std::string("[GLOBALINFO]\nSHADOW1BLUR=soft\n"), none, opt), EConvertError);
  Bytes damagedPng = WritePackage({{"Options.dat", ToBytes("[G]\nP=!A.PNG!1!0!4\n")}, {"A.png", {1}}});
  EXPECT_THROW(s.LoadFromPackage(damagedPng, opt), ESkinError);
  EXPECT_EQ(s.ma.size(), images);
  EXPECT_EQ(s.GetSkinIndex("PANEL"), 1);
  EXPECT_EQ(s.ma[0].Manager, &s);
}

TEST(SkinLoad, NoOptionsTextDropsImagesKeepsSections) {
  FakeDecoder dec;
  TSkinLoadOptions opt;
  opt.Decoder = &dec;
  TSkinContent s;
  s.LoadFromPackage(StandardPackage(), opt);
  s.LoadFromPackage(WritePackage({{"Master.bmp", WriteBmp(Master(), 24)}}), opt);
  EXPECT_TRUE(s.ma.empty());
  EXPECT_TRUE(s.MasterBitmap.Empty());
  EXPECT_EQ(s.gd.size(), 7u);
  EXPECT_EQ(s.gd[1].BorderIndex, -1);
}

TEST(SkinLoad, FromAFolder) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("glyphora_skin_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::create_directories(dir);
  auto write = [&](const char* name, const Bytes& b) {
    std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
  };
  write("Options.dat", ToBytes("[GLOBALINFO]\nMASTERBITMAP=Master.bmp\n[P]\nB=!Img.BMP!1!0!2\n"));
  write("Master.bmp", WriteBmp(Master(), 24));
  TBitmap32 img(6, 6);
  write("Img.BMP", WriteBmp(img, 24));
  std::string folder = dir.string() + "/";
  TSkinContent s;
  s.LoadFromFolder(folder);
  EXPECT_FALSE(s.SkinIsPacked);
  EXPECT_EQ(s.SkinData.SkinPath, folder);
  EXPECT_EQ(s.MasterBitmap.Width(), 100);
  ASSERT_EQ(s.ma.size(), 1u);
  EXPECT_EQ(s.ma[0].R, (TRect32{0, 0, 6, 6}));

  // A CommonSections text adds sections and its older bitmap entries, read
  // from the skin folder.
  TSkinLoadOptions opt;
  opt.CommonSections = "[Extra]\nOLD = Img.BMP\nCOLOR=5\n";
  s.LoadFromFolder(folder, opt);
  ASSERT_EQ(s.gd.size(), 3u);
  EXPECT_EQ(s.gd[2].ClassName, "Extra");
  EXPECT_EQ(s.gd[2].Color, 5u);
  int32_t old = s.GetMaskIndex("EXTRA", "OLD");
  ASSERT_EQ(old, 1);
  EXPECT_EQ(s.ma[old].WL, 6 / 9);

  // A folder whose load fails leaves the skin and the folder it came from.
  fs::create_directories(dir / "Broken");
  std::ofstream(dir / "Broken" / "Options.dat") << "[P]\nB=@00z0@0000@0001@0001@1@0\n";
  EXPECT_THROW(s.LoadFromFolder((dir / "Broken" / "").string()), EConvertError);
  EXPECT_EQ(s.SkinData.SkinPath, folder);
  EXPECT_EQ(s.gd.size(), 3u);
  fs::remove_all(dir);
}

TEST(SkinLoad, LongParentChainsInImageLookups) {
  std::string text = "[S0]\nBORDERSMASK=@0000@0000@0001@0001@1@0\n";
  for (int i = 1; i < 200; ++i)
    text += "[S" + std::to_string(i) + "]\nPARENTCLASS=S" + std::to_string(i - 1) + "\n";
  TSkinContent s;
  TEmptySource none;
  s.Load(text, none);
  EXPECT_EQ(s.gd[kMaxParentDepth].BorderIndex, 0);
  EXPECT_EQ(s.gd[kMaxParentDepth + 1].BorderIndex, -1);
  EXPECT_EQ(s.gd[199].BorderIndex, -1);
}
