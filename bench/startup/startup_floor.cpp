// The floor that start-up times are measured against: the least a Windows
// font viewer does before its window is painted. It enumerates the screen's
// font families once, opens one window of the main window's size and paints
// it, then waits for messages like any program.
#include <windows.h>

namespace {
int families = 0;

int CALLBACK CountFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM) {
  ++families;
  return 1;
}

LRESULT CALLBACK FloorProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(wnd, &ps);
      RECT r;
      ::GetClientRect(wnd, &r);
      ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
      wchar_t text[64];
      wsprintfW(text, L"%d font families", families);
      ::DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      ::EndPaint(wnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int show) {
  HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesW(screen, nullptr, &CountFamily, 0);
  ::ReleaseDC(nullptr, screen);
  WNDCLASSW wc{};
  wc.lpfnWndProc = &FloorProc;
  wc.hInstance = inst;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"GlyphoraStartupFloor";
  ::RegisterClassW(&wc);
  HWND wnd = ::CreateWindowExW(0, wc.lpszClassName, L"Start-up floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, 885, 536, nullptr, nullptr, inst, nullptr);
  ::ShowWindow(wnd, show);
  ::UpdateWindow(wnd);
  MSG m;
  while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&m);
    ::DispatchMessageW(&m);
  }
  return 0;
}
