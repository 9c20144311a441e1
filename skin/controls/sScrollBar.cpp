#include "skin/controls/sScrollBar.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/focus_window.h"

#include "skin/core/sSkinManager.h"
#include "skin/core/skin_content.h"
#include "skin/paint/scroll_paint.h"
#include "skin/paint/section_paint_win.h"

namespace glyphora {

namespace {

constexpr UINT_PTR kRepeatTimer = 1;

bool IsLine(int part) { return part == sbpLineUp || part == sbpLineDown; }
bool IsPage(int part) { return part == sbpPageUp || part == sbpPageDown; }

}  // namespace

TsScrollBar::TsScrollBar(TComponent* owner) : TsSkinned<TScrollBar>(owner, COC_TsScrollBar, "", "TSSCROLLBAR") {}

TsScrollBar::~TsScrollBar() { StopTimer(); }

void TsScrollBar::SetSkinManager(TsSkinManager* m) {
  SkinData->SetSkinManager(m);
  RecreateIfNeeded();
}

void TsScrollBar::Loaded() {
  TsSkinned<TScrollBar>::Loaded();
  RecreateIfNeeded();
}

bool TsScrollBar::WantSkinnedWindow() const {
  TsSkinManager* m = SkinData->SkinManager();
  return m && !m->Destroying() && m->Active() && HasScrollBarSections(m->Content(), Horizontal());
}

void TsScrollBar::RecreateIfNeeded() {
  if (!handle_ || recreating_ || Loading() || Destroying() || WantSkinnedWindow() == skinnedWnd_) return;
  recreating_ = true;
  StopTimer();
  heldPart_ = sbpNone;
  btn1_ = btn2_ = bar1_ = bar2_ = thumb_ = 0;
  RecreateWnd();  // the range and position come back through InitializeWnd
  recreating_ = false;
}

void TsScrollBar::CreateParams(TCreateParams& p) {
  skinnedWnd_ = WantSkinnedWindow();
  if (!skinnedWnd_) {
    TScrollBar::CreateParams(p);
    return;
  }
  TWinControl::CreateParams(p);
  p.WinClassName = L"TsScrollBar";
  p.ClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  p.Style &= ~WS_CLIPCHILDREN;
}

void TsScrollBar::InitializeWnd() {
  if (!skinnedWnd_) {
    TScrollBar::InitializeWnd();
    return;
  }
  SCROLLINFO si{sizeof(si), SIF_ALL, min_, max_, static_cast<UINT>(pageSize_), position_, 0};
  SetInfo(si, false);
}

int32_t TsScrollBar::ArrowLength() const {
  int32_t a = ::GetSystemMetrics(Horizontal() ? SM_CXHSCROLL : SM_CYVSCROLL);
  // A skin whose arrow buttons have a border mask of their own may ask for
  // buttons as long as one state of that mask.
  TsSkinManager* m = SkinData->SkinManager();
  if (m && m->Active()) {
    const TSkinContent& skin = m->Content();
    const int32_t idx = Horizontal() ? skin.ConstData.IndexScrollLeft : skin.ConstData.IndexScrollTop;
    const int32_t mask = Horizontal() ? skin.ConstData.MaskScrollLeft : skin.ConstData.MaskScrollTop;
    if (skin.IsValidSkinIndex(idx) && skin.gd[size_t(idx)].ReservedBoolean && skin.IsValidImgIndex(mask))
      a = std::max(a, Horizontal() ? FrameWidth(skin.ma[size_t(mask)]) : FrameHeight(skin.ma[size_t(mask)]));
  }
  return a;
}

TCtrlBarLayout TsScrollBar::Layout() const {
  return CtrlBarLayout(Length(), ArrowLength(), State(), currPos_, enabled_);
}

int32_t TsScrollBar::Along(LPARAM lParam) const {
  return Horizontal() ? GET_X_LPARAM(lParam) : GET_Y_LPARAM(lParam);
}

int TsScrollBar::PartAt(int32_t along) const { return CtrlPartAt(Layout(), Length(), along); }

bool TsScrollBar::IsHot() const {
  return enabled_ && !Destroying() && (mouseInControl_ || (handle_ && FocusWindow() == handle_));
}

// ---- scroll-bar messages ----

void TsScrollBar::SetInfo(const SCROLLINFO& si, bool redraw) {
  if (si.fMask & SIF_PAGE) fsi_.nPage = si.nPage;
  if (si.fMask & SIF_POS) fsi_.nPos = si.nPos;
  if (si.fMask & SIF_RANGE) {
    fsi_.nMin = si.nMin;
    fsi_.nMax = si.nMax;
    if (fsi_.nMax < fsi_.nMin) fsi_.nMin = fsi_.nMax = 0;
  }
  const int64_t range = int64_t{fsi_.nMax} - fsi_.nMin;
  fsi_.nPage = UINT(std::min<int64_t>(fsi_.nPage, range + 1));
  fsi_.nPos = std::clamp(fsi_.nPos, fsi_.nMin, MaxScrollPos(State()));
  if (thumb_ != 2) currPos_ = fsi_.nPos;
  // A program that sets the bar through the messages moves the control too
  // (without a change notification, as a platform scroll bar sends none).
  min_ = fsi_.nMin;
  max_ = fsi_.nMax;
  position_ = fsi_.nPos;
  pageSize_ = int(fsi_.nPage);
  if (redraw) {
    repaintNeeded_ = true;
    if (!drawingForbidden_) UpdateBar();
  }
}

bool TsScrollBar::HandleScrollBarMessage(TMessage& m) {
  switch (m.Msg) {
    case SBM_SETSCROLLINFO: {
      auto* si = reinterpret_cast<const SCROLLINFO*>(m.LParam);
      if (si) SetInfo(*si, m.WParam != 0);
      m.Result = fsi_.nPos;
      return true;
    }
    case SBM_GETSCROLLINFO: {
      auto* si = reinterpret_cast<SCROLLINFO*>(m.LParam);
      if (!si) return m.Result = FALSE, true;
      if (si->fMask & SIF_PAGE) si->nPage = fsi_.nPage;
      if (si->fMask & SIF_POS) si->nPos = fsi_.nPos;
      if (si->fMask & SIF_RANGE) si->nMin = fsi_.nMin, si->nMax = fsi_.nMax;
      if ((si->fMask & SIF_TRACKPOS) && si->cbSize >= sizeof(SCROLLINFO)) si->nTrackPos = fsi_.nTrackPos;
      m.Result = TRUE;
      return true;
    }
    case SBM_GETPOS: m.Result = fsi_.nPos; return true;
    case SBM_SETPOS: {
      m.Result = fsi_.nPos;
      SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, int(m.WParam), 0};
      SetInfo(si, m.LParam != 0);
      return true;
    }
    case SBM_GETRANGE:
      if (m.WParam) *reinterpret_cast<LPINT>(m.WParam) = fsi_.nMin;
      if (m.LParam) *reinterpret_cast<LPINT>(m.LParam) = fsi_.nMax;
      m.Result = 0;
      return true;
    case SBM_SETRANGE: case SBM_SETRANGEREDRAW: {
      m.Result = fsi_.nPos;
      SCROLLINFO si{sizeof(si), SIF_RANGE, int(m.WParam), int(m.LParam), 0, 0, 0};
      SetInfo(si, m.Msg == SBM_SETRANGEREDRAW);
      return true;
    }
    case SBM_ENABLE_ARROWS: m.Result = TRUE; return true;
    case SBM_GETSCROLLBARINFO: {
      auto* info = reinterpret_cast<SCROLLBARINFO*>(m.LParam);
      if (!info || info->cbSize != sizeof(SCROLLBARINFO)) return m.Result = FALSE, true;
      ::GetWindowRect(handle_, &info->rcScrollBar);
      const TCtrlBarLayout l = Layout();
      info->dxyLineButton = l.Btn1End;
      info->xyThumbTop = l.ThumbStart;
      info->xyThumbBottom = l.ThumbStart + l.ThumbLength;
      const DWORD unavailable = enabled_ ? 0 : STATE_SYSTEM_UNAVAILABLE;
      for (DWORD& s : info->rgstate) s = unavailable;
      if (!l.ThumbFits) info->rgstate[3] |= STATE_SYSTEM_INVISIBLE;
      info->rgstate[2] |= btn1_ == 2 ? STATE_SYSTEM_PRESSED : 0;
      info->rgstate[4] |= thumb_ == 2 ? STATE_SYSTEM_PRESSED : 0;
      info->rgstate[5] |= btn2_ == 2 ? STATE_SYSTEM_PRESSED : 0;
      m.Result = TRUE;
      return true;
    }
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; return true;
  }
  return false;
}

