// The form provider's extended border and effects: when the border is
// wanted, keeping it around the form, the background the frame image lends
// to the form's children, the window animations, and the messages that
// drive them.
#include <windowsx.h>

#include <algorithm>

#include "framework/application.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_content.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/form_animation_win.h"
#include "skin/forms/frame_image_win.h"
#include "skin/forms/glow_win.h"
#include "skin/forms/sSkinProvider.h"

namespace glyphora {

bool TsSkinProvider::WantsExtendedBorder() const {
  TsSkinManager* m = SkinData->SkinManager();
  HWND w = Wnd();
  if (!AllowExtBorders || !w || !m || !m->ExtendedBorders() || !FrameSkinned()) return false;
  const LONG style = ::GetWindowLongW(w, GWL_STYLE);
  // Only a top-level form with a frame.
  return !(style & WS_CHILD) && (style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER)) != 0;
}

void TsSkinProvider::SetAllowExtBorders(bool value) {
  if (value == AllowExtBorders) return;
  AllowExtBorders = value;
  CheckExtendedBorder();
}

void TsSkinProvider::BorderChanging() {
  lastSize_ = {-1, -1};
  DropCaptionGlow();
}

void TsSkinProvider::KeepExtendedFrameOnScreen() {
  HWND w = Wnd();
  RECT r{};
  if (!border_ || !w || ::IsZoomed(w) || ::IsIconic(w) || !::GetWindowRect(w, &r)) return;
  UpdateLayout();
  // How far the skin's frame (its shadow aside) reaches beyond the form's
  // window on the left and at the top.
  const int32_t outX = exLayout_.FormOrigin.X - exLayout_.In.Shadow.Left;
  const int32_t outY = exLayout_.FormOrigin.Y - exLayout_.In.Shadow.Top;
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (!::GetMonitorInfoW(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &mi)) return;
  // A form placed at the work area's edge (the platform's default place)
  // would have its caption and icon beyond the screen: it moves in.
  const LONG x = std::max<LONG>(r.left, mi.rcWork.left + std::max(outX, 0));
  const LONG y = std::max<LONG>(r.top, mi.rcWork.top + std::max(outY, 0));
  if (x != r.left || y != r.top)
    ::SetWindowPos(w, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TsSkinProvider::Animating() const {
  return (minAnim_ && minAnim_->Running()) || (moveBlend_ && moveBlend_->Running());
}

void TsSkinProvider::UpdateExBordersPos(bool redraw, uint8_t blend) {
  HWND w = Wnd();
  // An animation shows the form's picture instead.
  if (!border_ || !w || Application()->Terminating() || !FrameSkinned() || Animating()) return;
  if (!::IsWindowVisible(w) || ::IsIconic(w)) {
    border_->Hide();
    return;
  }
  PaintIfStale();
  border_->Update(redraw, blend);
}

void TsSkinProvider::AfterWindowPosChanged(const TMessage& m) {
  if (m.Msg != WM_WINDOWPOSCHANGED) return;
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  const UINT flags = pos ? pos->flags : 0;
  TsSkinManager* mgr = SkinData->SkinManager();
  if ((flags & SWP_SHOWWINDOW) && !firstShown_) {
    firstShown_ = true;
    if (mgr && mgr->AnimEffects.FormShow.Active) PlayShowAnimation(*this, mgr->AnimEffects.FormShow);
  }
  if ((flags & SWP_HIDEWINDOW) && !hidePicture_.Empty() && mgr) {
    RemoveButtonGlows();
    ClearGlows();
    PlayHideAnimation(std::move(hidePicture_), hideRect_, Wnd(), mgr->AnimEffects.FormHide);
    hidePicture_ = TBitmap32();
  }
  // Glows stay where the mouse found their button: a form that moves or
  // changes size drops them.
  RECT r{};
  ::GetWindowRect(Wnd(), &r);
  if (!::EqualRect(&r, &lastWindowRect_)) {
    lastWindowRect_ = r;
    RemoveButtonGlows();
    ClearGlows();
  }
  if (!border_) return;
  if (!(flags & SWP_NOZORDER)) border_->RequireZOrder();
  UpdateExBordersPos(false);
}

bool TsSkinProvider::AnswerBackground(TMessage& m) {
  auto* info = SkinCommandFromProgram(m) ? reinterpret_cast<TacParentBG*>(m.LParam) : nullptr;
  if (!info) return true;
  m.Result = 1;
  if (!FrameSkinned() || SkinData->CustomColor) {
    SkinData->FillParentBG(*info, 0);
    return true;
  }
  const int state = formActive_ && SkinData->Section() && SkinData->Section()->States > 1 ? 1 : 0;
  const TsStateLook look = SkinData->StateLook(state);
  const bool paint = info->PaintIfMissing && info->DC;
  if (look.Transparency == 0 && look.GradientPercent == 0 && look.ImagePercent == 0) {
    // A plain form: its colour.
    info->Kind = bgkFill;
    info->Color = ColorToRGB(look.Color);
    if (paint) {
      UniqueBrush brush(::CreateSolidBrush(info->Color));
      RECT r{info->R.Left, info->R.Top, info->R.Right, info->R.Bottom};
      ::FillRect(static_cast<HDC>(info->DC), &r, brush.get());
    }
    return true;
  }
  // The frame image holds the form's section (gradient, image) behind the
  // client area: the children paint over it from the client's origin.
  UpdateLayout();
  if ((SkinData->BGChanged && !SkinData->FUpdating) || frame_.Width() != layout_.In.Width ||
      frame_.Height() != layout_.In.Height)
    PaintAll();
  if (frame_.Empty()) {
    info->Kind = bgkFill;
    info->Color = ColorToRGB(look.Color);
    return true;
  }
  info->Kind = bgkCache;
  info->Bmp = &frame_;
  info->Offset = {layout_.Client.Left, layout_.Client.Top};
  if (TsSkinManager* mg = SkinData->SkinManager()) info->Color = mg->GetGlobalColor();
  if (paint && cache_.DC()) {
    ::GdiFlush();
    const TRect32& r = info->R;
    ::BitBlt(static_cast<HDC>(info->DC), r.Left, r.Top, RectWidth(r), RectHeight(r), cache_.DC(),
             r.Left + info->Offset.X, r.Top + info->Offset.Y, SRCCOPY);
  }
  return true;
}

bool TsSkinProvider::Snapshot(TBitmap32& out, TRect32& screen) {
  HWND w = Wnd();
  if (!w || !FrameSkinned() || !::IsWindowVisible(w) || ::IsIconic(w)) return false;
  PaintIfStale();
  if (frame_.Empty()) return false;
  SnapshotWindow(w, frame_, layout_.Client, out);
  const POINT o = ImageOrigin();
  screen = {o.x, o.y, o.x + out.Width(), o.y + out.Height()};
  return true;
}

bool TsSkinProvider::HandleEffectsSysCommand(TMessage& m) {
  const WPARAM cmd = m.WParam & 0xFFF0;
  const double requested = AnimClockMs();
  TsSkinManager* mgr = SkinData->SkinManager();
  HWND w = Wnd();
  if (restoring_ || !mgr || !mgr->AnimEffects.Minimizing.Active || !LayeredWindowsAvailable() || !FrameSkinned())
    return false;
  if (cmd == SC_MINIMIZE && !::IsIconic(w) && ::IsWindowVisible(w)) {
    TBitmap32 picture;
    TRect32 from;
    if (!Snapshot(picture, from)) return false;
    RemoveButtonGlows();
    ClearGlows();
    SetHot(cbCount);
    // The picture takes the form's place first, then the form goes to the
    // taskbar, without the platform's own animation.
    if (!minAnim_) minAnim_ = std::make_unique<TacMinimizeAnim>(*this);
    minAnim_->Start(std::move(picture), from, mgr->AnimEffects.Minimizing.Time, true, requested);
    TacNoPlatformAnimation off;
    formHook_.CallNext(m);
    return true;
  }
  if (cmd == SC_RESTORE && ::IsIconic(w) && minAnim_ && !minAnim_->Picture().Empty()) {
    minAnim_->Finish();
    // The picture kept from minimising grows back from the taskbar; the
    // form itself comes back when it has.
    minAnim_->Start(TBitmap32(minAnim_->Picture()), minAnim_->From(), mgr->AnimEffects.Minimizing.Time, false,
                     requested);
    m.Result = 0;
    return true;
  }
  return false;
}

void TsSkinProvider::RestoreAfterAnimation() {
  HWND w = Wnd();
  if (!w) return;
  restoring_ = true;
  ::SendMessageW(w, WM_SYSCOMMAND, SC_RESTORE, 0);
  restoring_ = false;
  if (::IsWindow(w)) {
    ::SetForegroundWindow(w);
    UpdateExBordersPos(true);
  }
}

bool TsSkinProvider::StartMoveBlend(TMessage& m) {
  TsSkinManager* mgr = SkinData->SkinManager();
  HWND w = Wnd();
  if (m.WParam != HTCAPTION || !mgr || !mgr->AnimEffects.BlendOnMoving.Active || !AllowBlendOnMoving ||
      !LayeredWindowsAvailable() || !FrameSkinned() || ::IsZoomed(w) || ::IsIconic(w) || !::IsWindowEnabled(w) ||
      mgr->AnimEffects.BlendOnMoving.BlendValue == 255)
    return false;
  if (!moveBlend_) moveBlend_ = std::make_unique<TacMoveBlend>(*this);
  if (moveBlend_->Running()) return false;
  RemoveButtonGlows();
  ClearGlows();
  ::SetForegroundWindow(w);
  moveBlend_->Run(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}, mgr->AnimEffects.BlendOnMoving);
  m.Result = 0;
  return true;
}

bool TsSkinProvider::HandleEffectsMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_SYSCOMMAND:
      return HandleEffectsSysCommand(m);
    case WM_SETTINGCHANGE:
      // The taskbar moved: a running minimise follows it.
      if (m.WParam == SPI_SETWORKAREA && minAnim_ && minAnim_->Running()) minAnim_->UpdateTarget();
      return false;
    case WM_WINDOWPOSCHANGING: {
      // A form about to be hidden keeps its look for the hide animation.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      TsSkinManager* mgr = SkinData->SkinManager();
      if (pos && (pos->flags & SWP_HIDEWINDOW) && mgr && mgr->AnimEffects.FormHide.Active &&
          AnimFrames(mgr->AnimEffects.FormHide.Time) >= 1 && LayeredWindowsAvailable())
        Snapshot(hidePicture_, hideRect_);
      return false;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONUP:
      // From the border window: the point is hit-tested again here, and
      // the message goes on with the frame's code.
      if (m.WParam == static_cast<WPARAM>(-1) && FrameSkinned()) {
        const int code = HitTestScreen(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        if (code == kHtTransparent || code == kHtNowhere) {
          m.Result = 0;
          return true;
        }
        m.WParam = static_cast<WPARAM>(code);
      }
      // A caption press with the manager's blend on moving drags the form's
      // picture, translucent.
      return m.Msg == WM_NCLBUTTONDOWN && StartMoveBlend(m);
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) == WA_INACTIVE) {
        RemoveButtonGlows();
        ClearGlows();
      }
      return false;
    case WM_SHOWWINDOW:
      if (!m.WParam && border_) {
        RemoveButtonGlows();
        border_->Hide();
      }
      if (m.WParam) {
        CheckExtendedBorder();
        if (!firstShown_) KeepExtendedFrameOnScreen();
        // A form whose first show fades in stays unseen until its picture
        // has faded in.
        TsSkinManager* mgr = SkinData->SkinManager();
        if (!firstShown_ && mgr && mgr->AnimEffects.FormShow.Active &&
            AnimFrames(mgr->AnimEffects.FormShow.Time) >= 1 && LayeredWindowsAvailable() && FrameSkinned()) {
          ::SetWindowLongW(Wnd(), GWL_EXSTYLE, ::GetWindowLongW(Wnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
          ::SetLayeredWindowAttributes(Wnd(), 0, 0, LWA_ALPHA);
        }
      }
      return false;
    case WM_STYLECHANGED:
      formHook_.CallNext(m);
      if (m.WParam == static_cast<WPARAM>(GWL_EXSTYLE)) UpdateExBordersPos(true);
      return true;
    case WM_DESTROY:
      RemoveButtonGlows();
      if (minAnim_) minAnim_->Finish();
      minAnim_.reset();
      oldLookCover_.reset();
      border_.reset();
      return false;
    default:
      return false;
  }
}

}  // namespace glyphora
