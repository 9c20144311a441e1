// The window placement file: where and how large the main window was, and
// whether it was maximised, kept beside the executable.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "app/main_form.h"
#include "framework/application.h"
#include "framework/inifiles.h"

namespace glyphora {

namespace {
const wchar_t kSection[] = L"Main";

// A rectangle from 64-bit edges, or nothing when an edge lies outside the
// 32-bit coordinate range (the file's values are only checked one by one).
std::optional<RECT> MakeRect(int64_t x, int64_t y, int64_t w, int64_t h) {
  const int64_t lo = INT32_MIN, hi = INT32_MAX;
  if (x < lo || y < lo || x + w > hi || y + h > hi) return std::nullopt;
  return RECT{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(x + w), static_cast<LONG>(y + h)};
}

// A rectangle that lies on no monitor would leave the window unreachable:
// keep its size and move it onto the nearest monitor's work area.
std::optional<RECT> KeepOnScreen(RECT r) {
  if (::MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return r;
  HMONITOR mon = ::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (!mon || !::GetMonitorInfoW(mon, &mi)) return std::nullopt;
  const RECT& wa = mi.rcWork;
  const int64_t w = int64_t{r.right} - r.left, h = int64_t{r.bottom} - r.top;
  int64_t x = r.left, y = r.top;
  if (x + w > wa.right) x = wa.right - w;
  if (y + h > wa.bottom) y = wa.bottom - h;
  if (x < wa.left) x = wa.left;
  if (y < wa.top) y = wa.top;
  return MakeRect(x, y, w, h);
}
}  // namespace

std::wstring TForm1::SettingsFileName() const {
  if (!settingsFile_.empty()) return settingsFile_;
  return ExecutablePathWithExtension(L".ini");
}

void TForm1::ReadIniSettings() {
  TIniFile ini(SettingsFileName());
  int32_t left = ini.ReadInteger(kSection, L"Left", 0);
  int32_t top = ini.ReadInteger(kSection, L"Top", 0);
  int32_t width = ini.ReadInteger(kSection, L"Width", 0);
  int32_t height = ini.ReadInteger(kSection, L"Height", 0);
  if (width > 0 && height > 0) {
    // Constraints apply first, so the on-screen check sees the real size.
    width = std::max<int32_t>(width, Constraints.MinWidth);
    height = std::max<int32_t>(height, Constraints.MinHeight);
    // Bounds that no screen can show (an edge beyond the coordinate range)
    // leave the designed size and the platform-chosen position, as a file
    // without a usable size does.
    std::optional<RECT> r = MakeRect(left, top, width, height);
    if (r) r = KeepOnScreen(*r);
    if (r) SetBounds(r->left, r->top, r->right - r->left, r->bottom - r->top);
  }
  if (ini.ReadInteger(kSection, L"Maximized", 0) != 0) SetWindowState(TWindowState::wsMaximized);
}

void TForm1::WriteIniSettings() {
  TIniFile ini(SettingsFileName());
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(WINDOWPLACEMENT);
  ::GetWindowPlacement(WindowHandle(), &wp);
  const RECT& n = wp.rcNormalPosition;
  ini.WriteInteger(kSection, L"Left", n.left);
  ini.WriteInteger(kSection, L"Top", n.top);
  ini.WriteInteger(kSection, L"Width", n.right - n.left);
  ini.WriteInteger(kSection, L"Height", n.bottom - n.top);
  ini.WriteInteger(kSection, L"Maximized", WindowState() == TWindowState::wsMaximized ? 1 : 0);
}

}  // namespace glyphora
