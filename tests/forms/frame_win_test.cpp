// The main window's skinned frame in-process: hit testing through the
// window's messages, the window region against the border mask, button
// clicks, a release outside a button, and the caption's pixels.
#include <windows.h>

#include <vector>

#include "app/app_fixture.h"
#include "framework/window_hook.h"
#include "skin/core/animation_state.h"
#include "skin/core/skin_content.h"
#include "skin/paint/mask_image.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

TPoint32 Centre(const TRect32& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// The frame the form draws over its own non-client area: the main window
// with its manager's extended borders switched off.
class FrameTest : public MainFormTest {
 protected:
  void Open() {
    MainFormTest::Open();
    form->sSkinManager1->SetExtendedBorders(false);
    Pump();
  }
  TsSkinProvider& Provider() { return *form->sSkinProvider1; }
  HWND Wnd() { return form->WindowHandle(); }
  POINT Screen(TPoint32 p) {
    RECT wr;
    ::GetWindowRect(Wnd(), &wr);
    return {wr.left + p.X, wr.top + p.Y};
  }
  LPARAM ScreenParam(TPoint32 p) {
    const POINT s = Screen(p);
    return MAKELPARAM(s.x, s.y);
  }
  int HitTest(TPoint32 p) { return static_cast<int>(::SendMessageW(Wnd(), WM_NCHITTEST, 0, ScreenParam(p))); }
  // A press on the frame at p and a release at q, as the platform sends them.
  void PressRelease(TPoint32 p, TPoint32 q) {
    ::SendMessageW(Wnd(), WM_NCLBUTTONDOWN, HitTest(p), ScreenParam(p));
    POINT c = Screen(q);
    ::ScreenToClient(Wnd(), &c);
    ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
    Pump(20);
  }
};

// Records the system commands the frame gives; close is kept from the form.
struct CommandSpy {
  std::vector<WPARAM> commands;
  TWindowHook hook{[this](TMessage& m) {
    if (m.Msg != WM_SYSCOMMAND) return false;
    commands.push_back(m.WParam & 0xFFF0);
    return (m.WParam & 0xFFF0) == SC_CLOSE;
  }};
};

TEST_F(FrameTest, HitTestAnswersButtonsEdgesCornersIconAndCaption) {
  Open();
  ASSERT_TRUE(Provider().FrameSkinned());
  const TFrameLayout& l = Provider().Layout();
  const int32_t w = l.In.Width, h = l.In.Height, mid = l.In.Height / 2;
  const struct {
    TPoint32 p;
    int code;
  } cases[] = {
      {Centre(l.Buttons[cbClose]), HTCLOSE}, {Centre(l.Buttons[cbMax]), HTMAXBUTTON},
      {Centre(l.Buttons[cbMin]), HTMINBUTTON}, {Centre(l.Icon), HTSYSMENU},
      {{w / 2, l.CaptionBottom - 2}, HTCAPTION}, {Centre(l.Client), HTCLIENT},
      {{0, mid}, HTLEFT}, {{w - 1, mid}, HTRIGHT}, {{w / 2, 0}, HTTOP}, {{w / 2, h - 1}, HTBOTTOM},
      {{0, 0}, HTTOPLEFT}, {{w - 1, 0}, HTTOPRIGHT}, {{0, h - 1}, HTBOTTOMLEFT}, {{w - 1, h - 1}, HTBOTTOMRIGHT},
  };
  for (const auto& c : cases) EXPECT_EQ(HitTest(c.p), c.code) << c.p.X << "," << c.p.Y;
  EXPECT_GT(RectWidth(l.Buttons[cbClose]), 0);
  EXPECT_GT(RectWidth(l.Icon), 0);
}

TEST_F(FrameTest, RegionLeavesOutExactlyTheMaskCornersKeyPixels) {
  Open();
  TSkinContent& skin = form->sSkinManager1->Content();
  const int title = skin.GetSkinIndex("FORMTITLE");
  ASSERT_TRUE(skin.IsValidSkinIndex(title));
  const int formMask = Provider().SkinData->BorderIndex, titleMask = skin.gd[title].BorderIndex;
  ASSERT_TRUE(skin.IsValidImgIndex(formMask));
  UniqueRegion rgn(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(Wnd(), rgn.get()), ERROR);
  const int32_t w = Provider().Layout().In.Width, h = Provider().Layout().In.Height;
  // Whether window pixel (wx, wy) is a key pixel of a mask's corner.
  auto keyIn = [&](int mask, int32_t wx, int32_t wy, bool bottom) {
    if (!skin.IsValidImgIndex(mask)) return false;
    const TsMaskData& m = skin.ma[mask];
    const int32_t fw = FrameWidth(m), fh = FrameHeight(m);
    const int32_t wl = skin.MaskWidthLeft(mask), wr = skin.MaskWidthRight(mask);
    const int32_t rows = bottom ? skin.MaskWidthBottom(mask) : skin.MaskWidthTop(mask);
    const bool left = wx < w / 2;
    const int32_t x = left ? wx : wx - w + fw, y = bottom ? wy - h + fh : wy;
    if (left ? x < 0 || x >= wl : x < fw - wr || x >= fw) return false;
    if (bottom ? y < fh - rows || y >= fh : y < 0 || y >= rows) return false;
    return ImageSource(m)->Pixel(m.R.Left + x, m.R.Top + y) == KeyColor32;
  };
  int cut = 0;
  for (bool bottom : {false, true}) {
    for (int32_t dy = 0; dy < 12; ++dy) {
      for (int32_t dx = 0; dx < 12; ++dx) {
        for (int32_t wx : {dx, w - 1 - dx}) {
          const int32_t wy = bottom ? h - 1 - dy : dy;
          const bool key = keyIn(formMask, wx, wy, bottom) || (!bottom && keyIn(titleMask, wx, wy, false));
          EXPECT_EQ(!::PtInRegion(rgn.get(), wx, wy), key) << wx << "," << wy;
          cut += key;
        }
      }
    }
  }
  EXPECT_GT(cut, 0) << "the internal skin rounds its corners";
}

TEST_F(FrameTest, RegionAndFrameImageFollowMaximiseAndRestore) {
  Open();
  for (int show : {SW_MAXIMIZE, SW_RESTORE, SW_MAXIMIZE}) {
    ::ShowWindow(Wnd(), show);
    Pump(50);
    RECT wr;
    ::GetWindowRect(Wnd(), &wr);
    const LONG w = wr.right - wr.left, h = wr.bottom - wr.top;
    UniqueRegion rgn(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(Wnd(), rgn.get()), ERROR);
    RECT box;
    ::GetRgnBox(rgn.get(), &box);
    // Maximised, the native frame lies beyond the monitor's edges and is
    // left out, so that it cannot show on a neighbouring monitor.
    const int32_t a = show == SW_MAXIMIZE ? Provider().Layout().In.SysBorderWidth : 0;
    EXPECT_EQ((TRect32{box.left, box.top, box.right, box.bottom}), (TRect32{a, a, w - a, h - a})) << show;
    EXPECT_EQ(Provider().FrameImage().Width(), w) << show;
    EXPECT_EQ(Provider().FrameImage().Height(), h) << show;
    EXPECT_EQ(Provider().Layout().In.Maximized, show == SW_MAXIMIZE);
    // The caption is painted across the whole new width.
    const TPoint32 p{w - 60, Provider().Layout().CaptionBottom - 3};
    HDC dc = ::GetWindowDC(Wnd());
    const COLORREF shown = ::GetPixel(dc, p.X, p.Y);
    ::ReleaseDC(Wnd(), dc);
    const uint32_t px = Provider().FrameImage().Pixel(p.X, p.Y);
    EXPECT_EQ(shown, RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF)) << show;
  }
}

