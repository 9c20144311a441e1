// The internal skin's package and options text: members, section order and
// the values the program depends on.
#include <gtest/gtest.h>

#include "internal_skin/skin_fixture.h"

using namespace skintest;

TEST(InternalSkinPackage, HoldsTheElevenMembersInStoredOrder) {
  const Package& p = InternalSkin::Get().package;
  std::vector<std::string> expected = {"Options.dat", "ButtonHuge.bmp", "Master.bmp", "Exbor.png",
                                       "GlowBtn.png", "GlowClose.png", "GlowH.png", "GlowMax.png",
                                       "GlowMin.png", "GlowNorm.png", "GlowWhite.png"};
  ASSERT_EQ(p.members.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const Member& m = p.members[i];
    EXPECT_EQ(m.name, expected[i]);
    // Default zlib header on every stream; the reader inflated exactly the
    // stated size and found the next record right after each trailer.
    EXPECT_EQ(m.header[0], 0x78) << m.name;
    EXPECT_EQ(m.header[1], 0x9C) << m.name;
    EXPECT_GT(m.size, 0u) << m.name;
  }
  EXPECT_EQ(p.members.back().streamEnd, p.totalSize);
}

TEST(InternalSkinPackage, TestReaderRejectsDamage) {
  // The checks above are only worth something if the reader notices damage.
  std::vector<uint8_t> bytes = InternalSkin::Get().bytes;
  std::vector<uint8_t> badMagic = bytes;
  badMagic[0] = 'a';
  EXPECT_THROW(ReadPackage(badMagic), std::runtime_error);
  std::vector<uint8_t> trailing = bytes;
  trailing.push_back(0);
  EXPECT_THROW(ReadPackage(trailing), std::runtime_error);
  std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 7);
  EXPECT_THROW(ReadPackage(cut), std::runtime_error);
}

TEST(InternalSkinOptions, HasTheSixtyFourSectionsInOrderAndNoParents) {
  const char* order[] = {
      "GLOBALINFO", "DIVIDER", "GRIPH", "GROUPBOX", "ICOLINE", "MAINMENU", "MDIAREA", "MENUITEM",
      "MENULINE", "PANEL", "PANEL_LOW", "STATUSBAR", "DIVIDERV", "GAUGE", "SPLITTER", "SCROLLSLIDERV",
      "CHECKBOX", "RADIOBUTTON", "TRACKBAR", "WEBBUTTON", "BARPANEL", "BUTTON_HUGE", "PAGECONTROLBOTTOM",
      "PAGECONTROLLEFT", "PAGECONTROLRIGHT", "EXTRALINE", "SCROLLSLIDERH", "BAR", "SCROLLBTNBOTTOM",
      "SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLBTNTOP", "COMBOBTN", "SCROLLBAR1V", "SCROLLBAR2H",
      "SCROLLBAR1H", "SCROLLBAR2V", "FORM", "FORMTITLE", "SPEEDBUTTON_SMALL", "SPEEDBUTTON", "EDIT",
      "DRAGBAR", "UPDOWNBTN", "TOOLBUTTON", "TABBOTTOM", "TABLEFT", "TABRIGHT", "GRIPV", "HINT",
      "TOOLBAR", "BARTITLE", "TABTOP", "COMBOBOX", "COLHEADER", "BUTTON", "BUTTON_BIG", "PROGRESSV",
      "DIALOG", "PROGRESSH", "PAGECONTROL", "SELECTION", "ALPHAEDIT", "ALPHACOMBOBOX"};
  const auto& sections = InternalSkin::Get().sections;
  ASSERT_EQ(sections.size(), std::size(order));
  for (size_t i = 0; i < sections.size(); ++i) {
    EXPECT_EQ(sections[i].name, order[i]) << "position " << i;
    EXPECT_EQ(sections[i].Get("PARENTCLASS"), nullptr) << sections[i].name;
    // Every section has one entry per key: a repeat would silently shadow.
    for (size_t a = 0; a < sections[i].keys.size(); ++a)
      for (size_t b = a + 1; b < sections[i].keys.size(); ++b)
        EXPECT_NE(sections[i].keys[a].first, sections[i].keys[b].first) << sections[i].name;
  }
}

