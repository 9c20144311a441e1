// The internal skin's images as the skin loader resolves them: every entry
// points at real pixels inside its bitmap, the fixed entries are where the
// frame code expects them, and every image the program draws is there.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "internal_skin/skin_fixture.h"
#include "skin/core/ini_text.h"

using namespace skintest;
using glyphora::TsMaskData;

namespace {

constexpr uint32_t kKey = 0x00FF00FF;

const glyphora::TBitmap32& SourceOf(const TsMaskData& m) {
  return m.Bmp ? *m.Bmp : InternalSkin::Get().content.MasterBitmap;
}

int Bands(const TsMaskData& m) {
  return m.ImgType == glyphora::itisaTexture ? 1 : m.MaskType + 1;
}

struct Quoted {
  const char *section, *key;
  glyphora::TRect32 r;
  int count, mask, wl, wt, wr, wb, drawMode;
  glyphora::TacImgType type;
};

}  // namespace

TEST(InternalSkinImages, EveryEntryResolvesInsideItsBitmap) {
  const InternalSkin& s = InternalSkin::Get();
  // Each image entry of the text became one image: none was dropped.
  size_t entries = 0;
  glyphora::TIniText ini(*s.pack.Options);
  for (const auto& sec : ini.Sections())
    for (const auto& [key, value] : sec.Keys)
      if (key != "MASTERBITMAP" && !value.empty() && std::string("@^~!").find(value[0]) != std::string::npos)
        ++entries;
  ASSERT_EQ(s.content.ma.size(), entries);

  for (const TsMaskData& m : s.content.ma) {
    SCOPED_TRACE(m.ClassName + " " + m.PropertyName);
    const glyphora::TBitmap32& src = SourceOf(m);
    ASSERT_GE(m.ImageCount, 1);
    EXPECT_GE(m.R.Left, 0);
    EXPECT_GE(m.R.Top, 0);
    EXPECT_LE(m.R.Right, src.Width());
    EXPECT_LE(m.R.Bottom, src.Height());
    int w = glyphora::RectWidth(m.R), h = glyphora::RectHeight(m.R);
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    EXPECT_EQ(w % m.ImageCount, 0) << "frames of unequal width";
    EXPECT_EQ(h % Bands(m), 0) << "mask of unequal height";
    int fw = glyphora::FrameWidth(m), fh = glyphora::FrameHeight(m);
    if (m.ImgType == glyphora::itisaBorder || m.ImgType == glyphora::itisaGlow) {
      EXPECT_LE(m.WL + m.WR, fw);
      EXPECT_LE(m.WT + m.WB, fh);
    }
    if (m.Bmp || m.R.Right > src.Width() || m.R.Bottom > src.Height()) continue;
    // Pictures of the master bitmap: every frame shows something.
    for (int k = 0; k < m.ImageCount; ++k) {
      int drawn = 0;
      for (int y = m.R.Top; y < m.R.Top + fh; ++y)
        for (int x = m.R.Left + k * fw; x < m.R.Left + (k + 1) * fw; ++x)
          if (src.Pixel(x, y) != kKey) ++drawn;
      EXPECT_GT(drawn, 0) << "frame " << k << " is empty";
    }
  }
}

TEST(InternalSkinImages, MasterBitmapIsOpaqueExceptTheKey) {
  const glyphora::TBitmap32& master = InternalSkin::Get().content.MasterBitmap;
  ASSERT_FALSE(master.Empty());
  // Pictures copied into the layered frame need full alpha; holes are exactly the key.
  int bad = 0;
  for (int y = 0; y < master.Height(); ++y)
    for (int x = 0; x < master.Width(); ++x) {
      uint32_t p = master.Pixel(x, y);
      if (p != kKey && (p >> 24) != 255) ++bad;
    }
  EXPECT_EQ(bad, 0);
}

TEST(InternalSkinImages, DifferentPicturesDoNotOverlap) {
  // Entries may share one rectangle, but different rectangles must not cross.
  std::set<std::tuple<int, int, int, int>> rects;
  for (const TsMaskData& m : InternalSkin::Get().content.ma)
    if (!m.Bmp) rects.insert({m.R.Left, m.R.Top, m.R.Right, m.R.Bottom});
  for (auto a = rects.begin(); a != rects.end(); ++a)
    for (auto b = std::next(a); b != rects.end(); ++b) {
      auto [al, at, ar, ab] = *a;
      auto [bl, bt, br, bb] = *b;
      EXPECT_FALSE(al < br && bl < ar && at < bb && bt < ab)
          << al << "," << at << "," << ar << "," << ab << " crosses " << bl << "," << bt << "," << br << "," << bb;
    }
}

