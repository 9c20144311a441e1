#include <gtest/gtest.h>

#include "skin/core/ini_text.h"
#include "skin/core/options_reader.h"
#include "base/skin_error.h"
#include "skin/core/value_parse.h"
#include "base/color_convert.h"

using namespace glyphora;

namespace {

const TsGeneralData& Section(const std::vector<TsGeneralData>& gd, const std::string& name) {
  for (const auto& g : gd)
    if (g.ClassName == name) return g;
  throw std::runtime_error("no section " + name);
}

}  // namespace

TEST(IniText, GrammarAndCaseSensitivity) {
  TIniText ini(
      "; comment\r\n"
      "ORPHAN=1\r\n"
      "[ONE]\r\n"
      "  KEY = a=b \r\n"
      "\r\n"
      "=\r\n"
      "novalue\r\n"
      ";KEY2=x\r"
      "KEY=second\n"
      "[Edit]\n"
      "[ONE]\n"
      "OTHER=1\n"
      "[EMPTY]");
  ASSERT_EQ(ini.Sections().size(), 4u);
  EXPECT_EQ(ini.Sections()[0].Name, "ONE");
  EXPECT_EQ(ini.Sections()[2].Name, "ONE");  // a repeated section still appears
  EXPECT_EQ(*ini.Value("ONE", "KEY"), "a=b");  // first "=" splits; trimmed; first key wins
  EXPECT_EQ(ini.Value("ONE", "KEY2"), nullptr);
  EXPECT_EQ(ini.Value("ONE", "OTHER"), nullptr);  // lookups use the first ONE
  EXPECT_EQ(ini.Value("ONE", "key"), nullptr);
  EXPECT_EQ(ini.FindSection("EDIT"), nullptr);
  EXPECT_NE(ini.FindSection("Edit"), nullptr);
  EXPECT_NE(ini.FindSection("EMPTY"), nullptr);
  EXPECT_EQ(ini.ReadString("ONE", "MISSING", "?"), "?");
}

TEST(ValueParse, IntegersLikeThePlatform) {
  int32_t v = 0;
  EXPECT_TRUE(TryStrToInt("15856113", v));
  EXPECT_EQ(v, 15856113);
  EXPECT_TRUE(TryStrToInt("-2147483648", v));
  EXPECT_EQ(v, INT32_MIN);
  EXPECT_FALSE(TryStrToInt("2147483648", v));
  EXPECT_TRUE(TryStrToInt("0xFF", v));
  EXPECT_EQ(v, 255);
  EXPECT_TRUE(TryStrToInt("0XFFFFFFFF", v));
  EXPECT_EQ(v, -1);
  EXPECT_FALSE(TryStrToInt("0x1FFFFFFFF", v));
  EXPECT_FALSE(TryStrToInt("", v));
  EXPECT_FALSE(TryStrToInt("-", v));
  EXPECT_FALSE(TryStrToInt("12a", v));
  EXPECT_FALSE(TryStrToInt("0x", v));
  EXPECT_EQ(StrToIntDef("N/A", 7), 7);
  try {
    StrToIntStrict("1x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'1x' is not a valid integer value");
  }
  EXPECT_DOUBLE_EQ(StrToFloatDef("7.25", 0), 7.25);
  EXPECT_DOUBLE_EQ(StrToFloatDef("7,25", 0), 0);
  EXPECT_DOUBLE_EQ(StrToFloatDef("", 1), 1);
}

