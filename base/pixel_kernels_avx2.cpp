// AVX2 row kernels, eight pixels a step, giving the same bytes as the scalar
// kernels. Unpacking, packing and shuffles work within each 128-bit half. The
// mixes keep each pixel's even and odd bytes in separate 16-bit lanes by
// masks and shifts instead of unpacking (those run on more execution ports
// than shuffles) and take each weighted sum with one low multiplication; byte
// multiply-adds (pmaddubsw) do the percent blends and the grey sums. The tail
// of each row goes to the SSE2 kernels.
//
// Only the functions marked with the target attribute use AVX2; the table
// below is plain code and may be built on any processor.
#include <immintrin.h>

#include "base/pixel_kernels.h"

// A kernel left out of a table below would be a null pointer.
#pragma GCC diagnostic error "-Wmissing-field-initializers"

#define GLYPHORA_AVX2 __attribute__((target("avx2")))

namespace glyphora {
namespace {

using V = __m256i;

GLYPHORA_AVX2 inline V Load(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const V*>(p)); }
GLYPHORA_AVX2 inline void Store(uint32_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<V*>(p), v); }
GLYPHORA_AVX2 inline V Lo16(V v) { return _mm256_unpacklo_epi8(v, _mm256_setzero_si256()); }
GLYPHORA_AVX2 inline V Hi16(V v) { return _mm256_unpackhi_epi8(v, _mm256_setzero_si256()); }
// mask ? a : b, mask lanes all ones or all zeros.
GLYPHORA_AVX2 inline V Select(V mask, V a, V b) { return _mm256_blendv_epi8(b, a, mask); }
GLYPHORA_AVX2 inline V Set32(uint32_t v) { return _mm256_set1_epi32(static_cast<int>(v)); }
// Four 16-bit lanes (b, g, r, a order) repeated over the register.
GLYPHORA_AVX2 inline V Set16x4(int b, int g, int r, int a) {
  const uint64_t q = static_cast<uint64_t>(static_cast<uint16_t>(b)) |
                     (static_cast<uint64_t>(static_cast<uint16_t>(g)) << 16) |
                     (static_cast<uint64_t>(static_cast<uint16_t>(r)) << 32) |
                     (static_cast<uint64_t>(static_cast<uint16_t>(a)) << 48);
  return _mm256_set1_epi64x(static_cast<long long>(q));
}

// Pixels before d reaches a 32-byte boundary (at most n): the rows of large
// bitmaps often start 16 bytes past one, and a 32-byte step across a cache
// line costs more than the SSE2 steps that go first.
inline int Head(const uint32_t* d, int n) {
  const uintptr_t a = reinterpret_cast<uintptr_t>(d);
  const int head = (a & 3) ? 0 : static_cast<int>(((32 - (a & 31)) & 31) / 4);
  return head < n ? head : n;
}

GLYPHORA_AVX2 void Blend(uint32_t* d, const uint32_t* s, int n, uint8_t a) {
  const V va = _mm256_set1_epi16(a), via = _mm256_set1_epi16(static_cast<short>(255 - a));
  const V r = _mm256_set1_epi16(127);
  int i = Head(d, n);
  Sse2Kernels().Blend(d, s, i, a);
  for (; i + 8 <= n; i += 8) {
    const V D = Load(d + i), S = Load(s + i);
    V lo = _mm256_add_epi16(_mm256_mullo_epi16(Lo16(D), va), _mm256_mullo_epi16(Lo16(S), via));
    V hi = _mm256_add_epi16(_mm256_mullo_epi16(Hi16(D), va), _mm256_mullo_epi16(Hi16(S), via));
    lo = _mm256_srli_epi16(_mm256_add_epi16(lo, r), 8);
    hi = _mm256_srli_epi16(_mm256_add_epi16(hi, r), 8);
    Store(d + i, _mm256_packus_epi16(lo, hi));
  }
  Sse2Kernels().Blend(d + i, s + i, n - i, a);
}

