// Test-side view of a skin package and its members: the package layout read
// with zlib directly, the options text as ordered sections and keys, and the
// sizes of the stored images. Only what the internal skin's tests need.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace skintest {

struct Member {
  std::string name;
  uint32_t size = 0;             // stated uncompressed size
  std::vector<uint8_t> data;     // inflated bytes
  uint8_t header[2] = {0, 0};    // first two bytes of the zlib stream
  size_t streamEnd = 0;          // offset just after the stream's trailer
};

struct Package {
  std::vector<Member> members;
  size_t totalSize = 0;
  const Member* Find(const std::string& name) const;  // case-insensitive
};

// Throws std::runtime_error with a reason for anything malformed.
Package ReadPackage(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFileBytes(const std::string& path);

struct Section {
  std::string name;
  std::vector<std::pair<std::string, std::string>> keys;  // in file order
  const std::string* Get(const std::string& key) const;
};
std::vector<Section> ParseOptions(const std::string& text);

struct ImageSize {
  int width = 0, height = 0, bitsPerPixel = 0;
};
// Reads the header of a BMP or PNG file; width 0 when it is neither.
ImageSize ImageSizeOf(const std::vector<uint8_t>& file);
// 32-bit BMP pixel at (x, y) from the top, as 0xAARRGGBB.
uint32_t BmpPixel(const std::vector<uint8_t>& file, int x, int y);

// One image entry of the options text, decoded by its notation.
struct ImageEntry {
  char kind = 0;  // '@' glyph, '^' border, '~' texture, '!' separate file
  int left = 0, top = 0, right = 0, bottom = 0;
  int count = 1, maskType = 0, drawMode = 0;
  int wl = 0, wt = 0, wr = 0, wb = 0;
  std::string file;  // for '!'
};
// False for values that are not image entries.
bool ParseImageEntry(const std::string& value, ImageEntry& out);

}  // namespace skintest
