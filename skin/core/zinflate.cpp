#include "skin/core/zinflate.h"

#include <zlib.h>

#include <algorithm>

#include "base/skin_error.h"

namespace glyphora {

namespace {

constexpr size_t kInputChunk = 128 * 1024;

struct InflateGuard {
  z_stream* zs;
  ~InflateGuard() { inflateEnd(zs); }
};

}  // namespace

size_t InflateMember(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize) {
  z_stream zs{};
  int rc = inflateInit(&zs);
  if (rc != Z_OK) throw EZDecompressionError(rc, ZLibErrorText(rc));
  InflateGuard guard{&zs};

  size_t fed = 0;      // source bytes handed to zlib so far
  size_t written = 0;  // bytes placed in dst so far
  // After dst is full, zlib still has to read the end of the stream (the last
  // block's end code and the trailer). It gets a scratch buffer for that, so
  // that a stream longer than declared is noticed instead of ignored.
  uint8_t scratch[16];
  bool inScratch = false;

  for (;;) {
    if (zs.avail_in == 0) {
      if (fed >= srcSize) throw ESkinError("Stream read error");
      size_t n = std::min(kInputChunk, srcSize - fed);
      zs.next_in = const_cast<Bytef*>(src + fed);
      zs.avail_in = static_cast<uInt>(n);
      fed += n;
    }
    if (!inScratch && written == dstSize) {
      inScratch = true;
      zs.next_out = scratch;
      zs.avail_out = sizeof scratch;
    } else if (!inScratch && zs.avail_out == 0) {
      size_t n = std::min<size_t>(dstSize - written, 1u << 30);
      zs.next_out = dst + written;
      zs.avail_out = static_cast<uInt>(n);
    }
    uInt before = zs.avail_out;
    rc = inflate(&zs, Z_NO_FLUSH);
    size_t produced = before - zs.avail_out;
    if (inScratch) {
      if (produced > 0) throw ESkinError("Skin package member is larger than its stated size");
    } else {
      written += produced;
    }
    if (rc == Z_STREAM_END) break;
    if (rc == Z_BUF_ERROR && zs.avail_in == 0) continue;  // needs more input
    if (rc != Z_OK) throw EZDecompressionError(rc, ZLibErrorText(rc));
  }
  if (written != dstSize) throw ESkinError("Stream read error");
  return static_cast<size_t>(zs.total_in);
}

}  // namespace glyphora
