// Row kernels: the inner loops of the pixel layer, each working on n 32-bit
// BGRA pixels of one row. Every kernel has a plain scalar version (the
// reference), an SSE2 version and an AVX2 version; all give the same bytes
// for every input. As in pixman, a level falls back to the one below for
// what it does not speed up.
//
// The routines take their kernels from KernelsFor (or KernelsForRow), the
// one place that picks the level for a row: the best the processor runs, or
// a lower one forced by the environment variable GLYPHORA_PIXEL_LEVEL
// ("scalar", "sse2" or "avx2"), so that every test can run on each level;
// SSE2 for short rows; the scalar kernels for rows that partly overlap.
#pragma once
#include <cstdint>
#include <initializer_list>
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
  // 24-bit pixels (blue, green, red; 3*n bytes at s) made 32-bit: alpha 255,
  // except the key colour (magenta), which keeps alpha 0.
  void (*Rgb24ToBgra)(uint32_t* d, const uint8_t* s, int n);
};

enum class TPixelLevel : uint8_t { Scalar, Sse2, Avx2 };

const TPixelKernels& ScalarKernels();
// The SSE2 set takes the SSSE3 byte shuffle for 24-bit rows where the
// processor has it.
const TPixelKernels& Sse2Kernels();
// Only to be called when CpuPixelLevel() is Avx2.
const TPixelKernels& Avx2Kernels();
const TPixelKernels& KernelsOf(TPixelLevel level);
const char* PixelLevelName(TPixelLevel level);

// The highest level this processor (and the system, which must save the
// wide registers) runs.
TPixelLevel CpuPixelLevel();
// The level a GLYPHORA_PIXEL_LEVEL value asks for, never above cpu; no
// value, or one that names no level, leaves cpu.
TPixelLevel ChoosePixelLevel(const char* request, TPixelLevel cpu);
// The level the routines run: the processor's, or the one the environment
// forces (read once).
TPixelLevel PixelLevel();
const TPixelKernels& ActiveKernels();
// Every kernel set this processor can run, the scalar reference first,
// whatever the environment forces.
std::vector<const TPixelKernels*> SupportedKernels();

// Rows shorter than this keep the SSE2 kernels at the AVX2 level (small
// controls, border pieces): the wide kernels' split into an aligning head,
// wide steps and an SSE2 tail costs more than it gains there.
constexpr int kWideRowMin = 64;
// The kernels for an n-pixel row that reads no other row.
const TPixelKernels& KernelsForRow(int n);

// True when [a, a + na) and [b, b + nb) share memory.
inline bool RangesOverlap(const uint32_t* a, int na, const uint32_t* b, int nb) {
  if (na <= 0 || nb <= 0 || !a || !b) return false;
  const uintptr_t x = reinterpret_cast<uintptr_t>(a), y = reinterpret_cast<uintptr_t>(b);
  return x < y + static_cast<uintptr_t>(nb) * 4 && y < x + static_cast<uintptr_t>(na) * 4;
}

// The kernels for the n-pixel destination row d read together with the
// n-pixel source rows given (null ones are ignored). A source row that is d
// itself is fine, since every kernel reads a pixel before it writes it; one
// that partly overlaps d (an in-place call on one bitmap, shifted) takes the
// scalar kernels, the only ones that walk strictly left to right, one pixel
// at a time.
inline const TPixelKernels& KernelsFor(const uint32_t* d, int n, std::initializer_list<const uint32_t*> sources) {
  for (const uint32_t* s : sources)
    if (s != d && RangesOverlap(d, n, s, n)) return ScalarKernels();
  return KernelsForRow(n);
}

// True when some byte difference t makes t*p end in 50, so that a percent
// blend with weight p can land exactly on a half.
bool PercentHasTies(int p);

}  // namespace glyphora
