// The caption buttons of the form's skin provider: presses and the system
// commands they give, and outline dragging (hot tracking and fades are the
// caption strip's).
#include <windowsx.h>

#include "skin/forms/exborder_win.h"
#include "skin/forms/sSkinProvider.h"

namespace glyphora {

int TsSkinProvider::HitTestScreen(POINT p) {
  RECT wr;
  if (!::GetWindowRect(Wnd(), &wr)) return kHtNowhere;
  UpdateLayout();
  const POINT o = ImageOrigin();
  if (border_) return ExBorderHitTest(layout_, exLayout_, p.x - o.x, p.y - o.y);
  return FrameHitTest(layout_, p.x - o.x, p.y - o.y);
}

void TsSkinProvider::BorderMouseMove(int32_t code) {
  if (captionButtons_.Pressed() == cbCount && !dragCode_) SetHot(CaptionButtonOfHitCode(code));
}

bool TsSkinProvider::HandleMouse(TMessage& m) {
  HWND w = Wnd();
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      if (dragCode_) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ::ClientToScreen(w, &p);
        MoveOutline(p);
        m.Result = 0;
        return true;
      }
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      if (PressCaptionButton(m)) return true;
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
      if (captionButtons_.Pressed() == cbCount) return false;
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      if (m.Msg == WM_LBUTTONUP) ::ClientToScreen(w, &p);
      m.Result = 0;
      Release(p);  // may close the form: nothing follows
      return true;
    }
    case WM_KEYDOWN:
      if ((captionButtons_.Pressed() != cbCount || dragCode_) && m.WParam == VK_ESCAPE) {
        ::ReleaseCapture();  // the capture change cancels the press
        m.Result = 0;
        return true;
      }
      return false;
    case WM_CAPTURECHANGED:
      if (dragCode_ && reinterpret_cast<HWND>(m.LParam) != w) EndOutlineDrag(false);
      break;
    default:
      break;
  }
  // Hot tracking, presses held, lost capture and the fades.
  return captionButtons_.HandleMouse(m);
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
  switch (EndCaptionPress(p)) {
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

}  // namespace glyphora
