#pragma once
#include "framework/extctrls.h"
#include "skin/controls/skinned_control.h"

namespace glyphora {

// A panel drawn from its skin section ("PANEL" by default).
class TsPanel : public TsSkinned<TPanel> {
 public:
  explicit TsPanel(TComponent* owner) : TsSkinned<TPanel>(owner, COC_TsPanel, "PANEL", "TSPANEL") {}
};

}  // namespace glyphora
