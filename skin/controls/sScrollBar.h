#pragma once
#include "framework/stdctrls.h"
#include "skin/controls/skinned_control.h"

namespace glyphora {

// A scroll bar control drawn from the skin; its own section is its class name.
class TsScrollBar : public TsSkinned<TScrollBar> {
 public:
  explicit TsScrollBar(TComponent* owner) : TsSkinned<TScrollBar>(owner, COC_TsScrollBar, "", "TSSCROLLBAR") {}
};

}  // namespace glyphora
