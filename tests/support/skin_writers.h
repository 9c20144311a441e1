// Writers used only by tests and benchmarks to build skin packages, BMP and
// PNG files in memory. The program itself only reads these formats.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/bitmap32.h"

namespace glyphora::testing {

using Bytes = std::vector<uint8_t>;

Bytes ZlibCompress(std::span<const uint8_t> data, int level = -1);
inline Bytes ToBytes(std::string_view s) { return Bytes(s.begin(), s.end()); }

// Builds package bytes field by field, so tests can also write broken ones.
class PackBuilder {
 public:
  PackBuilder& Magic(std::string_view m = "ASzf") { Raw(ToBytes(m)); return *this; }
  PackBuilder& U32(uint32_t v);
  PackBuilder& Raw(std::span<const uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); return *this; }
  // A well-formed member record: name, size, zlib stream of data.
  PackBuilder& Member(std::string_view name, std::span<const uint8_t> data);
  const Bytes& bytes() const { return out_; }

 private:
  Bytes out_;
};

struct PackMember {
  std::string name;
  Bytes data;
};
Bytes WritePackage(const std::vector<PackMember>& members);

// BMP files of 24 or 32 bits per pixel (bottom-up unless topDown).
Bytes WriteBmp(const TBitmap32& bmp, int bitsPerPixel, bool topDown = false);
// 8-bit RGBA PNG (straight alpha) of a 32-bit bitmap.
Bytes WritePng(const TBitmap32& bmp);

}  // namespace glyphora::testing
