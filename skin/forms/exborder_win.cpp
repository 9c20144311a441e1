#include "skin/forms/exborder_win.h"

#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

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

namespace {
struct TSparePart {
  int Kind;  // the part it was: the same part of the next border likely shows the same picture
  TBorderPart Part;
};

// Never destroyed: windows cannot be destroyed safely once the process is
// ending, and the system takes them with it.
std::vector<TSparePart>& Spares() {
  static auto* spares = new std::vector<TSparePart>();
  return *spares;
}

// Hides a part that leaves its border and forgets the border's handler; a
// part shown at part opacity (in a fade) is not kept.
void Park(int kind, TBorderPart& part, bool opaque) {
  if (!part.Wnd) return;
  HWND w = part.Wnd->WindowHandle();
  part.Wnd->Proc = nullptr;
  if (!w || !opaque || Spares().size() >= size_t(ebCount) ||
      ::GetWindowThreadProcessId(w, nullptr) != ::GetCurrentThreadId()) {
    part.Wnd.reset();
    return;
  }
  // The platform's leave tracking of the window ends with its border.
  TRACKMOUSEEVENT tme{sizeof(tme), TME_QUERY, nullptr, 0};
  if (::TrackMouseEvent(&tme) && tme.hwndTrack == w) {
    tme = {sizeof(tme), TME_CANCEL | (tme.dwFlags & (TME_LEAVE | TME_NONCLIENT)), w, 0};
    ::TrackMouseEvent(&tme);
  }
  ::SetWindowPos(w, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  part.Tracking = false;
  part.Generation.reset();
  Spares().push_back({kind, std::move(part)});
  part = TBorderPart();
}

// A spare for the part `kind`: the one that was that part, else any.
bool TakeSpare(int kind, TBorderPart& part) {
  auto& spares = Spares();
  // Only this thread's windows: their messages come to its loop.
  const DWORD thread = ::GetCurrentThreadId();
  auto mine = [thread](const TSparePart& s) {
    return ::GetWindowThreadProcessId(s.Part.Wnd->WindowHandle(), nullptr) == thread;
  };
  auto it = std::find_if(spares.begin(), spares.end(), [&](const TSparePart& s) { return s.Kind == kind && mine(s); });
  if (it == spares.end()) it = std::find_if(spares.begin(), spares.end(), mine);
  if (it == spares.end()) return false;
  part = std::move(it->Part);
  spares.erase(it);
  HWND w = part.Wnd->WindowHandle();
  if (!::IsWindow(w)) {
    part = TBorderPart();
    return false;
  }
  return true;
}
}  // namespace

void FreeSpareBorderParts() {
  // Out of the list before they go: a window destroyed may send messages.
  std::vector<TSparePart> gone;
  gone.swap(Spares());
}

long SpareBorderParts() { return long(Spares().size()); }

TacBorderForm::TacBorderForm(TBorderOwner& owner) : owner_(owner) {}

TacBorderForm::~TacBorderForm() {
  for (int k = 0; k < ebCount; ++k) Park(k, parts_[size_t(k)], blend_ == 255);
}

bool TacBorderForm::Shown() const {
  for (const auto& p : parts_)
    if (p.Wnd && p.Wnd->HandleAllocated() && ::IsWindowVisible(p.Wnd->WindowHandle())) return true;
  return false;
}

HWND TacBorderForm::PartWindow(int part) const {
  return part >= 0 && part < ebCount && parts_[size_t(part)].Wnd ? parts_[size_t(part)].Wnd->WindowHandle() : nullptr;
}

bool TacBorderForm::Owns(HWND wnd) const {
  if (!wnd) return false;
  for (const auto& p : parts_)
    if (p.Wnd && p.Wnd->WindowHandle() == wnd) return true;
  return false;
}

RECT TacBorderForm::Bounds() const {
  RECT all{0, 0, 0, 0};
  for (int k = 0; k < ebCount; ++k) {
    const TBorderPart& p = parts_[size_t(k)];
    if (!p.Wnd || !p.Wnd->HandleAllocated() || !::IsWindowVisible(p.Wnd->WindowHandle())) continue;
    RECT r;
    ::GetWindowRect(p.Wnd->WindowHandle(), &r);
    // The part's picture: the window less its spare pixels.
    r.right = r.left + p.Shown.Width();
    r.bottom = r.top + p.Shown.Height();
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
    if (p.Wnd && p.Wnd->HandleAllocated()) ::ShowWindow(p.Wnd->WindowHandle(), SW_HIDE);
  zorder_ = true;  // shown again, the parts go below the form
}

bool TacBorderForm::SamePicture(int part, const TBitmap32& image, const TRect32& r) const {
  const TBitmap32& s = parts_[size_t(part)].Shown;
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
  HWND after = nullptr;   // where parts go in z-order, asked once
  for (int k = 0; k < ebCount; ++k) {
    const TRect32& r = l.Parts[size_t(k)];
    TBorderPart& part = parts_[size_t(k)];
    const bool inImage = r.Left >= 0 && r.Top >= 0 && r.Right <= image.Width() && r.Bottom <= image.Height();
    if (RectWidth(r) <= 0 || RectHeight(r) <= 0 || !inImage) {
      if (part.Wnd && part.Wnd->HandleAllocated() && ::IsWindowVisible(part.Wnd->WindowHandle())) {
        ::ShowWindow(part.Wnd->WindowHandle(), SW_HIDE);
        restack = true;
      }
      part.Shown = TBitmap32();
      continue;
    }
    if (!part.Wnd && !TakeSpare(k, part)) part.Wnd = std::make_unique<TacLayeredForm>(kLayeredExStyle);
    if (!part.Wnd->Proc) part.Wnd->Proc = [this, k](TMessage& m) { return PartMessage(k, m); };
    const POINT pos{origin.x + r.Left, origin.y + r.Top};
    TBitmap32& copy = part.Shown;
    // A picture is compared only when the frame image changed since the
    // part showed it: a move never uploads.
    bool upload = redraw || copy.Width() != RectWidth(r) || copy.Height() != RectHeight(r);
    if (!upload && part.Generation != generation) upload = !SamePicture(k, image, r);
    part.Generation = generation;
    HWND w = part.Wnd->Handle();
    const bool wasShown = ::IsWindowVisible(w);
    if (upload) {
      TExBorderTimer timer(ExBorderTimes().UploadUs);
      ++ExBorderTimes().Uploads;
      copy.SetSizeForOverwrite(RectWidth(r), RectHeight(r));
      for (int32_t y = 0; y < copy.Height(); ++y)
        std::memcpy(copy.ScanLine(y), image.ScanLine(r.Top + y) + r.Left, size_t(copy.Width()) * 4);
      SIZE& ws = part.WindowSize;
      const bool horizontal = k == ebTop || k == ebBottom;
      ws = horizontal ? SIZE{WindowLength(ws.cx, copy.Width()), copy.Height()}
                      : SIZE{copy.Width(), WindowLength(ws.cy, copy.Height())};
      SIZE& rs = part.RegionSize;
      if (rs.cx != copy.Width() || rs.cy != copy.Height()) {
        // The window's region cuts it to the picture: the spare pixels let
        // the mouse through to whatever lies below.
        UniqueRegion rgn(::CreateRectRgn(0, 0, copy.Width(), copy.Height()));
        if (rgn && ::SetWindowRgn(w, rgn.get(), FALSE)) {
          rgn.release();  // the system's now
          rs = {copy.Width(), copy.Height()};
        }
      }
      if (!part.Wnd->SetPicture(copy, {0, 0, copy.Width(), copy.Height()}, ws.cx, ws.cy) ||
          !part.Wnd->Present(pos, blend, false)) {
        copy = TBitmap32();
        continue;
      }
      part.Placed = pos;
    }
    const bool moved = part.Placed.x != pos.x || part.Placed.y != pos.y;
    const bool zorder = zorder_ || !wasShown;
    if (!moved && wasShown && !zorder) continue;
    TExBorderTimer timer(ExBorderTimes().PlaceUs);
    UINT flags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_NOREDRAW;
    if (!zorder && wasShown) flags |= SWP_NOZORDER;
    if (!wasShown) flags |= SWP_SHOWWINDOW;
    // Next to the form: the form covers the client area of the frame. Below
    // it, unless the form is the top window: then the part goes to the top
    // itself, since under Wine the display stacks a window again only when
    // it comes to the top, and the windows raised or made while the part
    // was hidden or away would still cover it there.
    if (zorder && !after) after = FormOnTop() ? HWND_TOP : form;
    ::SetWindowPos(w, zorder ? after : nullptr, pos.x, pos.y, 0, 0, flags);
    part.Placed = pos;
    restack = restack || !wasShown;
  }
  // Showing or hiding one part may move the others in z-order (under Wine
  // a hidden window goes to the top): then every shown part goes back just
  // below the form.
  if (restack && !Contiguous()) {
    TExBorderTimer timer(ExBorderTimes().PlaceUs);
    for (const auto& part : parts_)
      if (part.Wnd && part.Wnd->HandleAllocated() && ::IsWindowVisible(part.Wnd->WindowHandle()))
        ::SetWindowPos(part.Wnd->WindowHandle(), form, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING |
                           SWP_NOREDRAW);
  }
  zorder_ = false;
}

bool TacBorderForm::FormOnTop() const {
  for (HWND h = ::GetWindow(owner_.BorderOwnerWindow(), GW_HWNDPREV); h; h = ::GetWindow(h, GW_HWNDPREV))
    if (::IsWindowVisible(h) && !Owns(h)) return false;
  return true;
}

bool TacBorderForm::Contiguous() const {
  HWND form = owner_.BorderOwnerWindow();
  int shown = 0, found = 0;
  for (const auto& p : parts_)
    if (p.Wnd && p.Wnd->HandleAllocated() && ::IsWindowVisible(p.Wnd->WindowHandle())) ++shown;
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
      if (!parts_[size_t(part)].Tracking) parts_[size_t(part)].Tracking = TrackMouseLeave(self, true);
      m.Result = 0;
      return true;
    case WM_NCMOUSELEAVE: {
      parts_[size_t(part)].Tracking = false;
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
