// Byte-level facts about the packed internal skin that the program's reader
// does not report: where each member's zlib stream starts and how it begins,
// and the size of a PNG file from its header.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

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

// Width and height from a PNG file's header; false when it is not a PNG.
bool PngSize(std::span<const uint8_t> file, int32_t& width, int32_t& height);

}  // namespace skintest
