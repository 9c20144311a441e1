// A full skin switch on the main window: the internal skin loaded again and
// the new-skin broadcast to every control (which marks everything for
// repainting); then, separately, the repaint that follows.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/main_form.h"
#include "framework/application.h"

using namespace glyphora;

namespace {
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
double Ms(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}
}  // namespace

int main() {
  Application()->Initialize();
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  TForm1 form(nullptr, std::wstring(tmp) + L"glyphora_bench.ini");
  form.Show();
  Application()->ProcessMessages();
  TsSkinManager* m = form.sSkinManager1;
  // Idle first: the font list draws the next rows ahead while the program
  // is idle, and the fonts it makes for them are not the switch's.
  for (int k = 0; k < 100; ++k) {
    ::Sleep(20);
    Application()->ProcessMessages();
  }
  const long gdiBefore = LiveGdiObjects();
  std::vector<double> sw, repaint, load, broadcast;
  for (int i = 0; i < 40; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    m->SetSkinName(L"NorvaneWhite (internal)");
    auto t1 = std::chrono::steady_clock::now();
    Application()->ProcessMessages();
    auto t2 = std::chrono::steady_clock::now();
    sw.push_back(Ms(t0, t1));
    repaint.push_back(Ms(t1, t2));
  }
  for (int i = 0; i < 40; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    m->Content().LoadFromPackage(m->InternalSkins[0].PackedData);
    auto t1 = std::chrono::steady_clock::now();
    m->UpdateSkin(false);
    auto t2 = std::chrono::steady_clock::now();
    load.push_back(Ms(t0, t1));
    broadcast.push_back(Ms(t1, t2));
  }
  std::printf("skin_switch_ms: %.2f\n", Median(sw));
  std::printf("skin_switch_gdi_objects_gained: %ld\n", LiveGdiObjects() - gdiBefore);
  std::printf("skin_switch_load_ms: %.2f\n", Median(load));
  std::printf("skin_switch_broadcast_ms: %.2f\n", Median(broadcast));
  std::printf("skin_switch_repaint_ms: %.2f\n", Median(repaint));
  return 0;
}
