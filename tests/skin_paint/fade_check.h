// Checks of cross-fade frames shared by the pixel and the button tests.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>

#include "base/bitmap32.h"

namespace glyphora::test {

// Every byte of `next` lies between the same byte of `prev` and of `target`
// (inclusive): it moved towards the target, or stayed, and did not pass it.
inline ::testing::AssertionResult StepsToward(const TBitmap32& prev, const TBitmap32& next, const TBitmap32& target) {
  for (int32_t y = 0; y < target.Height(); ++y)
    for (int32_t x = 0; x < target.Width(); ++x)
      for (int s = 0; s < 32; s += 8) {
        const int p = (prev.Pixel(x, y) >> s) & 255, n = (next.Pixel(x, y) >> s) & 255;
        const int t = (target.Pixel(x, y) >> s) & 255;
        if (n < std::min(p, t) || n > std::max(p, t))
          return ::testing::AssertionFailure() << "byte " << s / 8 << " at " << x << "," << y << ": " << p << " -> "
                                               << n << ", target " << t;
      }
  return ::testing::AssertionSuccess();
}

}  // namespace glyphora::test
