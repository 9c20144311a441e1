// The form's skin provider: binds a form's frame and caption to a skin
// section. Frame painting builds on this component.
#pragma once
#include <memory>

#include "framework/component.h"
#include "framework/graphics.h"
#include "skin/core/sCommonData.h"

namespace glyphora {

struct TacAddedTitle {
  TFont Font;
};

class TsSkinProvider : public TComponent {
 public:
  explicit TsSkinProvider(TComponent* owner)
      : TComponent(owner), SkinData(std::make_unique<TsCommonData>(nullptr, COC_TsSkinProvider)) {
    SkinData->SetSkinSection("FORM");
  }
  std::unique_ptr<TsCommonData> SkinData;
  TacAddedTitle AddedTitle;
};

}  // namespace glyphora
