#pragma once
#include "framework/stdctrls.h"
#include "skin/controls/skinned_control.h"
#include "skin/paint/disabled_look.h"

namespace glyphora {

// A single-line edit whose frame and colours come from the skin. The
// platform control keeps painting and editing its text; the frame is drawn
// from the skin data's cache on the non-client paint. Disabled, the whole
// control (frame, background, text blended in) comes from the cache.
class TsEdit : public TsSkinned<TEdit> {
 public:
  explicit TsEdit(TComponent* owner) : TsSkinned<TEdit>(owner, COC_TsEdit, "EDIT", "TSEDIT") {}
  TsDisabledKind DisabledKind = DefaultDisabledKind;
  void WndProc(TMessage& message) override;
  // Frame width drawn from the cache: the window's own border.
  int FrameWidth() const;
  // Frame paints so far (tests).
  int FramePaints() const { return framePaints_; }

 private:
  bool SkinActive() const;
  void PrepareCache();
  void PaintFrame();
  void PaintDisabled(HDC dc);
  int framePaints_ = 0;
};

}  // namespace glyphora
