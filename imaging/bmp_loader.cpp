#include "imaging/bmp_loader.h"

#include <cstring>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif
#include <string>

#include "base/shared_types.h"
#include "base/skin_error.h"

namespace glyphora {

namespace {

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

[[noreturn]] void Bad(const char* why) { throw ESkinError(std::string("Bitmap image is not valid: ") + why); }

// A colour channel described by a bit mask, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  explicit Channel(uint32_t m = 0) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    max = m >> shift;
  }
  uint32_t Get(uint32_t v) const {
    if (!max) return 0;
    return static_cast<uint32_t>((uint64_t((v & mask) >> shift) * 255 + max / 2) / max);
  }
};

constexpr uint32_t kBI_RGB = 0, kBI_BITFIELDS = 3, kBI_ALPHABITFIELDS = 6;

}  // namespace

TBitmap32 LoadBmp(std::span<const uint8_t> b, bool* was32Bit) {
  TBitmap32 out;
  LoadBmpInto(b, out, was32Bit);
  return out;
}

namespace {

// Opaque, except the key colour, which stays a hole.
inline uint32_t Opaque(uint32_t rgb) { return rgb | (rgb == 0xFF00FFu ? 0u : 0xFF000000u); }

#if defined(__x86_64__) || defined(__i386__)
// Sixteen pixels a step with byte shuffles. Each 16-byte load reads four
// bytes past the twelve it uses, so the loop stops while more than that is
// left of the row.
__attribute__((target("ssse3"))) int32_t Row24To32Ssse3(const uint8_t* src, uint32_t* dst, int32_t w) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i key = _mm_set1_epi32(0xFF00FF);
  const __m128i alpha = _mm_set1_epi32(static_cast<int32_t>(0xFF000000u));
  int32_t x = 0;
  for (; x + 18 <= w; x += 16, src += 48) {
    for (int q = 0; q < 4; ++q) {
      __m128i v = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 12 * q)), spread);
      v = _mm_or_si128(v, _mm_andnot_si128(_mm_cmpeq_epi32(v, key), alpha));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x + 4 * q), v);
    }
  }
  return x;
}

bool HasSsse3() {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}
#endif

// One row of 24-bit pixels made 32-bit. Four pixels are three little-endian
// words of the row, so the rest of the row is read a word at a time.
void Row24To32(const uint8_t* src, uint32_t* dst, int32_t w) {
  int32_t x = 0;
#if defined(__x86_64__) || defined(__i386__)
  if (HasSsse3()) {
    x = Row24To32Ssse3(src, dst, w);
    src += 3 * size_t(x);
  }
#endif
  for (; x + 4 <= w; x += 4, src += 12) {
    uint32_t w0, w1, w2;
    std::memcpy(&w0, src, 4);
    std::memcpy(&w1, src + 4, 4);
    std::memcpy(&w2, src + 8, 4);
    dst[x] = Opaque(w0 & 0xFFFFFFu);
    dst[x + 1] = Opaque((w0 >> 24 | w1 << 8) & 0xFFFFFFu);
    dst[x + 2] = Opaque((w1 >> 16 | w2 << 16) & 0xFFFFFFu);
    dst[x + 3] = Opaque(w2 >> 8);
  }
  for (; x < w; ++x, src += 3) dst[x] = Opaque(uint32_t(src[0]) | uint32_t(src[1]) << 8 | uint32_t(src[2]) << 16);
}

}  // namespace

