#pragma once
#include <memory>

#include "framework/stdctrls.h"
#include "skin/core/sCommonData.h"

namespace glyphora {

// A scroll bar control drawn from the skin.
class TsScrollBar : public TScrollBar {
 public:
  explicit TsScrollBar(TComponent* owner) : TScrollBar(owner), SkinData(std::make_unique<TsCtrlSkinData>(this, COC_TsScrollBar)) {
  }
  std::unique_ptr<TsCtrlSkinData> SkinData;
};

}  // namespace glyphora
