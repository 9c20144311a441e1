// Decoding of PNG and JPEG files, which the platform's codecs do (WIC on
// Windows). Portable code calls them through this interface; on the host no
// decoder is installed and such images are unavailable.
#pragma once
#include <cstdint>
#include <span>

#include "base/bitmap32.h"

namespace glyphora {

class TImageDecoder {
 public:
  virtual ~TImageDecoder() = default;
  // Decodes a PNG or JPEG file into 32-bit BGRA pixels with straight alpha
  // (JPEG pixels get alpha 255). Raises ESkinError when the data is damaged.
  virtual TBitmap32 Decode(std::span<const uint8_t> bytes) = 0;
};

// The process-wide decoder (nullptr when there is none). The Windows side
// installs its WIC decoder at start-up (see imaging/wic_decoder.h).
TImageDecoder* DefaultImageDecoder();
void SetDefaultImageDecoder(TImageDecoder* decoder);

// PNG images of skins: every pure white pixel with alpha 0 becomes 0 (all four bytes).
void ClearTransparentWhite(TBitmap32& bmp);

// Width and height from a PNG file's header, after checking that the file is
// whole: the signature, IHDR first, every chunk inside the file with a
// matching CRC, at least one IDAT, IEND last. A file that passes can be
// decoded later; one that fails is damaged.
bool PngDimensions(std::span<const uint8_t> bytes, int32_t& width, int32_t& height);

// Width and height from a JPEG file's frame header, without decoding it.
bool JpegDimensions(std::span<const uint8_t> bytes, int32_t& width, int32_t& height);

}  // namespace glyphora
