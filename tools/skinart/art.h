// Artwork of the internal skin: palette and the drawing routines for each
// picture. Colours here are 0xRRGGBB; Options.dat stores 0x00BBGGRR decimals.
#pragma once
#include <string>
#include <vector>

#include "raster.h"

namespace skinart {

namespace pal {
constexpr uint32_t Ink = 0x212121;         // text
constexpr uint32_t Glyph = 0x5A5A5A;       // caption glyphs at rest
constexpr uint32_t GlyphSoft = 0x8A8A8A;   // arrows, unchecked marks
constexpr uint32_t Line = 0xC2C2C2;        // control outlines
constexpr uint32_t LineSoft = 0xD6D6D6;    // panel and group outlines
constexpr uint32_t Hair = 0xE3E3E3;        // separators
constexpr uint32_t Surface = 0xF1F1F1;     // panels
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Accent = 0x2B7CD3;      // selection and hot accent
constexpr uint32_t AccentDark = 0x2367B2;
constexpr uint32_t AccentLine = 0x8DBCEB;  // hot outlines
constexpr uint32_t AccentFill = 0xE3EFFB;  // hot and selected fills
constexpr uint32_t CloseHot = 0xE0443E;
constexpr uint32_t ClosePressed = 0xB83530;
}  // namespace pal

enum class Cap { Close, Max, Min, Norm, Help };

// One frame of a caption button (state 0 normal, 1 hot, 2 pressed), with
// straight alpha; the rest of the frame is transparent.
Canvas CaptionButton(Cap kind, int w, int h, int state);
// The hot button with a soft halo, 20 pixels of margin on every side.
Canvas CaptionGlow(Cap kind, int w, int h);
// Halo drawn around a control by a 9-slice glow window: the control's edge lies
// 10 pixels inside a 40 x 40 image.
Canvas ControlGlow(bool white);
// One frame (active or inactive) of the extended border with its shadow.
Canvas ExBorderFrame(bool active, int w, int h);
// One 100 x 100 frame of the large push button.
Canvas HugeButtonFrame(int state);

// One entry of the options text produced by the atlas.
struct Entry {
  std::string section, key, value;
};

// Draws every picture cut from the master bitmap and returns its entries.
Image32 BuildMaster(std::vector<Entry>& entries);

}  // namespace skinart
