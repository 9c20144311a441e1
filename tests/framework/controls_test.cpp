#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/buttons.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/richedit.h"
#include "framework/stdctrls.h"
#include "gui_test_support.h"

using namespace glyphora;
using glyphora::test::Pump;

namespace {
// Records the framework notifications a control receives.
class RecordingPanel : public TPanel {
 public:
  using TPanel::TPanel;
  std::vector<UINT> seen;
  void WndProc(TMessage& m) override {
    if (m.Msg >= CM_BASE && m.Msg < CN_BASE) seen.push_back(m.Msg);
    TPanel::WndProc(m);
  }
  int Count(UINT msg) const { return static_cast<int>(std::count(seen.begin(), seen.end(), msg)); }
};

class FormFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Application()->Initialize();
    form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(400, 300);
    form->HandleNeeded();
  }
  std::unique_ptr<TForm> form;
};
}  // namespace

TEST_F(FormFixture, AlignmentPlacesEdgesInPositionOrderThenClient) {
  auto* left2 = new TPanel(form.get());
  left2->SetBounds(50, 0, 30, 10);
  left2->SetAlign(TAlign::alLeft);
  left2->SetParent(form.get());
  auto* left1 = new TPanel(form.get());
  left1->SetBounds(0, 0, 20, 10);
  left1->SetAlign(TAlign::alLeft);
  left1->SetParent(form.get());
  auto* bottomLow = new TPanel(form.get());
  bottomLow->SetBounds(0, 250, 10, 40);
  bottomLow->SetAlign(TAlign::alBottom);
  bottomLow->SetParent(form.get());
  auto* bottomHigh = new TPanel(form.get());
  bottomHigh->SetBounds(0, 200, 10, 25);
  bottomHigh->SetAlign(TAlign::alBottom);
  bottomHigh->SetParent(form.get());
  auto* client = new TPanel(form.get());
  client->SetAlign(TAlign::alClient);
  client->SetParent(form.get());

  RECT cr = form->ClientRect();
  ASSERT_EQ(cr.right, 400);
  ASSERT_EQ(cr.bottom, 300);
  // Bottom edges first (lowest at the very bottom), then left edges by x.
  EXPECT_EQ(bottomLow->Top(), 260);
  EXPECT_EQ(bottomLow->Width(), 400);
  EXPECT_EQ(bottomHigh->Top(), 235);
  EXPECT_EQ(left1->Left(), 0);
  EXPECT_EQ(left1->Height(), 235);
  EXPECT_EQ(left2->Left(), 20);
  EXPECT_EQ(client->Left(), 50);
  EXPECT_EQ(client->Width(), 350);
  EXPECT_EQ(client->Height(), 235);

  // The window itself follows: check the platform's idea of the child.
  RECT wr;
  ::GetWindowRect(client->WindowHandle(), &wr);
  EXPECT_EQ(wr.right - wr.left, 350);

  // Resizing the form re-lays out everything, honouring constraints.
  left1->Constraints.MinWidth = 20;
  form->SetClientSize(600, 400);
  EXPECT_EQ(client->Width(), 550);
  EXPECT_EQ(bottomLow->Top(), 360);
}

TEST_F(FormFixture, PanelBevelInsetsAlignedChildren) {
  auto* outer = new TPanel(form.get());
  outer->SetBounds(0, 0, 200, 100);
  outer->SetParent(form.get());
  auto* inner = new TPanel(form.get());
  inner->SetAlign(TAlign::alClient);
  inner->SetParent(outer);
  EXPECT_EQ(inner->Left(), 1);
  EXPECT_EQ(inner->Width(), 198);
  outer->BevelOuter = TBevelCut::bvNone;
  outer->Realign();
  EXPECT_EQ(inner->Left(), 0);
  EXPECT_EQ(inner->Width(), 200);
}

