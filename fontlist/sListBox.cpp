#include "fontlist/sListBox.h"

namespace glyphora {

TsCustomListBox::TsCustomListBox(TComponent* owner)
    : TsSkinned<TCustomListBox>(owner, COC_TsCustomListBox, "EDIT", "TSCUSTOMLISTBOX") {}

void TsCustomListBox::SetAutoHideScroll(bool value) {
  if (value == FAutoHideScroll) return;
  FAutoHideScroll = value;
  if (!Loading()) RecreateWnd();
}

void TsCustomListBox::CreateParams(TCreateParams& p) {
  TsSkinned<TCustomListBox>::CreateParams(p);
  if (Style == TListBoxStyle::lbStandard) p.Style |= LBS_OWNERDRAWFIXED;
  if (!FAutoHideScroll) p.Style |= LBS_DISABLENOSCROLL;
}

}  // namespace glyphora
