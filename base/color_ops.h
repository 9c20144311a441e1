// Colour arithmetic: blends of two colours, hue rotation and saturation of
// single colours and of whole bitmaps.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// Each colour byte Round(k*c1 + (1-k)*c2), clamped; the top byte is color1's.
TColor BlendColors(TColor color1, TColor color2, double k);
// Each colour byte (c1*127 + c2*129) >> 8; top byte 0.
TColor HalfwayColor(TColor color1, TColor color2);

// Rotates the hue of a pixel by delta degrees (byte 2 red, byte 0 blue);
// byte 3 is kept.
uint32_t ShiftHue(int delta, uint32_t pixel);
// ShiftHue on a colour value (red in byte 0); delta 0 returns it unchanged.
TColor ShiftHueColor(int delta, TColor color);
// Pushes the three colour bytes away from (amount > 0) or towards their mean;
// amount 0 returns the value unchanged. Byte 3 is kept.
uint32_t AdjustSaturation(int amount, uint32_t color);

// Apply ShiftHue / AdjustSaturation to every pixel except the key and greys.
void ShiftBitmapHue(TBitmap32* bmp, int delta);
void AdjustBitmapSaturation(TBitmap32* bmp, int amount);

}  // namespace glyphora
