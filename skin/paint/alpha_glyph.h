// 32-bit glyphs with their own (straight) alpha drawn into a 32-bit bitmap:
// more or less transparent, optionally tinted towards one colour, optionally
// with a fading mirror image below.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// srcRect of src into dstRect of dst (the overlap of both sizes, cut to
// both bitmaps). Key pixels (0x00FF00FF) are skipped, or with useCache and a
// ready ci take the parent pixel at (ci.X + x, ci.Y + y) of the destination
// position (left alone past the parent's edges). Other pixels weigh in with
// k = a (transparency 0) or (100 - transparency)*a div 100:
//  - blendColor clNone: colour d := ((s - d)*k + d*256) >> 8; with
//    transparency 0 and a ready ci the alpha becomes max(dA, a), otherwise
//    it is kept;
//  - a blend colour: the source's grey v times the colour's byte q,
//    t := min(255, Round(v*q/255)), and d := d + ((t - d)*k) >> 8.
// reflected: below dstRect a mirror image of the glyph's last rows fades
// out, a third as strong at first, over at most half the source's height
// (never rows outside srcRect, none for a source under 4 rows high).
void DrawAlphaGlyph(const TRect32& dstRect, const TRect32& srcRect, TBitmap32* dst, bool reflected, int transparency,
                    TColor blendColor, bool useCache, const TCacheInfo& ci, const TBitmap32* src);

}  // namespace glyphora
