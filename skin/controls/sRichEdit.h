#pragma once
#include <memory>

#include "framework/richedit.h"
#include "skin/core/sCommonData.h"

namespace glyphora {

// A rich edit whose frame and scroll bars come from the skin.
class TsRichEdit : public TRichEdit {
 public:
  explicit TsRichEdit(TComponent* owner) : TRichEdit(owner), SkinData(std::make_unique<TsCtrlSkinData>(this, COC_TsRichEdit)) {
    SkinData->SetSkinSection("EDIT");
  }
  std::unique_ptr<TsCtrlSkinData> SkinData;
};

}  // namespace glyphora
