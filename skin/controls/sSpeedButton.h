#pragma once
#include "framework/buttons.h"
#include "skin/controls/skinned_control.h"

namespace glyphora {

// A speed button drawn from its skin section, with hover fades.
class TsSpeedButton : public TsSkinned<TSpeedButton> {
 public:
  explicit TsSpeedButton(TComponent* owner) : TsSkinned<TSpeedButton>(owner, COC_TsSpeedButton, "SPEEDBUTTON", "TSSPEEDBUTTON") {}
};

}  // namespace glyphora
