// The threaded timer at 12 ms: the 95th percentile of how far each tick's
// spacing strays from the interval while the message loop waits for
// messages, and the median time to disable and free a running timer.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/timing.h"
#include "framework/application.h"
#include "framework/threaded_timer.h"

using namespace glyphora;
using glyphora::bench::NowMs;

namespace {

double JitterP95(uint32_t interval, int ticks) {
  std::vector<double> at;
  TacThreadedTimer timer(nullptr);
  timer.SetInterval(interval);
  timer.SetOnTimer([&](TComponent*) { at.push_back(NowMs()); });
  while (static_cast<int>(at.size()) < ticks + 1) Application()->HandleMessage(true);
  timer.SetEnabled(false);
  std::vector<double> error;
  for (size_t i = 1; i < at.size(); ++i) error.push_back(std::fabs(at[i] - at[i - 1] - interval));
  std::sort(error.begin(), error.end());
  return error[error.size() * 95 / 100];
}

}  // namespace

int main() {
  std::printf("timer_jitter_p95_ms: %.2f\n", JitterP95(12, 200));
  std::fflush(stdout);

  // A running timer that has ticked, then disabled and freed.
  std::vector<double> stop;
  for (int run = 0; run < 21; ++run) {
    auto* timer = new TacThreadedTimer(nullptr);
    int ticks = 0;
    timer->SetInterval(12);
    timer->SetOnTimer([&](TComponent*) { ++ticks; });
    while (ticks < 2) Application()->HandleMessage(true);
    const double start = NowMs();
    timer->SetEnabled(false);
    delete timer;
    stop.push_back(NowMs() - start);
  }
  std::sort(stop.begin(), stop.end());
  std::printf("timer_stop_ms: %.3f\n", stop[stop.size() / 2]);
  return 0;
}
