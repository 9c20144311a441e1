// The text form of a section's gradient: integers separated by ";", five per
// segment (first colour, second colour, percent, kind, unused).
#pragma once
#include <string_view>

#include "skin/core/skin_types.h"

namespace glyphora {

// Words beyond the last complete group of five are ignored; colours are
// raised to at least 0, the percent kept within 0..100, the fifth word not
// read. A word of a complete group that is not a number raises EConvertError.
TsGradArray ParseGradientText(std::string_view text);

}  // namespace glyphora
