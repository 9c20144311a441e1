// The off-screen bitmap and the one way 32-bit pixels reach a DC.
#include <gtest/gtest.h>

#include <vector>

#include "framework/graphics.h"

using namespace glyphora;

namespace {
uint32_t Px(int x, int y) { return 0x00010000u * uint32_t(x + 1) + 0x00000100u * uint32_t(y + 1) + 0x20u; }
}  // namespace

TEST(DibBitmapTest, SizesThatCannotBeMadeLeaveAnEmptySurface) {
  TDibBitmap dib;
  EXPECT_TRUE(dib.SetSize(3, 2));
  EXPECT_EQ(dib.Pixels().Width(), 3);
  EXPECT_TRUE(dib.SetSize(3, 2)) << "the same size keeps the bitmap";
  for (auto [w, h] : {std::pair{0, 5}, {-1, 5}, {40000, 1}, {1, 40000}}) {
    EXPECT_FALSE(dib.SetSize(w, h)) << w << "x" << h;
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_TRUE(dib.Pixels().Empty());
  }
}

// A source whose rows are wider than the rectangle drawn (a view into a
// larger bitmap) and rectangles that reach past the source: pixels come from
// the right place, and what lies outside the source is drawn black.
TEST(DibBitmapTest, DrawBitmap32TakesTheSourceRectangleWhereverItsRowsLie) {
  TBitmap32 wide(8, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 8; ++x) wide.ScanLine(y)[x] = Px(x, y);
  const struct {
    const char* name;
    int sx, sy, w, h;
  } cases[] = {
      {"whole", 0, 0, -1, -1},
      {"inner rectangle", 2, 1, 4, 3},
      {"past the right and bottom", 6, 3, 4, 4},
      {"before the left and top", -2, -1, 4, 3},
  };
  for (const auto& c : cases) {
    TDibBitmap target(10, 10);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) target.Pixels().ScanLine(y)[x] = 0x00ABCDEFu;
    DrawBitmap32(target.DC(), 1, 1, wide, c.sx, c.sy, c.w, c.h);
    ::GdiFlush();
    const int w = c.w < 0 ? 8 : c.w, h = c.h < 0 ? 5 : c.h;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) {
        const int u = x - 1, v = y - 1;
        uint32_t want = 0x00ABCDEFu;
        if (u >= 0 && v >= 0 && u < w && v < h) {
          const int sx = c.sx + u, sy = c.sy + v;
          want = sx >= 0 && sy >= 0 && sx < 8 && sy < 5 ? Px(sx, sy) : 0;
        }
        ASSERT_EQ(target.Pixels().ScanLine(y)[x] & 0xFFFFFFu, want & 0xFFFFFFu) << c.name << " at " << x << "," << y;
      }
  }
}
