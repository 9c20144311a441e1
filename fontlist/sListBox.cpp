#include "fontlist/sListBox.h"

namespace glyphora {

TsCustomListBox::TsCustomListBox(TComponent* owner)
    : TCustomListBox(owner), SkinData(std::make_unique<TsCtrlSkinData>(this, COC_TsCustomListBox)) {
  SkinData->SetSkinSection("EDIT");
}

void TsCustomListBox::SetAutoHideScroll(bool value) {
  if (value == FAutoHideScroll) return;
  FAutoHideScroll = value;
  if (!Loading()) RecreateWnd();
}

void TsCustomListBox::CreateParams(TCreateParams& p) {
  TCustomListBox::CreateParams(p);
  if (Style == TListBoxStyle::lbStandard) p.Style |= LBS_OWNERDRAWFIXED;
  if (!FAutoHideScroll) p.Style |= LBS_DISABLENOSCROLL;
}

}  // namespace glyphora
