// The skinned speed button over the internal skin: fades stepped by hand
// (ticks only run when messages are processed, and these tests process none
// while a fade runs), the pressed caption, the disabled look, instant
// changes without animation, and overlapping buttons.
#include <gtest/gtest.h>

#include <functional>

#include "skin/controls/sPanel.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/core/skin_types.h"
#include "skin_manager/manager_fixture.h"
#include "skin_paint/fade_check.h"
#include "skin_paint/pixel_test_util.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

TBitmap32 CacheOf(TsSpeedButton* b) { return *b->SkinData->CachePixels(); }

// A button whose memory becomes inaccessible when it is deleted, so that
// any use after its deletion fails at once.
class TGuardedButton : public TsSpeedButton {
 public:
  using TsSpeedButton::TsSpeedButton;
  static void* operator new(size_t n) {
    void* p = ::VirtualAlloc(nullptr, n, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!p) throw std::bad_alloc();
    return p;
  }
  static void operator delete(void* p, size_t n) {
    DWORD old;
    ::VirtualProtect(p, n, PAGE_NOACCESS, &old);  // reserved for the rest of the run
  }
};

// A graphic control that answers skin commands; told that the mouse left,
// it counts and runs onLeave.
class TLeaveProbe : public TControl {
 public:
  using TControl::TControl;
  int leaves = 0;
  std::function<void()> onLeave;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_CTRLHANDLED) {
      m.Result = 1;
      return;
    }
    if (m.Msg == CM_MOUSELEAVE) {
      ++leaves;
      if (onLeave) onLeave();
    }
    TControl::WndProc(m);
  }
};

class SpeedButtonTest : public ManagerTest {
 protected:
  TsSpeedButton* MakeButton(int left = 10, int top = 6, const wchar_t* caption = L"Copy") {
    auto* b = new TsSpeedButton(form.get());
    b->SetParent(panel);
    b->SetBounds(left, top, 50, 22);
    b->SetCaption(caption);
    return b;
  }
  void Open(std::function<void()> addButtons) {
    MakeManager();
    panel = new TsPanel(form.get());
    panel->SetParent(form.get());
    panel->SkinData->SetSkinSection("ALPHAEDIT");
    panel->SetBounds(0, 0, 300, 40);
    addButtons();
    form->LoadedAll();
    form->SetClientSize(300, 40);
    form->Show();
    Pump(50);
  }
  // Runs the button's fade to its end by hand; each frame checked against
  // the one before. Returns the number of frames.
  static int RunFade(TsSpeedButton* b) {
    const TBitmap32 target = CacheOf(b);
    TBitmap32 prev = b->FadeTimer()->Fade.Frame();
    int frames = 0;
    while (b->StepFade()) {
      EXPECT_TRUE(StepsToward(prev, b->FadeTimer()->Fade.Frame(), target)) << "frame " << frames + 1;
      prev = b->FadeTimer()->Fade.Frame();
      ++frames;
    }
    EXPECT_TRUE(SameBitmaps(prev, target));
    return frames + 1;  // the first frame is drawn when the fade starts
  }
  TsPanel* panel = nullptr;
};

TEST_F(SpeedButtonTest, FadesStepTowardTheNewLookAndTurnBackWithoutAJump) {
  TsSpeedButton* b = nullptr;
  Open([&] { b = MakeButton(); });
  const int32_t iterations = b->SkinData->Section()->FadingIterations;
  ASSERT_GT(iterations, 2);
  const TBitmap32 normal = CacheOf(b);

  b->Perform(CM_MOUSEENTER);
  ASSERT_TRUE(b->Fading());
  EXPECT_EQ(b->CurrentState(), 1);
  EXPECT_EQ(b->FadeTimer()->Fade.Steps(), iterations);
  EXPECT_FALSE(SameBitmaps(CacheOf(b), normal));
  EXPECT_EQ(RunFade(b), iterations);
  EXPECT_FALSE(b->Fading());
  EXPECT_EQ(TsAnimTimer::LiveCount(), 0);
  const TBitmap32 hot = CacheOf(b);

  // Pressing fades in half the steps.
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_TRUE(b->Fading());
  EXPECT_EQ(b->CurrentState(), 2);
  EXPECT_EQ(b->FadeTimer()->Fade.Steps(), iterations / 2);
  RunFade(b);
  b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  RunFade(b);
  EXPECT_TRUE(SameBitmaps(CacheOf(b), hot));

  // Leaving part way: back to the normal look from the frame on screen.
  b->Perform(CM_MOUSELEAVE);
  ASSERT_TRUE(b->Fading());
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(b->StepFade());
  const TBitmap32 shown = b->FadeTimer()->Fade.Frame();
  b->Perform(CM_MOUSEENTER);
  ASSERT_TRUE(b->Fading());
  EXPECT_EQ(b->FadeTimer()->Fade.Steps(), 4);  // as many as it had gone
  EXPECT_TRUE(StepsToward(shown, b->FadeTimer()->Fade.Frame(), hot));
  RunFade(b);
  EXPECT_TRUE(SameBitmaps(CacheOf(b), hot));
}