TEST(SkinData, GlobalInfoValuesAndDefaults) {
  TsSkinData d;
  ReadSkinData(TIniText("[X]\n"), d);
  EXPECT_EQ(d.Version, 0);
  EXPECT_EQ(d.Shadow1Blur, -1);
  EXPECT_EQ(d.ExBorderWidth, 4);
  EXPECT_EQ(d.ExTitleHeight, 30);
  EXPECT_EQ(d.ExMaxHeight, 30);  // 0 is replaced by the title height
  EXPECT_EQ(d.ExContentOffs, 8);

  ReadSkinData(TIniText("[GLOBALINFO]\nVERSION=7.0\nAUTHOR=Me\nBORDERWIDTH=26\nTITLEHEIGHT=51\n"
                        "MAXHEIGHT=34\nSHADOW1COLOR=6705944\nSHADOW1BLUR=2\nBIKEEPHUE=2\n"
                        "BICONCLOSEGLOW=1\nBICONCLOSEGLOWMARGIN=20\nBORDERMODE=70000\nFORMOFFSET=bad\n"),
               d);
  EXPECT_DOUBLE_EQ(d.Version, 7.0);
  EXPECT_EQ(d.Author, "Me");
  EXPECT_EQ(d.ExMaxHeight, 34);
  EXPECT_EQ(d.Shadow1Color, 6705944u);
  EXPECT_EQ(d.Shadow1Blur, 2);
  EXPECT_EQ(d.BICloseGlowMargin, 20);
  EXPECT_EQ(d.ExDrawMode, static_cast<int16_t>(70000 & 0xFFFF));  // low 16 bits
  EXPECT_EQ(d.ExContentOffs, 8);  // unreadable: default

  ReadSkinData(TIniText("[GLOBALINFO]\nTITLEHEIGHT=40\nMAXHEIGHT=0\n"), d);
  EXPECT_EQ(d.ExMaxHeight, 40);
}

TEST(SkinData, StrictIntegersAbortWithThePlatformMessage) {
  TsSkinData d;
  try {
    ReadSkinData(TIniText("[GLOBALINFO]\nSHADOW1OFFSET=two\n"), d);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'two' is not a valid integer value");
  }
  EXPECT_THROW(ReadSkinData(TIniText("[GLOBALINFO]\nBICONMINGLOWMARGIN=\n"), d), EConvertError);
  EXPECT_NO_THROW(ReadSkinData(TIniText("[GLOBALINFO]\nBORDERWIDTH=two\n"), d));
}

TEST(SkinData, VersionCheck) {
  EXPECT_EQ(CheckSkinVersion(7.0), TSkinVersionCheck::Ok);
  EXPECT_EQ(CheckSkinVersion(7.99), TSkinVersionCheck::Ok);
  EXPECT_EQ(CheckSkinVersion(8.0), TSkinVersionCheck::Newer);
  EXPECT_EQ(CheckSkinVersion(0), TSkinVersionCheck::Older);
  EXPECT_NE(SkinVersionMessage(TSkinVersionCheck::Older, "Blue").find("\"Blue\""), std::string::npos);
  EXPECT_TRUE(SkinVersionMessage(TSkinVersionCheck::Ok, "Blue").empty());
}

TEST(GeneralData, DefaultsAndStates) {
  auto gd = ReadGeneralData(TIniText(
      "[PLAIN]\n"
      "[ONESTATE]\nSTATES=1\nCOLOR=255\nHOTCOLOR=65280\nFONTCOLOR=5\n"
      "[TWO]\nSTATES=2\nHOTCOLOR=65280\nHOTGRADIENTDATA=1;2;50;0;0\nHOTGRADIENTPERCENT=30\n"
      "FADINGENABLED=true\nGIVEOWNFONT=yes\nGSIZE=300\n"));
  const auto& p = Section(gd, "PLAIN");
  EXPECT_EQ(p.States, 4);
  EXPECT_EQ(p.Color, 0xFFFFFFu);
  EXPECT_EQ(p.FontColor.Color, 0u);
  EXPECT_EQ(p.FontColor.Left, clMinusOne);
  EXPECT_EQ(p.GradientData, " ");
  EXPECT_EQ(p.FadingIterations, 5);
  EXPECT_EQ(p.BorderIndex, -1);

  const auto& one = Section(gd, "ONESTATE");
  EXPECT_EQ(one.HotColor, 0xFFFFFFu);  // hot keys not read
  EXPECT_EQ(one.Props[1].Color, 255u);
  EXPECT_EQ(one.Props[1].FontColor.Color, 5u);

  const auto& two = Section(gd, "TWO");
  EXPECT_EQ(two.Props[0].Color, 0xFFFFFFu);
  EXPECT_EQ(two.Props[1].Color, 65280u);
  EXPECT_EQ(two.Props[1].GradientPercent, 30);
  ASSERT_EQ(two.Props[1].GradientArray.size(), 1u);
  EXPECT_EQ(two.HotGradientArray[0].Percent, 50);
  EXPECT_TRUE(two.FadingEnabled);
  EXPECT_FALSE(two.GiveOwnFont);
  EXPECT_EQ(two.GlowSize, 300 & 0xFF);
}

