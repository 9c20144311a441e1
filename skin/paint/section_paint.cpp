#include "skin/paint/section_paint.h"

#include <algorithm>
#include <string>

#include "skin/core/skin_content.h"
#include "skin/paint/blend.h"
#include "skin/paint/border_mask.h"
#include "base/color_convert.h"
#include "base/color_ops.h"
#include "skin/paint/gradient.h"
#include "skin/paint/mask_image.h"
#include "skin/paint/pixel_fill.h"
#include "skin/paint/plain_copy.h"
#include "skin/paint/texture_fill.h"
#include "skin/paint/tint.h"

namespace glyphora {

namespace {

// The values one state of a section paints with.
struct TBgProps {
  TColor color = 0;
  int transparency = 0;
  int imagePct = 0;
  int gradientPct = 0;
  int32_t image = -1;    // a valid skin image used as texture, or -1
  int32_t pattern = -1;  // else a large texture of the skin's pattern list, or -1
  const TsGradArray* gradient = nullptr;
  // A gradient share with no gradient text paints the colour instead; a text
  // that yields no pieces ("N/A") paints nothing.
  bool gradientTextEmpty = false;
};

}  // namespace

bool SectionRectInside(const TBitmap32* b, const TRect32& r) {
  return b && r.Left < r.Right && r.Top < r.Bottom && r.Left >= 0 && r.Top >= 0 && r.Right <= b->Width() &&
         r.Bottom <= b->Height();
}

TCacheInfo MovedCacheInfo(TCacheInfo ci, TPoint32 o) {
  const int64_t x = int64_t(ci.X) + o.X, y = int64_t(ci.Y) + o.Y;
  if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) {
    ci.Bmp = nullptr;
    return ci;
  }
  ci.X = int32_t(x);
  ci.Y = int32_t(y);
  return ci;
}

namespace {

bool Masked(const TsMaskData& m) { return m.MaskType != 0; }

// The parent image (or colour) behind r, the image read at r's position moved by o.
void ParentInto(TBitmap32* b, const TRect32& r, const TCacheInfo& ci, TPoint32 o) {
  if (!ci.Ready) {
    FillPixels32(b, r, ci.FillColor);
  } else if (ci.Bmp && ci.Bmp != b) {
    const TCacheInfo m = MovedCacheInfo(ci, o);
    if (m.Bmp) CopyBlock(b, r.Left, r.Top, m.Bmp, m.X, m.Y, RectWidth(r), RectHeight(r));
  }
}

// keepShares: the image and gradient shares stay even at transparency 100
// (the scroll-bar painter's variant); otherwise a fully transparent state has none.
TBgProps StateProps(const TsGeneralData& g, int state, bool keepShares = false) {
  TBgProps p;
  const bool hot = state > 0;
  p.color = hot ? g.HotColor : g.Color;
  p.transparency = hot ? g.HotTransparency : g.Transparency;
  if (p.transparency != 100 || keepShares) {
    p.imagePct = hot ? g.HotImagePercent : g.ImagePercent;
    p.gradientPct = hot ? g.HotGradientPercent : g.GradientPercent;
  }
  if (p.gradientPct != 0) {
    p.gradient = &(hot ? g.HotGradientArray : g.GradientArray).get();
    p.gradientTextEmpty = (hot ? g.HotGradientData : g.GradientData).empty();
  }
  return p;
}

// Texture, gradient and colour share into q of b. `plain` is the variant of
// the scroll-bar painter: no combined pass and its own colour step.
void PaintLayers(const TSkinContent& skin, TBitmap32* b, const TRect32& q, const TBgProps& p, const TCacheInfo& ci,
                 bool plain) {
  const bool hasGradient = p.gradient && !p.gradient->empty();
  const int s = p.imagePct + p.gradientPct;
  const TsMaskData* tex = skin.IsValidImgIndex(p.image) ? &skin.ma[size_t(p.image)] : nullptr;
  if (!plain && s == 100 && p.imagePct >= 1 && p.imagePct <= 99 && tex && tex->DrawMode == 0 && !Masked(*tex) &&
      hasGradient && ((*p.gradient)[0].Mode1 == 0 || (*p.gradient)[0].Mode1 == 1)) {
    PaintGradientTextured(b, q, *p.gradient, uint8_t(p.imagePct * 255 / 100), tex->R, ImageSource(*tex));
    return;
  }
  bool textured = false;
  if (p.imagePct > 0) {
    TRect32 left = q;
    if (tex) {
      if (Masked(*tex)) FillWithMaskedImage(b, left, ci, tex->DrawMode, *tex);
      else FillWithImage(b, left, tex->Bmp.get(), tex->DrawMode, *tex);
    } else if (p.pattern >= 0 && size_t(p.pattern) < skin.pa.size()) {
      // Large textures are always tiled; one that cannot be decoded draws
      // nothing and leaves the area to the colour.
      FillWithImage(b, left, skin.pa[size_t(p.pattern)].Img.get(), tfTile, TsMaskData{});
    }
    textured = !(left == q);
    if (!(left == kNothingLeft)) FillPixels32(b, left, p.color);
  }
  if (p.gradientPct > 0) {
    if (textured) {
      if (hasGradient || p.gradientTextEmpty) {
        TBitmap32 tmp(RectWidth(q), RectHeight(q));
        const TRect32 all{0, 0, tmp.Width(), tmp.Height()};
        if (hasGradient) PaintGradient(&tmp, all, *p.gradient, 0);
        else FillPixels32(&tmp, all, p.color);
        BlendOverRect(b, &tmp, ClampByte(p.imagePct * 255 / 100), all, q.Left, q.Top);
      }
    } else if (hasGradient) {
      PaintGradient(b, q, *p.gradient, 0);
    } else if (p.gradientTextEmpty) {
      FillPixels32(b, q, p.color);
    }
  }
  if (s >= 1 && s <= 99) {
    TintRect(b, q, s, p.color);
  } else if (s == 0 || (plain && s > 100)) {
    FillPixels32(b, q, (plain && !ci.Ready && p.transparency == 100) ? ci.FillColor : p.color);
  }
}

// The layers straight into r, or blended over the parent at the section's transparency.
void BlendedLayers(const TSkinContent& skin, TBitmap32* b, const TRect32& r, const TBgProps& p, const TCacheInfo& ci,
                   TPoint32 o, bool plain) {
  TBitmap32 tmp(RectWidth(r), RectHeight(r));
  PaintLayers(skin, &tmp, {0, 0, tmp.Width(), tmp.Height()}, p, ci, plain);
  ParentInto(b, r, ci, o);
  BlendOverRect(b, &tmp, ClampByte(p.transparency * 255 / 100), {0, 0, tmp.Width(), tmp.Height()}, r.Left, r.Top);
}

}  // namespace

