// Colour values (0x00BBGGRR) and 32-bit pixels (0xAARRGGBB): the named
// colours, resolution of system colours and conversion between the two byte
// orders.
#pragma once
#include <cstdint>

#include "base/shared_types.h"

namespace glyphora {

// A system colour is clSystemColor with the platform's colour index (the
// COLOR_* values of GetSysColor) in the low byte.
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;

// Source of system colours (index = low byte of a 0xFF0000nn value); the
// Windows side installs one over GetSysColor. Null restores the built-in table.
using TSystemColorSource = TColor (*)(int index);
void SetSystemColorSource(TSystemColorSource source);

// A colour with its top byte 0xFF names a system colour; any other value has
// its top byte dropped.
TColor ColorToRGB(TColor color);

// Red and blue exchanged; the top byte becomes the alpha byte.
inline uint32_t SwapRedBlue(uint32_t v) {
  return (v & 0xFF00FF00u) | ((v & 0xFFu) << 16) | ((v >> 16) & 0xFFu);
}
// An opaque pixel of a colour value (not resolved).
inline uint32_t ColorToPixel(TColor c) { return SwapRedBlue(c & 0x00FFFFFFu) | 0xFF000000u; }

}  // namespace glyphora