TEST_F(SpeedButtonTest, WithoutAnimationTheLookChangesAtOnce) {
  struct Case {
    const char* name;
    TacAnimatEvents events;
    TacAnimatEvents global;
  } cases[] = {
      {"no events", 0, aeAllButtonEvents},
      {"global setting off", aeGlobalDef, 0},
      {"only leaving animates", aeMouseLeave, aeAllButtonEvents},
  };
  TsSpeedButton* b = nullptr;
  Open([&] { b = MakeButton(); });
  const TBitmap32 normal = CacheOf(b);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    b->AnimatEvents = c.events;
    SetGlobalButtonAnimEvents(c.global);
    b->Perform(CM_MOUSEENTER);
    EXPECT_FALSE(b->Fading());
    EXPECT_EQ(b->CurrentState(), 1);
    EXPECT_FALSE(SameBitmaps(CacheOf(b), normal));
    b->Perform(CM_MOUSELEAVE);
    b->StopFade();
    SendControlSkinCommand(b, SKC_REPAINT);
    EXPECT_TRUE(SameBitmaps(CacheOf(b), normal));
  }
  SetGlobalButtonAnimEvents(aeAllButtonEvents);
}

TEST_F(SpeedButtonTest, PressedCaptionMovesOnePixelAndIsCentred) {
  TsSpeedButton* b = nullptr;
  Open([&] { b = MakeButton(); });
  const TRect32 up = b->CaptionRect();
  // Centred: the block (one pixel in from the left, two from the right).
  EXPECT_LE(std::abs((up.Left + 1) - (b->Width() - (up.Right - 2))), 1);
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  const TRect32 down = b->CaptionRect();
  EXPECT_EQ(down.Left, up.Left + 1);
  EXPECT_EQ(down.Top, up.Top + 1);
  EXPECT_EQ(down.Right, up.Right + 1);
  EXPECT_EQ(down.Bottom, up.Bottom + 1);
  b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_F(SpeedButtonTest, DisabledHasNoHotLookAndNoFade) {
  TsSpeedButton *on = nullptr, *off = nullptr;
  Open([&] {
    on = MakeButton(10);
    off = MakeButton(70);
    off->SetEnabled(false);
  });
  const TBitmap32 disabled = CacheOf(off);
  EXPECT_FALSE(SameBitmaps(CacheOf(on), disabled));
  // The caption is blended into the background once (the disabled kind
  // keeps 40 % of the button), not dimmed a second time to near invisibility.
  auto contrast = [](const TBitmap32& b, const TRect32& r) {
    int lo = 255 * 3, hi = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        const uint32_t p = b.Pixel(x, y);
        const int v = int(p & 255) + int(p >> 8 & 255) + int(p >> 16 & 255);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
      }
    return hi - lo;
  };
  const int enabledContrast = contrast(CacheOf(on), on->CaptionRect());
  ASSERT_GT(enabledContrast, 100);
  EXPECT_GE(contrast(disabled, off->CaptionRect()), enabledContrast * 3 / 10);
  off->Perform(CM_MOUSEENTER);
  EXPECT_FALSE(off->Fading());
  EXPECT_EQ(off->CurrentState(), 0);
  SendControlSkinCommand(off, SKC_REPAINT);
  EXPECT_TRUE(SameBitmaps(CacheOf(off), disabled));
}

TEST_F(SpeedButtonTest, AHandlerMayFreeTheButton) {
  struct Case { const char* name; UINT down, up; } cases[] = {
      {"click", WM_LBUTTONDOWN, WM_LBUTTONUP}, {"mouse enter", CM_MOUSEENTER, 0},
      {"mouse leave", CM_MOUSEENTER, CM_MOUSELEAVE}};
  Open([] {});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* b = new TGuardedButton(form.get());
    b->SetParent(panel);
    b->SetBounds(10, 6, 50, 22);
    bool freed = false;
    auto free = [&](TComponent*) {
      freed = true;
      delete b;
    };
    b->OnClick = free;
    if (c.down == CM_MOUSEENTER && !c.up) b->OnMouseEnter = free;
    if (c.up == CM_MOUSELEAVE) b->OnMouseLeave = free;
    b->Perform(c.down, MK_LBUTTON, MAKELPARAM(5, 5));
    if (c.up && !freed) b->Perform(c.up, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(freed);
  }
}

