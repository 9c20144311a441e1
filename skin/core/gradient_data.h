// Gradients as a skin writes them: the text form ("c1;c2;percent;mode;x;...")
// and the parsed segment array that the options reader keeps per section.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "base/shared_types.h"

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

}  // namespace glyphora
