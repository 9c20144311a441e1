#include <gtest/gtest.h>

#include <algorithm>

#include "app_driver.h"

using namespace e2e;

namespace {
// The size bar: the platform's scroll bar, or, skinned, a window of its own
// that answers the same scroll-bar messages.
HWND SizeBar(const AppDriver& app) {
  HWND bar = app.Find(L"TsScrollBar");
  return bar ? bar : app.Find(L"ScrollBar");
}

std::vector<std::wstring> ListItems(HWND list) {
  std::vector<std::wstring> v;
  int n = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) v.push_back(ListItem(list, i));
  return v;
}

bool LessIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
}

RECT Rect(HWND w) {
  RECT r;
  ::GetWindowRect(w, &r);
  return r;
}

// Input is sent, not posted: a sent message has been handled when the call
// returns, so the checks that follow see its effect.
void Send(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR r;
  ::SendMessageTimeoutW(w, msg, wParam, lParam, SMTO_NORMAL, 10000, &r);
}

void Click(HWND w, int x, int y, bool dbl = false) {
  LPARAM at = MAKELPARAM(x, y);
  Send(w, WM_MOUSEMOVE, 0, at);
  Send(w, dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at);
  Send(w, WM_LBUTTONUP, 0, at);
}

// Real input, through the system's queue, to the foreground window.
void RealClick(HWND w, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(w, &p);
  ::SetCursorPos(p.x, p.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, in, sizeof(INPUT));
}

void RealKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof(INPUT));
}

HWND FocusOf(HWND main) {
  GUITHREADINFO gi{};
  gi.cbSize = sizeof(gi);
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &gi);
  return gi.hwndFocus;
}

int IniValue(const std::string& ini, const std::string& key) {
  auto p = ini.find("\n" + key + "=");
  if (p == std::string::npos) p = ini.find(key + "=") == 0 ? 0 : std::string::npos;
  if (p == std::string::npos) return -99999;
  p = ini.find('=', p) + 1;
  return std::atoi(ini.c_str() + p);
}
}  // namespace

TEST(EndToEnd, StartsWithSortedFamiliesAndTheSampleText) {
  AppDriver app;
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(WindowText(app.Main()), L"Glyphora");
  RECT r = Rect(app.Main());
  EXPECT_GE(r.right - r.left, 885);
  EXPECT_GE(r.bottom - r.top, 536);

  HWND list = app.Find(L"ListBox");
  ASSERT_NE(list, nullptr);
  auto items = ListItems(list);
  ASSERT_GT(items.size(), 5u);
  EXPECT_TRUE(std::is_sorted(items.begin(), items.end(), LessIgnoringCase));
  for (size_t i = 1; i < items.size(); ++i) EXPECT_TRUE(LessIgnoringCase(items[i - 1], items[i])) << "duplicate";
  EXPECT_NE(std::find(items.begin(), items.end(), L"Tahoma"), items.end());
  EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 22);

  HWND text = app.Find(L"RICHEDIT50W");
  ASSERT_NE(text, nullptr);
  std::wstring sample = WindowText(text);
  EXPECT_EQ(sample.rfind(L"Glyphora lets you preview all your installed fonts", 0), 0u);
  EXPECT_NE(sample.find(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::wstring::npos);
  EXPECT_NE(sample.find(L"Type your own sample text here ..."), std::wstring::npos);

  HWND bar = SizeBar(app);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(::GetScrollPos(bar, SB_CTL), 12);
  EXPECT_TRUE(app.Close());
}

TEST(EndToEnd, FamilyAndSizeChangesRedrawThePreviewText) {
  AppDriver app;
  ASSERT_TRUE(app.Start());
  HWND list = app.Find(L"ListBox");
  HWND text = app.Find(L"RICHEDIT50W");
  HWND bar = SizeBar(app);
  ASSERT_TRUE(list && text && bar);
  auto before = app.Capture(text);
  // The first families are often similar; pick one clearly different.
  int target = static_cast<int>(::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(L"Tahoma")));
  ASSERT_GE(target, 0);
  ::SetForegroundWindow(app.Main());
  for (int i = 0; i < target; ++i) Send(list, WM_KEYDOWN, VK_DOWN, 0);
  app.Settle();
  EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), target);
  auto tahoma = app.Capture(text);
  EXPECT_NE(before, tahoma) << "the preview is drawn in the chosen family";

  ::SendMessageW(::GetParent(bar), WM_HSCROLL, SB_RIGHT, reinterpret_cast<LPARAM>(bar));
  app.Settle();
  EXPECT_EQ(::GetScrollPos(bar, SB_CTL), 72);
  auto large = app.Capture(text);
  EXPECT_NE(large, tahoma) << "the preview grows to 72 points";
  EXPECT_TRUE(app.Close());
}

