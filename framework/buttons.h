// The speed button: a windowless push button painted by its parent.
#pragma once
#include "framework/control.h"

namespace glyphora {

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  bool Flat = false;
  TButtonState State() const { return state_; }
  void Paint(TCanvas& canvas) override;
  void WndProc(TMessage& message) override;

 protected:
  void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(TMouseButton button, unsigned shift, int x, int y) override;
  void SetState(TButtonState s);
  // The face without a skin: a raised (or pressed) button with its caption.
  void PaintStandard(TCanvas& canvas);

  TButtonState state_ = TButtonState::bsUp;
  bool dragging_ = false;
};

}  // namespace glyphora
