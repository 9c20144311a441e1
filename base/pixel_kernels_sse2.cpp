// SSE2 row kernels, four pixels a step; the tail of each row goes to the
// scalar kernels. Results equal the scalar kernels byte for byte. The 24-bit
// row conversion needs a byte shuffle (SSSE3), taken where the processor has
// it; the function marked with the target attribute is the only one that
// uses it.
#include <emmintrin.h>
#include <immintrin.h>

#include <array>

#include "base/pixel_kernels.h"

// A kernel left out of a table below would be a null pointer.
#pragma GCC diagnostic error "-Wmissing-field-initializers"

namespace glyphora {
namespace {

inline __m128i Load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline __m128i Lo16(__m128i v) { return _mm_unpacklo_epi8(v, _mm_setzero_si128()); }
inline __m128i Hi16(__m128i v) { return _mm_unpackhi_epi8(v, _mm_setzero_si128()); }
// mask ? a : b
inline __m128i Select(__m128i mask, __m128i a, __m128i b) {
  return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}
inline __m128i Set32(uint32_t v) { return _mm_set1_epi32(static_cast<int>(v)); }

void Blend(uint32_t* d, const uint32_t* s, int n, uint8_t a) {
  const __m128i va = _mm_set1_epi16(a), via = _mm_set1_epi16(static_cast<short>(255 - a));
  const __m128i r = _mm_set1_epi16(127);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i D = Load(d + i), S = Load(s + i);
    __m128i lo = _mm_add_epi16(_mm_mullo_epi16(Lo16(D), va), _mm_mullo_epi16(Lo16(S), via));
    __m128i hi = _mm_add_epi16(_mm_mullo_epi16(Hi16(D), va), _mm_mullo_epi16(Hi16(S), via));
    lo = _mm_srli_epi16(_mm_add_epi16(lo, r), 8);
    hi = _mm_srli_epi16(_mm_add_epi16(hi, r), 8);
    Store(d + i, _mm_packus_epi16(lo, hi));
  }
  ScalarKernels().Blend(d + i, s + i, n - i, a);
}

// (a*w + b*(256-w)) >> 8 per lane, given w2 = 2*w: that is
// b + floor((a - b)*w / 256), and ((a - b) << 7) * 2w >> 16 is exactly that
// floor (signed high half), one multiplication instead of two.
inline __m128i MixHalf(__m128i a, __m128i b, __m128i w2) {
  return _mm_add_epi16(b, _mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(a, b), 7), w2));
}

void Mix(uint32_t* d, const uint32_t* a, const uint32_t* b, int n, uint8_t w, uint32_t alphaOr) {
  const __m128i vw = _mm_set1_epi16(static_cast<short>(2 * w));
  const __m128i rgb = Set32(0x00FFFFFFu), aor = Set32(alphaOr);
  int i = 0;
  if (d == a && alphaOr == 0) {
    // In place: weight 256 on the alpha lanes gives back a's (= d's) alpha,
    // so no masking is needed.
    const __m128i w2 = _mm_set_epi16(512, static_cast<short>(2 * w), static_cast<short>(2 * w), static_cast<short>(2 * w),
                                     512, static_cast<short>(2 * w), static_cast<short>(2 * w), static_cast<short>(2 * w));
    for (; i + 4 <= n; i += 4) {
      const __m128i A = Load(a + i), B = Load(b + i);
      Store(d + i, _mm_packus_epi16(MixHalf(Lo16(A), Lo16(B), w2), MixHalf(Hi16(A), Hi16(B), w2)));
    }
  }
  if (alphaOr == 0xFF000000u) {
    // Opaque output: the destination is only written, never read.
    for (; i + 4 <= n; i += 4) {
      const __m128i A = Load(a + i), B = Load(b + i);
      const __m128i m = _mm_packus_epi16(MixHalf(Lo16(A), Lo16(B), vw), MixHalf(Hi16(A), Hi16(B), vw));
      Store(d + i, _mm_or_si128(m, aor));
    }
  }
  for (; i + 4 <= n; i += 4) {
    const __m128i A = Load(a + i), B = Load(b + i), D = Load(d + i);
    const __m128i m = _mm_packus_epi16(MixHalf(Lo16(A), Lo16(B), vw), MixHalf(Hi16(A), Hi16(B), vw));
    Store(d + i, _mm_or_si128(_mm_and_si128(m, rgb), _mm_or_si128(_mm_andnot_si128(rgb, D), aor)));
  }
  ScalarKernels().Mix(d + i, a + i, b + i, n - i, w, alphaOr);
}

