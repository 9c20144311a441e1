// Window animations of the main window and of a second skinned form: each
// ends (also with time 0 and when the program ends in the middle), the
// form comes back opaque and whole, and no window is left behind.
#include <windows.h>

#include <vector>

#include "app/app_fixture.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/form_animation_win.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

BOOL CALLBACK CountShown(HWND w, LPARAM lp) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(w, &pid);
  if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(w)) ++*reinterpret_cast<int*>(lp);
  return TRUE;
}

// Visible windows of this process.
int ShownWindows() {
  int n = 0;
  ::EnumWindows(&CountShown, reinterpret_cast<LPARAM>(&n));
  return n;
}

bool Layered(HWND w) { return (::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

class AnimationTest : public MainFormTest {
 protected:
  TsSkinProvider& Provider() { return *form->sSkinProvider1; }
  TacAnimEffects& Effects() { return form->sSkinManager1->AnimEffects; }
  HWND Wnd() { return form->WindowHandle(); }
  // Pumps until the form's animation has ended; false after 3 s.
  bool WaitForAnimation() {
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 3000;) {
      if (!Provider().Animating()) return true;
      Pump(5);
    }
    return false;
  }
};

TEST_F(AnimationTest, MinimiseAndRestoreEndAndLeaveNoWindowBehind) {
  Open();
  // A form of its own (a provider, no controls): the cycles stay quick.
  TForm bare(nullptr);
  bare.SetCaption(L"Bare");
  auto* sp = new TsSkinProvider(&bare);
  sp->Loaded();
  bare.DefaultPosition = false;
  bare.SetBounds(150, 100, 600, 400);
  bare.Show();
  Pump(20);
  HWND w = bare.WindowHandle();
  auto wait = [&] {
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 3000; Pump(2))
      if (!sp->Animating()) return true;
    return false;
  };
  const int shown = ShownWindows();
  for (int time : {200, 0, 12}) {
    Effects().Minimizing.Time = uint16_t(time);
    const int cycles = time == 12 ? 100 : 1;
    for (int i = 0; i < cycles; ++i) {
      ::SendMessageW(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      EXPECT_TRUE(::IsIconic(w));
      ASSERT_TRUE(wait()) << time;
      ::SendMessageW(w, WM_SYSCOMMAND, SC_RESTORE, 0);
      ASSERT_TRUE(wait()) << time;
      ASSERT_FALSE(::IsIconic(w)) << "restored when its picture has grown back " << time;
    }
    Pump(20);
    EXPECT_TRUE(sp->BorderForm()->Shown()) << time;
    EXPECT_FALSE(Layered(w));
    EXPECT_EQ(ShownWindows(), shown) << time;
  }
}

TEST_F(AnimationTest, AFormDestroyedWhileItMinimisesLeavesNothing) {
  Open();
  Effects().Minimizing.Time = 3000;
  ::SendMessageW(Wnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump(50);
  ASSERT_TRUE(Provider().Animating());
  form.reset();  // the program ends in the middle
  Pump(50);
  EXPECT_EQ(ShownWindows(), 0);
}

TEST_F(AnimationTest, ShowAndHideWithTimeBelowAFrameAreImmediateAndOthersEnd) {
  Open();
  for (int time : {0, 11, 60}) {
    Effects().FormShow.Time = Effects().FormHide.Time = uint16_t(time);
    Effects().FormShow.Mode = time == 60 ? TacAnimType::atFading : TacAnimType::atAero;
    TForm second(nullptr);
    second.SetCaption(L"Second");
    auto* sp = new TsSkinProvider(&second);
    sp->Loaded();
    std::vector<TacAnimEvent> events;
    sp->OnAfterAnimation = [&](TacAnimEvent e) { events.push_back(e); };
    const DWORD start = ::GetTickCount();
    second.Show();
    Pump(10);
    HWND w = second.WindowHandle();
    EXPECT_TRUE(::IsWindowVisible(w));
    EXPECT_FALSE(Layered(w)) << "opaque after the show " << time;
    EXPECT_EQ(events.size(), time >= 12 ? 1u : 0u) << time;
    if (time >= 12) {
      EXPECT_GE(::GetTickCount() - start, 48u) << "the frames were played";
    }
    ::ShowWindow(w, SW_HIDE);
    EXPECT_EQ(HideAnimationRunning(), time >= 12) << time;
    for (int i = 0; i < 100 && HideAnimationRunning(); ++i) Pump(5);
    EXPECT_FALSE(HideAnimationRunning()) << time;
  }
}

TEST_F(AnimationTest, TheMainFormsHideAnimationEndsBeforeItsHideReturns) {
  Open();
  Effects().FormHide.Time = 120;
  const DWORD start = ::GetTickCount();
  // Hiding the main form ends the program: no message loop will run the
  // animation's timer, so its frames are played at once.
  ::ShowWindow(Wnd(), SW_HIDE);
  EXPECT_FALSE(HideAnimationRunning());
  EXPECT_GE(::GetTickCount() - start, 100u);
}

TEST_F(AnimationTest, BlendOnMovingEndsAtTheDropWithTheFormOpaque) {
  Open();
  ::SetWindowPos(Wnd(), nullptr, 150, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Pump(20);
  Effects().BlendOnMoving.Active = true;
  for (int time : {1000, 0}) {
    Effects().BlendOnMoving.Time = uint16_t(time);
    RECT before;
    ::GetWindowRect(Wnd(), &before);
    const TFrameLayout l = Provider().Layout();
    const POINT o = Provider().ImageOrigin();
    const POINT press{o.x + l.In.Width / 2, o.y + 30};
    // The move loop ends at the first release; the form stays where it was.
    ::PostMessageW(Wnd(), WM_LBUTTONUP, 0, 0);
    ::SendMessageW(Wnd(), WM_NCLBUTTONDOWN, WPARAM(-1), MAKELPARAM(press.x, press.y));
    Pump(20);
    RECT after;
    ::GetWindowRect(Wnd(), &after);
    EXPECT_EQ(after.left, before.left) << time;
    EXPECT_EQ(after.top, before.top) << time;
    EXPECT_FALSE(Provider().Animating());
    EXPECT_FALSE(Layered(Wnd())) << "opaque again";
    EXPECT_TRUE(Provider().BorderForm()->Shown());
  }
  Effects().BlendOnMoving.Active = false;
}

TEST_F(AnimationTest, SkinChangeFadeEndsWithTheNewLook) {
  Open();
  std::vector<TacAnimEvent> events;
  Provider().OnAfterAnimation = [&](TacAnimEvent e) { events.push_back(e); };
  const int shown = ShownWindows();
  for (int time : {100, 0}) {
    Effects().SkinChanging.Time = uint16_t(time);
    form->sSkinManager1->SetSkinName(form->sSkinManager1->SkinName());
    Pump(20);
    EXPECT_EQ(ShownWindows(), shown) << "no cover left " << time;
  }
  EXPECT_EQ(events, (std::vector<TacAnimEvent>{TacAnimEvent::aeSkinChanging, TacAnimEvent::aeSkinChanging}));
  // Without the animation switched on, none is played.
  Effects().SkinChanging.Active = false;
  form->sSkinManager1->SetSkinName(form->sSkinManager1->SkinName());
  EXPECT_EQ(events.size(), 2u);
}

}  // namespace
