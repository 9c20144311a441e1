#include "skin/core/shadow_templates.h"

#include <algorithm>

#include "imaging/image_decoder.h"
#include "skin/core/skin_content.h"

namespace glyphora {

namespace {
// Frame k of a multi-frame image as a bitmap of its own.
TBitmap32 FrameOf(const TsMaskData& m, const TBitmap32& src, int k) {
  const int32_t fw = FrameWidth(m), fh = FrameHeight(m);
  if (fw <= 0 || fh <= 0) return {};
  TBitmap32 out(fw, fh);
  const int64_t left = int64_t{m.R.Left} + int64_t{k} * fw;
  for (int32_t y = 0; y < fh; ++y) {
    const int64_t sy = int64_t{m.R.Top} + y;
    if (sy < 0 || sy >= src.Height()) continue;
    const uint32_t* row = src.ScanLine(static_cast<int32_t>(sy));
    for (int32_t x = 0; x < fw; ++x) {
      const int64_t sx = left + x;
      if (sx >= 0 && sx < src.Width()) out.SetPixel(x, y, row[sx]);
    }
  }
  return out;
}
}  // namespace

TRect32 BuiltInShadowSize(bool composition) {
  const int32_t more = composition ? 1 : 0;
  return {11 + more, 7 + more, 11 + more, 11 + more};
}

TShadowTemplates MakeShadowTemplates(TSkinContent& skin, bool extendedBorders, const TBitmap32* builtInActive,
                                     const TBitmap32* builtInInactive, bool composition) {
  TShadowTemplates t;
  if (!extendedBorders) return t;
  const int32_t index = skin.ConstData.ExBorder;
  const TsMaskData* m = skin.IsValidImgIndex(index) ? &skin.ma[size_t(index)] : nullptr;
  const TBitmap32* src = m ? (m->Bmp ? m->Bmp.get() : &skin.MasterBitmap) : nullptr;
  if (m && src && !src->Empty()) {
    const TsSkinData& d = skin.SkinData;
    t.FromSkin = true;
    t.Inactive = FrameOf(*m, *src, 0);
    t.Active = FrameOf(*m, *src, m->ImageCount > 1 ? 1 : 0);
    t.Margins = {skin.MaskWidthLeft(index), skin.MaskWidthTop(index), skin.MaskWidthRight(index),
                 skin.MaskWidthBottom(index)};
    const int32_t offs = d.ExContentOffs;
    if (d.ExDrawMode != 0) {
      const int32_t s = std::max<int32_t>(0, offs);
      t.ShadowSize = {s, s, s, s};
    } else {
      t.ShadowSize = {std::max(0, t.Margins.Left - offs), std::max(0, t.Margins.Top - offs),
                      std::max(0, t.Margins.Right - offs), std::max(0, t.Margins.Bottom - offs)};
    }
  } else {
    if (builtInActive) t.Active = *builtInActive;
    if (builtInInactive) t.Inactive = *builtInInactive;
    t.ShadowSize = BuiltInShadowSize(composition);
    // The built-in pictures carry four pixels of the window's corner inside
    // their shadow, which rounded window corners let show.
    t.Margins = {t.ShadowSize.Left + 4, t.ShadowSize.Top + 4, t.ShadowSize.Right + 4, t.ShadowSize.Bottom + 4};
  }
  ClearTransparentWhite(t.Active);
  ClearTransparentWhite(t.Inactive);
  return t;
}

}  // namespace glyphora