// ---- mouse ----

int& TsScrollBar::StateOf(int part) {
  switch (part) {
    case sbpLineUp: return btn1_;
    case sbpLineDown: return btn2_;
    case sbpPageUp: return bar1_;
    case sbpPageDown: return bar2_;
    default: return thumb_;
  }
}

void TsScrollBar::SetPartState(int part, int state) {
  int& s = StateOf(part);
  if (s == state) return;
  s = state;
  repaintNeeded_ = true;
  if (state < 1) return;
  // One part is active at a time; the track stays hot around it.
  if (IsPage(part)) {
    btn1_ = btn2_ = thumb_ = 0;
    StateOf(part == sbpPageUp ? sbpPageDown : sbpPageUp) = 1;
  } else {
    for (int other : {sbpLineUp, sbpLineDown, sbpThumb})
      if (other != part) StateOf(other) = 0;
    bar1_ = bar2_ = 1;
  }
}

void TsScrollBar::ReportMove(int64_t v) {
  const TScrollState s = State();
  // Positions and steps are added in 64 bits: a range set by another
  // program may reach INT_MIN and INT_MAX, and a page 0x7FFFFFFF.
  currPos_ = int32_t(std::clamp<int64_t>(v, s.Min, MaxScrollPos(s)));
  if (scrollCode_ == SB_THUMBTRACK) {
    if (fsi_.nTrackPos == currPos_ && !beginTrack_) return;
    beginTrack_ = false;
  }
  if (scrollCode_ == SB_THUMBTRACK || scrollCode_ == SB_THUMBPOSITION) fsi_.nTrackPos = currPos_;
  const bool thumbCode = scrollCode_ == SB_THUMBTRACK || scrollCode_ == SB_THUMBPOSITION;
  const WPARAM wParam = MAKEWPARAM(scrollCode_, thumbCode ? currPos_ : 0);
  const UINT msg = Horizontal() ? WM_HSCROLL : WM_VSCROLL;
  // As a platform scroll bar: the parent is told, and reflects it back to
  // the control's own scroll handling.
  HWND parent = handle_ ? ::GetParent(handle_) : nullptr;
  if (parent && TWinControl::FromHandle(parent))
    ::SendMessageW(parent, msg, wParam, reinterpret_cast<LPARAM>(handle_));
  else
    Perform(CN_BASE + msg, wParam, reinterpret_cast<LPARAM>(handle_));
  repaintNeeded_ = true;
  UpdateBar();
}

