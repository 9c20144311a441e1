#include "imaging/image_decoder.h"

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
