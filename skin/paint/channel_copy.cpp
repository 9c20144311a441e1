#include "skin/paint/channel_copy.h"

#include <algorithm>

namespace glyphora {

void TBitmap8::SetSize(int32_t width, int32_t height) {
  width_ = std::max<int32_t>(width, 0);
  height_ = std::max<int32_t>(height, 0);
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  bytes_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
}

void CopyChannel(TBitmap32* bmp32, TBitmap8* bmp8, int index, bool toGray) {
  if (!bmp32 || !bmp8 || index < 0 || index > 3) return;
  const int32_t w = std::min(bmp32->Width(), bmp8->Width()), h = std::min(bmp32->Height(), bmp8->Height());
  const int shift = 8 * index;
  const uint32_t keep = ~(0xFFu << shift);
  for (int32_t y = 0; y < h; ++y) {
    uint32_t* p = bmp32->ScanLine(y);
    uint8_t* b = bmp8->ScanLine(y);
    if (toGray) {
      for (int32_t x = 0; x < w; ++x) b[x] = static_cast<uint8_t>(p[x] >> shift);
    } else {
      for (int32_t x = 0; x < w; ++x) p[x] = (p[x] & keep) | (static_cast<uint32_t>(b[x]) << shift);
    }
  }
}

}  // namespace glyphora
