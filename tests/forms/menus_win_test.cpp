// Skinned popup menus and the skinned system menu on the real main window:
// item sizes, the pixels of each item kind, the popup's region, the system
// menu's items per window state, commands reaching the form, keyboard use,
// skin switches with a menu open, and that nothing is left behind.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/app_fixture.h"
#include "forms/menu_loop.h"
#include "framework/window_hook.h"
#include "skin/forms/menu_window_win.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSystemMenu.h"
#include "skin/paint/control_adapter_win.h"
#include "skin/paint/mask_image.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

COLORREF ToRef(TColor c) { return RGB(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
int Luma(COLORREF c) { return (GetRValue(c) * 3 + GetGValue(c) * 6 + GetBValue(c)) / 10; }

// Records the system commands the form gets; close is kept from the form.
struct CommandSpy {
  std::vector<WPARAM> commands;
  TWindowHook hook{[this](TMessage& m) {
    if (m.Msg != WM_SYSCOMMAND) return false;
    commands.push_back(m.WParam);
    const WPARAM c = m.WParam & 0xFFF0;
    return c == SC_CLOSE || c < 0xF000;
  }};
};

class MenuTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Open();
    menus = TsSkinableMenus::Of(form->sSkinManager1);
  }
  TsSkinProvider& Provider() { return *form->sSkinProvider1; }
  HWND Wnd() { return form->WindowHandle(); }
  TSkinContent& Skin() { return form->sSkinManager1->Content(); }
  // A popup of its own: one item of each kind.
  TPopupMenu* KindsMenu() {
    auto* menu = new TPopupMenu(form.get());
    auto add = [&](const wchar_t* caption) {
      auto* i = new TMenuItem(form.get());
      i->Caption = caption;
      menu->Add(i);
      return i;
    };
    add(L"&Normal");
    add(L"&Disabled")->Enabled = false;
    add(L"&Checked")->Checked = true;
    TMenuItem* radio = add(L"&Radio");
    radio->Checked = radio->RadioItem = true;
    add(L"-");
    add(L"-Fonts-");
    add(L"C&lose")->ShortCut = scAlt | VK_F4;
    return menu;
  }
  RECT ItemRect(HWND popup, int index) {
    RECT r{};
    ::GetMenuItemRect(popup, reinterpret_cast<HMENU>(::SendMessageW(popup, 0x01E1, 0, 0)), index, &r);
    ::MapWindowPoints(nullptr, popup, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  static COLORREF Pixel(HWND w, int x, int y) {
    HDC dc = ::GetWindowDC(w);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(w, dc);
    return c;
  }
  void Shot(HWND popup, const wchar_t* name) {
    wchar_t dir[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"GLYPHORA_SHOT_DIR", dir, MAX_PATH)) return;
    RECT r;
    ::GetWindowRect(popup, &r);
    RECT f;
    ::GetWindowRect(Wnd(), &f);
    ::UnionRect(&r, &r, &f);
    SaveScreenRect(r, std::wstring(dir) + L"\\" + name + L".bmp");
  }
  TsSkinableMenus* menus = nullptr;
};

TEST_F(MenuTest, ItemSizesFollowTheMenuFontAndTheItemKind) {
  WindowDC dc(nullptr);
  ::SelectObject(dc.get(), MenuFont(false));
  SIZE w{};
  ::GetTextExtentPoint32W(dc.get(), L"W", 1, &w);
  const int line = static_cast<int>(std::lround(w.cy * 1.25));
  auto textWidth = [&](const wchar_t* s) {
    RECT r{};
    ::DrawTextW(dc.get(), s, -1, &r, DT_SINGLELINE | DT_CALCRECT);
    return static_cast<int>(r.right);
  };
  // Width: two glyph columns (16), the text, three margins (2) and the spacing (8).
  const struct {
    const wchar_t* caption;
    TShortCut shortCut;
    const wchar_t* measured;
    int height;
  } cases[] = {
      {L"-", 0, L"", 2},
      {L"-Fonts-", 0, L"--Fonts--", line + 4},
      {L"About Glyphora", 0, L"About Glyphora", std::max(line, 16) + 4},
      {L"&Close", scAlt | VK_F4, L"&CloseAlt+F4", std::max(line, 16) + 4},
  };
  for (const auto& c : cases) {
    TMenuItem item(nullptr);
    item.Caption = c.caption;
    item.ShortCut = c.shortCut;
    int width = 0, height = 0;
    menus->MeasureItem(&item, dc.get(), width, height);
    EXPECT_EQ(height, c.height) << c.caption;
    EXPECT_EQ(width, 32 + (c.measured[0] ? textWidth(c.measured) : 0) + 6 + 8) << c.caption;
  }
}

TEST_F(MenuTest, EachItemKindIsDrawnFromTheSkinAndTheRegionCutsTheMaskCorners) {
  TPopupMenu* menu = KindsMenu();
  const int32_t itemIdx = Skin().GetSkinIndex("MENUITEM");
  const int32_t toolbar = Skin().GetSkinIndex("TOOLBAR");
  ASSERT_GE(itemIdx, 0);
  const COLORREF hot = ToRef(Skin().gd[itemIdx].HotColor);
  const COLORREF toolbarColor = ToRef(Skin().gd[toolbar].Color);
  struct Seen {
    COLORREF normalEdge = 0, hotEdge = 0, disabledEdge = 0, disabledHotEdge = 0, captionInside = 0;
    int normalDarkest = 255, disabledDarkest = 255, checkDiff = 0, radioDiff = 0, shortcutRight = -1;
    int closeWidth = 0;
    bool corner = true, adapterSeen = false;
  } seen;
  auto edge = [&](HWND p, int i) {
    const RECT r = ItemRect(p, i);
    return Pixel(p, r.right - 4, (r.top + r.bottom) / 2);
  };
  auto darkest = [&](HWND p, int i) {
    const RECT r = ItemRect(p, i);
    int d = 255;
    for (int x = r.left + 28; x < r.right - 10; ++x) d = std::min(d, Luma(Pixel(p, x, (r.top + r.bottom) / 2)));
    return d;
  };
  // Pixels of the glyph column that differ between two items.
  auto glyphDiff = [&](HWND p, int a, int b) {
    const RECT ra = ItemRect(p, a), rb = ItemRect(p, b);
    int n = 0;
    for (int y = 0; y < std::min(ra.bottom - ra.top, rb.bottom - rb.top); ++y)
      for (int x = 0; x < 20; ++x) n += Pixel(p, ra.left + x, ra.top + y) != Pixel(p, rb.left + x, rb.top + y);
    return n;
  };
  MenuLoop loop({
      [&](HWND p) {
        seen.adapterSeen = menus->AdapterOf(p) != nullptr;
        seen.normalEdge = edge(p, 0);
        seen.disabledEdge = edge(p, 1);
        seen.normalDarkest = darkest(p, 0);
        seen.disabledDarkest = darkest(p, 1);
        seen.checkDiff = glyphDiff(p, 2, 0);
        seen.radioDiff = glyphDiff(p, 3, 2);
        const RECT c = ItemRect(p, 5);
        seen.captionInside = Pixel(p, c.left + 3, (c.top + c.bottom) / 2);
        const RECT s = ItemRect(p, 6);
        seen.closeWidth = s.right - s.left;
        for (int x = s.left; x < s.right; ++x)
          if (Luma(Pixel(p, x, (s.top + s.bottom) / 2 + 1)) < 128) seen.shortcutRight = x - s.left;
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        seen.corner = ::GetWindowRgn(p, rgn) == ERROR || ::PtInRegion(rgn, 0, 0);
        ::DeleteObject(rgn);
        MenuLoop::Key(p, VK_DOWN);  // the first item
      },
      [&](HWND p) {
        seen.hotEdge = edge(p, 0);
        Shot(p, L"kinds_menu");
        MenuLoop::Key(p, VK_DOWN);  // the disabled item
      },
      [&](HWND p) { seen.disabledHotEdge = edge(p, 1); },
  });
  menu->Popup(200, 200);
  ASSERT_EQ(loop.StepsRun(), 3);
  EXPECT_TRUE(seen.adapterSeen);
  EXPECT_EQ(seen.hotEdge, hot);
  EXPECT_NE(seen.normalEdge, hot);
  EXPECT_EQ(seen.disabledHotEdge, seen.disabledEdge) << "selected or not, a disabled item looks the same";
  EXPECT_NE(seen.disabledHotEdge, hot) << "a disabled item is never highlighted";
  EXPECT_GT(seen.disabledDarkest, seen.normalDarkest + 40) << "disabled text is blended towards the background";
  EXPECT_GT(seen.checkDiff, 10) << "the check image";
  EXPECT_GT(seen.radioDiff, 10) << "the radio image differs from the check";
  EXPECT_EQ(seen.captionInside, toolbarColor);
  // The shortcut ends 8 pixels before the item's right edge (its last ink
  // pixel a little before).
  EXPECT_LE(seen.shortcutRight, seen.closeWidth - 8);
  EXPECT_GE(seen.shortcutRight, seen.closeWidth - 14);
  // MAINMENU's mask has key pixels in its top-left corner: cut from the window.
  const TsMaskData& mask = Skin().ma[size_t(Skin().gd[Skin().GetSkinIndex("MAINMENU")].BorderIndex)];
  const bool keyCorner = ImageSource(mask)->Pixel(mask.R.Left, mask.R.Top) == KeyColor32;
  EXPECT_EQ(seen.corner, !keyCorner);
}

TEST_F(MenuTest, PreviewContextMenuIsSkinnedAndItsItemOpensTheAboutBox) {
  MessageBoxCatcher box;
  HWND text = form->TextViewer->WindowHandle();
  RECT r;
  ::GetWindowRect(text, &r);
  COLORREF hotSeen = 0;
  MenuLoop loop({
      [&](HWND p) { MenuLoop::Key(p, VK_DOWN); },
      [&](HWND p) {
        const RECT item = ItemRect(p, 0);
        hotSeen = Pixel(p, item.right - 4, (item.top + item.bottom) / 2);
        Shot(p, L"preview_menu");
        MenuLoop::Key(p, VK_RETURN);
      },
  });
  ::SendMessageW(text, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text), MAKELPARAM(r.left + 40, r.top + 30));
  Pump(300);
  EXPECT_EQ(hotSeen, ToRef(Skin().gd[Skin().GetSkinIndex("MENUITEM")].HotColor));
  EXPECT_EQ(box.Caption, kAboutCaption);
}