// The even bytes (blue, red) and the odd bytes (green, alpha) of each pixel
// as 16-bit lanes; the odd ones also in place, in the high byte of their lane.
GLYPHORA_AVX2 inline V Even(V v) { return _mm256_and_si256(v, Set32(0x00FF00FFu)); }
GLYPHORA_AVX2 inline V Odd(V v) { return _mm256_srli_epi16(v, 8); }
GLYPHORA_AVX2 inline V OddInPlace(V v) { return _mm256_and_si256(v, Set32(0xFF00FF00u)); }

// (a*w + b*(256-w)) >> 8 on every byte, w in 0..256 per 16-bit lane (even
// and odd lanes apart). The sum is (a - b)*w + (b << 8), below 65536, so the
// low half of the product is enough even where a - b is negative; the even
// results are shifted down, the odd ones masked where they already lie.
GLYPHORA_AVX2 inline V MixBytes(V A, V B, V wEven, V wOdd) {
  const V be = Even(B), bo = Odd(B);
  const V even = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(Even(A), be), wEven), _mm256_slli_epi16(be, 8));
  const V odd = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(Odd(A), bo), wOdd), OddInPlace(B));
  return _mm256_or_si256(_mm256_srli_epi16(even, 8), OddInPlace(odd));
}

GLYPHORA_AVX2 void Mix(uint32_t* d, const uint32_t* a, const uint32_t* b, int n, uint8_t w, uint32_t alphaOr) {
  const V vw = _mm256_set1_epi16(w);
  const V rgb = Set32(0x00FFFFFFu), aor = Set32(alphaOr);
  int i = Head(d, n);
  Sse2Kernels().Mix(d, a, b, i, w, alphaOr);
  if (d == a && alphaOr == 0) {
    // In place: weight 256 on the alpha lanes gives back a's (= d's) alpha.
    const V wOdd = Set16x4(w, 256, w, 256);
    for (; i + 8 <= n; i += 8) Store(d + i, MixBytes(Load(a + i), Load(b + i), vw, wOdd));
  } else if (alphaOr == 0xFF000000u) {
    // Opaque output: the destination is only written.
    for (; i + 8 <= n; i += 8) Store(d + i, _mm256_or_si256(MixBytes(Load(a + i), Load(b + i), vw, vw), aor));
  } else {
    for (; i + 8 <= n; i += 8) {
      const V m = Select(rgb, MixBytes(Load(a + i), Load(b + i), vw, vw), Load(d + i));
      Store(d + i, alphaOr ? _mm256_or_si256(m, aor) : m);
    }
  }
  Sse2Kernels().Mix(d + i, a + i, b + i, n - i, w, alphaOr);
}

// a*w plus the colour's fixed part b*(256-w) stays below 65536: one
// multiply-add and a shift per lane.
GLYPHORA_AVX2 void MixColor(uint32_t* d, const uint32_t* a, int n, uint8_t w, uint32_t color, uint32_t alphaOr) {
  const V vw = _mm256_set1_epi16(w);
  const V part = _mm256_mullo_epi16(Lo16(Set32(color)), _mm256_set1_epi16(static_cast<short>(256 - w)));
  const V rgb = Set32(0x00FFFFFFu), aor = Set32(alphaOr);
  const bool opaque = alphaOr == 0xFF000000u;
  int i = Head(d, n);
  Sse2Kernels().MixColor(d, a, i, w, color, alphaOr);
  for (; i + 8 <= n; i += 8) {
    const V A = Load(a + i);
    const V lo = _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(Lo16(A), vw), part), 8);
    const V hi = _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(Hi16(A), vw), part), 8);
    const V m = _mm256_packus_epi16(lo, hi);
    Store(d + i, _mm256_or_si256(opaque ? m : Select(rgb, m, Load(d + i)), aor));
  }
  Sse2Kernels().MixColor(d + i, a + i, n - i, w, color, alphaOr);
}

