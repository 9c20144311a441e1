#include "skin/core/skin_source.h"

#include <filesystem>
#include <fstream>
#include <type_traits>

#include "base/skin_error.h"

namespace glyphora {

TPackageSource::TPackageSource(const TacSkinConvertor& pack) : pack_(pack) {
  for (size_t i = 0; i < pack.Files.size(); ++i) byUpperName_.emplace(UpperCaseAnsi(pack.Files[i].FileName), i);
}

std::optional<std::span<const uint8_t>> TPackageSource::Find(std::string_view name, TNameMatch match) {
  std::string wanted = match == TNameMatch::IgnoreCase ? UpperCaseAnsi(name) : std::string(name);
  auto it = byUpperName_.find(wanted);
  if (it == byUpperName_.end()) return std::nullopt;
  return std::span<const uint8_t>(pack_.Files[it->second].FileStream);
}

std::filesystem::path FileNameAsPath(std::string_view name) {
  if constexpr (std::is_same_v<std::filesystem::path::value_type, char>) {
    return std::filesystem::path(std::string(name));
  } else {
    std::filesystem::path::string_type wide(name.size(), 0);
    for (size_t i = 0; i < name.size(); ++i)
      wide[i] = static_cast<std::filesystem::path::value_type>(static_cast<unsigned char>(name[i]));
    return std::filesystem::path(std::move(wide));
  }
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ESkinError("Cannot open the file " + PathText(path));
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > kMaxPackageFileSize)
    throw ESkinError("The file " + PathText(path) + " is too large");
  in.seekg(0);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) throw ESkinError("Stream read error");
  return bytes;
}

std::optional<std::span<const uint8_t>> TFolderSource::Find(std::string_view name, TNameMatch) {
  if (name.empty()) return std::nullopt;
  std::filesystem::path path = toPath_(name);
  if (name.find(':') == std::string_view::npos) path = std::filesystem::path(folder_) += path;
  auto bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  bytes_ = std::move(*bytes);
  return std::span<const uint8_t>(bytes_);
}

}  // namespace glyphora
