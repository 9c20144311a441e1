// Text into 32-bit bitmaps with a correct alpha (for layered windows and
// off-screen images), and the glow behind a text.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/shared_types.h"
#include "base/bitmap32.h"
#include "skin/paint/glow_mask.h"

namespace glyphora {

class TsSkinManager;

// Text of one colour in r of bmp, drawn with font (DrawTextW flags, r's
// size): anti-aliased edges mix the colour with the pixels below; every
// pixel the text touches becomes opaque. r may reach outside bmp.
void DrawText32(TBitmap32* bmp, HFONT font, const std::wstring& text, TColor color, UINT flags, const TRect32& r);

// A caption in a section's colours into bmp through DrawText32: with
// withShadows the state's contour copies first, then the main colour (the
// hot state when hot and the section has more than one state). An invalid
// index writes the text once in fontColor. Nothing for an empty text or
// without a manager (null: the default manager).
void DrawSectionText32(TBitmap32* bmp, HFONT font, TColor fontColor, const std::wstring& text, bool withShadows,
                       TsSkinManager* manager, bool hot, int32_t skinIndex, UINT flags, const TRect32& r);

// Glow sides: which one-pixel shifts of the text the glow mask also holds.
enum TGlowSide : uint8_t { gsLeft = 1, gsUp = 2, gsRight = 4, gsDown = 8, gsAll = 15 };

// A glow of glowSize pixels behind text in r of bmp, in glowColor. The mask
// (r grown by glowSize + 4 on every side) is kept in maskCache and made again
// only when its size differs, so a caller that changes the text or the font
// clears the cache first. Nothing for an empty text, an empty bitmap or a
// glow size of 0. True when the mask was made anew.
bool DrawTextGlow(TBitmap32* bmp, HFONT font, const std::wstring& text, const TRect32& r, TMask8& maskCache,
                  TColor glowColor, int glowSize, uint8_t sides, UINT flags);

// The glow mask alone: white, the text black at (glowSize + 4, glowSize + 4)
// once unshifted and once for every side, blurred by glowSize.
TMask8 MakeTextGlowMask(HFONT font, const std::wstring& text, const TRect32& r, int glowSize, uint8_t sides,
                        UINT flags);

}  // namespace glyphora
