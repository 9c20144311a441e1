#pragma once
#include <memory>

#include "framework/stdctrls.h"
#include "skin/core/sCommonData.h"

namespace glyphora {

// A single-line edit whose frame and colours come from the skin.
class TsEdit : public TEdit {
 public:
  explicit TsEdit(TComponent* owner) : TEdit(owner), SkinData(std::make_unique<TsCtrlSkinData>(this, COC_TsEdit)) {
    SkinData->SetSkinSection("EDIT");
  }
  std::unique_ptr<TsCtrlSkinData> SkinData;
};

}  // namespace glyphora
