// The one place that picks the row kernels the routines run: SSE2 is the
// baseline of every target this builds for.
#include "skin/paint/pixel_kernels.h"

namespace glyphora {

const TPixelKernels& ActiveKernels() { return Sse2Kernels(); }

}  // namespace glyphora
