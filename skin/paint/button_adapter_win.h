// The push-button adapter: a platform BUTTON window (a dialog's or message
// box's button, or a framework button named in the skin manager's lists)
// painted from its skin section ("BUTTON") in its normal, hot, pressed and
// disabled looks, with its caption in the section's colours, its focus
// rectangle, and a cross-fade between looks when the mouse enters, leaves
// or presses it. The platform keeps the button's behaviour (clicks, keys,
// default button, notifications); every time it would draw, it draws
// nothing and the adapter paints from its cache instead.
#pragma once
#include <windows.h>

#include "skin/paint/control_adapter_win.h"
#include "skin/paint/cross_fade.h"

namespace glyphora {

class TacBtnWnd : public TacPaintedWnd {
 public:
  TacBtnWnd(HWND wnd, TsSkinManager* manager, TsCommonData* skinData, const std::string& section,
            bool dialog = false);
  ~TacBtnWnd() override;

  // 2 pressed; 0 disabled; 1 focused, under the mouse or the default
  // button; else 0.
  int CurrentState() const;
  bool Fading() const { return fade_.Running(); }
  // The look of the current state painted into the cache now.
  void PaintLook();
  // The caption's rectangle in a state (centred, one pixel down and right
  // while pressed); empty without a caption.
  TRect32 CaptionRect(HDC dc, int state) const;

  static constexpr UINT_PTR kFadeTimerId = 0x6A18;
  static constexpr UINT kFadeInterval = 10;  // ms a fade step

 protected:
  bool acWndProc(TMessage& m) override;

 private:
  bool Enabled() const;
  HFONT Font() const;
  UINT TextFlags() const;
  // Runs the message on down with the window's redrawing off (the platform
  // draws buttons outside WM_PAINT), then shows the new look.
  void CallQuietly(TMessage& m, bool fade);
  void Paint(HDC dc) override;
  void ShowNow();
  // A state change: a fade from the look on screen when the section fades
  // (`fast` halves its steps), else the new look at once.
  void StateChanged(bool fast);
  void FadeTick();
  void StopFade();
  void MouseEnter();
  void MouseLeave();

  TCrossFade fade_;
  int cacheState_ = -1;  // the state the cache holds (-1: none)
  bool timerOn_ = false;
  bool tracking_ = false;  // leave tracking asked for
};

}  // namespace glyphora
