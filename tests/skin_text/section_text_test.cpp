// Captions in a section's colours on a DC and into a 32-bit bitmap: contour
// copies one pixel off under the main colour, single-colour cases (disabled,
// plain fallbacks, hue, the font-giving parent) and the glow.
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
const TsFontColor kFive{0x00000080, 0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF};
TsFontColor Plain(TColor c) { return TsFontColor{c, clMinusOne, clMinusOne, clMinusOne, clMinusOne}; }

enum class Routine { ByIndex, OfControl, Into32 };
class ContourTest : public TextTest, public ::testing::WithParamInterface<std::tuple<Routine, bool>> {};
}  // namespace

TEST_P(ContourTest, ShadowCopiesLieOnePixelOffUnderTheMainColour) {
  const auto [routine, ownColours] = GetParam();
  TsGeneralData& g = Section("GLOBALINFO");
  if (ownColours) g.Props[0].FontColor = kFive;  // else the skin's: white left, dark grey below
  const TsFontColor fc = g.Props[0].FontColor;
  TsCommonData data(nullptr, 0);
  data.SetSkinSection("GLOBALINFO");
  if (routine == Routine::ByIndex) DrawSectionTextByIndex(dib.DC(), kText, true, nullptr, false, data.SkinIndex, kFlags, kRect);
  if (routine == Routine::OfControl) DrawSectionText(dib.DC(), kText, true, false, data, kFlags, kRect);
  if (routine == Routine::Into32)
    DrawSectionText32(&dib.Pixels(), font.get(), 0, kText, true, manager, false, data.SkinIndex, kFlags, kRect);
  // Later copies cover earlier ones: left, top, right, bottom, then the main colour.
  const std::pair<TColor, TPixelSet> layers[] = {{fc.Color, Covered(kText, kRect, kFlags)},
                                                 {fc.Bottom, Covered(kText, kRect, kFlags, 0, 1)},
                                                 {fc.Right, Covered(kText, kRect, kFlags, 1, 0)},
                                                 {fc.Top, Covered(kText, kRect, kFlags, 0, -1)},
                                                 {fc.Left, Covered(kText, kRect, kFlags, -1, 0)}};
  ASSERT_GT(layers[0].second.size(), 40u);
  for (int i = 0; i < W * H; ++i) {
    const int x = i % W, y = i / W;
    uint32_t want = kBack;
    for (const auto& [colour, pixels] : layers)
      if (colour != clMinusOne && pixels.count({x, y})) {
        want = 0xFF000000u | Rgb(colour);
        break;
      }
    // GDI leaves its own alpha; 32-bit text makes the pixel opaque.
    const uint32_t mask = routine == Routine::Into32 ? 0xFFFFFFFFu : 0x00FFFFFFu;
    ASSERT_EQ(At(x, y) & mask, want & mask) << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(Routines, ContourTest,
                         ::testing::Combine(::testing::Values(Routine::ByIndex, Routine::OfControl, Routine::Into32),
                                            ::testing::Bool()));

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

// Draws the text in one colour, which it returns.
using TOneColourCase = std::function<TColor(TextTest& t, TsGeneralData& panel, TsCommonData& data, HDC dc)>;
class OneColourTest : public TextTest, public ::testing::WithParamInterface<TOneColourCase> {};

// A label on a parent of section GROUPBOX, with PANEL ownTransparency % transparent.
TColor LabelOverParent(TextTest& t, TsGeneralData& panel, HDC dc, TComponent* owner, int ownTransparency,
                       bool parentGives) {
  auto* parent = new TSectionParent(owner);
  parent->SetParent(static_cast<TWinControl*>(owner));
  parent->HandleNeeded();
  parent->index = t.manager->GetSkinIndex("GROUPBOX");
  auto* label = new TControl(owner);
  label->SetParent(parent);
  TsGeneralData& giver = t.manager->Content().gd.at(size_t(parent->index));
  giver.Props[0].FontColor = Plain(0x00008000);
  giver.Transparency = 0;
  giver.GiveOwnFont = parentGives;
  panel.Props[0].Transparency = ownTransparency;
  TsCommonData data(label, 0);
  data.SetSkinSection("PANEL");
  DrawSectionText(dc, kText, true, false, data, kFlags, kRect);
  return ownTransparency > 0 && parentGives ? 0x00008000 : panel.Props[0].FontColor.Color;
}

}  // namespace

TEST_P(OneColourTest, TextInOneColourAndNothingElse) {
  TsGeneralData& panel = Section("PANEL");
  panel.Color = 0x00FF0000;  // told apart from the global colour
  panel.Props[0].FontColor = Plain(0x000000C0);
  TsCommonData data(nullptr, 51);
  data.SetSkinSection("PANEL");
  ::SetTextColor(dib.DC(), RGB(0x12, 0x34, 0x56));
  const TColor want = GetParam()(*this, panel, data, dib.DC());
  const TPixelSet s = Covered(kText, kRect, kFlags);
  ASSERT_FALSE(s.empty());
  for (int i = 0; i < W * H; ++i)
    ASSERT_EQ(At(i % W, i / W) & 0xFFFFFF, s.count({i % W, i / W}) ? Rgb(want) : kBack & 0xFFFFFF) << i % W << "," << i / W;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OneColourTest,
    ::testing::Values(
        [](TextTest& t, TsGeneralData& p, TsCommonData& d, HDC dc) {  // disabled: into the global colour
          DrawSectionText(dc, kText, false, false, d, kFlags, kRect);
          return BlendColors(0x000000C0, t.manager->GetGlobalColor(), 0.4);
        },
        [](TextTest& t, TsGeneralData& p, TsCommonData& d, HDC dc) {  // disabled by index: into the section's
          DrawSectionTextByIndex(dc, kText, false, t.manager, false, d.SkinIndex, kFlags, kRect);
          return BlendColors(0x000000C0, p.Color, 0.4);
        },
        [](TextTest&, TsGeneralData&, TsCommonData& d, HDC dc) {  // no such section: the DC's colour
          d.SetSkinSection("NO SUCH SECTION");
          DrawSectionText(dc, kText, true, false, d, kFlags, kRect);
          return TColor{0x00563412};
        },
        [](TextTest&, TsGeneralData&, TsCommonData& d, HDC dc) {  // its own font colour
          d.CustomFont = true;
          DrawSectionText(dc, kText, true, false, d, kFlags, kRect);
          EXPECT_EQ(::GetTextColor(dc), RGB(0x12, 0x34, 0x56)) << "the DC restored";
          return TColor{0x00563412};
        },
        [](TextTest&, TsGeneralData&, TsCommonData& d, HDC dc) {  // the control's hue and saturation
          d.HUEOffset = 120;
          d.Saturation = -40;
          DrawSectionText(dc, kText, true, false, d, kFlags, kRect);
          return TColor(AdjustSaturation(-40, ShiftHueColor(120, 0x000000C0)));
        },
        [](TextTest& t, TsGeneralData& p, TsCommonData&, HDC dc) { return LabelOverParent(t, p, dc, t.form.get(), 40, true); },
        [](TextTest& t, TsGeneralData& p, TsCommonData&, HDC dc) { return LabelOverParent(t, p, dc, t.form.get(), 40, false); },
        [](TextTest& t, TsGeneralData& p, TsCommonData&, HDC dc) { return LabelOverParent(t, p, dc, t.form.get(), 0, true); }));

TEST_F(TextTest, GlowGoesIntoTheDcBitmapAroundTheTextAndNoFurther) {
  TsGeneralData& g = Section("PANEL");
  g.Props[0].GlowSize = 3;
  g.Props[0].GlowColor = 0x0000FF00;
  g.Props[0].FontColor = Plain(0x00000080);
  dib.Pixels().Fill(0x00808080);  // alpha 0: the glow raises it
  TsCommonData data(nullptr, 51);
  data.SetSkinSection("PANEL");
  const TRect32 r{30, 12, 60, 32};
  DrawSectionText(dib.DC(), kText, true, false, data, kFlags, r);
  const TPixelSet s = Covered(kText, r, kFlags);
  int glowing = 0;
  for (int i = 0; i < W * H; ++i) {
    const int x = i % W, y = i / W;
    const uint32_t p = At(x, y);
    if (x < r.Left - 7 || x >= r.Right + 7 || y < r.Top - 7 || y >= r.Bottom + 7) {
      ASSERT_EQ(p, 0x00808080u);
    }
    if (!s.count({x, y}) && (p >> 24) > 0) glowing += ((p >> 8) & 0xFF) > 0x80 ? 1 : -1000;  // green only
  }
  EXPECT_GT(glowing, 20);
}
