// Gradients: the text form a skin writes them in and the parsed segment array.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "skin/core/shared_types.h"
#include "skin/paint/bitmap32.h"

namespace glyphora {

struct TsGradPie {
  TColor Color1 = 0;    // colour at the start of the segment
  TColor Color2 = 0;    // colour at the end
  uint8_t Percent = 0;  // share of the gradient's length, 0..100
  int32_t Mode1 = 0;    // kind, read from the first segment: 0 vertical, 1 horizontal, 2 triangles
  int32_t Mode2 = 0;    // always 0
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

}  // namespace glyphora
