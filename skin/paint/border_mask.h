// The nine-slice border of a section: four corners cut from the image frame
// of the state, sides and centre tiled or stretched between them.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "skin/core/skin_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// Border widths after fitting them into a rectangle of the given size: when
// the size is below lead + trail both lose half the excess, the trailing
// one a pixel more for an odd size; neither below 0.
void FitBorderWidths(int32_t size, int32_t& lead, int32_t& trail);

// Draws border image m as a nine-slice frame over r of dst in state `state`.
// ci is what lies behind r (already moved to r's position); key pixels of
// the corners show it when useCacheForCorners. Draw-mode bits: 1 stretch
// sides and centre (images without a mask), 2 not in state 0, 4 draw the
// centre.
void DrawBorderMask(TBitmap32* dst, const TRect32& r, bool useCacheForCorners, int state, const TsMaskData& m,
                    const TCacheInfo& ci);

}  // namespace glyphora
