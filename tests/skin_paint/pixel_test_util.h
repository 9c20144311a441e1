// Helpers for the pixel tests: random bitmaps (with key pixels mixed in),
// bottom-up views and whole-bitmap comparison.
#pragma once
#include <cstdint>
#include <random>
#include <vector>

#include "base/shared_types.h"
#include "base/bitmap32.h"

namespace glyphora::test {

inline uint32_t RandomPixel(std::mt19937& rng, int keyPercent = 10) {
  if (keyPercent > 0 && static_cast<int>(rng() % 100) < keyPercent) return KeyColor32;
  return static_cast<uint32_t>(rng());
}

inline TBitmap32 RandomBitmap(std::mt19937& rng, int32_t w, int32_t h, int keyPercent = 10) {
  TBitmap32 b(w, h);
  for (int32_t y = 0; y < b.Height(); ++y)
    for (int32_t x = 0; x < b.Width(); ++x) b.ScanLine(y)[x] = RandomPixel(rng, keyPercent);
  return b;
}

inline bool SameBitmaps(const TBitmap32& a, const TBitmap32& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      if (a.ScanLine(y)[x] != b.ScanLine(y)[x]) return false;
  return true;
}

// A bottom-up copy: row 0 lies last in memory, as in a DIB section.
struct TBottomUp {
  std::vector<uint32_t> memory;
  TBitmap32 view;
  explicit TBottomUp(const TBitmap32& src) : memory(static_cast<size_t>(src.Width()) * src.Height()) {
    const int32_t w = src.Width(), h = src.Height();
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) memory[static_cast<size_t>(h - 1 - y) * w + x] = src.ScanLine(y)[x];
    view = TBitmap32::View(memory.data() + static_cast<size_t>(h - 1) * w, w, h, -static_cast<ptrdiff_t>(w) * 4);
  }
};

inline uint8_t B(uint32_t v, int i) { return static_cast<uint8_t>(v >> (8 * i)); }

}  // namespace glyphora::test
