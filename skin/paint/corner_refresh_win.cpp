#include "skin/paint/corner_refresh_win.h"

#include <algorithm>
#include <cstdint>

#include "framework/control.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/paint/corner_refresh.h"
#include "skin/paint/section_paint_win.h"

namespace glyphora {

void RefreshBorderCorners(TsCommonData& data, int state) {
  TsSkinManager* manager = data.SkinManager();
  TControl* owner = data.FOwnerControl;
  if (!manager || !manager->IsValidImgIndex(data.BorderIndex) || !data.CachePixels() || data.CachePixels()->Empty() || !owner) return;
  TacParentBG bg;
  bg.PaintIfMissing = false;
  bg.DC = nullptr;
  bool please = false;
  if (owner->Parent()) {
    RequestControlBG(bg, owner->Parent(), please);
  } else if (auto* win = dynamic_cast<TWinControl*>(owner); win && win->HandleAllocated() &&
                                                             ::GetParent(win->WindowHandle())) {
    RequestWindowBG(bg, ::GetParent(win->WindowHandle()), please);
  } else {
    return;
  }
  if (bg.Kind == bgkCache) {
    // Offsets that leave 32 bits cannot meet any pixel of the parent image.
    const int64_t x = int64_t(bg.Offset.X) + owner->Left(), y = int64_t(bg.Offset.Y) + owner->Top();
    if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return;
    bg.Offset = {int32_t(x), int32_t(y)};
  }
  const TsMaskData& border = manager->Content().ma[size_t(data.BorderIndex)];
  RefreshBorderCorners32(data.CachePixels(), owner->Width(), owner->Height(), border, state, bg);
}

}  // namespace glyphora
