// Reading numbers out of options text the way the platform's conversions do.
#pragma once
#include <cstdint>
#include <string_view>

namespace glyphora {

// A 32-bit integer: optional sign and decimal digits, or hexadecimal after
// "0x", "0X" or "$" (up to 8 hex digits, taken as the 32-bit pattern).
// False for anything else, including empty text and out-of-range values.
bool TryStrToInt(std::string_view s, int32_t& out);
int32_t StrToIntDef(std::string_view s, int32_t def);
// Raises EConvertError "'s' is not a valid integer value" when s is not a number.
int32_t StrToIntStrict(std::string_view s);
// True only for a run of decimal digits (the fixed columns of image entries).
bool TryDigits(std::string_view s, int32_t& out);
// A decimal number with "." as separator (optional exponent); def otherwise.
double StrToFloatDef(std::string_view s, double def);

}  // namespace glyphora
