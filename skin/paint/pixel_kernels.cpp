// The one place that picks the row kernels the routines run: SSE2 is the
// baseline of every target this builds for, AVX2 is taken when the processor
// (and the system, which must save its registers) supports it.
#include "skin/paint/pixel_kernels.h"

namespace glyphora {

bool CpuHasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return has;
#else
  return false;
#endif
}

const TPixelKernels& ActiveKernels() {
  static const TPixelKernels& k = CpuHasAvx2() ? Avx2Kernels() : Sse2Kernels();
  return k;
}

const TPixelKernels& KernelsForRow(int n) {
  constexpr int kWideRowMin = 64;
  return n >= kWideRowMin ? ActiveKernels() : Sse2Kernels();
}

std::vector<const TPixelKernels*> SupportedKernels() {
  std::vector<const TPixelKernels*> all{&ScalarKernels(), &Sse2Kernels()};
  if (CpuHasAvx2()) all.push_back(&Avx2Kernels());
  return all;
}

}  // namespace glyphora
