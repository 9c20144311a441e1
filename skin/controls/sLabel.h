#pragma once
#include "framework/extctrls.h"

namespace glyphora {

// A label drawn over its parent's (skinned) background.
class TsLabel : public TLabel {
 public:
  explicit TsLabel(TComponent* owner) : TLabel(owner) { Transparent = true; }
};

}  // namespace glyphora
