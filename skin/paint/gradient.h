// Gradients: the text form a skin writes them in, the parsed segment array,
// and the painters (plain, and mixed with a tiled texture in one pass).
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

struct TsGradPie {
  TColor Color1 = 0;    // colour at the start of the segment
  TColor Color2 = 0;    // colour at the end
  uint8_t Percent = 0;  // share of the gradient's length, 0..100
  int32_t Mode1 = 0;    // kind, read from the first segment: 0 vertical, 1 horizontal, 2 triangles
  int32_t Mode2 = 0;    // always 0
  bool operator==(const TsGradPie&) const = default;
};
using TsGradArray = std::vector<TsGradPie>;

// Raised for a word of gradient text that is not a 32-bit decimal integer.
class EGradientError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "c1;c2;percent;mode;x;..." in groups of five words (runs of characters
// other than ';'); an incomplete last group is dropped. Colours below 0 become
// 0, percentages are clamped to 0..100.
TsGradArray ParseGradientData(std::string_view text);
// The same into pieces, reusing its memory.
void ParseGradientData(std::string_view text, TsGradArray& pieces);

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
