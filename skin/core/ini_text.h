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

// Names and values are views into the text the TIniText keeps.
struct TIniSection {
  std::string_view Name;
  std::vector<std::pair<std::string_view, std::string_view>> Keys;  // in text order
  const std::string_view* Find(std::string_view key) const;
  // First key of each name, for sections with many keys (lookups stay fast
  // even in a crafted text with huge sections).
  std::unordered_map<std::string_view, size_t> Index;
};

class TIniText {
 public:
  TIniText() = default;
  explicit TIniText(std::string text) { Parse(std::move(text)); }
  TIniText(const TIniText&) = delete;
  TIniText& operator=(const TIniText&) = delete;
  void Parse(std::string text);

  const std::vector<TIniSection>& Sections() const { return sections_; }
  // First section of that name, or nullptr.
  const TIniSection* FindSection(std::string_view name) const;
  // Value of key in the first section of that name, or nullptr when missing.
  const std::string_view* Value(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;

 private:
  std::string text_;
  std::vector<TIniSection> sections_;
  std::unordered_map<std::string_view, size_t> index_;  // first section of each name
};

}  // namespace glyphora