TEST_F(FormFixture, FontsFlowToChildrenUntilAChildSetsItsOwn) {
  auto* panel = new RecordingPanel(form.get());
  panel->SetParent(form.get());
  auto* label = new TLabel(form.get());
  label->SetParent(panel);
  form->Font().SetName(L"Courier New");
  EXPECT_EQ(panel->Font().Name(), L"Courier New");
  EXPECT_EQ(label->Font().Name(), L"Courier New");
  EXPECT_TRUE(label->ParentFont());
  EXPECT_GE(panel->Count(CM_FONTCHANGED), 1);

  label->Font().SetHeight(-20);
  EXPECT_FALSE(label->ParentFont()) << "a font of its own ends inheriting";
  form->Font().SetName(L"Tahoma");
  EXPECT_EQ(label->Font().Name(), L"Courier New");
  EXPECT_EQ(panel->Font().Name(), L"Tahoma");
}

TEST_F(FormFixture, NotificationsForEnabledVisibleColourAndText) {
  auto* panel = new RecordingPanel(form.get());
  panel->SetParent(form.get());
  panel->SetEnabled(false);
  EXPECT_FALSE(::IsWindowEnabled(panel->WindowHandle()));
  panel->SetEnabled(false);  // no change, no notification
  panel->SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(panel->WindowHandle()));
  panel->SetColor(clWhite);
  panel->SetCaption(L"x");
  EXPECT_EQ(panel->Count(CM_ENABLEDCHANGED), 1);
  EXPECT_EQ(panel->Count(CM_VISIBLECHANGED), 1);
  EXPECT_EQ(panel->Count(CM_SHOWINGCHANGED), 1);
  EXPECT_EQ(panel->Count(CM_COLORCHANGED), 1);
  EXPECT_EQ(panel->Count(CM_TEXTCHANGED), 1);
}

TEST_F(FormFixture, GraphicControlsGetMouseEnterLeaveAndClicksThroughTheirParent) {
  auto* panel = new RecordingPanel(form.get());
  panel->SetBounds(0, 0, 300, 200);
  panel->SetParent(form.get());
  auto* button = new TSpeedButton(form.get());
  button->SetBounds(10, 10, 50, 22);
  button->SetParent(panel);
  int clicks = 0;
  button->OnClick = [&](TComponent*) { ++clicks; };
  HWND h = panel->WindowHandle();

  ::SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  EXPECT_TRUE(button->MouseInControl());
  ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  EXPECT_EQ(button->State(), TButtonState::bsDown);
  ::SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(21, 21));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->State(), TButtonState::bsUp);

  // Released outside: no click.
  ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 150));
  EXPECT_EQ(button->State(), TButtonState::bsUp);
  ::SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
  EXPECT_EQ(clicks, 1);

  ::SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(250, 150));
  EXPECT_FALSE(button->MouseInControl());
  // A disabled button neither hovers nor clicks.
  button->SetEnabled(false);
  EXPECT_EQ(button->State(), TButtonState::bsDisabled);
  ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  ::SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->MouseInControl());
}

TEST_F(FormFixture, LabelsSizeToTheirCaptionUpToNul) {
  auto* label = new TLabel(form.get());
  label->SetParent(form.get());
  label->SetCaption(L"Font Size :");
  int w = label->Width();
  EXPECT_GT(w, 30);
  EXPECT_GT(label->Height(), 8);
  label->SetCaption(std::wstring(L"Font Size :\0hidden", 18));
  EXPECT_EQ(label->Width(), w);
  label->SetCaption(std::wstring(1, L'\0'));
  EXPECT_EQ(label->Width(), 0);
}

