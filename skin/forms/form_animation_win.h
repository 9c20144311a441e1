// The window animations of a skinned form, each in a layered window of its
// own that shows a picture of the form: minimising to the taskbar and
// restoring from it (timed by a threaded timer, so that it keeps running
// in modal loops), the translucent drag of the caption, the fades of a
// form that is shown or hidden, and the cross-fade from a form's old look
// to its new one when the skin changes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/bitmap32.h"
#include "framework/threaded_timer.h"
#include "skin/core/anim_effects.h"
#include "skin/forms/effect_math.h"
#include "skin/forms/layered_form_win.h"

namespace glyphora {

class TsSkinProvider;

// The animations' clock: milliseconds, monotonic.
double AnimClockMs();

// The platform's own minimise and restore animation, off for a scope: the
// form's picture is the animation.
class TacNoPlatformAnimation {
 public:
  TacNoPlatformAnimation();
  ~TacNoPlatformAnimation();
  TacNoPlatformAnimation(const TacNoPlatformAnimation&) = delete;
  TacNoPlatformAnimation& operator=(const TacNoPlatformAnimation&) = delete;

 private:
  ANIMATIONINFO info_{};
  bool changed_ = false;
};

// A picture shown in a layered window: scaled into a rectangle of the
// window, at an opacity. The window keeps its size, so that most frames
// only upload the picture.
class TacPictureWindow {
 public:
  explicit TacPictureWindow(DWORD exStyle = kClickThroughExStyle);
  // The window's screen rectangle (its size stays).
  void SetBounds(const TRect32& screen);
  // `picture` scaled into `target` (screen coordinates, inside the bounds),
  // transparent around it, at `alpha`; shown without activation.
  bool Show(const TBitmap32& picture, const TRect32& target, uint8_t alpha);
  // Puts the window just above `wnd` (top-most with a top-most one).
  void PlaceAbove(HWND wnd);
  HWND Handle() const { return form_.WindowHandle(); }
  TacLayeredForm& Form() { return form_; }

 private:
  TacLayeredForm form_;
  TRect32 bounds_{};
  TBitmap32 frame_;
};

// Minimising and restoring: the picture of the form shrinks to the
// taskbar while it fades out, and grows back while it fades in.
class TacMinimizeAnim {
 public:
  explicit TacMinimizeAnim(TsSkinProvider& owner);
  ~TacMinimizeAnim();
  // Starts with the form's picture and rectangle (screen) and the settings'
  // time, counted from requestedMs (the clock's time of the request).
  // Minimising runs after the form went to the taskbar; restoring ends by
  // restoring the form.
  void Start(TBitmap32 picture, const TRect32& from, int32_t timeMs, bool minimizing, double requestedMs);
  bool Running() const { return timer_ != nullptr; }
  bool Minimizing() const { return minimizing_; }
  // The work area changed: the target follows the taskbar.
  void UpdateTarget();
  // Shows the last frame and ends now (the form is destroyed, the program ends).
  void Finish();
  // The picture kept from minimising, to restore from.
  const TBitmap32& Picture() const { return picture_; }
  const TRect32& From() const { return anim_.From; }

 private:
  void Tick();
  void End();
  TsSkinProvider& sp_;
  std::unique_ptr<TacThreadedTimer> timer_;
  std::unique_ptr<TacPictureWindow> wnd_;
  TBitmap32 picture_;
  TMinimizeAnim anim_;
  bool minimizing_ = true;
  int32_t timeMs_ = 0;
  int32_t step_ = 0;
  double startMs_ = 0;
};

// The translucent drag: the form's picture follows the mouse through the
// platform's move loop while it fades to the blend value; the form, kept
// invisible, takes its place when the move ends.
class TacMoveBlend {
 public:
  explicit TacMoveBlend(TsSkinProvider& owner);
  ~TacMoveBlend();
  // Runs the whole move (returns when the mouse is released).
  void Run(POINT screen, const TacBlendOnMoving& settings);
  bool Running() const { return running_; }
  uint8_t Alpha() const { return alpha_; }

 private:
  void Tick();
  TsSkinProvider& sp_;
  std::unique_ptr<TacThreadedTimer> timer_;
  std::unique_ptr<TacLayeredForm> wnd_;
  uint8_t alpha_ = 255, target_ = 255, step_ = 1;
  bool running_ = false;
};

// The form's picture fading in (and growing, atAero) when it is first
// shown: frames 12 ms apart, played at once.
void PlayShowAnimation(TsSkinProvider& sp, const TacFormAnimation& settings);
// The picture of a form just hidden, fading out (and shrinking) in a window
// of its own; one runs at a time in the process. While the program ends the
// frames are played at once.
void PlayHideAnimation(TBitmap32 picture, const TRect32& screen, HWND above, const TacFormAnimation& settings);
bool HideAnimationRunning();
void FinishHideAnimation();
// The skin change's fade: the form's old picture covers it while the new
// skin is broadcast, then fades into the new look.
void CoverWithOldLook(TsSkinProvider& sp);
void FadeToNewLook(TsSkinProvider& sp, const TacSkinChanging& settings);
// Installs the two as the skin manager's skin-change animator.
void InstallSkinChangeAnimator();

}  // namespace glyphora
