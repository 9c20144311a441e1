#include "framework/message_gate.h"

namespace glyphora {

namespace {
// Constant-initialised: set by another layer's static initialiser, read
// before any window exists.
UINT g_gatedMessage = 0;
TMessageGateTest g_accept = nullptr;
}  // namespace

void SetMessageGate(UINT msg, TMessageGateTest accept) {
  g_gatedMessage = msg;
  g_accept = accept;
}

bool MessageGateRefuses(UINT msg, WPARAM wParam, LPARAM lParam) {
  return g_accept && msg == g_gatedMessage && !g_accept(wParam, lParam);
}

}  // namespace glyphora
