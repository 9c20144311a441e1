#pragma once
#include "framework/extctrls.h"
#include "skin/controls/skinned_control.h"

namespace glyphora {

// A splitter whose face comes from the skin.
class TsSplitter : public TsSkinned<TSplitter> {
 public:
  explicit TsSplitter(TComponent* owner) : TsSkinned<TSplitter>(owner, COC_TsSplitter, "SPLITTER", "TSSPLITTER") {}
  // The parent's background shows under the skinned splitter.
  bool ClippedFromParentBackground() const override { return false; }
};

}  // namespace glyphora
