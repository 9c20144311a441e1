// A gate for one private message number. The framework's windows (its own
// controls, and every window hooked through its subclass chain) answer 0 to
// that message without handling it whenever the gate refuses it: a message
// another program posts or sends never reaches a handler that would trust
// what it carries.
#pragma once
#include <windows.h>

namespace glyphora {

// Answers whether a message with these parameters may be handled.
using TMessageGateTest = bool (*)(WPARAM wParam, LPARAM lParam);

// One gated message in the process; a later call replaces the earlier.
void SetMessageGate(UINT msg, TMessageGateTest accept);
// True when msg is the gated message and the gate refuses these parameters.
bool MessageGateRefuses(UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace glyphora
