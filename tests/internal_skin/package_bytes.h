// Byte-level facts about the packed internal skin that the program's reader
// does not report: where each member's zlib stream starts and how it begins;
// and a stand-in PNG decoder for builds without the platform's codec.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "imaging/image_decoder.h"

namespace skintest {

struct StreamStart {
  std::string name;
  uint8_t cmf = 0, flg = 0;  // the two zlib header bytes
};

// Walks the member records, inflating each stream to find where the next
// record starts. Throws std::runtime_error for a malformed package.
std::vector<StreamStart> StreamStarts(std::span<const uint8_t> package);

std::vector<uint8_t> ReadFileBytes(const std::string& path);

// The packed internal skin: on Windows the program's linked resource, on the
// host the package packed at build time into `hostPath`.
std::vector<uint8_t> InternalSkinPackage(const char* hostPath);

// Stand-in for the platform's PNG codec where there is none (host builds), or
// where only the master bitmap matters: a blank bitmap of the size the PNG
// header gives, enough to check where every image entry points.
class PngSizeDecoder : public glyphora::TImageDecoder {
 public:
  glyphora::TBitmap32 Decode(std::span<const uint8_t> bytes) override {
    int32_t w = 0, h = 0;
    if (!glyphora::PngDimensions(bytes, w, h)) return {};
    return glyphora::TBitmap32(w, h);
  }
};

}  // namespace skintest
