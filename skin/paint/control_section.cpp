#include "skin/paint/control_section.h"

#include <algorithm>

#include "skin/core/skin_content.h"
#include "skin/paint/border_mask.h"
#include "base/color_ops.h"
#include "skin/paint/mask_image.h"
#include "skin/paint/section_paint.h"

namespace glyphora {

namespace {

bool Usable(const TControlSectionData& d, const TBitmap32* b, const TRect32& r) {
  return d.Skin && d.Skin->IsValidSkinIndex(d.SkinIndex) && SectionRectInside(b, r);
}

}  // namespace

void PaintControlBackground(const TControlSectionData& data, const TCacheInfo& ci, int state, TBitmap32* bmp,
                            TPoint32 offset, const TRect32& r) {
  if (!data.Skin || !data.Skin->IsValidSkinIndex(data.SkinIndex)) return;
  state = ClampSectionState(*data.Skin, data.SkinIndex, state);
  PaintSectionBackground(data.Skin, data.SkinIndex, data.SkinSection, ci, data.CustomColor, data.HotTexture,
                         data.Texture, bmp, offset, r, state);
}

void PaintControlSection(const TControlSectionData& data, const TCacheInfo& ci, bool useCacheForCorners,
                         TBitmap32* bmp, TPoint32 offset, const TRect32& r, int state) {
  if (!Usable(data, bmp, r)) return;
  const TSkinContent& skin = *data.Skin;
  state = ClampSectionState(skin, data.SkinIndex, state);
  PaintControlBackground(data, ci, state, bmp, offset, r);
  const TCacheInfo moved = MovedCacheInfo(ci, offset);
  PaintCornerImages(skin, data.SkinIndex, bmp, r, state);
  const TsGeneralData& g = skin.gd[size_t(data.SkinIndex)];
  bool bordered = false;
  if (skin.IsValidImgIndex(data.BorderIndex)) {
    const TsMaskData& m = skin.ma[size_t(data.BorderIndex)];
    if (!(state == 0 && (m.DrawMode & 2))) {
      DrawBorderMask(bmp, r, useCacheForCorners, state, m, moved);
      bordered = true;
    }
  }
  if (!bordered && g.Props[std::min(state, 1)].Transparency != 0) return;
  if (data.HueOffset != 0) ShiftBitmapHue(bmp, data.HueOffset);
  if (data.Saturation != 0) AdjustBitmapSaturation(bmp, data.Saturation);
}

}  // namespace glyphora
