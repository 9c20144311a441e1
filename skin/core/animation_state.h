// Process-wide state that every animation obeys: whether the user's session
// is ending (no fade starts from then on) and how many fade timers are alive,
// so that the form can wait for them before the session ends.
#pragma once
#include <cstdint>

namespace glyphora {

bool SessionEnding();
// Set when the system asks whether the session may end; cleared when that
// end is cancelled (WM_ENDSESSION with FALSE), so fades start again.
void AnnounceSessionEnding();
void CancelSessionEnding();

void FadeTimerStarted();
void FadeTimerEnded();
long LiveFadeTimers();
// Waits, processing messages, until no fade timer is alive or `timeoutMs`
// has passed (a fade lasts a fraction of a second, so a wait that takes
// longer means the message loop is gone); true when none is left.
bool WaitForFadeTimers(uint32_t timeoutMs);

}  // namespace glyphora
