// The colours the current skin gives for the program's common parts.
#include "skin/core/sSkinManager.h"

#include "framework/control.h"
#include "skin/core/manager_rules.h"
#include "skin/core/skin_commands.h"

namespace glyphora {

namespace {
bool IsNoColor(TColor c) { return c == clMinusOne || c == clNoneMarker; }
}  // namespace

TColor TsSkinManager::GetGlobalColor() const {
  int i = skinActive_ ? content_->ConstData.IndexGLobalInfo : -1;
  return content_->IsValidSkinIndex(i) ? content_->gd[static_cast<size_t>(i)].Color : ColorToRGB(clBtnFace);
}

TColor TsSkinManager::GetGlobalFontColor() const {
  int i = skinActive_ ? content_->ConstData.IndexGLobalInfo : -1;
  return content_->IsValidSkinIndex(i) ? content_->gd[static_cast<size_t>(i)].FontColor.Color : clNoneMarker;
}

TColor TsSkinManager::GetActiveEditColor() const {
  int i = skinActive_ ? content_->ConstData.IndexGLobalInfo : -1;
  return content_->IsValidSkinIndex(i) ? content_->gd[static_cast<size_t>(i)].HotColor : ColorToRGB(clWindow);
}

TColor TsSkinManager::GetActiveEditFontColor() const {
  int i = skinActive_ ? content_->GetSkinIndex("EDIT") : -1;
  return i >= 0 ? content_->gd[static_cast<size_t>(i)].FontColor.Color : ColorToRGB(clWindowText);
}

TColor TsSkinManager::GetHighLightColor(bool focused) const {
  TColor c = clNoneMarker;
  int sel = skinActive_ ? content_->GetSkinIndex("SELECTION") : -1;
  if (sel >= 0) {
    const TsGeneralData& g = content_->gd[static_cast<size_t>(sel)];
    c = focused && g.States > 1 ? g.HotColor : g.Color;
  }
  if (sel < 0 || IsNoColor(c)) {
    int mi = skinActive_ ? content_->GetSkinIndex("MENUITEM") : -1;
    c = mi >= 0 ? content_->gd[static_cast<size_t>(mi)].HotColor : clNoneMarker;
    if (mi < 0 || IsNoColor(c) || c == clWhite) c = clHighlight;
  }
  return ColorToRGB(c);
}

TColor TsSkinManager::GetHighLightFontColor(bool focused) const {
  int sel = skinActive_ ? content_->GetSkinIndex("SELECTION") : -1;
  if (sel >= 0) {
    const TsGeneralData& g = content_->gd[static_cast<size_t>(sel)];
    TColor c = focused && g.States > 1 ? g.HotFontColor.Color : g.FontColor.Color;
    if (!IsNoColor(c)) return c;
  }
  int mi = skinActive_ ? content_->GetSkinIndex("MENUITEM") : -1;
  if (mi >= 0) {
    TColor c = content_->gd[static_cast<size_t>(mi)].HotFontColor.Color;
    if (!IsNoColor(c)) return c;
  }
  return ColorToRGB(clHighlightText);
}

TColor TsSkinManager::SectionBGColor(int32_t skinIndex, TControl* owner) const {
  if (!content_->IsValidSkinIndex(skinIndex)) return owner ? ColorToRGB(owner->Color()) : clNoneMarker;
  const TsGeneralData& g = content_->gd[static_cast<size_t>(skinIndex)];
  if (g.Transparency <= 0) return g.Color;
  TColor parent = owner ? ColorToRGB(owner->Color()) : clNoneMarker;
  if (owner && owner->Parent()) {
    TColor p = GetControlBGColor(owner->Parent());
    parent = p == clNoneMarker ? ColorToRGB(owner->Parent()->Color()) : p;
  }
  if (g.Transparency >= 100) return parent;
  return MixTransparentColor(parent, g.Color, g.Transparency);
}

}  // namespace glyphora
