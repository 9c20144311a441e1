// The platform's colour conversion: a TColor with the sign bit set names a
// system colour (index in the low byte) and becomes that colour; any other
// value is returned unchanged.
#pragma once
#include "skin/core/shared_types.h"

namespace glyphora {

TColor ColorToRGB(TColor color);

// Where system colours come from. The Windows side installs GetSysColor; the
// host uses a fixed table of the platform's default colours.
using TSysColorSource = TColor (*)(int index);
void SetSysColorSource(TSysColorSource source);

}  // namespace glyphora
