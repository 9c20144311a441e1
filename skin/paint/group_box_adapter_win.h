// The group-box adapter: a platform group box (a BUTTON with BS_GROUPBOX, in
// a dialog or a framework group box named in the skin manager's lists)
// drawn as its section's frame ("GROUPBOX") from the middle of its caption
// down, with the caption over what the parent shows. Only the frame and the
// caption are painted: the controls inside are the dialog's own windows.
#pragma once
#include <windows.h>

#include "skin/paint/control_adapter_win.h"

namespace glyphora {

class TacGroupBoxWnd : public TacPaintedWnd {
 public:
  TacGroupBoxWnd(HWND wnd, TsSkinManager* manager, TsCommonData* skinData, const std::string& section,
                 bool dialog = false);
  ~TacGroupBoxWnd() override;
  // The frame's rectangle and the caption's, in window coordinates, as
  // last painted.
  const TRect32& FrameRect() const { return frameRect_; }
  const TRect32& TextRect() const { return textRect_; }
  void PaintLook();

 protected:
  bool acWndProc(TMessage& m) override;

 private:
  HFONT Font() const;
  void Paint(HDC dc) override;
  TRect32 frameRect_{}, textRect_{};
  int32_t frameWidth_ = 0;
};

}  // namespace glyphora
