// Reader of Windows BMP files into 32-bit BGRA pixels. Needs no window system.
#pragma once
#include <cstdint>
#include <span>

#include "base/bitmap32.h"

namespace glyphora {

// Largest bitmap accepted, in each direction and in pixels.
constexpr int32_t kMaxBmpSide = 32768;
constexpr int64_t kMaxBmpPixels = 64ll << 20;
// A run-length picture may have kRleFreePixels pixels, plus kRlePixelsPerByte
// for each byte of its data (two bytes skip a row of up to kMaxBmpSide).
constexpr int64_t kRleFreePixels = 1ll << 20;
constexpr int64_t kRlePixelsPerByte = 4096;

// Loads a BMP file (1, 4, 8, 16, 24 or 32 bits per pixel, uncompressed, bit
// fields or run-length encoded 4- and 8-bit pixels, bottom-up or top-down). 32-bit pixels are taken unchanged; any other
// depth becomes 32-bit with alpha 255, except pixels of the key colour
// (magenta), which keep alpha 0. A file with width or height 0 gives an empty
// bitmap. Damaged or unsupported files raise ESkinError. was32Bit, when given,
// tells whether the file held 32-bit pixels.
TBitmap32 LoadBmp(std::span<const uint8_t> bytes, bool* was32Bit = nullptr);
// The picture's size from the file's header, without reading its pixels;
// false when the bytes do not start like a BMP file.
bool BmpDimensions(std::span<const uint8_t> bytes, int32_t& width, int32_t& height);
// The same into out, reusing out's memory when it is large enough.
void LoadBmpInto(std::span<const uint8_t> bytes, TBitmap32& out, bool* was32Bit = nullptr);

}  // namespace glyphora
