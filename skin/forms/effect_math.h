// The arithmetic of the window effects: how many frames an animation has,
// the opacity and rectangle of each frame of the show, hide, minimise and
// skin-change animations and of the translucent drag, and where a glow
// window goes. Frames are 12 ms apart. No window system.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "skin/core/parent_bg_record.h"

namespace glyphora {

constexpr int32_t kAnimFrameMs = 12;

// Whole frames in timeMs: 0 means no animation at all (the end state is
// shown at once).
int32_t AnimFrames(int32_t timeMs);

// ---- show, hide and skin change (frame i of n, 0 <= i <= n)

// Opacity of frame i rising to `target` over n frames (target at i >= n).
uint8_t RisingAlpha(int32_t i, int32_t n, uint8_t target);
// Opacity of frame i falling from `start` to 0 over n frames.
uint8_t FallingAlpha(int32_t i, int32_t n, uint8_t start);
// The growing picture of a zooming show (and, backwards, a shrinking hide):
// inset by an eighth of the size on every side at frame 0, the whole
// w x h at frame n.
TRect32 ZoomRect(int32_t w, int32_t h, int32_t i, int32_t n);
// The skin change's two opacities at frame i of n: the new look rises to
// `target` by target / n a frame; the old look stays opaque until the new
// one is within 85 of its target and reaches 0 with it (3 x the rest).
struct TCrossFadeStep {
  uint8_t NewAlpha, OldAlpha;
};
TCrossFadeStep CrossFadeStep(int32_t i, int32_t n, uint8_t target);

// ---- blend on moving

// The step by which a dragged form's opacity falls each tick: spread over
// timeMs, at least 1 (a step that rounds to 0 would never fade), all at
// once for a time under 13 ms.
uint8_t MoveBlendStep(uint8_t target, int32_t timeMs);
// One tick towards target from either side, never past it; true once there.
bool BlendTowards(uint8_t& value, uint8_t target, uint8_t step);

// ---- minimise and restore

// Where a minimised window goes: the taskbar button when known, else a
// point on the taskbar's inner edge (taskbar rectangle tb), else (0, 0).
// centre is the window's centre.
enum TTaskbarEdge : int32_t { tbLeft = 1, tbTop = 2, tbRight = 4, tbBottom = 8 };
TRect32 TaskbarTarget(const TRect32* button, const TRect32* taskbar, TPoint32 centre, int32_t* edge = nullptr);

struct TMinimizeAnim {
  TRect32 From{}, To{};  // the window's rectangle and the target
  int32_t Steps = 1;     // max(Time div 12, 1)
  uint8_t AlphaFrom = 255;
};
// The rectangle and opacity of step i (0: the window, Steps: the target).
// Restoring runs the same steps backwards.
TRect32 MinimizeRect(const TMinimizeAnim& a, int32_t i);
uint8_t MinimizeAlpha(const TMinimizeAnim& a, int32_t i);

// ---- glow windows

// A glow drawn as a nine-slice frame around button rectangle r: r grown by
// the image's borders less twice the margin. Empty when that leaves nothing.
TRect32 GlowRect(const TRect32& r, const TRect32& imageBorders, int32_t margin);
// A glow image used as it is: imageW x imageH at r's corner less the margin.
TRect32 GlowImageRect(const TRect32& r, int32_t imageW, int32_t imageH, int32_t margin);

}  // namespace glyphora
