#include <gtest/gtest.h>

#include "skin/core/skin_content.h"
#include "base/skin_error.h"
#include "tests/support/skin_writers.h"

using namespace glyphora;
using namespace glyphora::testing;

namespace {

// Recognisable stand-ins for the pixel layer's colour routines: a hue shift
// adds the delta, a saturation change adds 0x10000 times the amount.
int g_lastAmount = 0;
TColor Hue(int32_t d, TColor c) { return c + static_cast<TColor>(d); }
TColor Sat(int32_t a, TColor c) {
  g_lastAmount = a;
  return c + 0x10000u * static_cast<TColor>(a);
}
void BmpHue(TBitmap32* b, int32_t d) {
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) b->SetPixel(x, y, b->Pixel(x, y) + static_cast<uint32_t>(d));
}
void BmpSat(TBitmap32* b, int32_t a) { BmpHue(b, 1000 * a); }
const TSkinColorOps kOps{Hue, Sat, BmpHue, BmpSat};

std::string Options(int keepHue) {
  return "[GLOBALINFO]\nMASTERBITMAP=M.BMP\nBIKEEPHUE=" + std::to_string(keepHue) +
         "\nSHADOW1COLOR=100\nBORDERCOLOR=200\n"
         "BICONCLOSE=@0000@0000@0010@0010@1@0\n"
         "BICONMAX=@0010@0000@0020@0010@1@0\n"
         "SICONCLOSE=!S.BMP!1!0!2\n"
         "BICONCLOSEGLOW0=!G.BMP!1!0!4\n"
         "[PANEL]\nCOLOR=1000\nTCLEFT=50\nGRADIENTDATA=10;20;100;0;0\nSTATES=1\nOTHER=!O.BMP!1!0!2\n"
         "AGAIN=!O.BMP!1!0!2\n";
}

struct Loaded {
  TSkinContent s;
  Loaded(int keepHue, int hue, int sat) {
    TBitmap32 small(4, 4);
    small.Fill(0xFF000000);
    TBitmap32 master(40, 20);
    master.Fill(0xFF000000);
    Bytes pkg = WritePackage({{"Options.dat", ToBytes(Options(keepHue))},
                              {"M.bmp", WriteBmp(master, 32)},
                              {"S.bmp", WriteBmp(small, 32)},
                              {"G.bmp", WriteBmp(small, 32)},
                              {"O.bmp", WriteBmp(small, 32)}});
    TSkinLoadOptions opt;
    opt.HueOffset = hue;
    opt.Saturation = sat;
    opt.ColorOps = &kOps;
    s.LoadFromPackage(pkg, opt);
  }
  uint32_t ImagePixel(const char* key) { return s.ma.at(s.GetMaskIndex("GLOBALINFO", key)).Bmp->Pixel(1, 1); }
  uint32_t Other(const char* key = "OTHER") { return s.ma.at(s.GetMaskIndex("PANEL", key)).Bmp->Pixel(1, 1); }
};

}  // namespace

TEST(SkinHue, KeepHueTwoKeepsOnlyTheCloseButtons) {
  Loaded l(2, 5, 0);
  const TBitmap32& m = l.s.MasterBitmap;
  EXPECT_EQ(m.Pixel(3, 3), 0xFF000000u);       // under BICONCLOSE: restored
  EXPECT_EQ(m.Pixel(13, 3), 0xFF000005u);      // under BICONMAX: shifted
  EXPECT_EQ(m.Pixel(30, 15), 0xFF000005u);
  EXPECT_EQ(l.ImagePixel("SICONCLOSE"), 0xFF000000u);       // own bitmap excluded
  EXPECT_EQ(l.ImagePixel("BICONCLOSEGLOW0"), 0xFF000000u);  // its glow too
  EXPECT_EQ(l.Other(), 0xFF000005u);
}

TEST(SkinHue, KeepHueOneKeepsAllCaptionButtonsAndZeroKeepsNone) {
  Loaded one(1, 5, 0);
  EXPECT_EQ(one.s.MasterBitmap.Pixel(13, 3), 0xFF000000u);
  EXPECT_EQ(one.s.MasterBitmap.Pixel(30, 3), 0xFF000005u);
  Loaded none(0, 5, 0);
  EXPECT_EQ(none.s.MasterBitmap.Pixel(3, 3), 0xFF000005u);
  EXPECT_EQ(none.ImagePixel("SICONCLOSE"), 0xFF000005u);
}

TEST(SkinHue, ColoursOfSectionsAndSkin) {
  Loaded l(0, 5, 0);
  const TsGeneralData& p = l.s.gd.at(l.s.GetSkinIndex("PANEL"));
  EXPECT_EQ(p.Color, 1005u);
  EXPECT_EQ(p.HotColor, 0xFFFFFFu + 5);
  EXPECT_EQ(p.FontColor.Color, 5u);
  EXPECT_EQ(p.FontColor.Left, 55u);
  EXPECT_EQ(p.FontColor.Top, clMinusOne);  // -1 stays -1
  EXPECT_EQ(p.GradientArray.at(0).Color1, 15u);
  EXPECT_EQ(p.GradientArray.at(0).Color2, 25u);
  for (const TsGenState& st : p.Props) {  // both states, with their gradients
    EXPECT_EQ(st.Color, 1005u);
    EXPECT_EQ(st.GradientArray.at(0).Color1, 15u);
    EXPECT_EQ(st.FontColor.Right, clMinusOne);
  }
  EXPECT_EQ(l.s.SkinData.Shadow1Color, 105u);
  EXPECT_EQ(l.s.SkinData.BorderColor, 205u);
}

TEST(SkinHue, SaturationExcludesNothingAndWrapsAt101) {
  Loaded l(2, 0, 150);
  EXPECT_EQ(g_lastAmount, 49);
  EXPECT_EQ(l.s.MasterBitmap.Pixel(3, 3), 0xFF000000u + 49000);
  EXPECT_EQ(l.ImagePixel("SICONCLOSE"), 0xFF000000u + 49000);
  const TsGeneralData& p = l.s.gd.at(l.s.GetSkinIndex("PANEL"));
  EXPECT_EQ(p.Color, 1000u + 49u * 0x10000u);
  EXPECT_EQ(p.FontColor.Top, clMinusOne);
  Loaded neg(0, 0, -150);
  EXPECT_EQ(g_lastAmount, -49);
}

TEST(SkinHue, ChangeWithoutColourRoutinesIsAnError) {
  TSkinContent s;
  TEmptySource none;
  TSkinLoadOptions opt;
  opt.HueOffset = 10;
  EXPECT_THROW(s.Load(std::string("[A]\n"), none, opt), ESkinError);
}

TEST(SkinHue, APictureSeveralKeysShareChangesOnce) {
  Loaded hue(0, 5, 0);
  EXPECT_EQ(hue.Other(), 0xFF000005u);
  EXPECT_EQ(hue.Other("AGAIN"), 0xFF000005u);
  Loaded sat(0, 0, 2);
  EXPECT_EQ(sat.Other("AGAIN"), 0xFF000000u + 2000);
}