TEST(InternalSkinImages, FixedEntriesAreWhereTheFrameCodeExpectsThem) {
  using glyphora::itisaBorder, glyphora::itisaGlyph, glyphora::itisaGlow, glyphora::itisaPngGlyph;
  const Quoted quoted[] = {
      {"GLOBALINFO", "BICONCLOSE", {133, 0, 217, 15}, 3, 0, 0, 0, 0, 0, 0, itisaGlyph},
      {"PANEL", "BORDERSMASK", {118, 14, 132, 28}, 1, 0, 6, 6, 6, 6, 1, itisaBorder},
      {"MENUITEM", "BORDERSMASK", {446, 0, 460, 42}, 1, 1, 2, 2, 2, 2, 3, itisaBorder},
      {"SCROLLSLIDERH", "BORDERSMASK", {90, 0, 116, 17}, 2, 0, 6, 8, 6, 8, 5, itisaBorder},
      {"GLOBALINFO", "EXBORDER", {0, 0, -1, -1}, 2, 0, 43, 68, 44, 43, 4, itisaGlow},
      {"BUTTON_HUGE", "BORDERSMASK", {0, 0, -1, -1}, 3, 1, 47, 47, 47, 47, 4, itisaBorder},
      {"GLOBALINFO", "BICONCLOSEGLOW0", {0, 0, -1, -1}, 1, 0, -1, -1, -1, -1, 4, itisaPngGlyph},
  };
  for (const Quoted& q : quoted) {
    SCOPED_TRACE(std::string(q.section) + " " + q.key);
    const TsMaskData* m = InternalSkin::Get().Image(q.section, q.key);
    ASSERT_NE(m, nullptr);
    if (q.r.Right >= 0) {
      EXPECT_EQ(m->R, q.r);
      EXPECT_EQ(m->Bmp, nullptr);
    } else {
      ASSERT_NE(m->Bmp, nullptr);  // a file of its own, taken whole
      EXPECT_EQ(m->R, (glyphora::TRect32{0, 0, m->Bmp->Width(), m->Bmp->Height()}));
    }
    EXPECT_EQ(m->ImageCount, q.count);
    EXPECT_EQ(m->MaskType, q.mask);
    EXPECT_EQ(m->ImgType, q.type);
    EXPECT_EQ(m->DrawMode, q.drawMode);
    if (q.wl >= 0) {
      EXPECT_EQ(m->WL, q.wl);
      EXPECT_EQ(m->WT, q.wt);
      EXPECT_EQ(m->WR, q.wr);
      EXPECT_EQ(m->WB, q.wb);
    }
  }
  EXPECT_EQ(InternalSkin::Get().Image("PANEL", "BORDERSMASK")->BorderWidth, 1);
}

