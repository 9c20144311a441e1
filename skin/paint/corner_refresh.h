// Puts what the parent shows now behind the transparent corner pixels of a
// control's border in its cache bitmap.
#pragma once
#include <cstdint>

#include "skin/core/skin_types.h"
#include "base/bitmap32.h"
#include "skin/paint/parent_bg.h"

namespace glyphora {

// cache holds a width x height control painted with border image m in state
// `state`. parent is the parent's answer, its Offset already moved by the
// control's position in the parent. In each of the four corners (border
// widths as the image gives them) every pixel whose source pixel is exactly
// the key colour gets the colour bytes of the parent image's pixel at
// (Offset.X + x, Offset.Y + y) (left alone outside it), or the answered
// colour resolved; nothing when that colour is the none-marker. An image
// with no frames but a bitmap of its own counts as three masked frames.
void RefreshBorderCorners32(TBitmap32* cache, int32_t width, int32_t height, const TsMaskData& m, int state,
                            const TacParentBG& parent);

}  // namespace glyphora
