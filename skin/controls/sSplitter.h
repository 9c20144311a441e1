#pragma once
#include <memory>

#include "framework/extctrls.h"
#include "skin/core/sCommonData.h"

namespace glyphora {

// A splitter whose face comes from the skin.
class TsSplitter : public TSplitter {
 public:
  explicit TsSplitter(TComponent* owner) : TSplitter(owner), SkinData(std::make_unique<TsCtrlSkinData>(this, COC_TsSplitter)) {
    SkinData->SetSkinSection("SPLITTER");
  }
  std::unique_ptr<TsCtrlSkinData> SkinData;
};

}  // namespace glyphora
