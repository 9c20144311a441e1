// A map that holds at most a fixed number of entries and drops the least
// recently used one to make room. Values are destroyed when dropped, so a
// value that owns a handle frees it then.
#pragma once
#include <cstddef>
#include <list>
#include <unordered_map>
#include <utility>

namespace glyphora {

template <class Key, class Value, class Hash = std::hash<Key>>
class TLruCache {
 public:
  explicit TLruCache(size_t capacity) : capacity_(capacity ? capacity : 1) {}

  // The value under key, now the most recently used, or nullptr.
  Value* Find(const Key& key) {
    auto it = index_.find(key);
    if (it == index_.end()) return nullptr;
    order_.splice(order_.begin(), order_, it->second);
    return &it->second->second;
  }

  // Stores a value under key (replacing one there), dropping the least
  // recently used entry when full.
  Value& Put(const Key& key, Value value) {
    if (Value* v = Find(key)) {
      *v = std::move(value);
      return *v;
    }
    if (order_.size() >= capacity_) {
      index_.erase(order_.back().first);
      order_.pop_back();
    }
    order_.emplace_front(key, std::move(value));
    index_.emplace(key, order_.begin());
    return order_.front().second;
  }

  void Clear() {
    index_.clear();
    order_.clear();
  }
  size_t Size() const { return order_.size(); }
  size_t Capacity() const { return capacity_; }

 private:
  size_t capacity_;
  std::list<std::pair<Key, Value>> order_;  // most recently used first
  std::unordered_map<Key, typename std::list<std::pair<Key, Value>>::iterator, Hash> index_;
};

}  // namespace glyphora
