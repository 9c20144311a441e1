#pragma once
#include "framework/richedit.h"
#include "skin/controls/skinned_control.h"

namespace glyphora {

// A rich edit whose frame and scroll bars come from the skin.
class TsRichEdit : public TsSkinned<TRichEdit> {
 public:
  explicit TsRichEdit(TComponent* owner) : TsSkinned<TRichEdit>(owner, COC_TsRichEdit, "EDIT", "TSRICHEDIT") {}
};

}  // namespace glyphora
