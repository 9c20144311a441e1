// The non-windowed children (labels, speed buttons) of a skinned container:
// kept out of its own painting, and painted over its background.
#pragma once
#include <windows.h>

#include <cstdint>

#include "skin/paint/parent_bg.h"

namespace glyphora {

class TWinControl;

// Removes from dc's clip region the bounds of every visible non-windowed
// child of parent, moved by the offsets; children that answer false to
// ClippedFromParentBackground (the skinned splitter) stay.
void ExcludeGraphicChildren(HDC dc, TWinControl* parent, int32_t offsetY, int32_t offsetX);

// Paints parent's visible non-windowed children into dc at their bounds
// moved by offset, over the parent's background (its cache image or its
// colour) or their own colour when they paint opaquely. All children go
// through one off-screen bitmap of the parent's size; each gets WM_PAINT
// with that context, its origin at the child and its clip at the child's
// size. Pixels left in the key colour 0xFF00FF are not copied. With
// onlyIfShowing, nothing for an invisible parent. A dc whose clip box is
// empty only tells the parent SKC_SETHALFVISIBLE; a child only partly inside
// the clip box is told the same before it paints. Does nothing when called
// again while it runs (a child painting its parent's children).
void PaintGraphicChildren(HDC dc, TWinControl* parent, bool onlyIfShowing, TPoint32 offset);

}  // namespace glyphora
