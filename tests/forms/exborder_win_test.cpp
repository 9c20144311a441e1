// The main window's extended border in-process: the border windows'
// geometry against the skin, hit codes through them, the premultiplied
// pixels they show, glows, the background lent to children, and the plain
// frame coming back.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "app/app_fixture.h"
#include "framework/window_hook.h"
#include "skin/core/skin_commands.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/frame_image_win.h"
#include "skin/forms/glow_win.h"
#include "skin/paint/premultiply.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

TPoint32 Centre(const TRect32& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

class ExBorderTest : public MainFormTest {
 protected:
  TsSkinProvider& Provider() { return *form->sSkinProvider1; }
  HWND Wnd() { return form->WindowHandle(); }
  TacBorderForm& Border() { return *Provider().BorderForm(); }
  // An image point on the screen.
  POINT Screen(TPoint32 p) {
    const POINT o = Provider().ImageOrigin();
    return {o.x + p.X, o.y + p.Y};
  }
  // The border part showing an image point.
  HWND PartAt(TPoint32 p) {
    const TExBorderLayout& l = Provider().ExLayout();
    for (int k = 0; k < ebCount; ++k) {
      const TRect32& r = l.Parts[size_t(k)];
      if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) return Border().PartWindow(k);
    }
    return nullptr;
  }
  LRESULT ToPart(UINT msg, WPARAM wParam, TPoint32 p) {
    const POINT s = Screen(p);
    return ::SendMessageW(PartAt(p), msg, wParam, MAKELPARAM(s.x, s.y));
  }
  RECT Rect(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    return r;
  }
};

TEST_F(ExBorderTest, BorderWindowsFollowTheSkinNormalMaximisedAndRestored) {
  Open();
  ASSERT_TRUE(Provider().ExtendedBorder());
  const TsSkinData& d = form->sSkinManager1->Content().SkinData;
  EXPECT_EQ(form->sSkinManager1->FormShadowSize, (TRect32{16, 16, 16, 16}));
  for (int show : {SW_SHOWNORMAL, SW_MAXIMIZE, SW_RESTORE}) {
    ::ShowWindow(Wnd(), show);
    Pump(30);
    // The form and its border's shown parts are neighbours in z-order:
    // nothing comes between them.
    std::vector<HWND> shown;
    for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetWindow(h, GW_HWNDNEXT))
      if (::IsWindowVisible(h)) shown.push_back(h);
    size_t first = shown.size(), last = 0;
    for (size_t i = 0; i < shown.size(); ++i)
      if (shown[i] == Wnd() || Border().Owns(shown[i])) first = std::min(first, i), last = std::max(last, i);
    const int expectedParts = show == SW_MAXIMIZE ? 1 : ebCount;
    EXPECT_EQ(int(last - first), expectedParts) << show;
    const TExBorderLayout& l = Provider().ExLayout();
    const RECT wr = Rect(Wnd());
    const int32_t f = l.In.NativeFrame;
    POINT client{0, 0};
    ::ClientToScreen(Wnd(), &client);
    const RECT b = Border().Bounds();
    if (show == SW_MAXIMIZE) {
      // Only the caption band shows, from the work area's top down to the
      // client area, across the monitor.
      RECT work;
      ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
      EXPECT_EQ((TRect32{b.left, b.top, b.right, b.bottom}), (TRect32{work.left, work.top, work.right, client.y}));
      EXPECT_EQ(client.y - work.top, d.ExMaxHeight - 4);
      for (int k : {ebLeft, ebRight, ebBottom}) EXPECT_FALSE(::IsWindowVisible(Border().PartWindow(k))) << k;
    } else {
      // The skin's border and caption around the client area, the shadow around them.
      const int32_t s = 16;
      EXPECT_EQ(client.x - b.left, s + d.ExBorderWidth);
      EXPECT_EQ(client.y - b.top, s + d.ExTitleHeight);
      EXPECT_EQ(b.right - (wr.right - f), s + d.ExBorderWidth);
      EXPECT_EQ(b.bottom - (wr.bottom - f), s + d.ExBorderWidth);
      for (int k = 0; k < ebCount; ++k) EXPECT_TRUE(::IsWindowVisible(Border().PartWindow(k))) << k;
    }
    // The form's own frame shows the frame image's pixels under it, seamless
    // with the border below it; maximised, the frame beyond the monitor's
    // edges is cut off by the region.
    UniqueRegion rgn(::CreateRectRgn(0, 0, 0, 0));
    const int got = ::GetWindowRgn(Wnd(), rgn.get());
    if (show == SW_MAXIMIZE) {
      ASSERT_NE(got, ERROR);
      RECT box;
      ::GetRgnBox(rgn.get(), &box);
      EXPECT_EQ(box.left, f);
      EXPECT_EQ(box.right, wr.right - wr.left - f);
      EXPECT_EQ(box.bottom, wr.bottom - wr.top - f);
    } else {
      EXPECT_EQ(got, ERROR) << "no region";
    }
    const TPoint32 captionPoint{l.In.FormWidth / 2, l.In.FormClient.Top - 3};
    HDC dc = ::GetWindowDC(Wnd());
    const COLORREF onForm = ::GetPixel(dc, captionPoint.X, captionPoint.Y);
    ::ReleaseDC(Wnd(), dc);
    const uint32_t px =
        Provider().FrameImage().Pixel(l.FormOrigin.X + captionPoint.X, l.FormOrigin.Y + captionPoint.Y);
    EXPECT_EQ(onForm, RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF)) << show;
  }
}