GLYPHORA_AVX2 void MixMasked(uint32_t* d, const uint32_t* a, const uint32_t* b, const uint32_t* m, int n,
                             uint32_t alphaOr, bool skipKey, uint32_t key, const uint32_t* keyFill) {
  const V rgb = Set32(0x00FFFFFFu), aor = Set32(alphaOr), vkey = Set32(key);
  const bool opaque = alphaOr == 0xFF000000u;
  if (!skipKey) keyFill = nullptr;
  int i = Head(d, n);
  Sse2Kernels().MixMasked(d, a, b, m, i, alphaOr, skipKey, key, keyFill);
  for (; i + 8 <= n; i += 8) {
    const V A = Load(a + i), B = Load(b + i), M = Load(m + i), D = Load(d + i);
    const V mix = MixBytes(A, B, Even(M), Odd(M));
    if (opaque && keyFill) {
      // Alpha 255 everywhere: neither d's alpha nor the fill's matters.
      Store(d + i, _mm256_or_si256(Select(_mm256_cmpeq_epi32(B, vkey), Load(keyFill + i), mix), aor));
      continue;
    }
    V out = opaque ? _mm256_or_si256(mix, aor) : Select(rgb, mix, D);
    if (!opaque && alphaOr) out = _mm256_or_si256(out, aor);
    if (skipKey) {
      const V keep = keyFill ? _mm256_or_si256(Load(keyFill + i), aor) : D;
      out = Select(_mm256_cmpeq_epi32(B, vkey), keep, out);
    }
    Store(d + i, out);
  }
  Sse2Kernels().MixMasked(d + i, a + i, b + i, m + i, n - i, alphaOr, skipKey, key, keyFill ? keyFill + i : nullptr);
}

GLYPHORA_AVX2 void KeyedCopy(uint32_t* d, const uint32_t* s, int n, uint32_t key, uint32_t alphaOr) {
  const V vkey = Set32(key), aor = Set32(alphaOr);
  int i = Head(d, n);
  Sse2Kernels().KeyedCopy(d, s, i, key, alphaOr);
  for (; i + 8 <= n; i += 8) {
    const V S = Load(s + i);
    Store(d + i, Select(_mm256_cmpeq_epi32(S, vkey), Load(d + i), _mm256_or_si256(S, aor)));
  }
  Sse2Kernels().KeyedCopy(d + i, s + i, n - i, key, alphaOr);
}

GLYPHORA_AVX2 void ReplaceKey(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key,
                              uint32_t alphaOr) {
  const V vkey = Set32(key), aor = Set32(alphaOr);
  int i = Head(d, n);
  Sse2Kernels().ReplaceKey(d, s, p, i, key, alphaOr);
  for (; i + 8 <= n; i += 8) {
    const V mask = _mm256_cmpeq_epi32(Load(s + i), vkey);
    Store(d + i, Select(mask, _mm256_or_si256(Load(p + i), aor), Load(d + i)));
  }
  Sse2Kernels().ReplaceKey(d + i, s + i, p + i, n - i, key, alphaOr);
}

GLYPHORA_AVX2 void SelectKey(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key,
                             uint32_t alphaOr) {
  const V vkey = Set32(key), aor = Set32(alphaOr);
  int i = Head(d, n);
  Sse2Kernels().SelectKey(d, s, p, i, key, alphaOr);
  for (; i + 8 <= n; i += 8) {
    const V S = Load(s + i);
    Store(d + i, _mm256_or_si256(Select(_mm256_cmpeq_epi32(S, vkey), Load(p + i), S), aor));
  }
  Sse2Kernels().SelectKey(d + i, s + i, p + i, n - i, key, alphaOr);
}

