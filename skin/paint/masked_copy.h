// Copy of a skin image piece through the mask stored below it.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// Copies an image piece through its mask: the mask of source row r is row
// r + maskOffset of src (the half height of a masked skin image), moved up
// when it would pass src's bottom. Blend per colour byte, m the mask's byte:
// d := ((d - s)*m + s*256) >> 8 (mask 0 shows the image, 255 keeps dst).
//  - ci ready and useCache: alpha 255; key pixels take the parent pixel at
//    (ci.X + x, ci.Y + y) of the destination position (kept when outside);
//  - ci ready without useCache: every pixel blends;
//  - ci not ready with useCache: key pixels become ci.FillColor (top byte as alpha);
//  - ci not ready without useCache: key pixels skipped.
void CopyMasked(const TRect32& dstRect, const TRect32& srcRect, TBitmap32* dst, int32_t maskOffset, bool useCache,
                const TCacheInfo& ci, const TBitmap32* src);

}  // namespace glyphora
