// What the extended border needs from the window it surrounds: a skinned
// form's provider or a skinned dialog's frame adapter. The owner keeps the
// frame image (frame and shadow) and its layouts; the border shows the image
// around the window and hands the mouse over its caption buttons back.
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/bitmap32.h"
#include "skin/forms/exborder_geometry.h"
#include "skin/forms/frame_geometry.h"

namespace glyphora {

class TBorderOwner {
 public:
  virtual ~TBorderOwner() = default;
  // The window the border lies around.
  virtual HWND BorderOwnerWindow() const = 0;
  // The frame image with the shadow, and a count that changes whenever its
  // pixels do.
  virtual const TBitmap32& BorderFrameImage() const = 0;
  virtual uint32_t BorderFrameGeneration() const = 0;
  // The border's layout as last made (no update).
  virtual const TExBorderLayout& BorderExLayout() const = 0;
  // The caption's layout in image coordinates, brought up to date.
  virtual const TFrameLayout& BorderFrameLayout() = 0;
  // The frame image's top-left corner on the screen.
  virtual POINT BorderImageOrigin() = 0;
  // The mouse moved over the border with the frame's hit code there
  // (kHtNowhere: it left the border).
  virtual void BorderMouseMove(int32_t code) = 0;
};

}  // namespace glyphora
