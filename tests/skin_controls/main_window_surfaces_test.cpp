// The main window's panels and labels as they show on screen, against the
// internal skin's values and its own painters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/app_fixture.h"
#include "capture.h"
#include "skin/paint/skin_data_paint_win.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

class MainWindowSurfaces : public MainFormTest {
 protected:
  TBitmap32 Shot() {
    ::RedrawWindow(form->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(50);
    return CaptureClient(form->WindowHandle());
  }
  // Where (x, y) of control c lies in the form's client area.
  POINT At(TControl* c, int x, int y) {
    POINT p = c->ClientToScreen(POINT{x, y});
    ::ScreenToClient(form->WindowHandle(), &p);
    return p;
  }
  uint32_t Px(const TBitmap32& shot, TControl* c, int x, int y) {
    const POINT p = At(c, x, y);
    return shot.Pixel(p.x, p.y);
  }
  // The pixels of control c's rectangle.
  std::vector<uint32_t> Area(const TBitmap32& shot, TControl* c) {
    std::vector<uint32_t> out;
    for (int y = 0; y < c->Height(); ++y)
      for (int x = 0; x < c->Width(); ++x) out.push_back(Px(shot, c, x, y));
    return out;
  }
  const TsGeneralData& Global() {
    TSkinContent& s = form->sSkinManager1->Content();
    return s.gd[size_t(s.ConstData.IndexGLobalInfo)];
  }
};

bool Near(uint32_t a, uint32_t b, int tol) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(int((a >> s) & 255) - int((b >> s) & 255)) > tol) return false;
  return true;
}

// Darkest pixel of a set (by the sum of its channels).
uint32_t Darkest(const std::vector<uint32_t>& px) {
  return *std::min_element(px.begin(), px.end(), [](uint32_t a, uint32_t b) {
    return (a & 255) + ((a >> 8) & 255) + (a >> 16) < (b & 255) + ((b >> 8) & 255) + (b >> 16);
  });
}

}  // namespace

TEST_F(MainWindowSurfaces, PanelsAndLabelsShowTheInternalSkin) {
  TForm1& f = Open();
  const TBitmap32 shot = Shot();
  // Panels: chosen points that no child covers, against the section painted
  // by the section painter at the panel's size.
  struct Probe { TsPanel* panel; POINT points[3]; };
  const Probe probes[] = {
      {f.ToolTop1, {{240, 1}, {240, 12}, {240, 23}}},
      {f.BottomPanel, {{240, 2}, {120, 20}, {240, 50}}},
      {f.sPanel1, {{600, 2}, {470, 17}, {600, 33}}},
      {f.MainPanel, {{0, 0}, {0, 200}, {f.MainPanel->Width() - 1, 100}}},
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE(Narrow(p.panel->Name));
    ASSERT_TRUE(p.panel->SkinData->Skinned());
    TBitmap32 ref(p.panel->Width(), p.panel->Height());
    PaintControlSection(SectionDataOf(*p.panel->SkinData), OwnerBackground(*p.panel->SkinData), false, &ref, {0, 0},
                        {0, 0, ref.Width(), ref.Height()}, 0);
    for (POINT q : p.points)
      EXPECT_EQ(Px(shot, p.panel, q.x, q.y), ref.Pixel(q.x, q.y) & 0xFFFFFF) << q.x << "," << q.y;
  }
  // The gradient strip runs from the section's first colour to its last.
  const TsGradArray& grad = f.sSkinManager1->Content().gd[size_t(f.ToolTop1->SkinData->SkinIndex)].GradientArray.get();
  ASSERT_FALSE(grad.empty());
  EXPECT_TRUE(Near(Px(shot, f.ToolTop1, 120, 1), AsPixel(grad.front().Color1), 3));
  EXPECT_TRUE(Near(Px(shot, f.ToolTop1, 120, 24), AsPixel(grad.back().Color2), 3));
  // Labels: text in the skin's font colour, with its light contour copy.
  for (TsLabel* label : {f.sLabel1, f.sLabel2, f.FontNumber, f.sLabel3}) {
    SCOPED_TRACE(Narrow(label->Name));
    const std::vector<uint32_t> px = Area(shot, label);
    EXPECT_EQ(Darkest(px), AsPixel(Global().FontColor.Color));
    EXPECT_NE(std::count(px.begin(), px.end(), AsPixel(Global().FontColor.Left)), 0) << "contour copy";
  }
}

TEST_F(MainWindowSurfaces, NoKeyColourAnywhere) {
  Open();
  for (bool maximised : {false, true}) {
    if (maximised) form->SetWindowState(TWindowState::wsMaximized);
    const TBitmap32 shot = Shot();
    for (int32_t y = 0; y < shot.Height(); ++y)
      for (int32_t x = 0; x < shot.Width(); ++x)
        ASSERT_NE(shot.Pixel(x, y), 0xFF00FFu) << x << "," << y << (maximised ? " maximised" : "");
  }
}

TEST_F(MainWindowSurfaces, RemovingTheSkinGivesBackThePlainLookAndRestoringTheSkinnedOne) {
  TForm1& f = Open();
  TControl* const stable[] = {f.ToolTop1, f.sLabel1, f.sLabel2, f.FontNumber, f.sLabel3};
  const TBitmap32 skinned = Shot();
  const uint32_t contour = AsPixel(Global().FontColor.Left);
  f.sSkinManager1->SetActive(false);
  const TBitmap32 plain = Shot();
  EXPECT_EQ(Px(plain, f.ToolTop1, 240, 12), AsPixel(f.ToolTop1->Color()));
  for (TsLabel* label : {f.sLabel1, f.sLabel2, f.sLabel3}) {
    const std::vector<uint32_t> px = Area(plain, label);
    EXPECT_EQ(Darkest(px), AsPixel(2171169)) << "the label's own colour";
    EXPECT_EQ(std::count(px.begin(), px.end(), contour), 0) << "no contour copy";
  }
  f.sSkinManager1->SetActive(true);
  const TBitmap32 again = Shot();
  for (TControl* c : stable) EXPECT_EQ(Area(again, c), Area(skinned, c)) << Narrow(c->Name);
}

TEST_F(MainWindowSurfaces, AColourTheProgramGivesALabelWhileSkinnedIsItsOwnOnceTheSkinGoes) {
  TForm1& f = Open();
  TsLabel* label = f.sLabel2;
  const TColor kRed = 0x0000FF;
  const TColor skin = label->Font().Color();
  label->Font().SetColor(kRed);
  Shot();
  EXPECT_EQ(label->Font().Color(), skin) << "the skin's colour while skinned";
  f.sSkinManager1->SetActive(false);
  EXPECT_EQ(label->Font().Color(), kRed);
  f.sSkinManager1->SetActive(true);
  Shot();
  EXPECT_EQ(label->Font().Color(), skin);
  f.sSkinManager1->SetActive(false);
  EXPECT_EQ(label->Font().Color(), kRed);
}
