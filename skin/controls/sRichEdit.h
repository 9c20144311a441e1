#pragma once
#include <memory>
#include <string>

#include "framework/richedit.h"
#include "skin/controls/skinned_control.h"
#include "skin/paint/control_adapter_win.h"
#include "skin/paint/disabled_look.h"

namespace glyphora {

// A rich edit whose frame and scroll bars come from the skin, painted by an
// edit adapter attached to its window while a skin is active. Its text and
// formatting survive the re-creation of its window (removing the skin
// re-creates it to give the platform's look back).
class TsRichEdit : public TsSkinned<TRichEdit> {
 public:
  explicit TsRichEdit(TComponent* owner);
  ~TsRichEdit() override;
  TsDisabledKind DisabledKind = DefaultDisabledKind;
  // The frame and scroll-bar adapter; none while unskinned.
  TacEditWnd* Adapter() const { return static_cast<TacEditWnd*>(ListSW.get()); }
  void WndProc(TMessage& message) override;

 protected:
  void CreateWnd() override;
  void InitializeWnd() override;
  // A change of the colour alone recolours the text and keeps its
  // formatting; any other change applies the whole font.
  void FontChanged() override;

 private:
  void AttachAdapter();
  static void CALLBACK RecreatePending(HWND, UINT, UINT_PTR id, DWORD);
  // The default character colour: the font colour of the text typed next.
  void SetDefaultTextColor(TColor color);
  // Colours of the section for the enabled state (unless CustomColor).
  void ApplyEnabledColors();
  std::unique_ptr<TacMainWnd> ListSW;
  // The text as rich text while the control waits for its next window.
  std::string savedRtf_;
  bool hasSavedRtf_ = false;
  // The font last applied in full: name, height, style.
  std::wstring appliedName_;
  int appliedHeight_ = 0;
  unsigned appliedStyle_ = ~0u;
};

}  // namespace glyphora
