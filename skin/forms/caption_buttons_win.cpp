// The caption buttons of the form's skin provider: hot tracking with leave
// tracking of the frame, presses that hold the mouse until released, the
// system commands they give, and the fades between their looks.
#include <windowsx.h>

#include "skin/forms/exborder_win.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/blend.h"

namespace glyphora {

namespace {
TCaptionButtonKind KindOfHitCode(WPARAM code) {
  switch (code) {
    case kHtClose: return cbClose;
    case kHtMaxButton: return cbMax;
    case kHtMinButton: return cbMin;
    case kHtHelp: return cbHelp;
    default: return cbCount;
  }
}

}  // namespace

int TsSkinProvider::HitTestScreen(POINT p) {
  RECT wr;
  if (!::GetWindowRect(Wnd(), &wr)) return kHtNowhere;
  UpdateLayout();
  const POINT o = ImageOrigin();
  if (border_) return ExBorderHitTest(layout_, exLayout_, p.x - o.x, p.y - o.y);
  return FrameHitTest(layout_, p.x - o.x, p.y - o.y);
}

void TsSkinProvider::BorderMouseMove(int32_t code) {
  if (pressed_ == cbCount && !dragCode_) SetHot(KindOfHitCode(static_cast<WPARAM>(code)));
}

bool TsSkinProvider::ButtonFading() const {
  for (const TButton& b : buttons_)
    if (b.Steps > 0) return true;
  return false;
}

bool TsSkinProvider::HandleMouse(TMessage& m) {
  HWND w = Wnd();
  switch (m.Msg) {
    case WM_NCMOUSEMOVE:
      if (pressed_ == cbCount) SetHot(KindOfHitCode(m.WParam));
      // Without non-client leave tracking a pointer that leaves over the
      // top edge is never seen and the button stays hot.
      if (!tracking_) tracking_ = TrackMouseLeave(w, true);
      return false;
    case WM_NCMOUSELEAVE:
      tracking_ = false;
      if (pressed_ == cbCount) SetHot(cbCount);
      return false;
    case WM_MOUSEMOVE:
      if (dragCode_) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ::ClientToScreen(w, &p);
        MoveOutline(p);
        m.Result = 0;
        return true;
      }
      if (pressed_ != cbCount) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ::ClientToScreen(w, &p);
        SetButtonState(pressed_, KindOfHitCode(HitTestScreen(p)) == pressed_ ? 2 : 0, 1);
        m.Result = 0;
        return true;
      }
      if (hot_ != cbCount) SetHot(cbCount);
      return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      const TCaptionButtonKind k = KindOfHitCode(m.WParam);
      if (k != cbCount) {
        // The mouse is held so that a release anywhere comes back here.
        RemoveButtonGlows();
        hot_ = pressed_ = k;
        SetButtonState(k, 2, 1);
        ::SetCapture(w);
        m.Result = 0;
        return true;
      }
      if (m.Msg == WM_NCLBUTTONDOWN &&
          StartOutlineDrag(static_cast<int>(m.WParam), POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)})) {
        m.Result = 0;
        return true;
      }
      if (m.Msg == WM_NCLBUTTONDBLCLK && m.WParam == HTCAPTION) {
        m.Result = 0;
        if (const WPARAM cmd = CaptionDoubleClickCommand()) ::PostMessageW(w, WM_SYSCOMMAND, cmd, 0);
        return true;
      }
      return false;
    }
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: {
      if (dragCode_) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (m.Msg == WM_LBUTTONUP) ::ClientToScreen(w, &p);
        MoveOutline(p);
        EndOutlineDrag(true);
        m.Result = 0;
        return true;
      }
      if (pressed_ == cbCount) return false;
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      if (m.Msg == WM_LBUTTONUP) ::ClientToScreen(w, &p);
      m.Result = 0;
      Release(p);  // may close the form: nothing follows
      return true;
    }
    case WM_KEYDOWN:
      if ((pressed_ != cbCount || dragCode_) && m.WParam == VK_ESCAPE) {
        ::ReleaseCapture();  // the capture change cancels the press
        m.Result = 0;
        return true;
      }
      return false;
    case WM_CAPTURECHANGED:
      if (dragCode_ && reinterpret_cast<HWND>(m.LParam) != w) EndOutlineDrag(false);
      if (pressed_ != cbCount && reinterpret_cast<HWND>(m.LParam) != w) {
        const TCaptionButtonKind k = pressed_;
        pressed_ = hot_ = cbCount;
        SetButtonState(k, 0, 1);
      }
      return false;
    default:
      return false;
  }
}

