// Nested one-pixel bevel frames drawn with pens (track-bar ticks and other
// small raised or sunken marks).
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/shared_types.h"

namespace glyphora {

// Draws `width` nested frames inside r: the left column and top row of each
// with topLeft (resolved), the right column and bottom row with bottomRight
// (taken as it is), the null brush inside. r comes back as the area inside
// the frames (shrunk by the original width on every side) and width as 0
// (a width of 0 or less draws nothing and is returned unchanged). Frames
// that cannot touch the DC's clip box are not drawn, so a huge width or
// rectangle costs no more than the visible part.
void DrawBevelFrame(HDC dc, TRect32& r, TColor topLeft, int32_t& width, TColor bottomRight);

}  // namespace glyphora
