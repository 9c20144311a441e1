// Classic bitmap glyphs (a strip of state frames with a transparent colour)
// drawn into a 32-bit bitmap in their normal, hot, pressed and disabled looks.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// How a disabled button glyph is shown: a set of these.
enum TsDisabledGlyphKindFlag : uint8_t { dgBlended = 1, dgGrayed = 2 };
using TsDisabledGlyphKind = uint8_t;
constexpr TsDisabledGlyphKind DefaultDisabledGlyphKind = dgBlended;

// stateKind: 0 normal, 1 hot, 2 pressed.

// The frame of a strip of numGlyphs frames shown for a state: frame 0 when
// disabled or normal; hot: 1 (0 for a 4-bit glyph); pressed: 2, or 3 when
// down, falling back to 0 (4-bit) or 1 when the strip is shorter. A count
// of 1 or less means one frame.
int GlyphFrameIndex(int numGlyphs, int stateKind, bool down, bool enabled, bool fourBitGlyph);

// Draws the glyph's frame for the state with its top-left corner at `at`
// of dst. The transparent colour is the bottom-left pixel of the frame drawn
// (of the whole strip when disabled), after greying when the glyph is
// greyed. blendPercent is how transparent the normal look is. Disabled:
// greyed with dgGrayed, half transparent with dgBlended. Nothing for an
// empty glyph or a frame less than a pixel wide. The glyph is not changed.
void DrawBitmapGlyph(const TBitmap32& glyph, bool fourBitGlyph, TBitmap32* dst, int32_t atX, int32_t atY, bool down,
                     int blendPercent, int stateKind, TsDisabledGlyphKind disabledKind, bool enabled, int numGlyphs);

}  // namespace glyphora