// The colour's part b*(256-w) is the same for every pixel, and a*w plus it
// stays below 65536, so each lane is one multiply-add and a shift.
void MixColor(uint32_t* d, const uint32_t* a, int n, uint8_t w, uint32_t color, uint32_t alphaOr) {
  const __m128i vw = _mm_set1_epi16(w);
  const __m128i part = _mm_mullo_epi16(Lo16(Set32(color)), _mm_set1_epi16(static_cast<short>(256 - w)));
  const __m128i rgb = Set32(0x00FFFFFFu), aor = Set32(alphaOr);
  const bool opaque = alphaOr == 0xFF000000u;  // d is then only written
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i A = Load(a + i);
    const __m128i lo = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(Lo16(A), vw), part), 8);
    const __m128i hi = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(Hi16(A), vw), part), 8);
    const __m128i m = _mm_and_si128(_mm_packus_epi16(lo, hi), rgb);
    Store(d + i, _mm_or_si128(m, opaque ? aor : _mm_or_si128(_mm_andnot_si128(rgb, Load(d + i)), aor)));
  }
  ScalarKernels().MixColor(d + i, a + i, n - i, w, color, alphaOr);
}

void MixMasked(uint32_t* d, const uint32_t* a, const uint32_t* b, const uint32_t* m, int n,
               uint32_t alphaOr, bool skipKey, uint32_t key, const uint32_t* keyFill) {
  const __m128i rgb = Set32(0x00FFFFFFu), aor = Set32(alphaOr), vkey = Set32(key);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i A = Load(a + i), B = Load(b + i), M = Load(m + i), D = Load(d + i);
    const __m128i mix =
        _mm_packus_epi16(MixHalf(Lo16(A), Lo16(B), _mm_add_epi16(Lo16(M), Lo16(M))),
                         MixHalf(Hi16(A), Hi16(B), _mm_add_epi16(Hi16(M), Hi16(M))));
    __m128i out = _mm_or_si128(_mm_and_si128(mix, rgb), _mm_or_si128(_mm_andnot_si128(rgb, D), aor));
    if (skipKey) {
      const __m128i keep = keyFill ? _mm_or_si128(Load(keyFill + i), aor) : D;
      out = Select(_mm_cmpeq_epi32(B, vkey), keep, out);
    }
    Store(d + i, out);
  }
  ScalarKernels().MixMasked(d + i, a + i, b + i, m + i, n - i, alphaOr, skipKey, key, keyFill ? keyFill + i : nullptr);
}

void KeyedCopy(uint32_t* d, const uint32_t* s, int n, uint32_t key, uint32_t alphaOr) {
  const __m128i vkey = Set32(key), aor = Set32(alphaOr);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i S = Load(s + i);
    Store(d + i, Select(_mm_cmpeq_epi32(S, vkey), Load(d + i), _mm_or_si128(S, aor)));
  }
  ScalarKernels().KeyedCopy(d + i, s + i, n - i, key, alphaOr);
}

void ReplaceKey(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key,
                uint32_t alphaOr) {
  const __m128i vkey = Set32(key), aor = Set32(alphaOr);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i mask = _mm_cmpeq_epi32(Load(s + i), vkey);
    Store(d + i, Select(mask, _mm_or_si128(Load(p + i), aor), Load(d + i)));
  }
  ScalarKernels().ReplaceKey(d + i, s + i, p + i, n - i, key, alphaOr);
}

