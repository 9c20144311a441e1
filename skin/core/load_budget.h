// What one skin load may take in memory for the tables and records it builds
// from the options text: a small multiple of the text's size, with a floor
// that every real skin stays far below. A crafted text (a million empty
// sections, a megabyte of key lines "=") costs hundreds of times its size
// in records; such a load stops with ESkinError before it takes the memory,
// and the skin that was loaded before stays.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>

#include "base/skin_error.h"

namespace glyphora {

// The largest options text a skin may have (real ones are below 100 KB).
constexpr uint64_t kMaxOptionsTextSize = 16ull << 20;
// What one skin's decoded pictures may take together (each file counted
// once, at 4 bytes a pixel, decoded now or on first use): the largest
// single picture a skin may hold. Real skins take a few megabytes.
constexpr uint64_t kMaxSkinImageBytes = 256ull << 20;
constexpr uint64_t kLoadBudgetFloor = 16ull << 20;
constexpr uint64_t kLoadBudgetFactor = 4;

class TLoadBudget {
 public:
  // No limit (readers used outside a skin load).
  TLoadBudget() = default;
  explicit TLoadBudget(uint64_t optionsTextSize, uint64_t imageLimit = kMaxSkinImageBytes)
      : limit_(kLoadBudgetFloor + kLoadBudgetFactor * optionsTextSize), imageLimit_(imageLimit) {}

  uint64_t Limit() const { return limit_; }
  uint64_t ImageLimit() const { return imageLimit_; }
  uint64_t Used() const { return used_; }
  uint64_t Left() const { return limit_ - used_; }

  // Counts bytes about to be taken; raises ESkinError when they do not fit.
  void Charge(uint64_t bytes) {
    if (bytes > Left()) Exceeded();
    used_ += bytes;
  }

  // Counts a picture of width x height about to be decoded (or kept to be
  // decoded on first use); raises ESkinError when the pictures would take
  // more than the image limit.
  void ChargeImage(int64_t width, int64_t height) {
    const uint64_t bytes = uint64_t(std::max<int64_t>(width, 0)) * uint64_t(std::max<int64_t>(height, 0)) * 4;
    if (bytes > imageLimit_ - imagesUsed_)
      throw ESkinError("The skin's pictures would take more than " + std::to_string(imageLimit_ >> 20) +
                       " MB of memory once decoded");
    imagesUsed_ += bytes;
  }

  [[noreturn]] void Exceeded() const {
    throw ESkinError("The skin's options text is damaged: reading it would take more than " +
                     std::to_string(limit_ >> 20) + " MB of memory");
  }

 private:
  uint64_t limit_ = UINT64_MAX;
  uint64_t used_ = 0;
  uint64_t imageLimit_ = UINT64_MAX;
  uint64_t imagesUsed_ = 0;
};

}  // namespace glyphora