WPARAM TsSkinProvider::CaptionDoubleClickCommand() {
  // As the caption's buttons: only a form that shows them and may be
  // maximised toggles between maximised and restored. The style may have
  // changed since the layout was made.
  layoutValid_ = false;
  const TFrameInput& in = Layout().In;
  if (!in.ButtonVisible[cbClose]) return 0;
  // A maximised form's button restores it, enabled as the restore command.
  if (in.Maximized) return in.RestoreEnabled || in.ButtonEnabled[cbMax] ? SC_RESTORE : 0;
  return in.ButtonEnabled[cbMax] ? SC_MAXIMIZE : 0;
}

void TsSkinProvider::Release(POINT p) {
  HWND w = Wnd();
  const TCaptionButtonKind k = pressed_;
  pressed_ = cbCount;
  // The button acts only when the release is over it.
  const bool over = KindOfHitCode(HitTestScreen(p)) == k;
  if (::GetCapture() == w) ::ReleaseCapture();
  hot_ = cbCount;
  SetButtonState(k, 0, 1);
  if (!over) return;
  switch (k) {
    case cbMin:
      ::SendMessageW(w, WM_SYSCOMMAND, ::IsIconic(w) ? SC_RESTORE : SC_MINIMIZE, 0);
      break;
    case cbMax:
      ::SendMessageW(w, WM_SYSCOMMAND, ::IsZoomed(w) ? SC_RESTORE : SC_MAXIMIZE, 0);
      break;
    case cbClose:
      // Posted: closing may free the form, and this provider with it.
      ::PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case cbHelp:
      ::PostMessageW(w, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
      break;
    default:
      break;
  }
}

bool TsSkinProvider::StartOutlineDrag(int code, POINT p) {
  HWND w = Wnd();
  const bool sizing = code >= kHtLeft && code <= kHtBottomRight;
  if (ResizeMode != TsResizeMode::rmBorder || dragCode_ || !(sizing || code == kHtCaption) || ::IsZoomed(w) ||
      ::IsIconic(w) || !::IsWindowEnabled(w))
    return false;
  RECT r;
  if (!::GetWindowRect(w, &r)) return false;
  dragCode_ = code;
  dragStart_ = p;
  dragFrom_ = dragRect_ = {r.left, r.top, r.right, r.bottom};
  ::SetCapture(w);
  InvertOutline(dragRect_);
  return true;
}

void TsSkinProvider::MoveOutline(POINT p) {
  const TRect32 next = DragOutlineRect(dragFrom_, dragCode_, p.x - dragStart_.x, p.y - dragStart_.y,
                                       form_ ? form_->Constraints.MinWidth : 0,
                                       form_ ? form_->Constraints.MinHeight : 0);
  if (next == dragRect_) return;
  InvertOutline(dragRect_);  // inverting again erases it
  dragRect_ = next;
  InvertOutline(dragRect_);
}

// Ends a drag: with `apply` the form takes the outline's place; a lost
// capture or Escape leaves it where it was.
void TsSkinProvider::EndOutlineDrag(bool apply) {
  if (!dragCode_) return;
  InvertOutline(dragRect_);
  dragCode_ = 0;
  HWND w = Wnd();
  if (::GetCapture() == w) ::ReleaseCapture();
  if (apply && !(dragRect_ == dragFrom_))
    ::MoveWindow(w, dragRect_.Left, dragRect_.Top, RectWidth(dragRect_), RectHeight(dragRect_), TRUE);
}

void TsSkinProvider::InvertOutline(const TRect32& r) {
  WindowDC screen(nullptr);
  HDC dc = screen.get();
  if (!dc) return;
  constexpr int b = 3;
  const int w = RectWidth(r), h = RectHeight(r);
  ::PatBlt(dc, r.Left, r.Top, w, b, DSTINVERT);
  ::PatBlt(dc, r.Left, r.Bottom - b, w, b, DSTINVERT);
  ::PatBlt(dc, r.Left, r.Top + b, b, h - 2 * b, DSTINVERT);
  ::PatBlt(dc, r.Right - b, r.Top + b, b, h - 2 * b, DSTINVERT);
}

void TsSkinProvider::SetHot(TCaptionButtonKind k) {
  if (k == hot_) return;
  const TCaptionButtonKind old = hot_;
  hot_ = k;
  if (old != cbCount) {
    // A button under a glow kept its normal look in the frame.
    const bool glowed = buttons_[old].GlowID >= 0;
    UpdateButtonGlow(old, false);
    if (glowed && buttons_[old].State == 1) buttons_[old].State = 0;
    else SetButtonState(old, 0, kFadeSteps);
  }
  if (k == cbCount) return;
  // The glow window shows the hot look at once and covers the button, so
  // the frame keeps the normal look under it: the hover costs no upload of
  // the frame.
  UpdateButtonGlow(k, true);
  if (buttons_[k].GlowID >= 0 && buttons_[k].State == 0 && buttons_[k].Steps == 0) buttons_[k].State = 1;
  else SetButtonState(k, 1, kFadeSteps);
}

void TsSkinProvider::SetButtonState(TCaptionButtonKind k, int state, int steps) {
  TButton& b = buttons_[k];
  if (b.State == state) return;
  b.State = state;
  const TRect32& r = layout_.Buttons[k];
  const TBitmap32& pix = frame_;
  if (!layoutValid_ || RectWidth(r) <= 0 || pix.Width() != layout_.In.Width || pix.Height() != layout_.In.Height ||
      SkinData->BGChanged)
    return;  // the next frame paint shows it
  // The fade starts from what is shown now, also halfway through another.
  if (steps > 1) {
    b.From.SetSizeForOverwrite(RectWidth(r), RectHeight(r));
    for (int32_t y = 0; y < b.From.Height(); ++y)
      for (int32_t x = 0; x < b.From.Width(); ++x)
        b.From.SetPixel(x, y, pix.Contains(r.Left + x, r.Top + y) ? pix.Pixel(r.Left + x, r.Top + y) : 0);
  }
  RenderButton(k, state, b.To);
  if (steps <= 1) {
    b.Steps = 0;
    PutButton(k, b.To);
    ShowButtons(1u << k);
    return;
  }
  b.Level = 0;
  b.Steps = steps;
  if (!timerOn_) timerOn_ = ::SetTimer(Wnd(), kFadeTimerId, kFadeInterval, nullptr) != 0;
  if (!timerOn_) FadeTick();  // no timer: show the end at once
}

void TsSkinProvider::FadeTick() {
  unsigned shown = 0;
  bool running = false;
  TBitmap32 mix;
  for (int k = 0; k < cbCount; ++k) {
    TButton& b = buttons_[k];
    if (b.Steps <= 0) continue;
    b.Level = timerOn_ ? b.Level + 1 : b.Steps;
    shown |= 1u << k;
    if (b.Level >= b.Steps) {
      b.Steps = 0;
      PutButton(static_cast<TCaptionButtonKind>(k), b.To);
      continue;
    }
    running = true;
    mix.SetSizeForOverwrite(b.To.Width(), b.To.Height());
    MixBitmaps(&mix, &b.To, &b.From, ClampByte(b.Level * 255 / b.Steps));
    PutButton(static_cast<TCaptionButtonKind>(k), mix);
  }
  ShowButtons(shown);
  if (running) return;
  if (timerOn_) ::KillTimer(Wnd(), kFadeTimerId);
  timerOn_ = false;
  // A pointer that left while the button faded in leaves it hot no longer.
  POINT p;
  if (hot_ != cbCount && pressed_ == cbCount && ::GetCursorPos(&p) &&
      (!OwnsWindow(::WindowFromPoint(p)) || KindOfHitCode(HitTestScreen(p)) != hot_))
    SetHot(cbCount);
}

void TsSkinProvider::StopFades() {
  if (timerOn_ && Wnd()) ::KillTimer(Wnd(), kFadeTimerId);
  timerOn_ = false;
  for (TButton& b : buttons_) {
    if (b.Steps > 0) SkinData->MarkBGChanged();  // the frame image holds a look halfway
    b.Steps = 0;
  }
}

void TsSkinProvider::ShowButtons(unsigned mask) {
  if (!mask || !cache_.DC()) return;
  ++frameGeneration_;
  // With the extended border the buttons lie in the border's caption part,
  // and may reach into the form's own caption.
  if (border_) border_->Update(false);
  const TPoint32 o = border_ ? exLayout_.FormOrigin : TPoint32{};
  WindowDC dc(Wnd(), TDcArea::Whole);
  if (!dc.get()) return;
  for (int k = 0; k < cbCount; ++k) {
    if (!(mask & (1u << k))) continue;
    const TRect32& r = layout_.Buttons[k];
    ::BitBlt(dc.get(), r.Left - o.X, r.Top - o.Y, RectWidth(r), RectHeight(r), cache_.DC(), r.Left, r.Top, SRCCOPY);
  }
}

}  // namespace glyphora
