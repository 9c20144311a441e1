#include "skin/paint/cross_fade.h"

#include <algorithm>

namespace glyphora {

void CrossFadeFrame(TBitmap32* out, const TBitmap32& from, const TBitmap32& to, int32_t step, int32_t steps) {
  if (!out || from.Width() != to.Width() || from.Height() != to.Height()) return;
  if (out->Width() != from.Width() || out->Height() != from.Height())
    out->SetSizeForOverwrite(from.Width(), from.Height());
  const int64_t scaled = steps > 0 ? static_cast<int64_t>(step) * 256 / steps : 256;
  const uint32_t w = static_cast<uint32_t>(std::clamp<int64_t>(scaled, 0, 256));
  const uint32_t v = 256 - w;
  for (int32_t y = 0; y < from.Height(); ++y) {
    const uint32_t* a = from.ScanLine(y);
    const uint32_t* b = to.ScanLine(y);
    uint32_t* d = out->ScanLine(y);
    for (int32_t x = 0; x < from.Width(); ++x) {
      const uint32_t p = a[x], q = b[x];
      // Two channels at a time, each in a 16-bit lane: 255*256+128 fits.
      const uint32_t rb = (((p & 0x00FF00FF) * v + (q & 0x00FF00FF) * w + 0x00800080) >> 8) & 0x00FF00FF;
      const uint32_t ga = ((((p >> 8) & 0x00FF00FF) * v + ((q >> 8) & 0x00FF00FF) * w + 0x00800080)) & 0xFF00FF00;
      d[x] = rb | ga;
    }
  }
}

void TCrossFade::Start(const TBitmap32& shown, int32_t steps) {
  from_ = shown;
  steps_ = std::max(1, steps);
  step_ = 0;
}

void TCrossFade::Restart(const TBitmap32& shown, int32_t steps, bool reverse) {
  if (!Running()) {
    Start(shown, steps);
    return;
  }
  const int32_t covered = std::min(step_, steps_);
  const int32_t newSteps = reverse ? std::max<int32_t>(1, static_cast<int32_t>(
                                                              static_cast<int64_t>(std::max(1, steps)) * covered / steps_))
                                   : steps;
  TBitmap32 now = Frame();
  Start(now, newSteps);
}

bool TCrossFade::Advance(const TBitmap32& target, int32_t toStep) {
  if (!Running() || step_ >= steps_) return false;
  if (target.Width() != from_.Width() || target.Height() != from_.Height()) return false;
  step_ = std::min(steps_, std::max(step_ + 1, toStep));
  CrossFadeFrame(&frame_, from_, target, step_, steps_);
  return true;
}

}  // namespace glyphora