void TsScrollBar::StartTimer(TimerKind kind, UINT first) {
  timer_ = kind;
  timerFirst_ = true;
  if (handle_) ::SetTimer(handle_, kRepeatTimer, first, nullptr);
}

void TsScrollBar::StopTimer() {
  if (timer_ != tkNone && handle_) ::KillTimer(handle_, kRepeatTimer);
  timer_ = tkNone;
}

void TsScrollBar::MouseDownAt(int32_t along) {
  if (!skinnedWnd_ || !enabled_) return;
  if (CanFocus() && !Focused()) SetFocus();
  mouseOffset_ = 0;
  lastAlong_ = along;
  const int part = PartAt(along);
  heldPart_ = part;
  if (part == sbpNone) return;
  ::SetCapture(handle_);
  const int64_t page = std::max<int64_t>(fsi_.nPage, 1);
  drawingForbidden_ = true;
  scrollCode_ = part == sbpThumb ? SB_THUMBTRACK : part;
  SetPartState(part, 2);
  switch (part) {
    case sbpLineUp: ReportMove(int64_t{currPos_} - 1); StartTimer(tkArrow, kFirstDelay); break;
    case sbpLineDown: ReportMove(int64_t{currPos_} + 1); StartTimer(tkArrow, kFirstDelay); break;
    case sbpPageUp: ReportMove(currPos_ - page); StartTimer(tkTrack, kFirstDelay); break;
    case sbpPageDown: ReportMove(currPos_ + page); StartTimer(tkTrack, kFirstDelay); break;
    case sbpThumb:
      mouseOffset_ = int64_t{CtrlPositionAt(Length(), ArrowLength(), State(), along)} - currPos_;
      beginTrack_ = true;
      ReportMove(currPos_);
      break;
  }
  UpdateBar();
}

void TsScrollBar::MouseMoveAt(int32_t along) {
  lastAlong_ = along;
  if (!skinnedWnd_ || !enabled_) return;
  if (heldPart_ == sbpThumb && thumb_ == 2) {
    const int64_t pos = CtrlPositionAt(Length(), ArrowLength(), State(), along) - mouseOffset_;
    if (pos != currPos_) {
      drawingForbidden_ = true;
      ReportMove(pos);
    }
  } else if (IsLine(heldPart_)) {
    // The held arrow shows pressed (and repeats) only while the mouse is on it.
    SetPartState(heldPart_, PartAt(along) == heldPart_ ? 2 : 0);
  } else if (heldPart_ == sbpNone) {
    const int part = PartAt(along);
    if (part == sbpThumb || IsLine(part)) {
      SetPartState(part, 1);
    } else if (btn1_ || btn2_ || thumb_) {
      btn1_ = btn2_ = thumb_ = 0;
      repaintNeeded_ = true;
    }
  }
  UpdateBar();
}

