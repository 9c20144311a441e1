// A cross-fade between two looks of a control, stepped by count rather than
// by the clock, so that it paints the same frames however late its timer is.
// Frame k of n shows the starting look moved k/n of the way to the target:
// every byte (all four channels) moves towards the target at each step and
// never past it, and the last frame is the target exactly.
#pragma once
#include <cstdint>

#include "base/bitmap32.h"

namespace glyphora {

// out := from moved step/steps of the way to `to`, byte by byte, rounded to
// nearest: (from*(256-w) + to*w + 128) >> 8 with w = step*256/steps clamped
// to 0..256. A byte that is the same in both stays as it is. Nothing unless
// from and to have the same size; out takes that size.
void CrossFadeFrame(TBitmap32* out, const TBitmap32& from, const TBitmap32& to, int32_t step, int32_t steps);

class TCrossFade {
 public:
  // A fade of `steps` steps (at least 1) from `shown`, the look on screen.
  void Start(const TBitmap32& shown, int32_t steps);
  // A new fade that starts from the frame this one shows now. Going back to
  // where this one came from (`reverse`) takes as many of the new `steps` as
  // this one had covered of its own, so the look returns at the speed it
  // left; any other change takes all of them. Without a running fade, as
  // Start from `shown`.
  void Restart(const TBitmap32& shown, int32_t steps, bool reverse);
  // Paints frame Step()+1 (or `toStep` when that is further, for a timer
  // that fell behind) towards `target` into Frame(); false, painting
  // nothing, once the last step has been shown or when target's size is not
  // the fade's.
  bool Advance(const TBitmap32& target, int32_t toStep = 0);
  void Stop() { steps_ = 0; step_ = 0; }

  bool Running() const { return steps_ > 0; }
  bool Finished() const { return steps_ > 0 && step_ >= steps_; }
  int32_t Step() const { return step_; }
  int32_t Steps() const { return steps_; }
  // The frame on screen: the last one painted, or the start before that.
  const TBitmap32& Frame() const { return step_ > 0 ? frame_ : from_; }

 private:
  TBitmap32 from_, frame_;
  int32_t steps_ = 0, step_ = 0;
};

}  // namespace glyphora
