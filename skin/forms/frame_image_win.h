// The frame image's memory: a DIB that only grows, and the view of the
// frame's size into it; the caption icon drawn into it; the window's picture
// made from it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/bitmap32.h"
#include "framework/graphics.h"

namespace glyphora {

// Points `view` at w x h pixels of `cache`, growing the DIB (by a quarter
// more than asked, so that dragging an edge makes a new one only now and
// then) when it is too small. When it cannot grow, `view` is emptied (it
// never keeps pointing at freed memory) and false is returned.
bool GrowFrameImage(TDibBitmap& cache, TBitmap32& view, int32_t w, int32_t h);

// Draws `icon` into rectangle r of `pix` through `dc` (a DC on pix's DIB),
// its pixels opaque and those around it untouched, so that the icon shows
// in a layered frame too.
void DrawCaptionIcon(TBitmap32& pix, HDC dc, const TRect32& r, HICON icon);

// The whole window as it looks now: a copy of its frame image with the
// window's client area as shown (children included) put in at `client`
// (image coordinates), opaque.
void SnapshotWindow(HWND w, const TBitmap32& frame, const TRect32& client, TBitmap32& out);

}  // namespace glyphora
