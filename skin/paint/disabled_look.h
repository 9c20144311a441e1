// The disabled look of a control's image: greyed, and/or blended into what
// lies behind it.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// A set of dkBlended, dkGrayed.
enum TsDisabledKindFlag : uint8_t { dkBlended = 1, dkGrayed = 2 };
using TsDisabledKind = uint8_t;
constexpr TsDisabledKind DefaultDisabledKind = dkBlended;

// dkGrayed: GrayBitmap. dkBlended: with ci ready, the parent image at
// (ci.X + offsetX, ci.Y + offsetY) is blended in, the control keeping 40 %
// (parent key pixels skipped); otherwise the bitmap is tinted 50 % towards
// ci.FillColor, or towards parentColor when FillColor is the none-marker.
void ApplyDisabledKind(TBitmap32* bmp, TsDisabledKind kind, TColor parentColor, int32_t offsetX, int32_t offsetY,
                       const TCacheInfo& ci);

}  // namespace glyphora
