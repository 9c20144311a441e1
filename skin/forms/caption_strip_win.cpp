#include "skin/forms/caption_strip_win.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/control.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_content.h"
#include "skin/forms/glow_win.h"
#include "skin/paint/blend.h"
#include "skin/paint/mask_image.h"

namespace glyphora {

TCaptionButtonStrip::~TCaptionButtonStrip() {
  // The host is going: only what the strip holds itself is let go.
  if (timerOn_ && timerWnd_ && ::IsWindow(timerWnd_)) ::KillTimer(timerWnd_, kFadeTimerId);
  for (TButton& b : buttons_)
    if (b.GlowID >= 0) HideGlow(b.GlowID, &b.GlowID);
}

bool TCaptionButtonStrip::Fading() const {
  for (const TButton& b : buttons_)
    if (b.Steps > 0) return true;
  return false;
}

void TCaptionButtonStrip::SetHot(TCaptionButtonKind k) {
  if (k == hot_) return;
  const TCaptionButtonKind old = hot_;
  hot_ = k;
  if (old != cbCount) {
    // A button under a glow kept its normal look in the frame.
    const bool glowed = buttons_[old].GlowID >= 0;
    UpdateGlow(old, false);
    if (glowed && buttons_[old].State == 1) buttons_[old].State = 0;
    else SetState(old, 0, kFadeSteps);
  }
  if (k == cbCount) return;
  // The glow window shows the hot look at once and covers the button, so
  // the frame keeps the normal look under it: the hover costs no upload of
  // the frame.
  UpdateGlow(k, true);
  TButton& b = buttons_[k];
  if (b.GlowID >= 0 && b.State == 0 && b.Steps == 0) b.State = 1;
  else SetState(k, 1, kFadeSteps);
}

void TCaptionButtonStrip::SetState(TCaptionButtonKind k, int state, int steps) {
  TButton& b = buttons_[k];
  if (b.State == state) return;
  b.State = state;
  if (!host_.ButtonPaintable(k)) return;  // the next frame paint shows it
  // The fade starts from what is shown now, also halfway through another.
  if (steps > 1) host_.ReadButton(k, b.From);
  host_.RenderButton(k, state, b.To);
  if (steps <= 1 || b.From.Width() != b.To.Width() || b.From.Height() != b.To.Height()) {
    b.Steps = 0;
    host_.PutButton(k, b.To);
    host_.ShowButtons(1u << k);
    return;
  }
  b.Level = 0;
  b.Steps = steps;
  if (!timerOn_) {
    timerWnd_ = host_.StripWindow();
    timerOn_ = timerWnd_ && ::SetTimer(timerWnd_, kFadeTimerId, kFadeInterval, nullptr) != 0;
  }
  if (!timerOn_) FadeTick();  // no timer: show the end at once
}

void TCaptionButtonStrip::Press(TCaptionButtonKind k) {
  // The mouse is held so that a release anywhere comes back to the window.
  RemoveGlows();
  hot_ = pressed_ = k;
  SetState(k, 2, 1);
  ::SetCapture(host_.StripWindow());
}

TCaptionButtonKind TCaptionButtonStrip::EndPress() {
  const TCaptionButtonKind k = pressed_;
  if (k == cbCount) return k;
  pressed_ = cbCount;  // before the capture goes: its notice finds no press
  HWND w = host_.StripWindow();
  if (w && ::GetCapture() == w) ::ReleaseCapture();
  hot_ = cbCount;
  SetState(k, 0, 1);
  return k;
}

bool TCaptionButtonStrip::HandleMouse(TMessage& m) {
  HWND w = host_.StripWindow();
  switch (m.Msg) {
    case WM_NCMOUSEMOVE:
      if (pressed_ == cbCount) SetHot(CaptionButtonOfHitCode(static_cast<int32_t>(m.WParam)));
      // Without non-client leave tracking a pointer that leaves over the
      // edge is never seen and the button stays hot.
      if (!tracking_) tracking_ = TrackMouseLeave(w, true);
      return false;
    case WM_NCMOUSELEAVE:
      tracking_ = false;
      if (pressed_ == cbCount) SetHot(cbCount);
      return false;
    case WM_MOUSEMOVE:
      if (pressed_ != cbCount) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ::ClientToScreen(w, &p);
        SetState(pressed_, CaptionButtonOfHitCode(host_.StripHitTest(p)) == pressed_ ? 2 : 0, 1);
        m.Result = 0;
        return true;
      }
      if (hot_ != cbCount) SetHot(cbCount);
      return false;
    case WM_CAPTURECHANGED:
      if (pressed_ != cbCount && reinterpret_cast<HWND>(m.LParam) != w) {
        const TCaptionButtonKind k = pressed_;
        pressed_ = hot_ = cbCount;
        SetState(k, 0, 1);
      }
      return false;
    case WM_TIMER:
      if (m.WParam != kFadeTimerId) return false;
      FadeTick();
      m.Result = 0;
      return true;
    default:
      return false;
  }
}