void SelectKey(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key, uint32_t alphaOr) {
  const __m128i vkey = Set32(key), aor = Set32(alphaOr);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i S = Load(s + i);
    Store(d + i, _mm_or_si128(Select(_mm_cmpeq_epi32(S, vkey), Load(p + i), S), aor));
  }
  ScalarKernels().SelectKey(d + i, s + i, p + i, n - i, key, alphaOr);
}

// Colour lanes of s*sA + d*(256-sA) >> 8, as d + floor((s - d)*sA / 256)
// (see MixHalf); the alpha lanes are replaced by the caller.
inline __m128i AlphaOverHalf(__m128i s, __m128i d) {
  const __m128i s2 = _mm_add_epi16(s, s);
  const __m128i sa2 = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s2, 0xFF), 0xFF);
  return MixHalf(s, d, sa2);
}

// AlphaOver of four pixels.
inline __m128i AlphaOver4(__m128i S, __m128i D) {
  const __m128i rgb = Set32(0x00FFFFFFu), c255 = Set32(255);
  const __m128i div255 = _mm_set1_epi16(static_cast<short>(0x8081));
  const __m128i col = _mm_packus_epi16(AlphaOverHalf(Lo16(S), Lo16(D)), AlphaOverHalf(Hi16(S), Hi16(D)));
  // Alpha in 32-bit lanes: da + sa*(255-da) div 255, the division as
  // (x*0x8081) >> 23, exact for every 16-bit x (the upper halves stay 0).
  const __m128i sa = _mm_srli_epi32(S, 24), da = _mm_srli_epi32(D, 24);
  const __m128i x = _mm_mullo_epi16(sa, _mm_sub_epi32(c255, da));
  const __m128i na = _mm_add_epi32(da, _mm_srli_epi16(_mm_mulhi_epu16(x, div255), 7));
  return _mm_or_si128(_mm_and_si128(col, rgb), _mm_slli_epi32(na, 24));
}

void AlphaOver(uint32_t* d, const uint32_t* s, int n) {
  int i = 0;
  for (; i + 4 <= n; i += 4) Store(d + i, AlphaOver4(Load(s + i), Load(d + i)));
  ScalarKernels().AlphaOver(d + i, s + i, n - i);
}

void AlphaOverReplaceKey(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key,
                         uint32_t alphaOr) {
  const __m128i vkey = Set32(key), aor = Set32(alphaOr);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i S = Load(s + i);
    const __m128i out = AlphaOver4(S, Load(d + i));
    Store(d + i, Select(_mm_cmpeq_epi32(S, vkey), _mm_or_si128(Load(p + i), aor), out));
  }
  ScalarKernels().AlphaOverReplaceKey(d + i, s + i, p + i, n - i, key, alphaOr);
}

void Gray(uint32_t* d, int n, bool skipKey, uint32_t key) {
  const __m128i ff = Set32(0xFF), alpha = Set32(0xFF000000u), vkey = Set32(key);
  const __m128i third = _mm_set1_epi16(static_cast<short>(0xAAAB));
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i P = Load(d + i);
    const __m128i sum = _mm_add_epi32(_mm_add_epi32(_mm_and_si128(P, ff), _mm_and_si128(_mm_srli_epi32(P, 8), ff)),
                                      _mm_and_si128(_mm_srli_epi32(P, 16), ff));
    // sum div 3 as (sum*0xAAAB) >> 17; the upper 16-bit half of each lane is 0.
    const __m128i v = _mm_srli_epi16(_mm_mulhi_epu16(sum, third), 1);
    __m128i out = _mm_or_si128(_mm_or_si128(v, _mm_slli_epi32(v, 8)),
                               _mm_or_si128(_mm_slli_epi32(v, 16), _mm_and_si128(P, alpha)));
    if (skipKey) out = Select(_mm_cmpeq_epi32(P, vkey), P, out);
    Store(d + i, out);
  }
  ScalarKernels().Gray(d + i, n - i, skipKey, key);
}

