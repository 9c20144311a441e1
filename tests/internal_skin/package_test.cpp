// The internal skin's package and options text, read by the program's own
// reader: members, section order and the values the program depends on.
#include <gtest/gtest.h>

#include "internal_skin/skin_fixture.h"
#include "skin/core/ini_text.h"
#include "tests/support/internal_skin_sections.h"

using namespace skintest;
using glyphora::TsGeneralData;

namespace {

const char* const kMembers[] = {"Options.dat", "ButtonHuge.bmp", "Master.bmp", "Exbor.png",
                                "GlowBtn.png", "GlowClose.png", "GlowH.png", "GlowMax.png",
                                "GlowMin.png", "GlowNorm.png", "GlowWhite.png"};

using glyphora::testing::kInternalSkinSections;

struct Piece {
  uint32_t c1, c2;
  int percent, mode;
};
void ExpectGradient(const glyphora::TsGradArray& g, std::vector<Piece> want, const char* what) {
  ASSERT_EQ(g.size(), want.size()) << what;
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(g[i].Color1, want[i].c1) << what << " piece " << i;
    EXPECT_EQ(g[i].Color2, want[i].c2) << what << " piece " << i;
    EXPECT_EQ(g[i].Percent, want[i].percent) << what << " piece " << i;
    EXPECT_EQ(g[i].Mode1, want[i].mode) << what << " piece " << i;
  }
}

}  // namespace

TEST(InternalSkinPackage, HoldsTheElevenMembersInStoredOrder) {
  const InternalSkin& s = InternalSkin::Get();
  // The reader consumed the whole package: nothing follows the last member.
  EXPECT_EQ(s.packageLength, s.bytes.size());
  EXPECT_EQ(s.pack.ImageCount, 10);
  ASSERT_TRUE(s.pack.Options.has_value());
  ASSERT_EQ(s.pack.Files.size(), 10u);
  for (size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(s.pack.Files[i].FileName, kMembers[i + 1]);
    EXPECT_EQ(s.pack.Files[i].IsBitmap, i < 2) << kMembers[i + 1];
    EXPECT_FALSE(s.pack.Files[i].FileStream.empty()) << kMembers[i + 1];
  }
  // Stored order, and every stream with the default zlib header.
  std::vector<StreamStart> starts = StreamStarts(s.bytes);
  ASSERT_EQ(starts.size(), std::size(kMembers));
  for (size_t i = 0; i < starts.size(); ++i) {
    EXPECT_EQ(starts[i].name, kMembers[i]);
    EXPECT_EQ(starts[i].cmf, 0x78) << kMembers[i];
    EXPECT_EQ(starts[i].flg, 0x9C) << kMembers[i];
  }
}

TEST(InternalSkinOptions, HasTheSixtyFourSectionsInOrderAndNoParents) {
  const InternalSkin& s = InternalSkin::Get();
  ASSERT_EQ(s.content.gd.size(), std::size(kInternalSkinSections));
  for (size_t i = 0; i < std::size(kInternalSkinSections); ++i) {
    EXPECT_EQ(s.content.gd[i].ClassName, kInternalSkinSections[i]) << "position " << i;
    EXPECT_EQ(s.content.gd[i].ParentClass, "") << kInternalSkinSections[i];
  }
  // In the text itself: no parent keys, and no key written twice in a section
  // (the reader would quietly keep the first).
  glyphora::TIniText ini(*s.pack.Options);
  for (const glyphora::TIniSection& sec : ini.Sections()) {
    EXPECT_EQ(sec.Find("PARENTCLASS"), nullptr) << sec.Name;
    for (size_t a = 0; a < sec.Keys.size(); ++a)
      for (size_t b = a + 1; b < sec.Keys.size(); ++b)
        EXPECT_NE(sec.Keys[a].first, sec.Keys[b].first) << sec.Name;
  }
}

TEST(InternalSkinOptions, WholeSkinValues) {
  const glyphora::TsSkinData& d = InternalSkin::Get().content.SkinData;
  EXPECT_DOUBLE_EQ(d.Version, 7.0);
  EXPECT_EQ(d.ExBorderWidth, 26);
  EXPECT_EQ(d.ExTitleHeight, 51);
  EXPECT_EQ(d.ExMaxHeight, 34);
  EXPECT_EQ(d.ExContentOffs, 16);
  EXPECT_EQ(d.ExShadowOffs, 0);
  EXPECT_EQ(d.ExCenterOffs, 5);
  EXPECT_EQ(d.ExDrawMode, 1);
  EXPECT_EQ(d.Shadow1Color, 6705944u);
  EXPECT_EQ(d.Shadow1Offset, 1);
  EXPECT_EQ(d.Shadow1Blur, 2);
  EXPECT_EQ(d.BorderColor, 15592941u);
  EXPECT_EQ(d.BISpacing, 2);
  EXPECT_EQ(d.BILeftMargin, 2);
  EXPECT_EQ(d.BIRightMargin, 0);
  EXPECT_EQ(d.BIVAlign, 0);
  EXPECT_EQ(d.BIKeepHUE, 2);
  EXPECT_EQ(d.BICloseGlow, 1);
  EXPECT_EQ(d.BICloseGlowMargin, 20);

  // Global colour, text colour and its white left / dark lower contour.
  const TsGeneralData& g = InternalSkin::Get().Section("GLOBALINFO");
  EXPECT_EQ(g.Color, 15856113u);
  EXPECT_EQ(g.Props[0].FontColor.Color, 2171169u);
  EXPECT_EQ(g.Props[0].FontColor.Left, 16777215u);
  EXPECT_EQ(g.Props[0].FontColor.Bottom, 2171169u);
  EXPECT_EQ(g.Props[0].FontColor.Top, glyphora::clMinusOne);
  EXPECT_EQ(g.Props[0].FontColor.Right, glyphora::clMinusOne);
}

