#include "skin/paint/scroll_paint.h"

#include <algorithm>

#include "skin/core/skin_content.h"
#include "skin/paint/blend.h"
#include "skin/paint/mask_image.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/tint.h"

namespace glyphora {

namespace {

struct TPartSkin {
  const char* Name;
  int32_t Index, Mask, Texture, HotTexture, Glyph;
};

TPartSkin TrackSkin(const TConstantSkinData& c, bool horz, bool first) {
  if (horz)
    return first ? TPartSkin{"SCROLLBAR1H", c.IndexScrollBar1H, c.MaskScrollBar1H, c.BGScrollBar1H, c.BGHotScrollBar1H, -1}
                 : TPartSkin{"SCROLLBAR2H", c.IndexScrollBar2H, c.MaskScrollBar2H, c.BGScrollBar2H, c.BGHotScrollBar2H, -1};
  return first ? TPartSkin{"SCROLLBAR1V", c.IndexScrollBar1V, c.MaskScrollBar1V, c.BGScrollBar1V, c.BGHotScrollBar1V, -1}
               : TPartSkin{"SCROLLBAR2V", c.IndexScrollBar2V, c.MaskScrollBar2V, c.BGScrollBar2V, c.BGHotScrollBar2V, -1};
}

TPartSkin ButtonSkin(const TConstantSkinData& c, bool horz, bool first) {
  if (horz)
    return first ? TPartSkin{"SCROLLBTNLEFT", c.IndexScrollLeft, c.MaskScrollLeft, c.IndexBGScrollLeft,
                             c.IndexBGHotScrollLeft, c.MaskArrowLeft}
                 : TPartSkin{"SCROLLBTNRIGHT", c.IndexScrollRight, c.MaskScrollRight, c.IndexBGScrollRight,
                             c.IndexBGHotScrollRight, c.MaskArrowRight};
  return first ? TPartSkin{"SCROLLBTNTOP", c.IndexScrollTop, c.MaskScrollTop, c.IndexBGScrollTop,
                           c.IndexBGHotScrollTop, c.MaskArrowTop}
               : TPartSkin{"SCROLLBTNBOTTOM", c.IndexScrollBottom, c.MaskScrollBottom, c.IndexBGScrollBottom,
                           c.IndexBGHotScrollBottom, c.MaskArrowBottom};
}

TPartSkin SliderSkin(const TConstantSkinData& c, bool horz) {
  return horz ? TPartSkin{"SCROLLSLIDERH", c.IndexSliderHorz, c.MaskSliderHorz, c.ScrollSliderBGHorz,
                          c.ScrollSliderBGHotHorz, c.MaskSliderGlyphHorz}
              : TPartSkin{"SCROLLSLIDERV", c.IndexSliderVert, c.MaskSliderVert, c.ScrollSliderBGVert,
                          c.ScrollSliderBGHotVert, c.MaskSliderGlyphVert};
}

// The rectangle from a to b along the bar, across its whole thickness.
TRect32 Along(const TBitmap32& b, bool horz, int32_t a, int32_t e) {
  return horz ? TRect32{a, 0, e, b.Height()} : TRect32{0, a, b.Width(), e};
}

void PaintPart(const TSkinContent& skin, TBitmap32* bmp, const TCacheInfo& ci, const TPartSkin& p, TRect32 r,
               int state) {
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, bmp->Width());
  r.Bottom = std::min(r.Bottom, bmp->Height());
  if (!skin.IsValidSkinIndex(p.Index) || r.Right <= r.Left || r.Bottom <= r.Top) return;
  PaintSectionWithBorder(&skin, p.Index, p.Mask, p.Texture, bmp, {r.Left, r.Top}, r, state, ci, p.Name,
                         p.HotTexture);
}

// The part's glyph centred in r (moved by shift), in the part's state.
void PaintGlyph(const TSkinContent& skin, TBitmap32* bmp, int32_t glyph, const TRect32& r, int state,
                int32_t shift) {
  if (!skin.IsValidImgIndex(glyph) || r.Right <= r.Left || r.Bottom <= r.Top) return;
  const TsMaskData& m = skin.ma[size_t(glyph)];
  const int32_t x = r.Left + (RectWidth(r) - FrameWidth(m)) / 2 + shift;
  const int32_t y = r.Top + (RectHeight(r) - FrameHeight(m)) / 2 + shift;
  DrawMaskImage(bmp, x, y, state, CacheInfoOf(bmp, 0, 0), m, 1);
}

}  // namespace

bool HasScrollBarSections(const TSkinContent& skin, bool horizontal) {
  const TConstantSkinData& c = skin.ConstData;
  return skin.IsValidSkinIndex(TrackSkin(c, horizontal, true).Index) &&
         skin.IsValidSkinIndex(TrackSkin(c, horizontal, false).Index);
}

void PaintScrollBarLook(const TSkinContent& skin, TBitmap32* bmp, const TCacheInfo& bg, const TScrollBarLook& l) {
  if (!bmp || bmp->Empty() || !HasScrollBarSections(skin, l.Horizontal)) return;
  const TConstantSkinData& c = skin.ConstData;
  const bool h = l.Horizontal;
  const int32_t len = h ? bmp->Width() : bmp->Height();
  const int32_t split = std::clamp(l.Split, 0, len);
  PaintPart(skin, bmp, bg, TrackSkin(c, h, true), Along(*bmp, h, 0, split), l.Bar1State);
  PaintPart(skin, bmp, bg, TrackSkin(c, h, false), Along(*bmp, h, split, len), l.Bar2State);
  // Buttons and the thumb lie over the track: the bar itself is their background.
  const TCacheInfo self = CacheInfoOf(bmp, 0, 0);
  const int32_t b1 = std::clamp(l.Btn1End, 0, len), b2 = std::clamp(l.Btn2Start, 0, len);
  const TPartSkin first = ButtonSkin(c, h, true), second = ButtonSkin(c, h, false);
  PaintPart(skin, bmp, self, first, Along(*bmp, h, 0, b1), l.Btn1State);
  PaintGlyph(skin, bmp, first.Glyph, Along(*bmp, h, 0, b1), l.Btn1State, 0);
  PaintPart(skin, bmp, self, second, Along(*bmp, h, b2, len), l.Btn2State);
  PaintGlyph(skin, bmp, second.Glyph, Along(*bmp, h, b2, len), l.Btn2State, 0);
  if (l.Thumb && l.ThumbLength > 0) {
    const TPartSkin slider = SliderSkin(c, h);
    const TRect32 r = Along(*bmp, h, l.ThumbStart, l.ThumbStart + l.ThumbLength);
    PaintPart(skin, bmp, self, slider, r, l.ThumbState);
    PaintGlyph(skin, bmp, slider.Glyph, r, l.ThumbState, l.PressedGlyphShift && l.ThumbState == 2 ? 1 : 0);
  }
}

void FadeInactiveBar(TBitmap32* bmp, const TCacheInfo& bg) {
  if (!bmp || bmp->Empty()) return;
  if (bg.Ready && bg.Bmp) {
    const TRect32 src{bg.X, bg.Y, bg.X + bmp->Width(), bg.Y + bmp->Height()};
    BlendKeyedRect(bmp, 0, 0, 0x00FF00FFu, 0.4, src, bg.Bmp);
    return;
  }
  FadeRectToColor(bmp, TRect32{0, 0, bmp->Width() + 1, bmp->Height() + 1}, 60, 0, 0, bg.FillColor);
}

}  // namespace glyphora
