// Painting the frame image of the extended border: the skin's border
// template (frame and shadow) around the window's own section. Shared by
// skinned forms and skinned dialogs; each adds its caption afterwards.
#pragma once
#include "base/bitmap32.h"
#include "skin/forms/exborder_geometry.h"

namespace glyphora {

class TSkinContent;
class TsCommonData;

// Paints `pix` (l.Width x l.Height) from `data`'s section in `state`, with
// the manager's active or inactive template around it. Nothing without the
// data's manager.
void PaintExBorderImage(TBitmap32& pix, const TExBorderLayout& l, TSkinContent& skin, TsCommonData& data,
                        bool active, int state);

}  // namespace glyphora
