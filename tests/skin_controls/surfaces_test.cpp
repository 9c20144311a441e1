// Skin data, panels, labels and the splitter on a small form with the
// internal skin.
#include <gtest/gtest.h>

#include <functional>

#include "framework/handles.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sSplitter.h"
#include "skin/core/sSkinManager.h"
#include "skin_manager/manager_fixture.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

// A label that counts its paints.
class CountingLabel : public TsLabel {
 public:
  using TsLabel::TsLabel;
  void Paint(TCanvas& canvas) override {
    ++paints;
    TsLabel::Paint(canvas);
  }
  int paints = 0;
};

class SurfacesTest : public ManagerTest {
 protected:
  // form > outer (section `outerSection`, 200 x 100) > inner (`innerSection` at 10, 20, 80 x 40).
  void Build(const char* outerSection, const char* innerSection, TAlign innerAlign = TAlign::alNone) {
    manager = MakeManager();
    outer = new TsPanel(form.get());
    outer->SetParent(form.get());
    outer->SetBounds(0, 0, 200, 100);
    outer->SkinData->SetSkinSection(outerSection);
    inner = new TsPanel(form.get());
    inner->SetParent(outer);
    inner->SetBounds(10, 20, 80, 40);
    inner->SetAlign(innerAlign);
    inner->SkinData->SetSkinSection(innerSection);
    form->LoadedAll();
    form->SetBounds(0, 0, 260, 160);
    form->Show();
    ::UpdateWindow(form->WindowHandle());
    Pump(50);
  }
  // form > outer ("ALPHAEDIT", 200 x 60) > a counting label at 8, 8.
  CountingLabel* BuildLabelOnStrip() {
    manager = MakeManager();
    outer = new TsPanel(form.get());
    outer->SetParent(form.get());
    outer->SetBounds(0, 0, 200, 60);
    outer->SkinData->SetSkinSection("ALPHAEDIT");
    auto* label = new CountingLabel(form.get());
    label->SetParent(outer);
    label->SetBounds(8, 8, 80, 16);
    label->SetCaption(L"Label");
    form->LoadedAll();
    form->SetBounds(0, 0, 260, 120);
    form->Show();
    Pump(50);
    return label;
  }
  TsSkinManager* manager = nullptr;
  TsPanel* outer = nullptr;
  TsPanel* inner = nullptr;
};

}  // namespace

TEST_F(SurfacesTest, BackgroundAnswerToAChild) {
  enum class Src { Fill, OwnCache, ParentCache };
  struct Case {
    const char* name;
    const char* outer;
    const char* inner;
    bool customColor, freshCache;
    Src expect;
  };
  const Case cases[] = {
      {"not skinned", "ALPHAEDIT", "NOSUCHSECTION", false, true, Src::Fill},
      {"own colour", "ALPHAEDIT", "PANEL", true, true, Src::Fill},
      {"see-through, stale cache: the parent's image", "ALPHAEDIT", "SPLITTER", false, false, Src::ParentCache},
      {"see-through, fresh cache: its own image", "ALPHAEDIT", "SPLITTER", false, true, Src::OwnCache},
      {"opaque plain colour", "ALPHAEDIT", "PANEL", false, true, Src::Fill},
      {"opaque gradient: its own image", "PANEL", "ALPHAEDIT", false, true, Src::OwnCache},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Build(c.outer, c.inner);
    inner->SetColor(0x123456);
    inner->SkinData->CustomColor = c.customColor;
    if (c.freshCache) inner->PrepareCache();
    inner->SkinData->BGChanged = !c.freshCache;
    TacParentBG info;
    inner->SkinData->FillParentBG(info, 0);
    switch (c.expect) {
      case Src::Fill: {
        ASSERT_EQ(info.Kind, bgkFill);
        const TColor own = inner->SkinData->Skinned() && !c.customColor
                               ? manager->Content().gd[size_t(inner->SkinData->SkinIndex)].Color
                               : TColor(0x123456);
        EXPECT_EQ(ColorToRGB(info.Color), own);
        break;
      }
      case Src::OwnCache:
        ASSERT_EQ(info.Kind, bgkCache);
        EXPECT_EQ(info.Bmp, inner->SkinData->CachePixels());
        EXPECT_EQ(info.Offset, (TPoint32{0, 0}));
        break;
      case Src::ParentCache:
        ASSERT_EQ(info.Kind, bgkCache);
        EXPECT_EQ(info.Bmp, outer->SkinData->CachePixels());
        EXPECT_EQ(info.Offset, (TPoint32{10, 20})) << "the child's place in its parent";
        break;
    }
    form.reset();
  }
}

TEST_F(SurfacesTest, EmptyClipBoxStillEndsTheRepaintAndWakesWaitingChildren) {
  Build("ALPHAEDIT", "ALPHAEDIT");
  outer->SkinData->BGChanged = true;
  inner->SkinData->FUpdating = true;  // waiting for its parent
  UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
  UniqueRegion none(::CreateRectRgn(0, 0, 0, 0));
  ::SelectClipRgn(dc.get(), none.get());
  outer->OurPaint(dc.get(), true);
  EXPECT_FALSE(outer->SkinData->BGChanged);
  EXPECT_FALSE(inner->SkinData->FUpdating) << "told that its parent is up to date";
}