TEST(InternalSkinOptions, SectionsOfTheMainWindow) {
  const InternalSkin& s = InternalSkin::Get();
  // Edits and lists: one state, white with black text (the window's own colours).
  for (const char* name : {"EDIT", "COMBOBOX", "ALPHAEDIT", "ALPHACOMBOBOX"})
    EXPECT_EQ(s.Section(name).States, 1) << name;
  const TsGeneralData& edit = s.Section("EDIT");
  EXPECT_EQ(edit.Color, 0xFFFFFFu);
  EXPECT_EQ(edit.Props[0].FontColor.Color, 0u);
  EXPECT_EQ(edit.Props[1].Color, edit.Props[0].Color);  // hot looks the same

  const TsGeneralData& splitter = s.Section("SPLITTER");
  EXPECT_EQ(splitter.Props[0].Transparency, 100);
  EXPECT_EQ(splitter.Props[1].Transparency, 100);

  const TsGeneralData& alpha = s.Section("ALPHAEDIT");
  EXPECT_EQ(alpha.GradientPercent, 100);
  EXPECT_FALSE(alpha.GradientArray.empty());

  // PANEL: an opaque plain colour, no gradient or image, dark grey text.
  const TsGeneralData& panel = s.Section("PANEL");
  EXPECT_EQ(panel.Color, 15856113u);
  EXPECT_EQ(panel.Transparency, 0);
  EXPECT_EQ(panel.GradientPercent, 0);
  EXPECT_EQ(panel.ImagePercent, 0);
  EXPECT_EQ(panel.Props[0].FontColor.Color, 2171169u);

  // SPEEDBUTTON: transparent at rest, a half-transparent stepped gradient when
  // hot, fading in 20 steps.
  const TsGeneralData& speed = s.Section("SPEEDBUTTON");
  EXPECT_TRUE(speed.FadingEnabled);
  EXPECT_EQ(speed.FadingIterations, 20);
  EXPECT_EQ(speed.Props[0].Transparency, 100);
  EXPECT_EQ(speed.Props[1].Transparency, 50);
  EXPECT_EQ(speed.Props[1].GradientPercent, 100);
  ExpectGradient(speed.Props[1].GradientArray,
                 {{16777215, 15132390, 50, 0}, {15132390, 13684944, 1, 0}, {13684944, 15329769, 46, 0},
                  {15329769, 15329769, 0, 0}},
                 "SPEEDBUTTON hot");

  ExpectGradient(s.Section("SCROLLBAR1H").GradientArray,
                 {{16777215, 15856113, 97, 0}, {15856113, 15856113, 0, 0}}, "SCROLLBAR1H");
  ExpectGradient(s.Section("SCROLLBAR1V").GradientArray,
                 {{16777215, 15856113, 97, 1}, {15856113, 15856113, 0, 1}}, "SCROLLBAR1V");
  const auto& menu = s.Section("MAINMENU").GradientArray;
  ASSERT_EQ(menu.size(), 5u);
  EXPECT_EQ(menu[0].Mode1, 2);
  EXPECT_EQ(menu[3].Color1, 15724525u);
}

TEST(InternalSkinOptions, GradientAndTextureMixes) {
  const InternalSkin& s = InternalSkin::Get();
  // PROGRESSH: 90 % vertical gradient with a 10 % tiled pattern.
  const TsGeneralData& progress = s.Section("PROGRESSH");
  EXPECT_EQ(progress.GradientPercent, 90);
  EXPECT_EQ(progress.ImagePercent, 10);
  ASSERT_FALSE(progress.GradientArray.empty());
  EXPECT_EQ(progress.GradientArray[0].Mode1, 0);
  const glyphora::TsMaskData* pattern = s.Image("PROGRESSH", "PATTERN");
  ASSERT_NE(pattern, nullptr);
  EXPECT_EQ(pattern->ImgType, glyphora::itisaTexture);
  EXPECT_EQ(pattern->DrawMode, 0);

  // BUTTON: opaque, 85 % gradient over a stretched 15 % pattern, in both states.
  const TsGeneralData& button = s.Section("BUTTON");
  EXPECT_EQ(button.Transparency, 0);
  for (int state : {0, 1}) {
    EXPECT_EQ(button.Props[state].GradientPercent, 85) << state;
    EXPECT_EQ(button.Props[state].ImagePercent, 15) << state;
    EXPECT_EQ(button.Props[state].Transparency, 0) << state;
  }
  for (const char* key : {"PATTERN", "HOTPATTERN"}) {
    const glyphora::TsMaskData* tex = s.Image("BUTTON", key);
    ASSERT_NE(tex, nullptr) << key;
    EXPECT_EQ(tex->ImgType, glyphora::itisaTexture) << key;
    EXPECT_EQ(tex->DrawMode, 1) << key;
  }
}