TEST_F(FormFixture, ListBoxSortsAndKeepsObjects) {
  auto* list = new TListBox(form.get());
  list->SetSorted(true);
  list->SetParent(form.get());
  int a = 1, b = 2, c = 3;
  list->Items().AddObject(L"delta", &a);
  list->Items().AddObject(L"Alpha", &b);
  list->Items().AddObject(L"charlie", &c);
  ASSERT_EQ(list->Items().Count(), 3);
  EXPECT_EQ(list->Items().Get(0), L"Alpha");
  EXPECT_EQ(list->Items().Objects(0), &b);
  EXPECT_EQ(list->Items().Get(2), L"delta");
  EXPECT_EQ(list->Items().Objects(2), &a);
  EXPECT_EQ(list->ItemIndex(), -1);
  list->SetItemIndex(1);
  EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(FormFixture, ListBoxKeepsItemsObjectsAndSelectionWhenItsWindowIsRecreated) {
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  auto* list = new TListBox(form.get());
  list->SetParent(panel);
  int a = 1, b = 2, c = 3;
  list->Items().AddObject(L"delta", &a);
  list->Items().AddObject(L"Alpha", &b);
  list->Items().AddObject(L"charlie", &c);
  list->SetItemIndex(2);
  auto expect = [&](const char* when) {
    SCOPED_TRACE(when);
    ASSERT_EQ(list->Items().ToVector(), (std::vector<std::wstring>{L"Alpha", L"charlie", L"delta"}));
    EXPECT_EQ(list->Items().Objects(0), &b);
    EXPECT_EQ(list->Items().Objects(1), &c);
    EXPECT_EQ(list->Items().Objects(2), &a);
    EXPECT_EQ(list->ItemIndex(), 1) << "the selection stays on its item";
  };
  HWND before = list->Handle();
  list->SetSorted(true);
  EXPECT_NE(list->Handle(), before) << "sorting needs a new window";
  expect("re-created sorted");
  panel->RecreateWnd();
  expect("re-created with its parent");
}

TEST_F(FormFixture, ScrollBarClampsAndReportsChanges) {
  auto* bar = new TScrollBar(form.get());
  bar->SetParent(form.get());
  int changes = 0;
  bar->OnChange = [&](TComponent*) { ++changes; };
  bar->SetParams(12, 2, 72);
  EXPECT_EQ(changes, 1);
  bar->SetPosition(12);
  EXPECT_EQ(changes, 1) << "no change, no event";
  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 72);
  bar->SetPosition(-5);
  EXPECT_EQ(bar->Position(), 2);
  // The platform control's scroll codes arrive reflected from the parent.
  ::SendMessageW(form->WindowHandle(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(bar->WindowHandle()));
  EXPECT_EQ(bar->Position(), 3);
  ::SendMessageW(form->WindowHandle(), WM_HSCROLL, SB_RIGHT, reinterpret_cast<LPARAM>(bar->WindowHandle()));
  EXPECT_EQ(bar->Position(), 72);
  EXPECT_EQ(::GetScrollPos(bar->WindowHandle(), SB_CTL), 72);
  EXPECT_EQ(changes, 5);
}

TEST_F(FormFixture, AChildWindowOutlivesTheCloseRequestsItReceives) {
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  auto* inner = new TPanel(form.get());
  inner->SetParent(panel);
  auto* edit = new TEdit(form.get());
  edit->SetParent(panel);
  auto* rich = new TRichEdit(form.get());
  rich->SetParent(inner);
  auto* list = new TListBox(form.get());
  list->SetParent(panel);
  const std::vector<TWinControl*> children{panel, inner, edit, rich, list};
  std::vector<HWND> handles;
  for (TWinControl* c : children) handles.push_back(c->WindowHandle());
  for (HWND h : handles) ::SendMessageW(h, WM_CLOSE, 0, 0);
  Pump();
  for (size_t i = 0; i < handles.size(); ++i) {
    EXPECT_TRUE(::IsWindow(handles[i])) << "child " << i;
    EXPECT_EQ(children[i]->WindowHandle(), handles[i]) << "child " << i;
  }
}

TEST_F(FormFixture, TabLeavesARichEditUnlessItWantsTabs) {
  form->Show();
  auto* rich = new TRichEdit(form.get());
  rich->SetBounds(0, 0, 200, 100);
  rich->SetParent(form.get());
  auto* edit = new TEdit(form.get());
  edit->SetBounds(0, 120, 100, 21);
  edit->SetParent(form.get());
  Pump();
  // Keys go through the application's loop, which asks the control first.
  auto press = [&](WORD vk) {
    ::SetFocus(rich->WindowHandle());
    ::PostMessageW(rich->WindowHandle(), WM_KEYDOWN, vk, 1);
    ::PostMessageW(rich->WindowHandle(), WM_KEYUP, vk, 0xC0000001);
    Pump();
  };
  press(VK_TAB);
  EXPECT_EQ(::GetFocus(), edit->WindowHandle());
  EXPECT_EQ(rich->Text(), L"") << "no tab character typed";
  // After a dialog key the platform control asks its parent to close on
  // Escape; the form and the control stay.
  press(VK_ESCAPE);
  EXPECT_TRUE(::IsWindow(rich->WindowHandle()));
  EXPECT_TRUE(::IsWindowVisible(form->WindowHandle()));

  rich->WantTabs = true;
  press(VK_TAB);
  EXPECT_EQ(::GetFocus(), rich->WindowHandle());
  EXPECT_EQ(rich->Text(), L"\t");
}

// The focus is kept by the framework between focus messages: it must agree
// with the platform whichever way the focus moves, windows of others and
// windows destroyed while they have it included.
TEST_F(FormFixture, FocusedAgreesWithThePlatformWhereverTheFocusGoes) {
  form->Show();
  auto* list = new TListBox(form.get());
  list->SetBounds(0, 0, 100, 100);
  list->SetParent(form.get());
  auto* edit = new TEdit(form.get());
  edit->SetBounds(0, 120, 100, 21);
  edit->SetParent(form.get());
  Pump();
  auto plain = [&](int y) {
    return ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 150, y, 80, 20, form->WindowHandle(), nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
  };
  HWND other = plain(0), another = plain(30), doomed = nullptr;
  struct Step { const char* what; std::function<void()> act; } steps[] = {
      {"list", [&] { list->SetFocus(); }},
      {"window of others", [&] { ::SetFocus(other); }},
      {"another window of others", [&] { ::SetFocus(another); }},
      {"edit", [&] { edit->SetFocus(); }},
      {"edit again", [&] { ::SetFocus(edit->WindowHandle()); }},
      {"nowhere", [&] { ::SetFocus(nullptr); }},
      {"list, then destroyed", [&] { list->SetFocus(); doomed = list->WindowHandle(); ::DestroyWindow(doomed); }},
      {"edit after the destroyed list", [&] { edit->SetFocus(); }},
      {"focused window of others destroyed", [&] { ::SetFocus(other); ::DestroyWindow(other); }},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    s.act();
    const HWND truth = ::GetFocus();
    EXPECT_EQ(edit->Focused(), truth == edit->WindowHandle());
    EXPECT_EQ(list->Focused(), list->HandleAllocated() && truth == list->WindowHandle());
  }
  EXPECT_NE(doomed, nullptr);
  ::DestroyWindow(another);
}

TEST_F(FormFixture, ExceptionsInHandlersReachTheApplicationReport) {
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  panel->OnDblClick = [](TComponent*) { throw std::runtime_error("boom"); };
  std::string reported;
  Application()->OnException = [&](const std::exception& e) { reported = e.what(); };
  ::SendMessageW(panel->WindowHandle(), WM_LBUTTONDBLCLK, 0, 0);
  Application()->OnException = nullptr;
  EXPECT_EQ(reported, "boom");
}

TEST(HandleLeaks, FormsWithControlsFreeEveryGdiObject) {
  Application()->Initialize();
  auto build = [] {
    auto form = std::make_unique<TForm>(nullptr);
    form->HandleNeeded();
    auto* panel = new TPanel(form.get());
    panel->SetAlign(TAlign::alClient);
    panel->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetParent(panel);
    edit->Font().SetName(L"Courier New");
    auto* label = new TLabel(form.get());
    label->SetParent(panel);
    label->SetCaption(L"Label");
    ::ShowWindow(form->WindowHandle(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(form->WindowHandle());
    Pump();
  };
  build();  // first run creates lasting things (classes, stock objects)
  long before = LiveGdiObjects();
  for (int i = 0; i < 20; ++i) build();
  EXPECT_EQ(LiveGdiObjects(), before);
}