void TCaptionButtonStrip::FadeTick() {
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
      host_.PutButton(static_cast<TCaptionButtonKind>(k), b.To);
      continue;
    }
    running = true;
    mix.SetSizeForOverwrite(b.To.Width(), b.To.Height());
    MixBitmaps(&mix, &b.To, &b.From, ClampByte(b.Level * 255 / b.Steps));
    host_.PutButton(static_cast<TCaptionButtonKind>(k), mix);
  }
  host_.ShowButtons(shown);
  if (running) return;
  if (timerOn_ && timerWnd_) ::KillTimer(timerWnd_, kFadeTimerId);
  timerOn_ = false;
  // A pointer that left while the button faded in leaves it hot no longer.
  POINT p;
  if (hot_ != cbCount && pressed_ == cbCount && ::GetCursorPos(&p) &&
      (!host_.StripOwnsWindow(::WindowFromPoint(p)) || CaptionButtonOfHitCode(host_.StripHitTest(p)) != hot_))
    SetHot(cbCount);
}

void TCaptionButtonStrip::StopFades() {
  if (timerOn_ && timerWnd_ && ::IsWindow(timerWnd_)) ::KillTimer(timerWnd_, kFadeTimerId);
  timerOn_ = false;
  for (TButton& b : buttons_) {
    if (b.Steps > 0) host_.FadeCut();
    b.Steps = 0;
  }
}

void TCaptionButtonStrip::UpdateGlow(TCaptionButtonKind k, bool hot) {
  TButton& b = buttons_[k];
  if (!hot) {
    if (b.GlowID >= 0) HideGlow(b.GlowID, &b.GlowID);
    b.GlowID = -1;
    return;
  }
  if (b.GlowID >= 0 || k == cbHelp) return;
  b.GlowID = host_.ShowButtonGlow(k, &b.GlowID);
}

void TCaptionButtonStrip::RemoveGlows() {
  for (int k = 0; k < cbCount; ++k) {
    TButton& b = buttons_[k];
    if (b.GlowID < 0) continue;
    UpdateGlow(static_cast<TCaptionButtonKind>(k), false);
    // The frame kept the normal look under the glow: the button is normal.
    if (b.State == 1) b.State = 0;
    if (hot_ == k && pressed_ == cbCount) hot_ = cbCount;
  }
}

void TCaptionButtonStrip::Reset() {
  StopFades();
  RemoveGlows();
  for (TButton& b : buttons_) b.State = 0;
  hot_ = pressed_ = cbCount;
}

void TCaptionButtonStrip::PaintButtons(const TBitmap32& frame, const TFrameLayout& layout, const TRect32& stripRect,
                                       TBitmap32& strip) {
  strip.SetSizeForOverwrite(RectWidth(stripRect), RectHeight(stripRect));
  for (int32_t y = 0; y < strip.Height(); ++y)
    std::copy_n(frame.ScanLine(stripRect.Top + y) + stripRect.Left, strip.Width(), strip.ScanLine(y));
  TBitmap32 look;
  for (int k = 0; k < cbCount; ++k) {
    const auto kind = static_cast<TCaptionButtonKind>(k);
    if (RectWidth(layout.Buttons[k]) <= 0) continue;
    host_.RenderButton(kind, State(kind), look);
    host_.PutButton(kind, look);
  }
}

