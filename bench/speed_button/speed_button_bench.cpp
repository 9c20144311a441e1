// Hover fades of the main window's Select button, with the mouse moved over
// its panel by messages: the time from the mouse entering to the first fade
// frame on screen, one fade step's paint, a whole hover fade against the
// skin's stated length (steps of 10 ms), and what 1,000 hover cycles leave
// behind (fade timers alive, GDI objects gained).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/main_form.h"
#include "bench/timing.h"
#include "framework/application.h"
#include "framework/handles.h"
#include "skin/core/skin_types.h"

using namespace glyphora;
using glyphora::bench::NowMs;

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

struct Hover {
  HWND panel;
  TsSpeedButton* button;
  void Move(int x, int y) const { ::SendMessageW(panel, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
  void Enter() const { Move(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2); }
  void Leave() const { Move(button->Left() - 4, 2); }
  // Runs the message loop until the button's fade has ended.
  void Settle() const {
    const double limit = NowMs() + 2000;
    while (button->Fading() && NowMs() < limit) Application()->HandleMessage(true);
  }
};

}  // namespace

int main() {
  Application()->Initialize();
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  TForm1 form(nullptr, std::wstring(tmp) + L"glyphora_button_bench.ini");
  form.Show();
  Application()->ProcessMessages();
  const Hover h{form.sPanel1->WindowHandle(), form.SelectBtn};
  h.Leave();
  Application()->ProcessMessages();

  // Mouse enters: the first frame is drawn before the message returns.
  std::vector<double> first, total, step;
  for (int i = 0; i < 15; ++i) {
    const double t0 = NowMs();
    h.Enter();
    const double t1 = NowMs();
    if (h.button->Fading()) first.push_back(t1 - t0);
    h.Settle();
    total.push_back(NowMs() - t0);
    h.Leave();
    h.Settle();
  }
  std::printf("button_fade_first_frame_ms: %.2f\n", Median(first));
  std::printf("button_fade_total_ms: %.1f\n", Median(total));
  const TsGeneralData* section = h.button->SkinData->Section();
  std::printf("button_fade_stated_ms: %d\n", section ? section->FadingIterations * 10 : 0);

  // One step's frame blended and copied to the screen, the fade stepped by
  // hand between ticks.
  for (int i = 0; i < 10; ++i) {
    h.Enter();
    for (;;) {
      const double t0 = NowMs();
      if (!h.button->StepFade()) break;
      step.push_back((NowMs() - t0) * 1000.0);
    }
    h.Leave();
    h.Settle();
  }
  std::printf("button_fade_step_us: %.1f\n", Median(step));
  std::fflush(stdout);

  // Quick hovers: some left at once (the fade turned back), some fading to
  // the end; then idle.
  const long gdiBefore = LiveGdiObjects();
  for (int i = 0; i < 1000; ++i) {
    h.Enter();
    Application()->ProcessMessages();
    h.Leave();
    if (i % 4 == 0) h.Settle(); else Application()->ProcessMessages();
  }
  h.Settle();
  std::printf("button_hover_gdi_objects_gained: %ld\n", LiveGdiObjects() - gdiBefore);
  std::printf("timers_alive_after_hovers: %ld\n", TsAnimTimer::LiveCount() + TacThreadedTimer::LiveWorkers());
  return 0;
}