void SetAlpha(uint32_t* d, int n, uint8_t alpha, bool skipKey, uint32_t key) {
  const __m128i rgb = Set32(0x00FFFFFFu), va = Set32(static_cast<uint32_t>(alpha) << 24), vkey = Set32(key);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i P = Load(d + i);
    __m128i out = _mm_or_si128(_mm_and_si128(P, rgb), va);
    if (skipKey) out = Select(_mm_cmpeq_epi32(P, vkey), P, out);
    Store(d + i, out);
  }
  ScalarKernels().SetAlpha(d + i, n - i, alpha, skipKey, key);
}

// (d*wd + s*ws) / 100 rounded half to even; the sum is at most 25500.
inline __m128i PercentHalf(__m128i d, __m128i s, __m128i wd, __m128i ws) {
  const __m128i num = _mm_add_epi16(_mm_mullo_epi16(d, wd), _mm_mullo_epi16(s, ws));
  // num div 100 as (num*41944) >> 22, exact below 25600.
  const __m128i q = _mm_srli_epi16(_mm_mulhi_epu16(num, _mm_set1_epi16(static_cast<short>(41944))), 6);
  const __m128i rem = _mm_sub_epi16(num, _mm_mullo_epi16(q, _mm_set1_epi16(100)));
  const __m128i fifty = _mm_set1_epi16(50), one = _mm_set1_epi16(1);
  const __m128i up = _mm_or_si128(
      _mm_cmpgt_epi16(rem, fifty),
      _mm_and_si128(_mm_cmpeq_epi16(rem, fifty), _mm_cmpeq_epi16(_mm_and_si128(q, one), one)));
  return _mm_sub_epi16(q, up);
}

// Weights without ties (no byte pair lands on a half): round half up is the
// same as half to even, and one multiplication replaces the division.
inline __m128i PercentHalfNoTie(__m128i d, __m128i s, __m128i wd, __m128i ws) {
  const __m128i num = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(d, wd), _mm_mullo_epi16(s, ws)), _mm_set1_epi16(50));
  return _mm_srli_epi16(_mm_mulhi_epu16(num, _mm_set1_epi16(static_cast<short>(41944))), 6);
}

template <int Mode>  // 0: general, 1: no ties, 2: halves
void PercentBlendT(uint32_t* d, const uint32_t* s, int n, int p, TKeyTest test, uint32_t key) {
  // Alpha lanes weigh d by 100 and s by 0, which gives back d's alpha exactly.
  const short pd = static_cast<short>(p), ps = static_cast<short>(100 - p);
  const __m128i wd = _mm_set_epi16(100, pd, pd, pd, 100, pd, pd, pd), ws = _mm_set_epi16(0, ps, ps, ps, 0, ps, ps, ps);
  const __m128i rgb = Set32(0x00FFFFFFu), vkey = Set32(key), ones = _mm_set1_epi8(1);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i D = Load(d + i), S = Load(s + i);
    __m128i out;
    if (Mode == 2) {
      // (d + s)/2 half to even: the rounded-up average, less one where the
      // sum was odd and the average came out odd.
      const __m128i avg = _mm_avg_epu8(D, S);
      const __m128i r = _mm_sub_epi8(avg, _mm_and_si128(_mm_and_si128(_mm_xor_si128(D, S), avg), ones));
      out = _mm_or_si128(_mm_and_si128(r, rgb), _mm_andnot_si128(rgb, D));
    } else if (Mode == 1) {
      out = _mm_packus_epi16(PercentHalfNoTie(Lo16(D), Lo16(S), wd, ws), PercentHalfNoTie(Hi16(D), Hi16(S), wd, ws));
    } else {
      out = _mm_packus_epi16(PercentHalf(Lo16(D), Lo16(S), wd, ws), PercentHalf(Hi16(D), Hi16(S), wd, ws));
    }
    if (test == TKeyTest::OnSource) out = Select(_mm_cmpeq_epi32(S, vkey), D, out);
    if (test == TKeyTest::OnDest) out = Select(_mm_cmpeq_epi32(D, vkey), D, out);
    Store(d + i, out);
  }
  ScalarKernels().PercentBlend(d + i, s + i, n - i, p, test, key);
}

