#pragma once
#include "framework/stdctrls.h"
#include "skin/controls/skinned_control.h"
#include "framework/graphics.h"
#include "skin/paint/disabled_look.h"
#include "skin/paint/scroll_geometry.h"

namespace glyphora {

// A scroll bar control drawn from the skin's scroll-bar sections. Without an
// active skin it is the platform's scroll bar; with one, its window is a
// plain window of its own that draws the arrows, the track halves and the
// thumb, tracks the mouse and the keyboard, and still answers the scroll-bar
// messages (SBM_GETPOS, SBM_GETRANGE, SBM_GETSCROLLINFO, ...) as a platform
// scroll bar does, so that programs reading scroll bars read it too.
class TsScrollBar : public TsSkinned<TScrollBar> {
 public:
  explicit TsScrollBar(TComponent* owner);
  ~TsScrollBar() override;

  TsDisabledKind DisabledKind = DefaultDisabledKind;
  TsSkinManager* SkinManager() const { return SkinData->SkinManager(); }
  void SetSkinManager(TsSkinManager* m);

  // The window is the skinned one (not the platform's scroll bar).
  bool SkinnedWindow() const { return skinnedWnd_; }
  // Repaints, for tests and benchmarks.
  int PaintCount() const { return paintCount_; }
  void PaintNow();

  // Repeat delays of arrows and page clicks, in milliseconds.
  static constexpr UINT kFirstDelay = 500, kRepeatDelay = 50;

  void WndProc(TMessage& m) override;
  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void PaintWindow(HDC dc) override;
  void KeyDown(WORD& key, unsigned shift) override;

 private:
  enum TimerKind { tkNone, tkArrow, tkTrack, tkDrag };
  bool WantSkinnedWindow() const;
  void RecreateIfNeeded();
  bool Horizontal() const { return Kind == TScrollBarKind::sbHorizontal; }
  int32_t Length() const { return Horizontal() ? width_ : height_; }
  int32_t ArrowLength() const;
  TScrollState State() const { return TScrollState{fsi_.nMin, fsi_.nMax, fsi_.nPage, fsi_.nPos}; }
  TCtrlBarLayout Layout() const;
  int32_t Along(LPARAM lParam) const;
  int PartAt(int32_t along) const;

  // Scroll-bar messages of the skinned window; true when handled.
  bool HandleScrollBarMessage(TMessage& m);
  void SetInfo(const SCROLLINFO& si, bool redraw);

  void MouseDownAt(int32_t along);
  void MouseMoveAt(int32_t along);
  void MouseUpAt(int32_t along, bool inside);
  void EndAction();  // the press ends without a mouse-up (capture lost)
  void Tick();
  void StartTimer(TimerKind kind, UINT first);
  void StopTimer();
  // Moves to v (any value: clamped to the positions there are) and tells the parent.
  void ReportMove(int64_t v);
  void SetPartState(int part, int state);
  int& StateOf(int part);
  void UpdateBar();
  void PaintTo(HDC dc);
  bool IsHot() const;

  SCROLLINFO fsi_{sizeof(SCROLLINFO), SIF_ALL, 0, -1, 0, 0, 0};
  int32_t currPos_ = 0;
  bool beginTrack_ = false;
  int btn1_ = 0, btn2_ = 0, bar1_ = 0, bar2_ = 0, thumb_ = 0;
  int heldPart_ = sbpNone;  // the part the left button went down on
  int scrollCode_ = SB_ENDSCROLL;
  int64_t mouseOffset_ = 0;  // positions between the thumb's and the point pressed
  int32_t lastAlong_ = 0;
  TimerKind timer_ = tkNone;
  bool timerFirst_ = false;
  bool repaintNeeded_ = false;
  bool drawingForbidden_ = false;
  bool skinnedWnd_ = false;
  bool recreating_ = false;
  int paintCount_ = 0;
  TDibBitmap surface_;
};

}  // namespace glyphora