TEST(EndToEnd, CharacterMapCollectsAndCopiesToTheClipboard) {
  AppDriver app;
  ASSERT_TRUE(app.Start());
  HWND grid = app.Find(L"GlyphoraStringGrid");
  HWND box = app.Find(L"Edit");
  ASSERT_TRUE(grid && box);
  HWND strip = ::GetParent(box);
  // Cell (1, 2) holds 'A'; (2, 2) 'B'. Cells are 18 pixels plus a line.
  Click(grid, 1 * 19 + 5, 2 * 19 + 5);
  Click(grid, 1 * 19 + 5, 2 * 19 + 5, true);
  app.Settle();
  EXPECT_EQ(WindowText(box), L"A");
  Click(grid, 2 * 19 + 5, 2 * 19 + 5);
  Send(grid, WM_KEYDOWN, VK_RETURN, 0);
  app.Settle();
  EXPECT_EQ(WindowText(box), L"AB");
  // Select button at (280, 6) appends the current cell once more.
  Click(strip, 285, 11);
  app.Settle();
  EXPECT_EQ(WindowText(box), L"ABB");
  // Copy at (336, 6): nothing selected, so all of it.
  Click(strip, 341, 11);
  app.Settle();
  EXPECT_EQ(ClipboardText(), L"ABB");
  // Clear at (392, 7).
  Click(strip, 397, 12);
  app.Settle();
  EXPECT_EQ(WindowText(box), L"");
  EXPECT_TRUE(app.Close());
}

TEST(EndToEnd, TabLeavesTheSampleTextAndEscapeDestroysNothing) {
  AppDriver app;
  ASSERT_TRUE(app.Start());
  HWND text = app.Find(L"RICHEDIT50W");
  HWND grid = app.Find(L"GlyphoraStringGrid");
  HWND box = app.Find(L"Edit");
  ASSERT_TRUE(text && grid && box);
  ::SetForegroundWindow(app.Main());
  RealClick(text, 60, 60);
  app.Settle();
  ASSERT_EQ(FocusOf(app.Main()), text);
  RealKey(VK_TAB);
  app.Settle();
  EXPECT_EQ(FocusOf(app.Main()), grid) << "Tab moves on to the grid";
  RealClick(text, 60, 60);
  RealKey(VK_ESCAPE);
  app.Settle();
  for (HWND w : {text, grid, box}) EXPECT_TRUE(::IsWindow(w));
  EXPECT_EQ(FocusOf(app.Main()), text);
  EXPECT_TRUE(app.Close());
}

TEST(EndToEnd, PlacementSurvivesARestartNormalAndMaximised) {
  AppDriver app;
  ASSERT_TRUE(app.Start());
  ::SetWindowPos(app.Main(), nullptr, 100, 60, 1000, 640, SWP_NOZORDER | SWP_NOACTIVATE);
  app.Settle();
  ASSERT_TRUE(app.Close());
  std::string ini = app.ReadIni();
  EXPECT_NE(ini.find("[Main]"), std::string::npos);
  EXPECT_EQ(IniValue(ini, "Left"), 100);
  EXPECT_EQ(IniValue(ini, "Top"), 60);
  EXPECT_EQ(IniValue(ini, "Width"), 1000);
  EXPECT_EQ(IniValue(ini, "Height"), 640);
  EXPECT_EQ(IniValue(ini, "Maximized"), 0);

  ASSERT_TRUE(app.Start());
  RECT r = Rect(app.Main());
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.right - r.left, 1000);
  ::ShowWindow(app.Main(), SW_MAXIMIZE);
  app.Settle();
  ASSERT_TRUE(app.Close());
  ini = app.ReadIni();
  EXPECT_EQ(IniValue(ini, "Maximized"), 1);
  EXPECT_EQ(IniValue(ini, "Width"), 1000) << "the restored size, not the screen";

  ASSERT_TRUE(app.Start());
  EXPECT_TRUE(::IsZoomed(app.Main()));
  ::ShowWindow(app.Main(), SW_RESTORE);
  app.Settle();
  r = Rect(app.Main());
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.right - r.left, 1000);
  EXPECT_EQ(r.bottom - r.top, 640);

  // Other keys and sections survive the program's writes.
  ASSERT_TRUE(app.Close());
  app.WriteIni("[Other]\nKeep=1\n[Main]\nLeft=0x50\nTop=40\nWidth=0x3E8\nHeight=650\nNote=mine\n");
  ASSERT_TRUE(app.Start());
  r = Rect(app.Main());
  EXPECT_EQ(r.left, 80);
  EXPECT_EQ(r.right - r.left, 1000);
  ASSERT_TRUE(app.Close());
  ini = app.ReadIni();
  EXPECT_NE(ini.find("Keep=1"), std::string::npos);
  EXPECT_NE(ini.find("Note=mine"), std::string::npos);
  EXPECT_EQ(IniValue(ini, "Left"), 80);
}

TEST(EndToEnd, AMessageTheSystemCannotDeliverEndsNothing) {
  AppDriver app;
  ASSERT_TRUE(app.Start());
  ::SetWindowPos(app.Main(), nullptr, 120, 70, 950, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  app.Settle();
  // Too large for the system to pass to another process.
  const std::wstring huge(1 << 20, L'x');
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutW(app.Main(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(huge.c_str()), SMTO_NORMAL, 5000, &answer);
  ::Sleep(300);
  ASSERT_TRUE(app.Running()) << "the program goes on";
  app.Settle();
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(IniValue(app.ReadIni(), "Left"), 120) << "and closes as it always does";
}
