// The skinned list box base: always owner-drawn at a fixed item height, so
// that the skinned and the plain look both come from DrawItem. While a skin
// is active the list paints every row and the uncovered background itself,
// off-screen, and an edit adapter draws its frame and scroll bars.
#pragma once
#include <memory>

#include "framework/stdctrls.h"
#include "skin/controls/skinned_control.h"
#include "skin/paint/control_adapter_win.h"
#include "skin/paint/disabled_look.h"

namespace glyphora {

class TsCustomListBox : public TsSkinned<TCustomListBox> {
 public:
  explicit TsCustomListBox(TComponent* owner);
  ~TsCustomListBox() override;
  // False keeps a disabled scroll bar visible when nothing scrolls.
  bool AutoHideScroll() const { return FAutoHideScroll; }
  void SetAutoHideScroll(bool value);
  TsDisabledKind DisabledKind = DefaultDisabledKind;
  // Fired when the list has scrolled by its bar, before it is repainted.
  TNotifyEvent OnScroll;
  // The frame and scroll-bar adapter; none while unskinned.
  TacEditWnd* Adapter() const { return static_cast<TacEditWnd*>(ListSW.get()); }
  // Rows drawn so far (tests and benchmarks count them).
  int RowsDrawn() const { return rowsDrawn_; }
  bool SkinActive() const;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  bool FAutoHideScroll = true;
  int rowsDrawn_ = 0;

 private:
  void AttachAdapter();
  // The adapter paints the scroll bars from the skin.
  bool BarsSkinned() const;
  void PaintSkinned(HDC dc);
  // A wheel step with those queued behind it, redrawing off.
  void TurnWheel(TMessage& m);
  void RedrawSelection();
  std::unique_ptr<TacMainWnd> ListSW;
};

}  // namespace glyphora
