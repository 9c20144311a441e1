// The skinned list box base: always owner-drawn at a fixed item height, so
// that the skinned and the plain look both come from DrawItem.
#pragma once
#include <memory>

#include "framework/stdctrls.h"
#include "skin/controls/skinned_control.h"

namespace glyphora {

class TsCustomListBox : public TsSkinned<TCustomListBox> {
 public:
  explicit TsCustomListBox(TComponent* owner);
  // False keeps a disabled scroll bar visible when nothing scrolls.
  bool AutoHideScroll() const { return FAutoHideScroll; }
  void SetAutoHideScroll(bool value);

 protected:
  void CreateParams(TCreateParams& params) override;
  bool FAutoHideScroll = true;
};

}  // namespace glyphora
