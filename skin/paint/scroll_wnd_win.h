// The window scroll bars of a standard window drawn and operated by the skin:
// the adapter hooks the window, hides its native bars from the platform's
// non-client layout and painting, reserves the same space itself, paints the
// bars from the skin's scroll-bar sections and does the mouse work of a
// scroll bar (arrows and page clicks with auto-repeat, thumb dragging, hot
// parts), sending the window the WM_HSCROLL / WM_VSCROLL requests the native
// bars would. The range and position stay the window's own and are read
// with GetScrollInfo every time.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/window_hook.h"
#include "framework/graphics.h"
#include "skin/paint/scroll_geometry.h"

namespace glyphora {

class TsSkinManager;

class TacScrollWnd {
 public:
  // Hooks wnd; the frame is recomputed at once so the bars take their space.
  TacScrollWnd(HWND wnd, TsSkinManager* manager);
  // Unhooks and lets the window lay out and paint its native bars again.
  ~TacScrollWnd();
  TacScrollWnd(const TacScrollWnd&) = delete;
  TacScrollWnd& operator=(const TacScrollWnd&) = delete;

  // The adapter attached to a window, or nullptr.
  static TacScrollWnd* Of(HWND wnd);
  HWND Window() const { return wnd_; }

  // Re-reads both bars' scroll information; with repaint, paints them now.
  void UpdateScrollBars(bool repaint);
  // Paints both visible bars and the corner into dc (the window DC when null).
  void NcPaintScrollBars(HDC dc);

  // Screen rectangle of a bar (empty when it is not shown).
  RECT BarRect(int bar) const;
  bool BarVisible(int bar) const { return bars_[bar].Visible; }
  // The pixels last painted for a bar, and how many times bars were painted.
  const TBitmap32& BarPixels(int bar) { return bars_[bar].Surface.Pixels(); }
  int PaintCount() const { return paintCount_; }
  // The skin has the scroll-bar sections: the bars are ours to lay out and paint.
  bool BarsSkinned() const;

  // Auto-repeat of arrows and page clicks, in milliseconds.
  static constexpr UINT kFirstDelay = 300, kRepeatDelay = 55;

 private:
  struct TBar {
    bool Styled = false, Visible = false;
    SCROLLINFO Info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    TDibBitmap Surface;
  };
  bool Proc(TMessage& m);
  // The window's own handling, counted as one level of nesting; false when
  // it freed the adapter.
  bool CallNextCounted(TMessage& m);
  // Repaints the bars after a message when it may have changed them.
  void AfterMessage(UINT msg);
  void RemoveOwnProperty();
  void CallWithoutScrollStyles(TMessage& m);
  void NcCalcSize(TMessage& m);
  LRESULT HitTest(POINT screen) const;
  bool Active(int bar) const;
  int32_t Thickness(int bar) const;
  int32_t ArrowLength(int bar) const;
  int32_t AlongIn(int bar, POINT screen) const;
  int32_t BarLength(int bar) const;
  bool ReadInfo(int bar);
  bool InfoChanged();
  void PaintBar(HDC dc, int bar);
  void PaintCorner(HDC dc);

  void Press(int bar, POINT screen);
  void TrackMouse(POINT screen);
  void Finish(bool released);
  void RepeatTick();
  void SendScroll(int code, int32_t pos);
  void SetHot(int bar, int part);

  HWND wnd_;
  TsSkinManager* manager_;
  TWindowHook hook_;
  TBar bars_[2];  // SB_HORZ, SB_VERT
  TDibBitmap corner_;
  bool leftScrollbar_ = false;
  RECT edges_{0, 0, 0, 0};  // the window's own border widths
  bool preventStyleChange_ = false;
  // The frame was last laid out with the bars' space reserved by us (not
  // by the platform for its native bars).
  bool layoutSkinned_ = false;
  // Messages of the window being handled, one inside another, and whether
  // one of them may have let the platform paint its native bars.
  int depth_ = 0;
  bool barsStale_ = false;
  // False once the adapter is gone, for a handler that outlived it.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  int paintCount_ = 0;

  // What the mouse is doing to a bar.
  int trackBar_ = -1;
  int clickedPart_ = sbpNone, shownPart_ = sbpNone;
  UINT_PTR timer_ = 0;
  bool dragging_ = false;
  int32_t dragThumbLength_ = 0, dragThumbOffset_ = 0, mouseToThumb_ = 0, lastPos_ = 0;
  int hotBar_ = -1, hotPart_ = sbpNone;
  bool trackingLeave_ = false;
};

}  // namespace glyphora
