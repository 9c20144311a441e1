// Scalar row kernels: the reference every fast path is compared with.
#include <cstring>

#include "base/pixel_kernels.h"

// A kernel left out of a table below would be a null pointer.
#pragma GCC diagnostic error "-Wmissing-field-initializers"

namespace glyphora {
namespace {

inline uint32_t Byte(uint32_t v, int i) { return (v >> (8 * i)) & 0xFF; }

void Blend(uint32_t* d, const uint32_t* s, int n, uint8_t a) {
  const uint32_t ia = 255u - a;
  for (int i = 0; i < n; ++i) {
    uint32_t out = 0;
    for (int c = 0; c < 4; ++c)
      out |= ((Byte(d[i], c) * a + Byte(s[i], c) * ia + 127) >> 8) << (8 * c);
    d[i] = out;
  }
}

void Mix(uint32_t* d, const uint32_t* a, const uint32_t* b, int n, uint8_t w, uint32_t alphaOr) {
  const uint32_t iw = 256u - w;
  for (int i = 0; i < n; ++i) {
    uint32_t out = (d[i] & 0xFF000000u) | alphaOr;
    for (int c = 0; c < 3; ++c) out |= ((Byte(a[i], c) * w + Byte(b[i], c) * iw) >> 8) << (8 * c);
    d[i] = out;
  }
}

void MixColor(uint32_t* d, const uint32_t* a, int n, uint8_t w, uint32_t color, uint32_t alphaOr) {
  const uint32_t iw = 256u - w;
  for (int i = 0; i < n; ++i) {
    uint32_t out = (d[i] & 0xFF000000u) | alphaOr;
    for (int c = 0; c < 3; ++c) out |= ((Byte(a[i], c) * w + Byte(color, c) * iw) >> 8) << (8 * c);
    d[i] = out;
  }
}

void MixMasked(uint32_t* d, const uint32_t* a, const uint32_t* b, const uint32_t* m, int n,
               uint32_t alphaOr, bool skipKey, uint32_t key, const uint32_t* keyFill) {
  for (int i = 0; i < n; ++i) {
    if (skipKey && b[i] == key) {
      if (keyFill) d[i] = keyFill[i] | alphaOr;
      continue;
    }
    uint32_t out = (d[i] & 0xFF000000u) | alphaOr;
    for (int c = 0; c < 3; ++c) {
      const uint32_t w = Byte(m[i], c);
      out |= ((Byte(a[i], c) * w + Byte(b[i], c) * (256u - w)) >> 8) << (8 * c);
    }
    d[i] = out;
  }
}

void KeyedCopy(uint32_t* d, const uint32_t* s, int n, uint32_t key, uint32_t alphaOr) {
  for (int i = 0; i < n; ++i)
    if (s[i] != key) d[i] = s[i] | alphaOr;
}

void ReplaceKey(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key,
                uint32_t alphaOr) {
  for (int i = 0; i < n; ++i)
    if (s[i] == key) d[i] = p[i] | alphaOr;
}

void SelectKey(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key, uint32_t alphaOr) {
  for (int i = 0; i < n; ++i) d[i] = (s[i] == key ? p[i] : s[i]) | alphaOr;
}

uint32_t AlphaOverPixel(uint32_t d, uint32_t s) {
  const uint32_t sa = Byte(s, 3), da = Byte(d, 3);
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c) out |= ((Byte(s, c) * sa + Byte(d, c) * (256u - sa)) >> 8) << (8 * c);
  return out | (da + sa * (255u - da) / 255u) << 24;
}

void AlphaOver(uint32_t* d, const uint32_t* s, int n) {
  for (int i = 0; i < n; ++i) d[i] = AlphaOverPixel(d[i], s[i]);
}

void AlphaOverReplaceKey(uint32_t* d, const uint32_t* s, const uint32_t* p, int n, uint32_t key,
                         uint32_t alphaOr) {
  for (int i = 0; i < n; ++i) d[i] = s[i] == key ? p[i] | alphaOr : AlphaOverPixel(d[i], s[i]);
}

void Gray(uint32_t* d, int n, bool skipKey, uint32_t key) {
  for (int i = 0; i < n; ++i) {
    if (skipKey && d[i] == key) continue;
    const uint32_t v = (Byte(d[i], 0) + Byte(d[i], 1) + Byte(d[i], 2)) / 3;
    d[i] = (d[i] & 0xFF000000u) | v | (v << 8) | (v << 16);
  }
}

void SetAlpha(uint32_t* d, int n, uint8_t alpha, bool skipKey, uint32_t key) {
  for (int i = 0; i < n; ++i) {
    if (skipKey && d[i] == key) continue;
    d[i] = (d[i] & 0x00FFFFFFu) | (static_cast<uint32_t>(alpha) << 24);
  }
}

void PercentBlend(uint32_t* d, const uint32_t* s, int n, int p, TKeyTest test, uint32_t key) {
  const uint32_t wd = static_cast<uint32_t>(p), ws = 100u - wd;
  for (int i = 0; i < n; ++i) {
    if (test == TKeyTest::OnSource && s[i] == key) continue;
    if (test == TKeyTest::OnDest && d[i] == key) continue;
    uint32_t out = d[i] & 0xFF000000u;
    for (int c = 0; c < 3; ++c) {
      const uint32_t num = Byte(d[i], c) * wd + Byte(s[i], c) * ws;
      uint32_t q = num / 100, r = num % 100;
      if (r > 50 || (r == 50 && (q & 1))) ++q;
      out |= q << (8 * c);
    }
    d[i] = out;
  }
}

inline uint32_t RampByte(int32_t v) {
  const int32_t b = v >> 16;
  return b < 0 ? 0u : (b > 255 ? 255u : static_cast<uint32_t>(b));
}

void Ramp(uint32_t* d, int n, const int32_t* c, const int32_t* step) {
  for (int i = 0; i < n; ++i)
    d[i] = 0xFF000000u | RampByte(c[0] + i * step[0]) | (RampByte(c[1] + i * step[1]) << 8) |
           (RampByte(c[2] + i * step[2]) << 16);
}

// Opaque, except the key colour, which stays a hole.
inline uint32_t Opaque(uint32_t rgb) { return rgb | (rgb == 0xFF00FFu ? 0u : 0xFF000000u); }

// Four pixels are three little-endian words of the row, so the row is read a
// word at a time.
void Rgb24ToBgra(uint32_t* d, const uint8_t* s, int n) {
  int i = 0;
  for (; i + 4 <= n; i += 4, s += 12) {
    uint32_t w0, w1, w2;
    std::memcpy(&w0, s, 4);
    std::memcpy(&w1, s + 4, 4);
    std::memcpy(&w2, s + 8, 4);
    d[i] = Opaque(w0 & 0xFFFFFFu);
    d[i + 1] = Opaque((w0 >> 24 | w1 << 8) & 0xFFFFFFu);
    d[i + 2] = Opaque((w1 >> 16 | w2 << 16) & 0xFFFFFFu);
    d[i + 3] = Opaque(w2 >> 8);
  }
  for (; i < n; ++i, s += 3) d[i] = Opaque(uint32_t(s[0]) | uint32_t(s[1]) << 8 | uint32_t(s[2]) << 16);
}

}  // namespace

const TPixelKernels& ScalarKernels() {
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
      .Rgb24ToBgra = Rgb24ToBgra,
  };
  return k;
}

}  // namespace glyphora
