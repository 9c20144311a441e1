#pragma once
#include <memory>

#include "framework/buttons.h"
#include "skin/core/sCommonData.h"

namespace glyphora {

// A speed button drawn from its skin section, with hover fades.
class TsSpeedButton : public TSpeedButton {
 public:
  explicit TsSpeedButton(TComponent* owner) : TSpeedButton(owner), SkinData(std::make_unique<TsCtrlSkinData>(this, COC_TsSpeedButton)) {
    SkinData->SetSkinSection("SPEEDBUTTON");
  }
  std::unique_ptr<TsCtrlSkinData> SkinData;
};

}  // namespace glyphora
