// Skinned message boxes in-process, over the real main window: the About
// box's frame, caption, text and button against the skin, results by key,
// click and close button, boxes of the wrappers' types, and boxes opened or
// kept open while the skin goes or changes.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <vector>

#include "app/app_fixture.h"
#include "skin/core/sCommonData.h"
#include "skin/forms/dialog_provider_win.h"
#include "skin/forms/dialog_wnd_win.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/form_animation_win.h"
#include "skin/forms/glow_win.h"
#include "skin/forms/layered_form_win.h"
#include "skin/forms/sMessages.h"
#include "skin/paint/button_adapter_win.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

// Runs `body` inside the modal loop of the next message box of the thread,
// once the box is shown and painted; the body must end the box.
class InBox {
 public:
  explicit InBox(std::function<void(HWND)> body) : body_(std::move(body)) {
    self_ = this;
    timer_ = ::SetTimer(nullptr, 0, 30, &Tick);
  }
  ~InBox() {
    ::KillTimer(nullptr, timer_);
    self_ = nullptr;
  }
  bool Ran = false;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!self_ || self_->Ran) return;
    HWND box = ::GetActiveWindow();
    wchar_t cls[16] = {};
    if (!box || !::IsWindowVisible(box) || ::GetClassNameW(box, cls, 16) <= 0 || std::wstring(cls) != L"#32770")
      return;
    self_->Ran = true;
    ::UpdateWindow(box);
    ::RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    self_->body_(box);
  }
  static inline InBox* self_ = nullptr;
  std::function<void(HWND)> body_;
  UINT_PTR timer_ = 0;
};

HWND ButtonWithId(HWND box, int id) { return ::GetDlgItem(box, id); }

COLORREF ScreenPixel(int x, int y) {
  HDC dc = ::GetDC(nullptr);
  const COLORREF c = ::GetPixel(dc, x, y);
  ::ReleaseDC(nullptr, dc);
  return c;
}

// A pixel of a 32-bit cache as GetPixel reports it.
COLORREF AsColorRef(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

// With GLYPHORA_LOOK_MS set, keeps the box on the screen that long, for a
// screenshot taken from outside.
void HoldForLook() {
  wchar_t ms[16] = {};
  if (!::GetEnvironmentVariableW(L"GLYPHORA_LOOK_MS", ms, 16)) return;
  RECT r;
  ::GetWindowRect(::GetActiveWindow(), &r);
  std::fprintf(stderr, "box at %ld,%ld-%ld,%ld\n", r.left, r.top, r.right, r.bottom);
  Pump(_wtoi(ms));
}

void Click(HWND button) {
  RECT r;
  ::GetClientRect(button, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  ::PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(button, WM_LBUTTONUP, 0, at);
}

// A CBT hook of the thread besides the skin's, counting dialog activations.
struct SecondCbtHook {
  static inline int activations = 0;
  HHOOK hook = ::SetWindowsHookExW(WH_CBT, &Proc, nullptr, ::GetCurrentThreadId());
  SecondCbtHook() { activations = 0; }
  ~SecondCbtHook() { ::UnhookWindowsHookEx(hook); }
  static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t cls[16] = {};
    if (code == HCBT_ACTIVATE && ::GetClassNameW(reinterpret_cast<HWND>(wParam), cls, 16) > 0 &&
        std::wstring(cls) == L"#32770")
      ++activations;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
};

class DialogTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Open();
    mgr = form->sSkinManager1;
    ASSERT_TRUE(mgr->Active());
  }
  TacDialogSkinning* Dialogs() { return TacDialogSkinning::Of(mgr); }
  TsSkinManager* mgr = nullptr;
};