TEST(InternalSkinOptions, GlobalValues) {
  const std::pair<const char*, const char*> expected[] = {
      {"VERSION", "7.0"}, {"MASTERBITMAP", "MASTER.BMP"}, {"BORDERWIDTH", "26"},
      {"TITLEHEIGHT", "51"}, {"MAXHEIGHT", "34"}, {"FORMOFFSET", "16"}, {"CENTEROFFSET", "5"},
      {"BORDERMODE", "1"}, {"SHADOW1COLOR", "6705944"}, {"SHADOW1OFFSET", "1"},
      {"SHADOW1BLUR", "2"}, {"BORDERCOLOR", "15592941"}, {"BISPACE", "2"}, {"BILEFT", "2"},
      {"BIRIGHT", "0"}, {"BIVALIGN", "0"}, {"BIKEEPHUE", "2"}, {"BICONCLOSEGLOW", "1"},
      {"BICONCLOSEGLOWMARGIN", "20"}, {"TCLEFT", "16777215"}, {"TCBOTTOM", "2171169"},
      {"FONTCOLOR", "2171169"}, {"COLOR", "15856113"},
      {"EXBORDER", "!EXBOR.PNG!2!0!3!0043!0068!0044!0043"},
      {"BICONCLOSE", "@0133@0000@0217@0015@3@0"}, {"BICONCLOSEGLOW0", "!GLOWCLOSE.PNG!1!0!4"}};
  const InternalSkin& s = InternalSkin::Get();
  for (const auto& [key, value] : expected) EXPECT_EQ(s.Value("GLOBALINFO", key), value) << key;
}

TEST(InternalSkinOptions, SectionValuesThePaintingReliesOn) {
  struct V {
    const char *section, *key, *value;
  };
  const V expected[] = {
      {"EDIT", "STATES", "1"}, {"COMBOBOX", "STATES", "1"}, {"ALPHAEDIT", "STATES", "1"},
      {"ALPHACOMBOBOX", "STATES", "1"},
      // Edits and lists: white with black text, as the main window's own colours.
      {"EDIT", "COLOR", "16777215"}, {"EDIT", "FONTCOLOR", "0"},
      {"SPLITTER", "TRANSPARENCY", "100"}, {"SPLITTER", "HOTTRANSPARENCY", "100"},
      {"ALPHAEDIT", "GRADIENTPERCENT", "100"},
      {"PANEL", "COLOR", "15856113"}, {"PANEL", "TRANSPARENCY", "0"}, {"PANEL", "GRADIENTPERCENT", "0"},
      {"PANEL", "IMAGEPERCENT", "0"}, {"PANEL", "FONTCOLOR", "2171169"},
      {"PANEL", "BORDERSMASK", "^0118^0014^0132^0028^0006^0006^0006^0006^1^0^1^1"},
      {"MENUITEM", "BORDERSMASK", "^0446^0000^0460^0042^0002^0002^0002^0002^1^1^3^1"},
      {"SCROLLSLIDERH", "BORDERSMASK", "^0090^0000^0116^0017^0006^0008^0006^0008^2^0^5^1"},
      {"BUTTON_HUGE", "BORDERSMASK", "!BUTTONHUGE.BMP!3!1!0!0047!0047!0047!0047"},
      {"SPEEDBUTTON", "FADINGENABLED", "1"}, {"SPEEDBUTTON", "FADINGITERATIONS", "20"},
      {"SPEEDBUTTON", "TRANSPARENCY", "100"}, {"SPEEDBUTTON", "HOTTRANSPARENCY", "50"},
      {"SPEEDBUTTON", "HOTGRADIENTPERCENT", "100"},
      {"SPEEDBUTTON", "HOTGRADIENTDATA",
       "16777215;15132390;50;0;0;15132390;13684944;1;0;0;13684944;15329769;46;0;0;15329769;15329769;0;0;0"},
      {"SCROLLBAR1H", "GRADIENTDATA", "16777215;15856113;97;0;0;15856113;15856113;0;0;0"},
      {"SCROLLBAR1V", "GRADIENTDATA", "16777215;15856113;97;1;0;15856113;15856113;0;1;0"},
      {"MAINMENU", "GRADIENTDATA",
       "16777215;16777215;24;2;0;16777215;16777215;24;2;0;16777215;15724525;24;2;0;15724525;16777215;24;"
       "2;0;16777215;16777215;0;2;0"},
      {"PROGRESSH", "GRADIENTPERCENT", "90"}, {"PROGRESSH", "IMAGEPERCENT", "10"},
      {"BUTTON", "GRADIENTPERCENT", "85"}, {"BUTTON", "IMAGEPERCENT", "15"},
      {"BUTTON", "TRANSPARENCY", "0"}};
  const InternalSkin& s = InternalSkin::Get();
  for (const V& v : expected) EXPECT_EQ(s.Value(v.section, v.key), v.value) << v.section << " " << v.key;

  // PROGRESSH: a vertical gradient with a tiled pattern; BUTTON: a stretched one.
  ImageEntry e;
  ASSERT_TRUE(ParseImageEntry(s.Value("PROGRESSH", "PATTERN"), e));
  EXPECT_EQ(e.kind, '~');
  EXPECT_EQ(e.drawMode, 0);
  std::string grad = s.Value("PROGRESSH", "GRADIENTDATA");  // mode is the 4th word
  size_t third = grad.find(';', grad.find(';', grad.find(';') + 1) + 1);
  EXPECT_EQ(grad.substr(third + 1, 2), "0;");
  ASSERT_TRUE(ParseImageEntry(s.Value("BUTTON", "PATTERN"), e));
  EXPECT_EQ(e.kind, '~');
  EXPECT_EQ(e.drawMode, 1);
}
