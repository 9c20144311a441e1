// Captions written in the colours of a skin section on a device context:
// the main colour of the state, up to four one-pixel contour copies, a glow,
// and a dimmed colour when disabled; text fitting with an ellipsis.
//
// The DC's selected font is the font of the text. Flags are DrawTextW flags;
// r is in the DC's logical coordinates.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/shared_types.h"

namespace glyphora {

class TsCommonData;
class TsSkinManager;

// A control's caption in its section's colours. Nothing for an empty text.
// Not skinned, or with CustomFont: the text in the DC's text colour. A
// control that takes its parent's font over a partly transparent section
// (graphic controls, kinds 32, 33, 74) takes the colours of the nearest
// parent section that gives its font. With the state's glow size above 0
// the glow goes first into the 32-bit DIB section selected into dc (the
// control's off-screen image; a DC without one shows no glow). Disabled:
// the normal font colour blended 40 % into the skin's global colour.
// Colours take the skin data's hue offset and saturation. The DC's state is
// restored on return (and when an exception passes).
void DrawSectionText(HDC dc, const std::wstring& text, bool enabled, bool hot, TsCommonData& skinData,
                     UINT flags, const TRect32& r);

// The same for a section given by index, without a control (manager null:
// the default manager). Nothing without a manager or with an invalid index.
// Disabled: the normal font colour blended 40 % into the section's colour.
// The DC keeps the transparent background mode and the last text colour.
void DrawSectionTextByIndex(HDC dc, const std::wstring& text, bool enabled, TsSkinManager* manager, bool hot,
                            int32_t skinIndex, UINT flags, const TRect32& r);

// DrawTextW of text in r; returns its answer (the text's height, 0 on failure).
int DrawTextInRect(HDC dc, const std::wstring& text, const TRect32& r, UINT flags);

// The text when it fits maxWidth (measured in the DC's font), else its
// longest start that fits with "..." after it, with the "..." (never ending
// between the two halves of a surrogate pair); empty when maxWidth is 0 or
// less or not even one character fits before the "...".
std::wstring FitTextWithEllipsis(HDC dc, const std::wstring& text, int maxWidth);

}  // namespace glyphora
