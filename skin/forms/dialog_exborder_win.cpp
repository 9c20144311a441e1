// The extended border of a skinned dialog: wanted as the manager's
// ExtendedBorders and the skin allow, kept around the dialog on every move,
// size, activation, show and hide, and the presses it hands back; and the
// dialog's hide animation.
#include <windowsx.h>

#include "framework/application.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/dialog_wnd_win.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/effect_math.h"
#include "skin/forms/form_animation_win.h"
#include "skin/forms/frame_image_win.h"

namespace glyphora {

bool TacDialogWnd::WantsExtendedBorder() const {
  if (!manager_ || !manager_->ExtendedBorders() || !FrameSkinned() || !::IsWindow(wnd_)) return false;
  // A top-level dialog with a frame, as for forms.
  return !(dwStyle_ & WS_CHILD) && (dwStyle_ & (WS_CAPTION | WS_THICKFRAME | WS_BORDER)) != 0;
}

void TacDialogWnd::BorderMouseMove(int32_t code) {
  if (captionButtons_.Pressed() == cbCount) captionButtons_.SetHot(CaptionButtonOfHitCode(code));
}

void TacDialogWnd::UpdateExBordersPos(bool redraw) {
  if (!border_ || showing_ || Application()->Terminating() || !FrameSkinned()) return;
  if (!::IsWindowVisible(wnd_) || ::IsIconic(wnd_)) {
    border_->Hide();
    return;
  }
  PaintIfStale();
  border_->Update(redraw);
}

bool TacDialogWnd::TakeHidePicture() {
  const TacFormAnimation& a = manager_->AnimEffects.DialogHide;
  if (!a.Active || AnimFrames(a.Time) < 1 || !LayeredWindowsAvailable() || !FrameSkinned() ||
      !::IsWindowVisible(wnd_) || ::IsIconic(wnd_))
    return false;
  PaintIfStale();
  if (frame_.Empty()) return false;
  SnapshotWindow(wnd_, frame_, layout_.Client, hidePicture_);
  const POINT o = ImageOrigin();
  hideRect_ = {o.x, o.y, o.x + hidePicture_.Width(), o.y + hidePicture_.Height()};
  return true;
}

bool TacDialogWnd::HandleBorderMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_WINDOWPOSCHANGING: {
      // A dialog about to be hidden keeps its look for the hide animation.
      auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
      if (pos && (pos->flags & SWP_HIDEWINDOW)) TakeHidePicture();
      if (pos && (pos->flags & SWP_SHOWWINDOW)) FitCaptionOnShow(*pos);
      return false;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONUP: {
      // From the border's windows: the point is hit-tested again here and
      // the message goes on with the frame's code.
      if (m.WParam != static_cast<WPARAM>(-1) || !border_ || !FrameSkinned()) return false;
      const int code = HitTestScreen(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
      if (code != kHtTransparent && code != kHtNowhere) {
        m.WParam = static_cast<WPARAM>(code);
        return false;
      }
      m.Result = 0;
      return true;
    }
    case WM_ACTIVATE:
      // Glows stay only while the dialog is active and where their button
      // was found.
      if (LOWORD(m.WParam) == WA_INACTIVE) captionButtons_.RemoveGlows();
      return false;
    case WM_SHOWWINDOW:
      if (!m.WParam) captionButtons_.RemoveGlows();
      if (!m.WParam && border_) border_->Hide();
      if (m.WParam) CheckExtendedBorder();
      return false;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      if (pos && (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) captionButtons_.RemoveGlows();
      if (pos && (pos->flags & SWP_HIDEWINDOW) && !hidePicture_.Empty()) {
        // The picture fades out (and shrinks) where the dialog was.
        captionButtons_.RemoveGlows();
        if (border_) border_->Hide();
        PlayHideAnimation(std::move(hidePicture_), hideRect_, wnd_, manager_->AnimEffects.DialogHide);
        hidePicture_ = TBitmap32();
      }
      if (!border_ || !FrameSkinned() || ::IsIconic(wnd_)) return false;
      // While the platform shows a dialog no window can be made (under
      // Wine the border's would fail): the border comes once it is shown.
      const bool showing = pos && (pos->flags & SWP_SHOWWINDOW);
      showing_ = showing_ || showing;
      CallPrev(m);
      SizeChanged();
      if (showing) {
        showing_ = false;
        ::PostMessageW(wnd_, kShowBorderMsg, 0, 0);
      }
      // The dialog's own place in z-order changed: the border follows.
      if (pos && !(pos->flags & SWP_NOZORDER)) border_->RequireZOrder();
      if (!showing) UpdateExBordersPos(false);
      return true;
    }
    case kShowBorderMsg:
      // Carries nothing: the border is placed from the dialog as it is.
      UpdateExBordersPos(false);
      m.Result = 0;
      return true;
    case WM_DESTROY:
      captionButtons_.StopFades();
      captionButtons_.RemoveGlows();
      border_.reset();
      return false;
    default:
      return false;
  }
}

}  // namespace glyphora
