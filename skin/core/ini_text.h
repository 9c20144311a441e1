// The options text of a skin as an INI text held in memory. Section and key
// names are compared case-sensitively. Lines are trimmed; "[name]" opens a
// section; "key=value" belongs to the last opened section (the value is what
// follows the first "="); blank lines, lines starting with ";" and lines
// without "=" are ignored. A repeated section or key keeps its first values
// for lookups, while every section appears in Sections() in text order.
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "skin/core/load_budget.h"
#include "skin/core/name_index.h"

namespace glyphora {

// Names and values are views into the text the TIniText keeps.
using TIniKey = std::pair<std::string_view, std::string_view>;

struct TIniSection {
  std::string_view Name;
  std::span<const TIniKey> Keys;  // in text order
  const std::string_view* Find(std::string_view key) const;
  // Key positions by name, for sections with many keys (lookups stay fast
  // even in a crafted text with huge sections).
  TNameIndex Index;
};

class TIniText {
 public:
  TIniText() = default;
  explicit TIniText(std::string_view text) { Parse(text); }
  TIniText(const TIniText&) = delete;
  TIniText& operator=(const TIniText&) = delete;
  // Takes a copy of text. Parsing again reuses the memory of the last text
  // and its tables. With a budget, the tables' growth is charged to it
  // (ESkinError when it runs out).
  void Parse(std::string_view text, TLoadBudget* budget = nullptr);

  const std::vector<TIniSection>& Sections() const { return sections_; }
  // First section of that name, or nullptr.
  const TIniSection* FindSection(std::string_view name) const;
  // Value of key in the first section of that name, or nullptr when missing.
  const std::string_view* Value(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;

 private:
  std::string text_;
  std::vector<TIniKey> keys_;  // every section's keys, one section after another
  std::vector<TIniSection> sections_;
  TNameIndex index_;  // section positions by name
};

}  // namespace glyphora
