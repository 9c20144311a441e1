// A whole picture (a bitmap or a decoded large texture) repeated over a
// rectangle from its top-left corner, the last column and row cut to it.
#pragma once
#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// Nothing for a missing or empty graphic, an empty rectangle, or graphic ==
// dst. Only the part of r inside dst is written; r may be negative or huge.
void TileGraphic(TBitmap32* dst, const TRect32& r, const TBitmap32* graphic);

}  // namespace glyphora
