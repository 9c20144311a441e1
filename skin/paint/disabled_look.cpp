#include "skin/paint/disabled_look.h"

#include "skin/paint/pixel_fill.h"
#include "skin/paint/tint.h"

namespace glyphora {

void ApplyDisabledKind(TBitmap32* bmp, TsDisabledKind kind, TColor parentColor, int32_t offsetX, int32_t offsetY,
                       const TCacheInfo& ci) {
  if (!bmp || bmp->Empty()) return;
  if (kind & dkGrayed) GrayBitmap(bmp);
  if (!(kind & dkBlended)) return;
  if (ci.Ready && ci.Bmp) {
    const int64_t x = static_cast<int64_t>(ci.X) + offsetX, y = static_cast<int64_t>(ci.Y) + offsetY;
    // Offsets that do not fit a rectangle cannot reach the parent bitmap.
    if (x < INT32_MIN || y < INT32_MIN || x + bmp->Width() > INT32_MAX || y + bmp->Height() > INT32_MAX) return;
    const TRect32 src{static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(x + bmp->Width() - 1),
                      static_cast<int32_t>(y + bmp->Height() - 1)};
    BlendKeyedRect(bmp, 0, 0, KeyColor32, 0.4, src, ci.Bmp);
  } else {
    const TColor c = ci.FillColor == clNoneMarker ? parentColor : ci.FillColor;
    TintRect(bmp, TRect32{0, 0, bmp->Width(), bmp->Height()}, 50, c);
  }
}

}  // namespace glyphora
