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

// What the file and info headers say, checked against the file's size.
struct TBmpHeader {
  int64_t width = 0, height = 0;
  bool topDown = false;
  uint32_t bpp = 0, compression = kBI_RGB, clrUsed = 0;
  size_t paletteEntrySize = 4;  // 3 in the OS/2 core layout
  uint32_t masks[4] = {0, 0, 0, 0};
  size_t afterHeader = 0;  // where the bit fields (if any) and the palette end
  uint32_t offBits = 0;
  bool Rle() const { return compression == kBI_RLE8 || compression == kBI_RLE4; }
};

TBmpHeader ReadHeader(const uint8_t* d, size_t size) {
  if (size < 14 + 12 || d[0] != 'B' || d[1] != 'M') Bad("no BMP header");
  TBmpHeader h;
  h.offBits = U32(d + 10);
  const uint32_t hdr = U32(d + 14);
  if (hdr < 12 || hdr > size - 14) Bad("truncated header");
  h.afterHeader = 14 + hdr;
  if (hdr == 12) {  // OS/2 core header
    h.width = U16(d + 18);
    h.height = static_cast<int16_t>(U16(d + 20));
    h.bpp = U16(d + 24);
    h.paletteEntrySize = 3;
  } else {
    if (hdr < 40) Bad("unknown header");
    h.width = static_cast<int32_t>(U32(d + 18));
    h.height = static_cast<int32_t>(U32(d + 22));
    h.bpp = U16(d + 28);
    h.compression = U32(d + 30);
    h.clrUsed = U32(d + 46);
    if (h.compression == kBI_BITFIELDS || h.compression == kBI_ALPHABITFIELDS) {
      size_t n = h.compression == kBI_ALPHABITFIELDS ? 4 : 3;
      if (hdr >= 56) n = 4;
      const size_t at = 14 + 40;
      // With the plain 40-byte header the masks follow it.
      if (hdr == 40) h.afterHeader += n * 4;
      if (at + n * 4 > size) Bad("truncated bit fields");
      for (size_t i = 0; i < n; ++i) h.masks[i] = U32(d + at + 4 * i);
    }
  }
  const bool rle = h.Rle();
  if (h.compression != kBI_RGB && h.compression != kBI_BITFIELDS && h.compression != kBI_ALPHABITFIELDS && !rle)
    Bad("unknown compression");
  if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 && h.bpp != 32)
    Bad("unsupported pixel depth");
  if (rle && h.bpp != (h.compression == kBI_RLE8 ? 8u : 4u)) Bad("run-length data needs 8 or 4 bits per pixel");
  if (!rle && h.compression != kBI_RGB && h.bpp != 16 && h.bpp != 32) Bad("bit fields need 16 or 32 bits per pixel");

  h.topDown = h.height < 0;
  if (h.topDown) h.height = -h.height;
  if (h.width < 0) Bad("negative width");
  if (h.width > kMaxBmpSide || h.height > kMaxBmpSide || h.width * h.height > kMaxBmpPixels) Bad("image too large");
  return h;
}

// The palette of a picture of 8 bits or fewer per pixel; moves afterHeader
// past it.
void ReadPalette(const uint8_t* d, size_t size, TBmpHeader& h, uint32_t (&palette)[256]) {
  if (h.bpp > 8) return;
  uint32_t count = h.clrUsed ? h.clrUsed : (1u << h.bpp);
  if (count > 256) count = 256;
  if (h.afterHeader + uint64_t(count) * h.paletteEntrySize > size) Bad("truncated palette");
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* p = d + h.afterHeader + i * h.paletteEntrySize;
    palette[i] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
  }
  h.afterHeader += size_t(count) * h.paletteEntrySize;
}

// Uncompressed and bit-field rows, `stride` bytes apart from `pixels`.
void DecodeRows(const uint8_t* pixels, uint64_t stride, const TBmpHeader& h, const uint32_t* palette,
                TBitmap32& out) {
  const int32_t w = out.Width(), height = out.Height();
  const uint32_t* m = h.masks;
  const bool rawBGRA = h.bpp == 32 && (h.compression == kBI_RGB ||
                                       (m[0] == 0xFF0000 && m[1] == 0xFF00 && m[2] == 0xFF &&
                                        (m[3] == 0 || m[3] == 0xFF000000u)));
  Channel cr, cg, cb, ca;
  if (h.bpp == 16 && h.compression == kBI_RGB) {
    cr = Channel(0x7C00); cg = Channel(0x03E0); cb = Channel(0x001F);
  } else if (h.compression != kBI_RGB) {
    cr = Channel(m[0]); cg = Channel(m[1]); cb = Channel(m[2]); ca = Channel(m[3]);
  }
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* src = pixels + stride * uint64_t(h.topDown ? y : height - 1 - y);
    uint32_t* dst = out.ScanLine(y);
    if (rawBGRA) {
      std::memcpy(dst, src, size_t(w) * 4);
    } else if (h.bpp == 24) {  // the usual master bitmap
      KernelsForRow(w).Rgb24ToBgra(dst, src, w);
    } else if (h.bpp == 32) {  // unusual bit fields
      for (int32_t x = 0; x < w; ++x) {
        const uint32_t v = U32(src + 4 * x);
        const uint32_t a = ca.mask ? ca.Get(v) : 255;
        dst[x] = cb.Get(v) | cg.Get(v) << 8 | cr.Get(v) << 16 | a << 24;
      }
    } else if (h.bpp == 16) {
      for (int32_t x = 0; x < w; ++x) {
        const uint32_t v = U16(src + 2 * x);
        dst[x] = Opaque(cb.Get(v) | cg.Get(v) << 8 | cr.Get(v) << 16);
      }
    } else {  // 1, 4 or 8 bits of palette index
      for (int32_t x = 0; x < w; ++x) {
        const uint32_t i = h.bpp == 8 ? src[x]
                           : h.bpp == 4 ? (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15
                                        : (src[x >> 3] >> (7 - (x & 7))) & 1;
        dst[x] = Opaque(palette[i]);
      }
    }
  }
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
  TBmpHeader h = ReadHeader(d, size);
  if (h.width == 0 || h.height == 0) {
    out.SetSize(0, 0);
    return;
  }
  uint32_t palette[256] = {};
  ReadPalette(d, size, h, palette);

  const bool rle = h.Rle();
  const uint64_t stride = ((uint64_t(h.width) * h.bpp + 31) / 32) * 4;
  const uint64_t lastRow = (uint64_t(h.width) * h.bpp + 7) / 8;
  const uint64_t dataAt = h.offBits >= h.afterHeader && h.offBits < size ? h.offBits : h.afterHeader;
  if (!rle && dataAt + stride * uint64_t(h.height - 1) + lastRow > size) Bad("truncated pixel data");
  // Run-length data can describe a huge picture in a few bytes (end-of-line
  // and delta escapes skip whole rows): the picture may not outgrow its data
  // by more than any real encoding does, so a tiny file cannot ask for
  // hundreds of megabytes.
  if (rle && h.width * h.height > kRleFreePixels + kRlePixelsPerByte * int64_t(size - std::min<uint64_t>(dataAt, size)))
    Bad("run-length picture too large for its data");

  out.SetSizeForOverwrite(static_cast<int32_t>(h.width), static_cast<int32_t>(h.height));
  if (was32Bit) *was32Bit = h.bpp == 32;
  if (rle)
    DecodeRle(d + dataAt, d + size, h.bpp, palette, h.topDown, out);
  else
    DecodeRows(d + dataAt, stride, h, palette, out);
}

}  // namespace glyphora