TEST_F(MenuTest, SystemMenuItemsFollowTheWindowState) {
  HWND w = Wnd();
  EXPECT_FALSE(::GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU) << "the skinned frame takes the system menu off";
  EXPECT_TRUE(Provider().HaveSysMenu());
  ASSERT_NE(Provider().SystemMenu(), nullptr);
  TsSystemMenu& sys = *Provider().SystemMenu();
  const struct {
    const char* name;
    int show;
    bool enabled[6];  // Restore, Move, Size, Minimize, Maximize, Close
  } cases[] = {
      {"normal", SW_RESTORE, {false, true, true, true, true, true}},
      {"maximised", SW_MAXIMIZE, {true, false, true, true, false, true}},
      {"minimised", SW_MINIMIZE, {true, true, false, false, true, true}},
  };
  for (const auto& c : cases) {
    ::ShowWindow(w, c.show);
    Pump(50);
    sys.UpdateItems(true);
    TMenuItem* items[6] = {sys.ItemRestore, sys.ItemMove, sys.ItemSize, sys.ItemMinimize, sys.ItemMaximize,
                           sys.ItemClose};
    for (int i = 0; i < 6; ++i) {
      ASSERT_NE(items[i], nullptr);
      EXPECT_TRUE(items[i]->Visible) << c.name << " " << i;
      EXPECT_EQ(items[i]->Enabled, c.enabled[i]) << c.name << " " << i;
    }
  }
  ::ShowWindow(w, SW_RESTORE);
  Pump(50);
  EXPECT_EQ(sys.ItemRestore->Caption, L"&Restore");
  EXPECT_EQ(sys.ItemClose->Caption, L"&Close");
  EXPECT_EQ(sys.ItemClose->ShortCut, scAlt | VK_F4);
  // Without a maximise box neither the item nor the caption button shows.
  const LONG style = ::GetWindowLongW(w, GWL_STYLE);
  ::SetWindowLongW(w, GWL_STYLE, style & ~WS_MAXIMIZEBOX);
  form->sSkinManager1->RepaintForms(false);  // the frame lays itself out again
  sys.UpdateItems();
  EXPECT_FALSE(sys.ItemMaximize->Visible);
  EXPECT_EQ(RectWidth(Provider().Layout().Buttons[cbMax]), 0);
  EXPECT_GT(RectWidth(Provider().Layout().Buttons[cbMin]), 0);
  ::SetWindowLongW(w, GWL_STYLE, style);
}

