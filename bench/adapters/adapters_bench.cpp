// The skinned sample text's keystroke, frame and bar refresh included,
// against the same keystroke with the skin removed (the rich edit's own
// time); and the GDI objects and adapters left after 100 cycles of removing
// and restoring the skin.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/main_form.h"
#include "bench/timing.h"
#include "framework/application.h"
#include "framework/handles.h"
#include "skin/core/sSkinManager.h"
#include "skin/paint/control_adapter_win.h"

using namespace glyphora;

namespace {

// A keystroke typed at the end of the sample text, until repainted.
double KeystrokeMs(TForm1& form) {
  HWND w = form.TextViewer->Handle();
  form.TextViewer->SetFocus();
  Application()->ProcessMessages();
  return bench::MedianMicros(41, [&] {
    ::SendMessageW(w, WM_KEYDOWN, 'A', 0);
    ::SendMessageW(w, WM_CHAR, 'a', 0);
    ::SendMessageW(w, WM_KEYUP, 'A', 0);
    ::UpdateWindow(w);
  }) / 1000.0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The number of remove-restore cycles (100 unless given).
  const int cycles = argc > 1 ? std::max(1, _wtoi(argv[1])) : 100;
  Application()->Initialize();
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  TForm1 form(nullptr, std::wstring(tmp) + L"glyphora_adapters_bench.ini");
  form.Show();
  Application()->ProcessMessages();
  TsSkinManager* manager = form.sSkinManager1;

  const double skinned = KeystrokeMs(form);
  manager->SetActive(false);
  Application()->ProcessMessages();
  const double native = KeystrokeMs(form);
  manager->SetActive(true);
  Application()->ProcessMessages();

  // One cycle first: caches that fill once are not a leak.
  manager->SetActive(false);
  manager->SetActive(true);
  Application()->ProcessMessages();
  const long gdi = LiveGdiObjects();
  const int adapters = TacMainWnd::LiveCount();
  for (int i = 0; i < cycles; ++i) {
    manager->SetActive(false);
    Application()->ProcessMessages();
    manager->SetActive(true);
    Application()->ProcessMessages();
  }
  std::printf("edit_keystroke_ms: %.3f\n", skinned);
  std::printf("edit_keystroke_native_ms: %.3f\n", native);
  std::printf("edit_keystroke_over_native_ms: %.3f\n", skinned - native);
  std::printf("adapters_gdi_objects_gained: %ld\n", LiveGdiObjects() - gdi);
  std::printf("adapters_gained: %d\n", TacMainWnd::LiveCount() - adapters);
  std::fflush(stdout);
  return 0;
}
