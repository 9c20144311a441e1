#include "skin/paint/button_adapter_win.h"

#include <algorithm>

#include "framework/control.h"
#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/core/animation_state.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_content.h"
#include "skin/paint/disabled_look.h"
#include "skin/paint/frame_fill.h"
#include "skin/paint/section_text_win.h"

namespace glyphora {

namespace {

std::wstring TextOf(HWND wnd) {
  const int len = ::GetWindowTextLengthW(wnd);
  std::wstring s(size_t(std::max(len, 0)) + 1, L'\0');
  s.resize(size_t(std::max(::GetWindowTextW(wnd, s.data(), len + 1), 0)));
  return s;
}

TWinControl* ControlOf(const TsCommonData& d) { return dynamic_cast<TWinControl*>(d.FOwnerControl); }

}  // namespace

TacBtnWnd::TacBtnWnd(HWND wnd, TsSkinManager* manager, TsCommonData* skinData, const std::string& section,
                     bool dialog)
    : TacPaintedWnd(wnd, manager, skinData, section.empty() ? std::string("BUTTON") : section, dialog) {}

TacBtnWnd::~TacBtnWnd() {
  StopFade();
  skinData_->RemoveGlow();
  Detach();
}

bool TacBtnWnd::Enabled() const {
  if (TWinControl* c = ControlOf(*skinData_)) return c->Enabled();
  return ::IsWindowEnabled(wnd_) != FALSE;
}

HFONT TacBtnWnd::Font() const {
  auto font = reinterpret_cast<HFONT>(::SendMessageW(wnd_, WM_GETFONT, 0, 0));
  return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

int TacBtnWnd::CurrentState() const {
  const LRESULT st = ::SendMessageW(wnd_, BM_GETSTATE, 0, 0);
  if (st & BST_PUSHED) return 2;
  if (!Enabled()) return 0;
  if (::GetFocus() == wnd_ || skinData_->FMouseAbove) return 1;
  return (::GetWindowLongW(wnd_, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 1 : 0;
}

UINT TacBtnWnd::TextFlags() const {
  const LONG style = ::GetWindowLongW(wnd_, GWL_STYLE);
  UINT flags = DT_CENTER | DT_EXPANDTABS;
  // A multi-line button wraps its caption; any other keeps it on one line.
  flags |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
  if (::GetWindowLongW(wnd_, GWL_EXSTYLE) & WS_EX_RTLREADING) flags |= DT_RTLREADING;
  // Access keys are underlined once the keyboard is used, as the platform does.
  if (::SendMessageW(wnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) flags |= DT_HIDEPREFIX;
  return flags;
}

TRect32 TacBtnWnd::CaptionRect(HDC dc, int state) const {
  RECT wr;
  if (caption_.empty() || !::GetWindowRect(wnd_, &wr)) return {};
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  const int maxWidth = std::max(0, w - 2);
  RECT mr{0, 0, maxWidth, 0};
  SelectGuard font(dc, Font());
  ::DrawTextW(dc, caption_.c_str(), int(caption_.size()), &mr, (TextFlags() & ~DT_VCENTER) | DT_CALCRECT);
  const int tw = std::min<int>(mr.right - mr.left, maxWidth), th = std::min<int>(mr.bottom - mr.top, h);
  TRect32 r{(w - tw) / 2, (h - th) / 2, (w - tw) / 2 + tw, (h - th) / 2 + th};
  if (state == 2) r = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  return r;
}

void TacBtnWnd::PaintLook() {
  TsCommonData& d = *skinData_;
  const int state = CurrentState();
  TCacheInfo behind;
  if (!PaintSectionOverParent(state, &behind)) return;
  TBitmap32* px = d.CachePixels();
  HDC dc = d.CacheDC();
  if (!px || !dc) return;
  ::GdiFlush();
  const bool enabled = Enabled();
  const TRect32 text = CaptionRect(dc, state);
  if (RectWidth(text) > 0) {
    SelectGuard font(dc, Font());
    DrawSectionText(dc, caption_, enabled, state != 0, d, TextFlags() & ~DT_VCENTER, text);
    ::GdiFlush();
    const TsGeneralData* g = d.Section();
    const LRESULT st = ::SendMessageW(wnd_, BM_GETSTATE, 0, 0);
    const bool focusShown = !(::SendMessageW(wnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
    if (enabled && (st & BST_FOCUS) && focusShown && g && g->ShowFocus)
      DrawDottedFrame32(px, {text.Left - 1, text.Top - 1, text.Right + 1, text.Bottom + 1}, clBtnFace, clBlack);
  }
  // A framework control's disabled look was applied with its section.
  if (!enabled && !ControlOf(d)) ApplyDisabledKind(px, dkBlended, d.GetBGColor(0, wnd_), 0, 0, behind);
  cacheState_ = state;
  d.MarkBGCurrent();
}

void TacBtnWnd::Paint(HDC dc) {
  if (fade_.Running()) {
    DrawBitmap32(dc, 0, 0, fade_.Frame());
    return;
  }
  if (skinData_->BGChanged || cacheState_ != CurrentState()) PaintLook();
  if (const TBitmap32* px = skinData_->CachePixels()) DrawBitmap32(dc, 0, 0, *px);
}

void TacBtnWnd::ShowNow() {
  if (::IsWindowVisible(wnd_)) ::RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TacBtnWnd::StateChanged(bool fast) {
  TsCommonData& d = *skinData_;
  const TsGeneralData* g = d.Section();
  TBitmap32* cache = d.CachePixels();
  const int newState = CurrentState();
  const bool canFade = g && g->FadingEnabled && ::IsWindowVisible(wnd_) && !TsSkinManager::SkinLoading() &&
                       !TsSkinManager::NewSkinBroadcast() && !SessionEnding() && !d.BGChanged && cache &&
                       !cache->Empty() && (fade_.Running() || cacheState_ != newState);
  int steps = g ? g->FadingIterations : 0;
  if (fast) steps /= 2;
  if (!canFade || steps < 1) {
    StopFade();
    d.MarkBGChanged();
    ShowNow();
    return;
  }
  // The look on screen now: the running fade's frame, else the cache.
  const bool running = fade_.Running();
  TBitmap32 shown = running ? fade_.Frame() : *cache;
  PaintLook();
  cache = d.CachePixels();
  if (!cache || cache->Width() != shown.Width() || cache->Height() != shown.Height()) {
    StopFade();
    ShowNow();
    return;
  }
  if (running) fade_.Restart(shown, steps, false); else fade_.Start(shown, steps);
  if (!timerOn_) {
    timerOn_ = ::SetTimer(wnd_, kFadeTimerId, kFadeInterval, nullptr) != 0;
    if (timerOn_) FadeTimerStarted();
  }
  FadeTick();
}

void TacBtnWnd::FadeTick() {
  TBitmap32* target = skinData_->CachePixels();
  if (!timerOn_ || !target || !fade_.Advance(*target)) {
    StopFade();
    ShowNow();
    return;
  }
  if (::IsWindowVisible(wnd_)) {
    WindowDC dc(wnd_);
    if (dc.get()) DrawBitmap32(dc.get(), 0, 0, fade_.Frame());
  }
}

void TacBtnWnd::StopFade() {
  fade_.Stop();
  if (!timerOn_) return;
  ::KillTimer(wnd_, kFadeTimerId);
  timerOn_ = false;
  FadeTimerEnded();
}

void TacBtnWnd::MouseEnter() {
  TsCommonData& d = *skinData_;
  POINT p;
  RECT wr;
  if (d.FMouseAbove || !::GetCursorPos(&p) || !::GetWindowRect(wnd_, &wr) || !::PtInRect(&wr, p)) return;
  d.FMouseAbove = true;
  StateChanged(false);
  d.UpdateGlow(false, wnd_);
}

void TacBtnWnd::MouseLeave() {
  TsCommonData& d = *skinData_;
  if (!d.FMouseAbove) return;
  d.RemoveGlow();
  d.FMouseAbove = false;
  StateChanged(false);
}

void TacBtnWnd::CallQuietly(TMessage& m, bool fade) {
  const bool visible = ::IsWindowVisible(wnd_) != FALSE;
  if (visible) ::DefWindowProcW(wnd_, WM_SETREDRAW, FALSE, 0);
  CallPrev(m);
  if (visible) ::DefWindowProcW(wnd_, WM_SETREDRAW, TRUE, 0);
  if (fade) {
    StateChanged(true);
  } else {
    StopFade();
    skinData_->MarkBGChanged();
    ShowNow();
  }
}

bool TacBtnWnd::acWndProc(TMessage& m) {
  if (!Skinned()) return TacPaintedWnd::acWndProc(m);
  TsSkinManager* def = TsSkinManager::DefaultManager();
  switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_PRINT:
      return PaintMessage(m);
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      m.Result = 1;
      return true;
    case WM_TIMER:
      if (m.WParam != kFadeTimerId) return false;
      FadeTick();
      m.Result = 0;
      return true;
    case BM_SETSTATE:
      // Pressed or released: a short fade; the glow goes while pressed.
      if (m.WParam) skinData_->RemoveGlow();
      CallQuietly(m, true);
      if (!m.WParam && skinData_->FMouseAbove) skinData_->UpdateGlow(false, wnd_);
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      CallQuietly(m, true);
      return true;
    case WM_ENABLE:
    case WM_SETTEXT:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_UPDATEUISTATE:
      CallQuietly(m, false);
      if (m.Msg == WM_SETTEXT) caption_ = TextOf(wnd_);
      return true;
    case WM_SIZE:
    case WM_MOVE: {
      skinData_->MarkBGChanged();
      StopFade();
      return TacPaintedWnd::acWndProc(m);
    }
    case WM_MOUSEMOVE: {
      TacMainWnd::acWndProc(m);  // makes the window the active control
      CallPrev(m);
      if (!tracking_) tracking_ = TrackMouseLeave(wnd_);
      return true;
    }
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (def && def->ActiveControl() == wnd_) def->ChangeActiveControl(nullptr);
      MouseLeave();  // also when the window was no longer the active control
      return false;
    case WM_DESTROY:
      StopFade();
      return TacPaintedWnd::acWndProc(m);
  }
  if (m.Msg == SM_ALPHACMD) {
    switch (SkinCommandCode(m.WParam)) {
      case SKC_MOUSEENTER:
        MouseEnter();
        return false;
      case SKC_MOUSELEAVE:
        MouseLeave();
        return false;
      case SKC_SETNEWSKIN:
      case SKC_REFRESH:
      case SKC_REMOVESKIN:
        StopFade();
        skinData_->RemoveGlow();
        cacheState_ = -1;
        break;
    }
  }
  return TacPaintedWnd::acWndProc(m);
}

}  // namespace glyphora
