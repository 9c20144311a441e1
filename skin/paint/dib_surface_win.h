// A 32-bit top-down DIB section selected into a memory DC, with a pixel view
// for the painting routines: what a skinned part composes into before one
// BitBlt puts it on screen. Kept between paints and remade only when the size
// changes, so repainting creates no GDI objects.
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/bitmap32.h"
#include "framework/handles.h"

namespace glyphora {

class TDibSurface {
 public:
  // False when the DIB cannot be made (then nothing is painted).
  bool EnsureSize(int32_t width, int32_t height);
  TBitmap32& Pixels() { return view_; }
  HDC DC() const { return dc_.get(); }
  // Copies the whole surface to (x, y) of dc.
  void CopyTo(HDC dc, int32_t x, int32_t y) const;

 private:
  UniqueMemoryDC dc_;
  UniqueBitmap dib_;
  HGDIOBJ oldBitmap_ = nullptr;
  TBitmap32 view_;
  int32_t width_ = 0, height_ = 0;

 public:
  TDibSurface() = default;
  TDibSurface(const TDibSurface&) = delete;
  TDibSurface& operator=(const TDibSurface&) = delete;
  ~TDibSurface();
};

}  // namespace glyphora