TEST_F(MenuTest, ChosenItemsReachTheFormAndPlatformItemsKeepTheirCommands) {
  HWND w = Wnd();
  HMENU platform = ::GetSystemMenu(w, FALSE);
  ASSERT_NE(platform, nullptr);
  constexpr UINT kEject = 0x120;
  ::AppendMenuW(platform, MF_STRING, kEject, L"E&ject\tCtrl+J");
  ::AppendMenuW(platform, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), L"Sub");
  TsSystemMenu& sys = *Provider().SystemMenu();
  sys.UpdateItems(true);
  TMenuItem* eject = nullptr;
  for (int i = 0; i < sys.Items()->Count(); ++i) {
    TMenuItem* item = sys.Items()->Items(i);
    EXPECT_NE(item->Caption, L"Sub") << "a submenu is no command";
    if (item->Tag == kEject) eject = item;
  }
  ASSERT_NE(eject, nullptr);
  EXPECT_EQ(eject->Caption, L"E&ject");
  EXPECT_EQ(eject->ShortCut, scCtrl | 'J');
  // Each item chosen by its access key; Close and the platform's items are
  // posted, so they arrive only once the menu has gone.
  const struct {
    wchar_t key;
    WPARAM command;
    bool posted;
  } cases[] = {{L'n', SC_MINIMIZE, false}, {L'j', kEject, true}, {L'c', SC_CLOSE, true}};
  for (const auto& c : cases) {
    ::ShowWindow(w, SW_RESTORE);
    Pump(30);
    CommandSpy spy;
    spy.hook.Attach(w);
    MenuLoop loop({[&](HWND p) { MenuLoop::Char(p, c.key); }});
    Provider().DropSysMenu(100, 100);
    const bool seenAtOnce = !spy.commands.empty();
    Pump(30);
    ASSERT_FALSE(spy.commands.empty()) << char(c.key);
    EXPECT_EQ(spy.commands.back() & (c.command < 0xF000 ? ~WPARAM(0) : 0xFFF0), c.command);
    EXPECT_EQ(seenAtOnce, !c.posted) << char(c.key);
  }
  ::ShowWindow(w, SW_RESTORE);
  Pump(30);
}

