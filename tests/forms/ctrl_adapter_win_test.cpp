// The child control adapter of a skinned form: framework controls adapted by
// their exact class name from the manager's lists, labels coloured, speed
// buttons handled, refusals kept, and everything given back when the skin
// goes.
#include <windows.h>

#include "app/app_fixture.h"
#include "framework/buttons.h"
#include "framework/extctrls.h"
#include "framework/grids.h"
#include "framework/stdctrls.h"
#include "skin/forms/ctrl_adapter_win.h"
#include "skin/paint/button_adapter_win.h"
#include "skin/paint/group_box_adapter_win.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

// A descendant of a listed class is not the listed class.
class TMyButton : public TButton {
 public:
  using TButton::TButton;
};

template <class T>
T* Put(TWinControl* form, int top, const wchar_t* name) {
  T* c = new T(form);
  c->Name = name;
  c->SetBounds(10, top, 120, 30);
  c->SetParent(form);
  return c;
}

TEST_F(MainFormTest, ControlsAdaptedByExactClassNameAndGivenBackWithTheSkin) {
  Open();
  TsSkinManager& mgr = *form->sSkinManager1;
  mgr.ThirdLists[ThirdGroupBoxes] = {L"TGroupBox"};
  mgr.ThirdLists[ThirdSpeedButton] = {L"TSpeedButton"};
  TForm child(nullptr);
  child.SetClientSize(300, 330);
  auto* provider = new TsSkinProvider(&child);
  auto* button = Put<TButton>(&child, 0, L"Listed");
  auto* refused = Put<TButton>(&child, 40, L"Refused");
  auto* derived = Put<TMyButton>(&child, 80, L"Derived");
  auto* group = Put<TGroupBox>(&child, 120, L"Group");
  auto* grid = Put<TStringGrid>(&child, 160, L"Grid");  // the lists name TDrawGrid only
  auto* speed = Put<TSpeedButton>(&child, 200, L"Speed");
  auto* label = Put<TLabel>(&child, 240, L"Label");
  label->Font().SetColor(TColor(0x0000FF));
  child.Show();
  TacCtrlAdapter* adapter = nullptr;
  auto adapt = [&] {
    provider->AdaptControls();
    adapter = provider->Adapter();
    ASSERT_NE(adapter, nullptr);
    // Refusals count from the next scan on: the first one is made afresh.
    adapter->OnSkinItem = [](TControl* c, bool& can, std::string&) { can = c->Name != L"Refused"; };
    adapter->RemoveAllItems();
    provider->AdaptControls();
    Pump(20);
  };
  adapt();

  EXPECT_NE(dynamic_cast<TacBtnWnd*>(TacMainWnd::Of(button->WindowHandle())), nullptr);
  EXPECT_NE(dynamic_cast<TacGroupBoxWnd*>(TacMainWnd::Of(group->WindowHandle())), nullptr);
  for (TWinControl* kept : {static_cast<TWinControl*>(refused), static_cast<TWinControl*>(derived),
                            static_cast<TWinControl*>(grid)})
    EXPECT_EQ(TacMainWnd::Of(kept->WindowHandle()), nullptr) << std::string(kept->Name.begin(), kept->Name.end());
  EXPECT_EQ(adapter->Count(), 2u);
  EXPECT_EQ(adapter->GraphCount(), 1u);
  EXPECT_TRUE(speed->WindowProcReplaced());
  EXPECT_TRUE(label->Transparent);
  EXPECT_EQ(label->Font().Color(), mgr.GetGlobalFontColor());
  // A second scan adds nothing twice.
  provider->AdaptControls();
  EXPECT_EQ(adapter->Count(), 2u);
  EXPECT_EQ(adapter->LabelCount(), 1u);

  // A listed control whose window is made anew gets a new adapter.
  button->RecreateWnd();
  Pump(20);
  provider->AdaptControls();
  EXPECT_NE(TacMainWnd::Of(button->WindowHandle()), nullptr);
  EXPECT_EQ(adapter->Count(), 2u);

  // A control destroyed while adapted leaves no item behind.
  delete group;
  EXPECT_EQ(adapter->Count(), 1u);

  mgr.SetActive(false);
  Pump(20);
  EXPECT_EQ(TacMainWnd::Of(button->WindowHandle()), nullptr);
  EXPECT_EQ(adapter->Count() + adapter->GraphCount() + adapter->LabelCount(), 0u);
  EXPECT_FALSE(speed->WindowProcReplaced());
  EXPECT_EQ(label->Font().Color(), TColor(0x0000FF)) << "the label's own colour, not clWindowText";
  EXPECT_FALSE(label->Transparent);

  mgr.SetActive(true);
  Pump(20);
  EXPECT_NE(TacMainWnd::Of(button->WindowHandle()), nullptr) << "adapted again with the new skin";
  EXPECT_EQ(TacMainWnd::Of(refused->WindowHandle()), nullptr);
}

}  // namespace
