#include "skin/core/ini_text.h"

namespace glyphora {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\0'; }

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

}  // namespace

const std::string_view* TIniSection::Find(std::string_view key) const {
  if (!Index.empty()) {
    auto it = Index.find(key);
    return it == Index.end() ? nullptr : &Keys[it->second].second;
  }
  for (const auto& kv : Keys)
    if (kv.first == key) return &kv.second;
  return nullptr;
}

void TIniText::Parse(std::string source) {
  sections_.clear();
  index_.clear();
  text_ = std::move(source);
  std::string_view text = text_;
  TIniSection* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;

    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      std::string_view name = Trim(line.substr(1, line.size() - 2));
      index_.emplace(name, sections_.size());
      sections_.emplace_back();
      sections_.back().Name = name;
      current = &sections_.back();
      continue;
    }
    size_t eq = line.find('=');
    if (!current || eq == std::string_view::npos) continue;
    current->Keys.emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
  }
  constexpr size_t kIndexedSection = 64;
  for (TIniSection& s : sections_) {
    if (s.Keys.size() < kIndexedSection) continue;
    s.Index.reserve(s.Keys.size());
    for (size_t i = 0; i < s.Keys.size(); ++i) s.Index.emplace(s.Keys[i].first, i);
  }
}

const TIniSection* TIniText::FindSection(std::string_view name) const {
  auto it = index_.find(name);
  return it == index_.end() ? nullptr : &sections_[it->second];
}

const std::string_view* TIniText::Value(std::string_view section, std::string_view key) const {
  const TIniSection* s = FindSection(section);
  return s ? s->Find(key) : nullptr;
}

std::string TIniText::ReadString(std::string_view section, std::string_view key,
                                 std::string_view def) const {
  const std::string_view* v = Value(section, key);
  return std::string(v ? *v : def);
}

}  // namespace glyphora
