#include "skin/paint/tile_graphic.h"

#include "skin/paint/plain_copy.h"

namespace glyphora {

void TileGraphic(TBitmap32* dst, const TRect32& r, const TBitmap32* graphic) {
  if (!dst || !graphic || graphic->Empty() || r.Left >= r.Right || r.Top >= r.Bottom) return;
  TileBlock(dst, r, graphic, TRect32{0, 0, graphic->Width(), graphic->Height()});
}

}  // namespace glyphora
