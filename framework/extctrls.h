// Panels, labels and splitters drawn by the framework.
#pragma once
#include "framework/control.h"

namespace glyphora {

enum class TBevelCut { bvNone, bvLowered, bvRaised };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* owner);
  TBevelCut BevelOuter = TBevelCut::bvRaised;
  TBevelCut BevelInner = TBevelCut::bvNone;
  int BevelWidth = 1;
  int BorderWidth = 0;
  TAlignment Alignment = TAlignment::taCenter;
  void SetCtl3D(bool value) { ctl3D_ = value; }
  bool Ctl3D() const { return ctl3D_; }
  // The client area less bevels and border: where aligned children go.
  RECT AlignRect() const override;

 protected:
  void PaintCanvas(TCanvas& canvas) override;
  void DrawBevels(TCanvas& canvas, RECT& r);
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};

class TCustomLabel : public TControl {
 public:
  explicit TCustomLabel(TComponent* owner);
  bool AutoSize = true;
  bool Transparent = false;
  bool ShowAccelChar = true;
  TAlignment Alignment = TAlignment::taLeftJustify;
  void Paint(TCanvas& canvas) override;
  bool PaintsOpaque() const override { return !Transparent; }
  void Loaded() override;
  // The caption as drawn: up to its first NUL character.
  std::wstring DisplayText() const;

 protected:
  void AdjustSize() override;
  void TextChanged() override;
  UINT DrawFlags() const;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};

// Resizes the control it is aligned against by dragging.
class TSplitter : public TControl {
 public:
  explicit TSplitter(TComponent* owner);
  int MinSize = 30;
  void Paint(TCanvas& canvas) override;

 protected:
  void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(TMouseButton button, unsigned shift, int x, int y) override;

 private:
  TControl* FindControl() const;
  TControl* resizing_ = nullptr;
  int downX_ = 0, startWidth_ = 0;
};

}  // namespace glyphora
