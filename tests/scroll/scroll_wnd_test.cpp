// A standard window with WS_VSCROLL (a list box) skinned: its client area is
// one bar narrower, it scrolls by the skinned bar's arrows, track, thumb and
// the wheel, and no native bar pixels show where the skinned bar lies.
#include <windows.h>

#include <functional>
#include <memory>

#include "fontlist/sListBox.h"
#include "skin/core/skin_pack.h"
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
  // The bar's pixels on screen that differ from the ones painted last.
  auto nativePixels = [&] {
    const RECT bar = adapter->BarRect(SB_VERT);
    RECT wr;
    ::GetWindowRect(list, &wr);
    const TBitmap32& ours = adapter->BarPixels(SB_VERT);
    if (ours.Height() != bar.bottom - bar.top) return -1;
    HDC dc = ::GetWindowDC(list);
    int differ = 0;
    for (int y = 0; y < ours.Height(); y += 3)
      for (int x = 0; x < ours.Width(); x += 4) {
        const COLORREF c = ::GetPixel(dc, bar.left - wr.left + x, bar.top - wr.top + y);
        const uint32_t p = ours.Pixel(x, y);
        differ += c != RGB(p >> 16 & 255, p >> 8 & 255, p & 255);
      }
    ::ReleaseDC(list, dc);
    return differ;
  };
  // The list box sets its scroll information with redraw while it handles
  // these (also where nothing changes); each leaves the skinned bar shown.
  struct Step { const char* what; UINT msg; WPARAM w; LPARAM l; } steps[] = {
      {"thumb position", WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30), 0},
      {"item added", LB_ADDSTRING, 0, LPARAM(L"one more")},
      {"top row where it is", LB_SETTOPINDEX, 30, 0},
      {"top row moved", LB_SETTOPINDEX, 40, 0},
      {"size", WM_SIZE, SIZE_RESTORED, 0},
      {"key", WM_KEYDOWN, VK_NEXT, 0}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    ::SendMessageW(list, s.msg, s.w, s.l);
    EXPECT_EQ(nativePixels(), 0);
  }
  ::RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pump(30);
  EXPECT_EQ(nativePixels(), 0);
}