TEST_F(FrameTest, ButtonClicksGiveTheirCommands) {
  Open();
  CommandSpy spy;
  spy.hook.Attach(Wnd());
  const TFrameLayout l = Provider().Layout();
  PressRelease(Centre(l.Buttons[cbMin]), Centre(l.Buttons[cbMin]));
  EXPECT_TRUE(::IsIconic(Wnd()));
  ::ShowWindow(Wnd(), SW_RESTORE);
  Pump(20);
  PressRelease(Centre(l.Buttons[cbMax]), Centre(l.Buttons[cbMax]));
  EXPECT_TRUE(::IsZoomed(Wnd()));
  const TRect32 restore = Provider().Layout().Buttons[cbMax];
  PressRelease(Centre(restore), Centre(restore));
  EXPECT_FALSE(::IsZoomed(Wnd()));
  PressRelease(Centre(l.Buttons[cbClose]), Centre(l.Buttons[cbClose]));
  const std::vector<WPARAM> expected{SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE};
  EXPECT_EQ(spy.commands, expected);
  for (int k = 0; k < cbCount; ++k) EXPECT_EQ(Provider().ButtonState(static_cast<TCaptionButtonKind>(k)), 0);
}

TEST_F(FrameTest, CaptionDoubleClickMaximisesOnlyAFormThatMayBeMaximised) {
  Open();
  CommandSpy spy;
  spy.hook.Attach(Wnd());
  const TPoint32 caption{Provider().Layout().In.Width / 2, Provider().Layout().CaptionBottom - 2};
  auto doubleClick = [&] {
    ::SendMessageW(Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenParam(caption));
    Pump(20);
  };
  doubleClick();
  EXPECT_TRUE(::IsZoomed(Wnd()));
  doubleClick();
  EXPECT_FALSE(::IsZoomed(Wnd()));
  const LONG_PTR style = ::GetWindowLongPtrW(Wnd(), GWL_STYLE);
  ::SetWindowLongPtrW(Wnd(), GWL_STYLE, style & ~LONG_PTR(WS_MAXIMIZEBOX));
  doubleClick();
  EXPECT_FALSE(::IsZoomed(Wnd())) << "no maximise box";
  const std::vector<WPARAM> expected{SC_MAXIMIZE, SC_RESTORE};
  EXPECT_EQ(spy.commands, expected);
}

