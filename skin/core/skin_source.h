// Where a skin's files come from while it loads: the members of a package or
// the files of a skin folder, looked up by the names the options text gives.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "skin/core/skin_pack.h"

namespace glyphora {

enum class TNameMatch {
  UpperEqualsName,  // a member whose upper-cased name equals the name as written
  IgnoreCase,       // a member whose upper-cased name equals the upper-cased name
};

class TSkinSource {
 public:
  virtual ~TSkinSource() = default;
  // The bytes of the named file, or nothing when there is none. The bytes stay
  // valid until the next call.
  virtual std::optional<std::span<const uint8_t>> Find(std::string_view name, TNameMatch match) = 0;
  virtual bool IsPacked() const = 0;
};

// The members of a package that has been read (the converter must outlive the source).
class TPackageSource : public TSkinSource {
 public:
  explicit TPackageSource(const TacSkinConvertor& pack);
  std::optional<std::span<const uint8_t>> Find(std::string_view name, TNameMatch match) override;
  bool IsPacked() const override { return true; }

 private:
  const TacSkinConvertor& pack_;
  std::unordered_map<std::string, size_t> byUpperName_;  // first member of each upper-cased name
};

// Turns a file name as an options text writes it (8-bit text) into a path.
using TFileNameToPath = std::filesystem::path (*)(std::string_view name);
// The conversion used when none is given: where paths are wide, each byte
// becomes the character of the same code (Latin-1); elsewhere the bytes are
// the path. Never raises.
std::filesystem::path FileNameAsPath(std::string_view name);

// The files of a skin folder. A name containing ":" is a full path; any other
// name is taken relative to the folder (which should end in a separator).
// Letter case is the file system's business. The folder is a path of its
// own, so it may hold any character; only the names from the options text go
// through `toPath`.
class TFolderSource : public TSkinSource {
 public:
  explicit TFolderSource(std::filesystem::path folder, TFileNameToPath toPath = nullptr)
      : folder_(std::move(folder)), toPath_(toPath ? toPath : &FileNameAsPath) {}
  std::optional<std::span<const uint8_t>> Find(std::string_view name, TNameMatch match) override;
  bool IsPacked() const override { return false; }

 private:
  std::filesystem::path folder_;
  TFileNameToPath toPath_;
  std::vector<uint8_t> bytes_;
};

// A source with nothing in it (an options text alone).
class TEmptySource : public TSkinSource {
 public:
  std::optional<std::span<const uint8_t>> Find(std::string_view, TNameMatch) override { return std::nullopt; }
  bool IsPacked() const override { return false; }
};

// Reads a whole file; nothing when it does not exist. Raises ESkinError when
// it cannot be read or is larger than kMaxPackageFileSize.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path);

}  // namespace glyphora
