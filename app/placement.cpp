// The window placement file: where and how large the main window was, and
// whether it was maximised, kept beside the executable.
#include <windows.h>

#include <algorithm>

#include "app/main_form.h"
#include "framework/application.h"
#include "framework/inifiles.h"

namespace glyphora {

namespace {
const wchar_t kSection[] = L"Main";

// A rectangle that lies on no monitor would leave the window unreachable:
// keep its size and move it onto the nearest monitor's work area.
RECT KeepOnScreen(RECT r) {
  if (::MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return r;
  HMONITOR mon = ::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (!mon || !::GetMonitorInfoW(mon, &mi)) return r;
  const RECT& wa = mi.rcWork;
  LONG w = r.right - r.left, h = r.bottom - r.top;
  LONG x = r.left, y = r.top;
  if (x + w > wa.right) x = wa.right - w;
  if (y + h > wa.bottom) y = wa.bottom - h;
  if (x < wa.left) x = wa.left;
  if (y < wa.top) y = wa.top;
  return RECT{x, y, x + w, y + h};
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
    RECT r = KeepOnScreen(RECT{left, top, left + width, top + height});
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
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
