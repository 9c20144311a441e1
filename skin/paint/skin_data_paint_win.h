// Painting a control from its skin data: the section record the painters
// read, the section painted into the cache over the parent's background,
// and the cache copied to the screen around the children that cover
// themselves.
#pragma once
#include <windows.h>

#include <cstdint>

#include "skin/core/sCommonData.h"
#include "skin/paint/control_section.h"

namespace glyphora {

class TWinControl;

// The painters' view of a control's skin data.
TControlSectionData SectionDataOf(const TsCommonData& data);

// What lies behind the owner as a cache info, moved to the owner's position
// in its parent (so it reads at the owner's own coordinates).
TCacheInfo OwnerBackground(const TsCommonData& data);

// Sizes the cache to the owner and paints the owner's section in `state`
// over the whole of it. False (nothing painted) when not skinned.
bool PaintSectionIntoCache(TsCommonData& data, int state);

// Copies the cache to dc at (0, 0) within clip, leaving out the visible
// children that cover their own area: graphic children (painted next by the
// caller) and windowed children with the opaque style; splitters stay.
void CopyCacheExcludingChildren(HDC dc, TWinControl* owner, const TsCommonData& data, const RECT& clip);

}  // namespace glyphora
