#include "app/startup_trace.h"

#include <windows.h>

#include <cstdio>

namespace glyphora {

bool StartupTraceOn() {
  static const bool on = ::GetEnvironmentVariableW(L"GLYPHORA_TRACE", nullptr, 0) > 0;
  return on;
}

void StartupTrace(const char* phase) {
  if (!StartupTraceOn()) return;
  FILETIME created, exited, kernel, user, now;
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
  ::GetSystemTimePreciseAsFileTime(&now);
  auto ticks = [](FILETIME t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  // The GUI thread's own processor time beside the clock: on a busy machine
  // the clock also counts the time other programs had the processor.
  FILETIME tc, te, tk, tu;
  double cpu = 0;
  if (::GetThreadTimes(::GetCurrentThread(), &tc, &te, &tk, &tu)) cpu = static_cast<double>(ticks(tk) + ticks(tu)) / 1e4;
  std::fprintf(stderr, "glyphora_trace %s: %.1f ms (thread cpu %.0f ms)\n", phase,
               static_cast<double>(ticks(now) - ticks(created)) / 1e4, cpu);
}

}  // namespace glyphora