TEST_F(MenuTest, KeyboardIconClickAndRightClickDropTheMenuWhereThePlatformDoes) {
  HWND w = Wnd();
  // The caption (with an extended border, above the window) on the screen.
  ::SetWindowPos(w, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Pump(20);
  const TRect32 icon = Provider().IconScreenRect();
  ASSERT_GT(RectWidth(icon), 0);
  RECT wr;
  ::GetWindowRect(w, &wr);
  // Below the icon, one native frame width in from the window's left.
  const TFrameLayout& l = Provider().Layout();
  const POINT belowIcon{wr.left + (l.In.Extended ? l.In.NativeFrame : l.In.SysBorderWidth), icon.Bottom + 1};
  const POINT onCaption{wr.left + (wr.right - wr.left) / 2, icon.Top + 2};
  const LPARAM iconPoint = MAKELPARAM((icon.Left + icon.Right) / 2, (icon.Top + icon.Bottom) / 2);
  const LPARAM captionPoint = MAKELPARAM(onCaption.x, onCaption.y);
  const struct {
    const char* name;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    POINT at;
  } cases[] = {
      {"Alt+Space", WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE, belowIcon},
      {"icon click", WM_NCLBUTTONDOWN, WPARAM(-1), iconPoint, belowIcon},
      {"right click on the caption", WM_NCRBUTTONUP, WPARAM(-1), captionPoint, onCaption},
      {"taskbar request", 0x0313, 0, 0, onCaption},
  };
  for (const auto& c : cases) {
    ::SetCursorPos(onCaption.x, onCaption.y);
    RECT shown{};
    MenuLoop loop({[&](HWND p) {
      ::GetWindowRect(p, &shown);
      if (c.msg == WM_SYSCOMMAND) Shot(p, L"system_menu");
    }});
    ::SendMessageW(w, c.msg, c.wParam, c.lParam);
    EXPECT_EQ(loop.StepsRun(), 1) << c.name;
    EXPECT_EQ(shown.left, c.at.x) << c.name;
    EXPECT_EQ(shown.top, c.at.y) << c.name;
  }
}

TEST_F(MenuTest, ADoubleClickOnTheIconClosesTheFormAndALateSecondClickOnlyTheMenu) {
  HWND w = Wnd();
  ::SetForegroundWindow(w);
  Pump(50);
  const TRect32 icon = Provider().IconScreenRect();
  ASSERT_GT(RectWidth(icon), 0);
  auto click = [&] {
    ::SetCursorPos((icon.Left + icon.Right) / 2, (icon.Top + icon.Bottom) / 2);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
  };
  for (const bool late : {false, true}) {
    CommandSpy spy;
    spy.hook.Attach(w);
    bool opened = false;
    MenuLoop loop({[&](HWND) {
      opened = true;
      if (late) ::Sleep(::GetDoubleClickTime() + 100);
      click();
    }});
    click();
    Pump(::GetDoubleClickTime() + 400);
    EXPECT_TRUE(opened) << late;
    const bool closed = std::count(spy.commands.begin(), spy.commands.end(), WPARAM(SC_CLOSE)) > 0;
    EXPECT_EQ(closed, !late) << late;
    EXPECT_EQ(MenuLoop::Popup(), nullptr) << "the second click ended the menu";
  }
}

TEST_F(MenuTest, MenusOpenedAroundSkinSwitchesLeaveNothingBehind) {
  MessageBoxCatcher otherHook;  // a second CBT hook of the thread
  TPopupMenu* menu = KindsMenu();
  TsSkinManager& mgr = *form->sSkinManager1;
  const std::wstring skin = mgr.SkinName();
  auto openAndSwitch = [&](bool switchSkin) {
    size_t adapters = 0;
    MenuLoop loop({
        [&](HWND p) {
          adapters = menus->AdapterCount();
          MenuLoop::Key(p, VK_DOWN);
          if (switchSkin) mgr.SetSkinName(skin);
        },
        [&](HWND p) { MenuLoop::Key(p, VK_DOWN); },
    });
    menu->Popup(150, 150);
    Pump(30);
    return adapters;
  };
  openAndSwitch(false);  // fonts and scratch bitmaps made once
  const long gdi = LiveGdiObjects();
  const int adaptersAlive = TacMainWnd::LiveCount();
  for (bool switchSkin : {false, true, true}) {
    EXPECT_EQ(openAndSwitch(switchSkin), 1u) << "the popup window got its adapter";
    EXPECT_EQ(menus->AdapterCount(), 0u);
    EXPECT_EQ(menus->CacheCount(), 0u);
    EXPECT_EQ(TacMainWnd::LiveCount(), adaptersAlive);
  }
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(otherHook.Count, 0);
}

TEST_F(MenuTest, BorderRequestsCarryTheMenuHandleAndFindOnlyLivePopups) {
  TPopupMenu* menu = KindsMenu();
  HMENU shown = nullptr;
  bool regionBack = false;
  MenuLoop loop({
      [&](HWND p) {
        shown = reinterpret_cast<HMENU>(::SendMessageW(p, 0x01E1, 0, 0));
        ::SetWindowRgn(p, nullptr, FALSE);
        menus->AdapterOf(p)->SetRegionCurrent(false);
        ::PostMessageW(Application()->Handle(), TsSkinableMenus::kBorderRequestMsg, 0, reinterpret_cast<LPARAM>(shown));
      },
      [&](HWND p) {
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        regionBack = ::GetWindowRgn(p, rgn) != ERROR;
        ::DeleteObject(rgn);
      },
  });
  menu->Popup(120, 120);
  EXPECT_TRUE(regionBack);
  // The popup has gone: a late request for its menu finds nothing.
  ::PostMessageW(Application()->Handle(), TsSkinableMenus::kBorderRequestMsg, 0, reinterpret_cast<LPARAM>(shown));
  Pump(30);
  EXPECT_EQ(menus->CacheCount(), 0u);
}

TEST_F(MenuTest, SkinListKeepsNamesWithAmpersands) {
  TsSkinManager& mgr = *form->sSkinManager1;
  TsStoredSkin copy = mgr.InternalSkins.at(0);
  copy.Name = L"Ink & Paper (internal)";
  mgr.InternalSkins.push_back(copy);
  TsSystemMenu& sys = *Provider().SystemMenu();
  sys.UpdateItems(true);
  sys.MakeSkinItems();
  ASSERT_EQ(sys.Items()->Items(0)->Name, L"SkinSelectItem");
  TacSkinSelectItem* ink = nullptr;
  TMenuItem* list = sys.Items()->Items(0);
  for (int i = 0; i < list->Count(); ++i)
    if (auto* s = dynamic_cast<TacSkinSelectItem*>(list->Items(i)); s && s->SkinName == copy.Name) ink = s;
  ASSERT_NE(ink, nullptr);
  EXPECT_EQ(ink->Caption, L"Ink && Paper (internal)");
  EXPECT_FALSE(ink->Checked);
  ink->Click();
  EXPECT_EQ(mgr.SkinName(), copy.Name);
}

}  // namespace
