// The size bar skinned: operated by mouse and keyboard with exactly one
// change a step, read back through the scroll-bar messages, and turned back
// into a platform scroll bar when the skin goes.
#include <windows.h>

#include <climits>

#include "skin/controls/sScrollBar.h"
#include "skin_manager/manager_fixture.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

class SizeBarTest : public ManagerTest {
 protected:
  void SetUp() override {
    ManagerTest::SetUp();
    manager = MakeManager();
    bar = new TsScrollBar(form.get());
    bar->SetParams(12, 2, 72);
    bar->SetBounds(8, 25, 234, 17);
    bar->SetParent(form.get());
    bar->SetSkinManager(manager);
    bar->OnChange = [this](TComponent*) { ++changes; };
    form->SetClientSize(260, 60);
    form->LoadedAll();
    form->Show();
    Pump(20);
    ASSERT_TRUE(bar->SkinnedWindow());
    wnd = bar->WindowHandle();
  }
  void Down(int x, int y = 8) { ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
  void Move(int x, int y = 8) { ::SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
  void Up(int x, int y = 8) { ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
  // The position as every reader of a standard scroll bar sees it.
  void ExpectPosition(int pos) {
    EXPECT_EQ(bar->Position(), pos);
    EXPECT_EQ(::SendMessageW(wnd, SBM_GETPOS, 0, 0), pos);
    EXPECT_EQ(::GetScrollPos(wnd, SB_CTL), pos);
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(::GetScrollInfo(wnd, SB_CTL, &si));
    EXPECT_EQ(si.nPos, pos);
    EXPECT_EQ(si.nMin, 2);
    EXPECT_EQ(si.nMax, 72);
    int lo = 0, hi = 0;
    ::SendMessageW(wnd, SBM_GETRANGE, WPARAM(&lo), LPARAM(&hi));
    EXPECT_EQ(lo, 2);
    EXPECT_EQ(hi, 72);
    lo = hi = 0;
    ::GetScrollRange(wnd, SB_CTL, &lo, &hi);
    EXPECT_EQ(lo, 2);
    EXPECT_EQ(hi, 72);
  }
  TsSkinManager* manager = nullptr;
  TsScrollBar* bar = nullptr;
  HWND wnd = nullptr;
  int changes = 0;
};

TEST_F(SizeBarTest, EachClickOnAnArrowOrThePageMovesOneStepWithOneChange) {
  struct Case { const char* what; int x; int step; } cases[] = {
      {"right arrow", 230, 1}, {"left arrow", 3, -1}, {"page right", 200, 1}, {"page left", 22, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int before = bar->Position();
    changes = 0;
    Down(c.x);
    Up(c.x);
    ExpectPosition(before + c.step);
    EXPECT_EQ(changes, 1);
    EXPECT_NE(::GetCapture(), wnd);
  }
}

TEST_F(SizeBarTest, KeysMoveOneStepAndStopAtTheEnds) {
  struct Case { WORD key; int pos; int changes; } cases[] = {
      {VK_RIGHT, 13, 1}, {VK_DOWN, 14, 1}, {VK_LEFT, 13, 1}, {VK_NEXT, 14, 1}, {VK_END, 72, 1},
      {VK_RIGHT, 72, 0}, {VK_HOME, 2, 1},  {VK_UP, 2, 0},    {VK_PRIOR, 2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    changes = 0;
    ::SendMessageW(wnd, WM_KEYDOWN, c.key, 0);
    ExpectPosition(c.pos);
    EXPECT_EQ(changes, c.changes);
  }
  EXPECT_EQ(::SendMessageW(wnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST_F(SizeBarTest, DraggingTheThumbClampsToTheRangeAndEndsOutside) {
  // The thumb of position 12 is centred 10 steps of 186/70 pixels in.
  const int centre = 17 + 7 + (186 * 10 + 35) / 70;
  Down(centre);
  EXPECT_EQ(::GetCapture(), wnd);
  EXPECT_EQ(changes, 0);
  struct Step { int x; int pos; int changes; } steps[] = {
      {centre + 186 * 10 / 70, 22, 1}, {-300, 2, 2}, {900, 72, 3}, {900, 72, 3}};
  for (const Step& s : steps) {
    Move(s.x);
    EXPECT_EQ(bar->Position(), s.pos);
    EXPECT_EQ(changes, s.changes);
  }
  Up(900, 60);  // released outside the bar
  ExpectPosition(72);
  EXPECT_EQ(changes, 3);
  EXPECT_NE(::GetCapture(), wnd);

  // A drag whose capture is taken away ends there: later moves do nothing.
  Down(CtrlBarLayout(234, 17, TScrollState{2, 72, 0, 72}, 72, true).ThumbStart + 7);
  ::SetCapture(form->WindowHandle());
  ::ReleaseCapture();
  Move(-300);
  ExpectPosition(72);
  EXPECT_EQ(changes, 3);
}

TEST_F(SizeBarTest, HoldingAnArrowRepeatsAfterTheFirstDelayUntilReleasedOrTheCaptureIsLost) {
  Down(230);
  Pump(300);
  EXPECT_EQ(changes, 1) << "no repeat before the first delay";
  Pump(400);
  const int repeated = changes;
  EXPECT_GT(repeated, 2);
  Up(230);
  Pump(200);
  EXPECT_EQ(changes, repeated);

  // Another window taking the capture ends the press: nothing more scrolls.
  Down(3);
  Pump(650);
  ASSERT_GT(changes, repeated + 1);
  ::SetCapture(form->WindowHandle());
  ::ReleaseCapture();
  const int atLoss = changes, pos = bar->Position();
  Pump(300);
  EXPECT_EQ(changes, atLoss);
  EXPECT_EQ(bar->Position(), pos);
}

TEST_F(SizeBarTest, ExtremeRangesFromAnotherProgramNeverWrapAround) {
  ::SendMessageW(wnd, SBM_SETRANGE, WPARAM(INT_MIN), LPARAM(INT_MAX));
  // A page moves by the bar's large change, 1.
  struct Case { const char* what; UINT page; int start; int key, x; int pos; } cases[] = {
      {"left arrow at the start", 0, INT_MIN, 0, 3, INT_MIN},
      {"right arrow at the end", 0, INT_MAX, 0, 230, INT_MAX},
      {"left key at the start", 0, INT_MIN, VK_LEFT, 0, INT_MIN},
      {"right key at the end", 0, INT_MAX, VK_RIGHT, 0, INT_MAX},
      {"page up at the start", 0x7FFFFFFF, INT_MIN, VK_PRIOR, 0, INT_MIN},
      {"page left at the start", 0x7FFFFFFF, INT_MIN, 0, 22, INT_MIN},
      {"page down from the start", 0x7FFFFFFF, INT_MIN, VK_NEXT, 0, INT_MIN + 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SCROLLINFO si{sizeof(si), SIF_PAGE | SIF_POS, 0, 0, c.page, c.start, 0};
    ::SetScrollInfo(wnd, SB_CTL, &si, TRUE);
    if (c.key) {
      ::SendMessageW(wnd, WM_KEYDOWN, c.key, 0);
    } else {
      Down(c.x);
      Up(c.x);
    }
    EXPECT_EQ(bar->Position(), c.pos);
  }
  // The thumb of a page of 0x7FFFFFFF, taken near its right end and pulled
  // past the left end: it stays at the start.
  SCROLLINFO si{sizeof(si), SIF_PAGE | SIF_POS, 0, 0, 0x7FFFFFFF, INT_MIN, 0};
  ::SetScrollInfo(wnd, SB_CTL, &si, TRUE);
  const TCtrlBarLayout l = CtrlBarLayout(234, 17, TScrollState{INT_MIN, INT_MAX, 0x7FFFFFFF, INT_MIN}, INT_MIN, true);
  ASSERT_TRUE(l.ThumbFits);
  Down(l.ThumbStart + l.ThumbLength - 3);
  Move(-300);
  Up(-300);
  EXPECT_EQ(bar->Position(), INT_MIN);
}

TEST_F(SizeBarTest, OtherProgramsSetTheBarThroughTheMessagesAndTheSkinCanGo) {
  SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, 40, 0};
  ::SetScrollInfo(wnd, SB_CTL, &si, TRUE);
  ExpectPosition(40);
  EXPECT_EQ(::SendMessageW(wnd, SBM_SETPOS, 99, TRUE), 40);
  ExpectPosition(72);
  EXPECT_EQ(changes, 0) << "as a platform scroll bar, set from outside without a notification";
  manager->SetActive(false);
  EXPECT_FALSE(bar->SkinnedWindow());
  wnd = bar->WindowHandle();
  wchar_t cls[32] = {};
  ::GetClassNameW(wnd, cls, 32);
  EXPECT_EQ(_wcsicmp(cls, L"ScrollBar"), 0);
  ExpectPosition(72);
  manager->SetActive(true);
  EXPECT_TRUE(bar->SkinnedWindow());
  wnd = bar->WindowHandle();
  ExpectPosition(72);
}

}  // namespace
