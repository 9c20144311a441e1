// A standard window with WS_VSCROLL (a list box) skinned: its client area is
// one bar narrower, it scrolls by the skinned bar's arrows, track, thumb and
// the wheel, and no native bar pixels show where the skinned bar lies.
#include <windows.h>

#include <memory>

#include "skin/paint/scroll_wnd_win.h"
#include "skin_manager/manager_fixture.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

constexpr int kItems = 100;

class ScrollWndTest : public ManagerTest {
 protected:
  void SetUp() override {
    ManagerTest::SetUp();
    manager = MakeManager();
    form->SetClientSize(300, 240);
    form->LoadedAll();
    form->Show();
    list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                             10, 10, 200, 200, form->WindowHandle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(list);
    for (int i = 0; i < kItems; ++i) ::SendMessageW(list, LB_ADDSTRING, 0, LPARAM(std::to_wstring(i).c_str()));
    RECT before;
    ::GetClientRect(list, &before);
    nativeClientWidth = before.right;
    adapter = std::make_unique<TacScrollWnd>(list, manager);
    Pump(20);
    visible = int(::SendMessageW(list, LB_GETCOUNT, 0, 0)) > 0 ? VisibleRows() : 0;
  }
  void TearDown() override {
    adapter.reset();
    if (list) ::DestroyWindow(list);
    ManagerTest::TearDown();
  }
  int VisibleRows() const {
    RECT r;
    ::GetClientRect(list, &r);
    return r.bottom / int(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  }
  int Top() const { return int(::SendMessageW(list, LB_GETTOPINDEX, 0, 0)); }
  // A point `along` pixels down the bar, in screen coordinates.
  POINT At(int along) const {
    const RECT r = adapter->BarRect(SB_VERT);
    return POINT{(r.left + r.right) / 2, along >= 0 ? r.top + along : r.bottom + along};
  }
  void Click(POINT p) {
    EXPECT_EQ(::SendMessageW(list, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTVSCROLL);
    ::SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(p.x, p.y));
    ::SendMessageW(list, WM_LBUTTONUP, 0, 0);
  }
  int ThumbStart() const {
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(list, SB_VERT, &si);
    const RECT r = adapter->BarRect(SB_VERT);
    return WndThumbGeometry(r.bottom - r.top, ::GetSystemMetrics(SM_CYVSCROLL),
                            TScrollState{si.nMin, si.nMax, si.nPage, si.nPos}, 10).Start;
  }
  TsSkinManager* manager = nullptr;
  HWND list = nullptr;
  std::unique_ptr<TacScrollWnd> adapter;
  int nativeClientWidth = 0, visible = 0;
};

TEST_F(ScrollWndTest, TheBarTakesTheNativeBarsPlaceAndScrollsByArrowsPagesThumbAndWheel) {
  ASSERT_TRUE(adapter->BarVisible(SB_VERT));
  EXPECT_FALSE(adapter->BarVisible(SB_HORZ));
  RECT client;
  ::GetClientRect(list, &client);
  EXPECT_EQ(client.right, nativeClientWidth) << "one vertical bar narrower, as with the native bar";
  ASSERT_GT(visible, 2);

  struct Step { const char* what; int along; int top; } steps[] = {
      {"down arrow", -3, 1}, {"down arrow", -3, 2}, {"up arrow", 3, 1}, {"page down", -30, 1 + visible}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    Click(At(s.along));
    EXPECT_EQ(Top(), s.top);
    EXPECT_NE(::GetCapture(), list);
  }

  // The thumb dragged past the end of the track, released outside outside.
  const POINT thumb = At(ThumbStart() + 3);
  ::SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(thumb.x, thumb.y));
  EXPECT_EQ(::GetCapture(), list);
  POINT outside{thumb.x - 500, thumb.y + 900};
  ::ScreenToClient(list, &outside);
  ::SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(outside.x, outside.y));
  ::SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(outside.x, outside.y));
  EXPECT_EQ(Top(), kItems - visible);

  ::SendMessageW(list, WM_VSCROLL, SB_TOP, 0);
  const int paints = adapter->PaintCount();
  const POINT centre = At(40);
  ::SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(centre.x - 60, centre.y));
  EXPECT_GT(Top(), 0);
  EXPECT_GT(adapter->PaintCount(), paints) << "the bar follows the wheel";
}