void TsScrollBar::MouseUpAt(int32_t along, bool inside) {
  StopTimer();
  const int held = std::exchange(heldPart_, sbpNone);
  if (held == sbpNone) return;
  const int under = inside ? PartAt(along) : sbpNone;
  const int hot = IsHot() ? 1 : 0;
  if (held == sbpThumb) {
    scrollCode_ = SB_THUMBPOSITION;
    bar1_ = bar2_ = hot;
    drawingForbidden_ = true;
    ReportMove(currPos_);
    thumb_ = under == sbpThumb ? 1 : 0;
  } else {
    StateOf(held) = under == held && IsLine(held) ? 1 : (IsPage(held) ? hot : 0);
  }
  repaintNeeded_ = true;
  if (::GetCapture() == handle_) ::ReleaseCapture();
  scrollCode_ = SB_ENDSCROLL;
  ReportMove(currPos_);
}

void TsScrollBar::EndAction() {
  StopTimer();
  const int held = std::exchange(heldPart_, sbpNone);
  if (held == sbpNone) return;
  if (held == sbpThumb) {
    scrollCode_ = SB_THUMBPOSITION;
    ReportMove(currPos_);
  }
  btn1_ = btn2_ = bar1_ = bar2_ = thumb_ = 0;
  repaintNeeded_ = true;
  scrollCode_ = SB_ENDSCROLL;
  ReportMove(currPos_);
}

void TsScrollBar::Tick() {
  if (timer_ == tkNone || heldPart_ == sbpNone) {
    StopTimer();
    return;
  }
  if (timerFirst_) {
    timerFirst_ = false;
    ::SetTimer(handle_, kRepeatTimer, kRepeatDelay, nullptr);
  }
  const int64_t page = std::max<int64_t>(fsi_.nPage, 1);
  const int32_t under = CtrlPositionAt(Length(), ArrowLength(), State(), lastAlong_);
  scrollCode_ = heldPart_;
  drawingForbidden_ = true;
  switch (heldPart_) {
    case sbpLineUp: if (btn1_ == 2) ReportMove(int64_t{currPos_} - 1); break;
    case sbpLineDown: if (btn2_ == 2) ReportMove(int64_t{currPos_} + 1); break;
    // Paging pauses once the thumb has reached the cursor.
    case sbpPageUp: if (under < currPos_ && PartAt(lastAlong_) == sbpPageUp) ReportMove(currPos_ - page); break;
    case sbpPageDown: if (under > currPos_ && PartAt(lastAlong_) == sbpPageDown) ReportMove(currPos_ + page); break;
  }
  UpdateBar();
}

// ---- keyboard ----

void TsScrollBar::KeyDown(WORD& key, unsigned shift) {
  if (!skinnedWnd_ || !enabled_) {
    TScrollBar::KeyDown(key, shift);
    return;
  }
  const int64_t page = std::max<int64_t>(fsi_.nPage, 1);
  int code = -1;
  int64_t to = currPos_;
  switch (key) {
    case VK_LEFT: case VK_UP: code = SB_LINEUP; to = int64_t{currPos_} - 1; break;
    case VK_RIGHT: case VK_DOWN: code = SB_LINEDOWN; to = int64_t{currPos_} + 1; break;
    case VK_PRIOR: code = SB_PAGEUP; to = currPos_ - page; break;
    case VK_NEXT: code = SB_PAGEDOWN; to = currPos_ + page; break;
    case VK_HOME: code = SB_TOP; to = fsi_.nMin; break;
    case VK_END: code = SB_BOTTOM; to = fsi_.nMax; break;
    default: TScrollBar::KeyDown(key, shift); return;
  }
  key = 0;
  scrollCode_ = code;
  ReportMove(to);
  scrollCode_ = SB_ENDSCROLL;
  ReportMove(currPos_);
}

// ---- painting ----

void TsScrollBar::UpdateBar() {
  drawingForbidden_ = false;
  if (repaintNeeded_ && handle_ && ::IsWindowVisible(handle_)) {
    WindowDC dc(handle_);
    PaintTo(dc.get());
  }
}

void TsScrollBar::PaintNow() {
  repaintNeeded_ = true;
  UpdateBar();
}

void TsScrollBar::PaintWindow(HDC dc) {
  if (skinnedWnd_) PaintTo(dc);
}

