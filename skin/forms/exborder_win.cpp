#include "skin/forms/exborder_win.h"

#include <windowsx.h>

#include <chrono>
#include <cstring>

#include "base/scope_exit.h"


namespace glyphora {

namespace {
// Window sizes of the parts grow and shrink in steps of this many pixels.
constexpr int32_t kSizeStep = 128;

// The window length for a picture length: the current one while it holds
// the picture with less than two steps to spare, else the picture's
// rounded up to a step.
int32_t WindowLength(int32_t current, int32_t picture) {
  if (current >= picture && current < picture + 2 * kSizeStep) return current;
  return (picture + kSizeStep - 1) / kSizeStep * kSizeStep;
}

POINT ScreenPoint(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LPCWSTR CursorOf(int32_t code) {
  switch (code) {
    case kHtLeft: case kHtRight: return IDC_SIZEWE;
    case kHtTop: case kHtBottom: return IDC_SIZENS;
    case kHtTopLeft: case kHtBottomRight: return IDC_SIZENWSE;
    case kHtTopRight: case kHtBottomLeft: return IDC_SIZENESW;
    default: return IDC_ARROW;
  }
}
}  // namespace

TExBorderTimes& ExBorderTimes() {
  static TExBorderTimes times;
  return times;
}

namespace {
int64_t NowMicros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
}  // namespace

TExBorderTimer::TExBorderTimer(double& sum) : sum_(sum), start_(NowMicros()) {}
TExBorderTimer::~TExBorderTimer() { sum_ += double(NowMicros() - start_); }

TacBorderForm::TacBorderForm(TBorderOwner& owner) : owner_(owner) {}

TacBorderForm::~TacBorderForm() {
  for (auto& p : parts_) p.reset();
}

bool TacBorderForm::Shown() const {
  for (const auto& p : parts_)
    if (p && p->HandleAllocated() && ::IsWindowVisible(p->WindowHandle())) return true;
  return false;
}

HWND TacBorderForm::PartWindow(int part) const {
  return part >= 0 && part < ebCount && parts_[size_t(part)] ? parts_[size_t(part)]->WindowHandle() : nullptr;
}

bool TacBorderForm::Owns(HWND wnd) const {
  if (!wnd) return false;
  for (const auto& p : parts_)
    if (p && p->WindowHandle() == wnd) return true;
  return false;
}

RECT TacBorderForm::Bounds() const {
  RECT all{0, 0, 0, 0};
  for (int k = 0; k < ebCount; ++k) {
    const auto& p = parts_[size_t(k)];
    if (!p || !p->HandleAllocated() || !::IsWindowVisible(p->WindowHandle())) continue;
    RECT r;
    ::GetWindowRect(p->WindowHandle(), &r);
    // The part's picture: the window less its spare pixels.
    r.right = r.left + shown_[size_t(k)].Width();
    r.bottom = r.top + shown_[size_t(k)].Height();
    ::UnionRect(&all, &all, &r);
  }
  return all;
}

HWND TacBorderForm::TopWindow() const {
  HWND top = owner_.BorderOwnerWindow();
  for (HWND h = ::GetWindow(top, GW_HWNDPREV); h; h = ::GetWindow(h, GW_HWNDPREV)) {
    if (!::IsWindowVisible(h)) continue;
    if (!Owns(h)) break;
    top = h;
  }
  return top;
}

void TacBorderForm::Hide() {
  for (auto& p : parts_)
    if (p && p->HandleAllocated()) ::ShowWindow(p->WindowHandle(), SW_HIDE);
  zorder_ = true;  // shown again, the parts go below the form
}

bool TacBorderForm::SamePicture(int part, const TBitmap32& image, const TRect32& r) const {
  const TBitmap32& s = shown_[size_t(part)];
  if (s.Width() != RectWidth(r) || s.Height() != RectHeight(r)) return false;
  for (int32_t y = 0; y < s.Height(); ++y)
    if (std::memcmp(s.ScanLine(y), image.ScanLine(r.Top + y) + r.Left, size_t(s.Width()) * 4) != 0) return false;
  return true;
}

void TacBorderForm::Update(bool redraw, uint8_t blend) {
  HWND form = owner_.BorderOwnerWindow();
  if (showing_ || !form) return;
  if (!::IsWindowVisible(form) || ::IsIconic(form)) {
    Hide();
    return;
  }
  showing_ = true;
  // A part window that cannot be made throws: the guard goes all the same.
  ScopeExit done([this] { showing_ = false; });
  const TExBorderLayout& l = owner_.BorderExLayout();
  const TBitmap32& image = owner_.BorderFrameImage();
  const uint32_t generation = owner_.BorderFrameGeneration();
  const POINT origin = owner_.BorderImageOrigin();
  if (blend != blend_) redraw = true;
  blend_ = blend;
  bool restack = false;  // a part was shown, hidden or uploaded
  for (int k = 0; k < ebCount; ++k) {
    const TRect32& r = l.Parts[size_t(k)];
    auto& part = parts_[size_t(k)];
    const bool inImage = r.Left >= 0 && r.Top >= 0 && r.Right <= image.Width() && r.Bottom <= image.Height();
    if (RectWidth(r) <= 0 || RectHeight(r) <= 0 || !inImage) {
      if (part && part->HandleAllocated() && ::IsWindowVisible(part->WindowHandle())) {
        ::ShowWindow(part->WindowHandle(), SW_HIDE);
        restack = true;
      }
      shown_[size_t(k)] = TBitmap32();
      continue;
    }
    if (!part) {
      part = std::make_unique<TacLayeredForm>(kLayeredExStyle);
      part->Proc = [this, k](TMessage& m) { return PartMessage(k, m); };
    }
    const POINT pos{origin.x + r.Left, origin.y + r.Top};
    TBitmap32& copy = shown_[size_t(k)];
    // A picture is compared only when the frame image changed since the
    // part showed it: a move never uploads.
    bool upload = redraw || copy.Width() != RectWidth(r) || copy.Height() != RectHeight(r);
    if (!upload && generation_[size_t(k)] != generation) upload = !SamePicture(k, image, r);
    generation_[size_t(k)] = generation;
    const bool wasShown = part->HandleAllocated() && ::IsWindowVisible(part->WindowHandle());
    if (upload) {
      TExBorderTimer timer(ExBorderTimes().UploadUs);
      ++ExBorderTimes().Uploads;
      copy.SetSizeForOverwrite(RectWidth(r), RectHeight(r));
      for (int32_t y = 0; y < copy.Height(); ++y)
        std::memcpy(copy.ScanLine(y), image.ScanLine(r.Top + y) + r.Left, size_t(copy.Width()) * 4);
      SIZE& ws = windowSize_[size_t(k)];
      const bool horizontal = k == ebTop || k == ebBottom;
      ws = horizontal ? SIZE{WindowLength(ws.cx, copy.Width()), copy.Height()}
                      : SIZE{copy.Width(), WindowLength(ws.cy, copy.Height())};
      SIZE& rs = regionSize_[size_t(k)];
      if (rs.cx != copy.Width() || rs.cy != copy.Height()) {
        // The window's region cuts it to the picture: the spare pixels let
        // the mouse through to whatever lies below.
        UniqueRegion rgn(::CreateRectRgn(0, 0, copy.Width(), copy.Height()));
        if (rgn && ::SetWindowRgn(part->Handle(), rgn.get(), FALSE)) {
          rgn.release();  // the system's now
          rs = {copy.Width(), copy.Height()};
        }
      }
      if (!part->SetPicture(copy, {0, 0, copy.Width(), copy.Height()}, ws.cx, ws.cy) ||
          !part->Present(pos, blend, false)) {
        copy = TBitmap32();
        continue;
      }
      placed_[size_t(k)] = pos;
    }
    const bool moved = placed_[size_t(k)].x != pos.x || placed_[size_t(k)].y != pos.y;
    const bool zorder = zorder_ || !wasShown;
    if (!moved && wasShown && !zorder) continue;
    TExBorderTimer timer(ExBorderTimes().PlaceUs);
    UINT flags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_NOREDRAW;
    if (!zorder && wasShown) flags |= SWP_NOZORDER;
    if (!wasShown) flags |= SWP_SHOWWINDOW;
    // Just below the form: the form covers the client area of the frame.
    ::SetWindowPos(part->Handle(), form, pos.x, pos.y, 0, 0, flags);
    placed_[size_t(k)] = pos;
    restack = restack || !wasShown;
  }
  // Showing or hiding one part may move the others in z-order (under Wine
  // a hidden window goes to the top): then every shown part goes back just
  // below the form.
  if (restack && !Contiguous()) {
    TExBorderTimer timer(ExBorderTimes().PlaceUs);
    for (const auto& part : parts_)
      if (part && part->HandleAllocated() && ::IsWindowVisible(part->WindowHandle()))
        ::SetWindowPos(part->WindowHandle(), form, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING |
                           SWP_NOREDRAW);
  }
  zorder_ = false;
}

bool TacBorderForm::Contiguous() const {
  HWND form = owner_.BorderOwnerWindow();
  int shown = 0, found = 0;
  for (const auto& p : parts_)
    if (p && p->HandleAllocated() && ::IsWindowVisible(p->WindowHandle())) ++shown;
  // The shown parts next to the form, above it and below it, with only
  // hidden windows between.
  for (UINT dir : {GW_HWNDNEXT, GW_HWNDPREV}) {
    for (HWND h = ::GetWindow(form, dir); h && found < shown; h = ::GetWindow(h, dir)) {
      if (!::IsWindowVisible(h)) continue;
      if (!Owns(h)) break;
      ++found;
    }
  }
  return found == shown;
}

int32_t TacBorderForm::HitTest(POINT screen) {
  const POINT o = owner_.BorderImageOrigin();
  const TFrameLayout& frame = owner_.BorderFrameLayout();
  if (!::IsWindowEnabled(owner_.BorderOwnerWindow())) return kHtTransparent;
  return ExBorderHitTest(frame, owner_.BorderExLayout(), screen.x - o.x, screen.y - o.y);
}

bool TacBorderForm::PartMessage(int part, TMessage& m) {
  HWND form = owner_.BorderOwnerWindow();
  HWND self = PartWindow(part);
  switch (m.Msg) {
    case WM_NCHITTEST: {
      const int32_t code = HitTest(ScreenPoint(m.LParam));
      m.Result = code == kHtTransparent || code == kHtNowhere ? HTTRANSPARENT : kHtBorderWindow;
      return true;
    }
    case WM_SETCURSOR: {
      POINT p;
      if (reinterpret_cast<HWND>(m.WParam) != self || !::GetCursorPos(&p)) return false;
      const int32_t code = HitTest(p);
      if (code == kHtTransparent) return false;
      ::SetCursor(::LoadCursorW(nullptr, CursorOf(code)));
      m.Result = TRUE;
      return true;
    }
    case WM_MOUSEACTIVATE:
      // The form takes the activation a click on its frame gives.
      if (form && ::IsWindowEnabled(form) && ::GetForegroundWindow() != form) ::SetForegroundWindow(form);
      m.Result = MA_NOACTIVATE;
      return true;
    case WM_NCMOUSEMOVE:
      owner_.BorderMouseMove(HitTest(ScreenPoint(m.LParam)));
      if (!tracking_[size_t(part)]) tracking_[size_t(part)] = TrackMouseLeave(self, true);
      m.Result = 0;
      return true;
    case WM_NCMOUSELEAVE: {
      tracking_[size_t(part)] = false;
      POINT p;
      // Moving onto another part of the frame is not leaving it.
      if (::GetCursorPos(&p) && Owns(::WindowFromPoint(p))) owner_.BorderMouseMove(HitTest(p));
      else owner_.BorderMouseMove(kHtNowhere);
      m.Result = 0;
      return true;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
      // The form hit-tests the point again (wParam -1) and acts as for a
      // press on its own frame.
      if (HitTest(ScreenPoint(m.LParam)) == kHtTransparent) return true;
      if (form) ::SendMessageW(form, m.Msg, static_cast<WPARAM>(-1), m.LParam);
      m.Result = 0;
      return true;
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: {
      const int32_t code = HitTest(ScreenPoint(m.LParam));
      if (code == kHtTransparent) return true;
      if (form) ::SendMessageW(form, m.Msg, static_cast<WPARAM>(code), m.LParam);
      m.Result = 0;
      return true;
    }
    default:
      if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK) {
        PassThrough(part, m);
        return true;
      }
      return false;
  }
}

HWND TacBorderForm::WindowBelow(POINT pt, HWND from) const {
  HWND form = owner_.BorderOwnerWindow();
  for (HWND h = ::GetWindow(from, GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (h == form || Owns(h) || !::IsWindowVisible(h)) continue;
    const LONG ex = ::GetWindowLongW(h, GWL_EXSTYLE);
    if ((ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT)) continue;
    RECT r;
    if (!::GetWindowRect(h, &r) || !::PtInRect(&r, pt)) continue;
    UniqueRegion rgn(::CreateRectRgn(0, 0, 0, 0));
    if (rgn && ::GetWindowRgn(h, rgn.get()) != ERROR && !::PtInRegion(rgn.get(), pt.x - r.left, pt.y - r.top))
      continue;
    // The deepest visible, enabled child under the point.
    HWND target = h;
    for (int depth = 0; depth < 32; ++depth) {
      POINT cp = pt;
      ::ScreenToClient(target, &cp);
      HWND child = ::ChildWindowFromPointEx(target, cp, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
      if (!child || child == target) break;
      target = child;
    }
    return target;
  }
  return nullptr;
}

void TacBorderForm::PassThrough(int part, TMessage& m) {
  m.Result = 0;
  HWND self = PartWindow(part);
  POINT pt{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  ::ClientToScreen(self, &pt);
  HWND target = WindowBelow(pt, self);
  if (!target) return;
  // Every mouse message is converted to the target's client coordinates and
  // posted: a window of another program that hangs cannot hang this one.
  POINT cp = pt;
  ::ScreenToClient(target, &cp);
  ::PostMessageW(target, m.Msg, m.WParam, MAKELPARAM(cp.x, cp.y));
}

}  // namespace glyphora
