// Timing for the benchmarks: the median of repeated runs, which a shared
// machine's occasional slow run does not move.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstdio>
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

// The middle of a set of runs and how far they spread: the median, and the
// distance between the first and the third quartile (half the runs lie in
// that band), so a single slow run moves neither.
struct TSpread {
  double Median = 0, Spread = 0;
};

inline TSpread SpreadOf(std::vector<double> v) {
  if (v.empty()) return {};
  std::sort(v.begin(), v.end());
  auto at = [&](double q) {
    const double i = q * static_cast<double>(v.size() - 1);
    const size_t lo = static_cast<size_t>(i);
    const size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (i - static_cast<double>(lo));
  };
  return {at(0.5), at(0.75) - at(0.25)};
}

// Times runs of f; the median and spread in milliseconds.
template <class F>
TSpread SampleMs(int runs, F&& f) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    const auto a = Clock::now();
    f();
    t.push_back(std::chrono::duration<double, std::milli>(Clock::now() - a).count());
  }
  return SpreadOf(std::move(t));
}

// Prints "name: median" and "name_spread: interquartile range".
inline void PrintSpread(const char* name, TSpread s, int decimals = 2) {
  std::printf("%s: %.*f\n%s_spread: %.*f\n", name, decimals, s.Median, name, decimals, s.Spread);
}

}  // namespace glyphora::bench
