#include "skin/core/ini_text.h"

#include <algorithm>

namespace glyphora {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\0'; }

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// Room for one more entry in v: doubling, but never past what the budget
// still allows, so a refused text does not take twice its limit first.
template <class V>
void Grow(V& v, const TLoadBudget* budget) {
  if (v.size() < v.capacity()) return;
  size_t want = std::max<size_t>(16, v.capacity() * 2);
  if (budget) want = std::min<size_t>(want, v.size() + 1 + budget->Left() / sizeof(typename V::value_type));
  v.reserve(want);
}

// A section costs its record, its place in the name index and its first-key mark.
constexpr size_t kSectionCost = sizeof(TIniSection) + 16 + sizeof(size_t);

}  // namespace

const std::string_view* TIniSection::Find(std::string_view key) const {
  if (!Index.Empty()) {
    int32_t i = Index.Find(TNameIndex::HashOf(key), [&](int32_t k) { return Keys[size_t(k)].first == key; });
    return i < 0 ? nullptr : &Keys[size_t(i)].second;
  }
  // Most keys differ from the one asked for in length or first letter; test
  // those before comparing whole names.
  const size_t n = key.size();
  const char c = n ? key[0] : '\0';
  for (const auto& kv : Keys)
    if (kv.first.size() == n && (n == 0 || (kv.first[0] == c && kv.first == key))) return &kv.second;
  return nullptr;
}

void TIniText::Parse(std::string_view source, TLoadBudget* budget) {
  sections_.clear();
  keys_.clear();
  index_.Clear();
  text_.assign(source);
  std::string_view text = text_;
  // The tables grow with what the text holds (keys_ keeps its memory for the
  // next text); reserving by line breaks would ask 32 bytes for every empty line.
  std::vector<size_t> firstKey;  // of each section, in keys_
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = pos;  // a plain scan: find_first_of tests each character against the set
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;

    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      if (budget) budget->Charge(kSectionCost);
      Grow(sections_, budget);
      sections_.emplace_back();
      sections_.back().Name = Trim(line.substr(1, line.size() - 2));
      firstKey.push_back(keys_.size());
      continue;
    }
    size_t eq = line.find('=');
    if (sections_.empty() || eq == std::string_view::npos) continue;
    if (budget) budget->Charge(sizeof(TIniKey));
    Grow(keys_, budget);
    keys_.emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
  }
  constexpr size_t kIndexedSection = 64;
  index_.Reserve(sections_.size());
  for (size_t i = 0; i < sections_.size(); ++i) {
    TIniSection& s = sections_[i];
    const size_t last = i + 1 < sections_.size() ? firstKey[i + 1] : keys_.size();
    s.Keys = std::span<const TIniKey>(keys_.data() + firstKey[i], last - firstKey[i]);
    index_.Add(TNameIndex::HashOf(s.Name), static_cast<int32_t>(i));
    if (s.Keys.size() < kIndexedSection) continue;
    if (budget) budget->Charge(16 * s.Keys.size());
    s.Index.Reserve(s.Keys.size());
    for (size_t k = 0; k < s.Keys.size(); ++k) s.Index.Add(TNameIndex::HashOf(s.Keys[k].first), static_cast<int32_t>(k));
    s.Index.Finish();
  }
  index_.Finish();
}

const TIniSection* TIniText::FindSection(std::string_view name) const {
  int32_t i = index_.Find(TNameIndex::HashOf(name), [&](int32_t k) { return sections_[size_t(k)].Name == name; });
  return i < 0 ? nullptr : &sections_[size_t(i)];
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