TEST_F(ScrollWndTest, LosingTheCaptureStopsTheRepeat) {
  const POINT arrow = At(-3);
  ::SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(arrow.x, arrow.y));
  EXPECT_EQ(Top(), 1);
  ::SetCursorPos(arrow.x, arrow.y);
  Pump(450);
  ::SetCapture(form->WindowHandle());
  ::ReleaseCapture();
  const int top = Top();
  Pump(250);
  EXPECT_EQ(Top(), top);
}

// A bar on the left lies at negative client x: holding its arrow repeats all
// the same.
TEST_F(ScrollWndTest, ABarOnTheLeftSitsThereAndRepeats) {
  adapter.reset();
  ::SetWindowLongPtrW(list, GWL_EXSTYLE, ::GetWindowLongPtrW(list, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  adapter = std::make_unique<TacScrollWnd>(list, manager);
  Pump(20);
  const RECT bar = adapter->BarRect(SB_VERT);
  POINT origin{0, 0};
  ::ClientToScreen(list, &origin);
  EXPECT_LT(bar.right, origin.x + 1) << "left of the client area";
  const POINT arrow = At(-3);
  ::SetCursorPos(arrow.x, arrow.y);
  ::SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(arrow.x, arrow.y));
  Pump(600);
  EXPECT_GT(Top(), 2) << "repeated after the first delay";
  ::SendMessageW(list, WM_LBUTTONUP, 0, 0);
}

TEST_F(ScrollWndTest, NoNativeBarPixelsAfterRepaintsAndTheWindowsOwnScrolling) {
  // The list box sets its scroll information with redraw while it handles
  // these; then the frame is repainted whole.
  ::SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30), 0);
  ::SendMessageW(list, LB_ADDSTRING, 0, LPARAM(L"one more"));
  ::RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  ::SendMessageW(list, LB_SETTOPINDEX, 30, 0);  // where it is already
  ::SendMessageW(list, WM_SIZE, SIZE_RESTORED, 0);
  Pump(30);
  const RECT bar = adapter->BarRect(SB_VERT);
  RECT wr;
  ::GetWindowRect(list, &wr);
  const TBitmap32& ours = adapter->BarPixels(SB_VERT);
  ASSERT_EQ(ours.Height(), bar.bottom - bar.top);
  HDC dc = ::GetWindowDC(list);
  int differ = 0, checked = 0;
  for (int y = 0; y < ours.Height(); y += 3)
    for (int x = 0; x < ours.Width(); x += 4) {
      const COLORREF c = ::GetPixel(dc, bar.left - wr.left + x, bar.top - wr.top + y);
      const uint32_t p = ours.Pixel(x, y);
      ++checked;
      differ += c != RGB(p >> 16 & 255, p >> 8 & 255, p & 255);
    }
  ::ReleaseDC(list, dc);
  EXPECT_GT(checked, 50);
  EXPECT_EQ(differ, 0);
}

}  // namespace

namespace {

void MouseInput(DWORD flags, POINT screen) {
  ::SetCursorPos(screen.x, screen.y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  ::SendInput(1, &in, sizeof(in));
  Pump(40);
}

// Real input through the window system: the press arrives as a non-client
// button-down on the bar (our hit test), the moves as client moves to the
// window holding the capture.
TEST_F(ScrollWndTest, TheThumbFollowsRealMouseInputOutsideTheWindow) {
  ::SetForegroundWindow(form->WindowHandle());
  Pump(50);
  const POINT thumb = At(ThumbStart() + 3);
  MouseInput(MOUSEEVENTF_LEFTDOWN, thumb);
  EXPECT_EQ(::GetCapture(), list);
  MouseInput(MOUSEEVENTF_MOVE, POINT{thumb.x + 150, thumb.y + 60});
  EXPECT_GT(Top(), 0);
  MouseInput(MOUSEEVENTF_MOVE, POINT{thumb.x + 150, thumb.y + 600});
  MouseInput(MOUSEEVENTF_LEFTUP, POINT{thumb.x + 150, thumb.y + 600});
  EXPECT_EQ(Top(), kItems - visible);
  EXPECT_NE(::GetCapture(), list);
}

}  // namespace