TEST_F(DialogTest, AboutBoxIsDrawnBySkinAndKeepsOwnerAndResult) {
  SecondCbtHook otherHook;  // installed after the skin's: both see the box
  bool checked = false;
  InBox in([&](HWND box) {
    TacProvider* p = Dialogs()->ProviderOf(box);
    ASSERT_NE(p, nullptr);
    TacDialogWnd* frame = p->ListSW();
    ASSERT_TRUE(frame && frame->FrameSkinned());
    EXPECT_EQ(::GetWindow(box, GW_OWNER), Application()->Handle());
    EXPECT_EQ(WindowText(box), kAboutCaption);
    // The skin draws the close button: the window's own WS_SYSMENU is off.
    EXPECT_TRUE(frame->DialogStyle() & WS_SYSMENU);
    EXPECT_FALSE(::GetWindowLongW(box, GWL_STYLE) & WS_SYSMENU);
    const TFrameLayout& l = frame->Layout();
    ASSERT_GT(RectWidth(l.Buttons[cbClose]), 0);
    EXPECT_EQ(RectWidth(l.Icon), 0) << "a box without an icon of its own shows none";
    // With the main window's extended borders the box has the border too;
    // its own frame and caption bar on the screen are the frame image.
    ASSERT_TRUE(frame->ExtendedBorder());
    const TExBorderLayout& ex = frame->ExLayout();
    const POINT o = frame->ImageOrigin();
    const TBitmap32& img = frame->FrameImage();
    const TPoint32 f = ex.FormOrigin;
    const int32_t w = ex.In.FormWidth, h = ex.In.FormHeight;
    const TPoint32 points[] = {{f.X + w / 2, f.Y + 3}, {f.X + 2, f.Y + h / 2}, {f.X + w / 2, f.Y + h - 2}};
    for (const TPoint32& pt : points)
      EXPECT_EQ(ScreenPixel(o.x + pt.X, o.y + pt.Y), AsColorRef(img.Pixel(pt.X, pt.Y))) << pt.X << "," << pt.Y;
    // The children and the erased client area take the dialog's colour
    // from the image.
    EXPECT_EQ(AsColorRef(img.Pixel(ex.Client.Left + 2, ex.Client.Top + 2)),
              ColorToRGB(frame->SkinData().GetBGColor(0, box)));
    // The caption is not the platform's: the skin's caption bar differs
    // from the system's caption colour somewhere along its middle row.
    bool differs = false;
    for (int32_t x = l.Text.Left; x < l.Text.Right && !differs; ++x)
      differs = AsColorRef(img.Pixel(x, l.CaptionBottom / 2)) != ::GetSysColor(COLOR_ACTIVECAPTION);
    EXPECT_TRUE(differs);

    // The text and the OK button are adapted and show their caches.
    HWND text = ::GetDlgItem(box, 0xFFFF), ok = ButtonWithId(box, IDOK);
    ASSERT_TRUE(text && ok);
    for (HWND child : {text, ok}) {
      TacMainWnd* a = TacMainWnd::Of(child);
      ASSERT_NE(a, nullptr);
      const TBitmap32* cache = a->SkinData().CachePixels();
      ASSERT_TRUE(cache && !cache->Empty());
      RECT cr;
      ::GetWindowRect(child, &cr);
      for (TPoint32 pt : {TPoint32{2, 2}, TPoint32{cache->Width() / 2, cache->Height() / 2}})
        EXPECT_EQ(ScreenPixel(cr.left + pt.X, cr.top + pt.Y), AsColorRef(cache->Pixel(pt.X, pt.Y)));
    }
    EXPECT_NE(dynamic_cast<TacBtnWnd*>(TacMainWnd::Of(ok)), nullptr);
    // The dialog's colour is one kept brush, not a new one per request.
    const DWORD gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const LRESULT brush = ::SendMessageW(box, WM_CTLCOLORDLG, 0, LPARAM(box));
    for (int i = 0; i < 50; ++i) EXPECT_EQ(::SendMessageW(box, WM_CTLCOLORDLG, 0, LPARAM(box)), brush);
    EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), gdi + 1);
    checked = true;
    HoldForLook();
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(ShowSkinMessageCaption(kAboutCaption, kAboutText), IDOK);
  EXPECT_TRUE(checked);
  EXPECT_EQ(SecondCbtHook::activations, 1);
  Pump(20);
  EXPECT_EQ(Dialogs()->Count(), 0u) << "the provider goes with its box";
}

