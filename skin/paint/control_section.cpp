#include "skin/paint/control_section.h"

#include <algorithm>

#include "skin/core/skin_content.h"
#include "skin/paint/border_mask.h"
#include "skin/paint/color_ops.h"
#include "skin/paint/mask_image.h"
#include "skin/paint/section_paint.h"

namespace glyphora {

namespace {

bool Usable(const TControlSectionData& d, const TBitmap32* b, const TRect32& r) {
  return d.Skin && d.Skin->IsValidSkinIndex(d.SkinIndex) && b && r.Left < r.Right && r.Top < r.Bottom &&
         r.Left >= 0 && r.Top >= 0 && r.Right <= b->Width() && r.Bottom <= b->Height();
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
  TCacheInfo moved = ci;
  const int64_t x = int64_t(ci.X) + offset.X, y = int64_t(ci.Y) + offset.Y;
  if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) moved.Bmp = nullptr;
  else moved.X = int32_t(x), moved.Y = int32_t(y);
  const TsGeneralData& g = skin.gd[size_t(data.SkinIndex)];
  const int32_t corners[4] = {g.ImgTL, g.ImgTR, g.ImgBL, g.ImgBR};
  for (int c = 0; c < 4; ++c) {
    if (!skin.IsValidImgIndex(corners[c])) continue;
    const TsMaskData& m = skin.ma[size_t(corners[c])];
    DrawMaskImage(bmp, (c & 1) ? r.Right - FrameWidth(m) : r.Left, (c & 2) ? r.Bottom - FrameHeight(m) : r.Top, state,
                  CacheInfoOf(bmp, 0, 0), m, 1);
  }
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
