#include "tests/support/skin_writers.h"

#include <zlib.h>

#include <stdexcept>

#include "skin/core/skin_pack_writer.h"

namespace glyphora::testing {

namespace {

void Put32LE(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16LE(Bytes& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32BE(Bytes& b, uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PngChunk(Bytes& out, const char* type, const Bytes& data) {
  Put32BE(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
  Put32BE(out, static_cast<uint32_t>(crc));
}

}  // namespace

Bytes ZlibCompress(std::span<const uint8_t> data, int level) {
  uLongf cap = compressBound(static_cast<uLong>(data.size()));
  Bytes out(cap);
  if (compress2(out.data(), &cap, data.data(), static_cast<uLong>(data.size()), level) != Z_OK)
    throw std::runtime_error("compress2 failed");
  out.resize(cap);
  return out;
}

PackBuilder& PackBuilder::U32(uint32_t v) {
  AppendPackageU32(out_, v);
  return *this;
}

PackBuilder& PackBuilder::Member(std::string_view name, std::span<const uint8_t> data) {
  AppendPackageMember(out_, name, data);
  return *this;
}

Bytes WritePackage(const std::vector<PackMember>& members) {
  Bytes out;
  AppendPackageHeader(out, static_cast<uint32_t>(members.size()));
  for (const PackMember& m : members) AppendPackageMember(out, m.name, m.data);
  return out;
}

Bytes WriteBmp(const TBitmap32& bmp, int bpp, bool topDown) {
  const int32_t w = bmp.Width(), h = bmp.Height();
  const uint32_t stride = ((w * bpp + 31) / 32) * 4;
  const uint32_t dataSize = stride * h;
  Bytes b;
  b.push_back('B');
  b.push_back('M');
  Put32LE(b, 14 + 40 + dataSize);
  Put32LE(b, 0);
  Put32LE(b, 14 + 40);
  Put32LE(b, 40);
  Put32LE(b, static_cast<uint32_t>(w));
  Put32LE(b, static_cast<uint32_t>(topDown ? -h : h));
  Put16LE(b, 1);
  Put16LE(b, static_cast<uint16_t>(bpp));
  Put32LE(b, 0);
  Put32LE(b, dataSize);
  Put32LE(b, 2835);
  Put32LE(b, 2835);
  Put32LE(b, 0);
  Put32LE(b, 0);
  for (int32_t r = 0; r < h; ++r) {
    const uint32_t* row = bmp.ScanLine(topDown ? r : h - 1 - r);
    size_t start = b.size();
    for (int32_t x = 0; x < w; ++x) {
      uint32_t p = row[x];
      b.push_back(static_cast<uint8_t>(p));
      b.push_back(static_cast<uint8_t>(p >> 8));
      b.push_back(static_cast<uint8_t>(p >> 16));
      if (bpp == 32) b.push_back(static_cast<uint8_t>(p >> 24));
    }
    while (b.size() - start < stride) b.push_back(0);
  }
  return b;
}

Bytes WritePng(const TBitmap32& bmp) {
  const int32_t w = bmp.Width(), h = bmp.Height();
  Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes ihdr;
  Put32BE(ihdr, static_cast<uint32_t>(w));
  Put32BE(ihdr, static_cast<uint32_t>(h));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
  PngChunk(out, "IHDR", ihdr);
  Bytes raw;
  raw.reserve(size_t(h) * (1 + 4 * size_t(w)));
  for (int32_t y = 0; y < h; ++y) {
    raw.push_back(0);  // filter: none
    const uint32_t* row = bmp.ScanLine(y);
    for (int32_t x = 0; x < w; ++x) {
      uint32_t p = row[x];
      raw.push_back(static_cast<uint8_t>(p >> 16));
      raw.push_back(static_cast<uint8_t>(p >> 8));
      raw.push_back(static_cast<uint8_t>(p));
      raw.push_back(static_cast<uint8_t>(p >> 24));
    }
  }
  PngChunk(out, "IDAT", ZlibCompress(raw, 9));
  PngChunk(out, "IEND", {});
  return out;
}

}  // namespace glyphora::testing
