// The extended border: one move step of a form with its border windows,
// one resize step at 1920 x 1080 until frame and shadow are shown (and
// where that time goes), the time from a hover to the caption button's
// glow on screen, and the GDI and USER objects left after many resizes and
// glows. Measured on a form of its own (a provider, no controls) beside the
// main window, whose manager gives both the extended border.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/main_form.h"
#include "bench/timing.h"
#include "framework/application.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/glow_win.h"
#include "skin/forms/layered_form_win.h"

using namespace glyphora;
using glyphora::bench::MedianMicros;

namespace {
BOOL CALLBACK CountOwn(HWND w, LPARAM lp) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(w, &pid);
  if (pid == ::GetCurrentProcessId()) ++*reinterpret_cast<long*>(lp);
  return TRUE;
}

// Windows of this process (USER objects the border and glows make).
long ProcessWindows() {
  long n = 0;
  ::EnumWindows(&CountOwn, reinterpret_cast<LPARAM>(&n));
  return n;
}
}  // namespace

int main() {
  Application()->Initialize();
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  TForm1 main(nullptr, std::wstring(tmp) + L"glyphora_exborder_bench.ini");
  main.Show();
  TForm bare(nullptr);
  bare.SetCaption(L"Glyphora");
  auto* provider = new TsSkinProvider(&bare);  // owned by the form
  provider->Loaded();
  bare.DefaultPosition = false;
  bare.SetBounds(100, 80, 900, 600);
  bare.Show();
  Application()->ProcessMessages();
  HWND w = bare.WindowHandle();
  if (!provider->ExtendedBorder()) {
    std::printf("exborder_bench: no extended border\n");
    return 1;
  }

  int step = 0;
  const double move = MedianMicros(201, [&] {
    const int d = (++step & 1) * 3;
    ::SetWindowPos(w, nullptr, 100 + d, 80 + d, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  });

  // The same move without the border, and a 1000 x 700 layered window's
  // update, for comparison on a machine whose load varies.
  provider->SetAllowExtBorders(false);
  Application()->ProcessMessages();
  const double moveAlone = MedianMicros(201, [&] {
    const int d = (++step & 1) * 3;
    ::SetWindowPos(w, nullptr, 100 + d, 80 + d, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  });
  provider->SetAllowExtBorders(true);
  Application()->ProcessMessages();
  double layered = 0;
  {
    TacLayeredForm reference;
    TBitmap32 picture(1000, 700);
    picture.Fill(0x80404040u);
    reference.SetPicture(picture, {0, 0, 1000, 700});
    reference.Present(POINT{1200, 300}, 255);
    layered = MedianMicros(21, [&] { reference.Present(POINT{1200, 300}, 255); });
  }

  // Resizing at full-screen size: the frame image, the form's region and
  // the parts whose picture changed, all before SetWindowPos returns.
  ::SetWindowPos(w, nullptr, 0, 0, 1920, 1080, SWP_NOZORDER | SWP_NOACTIVATE);
  Application()->ProcessMessages();
  const TExBorderTimes before = ExBorderTimes();
  const int resizes = 41;
  const double resize = MedianMicros(resizes, [&] {
    const int d = (++step & 1) * 8;
    ::SetWindowPos(w, nullptr, 0, 0, 1920 - d, 1080 - d, SWP_NOZORDER | SWP_NOACTIVATE);
    ::GdiFlush();
  });
  const TExBorderTimes after = ExBorderTimes();
  auto per = [&](double a, double b) { return (a - b) / resizes / 1000; };
  ::SetWindowPos(w, nullptr, 100, 80, 900, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  Application()->ProcessMessages();

  // A hover on the close button until its glow window is shown.
  TacBorderForm& border = *provider->BorderForm();
  const TFrameLayout l = provider->Layout();
  const TRect32& close = l.Buttons[cbClose];
  const POINT o = provider->ImageOrigin();
  const POINT at{o.x + (close.Left + close.Right) / 2, o.y + (close.Top + close.Bottom) / 2};
  const POINT away{o.x + l.In.Width / 2, o.y + l.In.Height / 2};
  HWND top = border.PartWindow(ebTop);
  const double glow = MedianMicros(101, [&] {
    ::SendMessageW(top, WM_NCMOUSEMOVE, kHtBorderWindow, MAKELPARAM(at.x, at.y));
    ::GdiFlush();
    ::SendMessageW(top, WM_NCMOUSEMOVE, kHtBorderWindow, MAKELPARAM(away.x, away.y));
  });

  // Minimising with the skin's time until the picture reached the taskbar,
  // and the parts of one minimise-restore cycle without animation time.
  TsSkinManager& manager = *main.sSkinManager1;
  const int skinMinimizeMs = manager.AnimEffects.Minimizing.Time;
  auto waitAnimation = [&] {
    while (provider->Animating()) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
      Application()->ProcessMessages();
    }
  };
  std::vector<double> minimizeTimes;
  for (int i = 0; i < 5; ++i) {
    const double t0 = bench::NowMs();
    ::SendMessageW(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    waitAnimation();
    minimizeTimes.push_back(bench::NowMs() - t0);
    ::SendMessageW(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    waitAnimation();
  }
  std::sort(minimizeTimes.begin(), minimizeTimes.end());
  manager.AnimEffects.Minimizing.Time = 0;
  double cycleParts[4] = {};
  const int cycleRuns = 10;
  for (int i = 0; i < cycleRuns; ++i) {
    double t = bench::NowMs();
    ::SendMessageW(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    cycleParts[0] += bench::NowMs() - t;
    t = bench::NowMs();
    waitAnimation();
    cycleParts[1] += bench::NowMs() - t;
    t = bench::NowMs();
    ::SendMessageW(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    cycleParts[2] += bench::NowMs() - t;
    t = bench::NowMs();
    waitAnimation();
    cycleParts[3] += bench::NowMs() - t;
  }

  // Objects left behind: resizes and glows after a warm-up.
  auto cycle = [&](int i) {
    ::SetWindowPos(w, nullptr, 0, 0, 900 + (i & 7) * 10, 600 + (i & 3) * 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(top, WM_NCMOUSEMOVE, kHtBorderWindow, MAKELPARAM(at.x, at.y));
    ::SendMessageW(top, WM_NCMOUSEMOVE, kHtBorderWindow, MAKELPARAM(away.x, away.y));
    // A minimise and a restore every tenth step: 100 in all.
    if (i % 10 == 0) {
      ::SendMessageW(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      waitAnimation();
      ::SendMessageW(w, WM_SYSCOMMAND, SC_RESTORE, 0);
      waitAnimation();
    }
    Application()->ProcessMessages();
  };
  for (int i = 0; i < 8; ++i) cycle(i * 10);
  const long gdiBefore = LiveGdiObjects(), userBefore = ProcessWindows();
  for (int i = 0; i < 1000; ++i) cycle(i);
  const long gained = (LiveGdiObjects() - gdiBefore) + (ProcessWindows() - userBefore);

  std::printf("exborder_move_ms: %.3f\n", move / 1000);
  std::printf("exborder_move_without_border_ms: %.3f\n", moveAlone / 1000);
  std::printf("exborder_resize_ms: %.3f\n", resize / 1000);
  std::printf("exborder_resize_paint_ms: %.3f\n", per(after.PaintUs, before.PaintUs));
  std::printf("exborder_resize_region_ms: %.3f\n", per(after.RegionUs, before.RegionUs));
  std::printf("exborder_resize_upload_ms: %.3f\n", per(after.UploadUs, before.UploadUs));
  std::printf("exborder_resize_place_ms: %.3f\n", per(after.PlaceUs, before.PlaceUs));
  std::printf("layered_update_1000x700_ms: %.3f\n", layered / 1000);
  std::printf("glow_show_ms: %.3f\n", glow / 1000);
  std::printf("minimize_animation_ms: %.1f\n", minimizeTimes[minimizeTimes.size() / 2]);
  std::printf("minimize_animation_time_ms: %d\n", skinMinimizeMs);
  std::printf("minimize_cycle_minimize_ms: %.1f\n", cycleParts[0] / cycleRuns);
  std::printf("minimize_cycle_wait_ms: %.1f\n", cycleParts[1] / cycleRuns);
  std::printf("minimize_cycle_restore_ms: %.1f\n", cycleParts[2] / cycleRuns);
  std::printf("minimize_cycle_restore_wait_ms: %.1f\n", cycleParts[3] / cycleRuns);
  std::printf("exborder_gdi_objects_gained: %ld\n", gained);
  return 0;
}
