// Where a skin's files come from while it loads: the members of a package or
// the files of a skin folder, looked up by the names the options text gives.
#pragma once
#include <cstdint>
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

// The files of a skin folder. A name containing ":" is a full path; any other
// name is taken relative to the folder (which should end in a separator).
// Letter case is the file system's business.
class TFolderSource : public TSkinSource {
 public:
  explicit TFolderSource(std::string folder) : folder_(std::move(folder)) {}
  std::optional<std::span<const uint8_t>> Find(std::string_view name, TNameMatch match) override;
  bool IsPacked() const override { return false; }

 private:
  std::string folder_;
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
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);

}  // namespace glyphora
