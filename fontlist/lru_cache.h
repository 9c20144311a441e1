// A map that holds at most a fixed number of entries, and entries of at
// most a fixed total cost, and drops the least recently used ones to make
// room. Values are destroyed when dropped, so a value that owns a handle
// frees it then.
#pragma once
#include <cstddef>
#include <cstdint>
#include <list>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace glyphora {

template <class Key, class Value, class Hash = std::hash<Key>>
class TLruCache {
 public:
  explicit TLruCache(size_t capacity, size_t maxCost = SIZE_MAX)
      : capacity_(capacity ? capacity : 1), maxCost_(maxCost) {}

  // The value under key, now the most recently used, or nullptr.
  Value* Find(const Key& key) {
    auto it = index_.find(key);
    if (it == index_.end()) return nullptr;
    order_.splice(order_.begin(), order_, it->second);
    return &std::get<1>(*it->second);
  }

  // Stores a value of the given cost under key (replacing one there),
  // dropping least recently used entries until it fits. A value that
  // alone costs more than the whole budget is not kept: nullptr.
  Value* Put(const Key& key, Value value, size_t cost = 1) {
    Erase(key);
    if (cost > maxCost_) return nullptr;
    while (!order_.empty() && (order_.size() >= capacity_ || cost_ + cost > maxCost_)) {
      cost_ -= std::get<2>(order_.back());
      index_.erase(std::get<0>(order_.back()));
      order_.pop_back();
    }
    order_.emplace_front(key, std::move(value), cost);
    index_.emplace(key, order_.begin());
    cost_ += cost;
    return &std::get<1>(order_.front());
  }

  void Erase(const Key& key) {
    auto it = index_.find(key);
    if (it == index_.end()) return;
    cost_ -= std::get<2>(*it->second);
    order_.erase(it->second);
    index_.erase(it);
  }
  void Clear() {
    index_.clear();
    order_.clear();
    cost_ = 0;
  }
  size_t Size() const { return order_.size(); }
  size_t Capacity() const { return capacity_; }
  // The summed cost of the entries held.
  size_t Cost() const { return cost_; }

 private:
  using TEntry = std::tuple<Key, Value, size_t>;
  size_t capacity_, maxCost_;
  size_t cost_ = 0;
  std::list<TEntry> order_;  // most recently used first
  std::unordered_map<Key, typename std::list<TEntry>::iterator, Hash> index_;
};

}  // namespace glyphora
