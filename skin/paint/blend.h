// Blending of whole rectangles and bitmaps with integer weights.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// Blends srcRect of src over dst with its top-left corner at (dstX, dstY):
// every byte D := (D*dstWeight + S*(255-dstWeight) + 127) >> 8. A negative
// destination point moves the source rectangle instead; the rest is cut to
// both bitmaps. Bitmaps below 2 x 2 are refused.
void BlendOverRect(TBitmap32* dst, const TBitmap32* src, uint8_t dstWeight, const TRect32& srcRect,
                   int32_t dstX, int32_t dstY);
// All of src over all of dst; nothing unless both have the same size.
void BlendOverBitmap(TBitmap32* dst, const TBitmap32* src, uint8_t dstWeight);

// Colour bytes of dst := ((A - B)*w + B*256) >> 8 with w = weight, or the
// matching byte of mask when mask is given; dst's alpha is kept. Nothing
// unless a and b have the same size; dst and mask are cut to the common area.
void MixBitmaps(TBitmap32* dst, const TBitmap32* a, const TBitmap32* b, uint8_t weight,
                const TBitmap32* mask = nullptr);

// Every colour byte p := (p*m + q*(256-m)) >> 8, q the byte of color (a
// colour value, not resolved) and m the mask's byte of the same channel;
// alpha kept. Nothing unless bmp and mask have the same size.
void MaskFadeToColor(TBitmap32* bmp, const TBitmap32* mask, TColor color);

// Moves the pixels of R towards color through a mask of nested round
// rectangles: light at the edge (Levels rings), percent*255/100 inside. The
// mask is filled the way a pen-less round rectangle fills, one pixel short on
// the right and at the bottom, so R's last column and row take the colour.
void FadeRectToColor(TBitmap32* bmp, const TRect32& r, int percent, int radius, int levels, TColor color);

}  // namespace glyphora