void TsScrollBar::PaintTo(HDC dc) {
  TsSkinManager* m = SkinData->SkinManager();
  if (!dc || !skinnedWnd_ || drawingForbidden_ || !m || !m->Active() || TsSkinManager::SkinLoading() || Loading() ||
      Destroying())
    return;
  repaintNeeded_ = false;
  if (!surface_.SetSize(width_, height_)) return;
  ++paintCount_;
  TBitmap32& bmp = surface_.Pixels();
  TacParentBG info;
  bool please = false;
  TCacheInfo ci;
  if (parent_ && RequestControlBG(info, parent_, please)) {
    ci = ParentBGToCacheInfo(info);
    ci.X += left_;
    ci.Y += top_;
  } else {
    ci = ParentBGToCacheInfo(info);
  }
  const TCtrlBarLayout l = Layout();
  const int hot = IsHot() ? 1 : 0;
  TScrollBarLook look;
  look.Horizontal = Horizontal();
  look.Btn1End = l.Btn1End;
  look.Btn2Start = l.Btn2Start;
  look.Split = l.Centre;
  look.Thumb = l.ThumbFits;
  look.ThumbStart = l.ThumbStart;
  look.ThumbLength = l.ThumbLength;
  look.PressedGlyphShift = true;
  if (enabled_) {
    look.Bar1State = bar1_ ? bar1_ : hot;
    look.Bar2State = bar2_ ? bar2_ : hot;
    look.Btn1State = btn1_;
    look.Btn2State = btn2_;
    look.ThumbState = thumb_;
  }
  PaintScrollBarLook(m->Content(), &bmp, ci, look);
  if (!enabled_) ApplyDisabledKind(&bmp, DisabledKind, ci.FillColor, 0, 0, ci);
  surface_.CopyTo(dc, 0, 0);
}

// ---- messages ----

void TsScrollBar::WndProc(TMessage& m) {
  if (m.Msg == SM_ALPHACMD) {
    const uint16_t code = SkinCommandCode(m.WParam);
    TsSkinned<TScrollBar>::WndProc(m);
    if ((code == SKC_SETNEWSKIN || code == SKC_REMOVESKIN || code == SKC_REFRESH) &&
        SkinCommandForManager(m, SkinData->SkinManager())) {
      RecreateIfNeeded();
      if (skinnedWnd_) PaintNow();
    } else if (code == SKC_PARENTUPDATED && skinnedWnd_) {
      PaintNow();
    }
    return;
  }
  if (!skinnedWnd_ || !handle_) {
    TsSkinned<TScrollBar>::WndProc(m);
    return;
  }
  if (HandleScrollBarMessage(m)) return;
  switch (m.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
      MouseDownAt(Along(m.LParam));
      break;
    case WM_MOUSEMOVE: {
      TsSkinned<TScrollBar>::WndProc(m);  // mouse enter and leave tracking
      MouseMoveAt(Along(m.LParam));
      return;
    }
    case WM_LBUTTONUP: {
      RECT r{0, 0, width_, height_};
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      MouseUpAt(Along(m.LParam), ::PtInRect(&r, p) != 0);
      break;
    }
    case WM_CAPTURECHANGED:
      // Losing the capture mid-press (another window took it, a menu, a
      // message box) ends the action: no repeat keeps scrolling.
      if (reinterpret_cast<HWND>(m.LParam) != handle_) EndAction();
      break;
    case WM_CANCELMODE:
      EndAction();
      if (::GetCapture() == handle_) ::ReleaseCapture();
      break;
    case WM_TIMER:
      if (m.WParam == kRepeatTimer) {
        Tick();
        m.Result = 0;
        return;
      }
      break;
    case CM_MOUSEENTER:
      if (heldPart_ == sbpNone) {
        bar1_ = bar2_ = 1;
        repaintNeeded_ = true;
      }
      TsSkinned<TScrollBar>::WndProc(m);
      UpdateBar();
      return;
    case CM_MOUSELEAVE:
      TsSkinned<TScrollBar>::WndProc(m);
      if (heldPart_ == sbpNone) {
        btn1_ = btn2_ = bar1_ = bar2_ = thumb_ = 0;
        repaintNeeded_ = true;
      }
      UpdateBar();
      return;
    case WM_SETFOCUS: case WM_KILLFOCUS: case CM_ENABLEDCHANGED:
      TsSkinned<TScrollBar>::WndProc(m);
      PaintNow();
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case CN_HSCROLL: case CN_VSCROLL:
      break;
    default:
      break;
  }
  TsSkinned<TScrollBar>::WndProc(m);
}

}  // namespace glyphora