TEST(GeneralData, GradientTextRules) {
  auto gd = ReadGeneralData(TIniText(
      "[NA]\nGRADIENTDATA=N/A\nGRADIENTPERCENT=40\n"
      "[SHORT]\nGRADIENTDATA=1\nGRADIENTPERCENT=40\n"
      "[TWO]\nGRADIENTDATA=16777215;15856113;97;0;0;15856113;15856113;0;0;0;9\nGRADIENTPERCENT=100\n"));
  EXPECT_EQ(Section(gd, "NA").GradientData, "N/A");
  EXPECT_EQ(Section(gd, "NA").GradientPercent, 40);
  EXPECT_TRUE(Section(gd, "NA").GradientArray.empty());
  EXPECT_EQ(Section(gd, "SHORT").GradientPercent, 0);
  const auto& two = Section(gd, "TWO").GradientArray;
  ASSERT_EQ(two.size(), 2u);  // trailing incomplete group ignored
  EXPECT_EQ(two[0].Color1, 16777215u);
  EXPECT_EQ(two[0].Percent, 97);
  EXPECT_EQ(two[1].Mode1, 0);

  // A word that is not a number aborts the load with the invalid-integer error.
  EXPECT_THROW(ReadGeneralData(TIniText("[G]\nGRADIENTDATA=1;2;x;0;0\n")), EConvertError);
  EXPECT_NO_THROW(ReadGeneralData(TIniText("[G]\nSTATES=1\nHOTGRADIENTDATA=1;2;x;0;0\n")));  // not read
}

TEST(GeneralData, ParentInheritance) {
  TIniText ini(
      "[PANEL]\nCOLOR=255\nFONTCOLOR=-16777201\nTCLEFT=7\nSHOWFOCUS=1\nGLOW=3\n"
      "[CHILD]\nPARENTCLASS=PANEL\nTCLEFT=-1\n"
      "[GRANDCHILD]\nPARENTCLASS=CHILD\nCOLOR=100\n"
      "[ORPHAN]\nPARENTCLASS=NOSUCH\n"
      "[SELF]\nPARENTCLASS=SELF\n"
      "[A]\nPARENTCLASS=B\n"
      "[B]\nPARENTCLASS=C\n"
      "[C]\nPARENTCLASS=A\nGLOW=9\n"
      "[D]\nPARENTCLASS=E\n"
      "[E]\nPARENTCLASS=D\n");
  auto gd = ReadGeneralData(ini);
  EXPECT_EQ(Section(gd, "CHILD").Color, 255u);
  EXPECT_EQ(Section(gd, "CHILD").ParentClass, "PANEL");
  EXPECT_EQ(Section(gd, "CHILD").FontColor.Left, 7u);  // -1 counts as missing
  EXPECT_TRUE(Section(gd, "CHILD").ShowFocus);
  // A system colour found in an ancestor is converted (button face, 0xF0F0F0 in the host's table).
  EXPECT_EQ(Section(gd, "CHILD").FontColor.Color, 0xF0F0F0u);
  EXPECT_EQ(Section(gd, "PANEL").FontColor.Color, 0xFF00000Fu);  // own value: not converted
  EXPECT_EQ(Section(gd, "GRANDCHILD").Color, 100u);
  EXPECT_EQ(Section(gd, "GRANDCHILD").GlowCount, 3);
  EXPECT_EQ(Section(gd, "ORPHAN").Color, 0xFFFFFFu);
  EXPECT_EQ(Section(gd, "SELF").Color, 0xFFFFFFu);
  // Cycles end: each section is visited once.
  EXPECT_EQ(Section(gd, "A").GlowCount, 9);
  EXPECT_EQ(Section(gd, "D").GlowCount, 0);
  EXPECT_EQ(ReadInheritedString(ini, "D", "NOKEY", "def"), "def");
}