void PercentBlend(uint32_t* d, const uint32_t* s, int n, int p, TKeyTest test, uint32_t key) {
  if (p == 50) PercentBlendT<2>(d, s, n, p, test, key);
  else if (!PercentHasTies(p)) PercentBlendT<1>(d, s, n, p, test, key);
  else PercentBlendT<0>(d, s, n, p, test, key);
}

// Four ramp pixels a step: lanes hold pixels i..i+3 as c + (i + lane)*step.
void Ramp(uint32_t* d, int n, const int32_t* c, const int32_t* step) {
  auto lanes = [](int32_t v, int32_t st) { return _mm_set_epi32(v + 3 * st, v + 2 * st, v + st, v); };
  __m128i vb = lanes(c[0], step[0]), vg = lanes(c[1], step[1]), vr = lanes(c[2], step[2]);
  const __m128i sb = _mm_set1_epi32(4 * step[0]), sg = _mm_set1_epi32(4 * step[1]), sr = _mm_set1_epi32(4 * step[2]);
  const __m128i alpha = _mm_set1_epi32(255);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    // Bytes b0..b3 r0..r3 g0..g3 a0..a3, then interleaved to b g r a per pixel.
    const __m128i x = _mm_packus_epi16(_mm_packs_epi32(_mm_srai_epi32(vb, 16), _mm_srai_epi32(vr, 16)),
                                       _mm_packs_epi32(_mm_srai_epi32(vg, 16), alpha));
    const __m128i y = _mm_unpacklo_epi8(x, _mm_srli_si128(x, 8));
    Store(d + i, _mm_unpacklo_epi16(y, _mm_srli_si128(y, 8)));
    vb = _mm_add_epi32(vb, sb);
    vg = _mm_add_epi32(vg, sg);
    vr = _mm_add_epi32(vr, sr);
  }
  const int32_t rest[3] = {c[0] + i * step[0], c[1] + i * step[1], c[2] + i * step[2]};
  ScalarKernels().Ramp(d + i, n - i, rest, step);
}

// Sixteen pixels a step with byte shuffles. Each 16-byte load reads four
// bytes past the twelve it uses, so the loop stops while more than that is
// left of the row.
__attribute__((target("ssse3"))) void Rgb24ToBgraSsse3(uint32_t* d, const uint8_t* s, int n) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i key = _mm_set1_epi32(0xFF00FF);
  const __m128i alpha = Set32(0xFF000000u);
  int i = 0;
  for (; i + 18 <= n; i += 16, s += 48) {
    for (int q = 0; q < 4; ++q) {
      __m128i v = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 12 * q)), spread);
      v = _mm_or_si128(v, _mm_andnot_si128(_mm_cmpeq_epi32(v, key), alpha));
      Store(d + i + 4 * q, v);
    }
  }
  ScalarKernels().Rgb24ToBgra(d + i, s, n - i);
}

bool CpuHasSsse3() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();
  return __builtin_cpu_supports("ssse3") != 0;
#else
  return false;
#endif
}

}  // namespace

bool PercentHasTies(int p) {
  static const auto table = [] {
    std::array<bool, 101> t{};
    for (int q = 0; q <= 100; ++q)
      for (int diff = 1; diff <= 255; ++diff)
        if ((diff * q) % 100 == 50) t[static_cast<size_t>(q)] = true;
    return t;
  }();
  return p < 0 || p > 100 || table[static_cast<size_t>(p)];
}

const TPixelKernels& Sse2Kernels() {
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
      .Rgb24ToBgra = CpuHasSsse3() ? Rgb24ToBgraSsse3 : ScalarKernels().Rgb24ToBgra,
  };
  return k;
}

}  // namespace glyphora
