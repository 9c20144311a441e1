// A whole image copied as a nine-slice frame with its own slice margins,
// corner sizes and per-side modes (the extended border template).
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// Plain copies, alpha included. sideModes.Left/Top/Right/Bottom and
// centerMode: 0 tile, 1 stretch. cornerSizes and margins hold four widths.
// Corners are copied as L-shaped bands limited by the corner sizes; sides
// are strips as wide as those limits; the centre only with drawCenter.
void DrawNineSliceImage(TBitmap32* dst, const TBitmap32* src, const TRect32& r, bool drawCenter, int centerMode,
                        const TRect32& sideModes, const TRect32& cornerSizes, const TRect32& margins,
                        const TRect32& srcRect);

}  // namespace glyphora

namespace glyphora {

// The extended border template over the whole of dst as a nine-slice image
// (sides stretched, no centre) with the template's own slice margins, while
// the pixels inside `keep` stay as they are: the form's own part of the
// frame image is left to the form.
void DrawExBorderTemplate(TBitmap32* dst, const TBitmap32& tpl, const TRect32& margins, const TRect32& keep);

}  // namespace glyphora