TEST_F(DialogTest, AboutBoxGrowsToShowItsWholeTitleWithItsContentStillInTheMiddle) {
  // The OK button's centre less the client area's: unskinned, then skinned.
  int offset[2] = {};
  const uint8_t rules = mgr->SkinningRules;
  for (int skinned = 0; skinned < 2; ++skinned) {
    mgr->SkinningRules = skinned ? rules : rules & ~srStdDialogs;
    InBox in([&](HWND box) {
      RECT ok, client;
      ::GetWindowRect(::GetDlgItem(box, IDOK), &ok);
      ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&ok), 2);
      ::GetClientRect(box, &client);
      offset[skinned] = (ok.left + ok.right) / 2 - client.right / 2;
      if (skinned) {
        TacDialogWnd* frame = Dialogs()->ProviderOf(box)->ListSW();
        WindowDC dc(nullptr);
        SelectGuard font(dc.get(), frame->CaptionFont());
        SIZE title{};
        ::GetTextExtentPoint32W(dc.get(), kAboutCaption, int(std::wcslen(kAboutCaption)), &title);
        EXPECT_GE(RectWidth(frame->Layout().Text), title.cx);
      }
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(ShowSkinMessageCaption(kAboutCaption, kAboutText), IDOK);
    EXPECT_TRUE(in.Ran);
  }
  mgr->SkinningRules = rules;
  EXPECT_NEAR(offset[1], offset[0], 1);
}