TEST_F(SpeedButtonTest, ASeeThroughButtonShowsItsParentsNewLook) {
  TsSpeedButton* b = nullptr;
  Open([&] { b = MakeButton(); });
  ASSERT_EQ(b->SkinData->StateLook(0).Transparency, 100);
  TDibBitmap target(b->Width(), b->Height());
  TCanvas canvas(target.DC());
  b->Paint(canvas);
  // The panel's look changes with no word to its children.
  TBitmap32* behind = panel->SkinData->CachePixels();
  ASSERT_TRUE(behind && !behind->Empty());
  behind->Fill(0xFFFF0000);
  panel->SkinData->BGChanged = false;
  b->Paint(canvas);
  int red = 0;
  const TBitmap32 cache = CacheOf(b);
  for (int y = 0; y < cache.Height(); ++y)
    for (int x = 0; x < cache.Width(); ++x) red += (cache.Pixel(x, y) & 0xFFFFFF) == 0xFF0000;
  EXPECT_GT(red, cache.Width() * cache.Height() / 2);
}

TEST_F(SpeedButtonTest, EnteringTellsEveryOtherHotSiblingEvenWhenOneChangesTheSiblings) {
  TLeaveProbe *plain = nullptr, *first = nullptr, *second = nullptr;
  TsSpeedButton* entered = nullptr;
  Open([&] {
    for (TLeaveProbe** p : {&plain, &first, &second}) {
      *p = new TLeaveProbe(form.get());
      (*p)->SetParent(panel);
    }
    entered = MakeButton(200);
  });
  for (TLeaveProbe* hot : {first, second}) {
    TMessage enter{CM_MOUSEENTER, 0, 0, 0};
    hot->TControl::WndProc(enter);
  }
  first->onLeave = [&] { plain->SetParent(nullptr); };
  entered->Perform(CM_MOUSEENTER);
  EXPECT_EQ(first->leaves, 1);
  EXPECT_EQ(second->leaves, 1);
  EXPECT_EQ(plain->leaves, 0);
}

TEST_F(SpeedButtonTest, OverlappingButtonsPaintEachOtherOnce) {
  TsSpeedButton *a = nullptr, *b = nullptr;
  Open([&] {
    a = MakeButton(10);
    b = MakeButton(30);  // its top-left corner lies inside a, a's bottom-right inside it
  });
  // Hot buttons rebuild their caches on every paint.
  a->SkinData->FMouseAbove = b->SkinData->FMouseAbove = true;
  int paintsA = 0, paintsB = 0;
  a->OnPaint = [&](TsSpeedButton*, TBitmap32&) { ++paintsA; };
  b->OnPaint = [&](TsSpeedButton*, TBitmap32&) { ++paintsB; };
  a->PrepareCache();
  EXPECT_EQ(paintsA, 1);
  EXPECT_EQ(paintsB, 1);
}

// Index 0 is a section like any other: once resolved it is not looked up,
// and the cache is not rebuilt, on every paint.
TEST_F(SpeedButtonTest, ResolvedIndexIsNotLookedUpAgainOnPaint) {
  TsSpeedButton* b = nullptr;
  Open([&] { b = MakeButton(); });
  // Over a plain panel: a see-through button over a gradient is painted anew each time.
  panel->SkinData->SetSkinSection("PANEL");
  const auto& sections = b->SkinData->SkinManager()->Content().gd;
  ASSERT_FALSE(sections.empty());
  for (const std::string& section : {std::string("SPEEDBUTTON"), sections[0].ClassName}) {
    SCOPED_TRACE(section);
    b->SkinData->SetSkinSection(section);
    ASSERT_GE(b->SkinData->SkinIndex, 0);
    int paints = 0;
    b->OnPaint = [&](TsSpeedButton*, TBitmap32&) { ++paints; };
    TDibBitmap target(50, 22);
    TCanvas canvas(target.DC());
    b->Paint(canvas);
    const int first = paints;
    b->Paint(canvas);
    b->Paint(canvas);
    EXPECT_EQ(paints, first);
  }
}

TEST_F(SpeedButtonTest, FadeTimersEndWithTheFadeTheButtonOrTheWait) {
  TsSpeedButton* b = nullptr;
  Open([&] { b = MakeButton(); });
  b->Perform(CM_MOUSEENTER);
  ASSERT_TRUE(b->Fading());
  // The timer's own ticks end it while messages are processed.
  EXPECT_TRUE(WaitForFadeTimers(2000));
  EXPECT_FALSE(b->Fading());
  b->Perform(CM_MOUSELEAVE);
  ASSERT_EQ(TsAnimTimer::LiveCount(), 1);
  delete b;
  EXPECT_EQ(TsAnimTimer::LiveCount(), 0);

  // A fade timer nothing ends: the wait gives up.
  TsAnimTimer orphan(nullptr);
  const DWORD start = ::GetTickCount();
  EXPECT_FALSE(WaitForFadeTimers(60));
  EXPECT_LT(::GetTickCount() - start, 1000u);
}

}  // namespace
