// The skinned frame: activation until the caption is painted again, a
// resize step at 1920 x 1080 until the frame is painted, one hit test, one
// caption button repaint, and the GDI objects left after 1,000 resize,
// activation and maximise cycles. The frame is measured on a form of its own
// (no controls); the main window's resize step, which lays out and repaints
// all its controls too, is printed beside it.
#include <windows.h>

#include <cstdio>

#include "app/main_form.h"
#include "bench/timing.h"
#include "framework/application.h"

using namespace glyphora;
using glyphora::bench::MedianMicros;

int main() {
  Application()->Initialize();
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  TForm1 main(nullptr, std::wstring(tmp) + L"glyphora_frame_bench.ini");
  main.Show();
  TForm bare(nullptr);
  bare.SetCaption(L"Glyphora");
  auto* provider = new TsSkinProvider(&bare);  // owned by the form
  provider->Loaded();
  bare.Show();
  Application()->ProcessMessages();
  HWND w = bare.WindowHandle();

  bool active = true;
  const double activate = MedianMicros(60, [&] {
    active = !active;
    ::SendMessageW(w, WM_NCACTIVATE, active, 0);
    ::GdiFlush();
  });

  int step = 0;
  auto resizeStep = [&](HWND wnd) {
    return MedianMicros(40, [&] {
      const int d = (++step & 1) * 8;
      ::SetWindowPos(wnd, nullptr, 0, 0, 1920 - d, 1080 - d, SWP_NOZORDER | SWP_NOACTIVATE);
      ::GdiFlush();
    });
  };
  const double mainResize = resizeStep(main.WindowHandle());
  const double resize = resizeStep(w);
  Application()->ProcessMessages();

  RECT wr;
  ::GetWindowRect(w, &wr);
  const TFrameLayout l = provider->Layout();
  const TRect32& close = l.Buttons[cbClose];
  const POINT points[] = {{wr.left + (close.Left + close.Right) / 2, wr.top + (close.Top + close.Bottom) / 2},
                          {wr.left + l.In.Width / 2, wr.top + l.CaptionBottom - 2},
                          {wr.left + 1, wr.top + l.In.Height / 2},
                          {wr.left + l.In.Width / 2, wr.top + l.In.Height / 2}};
  const double hit = MedianMicros(21, [&] {
    for (int i = 0; i < 1000; ++i) {
      const POINT& q = points[i & 3];
      ::SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(q.x, q.y));
    }
  }) / 1000;

  // A press repaints the button pressed, the lost capture normal again.
  const LPARAM at = MAKELPARAM(points[0].x, points[0].y);
  const double button = MedianMicros(41, [&] {
    ::SendMessageW(w, WM_NCLBUTTONDOWN, HTCLOSE, at);
    ::ReleaseCapture();
    ::GdiFlush();
  }) / 2;

  // The main window is hidden so that only the frame's objects are counted.
  ::ShowWindow(main.WindowHandle(), SW_HIDE);
  Application()->ProcessMessages();
  // The same message answered by the platform, for comparison: most of a
  // hit test's time under Wine is the message's way to the window.
  provider->DrawNonClientArea = false;
  const double nativeHit = MedianMicros(21, [&] {
    for (int i = 0; i < 1000; ++i) {
      const POINT& q = points[i & 3];
      ::SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(q.x, q.y));
    }
  }) / 1000;
  provider->DrawNonClientArea = true;
  auto cycle = [&](int i) {
    ::SetWindowPos(w, nullptr, 0, 0, 900 + (i & 7) * 10, 600 + (i & 3) * 10, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(w, WM_NCACTIVATE, i & 1, 0);
    ::ShowWindow(w, (i & 1) ? SW_MAXIMIZE : SW_RESTORE);
    Application()->ProcessMessages();
  };
  for (int i = 0; i < 8; ++i) cycle(i);  // caches of first use (the fonts of a first paint...)
  const long gdiBefore = LiveGdiObjects();
  for (int i = 0; i < 1000; ++i) cycle(i);

  std::printf("caption_activate_ms: %.3f\n", activate / 1000);
  std::printf("frame_resize_ms: %.3f\n", resize / 1000);
  std::printf("main_window_resize_ms: %.3f\n", mainResize / 1000);
  std::printf("nchittest_us: %.3f\n", hit);
  std::printf("nchittest_native_us: %.3f\n", nativeHit);
  std::printf("caption_button_repaint_us: %.1f\n", button);
  std::printf("frame_gdi_objects_gained: %ld\n", LiveGdiObjects() - gdiBefore);
  return 0;
}