// AlphaOver of eight pixels: colour (s*sA + d*(256-sA)) >> 8 as in
// MixBytes; alpha dA + sA*(255-dA) div 255, the division as (x*0x8081) >> 23,
// in the upper 16-bit lane of the odd bytes, where sA and dA already lie.
GLYPHORA_AVX2 inline V AlphaOver8(V S, V D) {
  // Each pixel's source alpha in both of its 16-bit lanes.
  const V w = _mm256_shuffle_epi8(S, _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1,
                                                      3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1));
  const V so = Odd(S), dd = Odd(D), dHigh = OddInPlace(D), de = Even(D);
  const V even = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(Even(S), de), w), _mm256_slli_epi16(de, 8));
  const V odd = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(so, dd), w), dHigh);
  const V col = _mm256_or_si256(_mm256_srli_epi16(even, 8), OddInPlace(odd));
  const V x = _mm256_mullo_epi16(so, _mm256_xor_si256(dd, _mm256_set1_epi16(255)));
  const V q = _mm256_mulhi_epu16(x, _mm256_set1_epi16(static_cast<short>(0x8081)));
  // (q >> 7) lands in the alpha byte; q's low bits fall below it, where dA's
  // lane has zeros, so nothing carries, and the blend takes only that byte.
  const V alpha = _mm256_add_epi16(dHigh, _mm256_slli_epi16(q, 1));
  return Select(Set32(0x00FFFFFFu), col, alpha);
}

GLYPHORA_AVX2 void AlphaOver(uint32_t* d, const uint32_t* s, int n) {
  int i = Head(d, n);
  Sse2Kernels().AlphaOver(d, s, i);
  for (; i + 8 <= n; i += 8) Store(d + i, AlphaOver8(Load(s + i), Load(d + i)));
  Sse2Kernels().AlphaOver(d + i, s + i, n - i);
}

GLYPHORA_AVX2 void AlphaOverReplaceKey(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key,
                                       uint32_t alphaOr) {
  const V vkey = Set32(key), aor = Set32(alphaOr);
  int i = Head(d, n);
  Sse2Kernels().AlphaOverReplaceKey(d, s, p, i, key, alphaOr);
  for (; i + 8 <= n; i += 8) {
    const V S = Load(s + i);
    const V out = AlphaOver8(S, Load(d + i));
    Store(d + i, Select(_mm256_cmpeq_epi32(S, vkey), _mm256_or_si256(Load(p + i), aor), out));
  }
  Sse2Kernels().AlphaOverReplaceKey(d + i, s + i, p + i, n - i, key, alphaOr);
}

GLYPHORA_AVX2 void Gray(uint32_t* d, int n, bool skipKey, uint32_t key) {
  const V alpha = Set32(0xFF000000u), vkey = Set32(key);
  const V ones = Set32(0x00010101u), pairs = _mm256_set1_epi16(1);
  const V third = _mm256_set1_epi16(static_cast<short>(0xAAAB));
  // The low byte of each 32-bit lane into its three colour bytes.
  const V spread = _mm256_setr_epi8(0, 0, 0, -1, 4, 4, 4, -1, 8, 8, 8, -1, 12, 12, 12, -1,
                                    0, 0, 0, -1, 4, 4, 4, -1, 8, 8, 8, -1, 12, 12, 12, -1);
  int i = Head(d, n);
  Sse2Kernels().Gray(d, i, skipKey, key);
  for (; i + 8 <= n; i += 8) {
    const V P = Load(d + i);
    // B+G and R in 16 bits, then B+G+R in 32 (below 766).
    const V sum = _mm256_madd_epi16(_mm256_maddubs_epi16(P, ones), pairs);
    // sum div 3 as (sum*0xAAAB) >> 17; the upper 16-bit half of each lane is 0.
    const V v = _mm256_srli_epi16(_mm256_mulhi_epu16(sum, third), 1);
    V out = _mm256_or_si256(_mm256_shuffle_epi8(v, spread), _mm256_and_si256(P, alpha));
    if (skipKey) out = Select(_mm256_cmpeq_epi32(P, vkey), P, out);
    Store(d + i, out);
  }
  Sse2Kernels().Gray(d + i, n - i, skipKey, key);
}