TEST(InternalSkinImages, EverythingTheProgramDrawsIsPresent) {
  const InternalSkin& s = InternalSkin::Get();
  const glyphora::TConstantSkinData& c = s.content.ConstData;
  auto valid = [&](int32_t i) { return s.content.IsValidImgIndex(i); };
  EXPECT_TRUE(s.content.IsValidSkinIndex(c.IndexGLobalInfo));
  EXPECT_TRUE(valid(c.ExBorder));
  for (int32_t i : std::initializer_list<int32_t>{c.CheckBoxChecked, c.CheckBoxUnChecked, c.CheckBoxGrayed, c.RadioButtonChecked,
                    c.RadioButtonUnChecked, c.RadioButtonGrayed, c.SmallCheckBoxChecked,
                    c.SmallCheckBoxUnChecked, c.SmallCheckBoxGrayed})
    EXPECT_TRUE(valid(i)) << "check or radio glyph " << i;
  // Scroll bars of the rich edit, the font list and the size bar.
  for (int32_t i : std::initializer_list<int32_t>{c.MaskArrowTop, c.MaskArrowBottom, c.MaskArrowLeft, c.MaskArrowRight, c.MaskSliderVert,
                    c.MaskSliderHorz, c.MaskScrollBar1H, c.MaskScrollBar1V, c.MaskScrollBar2H,
                    c.MaskScrollBar2V, c.ComboGlyph})
    EXPECT_TRUE(valid(i)) << "scroll bar image " << i;
  for (int32_t i : std::initializer_list<int32_t>{c.IndexScrollTop, c.IndexScrollBottom, c.IndexScrollLeft, c.IndexScrollRight,
                    c.IndexSliderVert, c.IndexSliderHorz, c.IndexScrollBar1H, c.IndexScrollBar1V,
                    c.IndexScrollBar2H, c.IndexScrollBar2V})
    EXPECT_TRUE(s.content.IsValidSkinIndex(i)) << "scroll bar section " << i;

  for (const char* key : {"BICONCLOSE", "BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "BICONCLOSEGLOW0",
                          "BICONMAXGLOW0", "BICONMINGLOW0", "BICONNORMGLOW0", "CHECK", "GRIPIMAGE"})
    EXPECT_NE(s.Image("GLOBALINFO", key), nullptr) << key;
  for (const char* name : {"EDIT", "SPEEDBUTTON", "BUTTON", "FORM", "FORMTITLE", "DIALOG", "MAINMENU",
                           "MENUITEM", "SELECTION", "PANEL", "ALPHAEDIT", "DIVIDERV", "SCROLLSLIDERH",
                           "SCROLLSLIDERV", "SCROLLBAR1H", "SCROLLBAR2H", "SCROLLBAR1V", "SCROLLBAR2V"})
    EXPECT_TRUE(valid(s.Section(name).BorderIndex)) << name;
  // The arrow buttons are only their glyphs over the bar.
  for (const char* name : {"SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLBTNTOP", "SCROLLBTNBOTTOM"})
    EXPECT_EQ(s.Section(name).Props[0].Transparency, 100) << name;
  // A section that glows names its glow image.
  for (const auto& g : s.content.gd)
    if (g.GlowCount > 0) {
      EXPECT_NE(s.Image(g.ClassName, "GLOW0"), nullptr) << g.ClassName;
    }
}

TEST(InternalSkinImages, CaptionButtonsAndTheirGlowsLineUp) {
  const InternalSkin& s = InternalSkin::Get();
  const int margin = s.content.SkinData.BICloseGlowMargin;
  struct Cap {
    const char *key, *glow;
    int width;
  };
  for (const Cap& c : {Cap{"BICONCLOSE", "BICONCLOSEGLOW0", 28}, Cap{"BICONMAX", "BICONMAXGLOW0", 24},
                       Cap{"BICONMIN", "BICONMINGLOW0", 24}, Cap{"BICONNORM", "BICONNORMGLOW0", 24}}) {
    SCOPED_TRACE(c.key);
    const TsMaskData* b = s.Image("GLOBALINFO", c.key);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->ImageCount, 3);
    EXPECT_EQ(glyphora::FrameWidth(*b), c.width);
    EXPECT_EQ(glyphora::FrameHeight(*b), 15);
    // The glow window shows the glow image whole, placed one margin up and
    // left of the button: the image is the button grown by it on every side.
    const TsMaskData* g = s.Image("GLOBALINFO", c.glow);
    ASSERT_NE(g, nullptr);
    ASSERT_NE(g->Bmp, nullptr);
    EXPECT_EQ(g->Bmp->Width(), c.width + 2 * margin);
    EXPECT_EQ(g->Bmp->Height(), 15 + 2 * margin);
  }
  EXPECT_EQ(s.content.SkinData.BIMaxGlowMargin, margin);
  EXPECT_EQ(s.content.SkinData.BIMinGlowMargin, margin);
}

TEST(InternalSkinImages, ExtendedBorderCoversShadowBorderAndCaption) {
  const InternalSkin& s = InternalSkin::Get();
  const glyphora::TsSkinData& d = s.content.SkinData;
  const TsMaskData* e = s.Image("GLOBALINFO", "EXBORDER");
  ASSERT_NE(e, nullptr);
  ASSERT_EQ(e->ImageCount, 2);  // inactive and active
  // The slices hold the shadow and the frame around the client area, so that
  // only plain edges are stretched.
  int shadow = d.ExContentOffs;
  EXPECT_GE(e->WL, shadow + d.ExBorderWidth);
  EXPECT_GE(e->WR, shadow + d.ExBorderWidth);
  EXPECT_GE(e->WB, shadow + d.ExBorderWidth);
  EXPECT_GE(e->WT, shadow + d.ExTitleHeight);
  EXPECT_GT(glyphora::FrameWidth(*e), e->WL + e->WR);
  EXPECT_GT(glyphora::FrameHeight(*e), e->WT + e->WB);
}
