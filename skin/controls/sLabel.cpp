#include "skin/controls/sLabel.h"

#include <algorithm>

#include "base/color_ops.h"
#include "framework/handles.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/paint/section_paint_win.h"
#include "skin/paint/section_text_win.h"

namespace glyphora {

namespace {

TsSkinManager* ActiveManager() {
  TsSkinManager* m = TsSkinManager::DefaultManager();
  return (m && m->Active() && m->Content().SkinData.Active) ? m : nullptr;
}

class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = was_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
  bool was_;
};

}  // namespace

void TsCustomLabel::SetSkinSection(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  if (upper == FSkinSection) return;
  FSkinSection = upper;
  Invalidate();
}

int32_t TsCustomLabel::ColorSourceIndex() const {
  TsSkinManager* m = ActiveManager();
  if (!m) return -1;
  const int32_t global = m->Content().ConstData.IndexGLobalInfo;
  return TsCommonData::FindFontSourceSection(const_cast<TsCustomLabel*>(this), global, m);
}

void TsCustomLabel::SetSkinFontColor(TColor color) {
  if (!skinColored_) {
    ownColor_ = font_.Color();
    skinColored_ = true;
  }
  skinColor_ = color;
  if (font_.Color() != color) font_.SetColor(color);
}

void TsCustomLabel::RestoreOwnColor() {
  if (!skinColored_) return;
  skinColored_ = false;
  if (font_.Color() != ownColor_) font_.SetColor(ownColor_);
}

TFont& TsCustomLabel::GetCurrentFont() {
  TsSkinManager* m = ActiveManager();
  if (!m) return font_;
  const int32_t i = ColorSourceIndex();
  const TColor c = m->IsValidSkinIndex(i) ? m->Content().gd[size_t(i)].FontColor.Color : m->GetGlobalFontColor();
  if (c != clNoneMarker) SetSkinFontColor(c);
  return font_;
}

TFont& TsLabel::GetCurrentFont() {
  if (!UseSkinColor || Destroying()) return font_;
  return TsCustomLabel::GetCurrentFont();
}

void TsCustomLabel::Paint(TCanvas& canvas) {
  if (Destroying()) return;
  HDC dc = canvas.Handle();
  TFlagScope painting(painting_);
  if (!inFontChange_) GetCurrentFont();
  TsSkinManager* m = ActiveManager();
  const int32_t own = (m && !FSkinSection.empty()) ? m->GetSkinIndex(FSkinSection) : -1;
  if (own >= 0) font_.SetColor(m->Content().gd[size_t(own)].FontColor.Color);
  RECT r{0, 0, width_, height_};
  if (own > 0 && parent_) {
    TacParentBG bg;
    bool please = false;
    RequestControlBG(bg, parent_, please);
    PaintSectionToDC(&m->Content(), own, FSkinSection, ParentBGToCacheInfo(bg), dc, {left_, top_},
                     {0, 0, width_, height_}, 0);
  } else if (!Transparent) {
    canvas.FillRect(r, color_);
  }
  if (DisplayText().empty()) return;
  DoDrawText(dc, r, DrawFlags());
}

void TsCustomLabel::DoDrawText(HDC dc, RECT& r, UINT flags) {
  std::wstring text = DisplayText();
  TsSkinManager* m = ActiveManager();
  SelectGuard sel(dc, font_.Handle());
  ::SetBkMode(dc, TRANSPARENT);
  if (!m) {
    if (!enabled_) {
      RECT shadow = r;
      ::OffsetRect(&shadow, 1, 1);
      ::SetTextColor(dc, ColorToRGB(clBtnHighlight));
      ::DrawTextW(dc, text.c_str(), int(text.size()), &shadow, flags);
      ::SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
      ::SetTextColor(dc, ColorToRGB(font_.Color()));
    }
    ::DrawTextW(dc, text.c_str(), int(text.size()), &r, flags);
    return;
  }
  if ((flags & DT_CALCRECT) && (text.empty() || (text == L"&" && ShowAccelChar))) text += L' ';
  if (!enabled_) {
    const TColor bg = parent_ ? GetControlBGColor(parent_) : ColorToRGB(clBtnFace);
    ::SetTextColor(dc, ColorToRGB(BlendColors(ColorToRGB(font_.Color()), ColorToRGB(bg), 0.4)));
    ::DrawTextW(dc, text.c_str(), int(text.size()), &r, flags);
    return;
  }
  // Skin-coloured text takes its section's contour copies too.
  const int32_t source = ColorSourceIndex();
  if (skinColored_ && m->IsValidSkinIndex(source) &&
      m->Content().gd[size_t(source)].FontColor.Color == font_.Color()) {
    DrawSectionTextByIndex(dc, text, true, m, false, source, flags, {r.left, r.top, r.right, r.bottom});
    return;
  }
  ::SetTextColor(dc, ColorToRGB(font_.Color()));
  ::DrawTextW(dc, text.c_str(), int(text.size()), &r, flags);
}

void TsCustomLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_FONTCHANGED:
      // Painting sets the font colour from the skin: that change must not
      // invalidate the label again, or it would paint for ever.
      if (Destroying() || inFontChange_ || painting_) return;
      // A colour the program sets while skinned is the label's own: the
      // skin's replaces it on screen, and it comes back when the skin goes.
      if (skinColored_ && font_.Color() != skinColor_) ownColor_ = font_.Color();
      {
        TFlagScope changing(inFontChange_);
        if (AutoSize) AdjustSize();
        Invalidate();
      }
      return;
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      TLabel::WndProc(m);
      return;
    case CM_MOUSELEAVE:
      TLabel::WndProc(m);
      if (OnMouseLeave) OnMouseLeave(this);
      return;
    case SM_ALPHACMD:
      if (SkinCommandCode(m.WParam) == SKC_REMOVESKIN && SkinCommandForManager(m, TsSkinManager::DefaultManager())) {
        RestoreOwnColor();
      } else if (SkinCommandCode(m.WParam) == SKC_SETNEWSKIN || SkinCommandCode(m.WParam) == SKC_REFRESH) {
        Invalidate();
      }
      return;
  }
  TLabel::WndProc(m);
}

void TsLabel::WndProc(TMessage& m) {
  if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_REMOVESKIN) {
    if (Destroying() || !TsSkinManager::DefaultManager() || !UseSkinColor) return;
    if (!SkinCommandForManager(m, TsSkinManager::DefaultManager())) return;
    RestoreOwnColor();
    return;
  }
  TsCustomLabel::WndProc(m);
}

}  // namespace glyphora
