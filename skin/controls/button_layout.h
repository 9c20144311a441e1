// Where a button's caption sits: glyph and caption placed as a block by the
// layout (glyph left, right, above or below the caption) and the alignment,
// then moved one pixel right and down while the button is pressed.
#pragma once
#include <cstdint>

#include "base/shared_types.h"

namespace glyphora {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TBlockAlign { Left, Right, Center };

struct TButtonLayoutInput {
  int32_t Width = 0, Height = 0;
  int32_t GlyphWidth = 0, GlyphHeight = 0;  // one image of the glyph; 0 without one
  int32_t TextWidth = 0, TextHeight = 0;    // the caption measured with word breaks
  int32_t Margin = -1;                      // below 0: centred as a block
  int32_t Spacing = 4;                      // between glyph and caption
  int32_t DropDownWidth = 0;                // 16 for a drop-down button's arrow part
  int32_t TextOffset = 0;                   // horizontal shift of the caption
  TButtonLayout Layout = TButtonLayout::blGlyphLeft;
  TBlockAlign Alignment = TBlockAlign::Center;
  int State = 0;                            // 2: pressed
};

// The rectangle the caption is written in (one pixel wider on the left and
// two on the right than the block, so italics are not clipped).
TRect32 ButtonCaptionRect(const TButtonLayoutInput& in);

// The width available to the caption when it is measured.
int32_t ButtonCaptionMeasureWidth(const TButtonLayoutInput& in);

}  // namespace glyphora
