// The frame image's memory: a DIB that only grows, and the view of the
// frame's size into it.
#pragma once
#include <cstdint>

#include "base/bitmap32.h"
#include "framework/graphics.h"

namespace glyphora {

// Points `view` at w x h pixels of `cache`, growing the DIB (by a quarter
// more than asked, so that dragging an edge makes a new one only now and
// then) when it is too small. When it cannot grow, `view` is emptied (it
// never keeps pointing at freed memory) and false is returned.
bool GrowFrameImage(TDibBitmap& cache, TBitmap32& view, int32_t w, int32_t h);

}  // namespace glyphora
