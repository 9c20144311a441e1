// Finds the first entry of a list by one or two names, without allocating on
// lookup: a table of (hash of the names, position) sorted once after the
// list is built. The caller confirms a candidate by comparing its names, so
// hash collisions cost a comparison, never a wrong answer.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace glyphora {

class TNameIndex {
 public:
  // FNV-1a over a, a separator byte and b.
  static uint64_t HashOf(std::string_view a, std::string_view b = {}) {
    uint64_t h = 14695981039346656037ull;
    auto mix = [&h](std::string_view s) {
      for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    };
    mix(a);
    h = (h ^ 0x1Fu) * 1099511628211ull;
    mix(b);
    return h;
  }

  void Clear() { entries_.clear(); }
  void Reserve(size_t n) { entries_.reserve(n); }
  bool Empty() const { return entries_.empty(); }
  void Add(uint64_t hash, int32_t position) { entries_.push_back({hash, position}); }
  // Sorts the table; call once after the last Add.
  void Finish() {
    std::sort(entries_.begin(), entries_.end(), [](const TEntry& x, const TEntry& y) {
      return x.hash != y.hash ? x.hash < y.hash : x.position < y.position;
    });
  }

  // The lowest position with that hash for which matches(position) holds; -1 when none.
  template <class Match>
  int32_t Find(uint64_t hash, Match matches) const {
    auto it = std::lower_bound(entries_.begin(), entries_.end(), hash,
                               [](const TEntry& e, uint64_t h) { return e.hash < h; });
    for (; it != entries_.end() && it->hash == hash; ++it)
      if (matches(it->position)) return it->position;
    return -1;
  }

 private:
  struct TEntry {
    uint64_t hash;
    int32_t position;
  };
  std::vector<TEntry> entries_;
};

}  // namespace glyphora
