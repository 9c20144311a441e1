// Two short-lived accessors over 32-bit bitmaps: TacFast32 fills and reads
// pixels of one bitmap, TacFastSum32 blends a source rectangle into a
// destination. Neither owns its bitmaps.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora {

class TacFast32 {
 public:
  // False (and FWidth 0) for a missing bitmap or one below 2 x 2 pixels.
  bool Attach(TBitmap32* bmp);
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }

  // Writes pixel | 0xFF000000 into R (Right, Bottom exclusive), cut to the bitmap.
  void FillRect(const TRect32& r, uint32_t pixel);
  // Pixel as 0xAABBGGRR (colour-value byte order, alpha on top); 0 outside.
  uint32_t GetPixel(int32_t x, int32_t y) const;
  // Stores 0xAABBGGRR as blue, green, red, alpha; ignored outside.
  void SetPixel(int32_t x, int32_t y, uint32_t value);

  TBitmap32* FBitmap = nullptr;
  int32_t FWidth = 0, FHeight = 0;
  ptrdiff_t FDelta = 0;
  uint8_t* FStart = nullptr;
  int32_t FLength = 0, DstStart = 0;
};

class TacFastSum32 {
 public:
  // False when a bitmap is missing or below 2 x 2; otherwise fills every
  // field except Alpha and the two rectangles.
  bool Attach(const TBitmap32* src, TBitmap32* dst);
  // Destination rows DstY2-1 down to DstY1, columns DstX1..DstX2-1, all four
  // bytes: D := (D*Alpha + S*(255-Alpha) + 127) >> 8. Positions outside
  // either bitmap are skipped.
  void BlendBitmapsRect();

  const TBitmap32* FBmpSrc = nullptr;
  TBitmap32* FBmpDst = nullptr;
  int32_t FWidthDst = 0, FHeightDst = 0;
  const uint8_t* FStartSrc = nullptr;
  uint8_t* FStartDst = nullptr;
  ptrdiff_t FDeltaSrc = 0, FDeltaDst = 0;
  uint8_t Alpha = 0;
  int32_t DstX1 = 0, DstY1 = 0, DstX2 = 0, DstY2 = 0;
  int32_t SrcX1 = 0, SrcY1 = 0, SrcX2 = 0, SrcY2 = 0;
};

}  // namespace glyphora
