// The indexes of sections and images that painting asks for constantly,
// computed once per skin load.
#include "skin/core/skin_content.h"

namespace glyphora {

namespace {

int16_t I16(int32_t v) { return static_cast<int16_t>(v); }

}  // namespace

void TSkinContent::InitConstantIndexes() {
  TConstantSkinData c;
  auto mask = [&](int32_t idx, std::string_view sec, std::string_view prop) {
    return I16(GetMaskIndex(idx, sec, prop));
  };
  auto texture = [&](int32_t idx, std::string_view sec, std::string_view prop) {
    return I16(GetTextureIndex(idx, sec, prop));
  };

  const int32_t global = GetSkinIndex("GLOBALINFO");
  c.IndexGLobalInfo = I16(global);
  c.ExBorder = mask(global, "GLOBALINFO", "EXBORDER");

  struct Tab { const char* name; int16_t* index; int16_t* mask; };
  const Tab tabs[] = {{"TABTOP", &c.IndexTabTop, &c.MaskTabTop},
                      {"TABBOTTOM", &c.IndexTabBottom, &c.MaskTabBottom},
                      {"TABLEFT", &c.IndexTabLeft, &c.MaskTabLeft},
                      {"TABRIGHT", &c.IndexTabRight, &c.MaskTabRight}};
  for (const Tab& t : tabs) {
    int32_t i = GetSkinIndex(t.name);
    *t.index = I16(i);
    *t.mask = mask(i, t.name, "BORDERSMASK");  // each tab with its own skin index
  }

  struct Scroll { const char* name; int16_t *index, *mask, *bg, *bgHot, *arrow; };
  const Scroll scrolls[] = {
      {"SCROLLBTNTOP", &c.IndexScrollTop, &c.MaskScrollTop, &c.IndexBGScrollTop, &c.IndexBGHotScrollTop,
       &c.MaskArrowTop},
      {"SCROLLBTNBOTTOM", &c.IndexScrollBottom, &c.MaskScrollBottom, &c.IndexBGScrollBottom,
       &c.IndexBGHotScrollBottom, &c.MaskArrowBottom},
      {"SCROLLBTNLEFT", &c.IndexScrollLeft, &c.MaskScrollLeft, &c.IndexBGScrollLeft, &c.IndexBGHotScrollLeft,
       &c.MaskArrowLeft},
      {"SCROLLBTNRIGHT", &c.IndexScrollRight, &c.MaskScrollRight, &c.IndexBGScrollRight,
       &c.IndexBGHotScrollRight, &c.MaskArrowRight}};
  for (const Scroll& s : scrolls) {
    int32_t i = GetSkinIndex(s.name);
    *s.index = I16(i);
    *s.mask = mask(i, s.name, "BORDERSMASK");
    *s.bg = texture(i, s.name, "PATTERN");
    *s.bgHot = texture(i, s.name, "HOTPATTERN");
    if (i >= 0) *s.arrow = mask(i, s.name, "GLYPHMASK");
  }

  struct Slider { const char* name; int16_t *index, *mask, *glyph, *bg, *bgHot; };
  const Slider sliders[] = {
      {"SCROLLSLIDERV", &c.IndexSliderVert, &c.MaskSliderVert, &c.MaskSliderGlyphVert, &c.ScrollSliderBGVert,
       &c.ScrollSliderBGHotVert},
      {"SCROLLSLIDERH", &c.IndexSliderHorz, &c.MaskSliderHorz, &c.MaskSliderGlyphHorz, &c.ScrollSliderBGHorz,
       &c.ScrollSliderBGHotHorz}};
  for (const Slider& s : sliders) {
    int32_t i = GetSkinIndex(s.name);
    *s.index = I16(i);
    *s.mask = mask(i, s.name, "BORDERSMASK");
    if (i >= 0) *s.glyph = mask(i, s.name, "GLYPHMASK");
    *s.bg = texture(i, s.name, "PATTERN");
    *s.bgHot = texture(i, s.name, "HOTPATTERN");
  }

  struct Bar { const char* name; int16_t *index, *mask, *bg, *bgHot; };
  const Bar bars[] = {
      {"SCROLLBAR1H", &c.IndexScrollBar1H, &c.MaskScrollBar1H, &c.BGScrollBar1H, &c.BGHotScrollBar1H},
      {"SCROLLBAR1V", &c.IndexScrollBar1V, &c.MaskScrollBar1V, &c.BGScrollBar1V, &c.BGHotScrollBar1V},
      {"SCROLLBAR2H", &c.IndexScrollBar2H, &c.MaskScrollBar2H, &c.BGScrollBar2H, &c.BGHotScrollBar2H},
      {"SCROLLBAR2V", &c.IndexScrollBar2V, &c.MaskScrollBar2V, &c.BGScrollBar2V, &c.BGHotScrollBar2V}};
  for (const Bar& b : bars) {
    int32_t i = GetSkinIndex(b.name);
    *b.index = I16(i);
    *b.mask = mask(i, b.name, "BORDERSMASK");
    *b.bg = texture(i, b.name, "PATTERN");
    *b.bgHot = texture(i, b.name, "HOTPATTERN");
  }

  // Check boxes and radio buttons: -1 without GLOBALINFO (global is then -1).
  c.CheckBoxChecked = mask(global, "GLOBALINFO", "BOXCHECKED");
  c.CheckBoxUnChecked = mask(global, "GLOBALINFO", "BOXUNCHECKED");
  c.CheckBoxGrayed = mask(global, "GLOBALINFO", "BOXGRAYED");
  c.RadioButtonChecked = mask(global, "GLOBALINFO", "RADIOCHECKED");
  c.RadioButtonUnChecked = mask(global, "GLOBALINFO", "RADIOUNCHECKED");
  c.RadioButtonGrayed = mask(global, "GLOBALINFO", "RADIOGRAYED");
  c.SmallCheckBoxChecked = mask(global, "GLOBALINFO", "SMALLCHECKED");
  c.SmallCheckBoxUnChecked = mask(global, "GLOBALINFO", "SMALLUNCHECKED");
  c.SmallCheckBoxGrayed = mask(global, "GLOBALINFO", "SMALLGRAYED");

  c.ComboBtnIndex = GetSkinIndex("COMBOBTN");
  c.ComboBtnBorder = GetMaskIndex("COMBOBTN", "BORDERSMASK");
  c.ComboBtnBG = GetTextureIndex(c.ComboBtnIndex, "COMBOBTN", "PATTERN");
  c.ComboBtnBGHot = GetTextureIndex(c.ComboBtnIndex, "COMBOBTN", "HOTPATTERN");
  c.ComboGlyph = GetMaskIndex("COMBOBOX", "GLYPHMASK");
  ConstData = c;
}

}  // namespace glyphora
