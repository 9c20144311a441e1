// The main window's skinned edit, rich edit and font list: frames from the
// skin with no native pixel, the selection's look by focus, the disabled
// copy box from its cache, and the platform's look given back exactly when
// the skin is removed, again and again.
#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <stdexcept>

#include "app/main_form.h"
#include "framework/graphics.h"
#include "framework/handles.h"
#include "gui_test_support.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_content.h"
#include "skin/paint/control_adapter_win.h"
#include "skin/paint/scroll_wnd_win.h"
#include "skin/paint/section_paint.h"
#include "tests/app/app_fixture.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

COLORREF AsColorRef(uint32_t p) { return RGB(p >> 16 & 255, p >> 8 & 255, p & 255); }

class SkinnedControlsTest : public MainFormTest {
 protected:
  // Frame pixels of the window that differ from the skin data's cache.
  static int FrameDifferences(HWND w, TsCommonData& data, int frame, int* checked) {
    RECT wr;
    ::GetWindowRect(w, &wr);
    const int width = wr.right - wr.left, height = wr.bottom - wr.top;
    TBitmap32* cache = data.CachePixels();
    if (!cache || cache->Width() != width || cache->Height() != height) return -1;
    ::GdiFlush();
    HDC dc = ::GetWindowDC(w);
    int differ = 0;
    for (int i = 0; i < frame; ++i)
      for (int x = 0; x < width; x += 2)
        for (int y : {i, height - 1 - i}) {
          ++*checked;
          differ += ::GetPixel(dc, x, y) != AsColorRef(cache->Pixel(x, y));
        }
    for (int i = 0; i < frame; ++i)
      for (int y = 0; y < height; y += 2)
        for (int x : {i, width - 1 - i}) {
          ++*checked;
          differ += ::GetPixel(dc, x, y) != AsColorRef(cache->Pixel(x, y));
        }
    ::ReleaseDC(w, dc);
    return differ;
  }
  COLORREF ClientPixel(HWND w, int x, int y) {
    HDC dc = ::GetDC(w);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(w, dc);
    return c;
  }
};

TEST_F(SkinnedControlsTest, FramesComeFromTheSkinFromTheFirstPaintAndWhileTyping) {
  Open();
  struct Case { const char* name; TWinControl* control; TsCommonData* data; int frame; } cases[] = {
      {"copy box", form->CharactersCopy, form->CharactersCopy->SkinData.get(), form->CharactersCopy->FrameWidth()},
      {"sample text", form->TextViewer, form->TextViewer->SkinData.get(),
       form->TextViewer->Adapter() ? form->TextViewer->Adapter()->FrameWidth() : 0},
      {"font list", form->FontList, form->FontList->SkinData.get(),
       form->FontList->Adapter() ? form->FontList->Adapter()->FrameWidth() : 0}};
  for (int typed = 0; typed < 2; ++typed) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.name << (typed ? " after typing" : " first paint"));
      ASSERT_GT(c.frame, 0);
      int checked = 0;
      EXPECT_EQ(FrameDifferences(c.control->WindowHandle(), *c.data, c.frame, &checked), 0);
      EXPECT_GT(checked, 100);
    }
    for (HWND w : {form->TextViewer->WindowHandle(), form->CharactersCopy->WindowHandle()}) {
      ::SetFocus(w);
      for (wchar_t ch : std::wstring(L"typed\r")) ::SendMessageW(w, WM_CHAR, ch, 0);
    }
    Pump(30);
  }
}