int ClampSectionState(const TSkinContent& skin, int32_t skinIndex, int state) {
  if (!skin.IsValidSkinIndex(skinIndex)) return 0;
  return std::clamp(state, 0, std::max(0, skin.gd[size_t(skinIndex)].States - 1));
}

void PaintSectionBackground(const TSkinContent* skin, int32_t skinIndex, std::string_view sectionName,
                            const TCacheInfo& ci, TColor customColor, int32_t hotTexture, int32_t texture,
                            TBitmap32* bmp, TPoint32 offset, const TRect32& r, int state) {
  if (!skin || !skin->IsValidSkinIndex(skinIndex) || !SectionRectInside(bmp, r)) return;
  const TsGeneralData& g = skin->gd[size_t(skinIndex)];
  state = ClampSectionState(*skin, skinIndex, state);
  TBgProps p;
  if (customColor != clNoneMarker) {
    p.color = customColor;
  } else {
    p = StateProps(g, state);
    if (p.imagePct > 0) {
      const bool hot = state > 0;
      const int32_t given = hot ? hotTexture : texture;
      int32_t image = -1;
      if (given != -1) {
        if (skin->IsValidImgIndex(given) && !Masked(skin->ma[size_t(given)])) image = given;
      } else {
        image = skin->GetTextureIndex(skinIndex, sectionName, hot ? "HOTPATTERN" : "PATTERN");
      }
      if (skin->IsValidImgIndex(image)) {
        p.image = image;
      } else {
        // No usable skin image (or a masked one given): the section's large
        // texture of that property, decoded when first drawn.
        p.pattern = skin->GetPatternIndex(skinIndex, sectionName, hot ? "HOTPATTERN" : "PATTERN");
      }
    }
  }
  if ((!ci.Ready && ci.FillColor == clNoneMarker) || p.transparency == 0) {
    PaintLayers(*skin, bmp, r, p, ci, false);
  } else if (p.transparency == 100) {
    ParentInto(bmp, r, ci, offset);
  } else if (ci.Ready || p.imagePct + p.gradientPct > 0) {
    BlendedLayers(*skin, bmp, r, p, ci, offset, false);
  } else {
    FillPixels32(bmp, r, BlendColors(ColorToRGB(ci.FillColor), ColorToRGB(p.color), p.transparency / 100.0));
  }
  if (state == 0) {
    const int32_t overlay = texture != -1 ? texture : hotTexture;
    if (skin->IsValidImgIndex(overlay)) {
      const TsMaskData& m = skin->ma[size_t(overlay)];
      if (m.MaskType > 0 && m.DrawMode == 10) {
        TRect32 rr = r;
        FillWithMaskedImage(bmp, rr, MovedCacheInfo(ci, offset), tfWholeRows, m);
      }
    }
  }
}

