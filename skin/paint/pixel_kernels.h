// Row kernels: the inner loops of the pixel layer, each working on n 32-bit
// BGRA pixels of one row. Every kernel has a plain scalar version (the
// reference), an SSE2 version and an AVX2 version; all give the same bytes
// for every input. ActiveKernels() picks the set the routines use, in this
// one place, from what the processor offers.
#pragma once
#include <cstdint>
#include <vector>

namespace glyphora {

enum class TKeyTest : uint8_t { None, OnSource, OnDest };

struct TPixelKernels {
  // All four bytes: d := (d*a + s*(255-a) + 127) >> 8.
  void (*Blend)(uint32_t* d, const uint32_t* s, int n, uint8_t a);
  // Colour bytes: d := (a*w + b*(256-w)) >> 8; alpha := d's alpha | alphaOr.
  void (*Mix)(uint32_t* d, const uint32_t* a, const uint32_t* b, int n, uint8_t w, uint32_t alphaOr);
  // As Mix with w the byte of m in the same channel. When skipKey, pixels
  // whose b equals key are left alone, or, given keyFill, become
  // keyFill | alphaOr.
  void (*MixMasked)(uint32_t* d, const uint32_t* a, const uint32_t* b, const uint32_t* m, int n,
                    uint32_t alphaOr, bool skipKey, uint32_t key, const uint32_t* keyFill);
  // d := s | alphaOr wherever s != key.
  void (*KeyedCopy)(uint32_t* d, const uint32_t* s, int n, uint32_t key, uint32_t alphaOr);
  // d := p | alphaOr wherever s == key.
  void (*ReplaceKey)(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key,
                     uint32_t alphaOr);
  // d := (s == key ? p : s) | alphaOr.
  void (*SelectKey)(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key, uint32_t alphaOr);
  // Straight-alpha source over d: colour (s*sA + d*(256-sA)) >> 8,
  // alpha dA + sA*(255-dA) div 255.
  void (*AlphaOver)(uint32_t* d, const uint32_t* s, int n);
  // Colour bytes := (B+G+R) div 3, alpha kept; key pixels kept when skipKey.
  void (*Gray)(uint32_t* d, int n, bool skipKey, uint32_t key);
  // Alpha byte := alpha; key pixels kept when skipKey.
  void (*SetAlpha)(uint32_t* d, int n, uint8_t alpha, bool skipKey, uint32_t key);
  // Colour bytes := (d*p + s*(100-p)) / 100 rounded half to even, p in
  // 0..100; alpha kept. The key test skips pixels whose s or d equals key.
  void (*PercentBlend)(uint32_t* d, const uint32_t* s, int n, int p, TKeyTest test, uint32_t key);
  // One pass of AlphaOver then ReplaceKey: d := p | alphaOr where s == key,
  // else s over d as AlphaOver. Rows must not share memory.
  void (*AlphaOverReplaceKey)(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key,
                              uint32_t alphaOr);
  // Mix with every b pixel equal to colour.
  void (*MixColor)(uint32_t* d, const uint32_t* a, int n, uint8_t w, uint32_t color, uint32_t alphaOr);
  // Opaque colour ramp: channel ch (blue, green, red) of pixel i is
  // (c[ch] + i*step[ch]) >> 16 saturated to a byte; alpha 255.
  void (*Ramp)(uint32_t* d, int n, const int32_t* c, const int32_t* step);
};

const TPixelKernels& ScalarKernels();
const TPixelKernels& Sse2Kernels();
// Only to be called when CpuHasAvx2().
const TPixelKernels& Avx2Kernels();
bool CpuHasAvx2();
const TPixelKernels& ActiveKernels();
// The kernels for rows of n pixels: ActiveKernels() for long rows, SSE2 for
// short ones (small controls, border pieces), where the wide kernels' split
// into an aligning head, wide steps and an SSE2 tail costs more than it gains.
const TPixelKernels& KernelsForRow(int n);
// Every kernel set this processor can run, the scalar reference first.
std::vector<const TPixelKernels*> SupportedKernels();

// True when some byte difference t makes t*p end in 50, so that a percent
// blend with weight p can land exactly on a half.
bool PercentHasTies(int p);

// True when the n-pixel rows at a and b share memory (an in-place call on
// one bitmap); such rows take the scalar kernels, which walk left to right.
inline bool RowsOverlap(const uint32_t* a, const uint32_t* b, int n) {
  if (n <= 0 || !a || !b) return false;
  const uintptr_t x = reinterpret_cast<uintptr_t>(a), y = reinterpret_cast<uintptr_t>(b);
  const uintptr_t bytes = static_cast<uintptr_t>(n) * 4;
  return x < y + bytes && y < x + bytes;
}

}  // namespace glyphora
