// One byte channel of a 32-bit bitmap to or from an 8-bit bitmap (the alpha
// planes of decoded images).
#pragma once
#include <cstdint>
#include <vector>

#include "base/bitmap32.h"

namespace glyphora {

// An owned plane of bytes, rows through ScanLine (nullptr outside).
class TBitmap8 {
 public:
  TBitmap8() = default;
  TBitmap8(int32_t width, int32_t height) { SetSize(width, height); }
  void SetSize(int32_t width, int32_t height);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  uint8_t* ScanLine(int32_t y) {
    return (y < 0 || y >= height_) ? nullptr : bytes_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
  }
  const uint8_t* ScanLine(int32_t y) const { return const_cast<TBitmap8*>(this)->ScanLine(y); }

 private:
  int32_t width_ = 0, height_ = 0;
  std::vector<uint8_t> bytes_;
};

// toGray: byte index of every pixel of bmp32 into bmp8; otherwise back from
// bmp8 into that byte. Works on the area both share; index outside 0..3 does nothing.
void CopyChannel(TBitmap32* bmp32, TBitmap8* bmp8, int index, bool toGray);

}  // namespace glyphora
