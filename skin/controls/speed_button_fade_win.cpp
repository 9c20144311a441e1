// The speed button's fades: the fade timer, starting, stepping and stopping
// a fade, and the process-wide settings fades obey.
#include <windows.h>

#include "framework/application.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/core/animation_state.h"
#include "skin/core/skin_types.h"

namespace glyphora {

namespace {
TacAnimatEvents g_globalEvents = aeAllButtonEvents;

double NowMs() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}
}  // namespace

TacAnimatEvents GlobalButtonAnimEvents() { return g_globalEvents; }
void SetGlobalButtonAnimEvents(TacAnimatEvents events) { g_globalEvents = events & aeAllButtonEvents; }

TsAnimTimer::TsAnimTimer(TsSpeedButton* button) : TacThreadedTimer(nullptr, true), button_(button) {
  FadeTimerStarted();
  SetInterval(kIntervalMs);
}

TsAnimTimer::~TsAnimTimer() {
  StopWorker();
  FadeTimerEnded();
}

long TsAnimTimer::LiveCount() { return LiveFadeTimers(); }

void TsAnimTimer::TimeHandler() {
  if (Destroying() || !button_ || button_->Destroying() || Application()->Terminating()) return;
  // The step the clock has reached: a late tick catches up instead of
  // stretching the fade.
  const auto due = static_cast<int32_t>((NowMs() - StartMs) / kIntervalMs) + 1;
  button_->StepFade(due);  // may free this timer
}

void TsSpeedButton::StartFade(bool fast) {
  TBitmap32* cache = SkinData->CachePixels();
  const TsGeneralData* section = SkinData->Section();
  if (!cache || cache->Empty() || !section) {
    StopFade();
    GraphRepaint();
    return;
  }
  int32_t steps = section->FadingIterations;
  if (fast) steps /= 2;
  if (steps < 1) {
    StopFade();
    GraphRepaint();
    return;
  }
  const int newState = CurrentState();
  // The look on screen before the change: the running fade's frame, else
  // the cache, which still holds the old state.
  const bool running = fade_ != nullptr;
  const bool reverse = running && newState == fade_->FromState;
  const int fromState = running ? fade_->ToState : cacheState_;
  TBitmap32 shown = running ? fade_->Fade.Frame() : *cache;

  // The new look, over the parent's background as it is now: the last
  // frame is exactly the look the button keeps after the fade.
  PrepareCache();
  cache = SkinData->CachePixels();
  if (!cache || cache->Width() != shown.Width() || cache->Height() != shown.Height()) {
    StopFade();
    GraphRepaint();
    return;
  }
  if (!fade_) fade_ = std::make_unique<TsAnimTimer>(this);
  if (running)
    fade_->Fade.Restart(shown, steps, reverse);
  else
    fade_->Fade.Start(shown, steps);
  fade_->FromState = fromState;
  fade_->ToState = newState;
  fade_->StartMs = NowMs();
  fade_->SetEnabled(true);
  StepFade(1);
}

bool TsSpeedButton::StepFade(int32_t toStep) {
  if (!fade_) return false;
  TBitmap32* target = SkinData->CachePixels();
  if (!target || !fade_->Fade.Advance(*target, toStep)) {
    // Past the last frame: the final look is the cache itself.
    StopFade();
    SkinData->MarkBGChanged();
    GraphRepaint();
    return false;
  }
  GraphRepaint();
  return true;
}

void TsSpeedButton::StopFade() {
  if (!fade_) return;
  // Freed here even from inside the timer's own tick: the timer touches
  // nothing of itself after its handler returns.
  std::unique_ptr<TsAnimTimer> timer = std::move(fade_);
  timer->SetEnabled(false);
}

}  // namespace glyphora
