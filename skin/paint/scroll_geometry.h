// Where the parts of a skinned scroll bar lie along its length, and which part
// lies under a point, for the window scroll bars of standard windows and for
// the stand-alone scroll bar control. Pure arithmetic over lengths in pixels:
// every division is guarded, so any scroll state (an empty range, a page
// covering the range, a reversed range) and any bar length down to zero give
// parts inside the bar.
#pragma once
#include <cstdint>

namespace glyphora {

// The scroll state as SCROLLINFO holds it.
struct TScrollState {
  int32_t Min = 0, Max = 0;
  uint32_t Page = 0;
  int32_t Pos = 0;
};

// Part codes: the scroll request each part sends.
enum : int { sbpNone = -1, sbpLineUp = 0, sbpLineDown = 1, sbpPageUp = 2, sbpPageDown = 3, sbpThumb = 5 };

// a * b / c rounded to nearest (halves away from zero) in 64 bits; `fallback`
// when c is 0 and the result clamped to 32 bits.
int32_t MulDivRound(int64_t a, int64_t b, int64_t c, int32_t fallback);

// The highest position a bar can scroll to: Max - (Page - 1) for a page of 1
// or more, never below Min.
int32_t MaxScrollPos(const TScrollState& s);

// Window scroll bars. Positions are offsets from the bar's start.
struct TWndThumb {
  int32_t Start = 0, Length = 0;
  bool Shown = false;  // the bar has room for a thumb and the page does not cover the range
};
// length: the bar's length; arrow: one arrow button's length.
TWndThumb WndThumbGeometry(int32_t length, int32_t arrow, const TScrollState& s, int32_t minThumb);
// The part at `along` (offset from the bar's start); sbpNone outside the bar.
int WndPartAt(int32_t length, int32_t arrow, const TScrollState& s, int32_t minThumb, int32_t along);
// The position a dragged thumb whose start lies `thumbOffset` pixels into the
// track stands for, clamped to the scrollable range.
int32_t WndDragPosition(int32_t thumbOffset, int32_t trackLength, int32_t thumbLength, const TScrollState& s);

// The stand-alone scroll bar control.
struct TCtrlBarLayout {
  int32_t Btn1End = 0;      // first arrow: 0 .. Btn1End
  int32_t Btn2Start = 0;    // second arrow: Btn2Start .. length
  int32_t Centre = 0;       // the track halves meet here
  int32_t ThumbStart = 0, ThumbLength = 0;
  bool ThumbFits = false;   // the thumb lies wholly between the arrows
};
constexpr int32_t kCtrlMinThumb = 14;
// `pos` is the position shown (it leads the scroll state while dragging).
TCtrlBarLayout CtrlBarLayout(int32_t length, int32_t arrow, const TScrollState& s, int32_t pos, bool enabled);
// The position under a point `along` the bar, not yet clamped; Min when the
// thumb has no room to move.
int32_t CtrlPositionAt(int32_t length, int32_t arrow, const TScrollState& s, int32_t along);
// The part at `along`, tested arrows first, then the thumb, then the halves.
int CtrlPartAt(const TCtrlBarLayout& l, int32_t length, int32_t along);

}  // namespace glyphora
