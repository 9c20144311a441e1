// Adapters on windows created by others: they answer the skin's "handled"
// query while attached, give the window its procedure back when freed, are
// freed only once their own procedure has returned, and windows are
// matched to adapter kinds by exact class name.
#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <memory>

#include "app/main_form.h"
#include "framework/window_hook.h"
#include "gui_test_support.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/paint/control_adapter_win.h"
#include "skin/paint/scroll_wnd_win.h"
#include "tests/app/app_fixture.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

class PlainWindowAdapterTest : public MainFormTest {
 protected:
  HWND MakeChild(const wchar_t* cls, DWORD style) {
    ::LoadLibraryW(L"Msftedit.dll");
    HWND w = ::CreateWindowExW(WS_EX_CLIENTEDGE, cls, L"text", WS_CHILD | WS_VISIBLE | style, 5, 5, 150, 80,
                               form->WindowHandle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    windows.push_back(w);
    return w;
  }
  void TearDown() override {
    for (HWND w : windows) ::DestroyWindow(w);
    MainFormTest::TearDown();
  }
  std::vector<HWND> windows;
};

TEST_F(PlainWindowAdapterTest, AttachedWindowsAnswerHandledAndGetTheirProcedureBack) {
  Open();
  TsSkinManager* manager = form->sSkinManager1;
  struct Case { const wchar_t* cls; DWORD style; } cases[] = {
      {L"EDIT", ES_AUTOHSCROLL}, {L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT}, {MSFTEDIT_CLASS, WS_VSCROLL | ES_MULTILINE}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "class " << std::string(c.cls, c.cls + wcslen(c.cls)));
    HWND w = MakeChild(c.cls, c.style);
    const LONG_PTR proc = ::GetWindowLongPtrW(w, GWLP_WNDPROC);
    EXPECT_EQ(SendSkinCommand(w, SKC_CTRLHANDLED), 0);
    const int live = TacMainWnd::LiveCount();
    std::unique_ptr<TacMainWnd> adapter = MakeAdapter<TacEditWnd>(w, manager, nullptr, "");
    EXPECT_EQ(TacMainWnd::Of(w), adapter.get());
    EXPECT_EQ(adapter->SkinData().SkinSection(), "EDIT");
    EXPECT_EQ(SendSkinCommand(w, SKC_CTRLHANDLED), 1);
    ::RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(static_cast<TacEditWnd*>(adapter.get())->FramePaints(), 0);
    TacMainWnd::Free(adapter);
    EXPECT_EQ(TacMainWnd::LiveCount(), live);
    EXPECT_EQ(TacMainWnd::Of(w), nullptr);
    EXPECT_EQ(TacScrollWnd::Of(w), nullptr);
    EXPECT_EQ(SendSkinCommand(w, SKC_CTRLHANDLED), 0);
    EXPECT_EQ(::GetWindowLongPtrW(w, GWLP_WNDPROC), proc);
  }
}

TEST_F(PlainWindowAdapterTest, AnAdapterFreedWhileItsProcedureRunsLivesUntilItReturns) {
  Open();
  HWND w = MakeChild(L"EDIT", 0);
  // Attached first, so it runs below the adapter, inside the adapter's call.
  std::unique_ptr<TacMainWnd> adapter;
  int liveInside = -1;
  TWindowHook below([&](TMessage& m) {
    if (m.Msg == WM_SETTEXT && adapter) {
      TacMainWnd::Free(adapter);
      liveInside = TacMainWnd::LiveCount();
      EXPECT_EQ(SendSkinCommand(w, SKC_CTRLHANDLED), 0) << "unhooked at once";
    }
    return false;
  });
  below.Attach(w);
  const int live = TacMainWnd::LiveCount();
  adapter = MakeAdapter<TacEditWnd>(w, form->sSkinManager1, nullptr, "");
  ::SetWindowTextW(w, L"freed inside");
  EXPECT_EQ(liveInside, live + 1) << "freed while its procedure was on the stack";
  Pump(30);
  EXPECT_EQ(TacMainWnd::LiveCount(), live);
  wchar_t text[32];
  ::GetWindowTextW(w, text, 32);
  EXPECT_STREQ(text, L"freed inside");
}

TEST_F(PlainWindowAdapterTest, ClassNamesMatchExactly) {
  Open();
  TsSkinManager& m = *form->sSkinManager1;
  m.ThirdLists[ThirdEdits] = {L"TImageEnView"};
  m.ThirdLists[ThirdButtons] = {L"TButton"};
  m.ThirdLists[ThirdGridEh] = {L"TDrawGrid"};
  struct Case { const wchar_t* name; int category; } cases[] = {
      {L"TButton", ThirdButtons}, {L"TImageEnView", ThirdEdits}, {L"TDrawGrid", ThirdGridEh},
      {L"TStringGrid", -1}, {L"tbutton", -1}, {L"TButton1", -1}, {L"", -1}};
  for (const Case& c : cases)
    EXPECT_EQ(AdapterCategoryOfClass(m, c.name), c.category) << std::string(c.name, c.name + wcslen(c.name));
}

}  // namespace
