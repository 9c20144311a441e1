// Reader of packed skins ("ASzf" packages: an .asz file, or the same bytes
// stored inside a window definition). The program only reads packages.
//
// Layout (unsigned 32-bit little-endian integers):
//   "ASzf", member count N, then N records of
//   name length L, L name bytes, uncompressed size S, a zlib stream of S bytes.
// The next record starts right after the previous stream's Adler-32 trailer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace glyphora {

// One image member of a package.
struct TacImageItem {
  std::string FileName;                // member name as stored (case kept)
  bool IsBitmap = false;               // upper-cased extension is ".BMP"
  std::vector<uint8_t> FileStream;     // the inflated bytes
};

// Sane ceilings for values read from a package; anything above is refused
// before memory is reserved for it.
constexpr uint32_t kMaxPackageMembers = 4096;
constexpr uint32_t kMaxMemberNameLength = 1024;
constexpr uint32_t kMaxMemberSize = 256u << 20;          // one inflated member
constexpr uint64_t kMaxPackageInflatedSize = 512ull << 20;  // all members together
constexpr uint64_t kMaxPackageFileSize = 256ull << 20;

class TacSkinConvertor {
 public:
  int32_t ImageCount = 0;             // member count - 1, whatever the members are
  std::vector<TacImageItem> Files;    // every member but the options text, in package order
  std::optional<std::string> Options; // the options text; the last "Options.dat" member wins

  // Reads the package that starts at bytes[0] (clearing what was held before)
  // and returns the number of bytes it occupies: a second package stored right
  // behind it starts there. Throws ESkinError (EZDecompressionError for corrupt
  // streams); the converter is left cleared then.
  size_t ReadPackage(std::span<const uint8_t> bytes);

  // Reads a package file. Returns false, changing nothing, when the file does
  // not exist; throws ESkinError when it cannot be read or is not a package.
  bool LoadFromFile(const std::filesystem::path& fileName);

  // Drops the members. Their larger buffers are kept for the next read (a
  // skin reload inflates members of the same sizes again), until
  // ReleaseBuffers or destruction.
  void Clear();
  void ReleaseBuffers() {
    spare_.clear();
    spareOptions_ = std::string();
  }

  // Exactly one member is the options text: the one named "Options.dat" in any case.
  static bool IsOptionsName(std::string_view name);

 private:
  friend size_t ReadPackageInto(TacSkinConvertor& c, std::span<const uint8_t> bytes);
  std::vector<uint8_t> TakeBuffer(size_t size);
  std::string TakeOptionsBuffer(size_t size);
  std::vector<std::vector<uint8_t>> spare_;
  std::string spareOptions_;
};

// Upper-cases ASCII letters (member names and options keys are 8-bit ANSI).
std::string UpperCaseAnsi(std::string_view s);
// Whether s contains what (ASCII letters compared without case).
bool ContainsIgnoreCase(std::string_view s, std::string_view what);
// The extension of a file name including its dot ("" when there is none).
std::string_view ExtractFileExt(std::string_view name);
// A path as text for an error message (UTF-8, like every message); never raises.
std::string PathText(const std::filesystem::path& path);

}  // namespace glyphora
