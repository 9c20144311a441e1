// Pieces shared by the gradient painters.
#pragma once
#include <cstdint>
#include <functional>

#include "skin/paint/gradient.h"
#include "skin/paint/pixel_clip.h"

namespace glyphora::gradient_detail {

// Calls put(pos, pixel) for pos = a..b (inclusive) with the colours from c1 to
// c2: single-precision accumulators advanced by a double step, rounded half
// to even, alpha 255. Nothing when b <= a.
void StepColors(int64_t a, int64_t b, TColor c1, TColor c2, const std::function<void(int64_t, uint32_t)>& put);

// Lays the segments end to end along rows (kind 0) or columns (kind 1) of the
// clipped rectangle and calls segment(start, end, pie) for each that is not
// empty; each begins where the previous ended, the last ends at R's end.
void ForEachSegment(const TsGradArray& g, int32_t kind, const TClipped& r, int32_t offset,
                    const std::function<void(int64_t, int64_t, const TsGradPie&)>& segment);

// Kind 2: four triangles around R's centre with the first colours of the
// first five segments at the corners and the centre.
void PaintTriangleGradient(TBitmap32* bmp, const TRect32& r, const TsGradArray& g);

}  // namespace glyphora::gradient_detail
