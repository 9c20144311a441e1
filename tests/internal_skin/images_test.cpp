// The internal skin's images: every entry resolves to real pixels inside its
// bitmap, and every image the program draws is there.
#include <gtest/gtest.h>

#include <set>

#include "internal_skin/skin_fixture.h"

using namespace skintest;

namespace {

constexpr uint32_t kKey = 0x00FF00FF;

struct Located {
  std::string where;  // "SECTION KEY"
  ImageEntry entry;
};

std::vector<Located> AllEntries() {
  std::vector<Located> out;
  for (const Section& s : InternalSkin::Get().sections)
    for (const auto& [key, value] : s.keys) {
      if (s.name == "GLOBALINFO" && key == "MASTERBITMAP") continue;
      ImageEntry e;
      if (ParseImageEntry(value, e)) out.push_back({s.name + " " + key, e});
    }
  return out;
}

const std::vector<uint8_t>& MemberData(const std::string& name) {
  const Member* m = InternalSkin::Get().package.Find(name);
  static const std::vector<uint8_t> none;
  return m ? m->data : none;
}

ImageEntry EntryOf(const std::string& section, const std::string& key) {
  ImageEntry e;
  EXPECT_TRUE(ParseImageEntry(InternalSkin::Get().Value(section, key), e)) << section << " " << key;
  return e;
}

}  // namespace

TEST(InternalSkinImages, MasterBitmapIsOpaqueExceptTheKey) {
  const auto& bmp = MemberData("Master.bmp");
  ImageSize size = ImageSizeOf(bmp);
  ASSERT_EQ(size.bitsPerPixel, 32);
  ASSERT_GT(size.width, 0);
  // Pictures drawn into the layered frame need full alpha; holes are exactly the key.
  int bad = 0;
  for (int y = 0; y < size.height; ++y)
    for (int x = 0; x < size.width; ++x) {
      uint32_t p = BmpPixel(bmp, x, y);
      if (p != kKey && (p >> 24) != 255) ++bad;
    }
  EXPECT_EQ(bad, 0);
}

TEST(InternalSkinImages, EveryEntryLiesInsideItsBitmapAndHoldsPixels) {
  const auto& master = MemberData("Master.bmp");
  ImageSize ms = ImageSizeOf(master);
  std::vector<Located> entries = AllEntries();
  ASSERT_GT(entries.size(), 60u);
  for (const Located& l : entries) {
    SCOPED_TRACE(l.where);
    const ImageEntry& e = l.entry;
    ASSERT_GE(e.count, 1);
    if (e.kind == '!') {
      // Named in capitals with the extension the loader looks for.
      EXPECT_TRUE(e.file.find(".PNG") != std::string::npos || e.file.find(".BMP") != std::string::npos);
      const Member* m = InternalSkin::Get().package.Find(e.file);
      ASSERT_NE(m, nullptr) << e.file;
      ImageSize s = ImageSizeOf(m->data);
      ASSERT_GT(s.width, 0);
      int fw = s.width / e.count, fh = s.height / (e.maskType + 1);
      EXPECT_EQ(s.width % e.count, 0);
      EXPECT_LT(e.wl + e.wr, fw);
      EXPECT_LT(e.wt + e.wb, fh);
      continue;
    }
    int w = e.right - e.left, h = e.bottom - e.top;
    EXPECT_GT(w, 0);
    EXPECT_GT(h, 0);
    EXPECT_LE(e.right, ms.width);
    EXPECT_LE(e.bottom, ms.height);
    if (w <= 0 || h <= 0 || e.right > ms.width || e.bottom > ms.height) continue;
    EXPECT_EQ(w % e.count, 0) << "frames of unequal width";
    int bands = e.kind == '~' ? 1 : e.maskType + 1;
    EXPECT_EQ(h % bands, 0) << "mask of unequal height";
    int fw = w / e.count, fh = h / bands;
    if (e.kind == '^') {
      EXPECT_LE(e.wl + e.wr, fw);
      EXPECT_LE(e.wt + e.wb, fh);
      EXPECT_GT(e.wl + e.wt + e.wr + e.wb, 0);
    }
    // Each frame shows something: not every pixel is the key colour.
    for (int k = 0; k < e.count; ++k) {
      int drawn = 0;
      for (int y = e.top; y < e.top + fh; ++y)
        for (int x = e.left + k * fw; x < e.left + (k + 1) * fw; ++x)
          if (BmpPixel(master, x, y) != kKey) ++drawn;
      EXPECT_GT(drawn, 0) << "frame " << k << " is empty";
    }
  }
}