void PaintCornerImages(const TSkinContent& skin, int32_t skinIndex, TBitmap32* b, const TRect32& r, int state) {
  if (!skin.IsValidSkinIndex(skinIndex)) return;
  const TsGeneralData& g = skin.gd[size_t(skinIndex)];
  const TCacheInfo self = CacheInfoOf(b, 0, 0);
  const int32_t idx[4] = {g.ImgTL, g.ImgTR, g.ImgBL, g.ImgBR};
  for (int c = 0; c < 4; ++c) {
    if (!skin.IsValidImgIndex(idx[c])) continue;
    const TsMaskData& m = skin.ma[size_t(idx[c])];
    const int32_t fw = FrameWidth(m), fh = FrameHeight(m);
    const int32_t x = (c & 1) ? r.Right - fw : r.Left;
    const int32_t y = (c & 2) ? r.Bottom - fh : r.Top;
    DrawMaskImage(b, x, y, state, self, m, 1);
  }
}

void PaintSection(const TSkinContent* skin, int32_t skinIndex, std::string_view sectionName, const TCacheInfo& ci,
                  int32_t hotTexture, int32_t texture, TBitmap32* bmp, TPoint32 offset, const TRect32& r, int state) {
  if (!skin || !skin->IsValidSkinIndex(skinIndex) || !SectionRectInside(bmp, r)) return;
  state = ClampSectionState(*skin, skinIndex, state);
  PaintSectionBackground(skin, skinIndex, sectionName, ci, clNoneMarker, hotTexture, texture, bmp, offset, r, state);
  const TsGeneralData& g = skin->gd[size_t(skinIndex)];
  PaintCornerImages(*skin, skinIndex, bmp, r, state);
  if (skin->IsValidImgIndex(g.BorderIndex))
    DrawBorderMask(bmp, r, true, state, skin->ma[size_t(g.BorderIndex)], MovedCacheInfo(ci, offset));
}

void PaintSectionWithBorder(const TSkinContent* skin, int32_t skinIndex, int32_t borderMask, int32_t texture,
                            TBitmap32* bmp, TPoint32 offset, const TRect32& r, int state, const TCacheInfo& ci,
                            std::string_view, int32_t hotTexture) {
  if (!skin || !skin->IsValidSkinIndex(skinIndex) || !SectionRectInside(bmp, r)) return;
  state = ClampSectionState(*skin, skinIndex, state);
  TBgProps p = StateProps(skin->gd[size_t(skinIndex)], state, true);
  const int32_t t = state > 0 ? hotTexture : texture;
  p.image = skin->IsValidImgIndex(t) ? t : -1;
  if (!ci.Ready || p.transparency == 0) {
    PaintLayers(*skin, bmp, r, p, ci, true);
  } else if (p.transparency == 100) {
    ParentInto(bmp, r, ci, offset);
  } else {
    BlendedLayers(*skin, bmp, r, p, ci, offset, true);
  }
  if (skin->IsValidImgIndex(borderMask))
    DrawBorderMask(bmp, r, true, state, skin->ma[size_t(borderMask)], MovedCacheInfo(ci, offset));
}

int32_t PaintSectionByName(TBitmap32* bmp, std::string_view name, std::string_view altName, const TBitmap32* behind,
                           TColor fillColor, const TRect32& r, const TSkinContent* skin, int state) {
  if (!skin) return -1;
  int32_t i = skin->GetSkinIndex(name);
  if (!skin->IsValidSkinIndex(i)) {
    i = skin->GetSkinIndex(altName);
    name = altName;
  }
  if (!skin->IsValidSkinIndex(i) || !bmp) return i;
  TCacheInfo ci{nullptr, 0, 0, fillColor, false};
  if (behind) {
    CopyBlock(bmp, 0, 0, behind, r.Left, r.Top, bmp->Width(), bmp->Height());
    ci = TCacheInfo{bmp, 0, 0, fillColor, true};
  }
  PaintSection(skin, i, name, ci, -1, -1, bmp, {0, 0}, {0, 0, bmp->Width(), bmp->Height()}, state);
  return i;
}

}  // namespace glyphora