TEST_F(DialogTest, AboutBoxBorderSurroundsFollowsAndGoesWithTheBox) {
  const HANDLE self = ::GetCurrentProcess();
  FreeSpareBorderParts();
  FreeGlowWindows();
  const DWORD gdi = ::GetGuiResources(self, GR_GDIOBJECTS), user = ::GetGuiResources(self, GR_USEROBJECTS);
  const long layered = TacLayeredForm::LiveCount();
  std::vector<HWND> parts;
  InBox in([&](HWND box) {
    TacDialogWnd* frame = Dialogs()->ProviderOf(box)->ListSW();
    ASSERT_TRUE(frame->ExtendedBorder());
    TacBorderForm& border = *frame->BorderForm();
    const TsSkinData& d = mgr->Content().SkinData;
    const TRect32 s = mgr->FormShadowSize;
    for (int step = 0; step < 2; ++step) {
      // The skin's border and caption around the client area, the shadow
      // around them; then the box moves and the border follows.
      RECT wr;
      ::GetWindowRect(box, &wr);
      POINT client{0, 0};
      ::ClientToScreen(box, &client);
      const int32_t nf = frame->ExLayout().In.NativeFrame;
      const RECT b = border.Bounds();
      EXPECT_EQ(client.x - b.left, s.Left + d.ExBorderWidth) << step;
      EXPECT_EQ(client.y - b.top, s.Top + d.ExTitleHeight) << step;
      EXPECT_EQ(b.right - (wr.right - nf), s.Right + d.ExBorderWidth) << step;
      EXPECT_EQ(b.bottom - (wr.bottom - nf), s.Bottom + d.ExBorderWidth) << step;
      for (int k = 0; k < ebCount; ++k) EXPECT_TRUE(::IsWindowVisible(border.PartWindow(k))) << step << " " << k;
      ::SetWindowPos(box, nullptr, wr.left + 31, wr.top + 17, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      Pump(20);
    }
    // Through the border: the shadow lets the mouse by, the caption drags
    // the box.
    const POINT o = frame->ImageOrigin();
    const TFrameLayout& l = frame->Layout();
    HWND top = border.PartWindow(ebTop);
    const POINT shadow{o.x + s.Left / 2, o.y + s.Top / 2}, caption{o.x + l.Text.Left + 2, o.y + l.Text.Top + 4};
    EXPECT_EQ(::SendMessageW(top, WM_NCHITTEST, 0, MAKELPARAM(shadow.x, shadow.y)), HTTRANSPARENT);
    EXPECT_EQ(::SendMessageW(top, WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)), kHtBorderWindow);
    // The manager's extended borders off and on again: the border goes
    // with the new skin and comes back with the next, and a glowing close
    // button loses its glow with it.
    const TRect32 close = l.Buttons[cbClose];
    const POINT at{o.x + (close.Left + close.Right) / 2, o.y + (close.Top + close.Bottom) / 2};
    ::SendMessageW(top, WM_NCMOUSEMOVE, kHtBorderWindow, MAKELPARAM(at.x, at.y));
    ASSERT_GE(frame->ButtonGlow(cbClose), 0);
    const HWND firstTop = top;
    mgr->SetExtendedBorders(false);
    Pump(20);
    EXPECT_FALSE(frame->ExtendedBorder());
    EXPECT_EQ(LiveGlows(), 0);
    EXPECT_FALSE(::IsWindow(firstTop));
    mgr->SetExtendedBorders(true);
    Pump(20);
    ASSERT_TRUE(frame->ExtendedBorder());
    EXPECT_TRUE(frame->BorderForm()->Shown());
    for (int k = 0; k < ebCount; ++k) parts.push_back(frame->BorderForm()->PartWindow(k));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ShowSkinMessageCaption(kAboutCaption, kAboutText), IDOK);
  ASSERT_TRUE(in.Ran);
  Pump(20);
  // The parts (and the glow's window) are kept hidden for the next box
  // until let go.
  for (HWND p : parts) EXPECT_FALSE(::IsWindowVisible(p));
  EXPECT_EQ(SpareBorderParts(), ebCount);
  FreeSpareBorderParts();
  FreeGlowWindows();
  for (HWND p : parts) EXPECT_FALSE(::IsWindow(p));
  EXPECT_EQ(TacLayeredForm::LiveCount(), layered);
  EXPECT_EQ(::GetGuiResources(self, GR_GDIOBJECTS), gdi);
  EXPECT_EQ(::GetGuiResources(self, GR_USEROBJECTS), user);
}

TEST_F(DialogTest, HotCloseButtonGlowsOrFadesInAndGoesNormalWhenLeft) {
  const TsSkinData& d = mgr->Content().SkinData;
  ASSERT_GT(d.BICloseGlow, 0) << "the skin has the close button's glow";
  for (bool glowing : {true, false}) {
    mgr->Effects.AllowGlowing = glowing;
    InBox in([&](HWND box) {
      TacDialogWnd* frame = Dialogs()->ProviderOf(box)->ListSW();
      ASSERT_TRUE(frame->ExtendedBorder());
      const TFrameLayout& l = frame->Layout();
      const TRect32 r = l.Buttons[cbClose];
      const POINT o = frame->ImageOrigin();
      const POINT at{o.x + (r.Left + r.Right) / 2, o.y + (r.Top + r.Bottom) / 2};
      // As the system does: the window under the pointer (the box or a
      // border part, which hands it on) is asked for the hit code and gets
      // the move with it.
      ::SetCursorPos(at.x, at.y);
      HWND under = ::WindowFromPoint(at);
      ASSERT_TRUE(under == box || frame->BorderForm()->Owns(under));
      const LRESULT code = ::SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
      ::SendMessageW(under, WM_NCMOUSEMOVE, WPARAM(code), MAKELPARAM(at.x, at.y));
      EXPECT_EQ(frame->ButtonState(cbClose), 1) << glowing;
      const int32_t id = frame->ButtonGlow(cbClose);
      if (glowing) {
        // The skin's glow image, its corner the glow margin up and left.
        ASSERT_GE(id, 0);
        RECT g;
        ::GetWindowRect(GlowWindow(id), &g);
        EXPECT_EQ(g.left, o.x + r.Left - d.BICloseGlowMargin);
        EXPECT_EQ(g.top, o.y + r.Top - d.BICloseGlowMargin);
        EXPECT_FALSE(frame->ButtonFading()) << "the glow shows the hot look at once";
        HoldForLook();
      } else {
        EXPECT_EQ(id, -1);
        EXPECT_TRUE(frame->ButtonFading());
        Pump(400);
        EXPECT_FALSE(frame->ButtonFading()) << "12 ms steps end";
        EXPECT_EQ(frame->ButtonState(cbClose), 1) << "still under the pointer";
      }
      ::SetCursorPos(5, 5);
      ::SendMessageW(under, WM_NCMOUSELEAVE, 0, 0);
      EXPECT_EQ(frame->ButtonState(cbClose), 0) << glowing;
      EXPECT_EQ(frame->ButtonGlow(cbClose), -1) << glowing;
      EXPECT_EQ(LiveGlows(), 0) << glowing;
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(ShowSkinMessageCaption(kAboutCaption, kAboutText), IDOK);
    EXPECT_TRUE(in.Ran);
  }
  mgr->Effects.AllowGlowing = true;
}

TEST_F(DialogTest, NextBoxShowsTheLastBoxsBorderPartsAgainWithoutUploadingThem) {
  // Only the boxes' borders upload: the main window's goes.
  form->sSkinProvider1->SetAllowExtBorders(false);
  std::vector<HWND> parts[2];
  long uploads[2] = {};
  for (int box = 0; box < 2; ++box) {
    const long before = ExBorderTimes().Uploads;
    InBox in([&](HWND w) {
      TacBorderForm* border = Dialogs()->ProviderOf(w)->ListSW()->BorderForm();
      ASSERT_TRUE(border && border->Shown());
      for (int k = 0; k < ebCount; ++k) parts[box].push_back(border->PartWindow(k));
      uploads[box] = ExBorderTimes().Uploads - before;
      ::PostMessageW(w, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(ShowSkinMessageCaption(kAboutCaption, kAboutText), IDOK);
    ASSERT_TRUE(in.Ran);
  }
  EXPECT_EQ(parts[1], parts[0]) << "each part takes the window that was that part";
  EXPECT_EQ(uploads[1], 0) << "the same pictures are not uploaded again";
  // No borders wanted: the kept windows go.
  mgr->SetExtendedBorders(false);
  EXPECT_EQ(SpareBorderParts(), 0);
  for (HWND p : parts[0]) EXPECT_FALSE(::IsWindow(p));
  mgr->SetExtendedBorders(true);
  form->sSkinProvider1->SetAllowExtBorders(true);
}

TEST_F(DialogTest, ClosedBoxFadesOutWhenTheDialogHideAnimationHasATime) {
  const TacFormAnimation saved = mgr->AnimEffects.DialogHide;
  const long layered = TacLayeredForm::LiveCount() - SpareBorderParts();
  for (uint16_t time : {uint16_t(0), uint16_t(360)}) {
    mgr->AnimEffects.DialogHide = {true, time, TacAnimType::atAero};
    InBox in([&](HWND box) { ::PostMessageW(box, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(ShowSkinMessageCaption(kAboutCaption, kAboutText), IDOK);
    EXPECT_EQ(HideAnimationRunning(), time > 0) << time;
    Pump(600);
    EXPECT_FALSE(HideAnimationRunning()) << time;
    EXPECT_EQ(TacLayeredForm::LiveCount() - SpareBorderParts(), layered) << time;
  }
  mgr->AnimEffects.DialogHide = saved;
}

TEST_F(DialogTest, KeysClicksAndCloseButtonGiveThePlatformsResults) {
  enum Act { Enter, Escape, ClickNo, ClickCancel, CloseButton };
  const struct {
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    Act act;
    int result;
  } cases[] = {
      {TMsgDlgType::mtInformation, MsgButtons(mbOK), Enter, IDOK},
      {TMsgDlgType::mtWarning, MsgButtons(mbOK, mbCancel), Escape, IDCANCEL},
      {TMsgDlgType::mtConfirmation, MsgButtons(mbYes, mbNo, mbCancel), Enter, IDYES},
      {TMsgDlgType::mtConfirmation, MsgButtons(mbYes, mbNo), ClickNo, IDNO},
      {TMsgDlgType::mtError, MsgButtons(mbRetry, mbCancel), ClickCancel, IDCANCEL},
      {TMsgDlgType::mtWarning, MsgButtons(mbOK, mbCancel), CloseButton, IDCANCEL},
  };
  ::SetForegroundWindow(form->WindowHandle());
  Pump(20);
  ASSERT_EQ(::GetActiveWindow(), form->WindowHandle());
  for (const auto& c : cases) {
    size_t buttons = 0;
    InBox in([&](HWND box) {
      TacProvider* p = Dialogs()->ProviderOf(box);
      ASSERT_NE(p, nullptr);
      buttons = 0;
      for (HWND b = ::GetWindow(box, GW_CHILD); b; b = ::GetWindow(b, GW_HWNDNEXT))
        buttons += dynamic_cast<TacBtnWnd*>(TacMainWnd::Of(b)) != nullptr;
      switch (c.act) {
        case Enter: ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0); break;
        case Escape: ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); break;
        case ClickNo:
          HoldForLook();
          Click(ButtonWithId(box, IDNO));
          break;
        case ClickCancel: Click(ButtonWithId(box, IDCANCEL)); break;
        case CloseButton: {
          const TFrameLayout& l = p->ListSW()->Layout();
          const POINT o = p->ListSW()->ImageOrigin();
          const POINT at{o.x + (l.Buttons[cbClose].Left + l.Buttons[cbClose].Right) / 2,
                         o.y + (l.Buttons[cbClose].Top + l.Buttons[cbClose].Bottom) / 2};
          const LRESULT hit = ::SendMessageW(box, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
          EXPECT_EQ(hit, HTCLOSE);
          ::SendMessageW(box, WM_NCLBUTTONDOWN, hit, MAKELPARAM(at.x, at.y));
          POINT c2 = at;
          ::ScreenToClient(box, &c2);
          ::SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(c2.x, c2.y));
          break;
        }
      }
    });
    EXPECT_EQ(ShowSkinMessage(L"Text", c.type, c.buttons), c.result) << c.act;
    const int expected = c.buttons == MsgButtons(mbOK) ? 1 : c.buttons == MsgButtons(mbYes, mbNo, mbCancel) ? 3 : 2;
    EXPECT_EQ(buttons, size_t(expected)) << "every button left by the platform is skinned, none of the dropped";
    // The keys go to the main window again.
    EXPECT_EQ(::GetActiveWindow(), form->WindowHandle()) << c.act;
    EXPECT_TRUE(::GetFocus() && (::GetFocus() == form->WindowHandle() || ::IsChild(form->WindowHandle(), ::GetFocus())))
        << c.act;
  }
}

TEST_F(DialogTest, SkinRemovedOrSwitchedWithBoxOpenGivesBackOrRedraws) {
  const int adaptersBefore = TacMainWnd::LiveCount();
  const std::wstring skin = mgr->SkinName();
  // Switched with the box open: still skinned, by the new skin.
  InBox switched([&](HWND box) {
    mgr->SetSkinName(skin);
    Pump(20);
    TacProvider* p = Dialogs()->ProviderOf(box);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->ListSW()->FrameSkinned());
    EXPECT_EQ(p->ListSW()->ButtonState(cbClose), 0);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ShowSkinMessageCaption(L"Switch", L"Text"), IDOK);
  EXPECT_TRUE(switched.Ran);
  Pump(20);
  EXPECT_EQ(TacMainWnd::LiveCount(), adaptersBefore);

  // Removed with the box open: every window has its own look again.
  InBox removed([&](HWND box) {
    HWND ok = ButtonWithId(box, IDOK);
    ASSERT_NE(TacMainWnd::Of(ok), nullptr);
    mgr->SetActive(false);
    Pump(20);
    EXPECT_EQ(Dialogs()->Count(), 0u);
    EXPECT_EQ(TacMainWnd::Of(box), nullptr);
    for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) EXPECT_EQ(TacMainWnd::Of(c), nullptr);
    EXPECT_TRUE(::GetWindowLongW(box, GWL_STYLE) & WS_SYSMENU);
    UniqueRegion rgn(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(box, rgn.get()), ERROR) << "no region left";
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ShowSkinMessageCaption(L"Remove", L"Text"), IDOK);
  EXPECT_TRUE(removed.Ran);

  // Opened without a skin: the platform's box.
  InBox plain([&](HWND box) {
    EXPECT_EQ(Dialogs()->ProviderOf(box), nullptr);
    EXPECT_EQ(TacMainWnd::Of(box), nullptr);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ShowSkinMessageCaption(L"Plain", L"Text"), IDOK);
  EXPECT_TRUE(plain.Ran);
  mgr->SetActive(true);
}

TEST_F(DialogTest, PositionedBoxOpensWhereAsked) {
  RECT at{};
  InBox in([&](HWND box) {
    ::GetWindowRect(box, &at);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ShowSkinMessagePos(L"Placed", TMsgDlgType::mtInformation, MsgButtons(mbOK), 0, 37, 41), IDOK);
  EXPECT_EQ(at.left, 37);
  EXPECT_EQ(at.top, 41);
}

}  // namespace
