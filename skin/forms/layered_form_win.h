// The helper windows the form skinning makes for itself: borderless,
// unowned pop-up forms (Tag -98, never skinned) with per-pixel alpha. Each
// keeps its picture premultiplied in a DIB section of its own and shows it
// with UpdateLayeredWindow; moving one only repositions it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include "framework/forms.h"
#include "framework/graphics.h"

namespace glyphora {

constexpr intptr_t kHelperFormTag = -98;

// Extended styles of the helper windows.
constexpr DWORD kLayeredExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
// Windows the mouse passes through (glows, animations).
constexpr DWORD kClickThroughExStyle = kLayeredExStyle | WS_EX_TRANSPARENT;

class TacLayeredForm : public TCustomForm {
 public:
  explicit TacLayeredForm(DWORD exStyle = kLayeredExStyle);
  ~TacLayeredForm() override;

  // Sees every message first; true when it answered (Result set).
  std::function<bool(TMessage&)> Proc;

  // The picture's pixels, premultiplied, w x h; false when the surface
  // cannot be made. Callers fill it and then Present it.
  bool PrepareSurface(int32_t w, int32_t h);
  TBitmap32& Surface() { return surface_.Pixels(); }
  // srcRect of a straight-alpha image as the picture; with a larger
  // surface size the rest of the picture is transparent.
  bool SetPicture(const TBitmap32& image, const TRect32& srcRect, int32_t surfaceW = 0, int32_t surfaceH = 0);
  // Shows the picture with its top-left corner at a screen point, at a
  // constant opacity (0..255), resizing the window to it. The window is
  // shown (without activation) when `show`. False when the platform refuses.
  bool Present(POINT pos, uint8_t alpha, bool show = true);
  // Moves the window without uploading the picture again.
  void MoveTo(POINT pos, HWND insertAfter = nullptr);
  bool HasPicture() const { return pictureW_ > 0 && pictureH_ > 0; }
  SIZE PictureSize() const { return SIZE{pictureW_, pictureH_}; }

  // Windows of this kind alive in the process (for leak checks).
  static long LiveCount();

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override {}

 private:
  DWORD exStyle_;
  TDibBitmap surface_;
  int32_t pictureW_ = 0, pictureH_ = 0;
};

}  // namespace glyphora
