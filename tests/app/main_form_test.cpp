#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <vector>

#include "app_fixture.h"
#include "fontlist/font_table.h"
#include "framework/strings.h"
#include "skin/paint/scroll_wnd_win.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {
const wchar_t* const kExpectedLines[16] = {
    L"Glyphora lets you preview all your installed fonts", L"", L"Capital letters ...",
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZ", L"", L"Lower case ...", L"abcdefghijklmnopqrstuvwxyz", L"",
    L"Numbers ...", L"0123456789", L"", L"Symbols ...", L"~!@#$%^&*()+", L"",
    L"Type your own sample text here ...", L""};
}

TEST_F(MainFormTest, OpensAtItsDesignedSizeWithTheFirstFamilyChosen) {
  TForm1& f = Open();
  HWND h = f.WindowHandle();
  EXPECT_EQ(WindowText(h), L"Glyphora");
  // The designed client size, unless the frame's metrics make the minimum
  // outer size larger (then the window is the minimum size).
  RECT designed{0, 0, 869, 500};
  ::AdjustWindowRectEx(&designed, WS_OVERLAPPEDWINDOW, FALSE, 0);
  RECT wr;
  ::GetWindowRect(h, &wr);
  EXPECT_EQ(wr.right - wr.left, std::max<LONG>(885, designed.right - designed.left));
  EXPECT_EQ(wr.bottom - wr.top, std::max<LONG>(536, designed.bottom - designed.top));
  RECT cr;
  ::GetClientRect(h, &cr);
  EXPECT_GE(cr.right, 869);
  EXPECT_GE(cr.bottom, 500);
  EXPECT_FALSE(::IsZoomed(h));
  MINMAXINFO mmi{};
  ::SendMessageW(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(mmi.ptMinTrackSize.x, 885);
  EXPECT_EQ(mmi.ptMinTrackSize.y, 536);

  // Every family of the table once, sorted ignoring case.
  std::vector<std::wstring> items = f.FontList->Items().ToVector();
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items.size(), FontsArray().size());
  EXPECT_TRUE(std::is_sorted(items.begin(), items.end(),
                             [](const std::wstring& a, const std::wstring& b) { return CompareTextLocale(a, b) < 0; }));
  EXPECT_EQ(f.FontList->ItemIndex(), 0);
  EXPECT_EQ(f.FontList->ItemHeight(), 22);
  EXPECT_EQ(::SendMessageW(f.FontList->WindowHandle(), LB_GETITEMHEIGHT, 0, 0), 22);
  const std::wstring first = items[0];

  EXPECT_EQ(f.FontNumber->Caption(), L"12");
  EXPECT_EQ(f.FontSize->Position(), 12);
  EXPECT_EQ(f.FontSize->Min(), 2);
  EXPECT_EQ(f.FontSize->Max(), 72);
  ASSERT_EQ(f.TextViewer->Lines().Count(), 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(f.TextViewer->Lines().Get(i), kExpectedLines[i]) << "line " << i + 1;
  EXPECT_EQ(f.TextViewer->Font().Name(), first);
  EXPECT_EQ(f.TextViewer->Font().Size(), 12);
  EXPECT_EQ(f.Grid1->Font().Name(), first);
  EXPECT_EQ(f.Grid1->Font().Height(), -11);
  EXPECT_EQ(f.CharacterPreview->Font().Name(), first);
  EXPECT_EQ(f.CharacterPreview->Font().Height(), -19);
  EXPECT_EQ(f.CharacterPreview->Caption(), std::wstring(1, L'\0'));

  EXPECT_TRUE(f.SelectBtn->Enabled());
  EXPECT_FALSE(f.CopyBtn->Enabled());
  EXPECT_FALSE(f.ClearBtn->Enabled());
  EXPECT_EQ(f.CharactersCopy->Text(), L"");
  EXPECT_EQ(f.sLabel1->Caption(), L"Fonts Installed");
  EXPECT_EQ(f.sLabel2->Caption(), L"Font Size :");
  EXPECT_EQ(f.sLabel3->Caption(), L"Character Map");
  // The font list has the focus when the window is first shown.
  EXPECT_EQ(::GetFocus(), f.FontList->WindowHandle());
}

TEST_F(MainFormTest, GridHoldsTheFirst224CodePoints) {
  TForm1& f = Open(false);
  ASSERT_EQ(f.Grid1->ColCount(), 32);
  ASSERT_EQ(f.Grid1->RowCount(), 7);
  for (int i = 0; i < 224; ++i) {
    const std::wstring& cell = f.Grid1->Cell(i % 32, i / 32);
    ASSERT_EQ(cell.size(), 1u);
    EXPECT_EQ(cell[0], static_cast<wchar_t>(i));
  }
}

TEST_F(MainFormTest, LayoutKeepsTheSidePanelAtItsWidth) {
  TForm1& f = Open();
  // Laid out for the designed client size 869 x 500 first.
  f.SetClientSize(869, 500);
  ::SetWindowPos(f.WindowHandle(), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  RECT c0;
  ::GetClientRect(f.WindowHandle(), &c0);
  const int extraW = c0.right - 869, extraH = c0.bottom - 500;
  EXPECT_EQ(f.SidePanel->Left(), 0);
  EXPECT_EQ(f.SidePanel->Width(), 250);
  EXPECT_EQ(f.sSplitter1->Left(), 250);
  EXPECT_FALSE(f.sSplitter1->Enabled());
  EXPECT_EQ(f.MainPanel->Left(), 256);
  EXPECT_EQ(f.MainPanel->Width(), 613 + extraW);
  EXPECT_EQ(f.Grid1->Height(), 136);
  EXPECT_EQ(f.Grid1->Top() + f.Grid1->Height(), 499 + extraH) << "inside the main panel's 1-pixel bevel";
  EXPECT_EQ(f.sPanel1->Top(), 328 + extraH);
  EXPECT_EQ(f.TextViewer->Left(), 1);
  EXPECT_EQ(f.TextViewer->Height(), 327 + extraH);
  EXPECT_EQ(f.FontList->Top(), 25);
  EXPECT_EQ(f.BottomPanel->Top(), 447 + extraH);

  ::SetWindowPos(f.WindowHandle(), nullptr, 0, 0, 1300, 900, SWP_NOZORDER | SWP_NOMOVE);
  Pump();
  EXPECT_EQ(f.SidePanel->Width(), 250);
  RECT cr;
  ::GetClientRect(f.WindowHandle(), &cr);
  EXPECT_EQ(f.MainPanel->Width(), cr.right - 256);
  EXPECT_EQ(f.BottomPanel->Top() + f.BottomPanel->Height(), cr.bottom);
  EXPECT_EQ(f.Grid1->Height(), 136);

  // Smaller than the minimum is refused by the window itself.
  ::SetWindowPos(f.WindowHandle(), nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
  RECT wr;
  ::GetWindowRect(f.WindowHandle(), &wr);
  EXPECT_GE(wr.right - wr.left, 885);
  EXPECT_GE(wr.bottom - wr.top, 536);
}

TEST_F(MainFormTest, ChoosingAFamilyByKeyboardOrTypingUpdatesThePreview) {
  TForm1& f = Open();
  ASSERT_GE(f.FontList->Items().Count(), 2);
  f.FontSize->SetPosition(30);
  HWND list = f.FontList->WindowHandle();
  ::SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  ASSERT_EQ(f.FontList->ItemIndex(), 1);
  std::wstring second = f.FontList->Items().Get(1);
  EXPECT_EQ(f.TextViewer->Font().Name(), second);
  EXPECT_EQ(f.Grid1->Font().Name(), second);
  EXPECT_EQ(f.CharacterPreview->Font().Name(), second);
  EXPECT_EQ(f.TextViewer->Font().Size(), 30) << "choosing a family keeps the size";

  // Typed letters within the delay form one prefix.
  int tahoma = f.FontList->Items().IndexOf(L"Tahoma");
  ASSERT_GE(tahoma, 0) << "the test prefix has Tahoma";
  ::SendMessageW(list, WM_CHAR, L'T', 0);
  ::SendMessageW(list, WM_CHAR, L'a', 0);
  ::SendMessageW(list, WM_CHAR, L'h', 0);
  EXPECT_EQ(f.FontList->ItemIndex(), tahoma);
  EXPECT_EQ(f.TextViewer->Font().Name(), L"Tahoma");
}

TEST_F(MainFormTest, SizeBarChangesOnlyThePreviewText) {
  TForm1& f = Open();
  HWND bar = f.FontSize->WindowHandle();
  HWND parent = ::GetParent(bar);
  ::SendMessageW(parent, WM_HSCROLL, SB_RIGHT, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(f.FontNumber->Caption(), L"72");
  EXPECT_EQ(f.TextViewer->Font().Size(), 72);
  ::SendMessageW(parent, WM_HSCROLL, SB_LEFT, reinterpret_cast<LPARAM>(bar));
  ::SendMessageW(parent, WM_HSCROLL, SB_LINELEFT, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(f.FontNumber->Caption(), L"2");
  EXPECT_EQ(f.TextViewer->Font().Size(), 2);
  EXPECT_EQ(f.Grid1->Font().Height(), -11);
  EXPECT_EQ(f.CharacterPreview->Font().Height(), -19);
}

TEST_F(MainFormTest, EveryScrollBarPositionGivesThePreviewExactlyThatSize) {
  TForm1& f = Open(false);
  HWND text = f.TextViewer->WindowHandle();
  for (int points = 2; points <= 72; ++points) {
    f.FontSize->SetPosition(points);
    CHARFORMAT2W typed{}, shown{};
    typed.cbSize = shown.cbSize = sizeof(CHARFORMAT2W);
    ::SendMessageW(text, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&typed));
    ::SendMessageW(text, EM_SETSEL, 0, -1);
    ::SendMessageW(text, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(typed.yHeight, points * 20) << points << " points, new text";
    EXPECT_EQ(shown.yHeight, points * 20) << points << " points, the sample";
  }
}

TEST_F(MainFormTest, TabThenEscapeInThePreviewTextKeepsEveryControl) {
  TForm1& f = Open();
  HWND text = f.TextViewer->WindowHandle();
  const std::vector<HWND> controls{text, f.Grid1->WindowHandle(), f.CharactersCopy->WindowHandle(),
                                   f.MainPanel->WindowHandle()};
  const std::wstring sample = f.TextViewer->Text();
  auto press = [&](WORD vk) {
    ::SendMessageW(text, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
    ::SendMessageW(text, WM_LBUTTONUP, 0, MAKELPARAM(40, 40));
    ::PostMessageW(text, WM_KEYDOWN, vk, 1);
    ::PostMessageW(text, WM_KEYUP, vk, 0xC0000001);
    Pump();
  };
  press(VK_TAB);
  EXPECT_EQ(::GetFocus(), f.Grid1->WindowHandle()) << "Tab moves on to the grid";
  press(VK_ESCAPE);
  for (HWND h : controls) EXPECT_TRUE(::IsWindow(h));
  EXPECT_EQ(::GetFocus(), text);
  EXPECT_EQ(f.TextViewer->Text(), sample);
  EXPECT_TRUE(::IsWindowVisible(f.WindowHandle()));
}

TEST_F(MainFormTest, ContextMenusOfferAboutOnlyOnThePreviewText) {
  TForm1& f = Open(false);
  ASSERT_EQ(f.TextViewer->PopupMenu(), f.PopupMenu2);
  ASSERT_EQ(f.PopupMenu2->Items()->Count(), 1);
  EXPECT_EQ(f.PopupMenu2->Items()->Items(0)->Caption, L"About Glyphora");
  EXPECT_EQ(f.CharactersCopy->PopupMenu(), f.PopupMenu1);
  EXPECT_EQ(f.PopupMenu1->Items()->Count(), 0);
  // The empty menu shows nothing and the edit's own menu is not shown either
  // (it would block this call).
  ::SendMessageW(f.CharactersCopy->WindowHandle(), WM_CONTEXTMENU,
                 reinterpret_cast<WPARAM>(f.CharactersCopy->WindowHandle()), MAKELPARAM(10, 10));
}

TEST_F(MainFormTest, AboutBoxNamesTheProductVersionAndMaker) {
  TForm1& f = Open();
  MessageBoxCatcher catcher;
  f.AboutGlyphora1->Click();
  EXPECT_EQ(catcher.Count, 1);
  EXPECT_EQ(catcher.Caption, kAboutCaption);
  EXPECT_EQ(catcher.Caption.rfind(L"Glyphora Version 1.0", 0), 0u);
  EXPECT_EQ(catcher.Text, kAboutText);
  EXPECT_TRUE(::IsWindowEnabled(f.WindowHandle())) << "the window is enabled again after the modal box";
}

TEST_F(MainFormTest, ReopeningLeaksNoGdiObjects) {
  Open();
  form.reset();
  long before = LiveGdiObjects();
  for (int i = 0; i < 5; ++i) {
    Open();
    ::SendMessageW(form->FontList->WindowHandle(), WM_KEYDOWN, VK_DOWN, 0);
    Pump();
    form.reset();
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}

TEST_F(MainFormTest, TabVisitsTheControlsInTheirOrder) {
  TForm1& f = Open();
  std::vector<HWND> expected = {f.FontList->WindowHandle(), f.FontSize->WindowHandle(),
                                f.TextViewer->WindowHandle(), f.Grid1->WindowHandle(),
                                f.CharactersCopy->WindowHandle()};
  ASSERT_EQ(::GetFocus(), expected[0]);
  for (size_t i = 1; i <= expected.size(); ++i) {
    f.SelectNext(true);
    EXPECT_EQ(::GetFocus(), expected[i % expected.size()]) << "step " << i;
  }
  f.SelectNext(false);
  EXPECT_EQ(::GetFocus(), expected.back());
}

TEST_F(MainFormTest, NoFontFamiliesLeavesAnEmptyListAndAWorkingWindow) {
  TForm1& f = Open();
  TFontsArray empty;
  f.FontList->FontTable = &empty;
  f.FontList->FillFontList();
  const std::wstring before = f.TextViewer->Font().Name();
  f.FormCreate(&f);  // the startup sequence again, now with nothing to choose
  EXPECT_EQ(f.FontList->Items().Count(), 0);
  EXPECT_EQ(f.FontList->ItemIndex(), -1);
  EXPECT_EQ(f.TextViewer->Font().Name(), before);
  EXPECT_EQ(f.TextViewer->Lines().Count(), 16);
  f.FontListClick(f.FontList);
  ::SendMessageW(f.FontList->WindowHandle(), WM_KEYDOWN, VK_DOWN, 0);
  ::SendMessageW(f.FontList->WindowHandle(), WM_CHAR, L'a', 0);
  Pump();
  EXPECT_EQ(f.TextViewer->Font().Name(), before);
}

// Paging and turning the wheel with redrawing off: the list shows again at
// once, scrolled, with the skinned bar painted for the new place and no
// other bar pixels on the screen.
TEST_F(MainFormTest, ScrollingTheListLeavesItShownWithItsSkinnedBarUpToDate) {
  TForm1& f = Open();
  const HWND list = f.FontList->WindowHandle();
  TacScrollWnd* bars = TacScrollWnd::Of(list);
  ASSERT_TRUE(bars && bars->BarsSkinned());
  auto barOnScreen = [&] {
    std::vector<COLORREF> px;
    const RECT bar = bars->BarRect(SB_VERT);
    RECT wr;
    ::GetWindowRect(list, &wr);
    HDC dc = ::GetWindowDC(list);
    for (int y = bar.top; y < bar.bottom; y += 2)
      for (int x = bar.left; x < bar.right; x += 2) px.push_back(::GetPixel(dc, x - wr.left, y - wr.top));
    ::ReleaseDC(list, dc);
    return px;
  };
  auto barPainted = [&] {
    std::vector<COLORREF> px;
    const TBitmap32& b = bars->BarPixels(SB_VERT);
    for (int y = 0; y < b.Height(); y += 2)
      for (int x = 0; x < b.Width(); x += 2) {
        const uint32_t p = b.Pixel(x, y);
        px.push_back(RGB(p >> 16 & 255, p >> 8 & 255, p & 255));
      }
    return px;
  };
  RECT lr;
  ::GetWindowRect(list, &lr);
  const LPARAM centre = MAKELPARAM((lr.left + lr.right) / 2, (lr.top + lr.bottom) / 2);
  struct Step { const char* what; UINT msg; WPARAM w; } steps[] = {
      {"page down", WM_VSCROLL, SB_PAGEDOWN},
      {"wheel down", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA))},
      {"page up", WM_VSCROLL, SB_PAGEUP}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    const int top = f.FontList->TopIndex();
    const auto before = barPainted();
    ::SendMessageW(list, s.msg, s.w, s.msg == WM_MOUSEWHEEL ? centre : 0);
    ::UpdateWindow(list);
    EXPECT_TRUE(::GetWindowLongPtrW(list, GWL_STYLE) & WS_VISIBLE);
    ASSERT_NE(f.FontList->TopIndex(), top) << "the machine's families fill more than a page";
    EXPECT_NE(barPainted(), before) << "the thumb moved";
    EXPECT_EQ(barOnScreen(), barPainted());
  }
}
