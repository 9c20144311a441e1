// Copies that leave out key-coloured pixels, or put what lies behind (the
// parent image or its fill colour) in their place, and straight-alpha copies.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// All of src to (x, y) of dst, cut to dst; source pixels equal to key (a
// colour value; red and blue exchanged, top byte as alpha) are skipped,
// copied pixels get alpha 255.
void CopyKeyed(TBitmap32* dst, const TBitmap32* src, int32_t x, TColor key, int32_t y);
// srcRect (inclusive) of src to (x, y) of dst, skipping pixels equal to key
// (as in CopyKeyed); alpha copied as is.
void CopyKeyedRect(TBitmap32* dst, const TBitmap32* src, int32_t x, TColor key, const TRect32& srcRect, int32_t y);
// srcRect (inclusive) of src to (x, y) of dst; key pixels show the background:
//  - ci ready, useCache, ci.Bmp set: the parent pixel at (x + ci.X, y + ci.Y),
//    alpha 255 (kept when outside the parent; left alone when dst is ci.Bmp);
//    other pixels copied with alpha 255;
//  - ci ready without useCache: key pixels skipped, others copied as they are;
//  - ci not ready: key pixels become ci.FillColor with alpha 255, others copied.
void CopyKeyedOverBackground(TBitmap32* dst, const TBitmap32* src, int32_t x, bool useCache, const TCacheInfo& ci,
                             TColor key, const TRect32& srcRect, int32_t y);
// Straight-alpha source over dst on the overlap of dstRect and srcRect (cut to
// both bitmaps; a negative origin moves the other rectangle): colour
// d := ((s - d)*sA + d*256) >> 8, alpha dA := dA + sA*(255 - dA) div 255. With
// ci ready and useCache, key source pixels take the parent pixel at
// (ci.X + x, ci.Y + y) of the destination position, alpha 255.
void CopyWithAlpha(const TRect32& dstRect, const TRect32& srcRect, TBitmap32* dst, bool useCache,
                   const TCacheInfo& ci, const TBitmap32* src);

}  // namespace glyphora
