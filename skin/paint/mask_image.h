// One frame of a skin image drawn at a point: corner images of sections and
// state images of controls.
#pragma once
#include <cstdint>

#include "base/shared_types.h"
#include "skin/core/skin_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// The bitmap an image's pixels come from: its own bitmap, else its owner's
// master bitmap; nullptr when it has neither.
const TBitmap32* ImageSource(const TsMaskData& m);

// dstRect/srcRect of equal size (the smaller is used). With a mask
// (MaskType != 0), the mask row of source row r is r + frame height; source
// pixels equal to the key and pixels whose mask red byte is 255 are left out;
// others mix every colour byte d := ClampByte(((d - s)*w + s*256) >> 8), w the
// mask byte of that channel (mode 1) or min(byte + 100, 255) (other modes),
// and alpha dA += (255 - maskRed)*(255 - dA) div 255. Without a mask: a
// keyed copy. Everything is cut to dst and to src (image and mask rows).
void DrawMasked(const TRect32& dstRect, const TRect32& srcRect, TBitmap32* dst, const TsMaskData& m, int mode,
                const TBitmap32* src);

// Frame min(state, ImageCount - 1) of m with its top-left corner at (x, y);
// the part left of or above dst is cut. Mode 1 draws it unchanged, other
// modes half transparent. Key pixels show ci (for images in the master
// bitmap without a mask).
void DrawMaskImage(TBitmap32* dst, int32_t x, int32_t y, int state, const TCacheInfo& ci, const TsMaskData& m,
                   int mode);

}  // namespace glyphora
