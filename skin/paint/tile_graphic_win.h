// A picture tiled over a rectangle of a device context.
#pragma once
#include <windows.h>

#include "imaging/image_bitmap.h"
#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// The graphic copied (BitBlt) in columns and rows from r's top-left corner,
// the last column and row cut to r. Only the tiles that meet the DC's clip
// box are copied, so a huge r costs no more than the visible part. Nothing
// for a missing or empty graphic or an empty r.
void TileGraphic(HDC dc, const TRect32& r, const TBitmap32* graphic);
// A large texture, decoded now if it was not yet (nothing when it cannot be).
void TileGraphic(HDC dc, const TRect32& r, const TImageBitmap& graphic);

}  // namespace glyphora