void RenderCaptionButton(const TFrameLayout& l, TCaptionButtonKind kind, int state, const TBitmap32& frame,
                         const TBitmap32& strip, const TRect32& stripRect, TSkinContent* skin, int image, bool active,
                         TBitmap32& out) {
  const TRect32& r = l.Buttons[kind];
  out.SetSizeForOverwrite(std::max(0, RectWidth(r)), std::max(0, RectHeight(r)));
  for (int32_t y = 0; y < out.Height(); ++y) {
    uint32_t* row = out.ScanLine(y);
    for (int32_t x = 0; x < out.Width(); ++x) {
      const int32_t sx = r.Left + x, sy = r.Top + y;
      if (sx >= stripRect.Left && sx < stripRect.Right && strip.Contains(sx - stripRect.Left, sy - stripRect.Top))
        row[x] = strip.Pixel(sx - stripRect.Left, sy - stripRect.Top);
      else
        row[x] = frame.Contains(sx, sy) ? frame.Pixel(sx, sy) : 0;
    }
  }
  if (!skin || !skin->IsValidImgIndex(image)) return;
  const bool enabled = kind == cbMax && l.In.Maximized ? l.In.RestoreEnabled || l.In.ButtonEnabled[kind]
                                                        : l.In.ButtonEnabled[kind];
  if (!enabled) state = 0;
  // Inactive frames and disabled buttons show the normal look half transparent.
  const bool faint = (!active || !enabled) && state == 0;
  DrawMaskImage(&out, 0, 0, state, CacheInfoOf(&out, 0, 0), skin->ma[image], faint ? 0 : 1);
}

void ReadCaptionButton(const TBitmap32& frame, const TRect32& r, TBitmap32& out) {
  out.SetSizeForOverwrite(std::max(0, RectWidth(r)), std::max(0, RectHeight(r)));
  for (int32_t y = 0; y < out.Height(); ++y)
    for (int32_t x = 0; x < out.Width(); ++x)
      out.SetPixel(x, y, frame.Contains(r.Left + x, r.Top + y) ? frame.Pixel(r.Left + x, r.Top + y) : 0);
}

void PutCaptionButton(TBitmap32& frame, const TRect32& r, const TBitmap32& look) {
  for (int32_t y = 0; y < look.Height(); ++y) {
    if (!frame.ScanLine(r.Top + y)) continue;
    for (int32_t x = 0; x < look.Width(); ++x)
      if (frame.Contains(r.Left + x, r.Top + y)) frame.SetPixel(r.Left + x, r.Top + y, look.Pixel(x, y));
  }
}

int32_t ShowCaptionButtonGlow(TsSkinManager* m, TSkinContent* skin, TCaptionButtonKind kind, bool maximized,
                              const TRect32& r, HWND owner, int32_t* slot) {
  if (kind == cbHelp || !m || !skin || !m->AllowGlowing()) return -1;
  const TsSkinData& d = skin->SkinData;
  const int32_t size = kind == cbClose ? d.BICloseGlow : kind == cbMax ? d.BIMaxGlow : d.BIMinGlow;
  const int32_t margin = kind == cbClose ? d.BICloseGlowMargin : kind == cbMax ? d.BIMaxGlowMargin : d.BIMinGlowMargin;
  if (size <= 0) return -1;
  const char* name = kind == cbClose ? "BICONCLOSEGLOW" : kind == cbMin ? "BICONMINGLOW" : "BICONMAXGLOW";
  if (kind == cbMax && maximized) name = "BICONNORMGLOW";
  TGlowRequest q;
  q.R = r;
  q.RealRect = r;
  q.Skin = skin;
  q.Section = "GLOBALINFO";
  q.ImageName = name;
  q.Margin = margin;
  q.Owner = owner;
  q.Fit = TGlowFit::AsIs;
  return ShowGlow(q, slot);
}

}  // namespace glyphora