// Records the system commands the frame gives; close is kept from the form.
struct CommandSpy {
  std::vector<WPARAM> commands;
  TWindowHook hook{[this](TMessage& m) {
    if (m.Msg != WM_SYSCOMMAND) return false;
    commands.push_back(m.WParam & 0xFFF0);
    return (m.WParam & 0xFFF0) == SC_CLOSE || (m.WParam & 0xFFF0) == SC_MOVE || (m.WParam & 0xFFF0) == SC_SIZE;
  }};
};

TEST_F(ExBorderTest, AFormAtTheWorkAreasCornerShowsItsWholeCaption) {
  RECT wa{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  char text[160];
  std::snprintf(text, sizeof text, "[Main]\r\nLeft=%ld\r\nTop=%ld\r\nWidth=800\r\nHeight=500\r\n", wa.left, wa.top);
  WriteIni(text);
  Open();
  ASSERT_TRUE(Provider().ExtendedBorder());
  // The skinned frame (its shadow may reach beyond) starts inside the work
  // area, right at its corner.
  const TExBorderLayout& l = Provider().ExLayout();
  const POINT frame = Screen({l.In.Shadow.Left, l.In.Shadow.Top});
  EXPECT_EQ(frame.x, wa.left);
  EXPECT_EQ(frame.y, wa.top);
  EXPECT_GT(Rect(Wnd()).top, wa.top);
}

TEST_F(ExBorderTest, HitCodesAndPressesThroughTheBorderWindows) {
  Open();
  const TExBorderLayout l = Provider().ExLayout();
  const TFrameLayout f = Provider().Layout();
  const int32_t w = l.Width, h = l.Height;
  const struct {
    TPoint32 p;
    int code;
  } cases[] = {{{8, h / 2}, HTTRANSPARENT}, {{w / 2, 4}, HTTRANSPARENT}, {{w - 3, h - 3}, HTTRANSPARENT},
               {{17, h / 2}, HTLEFT}, {{w - 18, h / 2}, HTRIGHT}, {{w / 2, 17}, HTTOP},
               {{w / 2, h - 18}, HTBOTTOM}, {{17, 17}, HTTOPLEFT}, {{w - 18, h - 18}, HTBOTTOMRIGHT},
               {{w / 2, 30}, HTCAPTION}, {Centre(f.Icon), HTSYSMENU}, {Centre(f.Buttons[cbClose]), HTCLOSE},
               {Centre(f.Buttons[cbMax]), HTMAXBUTTON}, {Centre(f.Buttons[cbMin]), HTMINBUTTON},
               {{30, h / 2}, kHtBorder}};
  for (const auto& c : cases) {
    // The border window answers its own code (the shadow lets the mouse
    // through); the form answers the frame's code for the same point.
    EXPECT_EQ(ToPart(WM_NCHITTEST, 0, c.p), c.code == HTTRANSPARENT ? HTTRANSPARENT : kHtBorderWindow)
        << c.p.X << "," << c.p.Y;
    const POINT s = Screen(c.p);
    EXPECT_EQ(::SendMessageW(Wnd(), WM_NCHITTEST, 0, MAKELPARAM(s.x, s.y)), c.code) << c.p.X << "," << c.p.Y;
  }
  // Presses on the border reach the form: the close button closes, the
  // caption moves and an edge sizes the form.
  CommandSpy spy;
  spy.hook.Attach(Wnd());
  auto pressRelease = [&](TPoint32 p) {
    ToPart(WM_NCLBUTTONDOWN, kHtBorderWindow, p);
    POINT c = Screen(p);
    ::ScreenToClient(Wnd(), &c);
    ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
    Pump(20);
  };
  pressRelease(Centre(f.Buttons[cbClose]));
  pressRelease({w / 2, 30});
  pressRelease({17, h / 2});
  pressRelease({8, h / 2});  // the shadow: nothing
  const std::vector<WPARAM> expected{SC_CLOSE, SC_MOVE, SC_SIZE};
  EXPECT_EQ(spy.commands, expected);
  // A double click on the caption maximises.
  ToPart(WM_NCLBUTTONDBLCLK, kHtBorderWindow, {w / 2, 30});
  Pump(50);
  EXPECT_TRUE(::IsZoomed(Wnd()));
}

TEST_F(ExBorderTest, ShadowPassesTheMouseToTheWindowBelow) {
  Open();
  // A window of this program below the form's shadow gets the shadow's
  // mouse messages in its own client coordinates.
  ::SetWindowPos(Wnd(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const TExBorderLayout l = Provider().ExLayout();
  const POINT at = Screen({l.Width / 2, 6});
  struct Below {
    std::vector<std::pair<UINT, LPARAM>> got;
  } below;
  TForm other(nullptr);
  other.DefaultPosition = false;
  other.SetBounds(at.x - 100, at.y - 50, 300, 200);
  other.Show();
  ::SetWindowPos(Wnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Pump(30);
  TWindowHook spy([&](TMessage& m) {
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK) below.got.push_back({m.Msg, m.LParam});
    return false;
  });
  spy.Attach(other.WindowHandle());
  HWND part = Border().PartWindow(ebTop);
  POINT local = at;
  ::ScreenToClient(part, &local);
  for (UINT msg : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN})
    ::SendMessageW(part, msg, 0, MAKELPARAM(local.x, local.y));
  Pump(30);
  POINT expected = at;
  ::ScreenToClient(other.WindowHandle(), &expected);
  ASSERT_EQ(below.got.size(), 4u);
  for (const auto& [msg, lp] : below.got) EXPECT_EQ(lp, MAKELPARAM(expected.x, expected.y)) << msg;
  EXPECT_EQ(below.got[1].first, UINT(WM_LBUTTONDOWN));
}

TEST_F(ExBorderTest, BorderShownAgainCoversAWindowRaisedWhileItWasHidden) {
  Open();
  ::SetWindowPos(Wnd(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Pump(30);
  // An opaque, not black pixel of the frame outside the form's own window:
  // only a border part shows it.
  const TExBorderLayout& l = Provider().ExLayout();
  const TBitmap32& image = Provider().FrameImage();
  auto onForm = [&](int32_t x, int32_t y) {
    return x >= l.FormOrigin.X && x < l.FormOrigin.X + l.In.FormWidth && y >= l.FormOrigin.Y &&
           y < l.FormOrigin.Y + l.In.FormHeight;
  };
  TPoint32 p{-1, -1};
  for (int32_t y = 0; y < image.Height() && p.X < 0; ++y)
    for (int32_t x = 0; x < image.Width() && p.X < 0; ++x)
      if (!onForm(x, y) && image.Pixel(x, y) >> 24 == 255 && (image.Pixel(x, y) & 0xFFFFFF) != 0) p = {x, y};
  ASSERT_GE(p.X, 0) << "the skin's border lies outside the window";
  const POINT at = Screen(p);
  ::ShowWindow(Wnd(), SW_MINIMIZE);
  Pump(30);
  // A black window over that point, raised while the form is minimised.
  HWND black = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_BLACKRECT, at.x - 20,
                                 at.y - 20, 40, 40, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(black, nullptr);
  Pump(30);
  ::ShowWindow(Wnd(), SW_RESTORE);
  ::SetForegroundWindow(Wnd());
  Pump(60);
  HDC dc = ::GetDC(nullptr);
  const COLORREF shown = ::GetPixel(dc, at.x, at.y);
  ::ReleaseDC(nullptr, dc);
  ::DestroyWindow(black);
  const uint32_t px = Provider().FrameImage().Pixel(p.X, p.Y);
  EXPECT_EQ(shown, RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF));
}

TEST_F(ExBorderTest, PartsShowThePremultipliedFrameImage) {
  Open();
  const TBitmap32& image = Provider().FrameImage();
  const TExBorderLayout& l = Provider().ExLayout();
  int partial = 0;
  for (int k = 0; k < ebCount; ++k) {
    TacLayeredForm* part = Border().Part(k);
    ASSERT_NE(part, nullptr);
    const TRect32& r = l.Parts[size_t(k)];
    TBitmap32 expected(RectWidth(r), RectHeight(r));
    PremultiplyRect(image, r, &expected, 0, 0);
    // The window may be larger than its picture: the rest is transparent.
    const TBitmap32& shown = part->Surface();
    ASSERT_GE(shown.Width(), expected.Width()) << k;
    ASSERT_GE(shown.Height(), expected.Height()) << k;
    for (int32_t y = 0; y < shown.Height(); ++y)
      for (int32_t x = 0; x < shown.Width(); ++x) {
        const uint32_t p = shown.Pixel(x, y);
        ASSERT_EQ(p, expected.Contains(x, y) ? expected.Pixel(x, y) : 0u) << k << ": " << x << "," << y;
        const uint32_t a = p >> 24;
        // Premultiplied: no colour byte above the alpha.
        ASSERT_TRUE(((p >> 16) & 0xFF) <= a && ((p >> 8) & 0xFF) <= a && (p & 0xFF) <= a) << x << "," << y;
        partial += a > 0 && a < 255;
      }
  }
  EXPECT_GT(partial, 1000) << "the shadow is partly transparent";
  // The frame's own pixels are opaque: the caption text and icon too.
  const TFrameLayout& f = Provider().Layout();
  for (TPoint32 p : {Centre(f.Icon), TPoint32{f.Text.Left + 2, Centre(f.Text).Y}, TPoint32{20, l.Height / 2}})
    EXPECT_EQ(image.Pixel(p.X, p.Y) >> 24, 255u) << p.X << "," << p.Y;
}

TEST_F(ExBorderTest, CaptionGlowComesOnHoverAndGoesOnLeaveDeactivationMoveAndSkinChange) {
  Open();
  const TFrameLayout f = Provider().Layout();
  const TsSkinData& d = form->sSkinManager1->Content().SkinData;
  // The pointer itself stays away: only the messages say where it is.
  ::SetCursorPos(5, 5);
  auto hover = [&](TCaptionButtonKind k) { ToPart(WM_NCMOUSEMOVE, kHtBorderWindow, Centre(f.Buttons[k])); };
  const struct {
    const char* name;
    std::function<void()> end;
  } ends[] = {
      {"leave", [&] { ::SendMessageW(Border().PartWindow(ebTop), WM_NCMOUSELEAVE, 0, 0); }},
      {"deactivation", [&] { ::SendMessageW(Wnd(), WM_ACTIVATE, WA_INACTIVE, 0); }},
      {"move", [&] {
         static int moves = 0;
         ::SetWindowPos(Wnd(), nullptr, 40 + 7 * ++moves, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
       }},
      {"skin change", [&] { form->sSkinManager1->UpdateSkin(true); }},
  };
  for (const auto& e : ends) {
    for (TCaptionButtonKind k : {cbClose, cbMax, cbMin}) {
      hover(k);
      const int32_t id = Provider().ButtonGlow(k);
      ASSERT_GE(id, 0) << e.name << " " << k;
      // The skin's glow image as it is, its corner the margin up and left.
      const RECT g = Rect(GlowWindow(id));
      const POINT b = Screen({f.Buttons[k].Left, f.Buttons[k].Top});
      const int32_t margin = k == cbClose ? d.BICloseGlowMargin : k == cbMax ? d.BIMaxGlowMargin : d.BIMinGlowMargin;
      EXPECT_EQ(g.left, b.x - margin);
      EXPECT_EQ(g.top, b.y - margin);
      EXPECT_TRUE(::IsWindowVisible(GlowWindow(id)));
      e.end();
      Pump(20);
      EXPECT_EQ(Provider().ButtonGlow(k), -1) << e.name;
      EXPECT_EQ(LiveGlows(), 0) << e.name;
      ::SendMessageW(Wnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    }
  }
  EXPECT_LE(GlowSlots(), 2) << "freed glow ids are given out again";
}

TEST_F(ExBorderTest, HotSpeedButtonGlowsUntilTheMouseLeaves) {
  Open();
  TsSpeedButton* button = form->SelectBtn;
  const int32_t margin = button->SkinData->Section()->GlowMargin;
  for (int i = 0; i < 30; ++i) {
    button->Perform(CM_MOUSEENTER);
    const int32_t id = button->SkinData->GlowID;
    ASSERT_GE(id, 0) << i;
    // The nine-slice glow reaches 16 - margin pixels beyond the button.
    const POINT o = button->ClientToScreen(POINT{0, 0});
    const RECT g = Rect(GlowWindow(id));
    EXPECT_EQ(g.left, o.x - (16 - margin));
    EXPECT_EQ(g.right, o.x + button->Width() + 16 - margin);
    button->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(button->SkinData->GlowID, -1);
    EXPECT_EQ(LiveGlows(), 0);
  }
  EXPECT_LE(GlowSlots(), 2);
  // A moving form takes the control's glow with it too.
  button->Perform(CM_MOUSEENTER);
  ASSERT_GE(button->SkinData->GlowID, 0);
  ::SetWindowPos(Wnd(), nullptr, 60, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(button->SkinData->GlowID, -1);
  EXPECT_EQ(LiveGlows(), 0);
}

TEST_F(ExBorderTest, ChildrenOfAFormWithAGradientGetTheFrameImage) {
  Open();
  TSkinContent& skin = form->sSkinManager1->Content();
  TacParentBG plain;
  SendSkinCommand(Wnd(), SKC_GETBG, reinterpret_cast<LPARAM>(&plain));
  EXPECT_EQ(plain.Kind, bgkFill);
  EXPECT_EQ(plain.Color, ColorToRGB(skin.gd[size_t(Provider().SkinData->SkinIndex)].Color));
  // The FORM section with a gradient: the children paint over the frame
  // image from the client area's origin in it.
  TsGeneralData& g = skin.gd[size_t(Provider().SkinData->SkinIndex)];
  const TsGeneralData& big = skin.gd[size_t(skin.GetSkinIndex("BUTTON_BIG"))];
  g.GradientPercent = g.HotGradientPercent = 100;
  g.GradientArray = big.GradientArray;
  g.HotGradientArray = big.GradientArray;
  Provider().SkinData->BGChanged = true;
  TacParentBG bg;
  SendSkinCommand(Wnd(), SKC_GETBG, reinterpret_cast<LPARAM>(&bg));
  EXPECT_EQ(bg.Kind, bgkCache);
  EXPECT_EQ(bg.Bmp, &Provider().FrameImage());
  const TRect32& c = Provider().ExLayout().Client;
  EXPECT_EQ(bg.Offset, (TPoint32{c.Left, c.Top}));
  // The gradient runs through the client area: its top and bottom differ.
  EXPECT_NE(bg.Bmp->Pixel(c.Left + 5, c.Top + 1), bg.Bmp->Pixel(c.Left + 5, c.Bottom - 2));
}

TEST_F(ExBorderTest, ExtendedBordersOffAndSkinRemovalGiveThePlainFrameBack) {
  Open();
  TsSkinManager& m = *form->sSkinManager1;
  std::vector<HWND> parts;
  auto plainFrame = [&] {
    EXPECT_FALSE(Provider().ExtendedBorder());
    for (HWND p : parts) EXPECT_FALSE(::IsWindow(p)) << "the border's windows are gone";
    const RECT wr = Rect(Wnd());
    EXPECT_EQ(Provider().FrameImage().Width(), wr.right - wr.left);
    UniqueRegion rgn(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(::GetWindowRgn(Wnd(), rgn.get()), ERROR);
    RECT box;
    ::GetRgnBox(rgn.get(), &box);
    EXPECT_EQ(box.right - box.left, wr.right - wr.left);
    const TBitmap32& img = Provider().FrameImage();
    return std::vector<uint32_t>(img.ScanLine(0), img.ScanLine(0) + size_t(img.Width()) * 40);
  };
  for (int k = 0; k < ebCount; ++k) parts.push_back(Border().PartWindow(k));
  m.SetExtendedBorders(false);
  Pump(20);
  const std::vector<uint32_t> first = plainFrame();
  m.SetExtendedBorders(true);
  Pump(20);
  ASSERT_TRUE(Provider().ExtendedBorder());
  parts.clear();
  for (int k = 0; k < ebCount; ++k) parts.push_back(Border().PartWindow(k));
  m.SetExtendedBorders(false);
  Pump(20);
  EXPECT_EQ(plainFrame(), first) << "the caption rows are the plain frame's again";
  // The form's own provider can refuse the border too.
  m.SetExtendedBorders(true);
  parts.clear();
  for (int k = 0; k < ebCount; ++k) parts.push_back(Border().PartWindow(k));
  Provider().SetAllowExtBorders(false);
  Pump(20);
  EXPECT_EQ(plainFrame(), first);
  Provider().SetAllowExtBorders(true);
  ASSERT_TRUE(Provider().ExtendedBorder());
  // Without a skin: no border, no region.
  parts.clear();
  for (int k = 0; k < ebCount; ++k) parts.push_back(Border().PartWindow(k));
  m.SetActive(false);
  Pump(20);
  EXPECT_FALSE(Provider().ExtendedBorder());
  for (HWND p : parts) EXPECT_FALSE(::IsWindow(p));
  UniqueRegion rgn(::CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(::GetWindowRgn(Wnd(), rgn.get()), ERROR);
  m.SetActive(true);
  Pump(20);
  EXPECT_TRUE(Provider().ExtendedBorder());
}

TEST(FrameImageMemory, AFrameImageThatCannotGrowLeavesNoViewBehind) {
  TDibBitmap cache;
  TBitmap32 view;
  ASSERT_TRUE(GrowFrameImage(cache, view, 300, 200));
  EXPECT_EQ(view.Width(), 300);
  EXPECT_EQ(cache.Width(), 375) << "a quarter more than asked";
  EXPECT_FALSE(GrowFrameImage(cache, view, 200000, 200000));
  EXPECT_TRUE(view.Empty()) << "the view must not point at the freed bitmap";
  EXPECT_TRUE(GrowFrameImage(cache, view, 100, 100));
  EXPECT_EQ(view.Pixel(99, 99), view.ScanLine(99)[99]);
}

}  // namespace