TEST_F(SkinnedControlsTest, TheSelectionShowsTheSectionsHotLookOnlyWhileTheListHasTheFocus) {
  Open();
  TsFontListBox* list = form->FontList;
  TsSkinManager* manager = form->sSkinManager1;
  const int32_t selection = manager->GetSkinIndex("SELECTION");
  ASSERT_TRUE(manager->IsValidSkinIndex(selection));
  list->SetItemIndex(0);
  const RECT row = list->ItemRect(0);
  const int w = row.right - row.left, h = row.bottom - row.top;
  const POINT probe{w - 3, h / 2};  // right of the name
  auto expected = [&](int state) {
    TBitmap32 b(w, h);
    PaintSection(&manager->Content(), selection, "SELECTION", TCacheInfo{nullptr, 0, 0, list->Color(), false}, -1,
                 -1, &b, TPoint32{0, 0}, TRect32{0, 0, w, h}, state);
    return AsColorRef(b.Pixel(probe.x, probe.y));
  };
  ASSERT_NE(expected(0), expected(1)) << "the skin's selection must look different when hot";
  struct Case { const char* what; TWinControl* focus; int state; } cases[] = {
      {"list focused", list, 1}, {"sample text focused", form->TextViewer, 0}, {"list again", list, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.focus->SetFocus();
    Pump(30);
    EXPECT_EQ(ClientPixel(list->WindowHandle(), row.left + probe.x, row.top + probe.y), expected(c.state));
  }
  // A selection set by program while the list has the focus (no caret
  // from the platform) looks focused too.
  list->SetItemIndex(2);
  Pump(30);
  const RECT row2 = list->ItemRect(2);
  EXPECT_EQ(ClientPixel(list->WindowHandle(), row2.left + probe.x, row2.top + probe.y), expected(1));
  // A keyboard selection change draws the two rows that changed, no more.
  list->SetItemIndex(0);
  Pump(30);
  const int before = list->RowsDrawn();
  ::SendMessageW(list->WindowHandle(), WM_KEYDOWN, VK_DOWN, 0);
  ::UpdateWindow(list->WindowHandle());
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_LE(list->RowsDrawn() - before, 2);
  EXPECT_GE(list->RowsDrawn() - before, 1);
}

TEST_F(SkinnedControlsTest, ADisabledCopyBoxIsDrawnFromItsCacheWithItsTextBlended) {
  Open();
  TsEdit* edit = form->CharactersCopy;
  edit->SetText(L"WWWWWW");
  HWND w = edit->WindowHandle();
  const int b = edit->FrameWidth();
  auto darkest = [&](bool fromCache) {
    int best = 255 * 3;
    RECT cr;
    ::GetClientRect(w, &cr);
    HDC dc = ::GetDC(w);
    for (int y = 0; y < cr.bottom; ++y)
      for (int x = 0; x < cr.right; ++x) {
        const COLORREF c = fromCache ? AsColorRef(edit->SkinData->CachePixels()->Pixel(x + b, y + b)) : ::GetPixel(dc, x, y);
        best = std::min(best, GetRValue(c) + GetGValue(c) + GetBValue(c));
      }
    ::ReleaseDC(w, dc);
    return best;
  };
  Pump(30);
  const int enabledDarkest = darkest(false);
  edit->SetEnabled(false);
  Pump(30);
  const int shown = darkest(false);
  EXPECT_EQ(shown, darkest(true)) << "the client area comes from the cache";
  EXPECT_GT(shown, enabledDarkest) << "blended, lighter than the platform's text";
  EXPECT_LT(shown, 255 * 3) << "but the text is there";
  edit->SetEnabled(true);
  Pump(30);
  EXPECT_EQ(darkest(false), enabledDarkest) << "the platform's text is back";
}

TEST_F(SkinnedControlsTest, APrintShowsTheControlAsOnScreenAtTheCallersOrigin) {
  Open();
  form->Grid1->SetFocus();  // no caret in the printed controls
  form->TextViewer->SetText(L"printed sample");
  Pump(50);
  // The window printed into a bitmap whose origin lies elsewhere, as when a
  // parent's picture is composed, then compared with the screen.
  const POINT at{7, 5};
  struct Case { const char* name; TWinControl* control; } cases[] = {
      {"font list", form->FontList}, {"sample text", form->TextViewer}, {"copy box", form->CharactersCopy}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND w = c.control->WindowHandle();
    RECT wr;
    ::GetWindowRect(w, &wr);
    const int width = wr.right - wr.left, height = wr.bottom - wr.top;
    TDibBitmap screen(width, height), printed(width + at.x, height + at.y);
    {
      WindowDC dc(w, TDcArea::Whole);
      ::BitBlt(screen.DC(), 0, 0, width, height, dc.get(), 0, 0, SRCCOPY);
    }
    ::SetViewportOrgEx(printed.DC(), at.x, at.y, nullptr);
    ::SendMessageW(w, WM_PRINT, reinterpret_cast<WPARAM>(printed.DC()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    ::GdiFlush();
    int differ = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        differ += (screen.Pixels().Pixel(x, y) & 0xFFFFFF) != (printed.Pixels().Pixel(x + at.x, y + at.y) & 0xFFFFFF);
    EXPECT_EQ(differ, 0) << "of " << width * height << " pixels";
  }
}

TEST_F(SkinnedControlsTest, AnExceptionWhileScrollingLeavesTheListRedrawing) {
  Open();
  std::vector<std::string> errors;
  Application()->OnException = [&](const std::exception& e) { errors.push_back(e.what()); };
  form->FontList->OnScroll = [](TComponent*) { throw std::runtime_error("scroll handler failed"); };
  ::SendMessageW(form->FontList->WindowHandle(), WM_VSCROLL, SB_LINEDOWN, 0);
  Application()->OnException = nullptr;
  EXPECT_EQ(errors.size(), 1u);
  // Redrawing off hides a window from IsWindowVisible.
  EXPECT_TRUE(::IsWindowVisible(form->FontList->WindowHandle()));
  EXPECT_FALSE(form->FontList->SkinData->FUpdating);
}

TEST_F(SkinnedControlsTest, RemovingAndRestoringTheSkinGivesTheNativeLookBackAndSkinsAgain) {
  Open();
  TsSkinManager* manager = form->sSkinManager1;
  TsRichEdit* viewer = form->TextViewer;
  viewer->SetText(L"bold plain");
  ::SendMessageW(viewer->WindowHandle(), EM_SETSEL, 0, 4);
  CHARFORMAT2W bold{};
  bold.cbSize = sizeof(bold);
  bold.dwMask = CFM_BOLD;
  bold.dwEffects = CFE_BOLD;
  ::SendMessageW(viewer->WindowHandle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
  auto boldAt = [&](int i) {
    ::SendMessageW(viewer->WindowHandle(), EM_SETSEL, i, i + 1);
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    ::SendMessageW(viewer->WindowHandle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return (cf.dwEffects & CFE_BOLD) != 0;
  };
  // The platform's own sunken edge of a window of the same class that
  // nobody skins.
  auto nativeEdge = [&](HWND like) {
    wchar_t cls[64];
    ::GetClassNameW(like, cls, 64);
    HWND plain = ::CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_TOPMOST, cls, L"", WS_POPUP | WS_VISIBLE, 1500, 900, 40,
                                   20, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::RedrawWindow(plain, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(30);
    HDC dc = ::GetWindowDC(plain);
    const COLORREF c = ::GetPixel(dc, 0, 0);
    ::ReleaseDC(plain, dc);
    ::DestroyWindow(plain);
    return c;
  };
  const int adapters = TacMainWnd::LiveCount();
  EXPECT_EQ(adapters, 2) << "the sample text and the font list";
  for (int cycle = 0; cycle < 3; ++cycle) {
    SCOPED_TRACE(cycle);
    manager->SetActive(false);
    Pump(30);
    EXPECT_EQ(TacMainWnd::LiveCount(), 0);
    struct Native { const char* what; TWinControl* control; } natives[] = {
        {"copy box", form->CharactersCopy}, {"sample text", viewer}, {"font list", form->FontList}};
    for (const Native& n : natives) {
      SCOPED_TRACE(n.what);
      HWND w = n.control->WindowHandle();
      EXPECT_EQ(TacScrollWnd::Of(w), nullptr);
      EXPECT_EQ(n.control->Color(), clWindow);
      HDC dc = ::GetWindowDC(w);
      const COLORREF edge = ::GetPixel(dc, 0, 0);
      ::ReleaseDC(w, dc);
      EXPECT_EQ(edge, nativeEdge(w)) << "the platform's sunken edge";
    }
    EXPECT_EQ(viewer->Text(), L"bold plain");
    EXPECT_TRUE(boldAt(1));
    EXPECT_FALSE(boldAt(7));
    manager->SetActive(true);
    Pump(30);
    EXPECT_EQ(TacMainWnd::LiveCount(), adapters) << "one adapter a window";
    EXPECT_NE(viewer->Adapter(), nullptr);
    EXPECT_NE(form->FontList->Adapter(), nullptr);
    EXPECT_EQ(viewer->Text(), L"bold plain");
    EXPECT_TRUE(boldAt(1));
  }
}

}  // namespace