TEST_F(FrameTest, CaptionGlowIsMadeForItsTextNotForEverySize) {
  Open();
  TSkinContent& skin = form->sSkinManager1->Content();
  const int title = skin.GetSkinIndex("FORMTITLE");
  ASSERT_TRUE(skin.IsValidSkinIndex(title));
  skin.gd[title].GlowSize = skin.gd[title].HotGlowSize = 40;
  SendSkinCommand(Wnd(), SKC_REFRESH, reinterpret_cast<LPARAM>(form->sSkinManager1));
  Pump(20);
  const int made = Provider().CaptionGlowMasksMade();
  ASSERT_GT(made, 0);
  // The glowing text's left part, which a wider window leaves where it is.
  auto textArea = [&] {
    const TRect32 t = Provider().Layout().Text;
    std::vector<uint32_t> px;
    for (int y = t.Top; y < t.Bottom; ++y)
      for (int x = t.Left; x < t.Left + 40; ++x) px.push_back(Provider().FrameImage().Pixel(x, y));
    return px;
  };
  const std::vector<uint32_t> before = textArea();
  RECT r;
  ::GetWindowRect(Wnd(), &r);
  for (int grow : {20, 45, 70}) {
    ::SetWindowPos(Wnd(), nullptr, 0, 0, r.right - r.left + grow, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    Pump(10);
    EXPECT_EQ(textArea(), before) << grow;
  }
  EXPECT_EQ(Provider().CaptionGlowMasksMade(), made);
}

TEST_F(FrameTest, HoverFadesInAndEndsWhenThePointerLeaves) {
  Open();
  const TFrameLayout l = Provider().Layout();
  for (TCaptionButtonKind k : {cbClose, cbMax, cbMin}) {
    const POINT at = Screen(Centre(l.Buttons[k]));
    ::SetCursorPos(at.x, at.y);
    ::SendMessageW(Wnd(), WM_NCMOUSEMOVE, HitTest(Centre(l.Buttons[k])), MAKELPARAM(at.x, at.y));
    EXPECT_EQ(Provider().ButtonState(k), 1);
    EXPECT_TRUE(Provider().ButtonFading());
    Pump(400);
    EXPECT_FALSE(Provider().ButtonFading()) << "12 ms steps end";
    EXPECT_EQ(Provider().ButtonState(k), 1) << "still under the pointer";
    ::SendMessageW(Wnd(), WM_NCMOUSELEAVE, 0, 0);
    EXPECT_EQ(Provider().ButtonState(k), 0);
  }
  // A pointer that has gone by the time a fade ends leaves no hot button.
  const POINT at = Screen(Centre(l.Buttons[cbClose]));
  ::SendMessageW(Wnd(), WM_NCMOUSEMOVE, HTCLOSE, MAKELPARAM(at.x, at.y));
  const POINT away = Screen(Centre(l.Client));
  ::SetCursorPos(away.x, away.y);
  Pump(400);
  EXPECT_EQ(Provider().ButtonState(cbClose), 0);
}

TEST_F(FrameTest, ReleaseOutsideThePressedButtonDoesNothing) {
  Open();
  CommandSpy spy;
  spy.hook.Attach(Wnd());
  const TFrameLayout l = Provider().Layout();
  const TPoint32 caption{l.In.Width / 2, l.CaptionBottom - 2};
  for (TCaptionButtonKind k : {cbClose, cbMax, cbMin}) {
    ::SendMessageW(Wnd(), WM_NCLBUTTONDOWN, HitTest(Centre(l.Buttons[k])), ScreenParam(Centre(l.Buttons[k])));
    EXPECT_EQ(::GetCapture(), Wnd()) << "a press holds the mouse";
    EXPECT_EQ(Provider().ButtonState(k), 2);
    POINT c = Screen(caption);
    ::ScreenToClient(Wnd(), &c);
    ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
    EXPECT_EQ(Provider().ButtonState(k), 0);
    EXPECT_NE(::GetCapture(), Wnd());
  }
  // Lost capture and Escape end a press without a command too.
  ::SendMessageW(Wnd(), WM_NCLBUTTONDOWN, HTCLOSE, ScreenParam(Centre(l.Buttons[cbClose])));
  ::ReleaseCapture();
  EXPECT_EQ(Provider().ButtonState(cbClose), 0);
  ::SendMessageW(Wnd(), WM_NCLBUTTONDOWN, HTCLOSE, ScreenParam(Centre(l.Buttons[cbClose])));
  ::SendMessageW(Wnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(Provider().ButtonState(cbClose), 0);
  Pump(20);
  EXPECT_TRUE(spy.commands.empty());
  EXPECT_TRUE(::IsWindowVisible(Wnd()));
}

TEST_F(FrameTest, OutlineDragEndsAtTheMinimumSizeOrNowhere) {
  Open();
  Provider().ResizeMode = TsResizeMode::rmBorder;
  RECT before;
  ::GetWindowRect(Wnd(), &before);
  const TFrameLayout l = Provider().Layout();
  auto drag = [&](int code, TPoint32 from, int dx, int dy, int end) {
    const POINT s = Screen(from);
    ::SendMessageW(Wnd(), WM_NCLBUTTONDOWN, code, MAKELPARAM(s.x, s.y));
    POINT c{s.x + dx, s.y + dy};
    ::ScreenToClient(Wnd(), &c);
    ::SendMessageW(Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
    if (end == WM_LBUTTONUP) ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
    else if (end == WM_KEYDOWN) ::SendMessageW(Wnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    else ::ReleaseCapture();
    Pump(20);
    RECT r;
    ::GetWindowRect(Wnd(), &r);
    EXPECT_NE(::GetCapture(), Wnd());
    return r;
  };
  const TPoint32 caption{l.In.Width / 2, l.CaptionBottom - 2}, left{0, l.In.Height / 2};
  // Escape and a lost capture leave the window where it was.
  for (int end : {WM_KEYDOWN, WM_CAPTURECHANGED}) {
    const RECT r = drag(HTCAPTION, caption, 40, 30, end);
    EXPECT_EQ(r.left, before.left);
    EXPECT_EQ(r.top, before.top);
  }
  // Dragging the left edge far to the right stops at the minimum width.
  const RECT r = drag(HTLEFT, left, 5000, 0, WM_LBUTTONUP);
  EXPECT_EQ(r.right - r.left, form->Constraints.MinWidth);
  EXPECT_EQ(r.right, before.right);
  const RECT moved = drag(HTCAPTION, caption, 40, 30, WM_LBUTTONUP);
  EXPECT_EQ(moved.left, r.left + 40);
  EXPECT_EQ(moved.top, r.top + 30);
}

TEST_F(FrameTest, CaptionShowsTheSkinsActiveAndInactiveColours) {
  Open();
  TSkinContent& skin = form->sSkinManager1->Content();
  const int title = skin.GetSkinIndex("FORMTITLE");
  ASSERT_TRUE(skin.IsValidSkinIndex(title));
  const TsGeneralData& g = skin.gd[title];
  const TFrameLayout l = Provider().Layout();
  auto countColour = [&](TColor c) {
    const TBitmap32& img = Provider().FrameImage();
    const uint32_t want = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    int n = 0;
    for (int32_t y = l.Text.Top; y < l.Text.Bottom; ++y)
      for (int32_t x = l.Text.Left; x < l.Text.Right; ++x) n += (img.Pixel(x, y) & 0xFFFFFF) == want;
    return n;
  };
  for (bool active : {false, true, false}) {
    ::SendMessageW(Wnd(), WM_NCACTIVATE, active, 0);
    EXPECT_EQ(Provider().FormActive(), active);
    const TColor text = active ? g.HotFontColor.Color : g.FontColor.Color;
    const TColor other = active ? g.FontColor.Color : g.HotFontColor.Color;
    EXPECT_GT(countColour(text), 10) << active;
    EXPECT_EQ(countColour(other), 0) << active;
    // The window shows the frame image: a caption pixel read back from the screen.
    const TPoint32 p{l.Text.Left + 1, l.Text.Top + 1};
    HDC dc = ::GetWindowDC(Wnd());
    const COLORREF shown = ::GetPixel(dc, p.X, p.Y);
    ::ReleaseDC(Wnd(), dc);
    const uint32_t px = Provider().FrameImage().Pixel(p.X, p.Y);
    EXPECT_EQ(shown, RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF)) << active;
  }
}

}  // namespace

// Last in this program: the session's end is never undone in a process.
TEST_F(FrameTest, SessionEndWaitsForRunningFadesAndStartsNoMore) {
  Open();
  TsSpeedButton* button = form->SelectBtn;
  button->Perform(CM_MOUSEENTER);
  ASSERT_TRUE(button->Fading());
  ASSERT_GT(LiveFadeTimers(), 0);
  ::SendMessageW(Wnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  EXPECT_TRUE(SessionEnding());
  EXPECT_EQ(LiveFadeTimers(), 0) << "the running fade finished before the message went on";
  button->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(button->Fading()) << "no fade starts once the session ends";
  // A session end that is cancelled gives the fades back; one that happens does not.
  for (BOOL ends : {FALSE, TRUE}) {
    SCOPED_TRACE(ends ? "ending" : "cancelled");
    ::SendMessageW(Wnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    ::SendMessageW(Wnd(), WM_ENDSESSION, ends, ENDSESSION_LOGOFF);
    EXPECT_EQ(SessionEnding(), bool(ends));
    button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(button->Fading(), !ends);
    button->StopFade();
    button->Perform(CM_MOUSELEAVE);
    button->StopFade();
  }
  CancelSessionEnding();  // for the tests that follow
}