// A list box asks itself for its count, rows and selection while it paints:
// questions that change nothing paint no bar, and a change paints it once.
TEST_F(ScrollWndTest, TheBarsArePaintedOnlyWhenSomethingMayHaveChangedThem) {
  ::SendMessageW(list, LB_SETTOPINDEX, 5, 0);
  RECT item{};
  struct Step { const char* what; UINT msg; WPARAM w; LPARAM l; int paints; } steps[] = {
      {"count", LB_GETCOUNT, 0, 0, 0},
      {"top row", LB_GETTOPINDEX, 0, 0, 0},
      {"row rectangle", LB_GETITEMRECT, 6, LPARAM(&item), 0},
      {"row data", LB_GETITEMDATA, 6, 0, 0},
      {"selection", LB_GETCURSEL, 0, 0, 0},
      {"text length", WM_GETTEXTLENGTH, 0, 0, 0},
      {"top row moved", LB_SETTOPINDEX, 9, 0, 1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    const int before = adapter->PaintCount();
    ::SendMessageW(list, s.msg, s.w, s.l);
    EXPECT_EQ(adapter->PaintCount() - before, s.paints);
  }
  const int before = adapter->PaintCount();
  ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_LE(adapter->PaintCount() - before, 1) << "a repaint of the rows";
}

// WM_NCLBUTTONDOWN with a scroll-bar hit code can come from any program:
// it operates a bar only where our own hit test would have answered so.
TEST_F(ScrollWndTest, APressMadeUpByAnotherProgramMovesOnlyAnActiveBarUnderThePoint) {
  const POINT arrow = At(-3);
  struct Case { const char* what; POINT at; std::function<void()> set, reset; } cases[] = {
      {"bar disabled", arrow, [&] { ::EnableScrollBar(list, SB_VERT, ESB_DISABLE_BOTH); },
       [&] { ::EnableScrollBar(list, SB_VERT, ESB_ENABLE_BOTH); }},
      {"window disabled", arrow, [&] { ::EnableWindow(list, FALSE); }, [&] { ::EnableWindow(list, TRUE); }},
      {"point beside the bar", POINT{arrow.x - 60, arrow.y}, [] {}, [] {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.set();
    ::SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(c.at.x, c.at.y));
    ::SendMessageW(list, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(Top(), 0);
    EXPECT_NE(::GetCapture(), list);
    c.reset();
  }
  Click(arrow);
  EXPECT_EQ(Top(), 1) << "the same press on the active bar";
}

TEST_F(ScrollWndTest, AnAdapterLeavingTakesOnlyItsOwnWindowProperty) {
  auto second = std::make_unique<TacScrollWnd>(list, manager);
  ASSERT_EQ(TacScrollWnd::Of(list), second.get());
  adapter.reset();
  EXPECT_EQ(TacScrollWnd::Of(list), second.get());
  second.reset();
  EXPECT_EQ(TacScrollWnd::Of(list), nullptr);
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

namespace {

// The internal skin without its four scroll-bar track sections.
std::vector<uint8_t> SkinWithoutScrollBars(const std::vector<uint8_t>& internal) {
  TacSkinConvertor pack;
  pack.ReadPackage(internal);
  std::string options = *pack.Options;
  for (const char* section : {"[SCROLLBAR1H]", "[SCROLLBAR2H]", "[SCROLLBAR1V]", "[SCROLLBAR2V]"})
    for (size_t at = options.find(section); at != std::string::npos; at = options.find(section, at + 2))
      options.insert(at + 1, "NO");
  std::vector<glyphora::testing::PackMember> members{{"Options.dat", glyphora::testing::ToBytes(options)}};
  for (const auto& f : pack.Files) members.push_back({f.FileName, f.FileStream});
  return glyphora::testing::WritePackage(members);
}

// A skin without scroll-bar sections leaves a list its native bars; the
// switch to one with them hands their space to the skinned bars at once.
TEST_F(ManagerTest, ASkinSwitchThatBringsScrollBarSectionsLaysTheFrameOutAgain) {
  form = std::make_unique<TForm>(nullptr);
  form->HandleNeeded();
  form->BeginLoading();
  auto* manager = new TsSkinManager(form.get());
  const std::pair<const wchar_t*, std::vector<uint8_t>> skins[] = {{L"NorvaneWhite (internal)", bytes},
                                                                   {L"No bars", SkinWithoutScrollBars(bytes)}};
  for (const auto& [name, data] : skins) {
    manager->InternalSkins.emplace_back();
    manager->InternalSkins.back().Name = name;
    manager->InternalSkins.back().PackedData = data;
  }
  manager->SetSkinName(L"No bars");
  auto* list = new TsCustomListBox(form.get());
  list->SetBounds(10, 10, 200, 200);
  list->SetParent(form.get());
  form->SetClientSize(300, 240);
  form->LoadedAll();
  form->Show();
  for (int i = 0; i < 60; ++i) list->Items().Add(std::to_wstring(i));
  Pump(20);
  ASSERT_TRUE(errors.empty());
  ASSERT_TRUE(list->Adapter() && list->Adapter()->Scroll());
  TacScrollWnd* bars = list->Adapter()->Scroll();
  EXPECT_FALSE(bars->BarVisible(SB_VERT)) << "the platform's bar";
  manager->SetSkinName(L"NorvaneWhite (internal)");
  ASSERT_TRUE(errors.empty());
  ASSERT_EQ(list->Adapter()->Scroll(), bars);
  EXPECT_TRUE(bars->BarVisible(SB_VERT));
  const RECT r = bars->BarRect(SB_VERT);
  EXPECT_EQ(::SendMessageW(list->WindowHandle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + 3, r.bottom - 3)), HTVSCROLL);
}

}  // namespace
