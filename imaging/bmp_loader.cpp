#include "imaging/bmp_loader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/pixel_kernels.h"
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

constexpr uint32_t kBI_RGB = 0, kBI_RLE8 = 1, kBI_RLE4 = 2, kBI_BITFIELDS = 3, kBI_ALPHABITFIELDS = 6;

// A palette colour made 32-bit: opaque, except the key colour, which stays a hole.
inline uint32_t Opaque(uint32_t rgb) { return rgb == (KeyColor32 & 0xFFFFFF) ? rgb : (rgb | 0xFF000000u); }

// Run-length encoded 8-bit (bpp 8) or 4-bit (bpp 4) pixels from [p, end)
// into out. Lines run bottom-up unless topDown. Pixels no instruction sets
// (skipped by a delta or an early end of line or bitmap) are opaque black,
// as in the zeroed bitmap the platform decodes into. Runs that reach past
// the right edge are cut there; a delta or end of line below the last line
// ends the picture. Data that stops between two instructions ends it too;
// data that stops inside one is damaged.
void DecodeRle(const uint8_t* p, const uint8_t* end, uint32_t bpp, const uint32_t* palette, bool topDown,
               TBitmap32& out) {
  const int32_t w = out.Width(), h = out.Height();
  for (int32_t y = 0; y < h; ++y) std::fill_n(out.ScanLine(y), w, 0xFF000000u);
  if (p >= end) Bad("no pixel data");
  int64_t x = 0, line = 0;
  // The index of pixel i of a run, from a byte (8-bit) or two nibbles (4-bit).
  auto index = [bpp](const uint8_t* bytes, int i) -> uint32_t {
    return bpp == 8 ? bytes[i] : (i & 1 ? bytes[i / 2] & 15 : bytes[i / 2] >> 4);
  };
  while (line < h && end - p >= 2) {
    const int n = p[0], v = p[1];
    p += 2;
    uint32_t* row = out.ScanLine(static_cast<int32_t>(topDown ? line : h - 1 - line));
    if (n > 0) {  // n pixels of one index (8-bit) or of two alternating ones (4-bit)
      const uint32_t c[2] = {Opaque(palette[bpp == 8 ? v : v >> 4]), Opaque(palette[bpp == 8 ? v : v & 15])};
      for (int i = 0; i < n && x < w; ++i, ++x) row[x] = c[i & 1];
      continue;
    }
    if (v == 0) {  // end of line
      x = 0;
      ++line;
    } else if (v == 1) {  // end of bitmap
      return;
    } else if (v == 2) {  // delta: right and down
      if (end - p < 2) Bad("truncated run-length data");
      x += p[0];
      line += p[1];
      p += 2;
    } else {  // v indexes as they are, padded to a 16-bit word
      const int64_t bytes = bpp == 8 ? v : (v + 1) / 2;
      if (end - p < bytes) Bad("truncated run-length data");
      for (int i = 0; i < v && x < w; ++i, ++x) row[x] = Opaque(palette[index(p, i)]);
      p += std::min<int64_t>(bytes + (bytes & 1), end - p);
    }
  }
  if (end - p == 1 && line < h) Bad("truncated run-length data");
}

}  // namespace

TBitmap32 LoadBmp(std::span<const uint8_t> b, bool* was32Bit) {
  TBitmap32 out;
  LoadBmpInto(b, out, was32Bit);
  return out;
}

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
  const bool rle = compression == kBI_RLE8 || compression == kBI_RLE4;
  if (compression != kBI_RGB && compression != kBI_BITFIELDS && compression != kBI_ALPHABITFIELDS && !rle)
    Bad("unknown compression");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) Bad("unsupported pixel depth");
  if (rle && bpp != (compression == kBI_RLE8 ? 8u : 4u)) Bad("run-length data needs 8 or 4 bits per pixel");
  if (!rle && compression != kBI_RGB && bpp != 16 && bpp != 32) Bad("bit fields need 16 or 32 bits per pixel");

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
  if (!rle && dataAt + stride * uint64_t(height - 1) + lastRow > size) Bad("truncated pixel data");

  // Run-length data can describe a huge picture in a few bytes (end-of-line
  // and delta escapes skip whole rows): the picture may not outgrow its data
  // by more than any real encoding does, so a tiny file cannot ask for
  // hundreds of megabytes.
  if (rle && width * height > kRleFreePixels + kRlePixelsPerByte * int64_t(size - std::min<uint64_t>(dataAt, size)))
    Bad("run-length picture too large for its data");

  const int32_t w = static_cast<int32_t>(width), h = static_cast<int32_t>(height);
  out.SetSizeForOverwrite(w, h);
  if (was32Bit) *was32Bit = bpp == 32;
  if (rle) {
    DecodeRle(d + dataAt, d + size, bpp, palette, topDown, out);
    return;
  }

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
      KernelsForRow(w).Rgb24ToBgra(dst, src, w);
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
      dst[x] = Opaque(rgb);
    }
  }
}

bool BmpDimensions(std::span<const uint8_t> bytes, int32_t& width, int32_t& height) {
  const uint8_t* d = bytes.data();
  if (bytes.size() < 14 + 12 || d[0] != 'B' || d[1] != 'M') return false;
  const uint32_t hdr = U32(d + 14);
  int64_t w, h;
  if (hdr == 12) {
    w = U16(d + 18);
    h = static_cast<int16_t>(U16(d + 20));
  } else {
    if (hdr < 40 || bytes.size() < 14 + 40) return false;
    w = static_cast<int32_t>(U32(d + 18));
    h = static_cast<int32_t>(U32(d + 22));
  }
  if (h < 0) h = -h;
  if (w < 0 || w > kMaxBmpSide || h > kMaxBmpSide) return false;
  width = static_cast<int32_t>(w);
  height = static_cast<int32_t>(h);
  return true;
}

}  // namespace glyphora
