#include "skin/core/skin_extract.h"

#include <filesystem>
#include <fstream>

namespace glyphora {

std::string IncludeTrailingBackslash(std::string_view dir) {
  std::string d(dir);
  if (d.empty()) return d;
  if (d.back() == '/') {
    d.back() = '\\';
  } else if (d.size() == 1) {
    d += ":\\";
  } else if (d.back() != '\\') {
    d += '\\';
  }
  return d;
}

bool ExtractPackageBytes(std::span<const uint8_t> package, std::string_view destDir, std::string_view skinName,
                         std::string* fileName) {
  std::string dir = IncludeTrailingBackslash(destDir);
  std::error_code ec;
  if (!dir.empty() && !std::filesystem::is_directory(dir, ec)) {
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir, ec)) return false;
  }
  std::string name = dir + std::string(skinName) + " extracted.asz";
  if (fileName) *fileName = name;
  std::ofstream out(std::filesystem::path(name), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(package.data()), static_cast<std::streamsize>(package.size()));
  return static_cast<bool>(out);
}

}  // namespace glyphora