GLYPHORA_AVX2 void SetAlpha(uint32_t* d, int n, uint8_t alpha, bool skipKey, uint32_t key) {
  const V rgb = Set32(0x00FFFFFFu), va = Set32(static_cast<uint32_t>(alpha) << 24), vkey = Set32(key);
  int i = Head(d, n);
  Sse2Kernels().SetAlpha(d, i, alpha, skipKey, key);
  for (; i + 8 <= n; i += 8) {
    const V P = Load(d + i);
    V out = _mm256_or_si256(_mm256_and_si256(P, rgb), va);
    if (skipKey) out = Select(_mm256_cmpeq_epi32(P, vkey), P, out);
    Store(d + i, out);
  }
  Sse2Kernels().SetAlpha(d + i, n - i, alpha, skipKey, key);
}

// d*wd + s*ws per 16-bit lane from bytes interleaved as (d, s): one
// pmaddubsw with the weights as signed bytes (both at most 100, the sum at
// most 25500, so nothing saturates).
GLYPHORA_AVX2 inline V PercentSum(V ds, V weights) { return _mm256_maddubs_epi16(ds, weights); }

// num div 100 as (num*41944) >> 22, exact below 25600.
GLYPHORA_AVX2 inline V Div100(V num) {
  return _mm256_srli_epi16(_mm256_mulhi_epu16(num, _mm256_set1_epi16(static_cast<short>(41944))), 6);
}

// num / 100 rounded half to even.
GLYPHORA_AVX2 inline V RoundHalfEven100(V num) {
  const V q = Div100(num);
  const V rem = _mm256_sub_epi16(num, _mm256_mullo_epi16(q, _mm256_set1_epi16(100)));
  const V fifty = _mm256_set1_epi16(50), one = _mm256_set1_epi16(1);
  const V up = _mm256_or_si256(_mm256_cmpgt_epi16(rem, fifty),
                               _mm256_and_si256(_mm256_cmpeq_epi16(rem, fifty),
                                                _mm256_cmpeq_epi16(_mm256_and_si256(q, one), one)));
  return _mm256_sub_epi16(q, up);
}

template <int Mode>  // 0: general, 1: no ties, 2: halves
GLYPHORA_AVX2 void PercentBlendT(uint32_t* d, const uint32_t* s, int n, int p, TKeyTest test, uint32_t key) {
  // Byte weights for (d, s) pairs: p and 100-p on colour, 100 and 0 on alpha,
  // which gives back d's alpha exactly.
  const int pd = p & 0xFF, ps = (100 - p) & 0xFF;
  const int cw = pd | (ps << 8), aw = 100;
  const V weights = Set16x4(cw, cw, cw, aw);
  const V vkey = Set32(key), ones = _mm256_set1_epi8(1), rgb = Set32(0x00FFFFFFu), half = _mm256_set1_epi16(50);
  int i = Head(d, n);
  Sse2Kernels().PercentBlend(d, s, i, p, test, key);
  for (; i + 8 <= n; i += 8) {
    const V D = Load(d + i), S = Load(s + i);
    V out;
    if (Mode == 2) {
      // The rounded-up average, less one where the sum was odd and the
      // average came out odd.
      const V avg = _mm256_avg_epu8(D, S);
      const V r = _mm256_sub_epi8(avg, _mm256_and_si256(_mm256_and_si256(_mm256_xor_si256(D, S), avg), ones));
      out = Select(rgb, r, D);
    } else {
      const V lo = PercentSum(_mm256_unpacklo_epi8(D, S), weights);
      const V hi = PercentSum(_mm256_unpackhi_epi8(D, S), weights);
      if (Mode == 1)
        out = _mm256_packus_epi16(Div100(_mm256_add_epi16(lo, half)), Div100(_mm256_add_epi16(hi, half)));
      else
        out = _mm256_packus_epi16(RoundHalfEven100(lo), RoundHalfEven100(hi));
    }
    if (test == TKeyTest::OnSource) out = Select(_mm256_cmpeq_epi32(S, vkey), D, out);
    if (test == TKeyTest::OnDest) out = Select(_mm256_cmpeq_epi32(D, vkey), D, out);
    Store(d + i, out);
  }
  Sse2Kernels().PercentBlend(d + i, s + i, n - i, p, test, key);
}

