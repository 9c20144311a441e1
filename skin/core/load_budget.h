// What one skin load may take in memory for the tables and records it builds
// from the options text: a small multiple of the text's size, with a floor
// that every real skin stays far below. A crafted text (a million empty
// sections, a megabyte of key lines "=") costs hundreds of times its size
// in records; such a load stops with ESkinError before it takes the memory,
// and the skin that was loaded before stays.
#pragma once
#include <cstdint>
#include <string>

#include "base/skin_error.h"

namespace glyphora {

// The largest options text a skin may have (real ones are below 100 KB).
constexpr uint64_t kMaxOptionsTextSize = 16ull << 20;
constexpr uint64_t kLoadBudgetFloor = 16ull << 20;
constexpr uint64_t kLoadBudgetFactor = 4;

class TLoadBudget {
 public:
  // No limit (readers used outside a skin load).
  TLoadBudget() = default;
  explicit TLoadBudget(uint64_t optionsTextSize)
      : limit_(kLoadBudgetFloor + kLoadBudgetFactor * optionsTextSize) {}

  uint64_t Limit() const { return limit_; }
  uint64_t Used() const { return used_; }
  uint64_t Left() const { return limit_ - used_; }

  // Counts bytes about to be taken; raises ESkinError when they do not fit.
  void Charge(uint64_t bytes) {
    if (bytes > Left()) Exceeded();
    used_ += bytes;
  }

  [[noreturn]] void Exceeded() const {
    throw ESkinError("The skin's options text is damaged: reading it would take more than " +
                     std::to_string(limit_ >> 20) + " MB of memory");
  }

 private:
  uint64_t limit_ = UINT64_MAX;
  uint64_t used_ = 0;
};

}  // namespace glyphora