// A panel its child covers whole is never painted with a clip of its own:
// its cache, painted once, serves every background request of the child.
TEST_F(SurfacesTest, APanelCoveredByItsChildPaintsItsCacheOnce) {
  Build("ALPHAEDIT", "ALPHAEDIT", TAlign::alClient);
  // As the panel is from its creation until it is painted with a clip.
  outer->SkinData->HalfVisible = true;
  const int before = outer->CachePaints();
  for (int i = 0; i < 3; ++i) {
    inner->SkinData->BGChanged = true;
    ::RedrawWindow(inner->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  EXPECT_GT(inner->CachePaints(), 2);
  EXPECT_LE(outer->CachePaints(), before + 1);
}

TEST_F(SurfacesTest, LabelSettingItsSkinColourDoesNotPaintItAgain) {
  CountingLabel* label = BuildLabelOnStrip();
  label->Font().SetColor(0x0000FF);  // not the skin's colour
  label->paints = 0;
  Pump(50);
  EXPECT_EQ(label->paints, 1);
  EXPECT_EQ(label->Font().Color(), manager->GetGlobalFontColor());
}

TEST_F(SurfacesTest, RegionIsFreedUnlessAWindowOwnsIt) {
  manager = MakeManager();
  form->LoadedAll();
  const long before = UniqueRegion::LiveCount();
  {
    TsCommonData data(nullptr, COC_TsPanel);
    data.SetRegion(::CreateRectRgn(0, 0, 10, 10));
    EXPECT_EQ(UniqueRegion::LiveCount(), before + 1);
  }
  EXPECT_EQ(UniqueRegion::LiveCount(), before) << "freed with the skin data";
  auto* panel = new TsPanel(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(0, 0, 40, 40);
  {
    TsCommonData data(nullptr, COC_TsPanel);
    data.SetRegion(::CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(data.GiveRegionToWindow(panel->Handle(), false));
    EXPECT_EQ(data.Region(), nullptr);
  }
  RECT box;
  UniqueRegion probe(::CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(::GetWindowRgn(panel->Handle(), probe.get()), SIMPLEREGION) << "the window kept it";
  ::GetRgnBox(probe.get(), &box);
  EXPECT_EQ(box.right, 10);
}

TEST_F(SurfacesTest, SplitterStateWhileDragging) {
  // Under the mouse an enabled splitter is hot (state 1); pressed (2) only
  // while sizing live.
  struct Case { TResizeStyle style; bool enabled; int pressedState; bool sizes; };
  const Case cases[] = {{TResizeStyle::rsUpdate, true, 2, true},
                        {TResizeStyle::rsPattern, true, 1, true},
                        {TResizeStyle::rsUpdate, false, 0, false}};
  for (const Case& c : cases) {
    manager = MakeManager();
    auto* side = new TsPanel(form.get());
    side->SetParent(form.get());
    side->SetAlign(TAlign::alLeft);
    side->SetBounds(0, 0, 100, 100);
    auto* splitter = new TsSplitter(form.get());
    splitter->SetParent(form.get());
    splitter->SetBounds(100, 0, 6, 100);
    splitter->SetAlign(TAlign::alLeft);
    splitter->ResizeStyle = c.style;
    splitter->SetEnabled(c.enabled);
    form->LoadedAll();
    form->SetBounds(0, 0, 300, 150);
    form->Show();
    Pump(30);
    ASSERT_GE(splitter->SkinData->SkinIndex, 0);
    const int x = splitter->Left() + 3, y = 20;
    HWND wnd = form->WindowHandle();
    ::SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    EXPECT_EQ(splitter->Sizing(), c.enabled);
    EXPECT_EQ(splitter->PaintState(), c.pressedState);
    ::SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 30, y));
    EXPECT_EQ(side->Width(), c.sizes ? 130 : 100);
    ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x + 30, y));
    EXPECT_FALSE(splitter->Sizing());
    EXPECT_NE(splitter->PaintState(), 2) << "no longer pressed";
    form.reset();
  }
}

TEST_F(SurfacesTest, SkinChangesRepaintPanelsAndLabels) {
  CountingLabel* label = BuildLabelOnStrip();
  const std::function<void()> changes[] = {[&] { manager->SetHueOffset(40); },
                                           [&] { manager->SetSaturation(-30); },
                                           [&] { manager->SetSkinName(L"NorvaneWhite (internal)"); }};
  for (const auto& change : changes) {
    label->paints = 0;
    outer->SkinData->BGChanged = false;
    TBitmap32* before = outer->SkinData->CachePixels();
    before->Fill(0xFF00FF);  // what a repaint must overwrite
    change();
    Pump(50);
    EXPECT_GE(label->paints, 1);
    EXPECT_FALSE(outer->SkinData->BGChanged);
    EXPECT_NE(outer->SkinData->CachePixels()->Pixel(100, 30) & 0xFFFFFF, 0xFF00FFu) << "cache painted again";
  }
}
