// Captions in a section's colours on a device context and into a 32-bit
// bitmap: the contour copies one pixel off under the main colour, disabled
// colours, fallbacks, the control's hue, the parent's font section and the
// glow.
#include <gtest/gtest.h>

#include <functional>

#include "base/color_ops.h"
#include "framework/control.h"
#include "skin/core/sCommonData.h"
#include "skin/core/skin_commands.h"
#include "skin/paint/section_text_win.h"
#include "skin/paint/text32_win.h"
#include "text_fixture.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

const std::wstring kText = L"Hi";
const TRect32 kRect{10, 6, 80, 38};
constexpr UINT kFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

enum class Routine { ByIndex, OfControl, Into32 };

struct ContourCase {
  Routine routine;
  bool ownColours;  // the section's colours replaced by five distinct ones
};

class ContourTest : public TextTest, public ::testing::WithParamInterface<ContourCase> {};

}  // namespace

TEST_P(ContourTest, ShadowCopiesLieOnePixelOffUnderTheMainColour) {
  const ContourCase c = GetParam();
  TsGeneralData& g = Section("GLOBALINFO");
  if (c.ownColours) g.Props[0].FontColor = TsFontColor{0x00000080, 0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF};
  const TsFontColor fc = g.Props[0].FontColor;
  ASSERT_NE(fc.Left, clMinusOne);
  TsCommonData data(nullptr, 0);
  data.SetSkinSection("GLOBALINFO");
  switch (c.routine) {
    case Routine::ByIndex:
      DrawSectionTextByIndex(dib.DC(), kText, true, nullptr, false, manager->GetSkinIndex("GLOBALINFO"), kFlags, kRect);
      break;
    case Routine::OfControl:
      DrawSectionText(dib.DC(), kText, true, false, data, kFlags, kRect);
      break;
    case Routine::Into32:
      DrawSectionText32(&dib.Pixels(), font.get(), 0, kText, true, manager, false, manager->GetSkinIndex("GLOBALINFO"),
                        kFlags, kRect);
      break;
  }
  const TPixelSet s = Covered(kText, kRect, kFlags);
  ASSERT_GT(s.size(), 40u);
  // Later copies cover earlier ones: left, top, right, bottom, then the main colour.
  const std::pair<TColor, TPixelSet> layers[] = {
      {fc.Color, s},
      {fc.Bottom, Shifted(s, 0, 1)},
      {fc.Right, Shifted(s, 1, 0)},
      {fc.Top, Shifted(s, 0, -1)},
      {fc.Left, Shifted(s, -1, 0)}};
  int wrong = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      uint32_t want = kBack & 0xFFFFFF;
      for (const auto& [colour, pixels] : layers)
        if (colour != clMinusOne && pixels.count({x, y})) {
          want = Rgb(colour);
          break;
        }
      const uint32_t got = At(x, y);
      if ((got & 0xFFFFFF) != want && ++wrong < 5) ADD_FAILURE() << x << "," << y << ": " << std::hex << got << " not " << want;
      if (c.routine == Routine::Into32 && want != (kBack & 0xFFFFFF)) {
        EXPECT_EQ(got >> 24, 0xFFu);
      }
    }
  EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Routines, ContourTest,
                         ::testing::Values(ContourCase{Routine::ByIndex, false}, ContourCase{Routine::OfControl, false},
                                           ContourCase{Routine::Into32, false}, ContourCase{Routine::ByIndex, true},
                                           ContourCase{Routine::OfControl, true}, ContourCase{Routine::Into32, true}));

// Every covered pixel in one colour and nothing else touched.
#define EXPECT_TEXT_IN(colour)                                                                        \
  do {                                                                                                \
    const TPixelSet s_ = Covered(kText, kRect, kFlags);                                               \
    ASSERT_FALSE(s_.empty());                                                                         \
    for (int y = 0; y < H; ++y)                                                                       \
      for (int x = 0; x < W; ++x)                                                                     \
        ASSERT_EQ(At(x, y) & 0xFFFFFF, s_.count({x, y}) ? Rgb(colour) : (kBack & 0xFFFFFF)) << x << "," << y; \
  } while (0)

TEST_F(TextTest, DisabledControlBlendsIntoGlobalColourAndSectionByIndexIntoItsOwn) {
  TsGeneralData& panel = Section("PANEL");
  panel.Color = 0x00FF0000;  // told apart from the global colour
  ASSERT_NE(manager->GetGlobalColor(), panel.Color);
  TsCommonData data(nullptr, 51);
  data.SetSkinSection("PANEL");
  DrawSectionText(dib.DC(), kText, false, false, data, kFlags, kRect);
  EXPECT_TEXT_IN(BlendColors(panel.Props[0].FontColor.Color, manager->GetGlobalColor(), 0.4));
  dib.Pixels().Fill(kBack);
  DrawSectionTextByIndex(dib.DC(), kText, false, manager, false, manager->GetSkinIndex("PANEL"), kFlags, kRect);
  EXPECT_TEXT_IN(BlendColors(panel.Props[0].FontColor.Color, panel.Color, 0.4));
}

