#pragma once
#include "framework/stdctrls.h"
#include "skin/controls/skinned_control.h"

namespace glyphora {

// A single-line edit whose frame and colours come from the skin.
class TsEdit : public TsSkinned<TEdit> {
 public:
  explicit TsEdit(TComponent* owner) : TsSkinned<TEdit>(owner, COC_TsEdit, "EDIT", "TSEDIT") {}
};

}  // namespace glyphora
