// Writing a stored (internal) skin's package bytes to a file, unchanged.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace glyphora {

// A folder name made to end in a backslash: empty stays empty; a trailing
// "/" becomes "\"; a single character (a drive letter) gets ":\"; any other
// text without a trailing "\" gets one.
std::string IncludeTrailingBackslash(std::string_view dir);

// Writes package to destDir + skinName + " extracted.asz", creating the
// folder when needed. Returns false when the folder does not exist and
// cannot be created or the file cannot be written; the caller shows
// "Directory <dir> creation error." then. fileName receives the file's name.
bool ExtractPackageBytes(std::span<const uint8_t> package, std::string_view destDir, std::string_view skinName,
                         std::string* fileName = nullptr);

}  // namespace glyphora