void LoadBmpInto(std::span<const uint8_t> b, TBitmap32& out, bool* was32Bit) {
  if (was32Bit) *was32Bit = false;
  const size_t size = b.size();
  const uint8_t* d = b.data();
  if (size < 14 + 12 || d[0] != 'B' || d[1] != 'M') Bad("no BMP header");
  uint32_t offBits = U32(d + 10);
  uint32_t hdr = U32(d + 14);
  if (hdr < 12 || hdr > size - 14) Bad("truncated header");

  int64_t width, height;
  uint32_t bpp, compression = kBI_RGB, clrUsed = 0;
  size_t paletteEntrySize = 4;
  uint32_t masks[4] = {0, 0, 0, 0};
  size_t afterHeader = 14 + hdr;
  if (hdr == 12) {  // OS/2 core header
    width = U16(d + 18);
    height = static_cast<int16_t>(U16(d + 20));
    bpp = U16(d + 24);
    paletteEntrySize = 3;
  } else {
    if (hdr < 40) Bad("unknown header");
    width = static_cast<int32_t>(U32(d + 18));
    height = static_cast<int32_t>(U32(d + 22));
    bpp = U16(d + 28);
    compression = U32(d + 30);
    clrUsed = U32(d + 46);
    if (compression == kBI_BITFIELDS || compression == kBI_ALPHABITFIELDS) {
      size_t n = compression == kBI_ALPHABITFIELDS ? 4 : 3;
      if (hdr >= 56) n = 4;
      size_t at = 14 + 40;
      // With the plain 40-byte header the masks follow it.
      if (hdr == 40) afterHeader += n * 4;
      if (at + n * 4 > size) Bad("truncated bit fields");
      for (size_t i = 0; i < n; ++i) masks[i] = U32(d + at + 4 * i);
    }
  }
  if (compression != kBI_RGB && compression != kBI_BITFIELDS && compression != kBI_ALPHABITFIELDS)
    Bad("compressed bitmaps are not supported");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) Bad("unsupported pixel depth");
  if (compression != kBI_RGB && bpp != 16 && bpp != 32) Bad("bit fields need 16 or 32 bits per pixel");

  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width < 0) Bad("negative width");
  if (width > kMaxBmpSide || height > kMaxBmpSide || width * height > kMaxBmpPixels) Bad("image too large");
  if (width == 0 || height == 0) {
    out.SetSize(0, 0);
    return;
  }

  // Palette.
  uint32_t palette[256] = {};
  uint32_t palCount = 0;
  if (bpp <= 8) {
    palCount = clrUsed ? clrUsed : (1u << bpp);
    if (palCount > 256) palCount = 256;
    if (afterHeader + uint64_t(palCount) * paletteEntrySize > size) Bad("truncated palette");
    for (uint32_t i = 0; i < palCount; ++i) {
      const uint8_t* p = d + afterHeader + i * paletteEntrySize;
      palette[i] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    }
    afterHeader += size_t(palCount) * paletteEntrySize;
  }

  const uint64_t stride = ((uint64_t(width) * bpp + 31) / 32) * 4;
  const uint64_t lastRow = (uint64_t(width) * bpp + 7) / 8;
  uint64_t dataAt = offBits >= afterHeader && offBits < size ? offBits : afterHeader;
  if (dataAt + stride * uint64_t(height - 1) + lastRow > size) Bad("truncated pixel data");

  const int32_t w = static_cast<int32_t>(width), h = static_cast<int32_t>(height);
  out.SetSizeForOverwrite(w, h);
  if (was32Bit) *was32Bit = bpp == 32;

  bool rawBGRA = bpp == 32 && (compression == kBI_RGB ||
                               (masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF &&
                                (masks[3] == 0 || masks[3] == 0xFF000000u)));
  Channel cr, cg, cb, ca;
  if (bpp == 16 && compression == kBI_RGB) {
    cr = Channel(0x7C00); cg = Channel(0x03E0); cb = Channel(0x001F);
  } else if (compression != kBI_RGB) {
    cr = Channel(masks[0]); cg = Channel(masks[1]); cb = Channel(masks[2]); ca = Channel(masks[3]);
  }

  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* src = d + dataAt + stride * uint64_t(topDown ? y : h - 1 - y);
    uint32_t* dst = out.ScanLine(y);
    if (rawBGRA) {
      std::memcpy(dst, src, size_t(w) * 4);
      continue;
    }
    if (bpp == 24) {  // the usual master bitmap
      Row24To32(src, dst, w);
      continue;
    }
    for (int32_t x = 0; x < w; ++x) {
      uint32_t rgb;
      switch (bpp) {
        case 1: rgb = palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
        case 4: rgb = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]; break;
        case 8: rgb = palette[src[x]]; break;
        case 24: rgb = uint32_t(src[3 * x]) | uint32_t(src[3 * x + 1]) << 8 | uint32_t(src[3 * x + 2]) << 16; break;
        case 16: {
          uint32_t v = U16(src + 2 * x);
          rgb = cb.Get(v) | cg.Get(v) << 8 | cr.Get(v) << 16;
          break;
        }
        default: {  // 32-bit with unusual bit fields
          uint32_t v = U32(src + 4 * x);
          uint32_t a = ca.mask ? ca.Get(v) : 255;
          dst[x] = cb.Get(v) | cg.Get(v) << 8 | cr.Get(v) << 16 | a << 24;
          continue;
        }
      }
      // Made 32-bit: opaque, except the key colour, which stays a hole.
      dst[x] = rgb == (KeyColor32 & 0xFFFFFF) ? rgb : (rgb | 0xFF000000u);
    }
  }
}

}  // namespace glyphora
