// Painting a scroll bar from the skin's scroll-bar sections into a 32-bit
// bitmap the size of the bar: the two track halves, the arrow buttons with
// their arrow glyphs and the thumb with its grip glyph. Shared by the window
// scroll bars of standard windows and the scroll bar control.
#pragma once
#include <cstdint>

#include "base/bitmap32.h"
#include "base/shared_types.h"

namespace glyphora {

class TSkinContent;

struct TScrollBarLook {
  bool Horizontal = true;
  int32_t Btn1End = 0, Btn2Start = 0;  // arrow buttons along the bar
  int32_t Split = 0;                   // where the track halves meet
  int32_t ThumbStart = 0, ThumbLength = 0;
  bool Thumb = false;
  int Bar1State = 0, Bar2State = 0, Btn1State = 0, Btn2State = 0, ThumbState = 0;
  bool PressedGlyphShift = false;      // the grip moves one pixel right and down when pressed
};

// True when the skin has the track sections a bar of that direction needs.
bool HasScrollBarSections(const TSkinContent& skin, bool horizontal);

// Paints the whole of bmp; bg is what lies behind the bar (its origin at
// bmp's). Nothing without the track sections; missing button or slider
// sections leave those parts as the track painted them.
void PaintScrollBarLook(const TSkinContent& skin, TBitmap32* bmp, const TCacheInfo& bg, const TScrollBarLook& look);

// An inactive bar: 60 % of the background over it, or, without a background
// image, every pixel moved 40 % of the way to the background's fill colour.
void FadeInactiveBar(TBitmap32* bmp, const TCacheInfo& bg);

}  // namespace glyphora