TEST(InternalSkinImages, NoTwoPicturesOverlap) {
  // Entries may share one rectangle, but different rectangles must not cross.
  std::set<std::tuple<int, int, int, int>> rects;
  for (const Located& l : AllEntries())
    if (l.entry.kind != '!') rects.insert({l.entry.left, l.entry.top, l.entry.right, l.entry.bottom});
  for (auto a = rects.begin(); a != rects.end(); ++a)
    for (auto b = std::next(a); b != rects.end(); ++b) {
      auto [al, at, ar, ab] = *a;
      auto [bl, bt, br, bb] = *b;
      EXPECT_FALSE(al < br && bl < ar && at < bb && bt < ab)
          << al << "," << at << "," << ar << "," << ab << " crosses " << bl << "," << bt << "," << br << "," << bb;
    }
}

TEST(InternalSkinImages, EverythingTheProgramDrawsIsPresent) {
  const InternalSkin& s = InternalSkin::Get();
  for (const char* key : {"BICONCLOSE", "BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP",
                          "BICONCLOSEGLOW0", "BICONMAXGLOW0", "BICONMINGLOW0", "BICONNORMGLOW0",
                          "BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED",
                          "RADIOGRAYED", "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED", "CHECK",
                          "GRIPIMAGE", "EXBORDER"})
    EXPECT_NE(s.Value("GLOBALINFO", key), "<missing>") << key;
  for (const char* section : {"EDIT", "SPEEDBUTTON", "BUTTON", "FORM", "FORMTITLE", "DIALOG", "MAINMENU",
                              "MENUITEM", "SELECTION", "PANEL", "ALPHAEDIT", "DIVIDERV", "SCROLLBAR1H",
                              "SCROLLBAR2H", "SCROLLBAR1V", "SCROLLBAR2V", "SCROLLSLIDERH", "SCROLLSLIDERV"})
    EXPECT_NE(s.Value(section, "BORDERSMASK"), "<missing>") << section;
  for (const char* section : {"SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLBTNTOP", "SCROLLBTNBOTTOM"}) {
    EXPECT_NE(s.Value(section, "GLYPHMASK"), "<missing>") << section;
    EXPECT_EQ(s.Value(section, "TRANSPARENCY"), "100") << section;
  }
  // Sections that glow name their glow image.
  for (const Section& sec : s.sections)
    if (sec.Get("GLOW") && *sec.Get("GLOW") != "0") {
      EXPECT_NE(sec.Get("GLOW0"), nullptr) << sec.name;
    }
}

TEST(InternalSkinImages, CaptionButtonsAndTheirGlowsLineUp) {
  struct Cap {
    const char *key, *glow;
    int width;
  };
  const int margin = 20;  // BICON...GLOWMARGIN
  for (const Cap& c : {Cap{"BICONCLOSE", "BICONCLOSEGLOW0", 84}, Cap{"BICONMAX", "BICONMAXGLOW0", 72},
                       Cap{"BICONMIN", "BICONMINGLOW0", 72}, Cap{"BICONNORM", "BICONNORMGLOW0", 72}}) {
    SCOPED_TRACE(c.key);
    ImageEntry e = EntryOf("GLOBALINFO", c.key);
    EXPECT_EQ(e.right - e.left, c.width);
    EXPECT_EQ(e.bottom - e.top, 15);
    EXPECT_EQ(e.count, 3);
    EXPECT_EQ(e.maskType, 0);
    // The glow window is the glow image placed 20 pixels up and left of the
    // button, so the image is the button's frame grown by 20 on every side.
    ImageEntry g = EntryOf("GLOBALINFO", c.glow);
    ImageSize gs = ImageSizeOf(MemberData(g.file));
    EXPECT_EQ(gs.width, c.width / 3 + 2 * margin);
    EXPECT_EQ(gs.height, 15 + 2 * margin);
  }
}

TEST(InternalSkinImages, ExtendedBorderFitsTheFrameMetrics) {
  ImageEntry e = EntryOf("GLOBALINFO", "EXBORDER");
  ImageSize s = ImageSizeOf(MemberData("Exbor.png"));
  ASSERT_EQ(e.count, 2);  // inactive and active
  int fw = s.width / 2;
  // Shadow 16 plus border 26 at the sides and bottom, plus caption 51 at the
  // top: the slice margins must cover them so the middle stretches cleanly.
  EXPECT_GE(e.wl, 16 + 26);
  EXPECT_GE(e.wr, 16 + 26);
  EXPECT_GE(e.wb, 16 + 26);
  EXPECT_GE(e.wt, 16 + 51);
  EXPECT_GT(fw, e.wl + e.wr);
  EXPECT_GT(s.height, e.wt + e.wb);
}
