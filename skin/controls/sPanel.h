#pragma once
#include <memory>

#include "framework/extctrls.h"
#include "skin/core/sCommonData.h"

namespace glyphora {

// A panel drawn from its skin section ("PANEL" by default).
class TsPanel : public TPanel {
 public:
  explicit TsPanel(TComponent* owner) : TPanel(owner), SkinData(std::make_unique<TsCtrlSkinData>(this, COC_TsPanel)) {
    SkinData->SetSkinSection("PANEL");
  }
  std::unique_ptr<TsCtrlSkinData> SkinData;
};

}  // namespace glyphora