TEST_F(TextTest, UnskinnedOrOwnFontUseTheDcColourInvalidIndexDrawsNothing) {
  ::SetTextColor(dib.DC(), RGB(0x12, 0x34, 0x56));
  TsCommonData plain(nullptr, 51);
  plain.SetSkinSection("NO SUCH SECTION");
  DrawSectionText(dib.DC(), kText, true, false, plain, kFlags, kRect);
  EXPECT_TEXT_IN(0x00563412);
  dib.Pixels().Fill(kBack);
  TsCommonData own(nullptr, 51);
  own.SetSkinSection("GLOBALINFO");
  own.CustomFont = true;
  DrawSectionText(dib.DC(), kText, true, false, own, kFlags, kRect);
  EXPECT_TEXT_IN(0x00563412);
  EXPECT_EQ(::GetTextColor(dib.DC()), RGB(0x12, 0x34, 0x56)) << "restored";
  dib.Pixels().Fill(kBack);
  DrawSectionTextByIndex(dib.DC(), kText, true, manager, false, 9999, kFlags, kRect);
  DrawSectionText(dib.DC(), L"", true, false, own, kFlags, kRect);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) ASSERT_EQ(At(x, y), kBack);
}

TEST_F(TextTest, ControlHueAndSaturationShiftTheColours) {
  TsGeneralData& g = Section("PANEL");
  g.Props[0].FontColor = TsFontColor{0x000000C0, clMinusOne, clMinusOne, clMinusOne, clMinusOne};
  TsCommonData data(nullptr, 51);
  data.SetSkinSection("PANEL");
  data.HUEOffset = 120;
  data.Saturation = -40;
  DrawSectionText(dib.DC(), kText, true, false, data, kFlags, kRect);
  EXPECT_TEXT_IN(AdjustSaturation(-40, ShiftHueColor(120, 0x000000C0)));
}

namespace {

// A windowed parent that reports a chosen section.
class TSectionParent : public TWinControl {
 public:
  using TWinControl::TWinControl;
  int32_t index = -1;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_GETSKININDEX) {
      reinterpret_cast<TacSectionInfo*>(m.LParam)->SkinIndex = index;
      m.Result = 1;
      return;
    }
    TWinControl::WndProc(m);
  }
};

}  // namespace

TEST_F(TextTest, GraphicControlOverTransparentSectionTakesItsFontGivingParentsColours) {
  auto* parent = new TSectionParent(form.get());
  parent->SetParent(form.get());
  parent->HandleNeeded();
  parent->index = manager->GetSkinIndex("GROUPBOX");
  auto* label = new TControl(form.get());
  label->SetParent(parent);
  label->SetParentFont(true);
  TsGeneralData& own = Section("PANEL");
  TsGeneralData& giver = Section("GROUPBOX");
  own.Props[0].FontColor = TsFontColor{0x00000080, clMinusOne, clMinusOne, clMinusOne, clMinusOne};
  giver.Props[0].FontColor = TsFontColor{0x00008000, clMinusOne, clMinusOne, clMinusOne, clMinusOne};
  giver.Transparency = 0;
  TsCommonData data(label, 0);
  data.SetSkinSection("PANEL");
  struct { int ownTransparency; bool gives; TColor want; } cases[] = {
      {40, true, 0x00008000}, {40, false, 0x00000080}, {0, true, 0x00000080}};
  for (const auto& c : cases) {
    own.Props[0].Transparency = c.ownTransparency;
    giver.GiveOwnFont = c.gives;
    dib.Pixels().Fill(kBack);
    DrawSectionText(dib.DC(), kText, true, false, data, kFlags, kRect);
    EXPECT_TEXT_IN(c.want);
  }
}

TEST_F(TextTest, GlowGoesIntoTheDcBitmapAroundTheText) {
  TsGeneralData& g = Section("PANEL");
  g.Props[0].GlowSize = 3;
  g.Props[0].GlowColor = 0x0000FF00;
  g.Props[0].FontColor = TsFontColor{0x00000080, clMinusOne, clMinusOne, clMinusOne, clMinusOne};
  dib.Pixels().Fill(0x00808080);  // alpha 0: the glow raises it
  TsCommonData data(nullptr, 51);
  data.SetSkinSection("PANEL");
  const TRect32 r{30, 12, 60, 32};
  DrawSectionText(dib.DC(), kText, true, false, data, kFlags, r);
  const TPixelSet s = Covered(kText, r, kFlags);
  int glowing = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const uint32_t p = At(x, y);
      const bool inside = x >= r.Left - 7 && x < r.Right + 7 && y >= r.Top - 7 && y < r.Bottom + 7;
      if (!inside) {
        ASSERT_EQ(p, 0x00808080u) << "beyond the glow's reach " << x << "," << y;
      }
      if (!s.count({x, y}) && (p >> 24) > 0) {
        ++glowing;
        EXPECT_GE((p >> 8) & 0xFF, 0x80u) << "towards green";
      }
    }
  EXPECT_GT(glowing, 20);
}