TEST(GeneralData, CommonSectionsMergeOverTheSkin) {
  TIniText skin("[PANEL]\nCOLOR=255\nGLOW=2\n[EDIT]\nCOLOR=7\n");
  std::string merged = MergeCommonSections(skin,
                                           "[PANEL]\nCOLOR = 100\n"
                                           "; a comment keeps its spaces\n"
                                           "[MYPANEL]\nPARENTCLASS=panel\nFONTCOLOR=9\n"
                                           "[LONE]\nGLOW=4\n");
  auto gd = ReadGeneralData(TIniText(merged));
  ASSERT_EQ(gd.size(), 4u);
  EXPECT_EQ(gd[0].ClassName, "PANEL");
  EXPECT_EQ(gd[0].Color, 100u);   // set by the common text
  EXPECT_EQ(gd[0].GlowCount, 2);  // kept from the skin
  EXPECT_EQ(gd[1].Color, 7u);
  EXPECT_EQ(gd[2].ClassName, "MYPANEL");
  EXPECT_EQ(gd[2].ParentClass, "PANEL");  // matched ignoring case
  EXPECT_EQ(gd[2].Color, 100u);           // from its parent
  EXPECT_EQ(gd[2].FontColor.Color, 9u);
  EXPECT_EQ(gd[3].Color, 0xFFFFFFu);      // defaults
  EXPECT_EQ(gd[3].GlowCount, 4);
}

TEST(GeneralData, LongParentChainsEndAtTheDepthLimit) {
  // S0 <- S1 <- ... <- S199: each section names the previous one as parent.
  std::string text = "[S0]\nGLOW=7\n";
  for (int i = 1; i < 200; ++i)
    text += "[S" + std::to_string(i) + "]\nPARENTCLASS=S" + std::to_string(i - 1) + "\n";
  auto gd = ReadGeneralData(TIniText(text));
  ASSERT_EQ(gd.size(), 200u);
  EXPECT_EQ(gd[static_cast<size_t>(kMaxParentDepth)].GlowCount, 7);
  EXPECT_EQ(gd[kMaxParentDepth + 1].GlowCount, 0);
  EXPECT_EQ(gd[199].GlowCount, 0);
}

TEST(GeneralData, RecordsReusedForTheNextTextCarryNothingOver) {
  // A reload reads into the records of an earlier load. Whatever the earlier
  // text set (hot values, gradients, parents, booleans, more sections), the
  // result must equal a fresh read of the new text.
  const std::string rich =
      "[A]\nCOLOR=255\nTRANSPARENCY=30\nGRADIENTPERCENT=50\nGRADIENTDATA=1;2;30;0;0;3;4;70;1;0\n"
      "IMAGEPERCENT=20\nFONTCOLOR=7\nTCLEFT=8\nGIVEOWNFONT=1\nSHOWFOCUS=TRUE\nFADINGENABLED=1\n"
      "FADINGITERATIONS=9\nGLOW=2\nGLOWMARGIN=3\nGCOL=99\nGSIZE=4\nSTATES=3\nHOTCOLOR=65280\n"
      "HOTTRANSPARENCY=10\nHOTGRADIENTPERCENT=100\nHOTGRADIENTDATA=5;6;100;1;0\nHOTIMAGEPERCENT=5\n"
      "HOTFONTCOLOR=11\nHOTTCTOP=12\nHGCOL=13\nHGSIZE=6\n"
      "[B]\nPARENTCLASS=A\n[C]\nSTATES=2\n";
  const std::string plain = "[A]\nSTATES=1\n[D]\nCOLOR=1\n";
  for (const auto& [first, second] : {std::pair{rich, plain}, std::pair{plain, rich}}) {
    std::vector<TsGeneralData> reused;
    ReadGeneralData(TIniText(first), reused);
    ReadGeneralData(TIniText(second), reused);
    const std::vector<TsGeneralData> fresh = ReadGeneralData(TIniText(second));
    ASSERT_EQ(reused.size(), fresh.size());
    for (size_t i = 0; i < fresh.size(); ++i) EXPECT_TRUE(reused[i] == fresh[i]) << "section " << fresh[i].ClassName;
  }
  // The rich text really sets what the comparison covers.
  const std::vector<TsGeneralData> gd = ReadGeneralData(TIniText(rich));
  EXPECT_EQ(gd[0].HotGradientArray.size(), 1u);
  EXPECT_EQ(gd[0].Props[1].Color, 65280u);
  EXPECT_TRUE(gd[0].ShowFocus);
}
