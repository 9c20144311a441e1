// A full skin switch on the main window: the internal skin loaded again and
// the new-skin broadcast to every control, with the repaint it asks for.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/main_form.h"
#include "framework/application.h"

using namespace glyphora;

int main() {
  Application()->Initialize();
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  TForm1 form(nullptr, std::wstring(tmp) + L"glyphora_bench.ini");
  form.Show();
  Application()->ProcessMessages();
  TsSkinManager* m = form.sSkinManager1;
  std::vector<double> ms;
  for (int i = 0; i < 40; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    m->SetSkinName(L"NorvaneWhite (internal)");
    Application()->ProcessMessages();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  // The parts: loading alone, and the broadcast with its repaint.
  std::vector<double> load, broadcast;
  for (int i = 0; i < 40; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    m->Content().LoadFromPackage(m->InternalSkins[0].PackedData);
    auto t1 = std::chrono::steady_clock::now();
    m->UpdateSkin(true);
    Application()->ProcessMessages();
    auto t2 = std::chrono::steady_clock::now();
    load.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    broadcast.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
  }
  std::sort(load.begin(), load.end());
  std::sort(broadcast.begin(), broadcast.end());
  std::vector<double> bonly;
  for (int i = 0; i < 40; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    m->UpdateSkin(false);
    bonly.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  std::sort(bonly.begin(), bonly.end());
  std::printf("skin_switch_broadcast_only_ms: %.2f\n", bonly[bonly.size() / 2]);
  std::printf("skin_switch_load_ms: %.2f\n", load[load.size() / 2]);
  std::printf("skin_switch_broadcast_repaint_ms: %.2f\n", broadcast[broadcast.size() / 2]);
  std::sort(ms.begin(), ms.end());
  std::printf("skin_switch_ms: %.2f\n", ms[ms.size() / 2]);
  std::printf("skin_switch_min_ms: %.2f\n", ms.front());
  return 0;
}
