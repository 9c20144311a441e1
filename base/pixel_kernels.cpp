// The one place that picks the row kernels the routines run: SSE2 is the
// baseline of every target this builds for, AVX2 is taken when the processor
// (and the system, which must save its registers) supports it, and the
// environment may force a lower level.
#include "base/pixel_kernels.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace glyphora {

namespace {

bool CpuHasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
#else
  return false;
#endif
}

constexpr const char* kLevelNames[] = {"scalar", "sse2", "avx2"};

// Equal apart from letter case.
bool SameName(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (std::tolower(static_cast<unsigned char>(*a)) != *b) return false;
  return *a == *b;
}

}  // namespace

const char* PixelLevelName(TPixelLevel level) { return kLevelNames[static_cast<int>(level)]; }

TPixelLevel CpuPixelLevel() {
  static const TPixelLevel level = CpuHasAvx2() ? TPixelLevel::Avx2 : TPixelLevel::Sse2;
  return level;
}

TPixelLevel ChoosePixelLevel(const char* request, TPixelLevel cpu) {
  if (!request) return cpu;
  for (int i = 0; i <= static_cast<int>(cpu); ++i)
    if (SameName(request, kLevelNames[i])) return static_cast<TPixelLevel>(i);
  return cpu;
}

TPixelLevel PixelLevel() {
  static const TPixelLevel level = ChoosePixelLevel(std::getenv("GLYPHORA_PIXEL_LEVEL"), CpuPixelLevel());
  return level;
}

const TPixelKernels& KernelsOf(TPixelLevel level) {
  switch (level) {
    case TPixelLevel::Scalar: return ScalarKernels();
    case TPixelLevel::Sse2: return Sse2Kernels();
    case TPixelLevel::Avx2: break;
  }
  return Avx2Kernels();
}

const TPixelKernels& ActiveKernels() {
  static const TPixelKernels& k = KernelsOf(PixelLevel());
  return k;
}

const TPixelKernels& KernelsForRow(int n) {
  static const TPixelKernels& wide = ActiveKernels();
  static const TPixelKernels& narrow = KernelsOf(std::min(PixelLevel(), TPixelLevel::Sse2));
  return n >= kWideRowMin ? wide : narrow;
}

std::vector<const TPixelKernels*> SupportedKernels() {
  std::vector<const TPixelKernels*> all;
  for (int i = 0; i <= static_cast<int>(CpuPixelLevel()); ++i) all.push_back(&KernelsOf(static_cast<TPixelLevel>(i)));
  return all;
}

}  // namespace glyphora
