// A speed button drawn from its skin section ("SPEEDBUTTON") in its normal,
// hot, pressed and disabled looks. When the mouse enters or leaves it, or a
// mouse button goes down or up on it, the old look cross-fades into the new
// one in the section's FADINGITERATIONS steps of 10 ms (a click in half as
// many); a change in the middle of a fade continues from the frame on
// screen. The button is composed in its skin data's cache and copied to the
// screen in one block.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "base/bitmap32.h"
#include "framework/buttons.h"
#include "skin/controls/button_layout.h"
#include "skin/controls/skinned_control.h"
#include "framework/threaded_timer.h"
#include "skin/core/animation_state.h"
#include "skin/paint/cross_fade.h"
#include "skin/paint/disabled_look.h"

namespace glyphora {

class TsSpeedButton;

// State changes that may animate.
enum TacAnimatEvent : uint8_t {
  aeMouseEnter = 1, aeMouseLeave = 2, aeMouseDown = 4, aeMouseUp = 8, aeGlobalDef = 16,
};
using TacAnimatEvents = uint8_t;
constexpr TacAnimatEvents aeAllButtonEvents = aeMouseEnter | aeMouseLeave | aeMouseDown | aeMouseUp;

// Process-wide: the button events that animate for buttons that follow the
// global setting (aeGlobalDef); all four by default.
TacAnimatEvents GlobalButtonAnimEvents();
void SetGlobalButtonAnimEvents(TacAnimatEvents events);


// The timer of one running fade: ticks every 10 ms on the user-interface
// thread and steps the button's cross-fade.
class TsAnimTimer : public TacThreadedTimer {
 public:
  static constexpr uint32_t kIntervalMs = 10;
  explicit TsAnimTimer(TsSpeedButton* button);
  ~TsAnimTimer() override;
  // Fade timers alive in the process.
  static long LiveCount();

  TCrossFade Fade;
  int FromState = 0, ToState = 0;
  // When the fade's current run started (milliseconds, performance counter).
  double StartMs = 0;

 protected:
  void TimeHandler() override;

 private:
  TsSpeedButton* button_;
};

class TsSpeedButton : public TsSkinned<TSpeedButton> {
 public:
  explicit TsSpeedButton(TComponent* owner);
  ~TsSpeedButton() override;

  TsDisabledKind DisabledKind = DefaultDisabledKind;
  TacAnimatEvents AnimatEvents = aeGlobalDef;
  bool ShowCaption = true;
  bool Down() const { return state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive; }
  int32_t TextOffset = 0;
  int32_t Margin = -1;
  int32_t Spacing = 4;
  TButtonLayout Layout = TButtonLayout::blGlyphLeft;
  TBlockAlign Alignment = TBlockAlign::Center;
  TBlockAlign TextAlignment = TBlockAlign::Center;
  // The last step of every cache paint.
  std::function<void(TsSpeedButton* sender, TBitmap32& bmp)> OnPaint;
  TNotifyEvent OnMouseEnter, OnMouseLeave;

  // 2 pressed (or latched down), 1 hot, 0 normal: the section's state.
  int CurrentState() const;
  // The caption's rectangle in the current state.
  TRect32 CaptionRect();
  // Paints the whole look for the current state into the cache.
  void PrepareCache();
  // Brings the screen up to date at once: the running fade's frame, else
  // the cache (renewed first when stale).
  void GraphRepaint();
  bool Fading() const { return fade_ != nullptr; }
  const TsAnimTimer* FadeTimer() const { return fade_.get(); }
  // Draws the running fade's next frame (as a tick does); false when the
  // fade has ended (and was stopped).
  bool StepFade(int32_t toStep = 0);
  void StopFade();

  void Paint(TCanvas& canvas) override;
  void WndProc(TMessage& m) override;
  bool PaintsOpaque() const override { return SkinData->Skinned(); }

 protected:
  void BoundsChanged() override;

 private:
  // A state change by `event`; `fast` for mouse down and up.
  void StateChanged(TacAnimatEvent event, bool fast);
  bool Animates(TacAnimatEvent event) const;
  void StartFade(bool fast);
  void DrawCaption(HDC dc, int state);
  // The other visible controls of the parent lying over the button, painted
  // into the cache so that they stay visible on it.
  void PaintOverlappingSiblings();
  void CopyToDC(HDC dc, int x, int y);

  std::unique_ptr<TsAnimTimer> fade_;
  // False once the button is destroyed: a handler run from WndProc (a
  // click, the mouse entering) may free the button, after which WndProc
  // touches nothing of it.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool storedDown_ = false;
  int cacheState_ = 0;  // the state the cache was last painted in
  bool mouseAbove_ = false;
  friend class TsAnimTimer;
};

}  // namespace glyphora
