// The extended border's windows: the frame image of a skinned form or
// dialog (its TBorderOwner),
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
#include <optional>

#include "framework/messages.h"
#include "skin/forms/border_owner_win.h"
#include "skin/forms/exborder_geometry.h"
#include "skin/forms/layered_form_win.h"

namespace glyphora {

// Where the extended borders' updates spend their time, summed over the
// process's run (microseconds), for the benchmarks to read.
struct TExBorderTimes {
  double PaintUs = 0;   // frame images painted
  double RegionUs = 0;  // the forms' client-area regions set
  double UploadUs = 0;  // border parts' pictures premultiplied and uploaded
  double PlaceUs = 0;   // border parts moved into place
  long Uploads = 0;     // parts uploaded
};
TExBorderTimes& ExBorderTimes();

// Adds the time from its construction to its end to one of those sums.
class TExBorderTimer {
 public:
  explicit TExBorderTimer(double& sum);
  ~TExBorderTimer();
  TExBorderTimer(const TExBorderTimer&) = delete;
  TExBorderTimer& operator=(const TExBorderTimer&) = delete;

 private:
  double& sum_;
  int64_t start_;
};

// The hit code the parts answer outside the shadow, so that the platform
// sends them the non-client mouse messages they pass to the form.
constexpr int32_t kHtBorderWindow = 19;

// One part of a border: its window and what it shows.
struct TBorderPart {
  std::unique_ptr<TacLayeredForm> Wnd;
  TBitmap32 Shown;        // the picture as uploaded (straight alpha)
  bool Tracking = false;  // leave tracking asked for
  // The frame image's generation the part showed; none for a part taken
  // over from another border, whose picture is compared before reuse.
  std::optional<uint32_t> Generation;
  POINT Placed{};  // where the part was put
  // The window is a little larger than its picture along the side that
  // follows the form's size (the rest transparent and cut off by the
  // window's region), so that most resize steps keep the window's size:
  // a layered window that changes size costs several times more to update.
  SIZE WindowSize{};
  SIZE RegionSize{};
};

// Part windows of borders that went are kept hidden, one border's worth,
// for the next border: making a layered window costs milliseconds, and a
// message box that opens again shows the same pictures. Freed when
// extended borders go out of use.
void FreeSpareBorderParts();
long SpareBorderParts();

class TacBorderForm {
 public:
  explicit TacBorderForm(TBorderOwner& owner);
  ~TacBorderForm();
  TacBorderForm(const TacBorderForm&) = delete;
  TacBorderForm& operator=(const TacBorderForm&) = delete;

  // Places the parts around the form from the owner's frame image: with
  // `redraw` every part is uploaded again, else those whose picture or size
  // changed; the rest only move. The form's invisibility hides them.
  void Update(bool redraw, uint8_t blend = 255);
  // The next Update puts the parts back just below the form in z-order
  // (the form's own place in it changed).
  void RequireZOrder() { zorder_ = true; }
  void Hide();
  bool Shown() const;
  // The part's window (nullptr when it has none), and the part itself.
  HWND PartWindow(int part) const;
  TacLayeredForm* Part(int part) const {
    return part >= 0 && part < ebCount ? parts_[size_t(part)].Wnd.get() : nullptr;
  }
  bool Owns(HWND wnd) const;
  // The screen rectangle of the shown parts together.
  RECT Bounds() const;
  // The highest of the form and the shown parts right above it in z-order:
  // what a window over the frame (a glow) goes above.
  HWND TopWindow() const;

 private:
  bool PartMessage(int part, TMessage& m);
  // The frame's hit code at a screen point.
  int32_t HitTest(POINT screen);
  void PassThrough(int part, TMessage& m);
  HWND WindowBelow(POINT screen, HWND from) const;
  bool SamePicture(int part, const TBitmap32& image, const TRect32& r) const;
  // The shown parts lie next to the form in z-order, nothing between.
  bool Contiguous() const;
  // No visible window but the parts lies above the form.
  bool FormOnTop() const;

  TBorderOwner& owner_;
  std::array<TBorderPart, ebCount> parts_;
  bool zorder_ = true;
  uint8_t blend_ = 255;
  bool showing_ = false;  // re-entrancy guard while parts are placed
};

}  // namespace glyphora
