// Gradient painters (plain, and mixed with a tiled texture in one pass) over
// the segment arrays the options reader parses.
#pragma once
#include <cstdint>

#include "base/bitmap32.h"
#include "base/shared_types.h"
#include "skin/core/gradient_data.h"

namespace glyphora {

// Paints the gradient into R of bmp (cut to the bitmap), alpha 255. offset
// stretches a vertical gradient as if R were offset pixels taller and began
// offset pixels lower (bounded to +-2^20).
void PaintGradient(TBitmap32* bmp, const TRect32& r, const TsGradArray& gradient, int32_t offset = 0);

// Vertical or horizontal gradient mixed with the texture tile at textureRect
// of texture (the whole texture when textureRect is empty), the tile anchored
// at the bitmap's origin: colour byte := (factor*(t - g) + g*256) >> 8.
void PaintGradientTextured(TBitmap32* bmp, const TRect32& r, const TsGradArray& gradient, uint8_t factor,
                           const TRect32& textureRect, const TBitmap32* texture);

}  // namespace glyphora