void PercentBlend(uint32_t* d, const uint32_t* s, int n, int p, TKeyTest test, uint32_t key) {
  if (p < 0 || p > 100) Sse2Kernels().PercentBlend(d, s, n, p, test, key);
  else if (p == 50) PercentBlendT<2>(d, s, n, p, test, key);
  else if (!PercentHasTies(p)) PercentBlendT<1>(d, s, n, p, test, key);
  else PercentBlendT<0>(d, s, n, p, test, key);
}

GLYPHORA_AVX2 inline V RampLanes(int32_t v, int32_t st) {
  return _mm256_setr_epi32(v, v + st, v + 2 * st, v + 3 * st, v + 4 * st, v + 5 * st, v + 6 * st, v + 7 * st);
}

// Eight ramp pixels a step: the low half holds pixels i..i+3, the high half
// i+4..i+7.
GLYPHORA_AVX2 void Ramp(uint32_t* d, int n, const int32_t* c, const int32_t* step) {
  const V sb = _mm256_set1_epi32(8 * step[0]), sg = _mm256_set1_epi32(8 * step[1]), sr = _mm256_set1_epi32(8 * step[2]);
  const V alpha = _mm256_set1_epi32(255);
  // Bytes b0..b3 r0..r3 g0..g3 a0..a3 of each half to b g r a per pixel.
  const V order = _mm256_setr_epi8(0, 8, 4, 12, 1, 9, 5, 13, 2, 10, 6, 14, 3, 11, 7, 15,
                                   0, 8, 4, 12, 1, 9, 5, 13, 2, 10, 6, 14, 3, 11, 7, 15);
  int i = Head(d, n);
  Sse2Kernels().Ramp(d, i, c, step);
  V vb = RampLanes(c[0] + i * step[0], step[0]), vg = RampLanes(c[1] + i * step[1], step[1]);
  V vr = RampLanes(c[2] + i * step[2], step[2]);
  for (; i + 8 <= n; i += 8) {
    const V x = _mm256_packus_epi16(_mm256_packs_epi32(_mm256_srai_epi32(vb, 16), _mm256_srai_epi32(vr, 16)),
                                    _mm256_packs_epi32(_mm256_srai_epi32(vg, 16), alpha));
    Store(d + i, _mm256_shuffle_epi8(x, order));
    vb = _mm256_add_epi32(vb, sb);
    vg = _mm256_add_epi32(vg, sg);
    vr = _mm256_add_epi32(vr, sr);
  }
  const int32_t rest[3] = {c[0] + i * step[0], c[1] + i * step[1], c[2] + i * step[2]};
  Sse2Kernels().Ramp(d + i, n - i, rest, step);
}

}  // namespace

const TPixelKernels& Avx2Kernels() {
  static const TPixelKernels k{
      .Blend = Blend,
      .Mix = Mix,
      .MixMasked = MixMasked,
      .KeyedCopy = KeyedCopy,
      .ReplaceKey = ReplaceKey,
      .SelectKey = SelectKey,
      .AlphaOver = AlphaOver,
      .Gray = Gray,
      .SetAlpha = SetAlpha,
      .PercentBlend = PercentBlend,
      .AlphaOverReplaceKey = AlphaOverReplaceKey,
      .MixColor = MixColor,
      .Ramp = Ramp,
      // Every AVX2 processor has SSSE3; wider shuffles gain nothing on rows
      // that are read once from the file.
      .Rgb24ToBgra = Sse2Kernels().Rgb24ToBgra,
  };
  return k;
}

}  // namespace glyphora
