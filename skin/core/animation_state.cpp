#include "skin/core/animation_state.h"

#include <windows.h>

#include <atomic>

#include "framework/application.h"

namespace glyphora {

namespace {
std::atomic<long> g_fadeTimers{0};
std::atomic<bool> g_sessionEnding{false};
}  // namespace

bool SessionEnding() { return g_sessionEnding.load(); }
void AnnounceSessionEnding() { g_sessionEnding = true; }
void CancelSessionEnding() { g_sessionEnding = false; }

void FadeTimerStarted() { ++g_fadeTimers; }
void FadeTimerEnded() { --g_fadeTimers; }
long LiveFadeTimers() { return g_fadeTimers.load(); }

bool WaitForFadeTimers(uint32_t timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (LiveFadeTimers() > 0) {
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    Application()->ProcessMessages();
  }
  return true;
}

}  // namespace glyphora
