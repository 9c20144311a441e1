// Settings files in the platform's profile (INI) text format.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace glyphora {

// Parses a settings value: decimal, or hexadecimal after "0x"/"0X" (at least
// one digit). Empty text, other characters or values outside 32 bits give
// no value.
std::optional<int32_t> ParseIniInteger(const std::wstring& text);

class TIniFile {
 public:
  explicit TIniFile(std::wstring fileName) : fileName_(std::move(fileName)) {}
  const std::wstring& FileName() const { return fileName_; }
  // The text of a key; the empty text when the file, section or key is absent.
  std::wstring ReadString(const std::wstring& section, const std::wstring& key) const;
  int32_t ReadInteger(const std::wstring& section, const std::wstring& key, int32_t defaultValue) const;
  // Writes at once; throws "Unable to write to <file>" when that fails.
  void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
  void WriteInteger(const std::wstring& section, const std::wstring& key, int32_t value);

 private:
  std::wstring fileName_;
};

}  // namespace glyphora
