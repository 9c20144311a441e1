// The options text of a skin as an INI text held in memory. Section and key
// names are compared case-sensitively. Lines are trimmed; "[name]" opens a
// section; "key=value" belongs to the last opened section (the value is what
// follows the first "="); blank lines, lines starting with ";" and lines
// without "=" are ignored. A repeated section or key keeps its first values
// for lookups, while every section appears in Sections() in text order.
#pragma once
#include <string>
#include <string_view>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace glyphora {

struct TIniSection {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Keys;  // in text order
  const std::string* Find(std::string_view key) const;
};

class TIniText {
 public:
  TIniText() = default;
  explicit TIniText(std::string_view text) { Parse(text); }
  void Parse(std::string_view text);

  const std::vector<TIniSection>& Sections() const { return sections_; }
  // First section of that name, or nullptr.
  const TIniSection* FindSection(std::string_view name) const;
  // Value of key in the first section of that name, or nullptr when missing.
  const std::string* Value(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;

 private:
  std::vector<TIniSection> sections_;
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_map<std::string, size_t, Hash, std::equal_to<>> index_;  // first section of each name
};

}  // namespace glyphora
