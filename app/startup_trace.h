// With GLYPHORA_TRACE set in the environment, each start-up phase writes to
// stderr how long after the process's creation it ended and the GUI
// thread's processor time so far ("glyphora_trace <phase>: <ms> ms (thread
// cpu <ms> ms)").
// Off, a phase costs one test of a flag.
#pragma once

namespace glyphora {

bool StartupTraceOn();
void StartupTrace(const char* phase);

}  // namespace glyphora
