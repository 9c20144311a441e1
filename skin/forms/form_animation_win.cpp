#include "skin/forms/form_animation_win.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "framework/application.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/plain_copy.h"

namespace glyphora {

double AnimClockMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

namespace {

HWND FormWindow(const TsSkinProvider& sp) { return sp.Form() ? sp.Form()->WindowHandle() : nullptr; }

TPoint32 CentreOf(const TRect32& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// Where a minimised form goes: the taskbar's inner edge below (or beside)
// the form, or without a shown taskbar the work area's bottom edge.
TRect32 MinimizeTarget(HWND form, const TRect32& from) {
  const TPoint32 c = CentreOf(from);
  HWND tray = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  RECT tr{};
  if (tray && ::IsWindowVisible(tray) && ::GetWindowRect(tray, &tr) && tr.right > tr.left && tr.bottom > tr.top) {
    const TRect32 t{tr.left, tr.top, tr.right, tr.bottom};
    return TaskbarTarget(nullptr, &t, c);
  }
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  ::GetMonitorInfoW(::MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &mi);
  const TRect32 bottom{mi.rcWork.left, mi.rcWork.bottom, mi.rcWork.right, mi.rcWork.bottom + 1};
  return TaskbarTarget(nullptr, &bottom, c);
}

uint8_t MixByte(uint32_t a, uint32_t b, uint32_t w) { return uint8_t((a * (255 - w) + b * w + 127) / 255); }

// Every byte (alpha too) of `to` weighted by w against `from`; both the size of out.
void CrossFade(TBitmap32& out, const TBitmap32& from, const TBitmap32& to, uint8_t w) {
  for (int32_t y = 0; y < out.Height(); ++y) {
    const uint32_t* f = from.ScanLine(y);
    const uint32_t* t = to.ScanLine(y);
    uint32_t* o = out.ScanLine(y);
    for (int32_t x = 0; x < out.Width(); ++x) {
      uint32_t p = 0;
      for (int s = 0; s < 32; s += 8) p |= uint32_t(MixByte((f[x] >> s) & 0xFF, (t[x] >> s) & 0xFF, w)) << s;
      o[x] = p;
    }
  }
}
}  // namespace

TacNoPlatformAnimation::TacNoPlatformAnimation() {
  info_.cbSize = sizeof(info_);
  if (::SystemParametersInfoW(SPI_GETANIMATION, sizeof(info_), &info_, 0) && info_.iMinAnimate) {
    ANIMATIONINFO off = info_;
    off.iMinAnimate = 0;
    changed_ = ::SystemParametersInfoW(SPI_SETANIMATION, sizeof(off), &off, 0) != FALSE;
  }
}

TacNoPlatformAnimation::~TacNoPlatformAnimation() {
  if (changed_) ::SystemParametersInfoW(SPI_SETANIMATION, sizeof(info_), &info_, 0);
}

// ------------------------------------------------------------ picture window

TacPictureWindow::TacPictureWindow(DWORD exStyle) : form_(exStyle) {
  form_.Proc = [exStyle](TMessage& m) {
    if (m.Msg != WM_NCHITTEST || !(exStyle & WS_EX_TRANSPARENT)) return false;
    m.Result = HTTRANSPARENT;
    return true;
  };
}

void TacPictureWindow::SetBounds(const TRect32& screen) { bounds_ = screen; }

bool TacPictureWindow::Show(const TBitmap32& picture, const TRect32& target, uint8_t alpha) {
  const int32_t w = RectWidth(bounds_), h = RectHeight(bounds_);
  if (w <= 0 || h <= 0 || picture.Empty()) return false;
  frame_.SetSizeForOverwrite(w, h);
  frame_.Fill(0);
  // The picture in the target's size, centred in the window, which is
  // centred on the target.
  const int32_t tw = std::clamp(RectWidth(target), 0, w), th = std::clamp(RectHeight(target), 0, h);
  const TRect32 into{(w - tw) / 2, (h - th) / 2, (w - tw) / 2 + tw, (h - th) / 2 + th};
  if (tw > 0 && th > 0) StretchBlock(&frame_, into, &picture, {0, 0, picture.Width(), picture.Height()});
  if (!form_.SetPicture(frame_, {0, 0, w, h})) return false;
  const TPoint32 c = CentreOf(target);
  return form_.Present(POINT{c.X - w / 2, c.Y - h / 2}, alpha);
}

void TacPictureWindow::PlaceAbove(HWND wnd) {
  HWND self = form_.WindowHandle();
  if (!self || !wnd) return;
  HWND after = HWND_TOP;
  if (::GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) {
    after = HWND_TOPMOST;
  } else {
    HWND above = ::GetWindow(wnd, GW_HWNDPREV);
    if (above && above != self) after = above;
  }
  ::SetWindowPos(self, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// ------------------------------------------------------- minimise, restore

TacMinimizeAnim::TacMinimizeAnim(TsSkinProvider& owner) : sp_(owner) {}

TacMinimizeAnim::~TacMinimizeAnim() {
  timer_.reset();
  wnd_.reset();
}

void TacMinimizeAnim::Start(TBitmap32 picture, const TRect32& from, int32_t timeMs, bool minimizing,
                            double requestedMs) {
  timer_.reset();
  picture_ = std::move(picture);
  minimizing_ = minimizing;
  timeMs_ = std::max(timeMs, 0);
  anim_.From = from;
  anim_.Steps = std::max(AnimFrames(timeMs_), 1);
  anim_.AlphaFrom = 255;
  UpdateTarget();
  wnd_ = std::make_unique<TacPictureWindow>();
  wnd_->SetBounds(from);
  step_ = 0;
  const int32_t first = minimizing_ ? 0 : anim_.Steps;
  wnd_->Show(picture_, MinimizeRect(anim_, first), MinimizeAlpha(anim_, first));
  wnd_->PlaceAbove(FormWindow(sp_));
  // The clock runs from the request: time spent taking the picture and
  // minimising is made up by skipping frames.
  startMs_ = requestedMs;
  timer_ = std::make_unique<TacThreadedTimer>(nullptr);
  timer_->SetInterval(kAnimFrameMs);
  timer_->SetOnTimer([this](TComponent*) { Tick(); });
}

void TacMinimizeAnim::UpdateTarget() {
  if (FormWindow(sp_)) anim_.To = MinimizeTarget(FormWindow(sp_), anim_.From);
}

void TacMinimizeAnim::Tick() {
  if (!timer_ || timer_->InHandler) return;
  timer_->InHandler = true;
  // The frame the clock asks for, at least one a tick: a late tick skips
  // frames, so the animation lasts its time on a busy machine too.
  const int32_t due = int32_t((AnimClockMs() - startMs_) / kAnimFrameMs);
  step_ = std::min(anim_.Steps, std::max(step_ + 1, due));
  const int32_t frame = minimizing_ ? step_ : anim_.Steps - step_;
  if (wnd_) wnd_->Show(picture_, MinimizeRect(anim_, frame), MinimizeAlpha(anim_, frame));
  timer_->InHandler = false;
  if (step_ >= anim_.Steps) End();
}

void TacMinimizeAnim::End() {
  const bool restore = !minimizing_;
  timer_.reset();
  if (restore) {
    // The form comes back where its picture ends; the platform's own
    // animation stays off.
    TacNoPlatformAnimation off;
    sp_.RestoreAfterAnimation();
  }
  wnd_.reset();
  if (restore) picture_ = TBitmap32();
}

void TacMinimizeAnim::Finish() {
  if (!timer_) return;
  step_ = anim_.Steps;
  End();
}

// ------------------------------------------------------------ blend on moving

TacMoveBlend::TacMoveBlend(TsSkinProvider& owner) : sp_(owner) {}

TacMoveBlend::~TacMoveBlend() {
  timer_.reset();
  wnd_.reset();
}

void TacMoveBlend::Tick() {
  if (!timer_ || !wnd_ || timer_->InHandler) return;
  timer_->InHandler = true;
  const bool done = BlendTowards(alpha_, target_, step_);
  RECT r;
  if (::GetWindowRect(wnd_->WindowHandle(), &r)) wnd_->Present(POINT{r.left, r.top}, alpha_);
  timer_->InHandler = false;
  if (done) timer_.reset();  // at the blend value: nothing left to change
}

void TacMoveBlend::Run(POINT screen, const TacBlendOnMoving& settings) {
  HWND form = FormWindow(sp_);
  TBitmap32 picture;
  TRect32 from;
  if (running_ || !form || !sp_.Snapshot(picture, from)) return;
  running_ = true;
  alpha_ = 255;
  target_ = settings.BlendValue;
  step_ = MoveBlendStep(target_, settings.Time);
  // The picture takes the form's place; the form stays shown but unseen.
  wnd_ = std::make_unique<TacLayeredForm>(kLayeredExStyle);
  wnd_->Proc = [](TMessage& m) {
    if (m.Msg != WM_NCHITTEST) return false;
    m.Result = HTCAPTION;
    return true;
  };
  wnd_->SetPicture(picture, {0, 0, picture.Width(), picture.Height()});
  wnd_->Present(POINT{from.Left, from.Top}, alpha_);
  ::SetWindowPos(wnd_->WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const LONG ex = ::GetWindowLongW(form, GWL_EXSTYLE);
  ::SetWindowLongW(form, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  ::SetLayeredWindowAttributes(form, 0, 0, LWA_ALPHA);
  if (TacBorderForm* b = sp_.BorderForm()) b->Hide();
  if (step_ > 0 && target_ < 255) {
    timer_ = std::make_unique<TacThreadedTimer>(nullptr);
    timer_->SetInterval(kAnimFrameMs);
    timer_->SetOnTimer([this](TComponent*) { Tick(); });
  }
  // The platform's move loop drags the picture until the mouse is released.
  ::SendMessageW(wnd_->WindowHandle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(screen.x, screen.y));
  timer_.reset();
  RECT r{};
  ::GetWindowRect(wnd_->WindowHandle(), &r);
  RECT wr{};
  ::GetWindowRect(form, &wr);
  // The form goes where its picture was dropped, opaque again.
  const POINT o = sp_.ImageOrigin();
  ::SetWindowPos(form, nullptr, wr.left + (r.left - o.x), wr.top + (r.top - o.y), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowLongW(form, GWL_EXSTYLE, ::GetWindowLongW(form, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  ::RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  wnd_.reset();
  running_ = false;
  sp_.UpdateExBordersPos(true);
}

// ------------------------------------------------------------ show and hide

void PlayShowAnimation(TsSkinProvider& sp, const TacFormAnimation& settings) {
  const int32_t n = AnimFrames(settings.Time);
  HWND form = FormWindow(sp);
  // Under one frame there is nothing to play: the form shows at once.
  if (n < 1 || !form || !LayeredWindowsAvailable()) return;
  // The form is painted while unseen, and its picture fades in above it.
  const LONG ex = ::GetWindowLongW(form, GWL_EXSTYLE);
  ::SetWindowLongW(form, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  ::SetLayeredWindowAttributes(form, 0, 0, LWA_ALPHA);
  ::RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  TBitmap32 picture;
  TRect32 rect;
  if (sp.Snapshot(picture, rect)) {
    if (TacBorderForm* b = sp.BorderForm()) b->Hide();
    TacPictureWindow wnd;
    wnd.SetBounds(rect);
    const bool zoom = settings.Mode == TacAnimType::atAero;
    for (int32_t i = 0; i <= n; ++i) {
      const TRect32 z = zoom ? ZoomRect(RectWidth(rect), RectHeight(rect), i, n) : TRect32{0, 0, RectWidth(rect), RectHeight(rect)};
      wnd.Show(picture, {rect.Left + z.Left, rect.Top + z.Top, rect.Left + z.Right, rect.Top + z.Bottom},
               RisingAlpha(i, n, 255));
      if (i == 0) wnd.PlaceAbove(form);
      if (i < n) ::Sleep(kAnimFrameMs);
    }
  }
  ::SetWindowLongW(form, GWL_EXSTYLE, ::GetWindowLongW(form, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  ::RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  sp.UpdateExBordersPos(true);
  if (sp.OnAfterAnimation) sp.OnAfterAnimation(TacAnimEvent::aeShowing);
}

namespace {
// The one hide animation of the process.
struct THideAnimation {
  std::unique_ptr<TacPictureWindow> Wnd;
  std::unique_ptr<TacThreadedTimer> Timer;
  TBitmap32 Picture;
  TRect32 Rect{};
  int32_t Frames = 0, Frame = 0;
  bool Zoom = false;
  double Start = 0;

  // Shows frame i; true once the last one is shown.
  bool Show(int32_t i) {
    Frame = std::min(i, Frames);
    const TRect32 z = Zoom ? ZoomRect(RectWidth(Rect), RectHeight(Rect), Frames - Frame, Frames)
                           : TRect32{0, 0, RectWidth(Rect), RectHeight(Rect)};
    Wnd->Show(Picture, {Rect.Left + z.Left, Rect.Top + z.Top, Rect.Left + z.Right, Rect.Top + z.Bottom},
              FallingAlpha(Frame, Frames, 255));
    return Frame >= Frames;
  }
  void End() {
    Timer.reset();
    Wnd.reset();
    Picture = TBitmap32();
  }
};

THideAnimation& HideAnimation() {
  static THideAnimation hide;
  return hide;
}
}  // namespace

void PlayHideAnimation(TBitmap32 picture, const TRect32& screen, HWND above, const TacFormAnimation& settings) {
  THideAnimation& h = HideAnimation();
  h.End();
  h.Frames = AnimFrames(settings.Time);
  if (h.Frames < 1 || picture.Empty() || !LayeredWindowsAvailable()) return;
  h.Picture = std::move(picture);
  h.Rect = screen;
  h.Zoom = settings.Mode == TacAnimType::atAero;
  h.Wnd = std::make_unique<TacPictureWindow>();
  h.Wnd->SetBounds(screen);
  h.Show(0);
  if (above) h.Wnd->PlaceAbove(above);
  if (Application()->Terminating() || Application()->MainForm() == TWinControl::FromHandle(above)) {
    // The program ends: no message loop will run the timer.
    for (int32_t i = 1; !h.Show(i); ++i) ::Sleep(kAnimFrameMs);
    h.End();
    return;
  }
  h.Start = AnimClockMs();
  h.Timer = std::make_unique<TacThreadedTimer>(nullptr);
  h.Timer->SetInterval(kAnimFrameMs);
  h.Timer->SetOnTimer([](TComponent*) {
    THideAnimation& a = HideAnimation();
    if (!a.Timer || a.Timer->InHandler) return;
    a.Timer->InHandler = true;
    const int32_t due = int32_t((AnimClockMs() - a.Start) / kAnimFrameMs);
    const bool last = a.Show(std::max(a.Frame + 1, due));
    a.Timer->InHandler = false;
    if (last) a.End();
  });
}

bool HideAnimationRunning() { return HideAnimation().Wnd != nullptr; }
void FinishHideAnimation() { HideAnimation().End(); }

// ------------------------------------------------------------- skin change

void CoverWithOldLook(TsSkinProvider& sp) {
  TBitmap32 picture;
  TRect32 rect;
  if (!sp.Snapshot(picture, rect)) return;
  auto cover = std::make_unique<TacPictureWindow>();
  cover->SetBounds(rect);
  if (!cover->Show(picture, rect, 255)) return;
  cover->PlaceAbove(FormWindow(sp));
  sp.oldLook_ = std::move(picture);
  sp.oldLookRect_ = rect;
  sp.oldLookCover_ = std::move(cover);
}

void FadeToNewLook(TsSkinProvider& sp, const TacSkinChanging& settings) {
  if (!sp.oldLookCover_) return;
  std::unique_ptr<TacPictureWindow> cover = std::move(sp.oldLookCover_);
  TBitmap32 old = std::move(sp.oldLook_);
  HWND form = FormWindow(sp);
  // The form paints its new look under the cover.
  ::RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  TBitmap32 fresh;
  TRect32 rect;
  const int32_t n = AnimFrames(settings.Time);
  if (n >= 1 && sp.Snapshot(fresh, rect) && rect == sp.oldLookRect_ && fresh.Width() == old.Width() &&
      fresh.Height() == old.Height()) {
    TBitmap32 mix(old.Width(), old.Height()), grown;
    const bool zoom = settings.Mode == TacAnimType::atAero;
    for (int32_t i = 0; i <= n; ++i) {
      const TCrossFadeStep s = CrossFadeStep(i, n, 255);
      const TBitmap32* to = &fresh;
      if (zoom) {
        // The new look grows from an eighth inside over the old one.
        grown = old;
        StretchBlock(&grown, ZoomRect(old.Width(), old.Height(), i, n), &fresh, {0, 0, fresh.Width(), fresh.Height()});
        to = &grown;
      }
      CrossFade(mix, old, *to, s.NewAlpha);
      cover->Show(mix, rect, 255);
      if (i < n) ::Sleep(kAnimFrameMs);
    }
  }
  cover.reset();
  sp.UpdateExBordersPos(true);
  if (sp.OnAfterAnimation) sp.OnAfterAnimation(TacAnimEvent::aeSkinChanging);
}

namespace {
// The skinned forms of a manager that show now.
template <class F>
void ForShownForms(TsSkinManager* manager, F&& f) {
  for (TCustomForm* form : std::vector<TCustomForm*>(Application()->Forms())) {
    if (!form || form->Destroying() || !form->HandleAllocated()) continue;
    HWND w = form->WindowHandle();
    if (!::IsWindowVisible(w) || ::IsIconic(w) || (::GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) continue;
    auto* sp = reinterpret_cast<TsSkinProvider*>(SendSkinCommand(w, SKC_GETPROVIDER));
    if (sp && sp->SkinData->SkinManager() == manager) f(*sp);
  }
}
}  // namespace

void InstallSkinChangeAnimator() {
  TSkinChangeAnimator a;
  a.TakePictures = [](TsSkinManager* m) {
    ForShownForms(m, [](TsSkinProvider& sp) { CoverWithOldLook(sp); });
  };
  a.PlayFades = [](TsSkinManager* m) {
    ForShownForms(m, [m](TsSkinProvider& sp) { FadeToNewLook(sp, m->AnimEffects.SkinChanging); });
  };
  SetSkinChangeAnimator(a);
}

}  // namespace glyphora
