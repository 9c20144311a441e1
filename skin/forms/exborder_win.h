// The extended border's windows: the frame image of the form's provider,
// frame and shadow, shown around the form in four layered parts (caption
// band, sides, bottom band) placed just below the form in z-order. Only a
// part whose picture changed is uploaded again; moving the form only moves
// the parts. The parts answer hit tests and the cursor as the frame does,
// hand presses and clicks to the form, and let the mouse through their
// shadow to the window below.
#pragma once
#include <windows.h>

#include <array>
#include <memory>

#include "framework/messages.h"
#include "skin/forms/exborder_geometry.h"
#include "skin/forms/layered_form_win.h"

namespace glyphora {

class TsSkinProvider;

// The hit code the parts answer outside the shadow, so that the platform
// sends them the non-client mouse messages they pass to the form.
constexpr int32_t kHtBorderWindow = 19;

class TacBorderForm {
 public:
  explicit TacBorderForm(TsSkinProvider& owner);
  ~TacBorderForm();
  TacBorderForm(const TacBorderForm&) = delete;
  TacBorderForm& operator=(const TacBorderForm&) = delete;

  // Places the parts around the form from the provider's frame image: with
  // `redraw` every part is uploaded again, else those whose picture or size
  // changed; the rest only move. The form's invisibility hides them.
  void Update(bool redraw, uint8_t blend = 255);
  void Hide();
  bool Shown() const;
  // The part's window (nullptr when it has none), and the part itself.
  HWND PartWindow(int part) const;
  TacLayeredForm* Part(int part) const {
    return part >= 0 && part < ebCount ? parts_[size_t(part)].get() : nullptr;
  }
  bool Owns(HWND wnd) const;
  // The screen rectangle of the shown parts together.
  RECT Bounds() const;

 private:
  bool PartMessage(int part, TMessage& m);
  // The frame's hit code at a screen point.
  int32_t HitTest(POINT screen);
  void PassThrough(int part, TMessage& m);
  HWND WindowBelow(POINT screen, HWND from) const;
  bool SamePicture(int part, const TBitmap32& image, const TRect32& r) const;

  TsSkinProvider& sp_;
  std::array<std::unique_ptr<TacLayeredForm>, ebCount> parts_;
  std::array<TBitmap32, ebCount> shown_;  // each part's picture as uploaded (straight alpha)
  std::array<bool, ebCount> tracking_{};  // leave tracking asked for
  uint8_t blend_ = 255;
  bool showing_ = false;  // re-entrancy guard while parts are placed
};

}  // namespace glyphora
