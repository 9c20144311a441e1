// Timing for the benchmarks: the median of repeated runs, which a shared
// machine's occasional slow run does not move.
#pragma once
#include <algorithm>
#include <chrono>
#include <vector>

namespace glyphora::bench {

// A monotonic clock in milliseconds, for timing events against each other.
inline double NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

template <class F>
double MedianMicros(int runs, F&& f) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    const auto a = Clock::now();
    f();
    t.push_back(std::chrono::duration<double, std::micro>(Clock::now() - a).count());
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

}  // namespace glyphora::bench
