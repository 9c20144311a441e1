// The caption buttons' states, shared by skinned forms and skinned dialogs:
// which button is hot or pressed, the mouse messages that change that, the
// fades between a button's looks on a window timer, and the glow shown
// around the hot button. The owner paints the looks into its frame image and
// copies them to the screen.
#pragma once
#include <windows.h>

#include <array>

#include "base/bitmap32.h"
#include "framework/messages.h"
#include "skin/forms/frame_geometry.h"

namespace glyphora {

class TSkinContent;
class TsSkinManager;

// What the strip asks of the window whose caption it serves.
class TCaptionStripHost {
 public:
  virtual ~TCaptionStripHost() = default;
  // The window: its timer drives the fades, its capture holds a press.
  virtual HWND StripWindow() const = 0;
  // A window of the owner (its own or one of its border's).
  virtual bool StripOwnsWindow(HWND wnd) const = 0;
  // The frame's hit code at a screen point.
  virtual int StripHitTest(POINT screen) = 0;
  // The frame image is current for the button: its look can change there
  // now (else the next frame paint shows the state).
  virtual bool ButtonPaintable(TCaptionButtonKind kind) = 0;
  // The look the frame image shows now, and the look of `state` over the
  // button's background.
  virtual void ReadButton(TCaptionButtonKind kind, TBitmap32& out) = 0;
  virtual void RenderButton(TCaptionButtonKind kind, int state, TBitmap32& out) = 0;
  // Puts a look into the frame image, and copies the buttons of `mask`
  // (bit per kind) to the screen.
  virtual void PutButton(TCaptionButtonKind kind, const TBitmap32& look) = 0;
  virtual void ShowButtons(unsigned mask) = 0;
  // Shows the glow of a hot button; its id or -1 (none).
  virtual int32_t ShowButtonGlow(TCaptionButtonKind kind, int32_t* slot) = 0;
  // A fade was cut halfway: the frame image holds a mixed look.
  virtual void FadeCut() = 0;
};

class TCaptionButtonStrip {
 public:
  static constexpr UINT_PTR kFadeTimerId = 0x6A17;
  static constexpr UINT kFadeInterval = 12;  // ms a fade step
  static constexpr int kFadeSteps = 10;

  explicit TCaptionButtonStrip(TCaptionStripHost& host) : host_(host) {}
  ~TCaptionButtonStrip();
  TCaptionButtonStrip(const TCaptionButtonStrip&) = delete;
  TCaptionButtonStrip& operator=(const TCaptionButtonStrip&) = delete;

  // 0 normal, 1 hot, 2 pressed.
  int State(TCaptionButtonKind kind) const { return buttons_[kind].State; }
  int32_t Glow(TCaptionButtonKind kind) const { return buttons_[kind].GlowID; }
  TCaptionButtonKind Hot() const { return hot_; }
  TCaptionButtonKind Pressed() const { return pressed_; }
  bool Fading() const;

  // Makes a button hot (cbCount: none): the old one fades out, the new one
  // fades in, or shows its glow while the frame keeps its normal look.
  void SetHot(TCaptionButtonKind kind);
  // Changes a button's look, in `steps` fade steps (1: at once).
  void SetState(TCaptionButtonKind kind, int state, int steps);
  // A press on a button: it holds the mouse until released.
  void Press(TCaptionButtonKind kind);
  // Ends a press (the button back to normal, the mouse let go); the button
  // that was pressed, cbCount when none was.
  TCaptionButtonKind EndPress();
  // Non-client moves and leaving make buttons hot; a move while pressed
  // shows whether the pointer is still over the button; a lost capture
  // ends a press; the fade timer steps the fades. True when answered.
  bool HandleMouse(TMessage& m);
  void FadeTick();
  void StopFades();
  void RemoveGlows();
  // Every button normal, none hot or pressed (the skin is gone).
  void Reset();
  // After a frame paint: keeps the finished caption under `stripRect` of
  // `frame` in `strip` (a button repaints over it alone), then puts every
  // button of `layout` in its state into the frame image.
  void PaintButtons(const TBitmap32& frame, const TFrameLayout& layout, const TRect32& stripRect, TBitmap32& strip);

 private:
  struct TButton {
    int State = 0;
    int32_t GlowID = -1;  // the hot button's glow window
    // A fade from the look shown when it began to the look of State.
    int Level = 0, Steps = 0;
    TBitmap32 From, To;
  };
  void UpdateGlow(TCaptionButtonKind kind, bool hot);

  TCaptionStripHost& host_;
  std::array<TButton, cbCount> buttons_;
  TCaptionButtonKind hot_ = cbCount;      // hot or pressed button
  TCaptionButtonKind pressed_ = cbCount;  // pressed and holding the mouse
  bool tracking_ = false;                 // leave tracking of the frame asked for
  bool timerOn_ = false;
  HWND timerWnd_ = nullptr;               // the window the fade timer was set on
};

// The look of a caption button in `state` for frame layout `l`: the kept
// caption strip behind it (else the frame image), the skin's image over it,
// half transparent in the normal state when the frame is inactive or the
// button disabled.
void RenderCaptionButton(const TFrameLayout& l, TCaptionButtonKind kind, int state, const TBitmap32& frame,
                         const TBitmap32& strip, const TRect32& stripRect, TSkinContent* skin, int image, bool active,
                         TBitmap32& out);
// The button's pixels of the frame image, and a look put back there.
void ReadCaptionButton(const TBitmap32& frame, const TRect32& r, TBitmap32& out);
void PutCaptionButton(TBitmap32& frame, const TRect32& r, const TBitmap32& look);

// Shows the skin's glow around a hot close, maximise or minimise button at
// screen rectangle `r` (just above `owner`); -1 when the manager allows no
// glows or the skin has none for it.
int32_t ShowCaptionButtonGlow(TsSkinManager* manager, TSkinContent* skin, TCaptionButtonKind kind, bool maximized,
                              const TRect32& r, HWND owner, int32_t* slot);

}  // namespace glyphora
