#include "skin/paint/scroll_geometry.h"

#include <algorithm>
#include <limits>

#include "base/round_even.h"

namespace glyphora {

namespace {

int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int64_t Range(const TScrollState& s) { return int64_t{s.Max} - s.Min; }

// The page less one, at least 0: how far the last position lies below Max.
int64_t PageTail(const TScrollState& s) { return s.Page > 0 ? int64_t{s.Page} - 1 : 0; }

// The control's thumb: 14 pixels without a page, else the page's share of
// the track, at least 14. A range that is not set yet counts as no page.
int32_t CtrlThumbLength(int32_t length, int32_t arrow, const TScrollState& s) {
  const int64_t range = Range(s);
  if (s.Page == 0 || range < 0) return kCtrlMinThumb;
  const double track = double(length) - 2.0 * arrow;
  const int64_t len = RoundEven(track * double(s.Page) / double(range + 1));
  return Clamp32(std::max<int64_t>(len, kCtrlMinThumb));
}

}  // namespace

int32_t MulDivRound(int64_t a, int64_t b, int64_t c, int32_t fallback) {
  if (c == 0) return fallback;
  // Products of 32-bit values fit; wider inputs are clamped first.
  a = std::clamp<int64_t>(a, -(int64_t{1} << 31), int64_t{1} << 31);
  b = std::clamp<int64_t>(b, -(int64_t{1} << 31), int64_t{1} << 31);
  int64_t n = a * b;
  if (c < 0) n = -n, c = -c;
  const int64_t q = n >= 0 ? (n + c / 2) / c : -((-n + c / 2) / c);
  return Clamp32(q);
}

int32_t MaxScrollPos(const TScrollState& s) {
  return Clamp32(std::max<int64_t>(s.Min, int64_t{s.Max} - PageTail(s)));
}

TWndThumb WndThumbGeometry(int32_t length, int32_t arrow, const TScrollState& s, int32_t minThumb) {
  TWndThumb t;
  arrow = std::max(arrow, 0);
  const int64_t track = int64_t{length} - 2 * int64_t{arrow};
  const int64_t range = Range(s);
  if (track <= 0 || range < 0 || range > 0x7FFFFFFE) return t;
  int64_t thumb = s.Page == 0 ? arrow : std::max<int64_t>(MulDivRound(s.Page, track, range + 1, 0), minThumb);
  // The thumb shows while the page leaves something to scroll and it fits.
  t.Shown = int64_t{s.Page} <= range && thumb <= track && thumb > 0;
  thumb = std::clamp<int64_t>(thumb, 0, track);
  // Positions over the free track; a page covering the range leaves none.
  const int64_t steps = range - std::max<int64_t>(1, s.Page) + 1;
  int64_t offset = steps > 0 ? MulDivRound(int64_t{s.Pos} - s.Min, track - thumb, steps, 0) : 0;
  offset = std::clamp<int64_t>(offset, 0, track - thumb);
  t.Start = Clamp32(arrow + offset);
  t.Length = Clamp32(thumb);
  return t;
}

int WndPartAt(int32_t length, int32_t arrow, const TScrollState& s, int32_t minThumb, int32_t along) {
  if (along < 0 || along >= length) return sbpNone;
  arrow = std::max(arrow, 0);
  const bool roomForTrack = int64_t{2} * arrow < length;
  const int32_t d = roomForTrack ? arrow : length / 2;
  if (along < d) return sbpLineUp;
  if (along >= length - d) return sbpLineDown;
  if (!roomForTrack) return sbpNone;
  const TWndThumb t = WndThumbGeometry(length, arrow, s, minThumb);
  if (!t.Shown) return sbpNone;
  if (along < t.Start) return sbpPageUp;
  if (along < t.Start + t.Length) return sbpThumb;
  return sbpPageDown;
}

int32_t WndDragPosition(int32_t thumbOffset, int32_t trackLength, int32_t thumbLength, const TScrollState& s) {
  const int64_t span = int64_t{trackLength} - thumbLength;
  const int64_t steps = Range(s) - int64_t{s.Page} + 1;  // positions over the free track
  if (span <= 0 || Range(s) < 1 || steps <= 0) return s.Min;
  const int64_t pos = int64_t{MulDivRound(std::clamp<int64_t>(thumbOffset, 0, span), steps, span, 0)} + s.Min;
  return Clamp32(std::clamp<int64_t>(pos, s.Min, MaxScrollPos(s)));
}

TCtrlBarLayout CtrlBarLayout(int32_t length, int32_t arrow, const TScrollState& s, int32_t pos, bool enabled) {
  TCtrlBarLayout l;
  length = std::max(length, 0);
  arrow = std::max(arrow, 0);
  const int32_t btn = std::min(arrow, length / 2);
  l.Btn1End = btn;
  l.Btn2Start = length - btn;
  const int32_t thumb = CtrlThumbLength(length, arrow, s);
  const int64_t free = int64_t{length} - 2 * int64_t{arrow} - thumb;
  const int64_t steps = Range(s) - PageTail(s);  // positions the thumb moves over
  if (enabled && steps > 0 && free >= 0) {
    const int64_t p = std::clamp<int64_t>(pos, s.Min, MaxScrollPos(s)) - s.Min;
    l.Centre = Clamp32(arrow + thumb / 2 + RoundEven(double(free) / double(steps) * double(p)));
  } else {
    l.Centre = length / 2;
  }
  l.ThumbLength = thumb;
  l.ThumbStart = Range(s) == 0 ? arrow : Clamp32(int64_t{l.Centre} - thumb / 2);
  l.ThumbFits = free >= 0 && l.ThumbStart >= l.Btn1End && int64_t{l.ThumbStart} + thumb <= l.Btn2Start;
  return l;
}

int32_t CtrlPositionAt(int32_t length, int32_t arrow, const TScrollState& s, int32_t along) {
  const int32_t thumb = CtrlThumbLength(length, arrow, s);
  const int64_t free = int64_t{length} - 2 * int64_t{arrow} - thumb;
  const int64_t steps = Range(s) - PageTail(s);
  if (free <= 0 || steps <= 0) return s.Min;
  const double x = double(along) - arrow - thumb / 2.0;
  return Clamp32(int64_t{s.Min} + RoundEven(x * double(steps) / double(free)));
}

int CtrlPartAt(const TCtrlBarLayout& l, int32_t length, int32_t along) {
  if (along < 0 || along >= length) return sbpNone;
  if (along < l.Btn1End) return sbpLineUp;
  if (along >= l.Btn2Start) return sbpLineDown;
  if (l.ThumbFits && along >= l.ThumbStart && along < l.ThumbStart + l.ThumbLength) return sbpThumb;
  return along < l.Centre ? sbpPageUp : sbpPageDown;
}

}  // namespace glyphora
