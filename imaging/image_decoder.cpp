#include "imaging/image_decoder.h"

#include <zlib.h>

#include <cstring>

namespace glyphora {

namespace {
TImageDecoder* g_decoder = nullptr;
}

TImageDecoder* DefaultImageDecoder() { return g_decoder; }
void SetDefaultImageDecoder(TImageDecoder* decoder) { g_decoder = decoder; }

void ClearTransparentWhite(TBitmap32& bmp) {
  for (int32_t y = 0; y < bmp.Height(); ++y) {
    uint32_t* row = bmp.ScanLine(y);
    for (int32_t x = 0; x < bmp.Width(); ++x)
      if (row[x] == 0x00FFFFFFu) row[x] = 0;
  }
}

namespace {
uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
}  // namespace

bool PngDimensions(std::span<const uint8_t> b, int32_t& width, int32_t& height) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (b.size() < 8 || std::memcmp(b.data(), kSignature, 8) != 0) return false;
  size_t at = 8;
  bool first = true, idat = false;
  while (b.size() - at >= 12) {
    const uint8_t* c = b.data() + at;
    const uint32_t len = BigEndian32(c);
    if (len > 0x7FFFFFFFu || len > b.size() - at - 12) return false;
    const uint8_t* type = c + 4;
    const uint32_t crc = static_cast<uint32_t>(crc32(0L, type, 4 + len));
    if (crc != BigEndian32(type + 4 + len)) return false;
    if (first) {
      if (std::memcmp(type, "IHDR", 4) != 0 || len < 13) return false;
      const uint32_t w = BigEndian32(type + 4), h = BigEndian32(type + 8);
      if (w == 0 || h == 0 || w > 0x7FFFFFFFu || h > 0x7FFFFFFFu) return false;
      width = static_cast<int32_t>(w);
      height = static_cast<int32_t>(h);
      first = false;
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      idat = true;
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      return idat;
    }
    at += 12 + size_t(len);
  }
  return false;
}

bool JpegDimensions(std::span<const uint8_t> b, int32_t& width, int32_t& height) {
  size_t n = b.size();
  if (n < 4 || b[0] != 0xFF || b[1] != 0xD8) return false;
  size_t i = 2;
  while (i + 4 <= n) {
    if (b[i] != 0xFF) return false;
    uint8_t marker = b[i + 1];
    if (marker == 0xFF) { ++i; continue; }  // fill byte
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { i += 2; continue; }
    if (marker == 0xD9 || marker == 0xDA) return false;  // no frame header before the scan
    size_t len = size_t(b[i + 2]) << 8 | b[i + 3];
    if (len < 2 || i + 2 + len > n) return false;
    bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (sof) {
      if (len < 7) return false;
      height = int32_t(b[i + 5]) << 8 | b[i + 6];
      width = int32_t(b[i + 7]) << 8 | b[i + 8];
      return true;
    }
    i += 2 + len;
  }
  return false;
}

}  // namespace glyphora
