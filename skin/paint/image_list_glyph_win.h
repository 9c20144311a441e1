// Glyphs of image lists: one image of the list holds state frames side by
// side; the frame for the state is drawn into a 32-bit bitmap or onto a DC.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// Image `index` of the list, frame min(state, frameCount - 1) of frameCount
// frames (a count of 0 or less counts as 1), at (x, y) of dst; size receives
// the frame's size. A list of 32-bit images is drawn with its alpha through
// DrawAlphaGlyph (reflected, transparency, blendColor: clNone for none);
// other lists draw themselves over a copy of the destination area. Nothing
// for an empty dst, no list or an index outside it.
void DrawImageListGlyph(HIMAGELIST list, TBitmap32* dst, int32_t x, int32_t y, SIZE& size, bool reflected,
                        int frameCount, int state, TColor blendColor, int transparency, int index);

// The same onto a DC, through a 32-bit copy of the DC's area (taller by half
// the image's height when reflected, for the mirror image).
void DrawImageListGlyphToDC(HIMAGELIST list, HDC dc, int32_t x, int32_t y, bool reflected, int frameCount, int state,
                            TColor blendColor, int transparency, int index);

}  // namespace glyphora
