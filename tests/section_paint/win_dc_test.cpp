// Bevel frames and tiling on a device context, read back from a DIB section.
#include <gtest/gtest.h>

#include <vector>

#include <climits>

#include "framework/application.h"
#include "framework/handles.h"
#include "section_paint/win_dib.h"
#include "skin/paint/bevel_frame_win.h"
#include "base/color_convert.h"
#include "skin/paint/tile_graphic_win.h"

using namespace glyphora;
using namespace sectiontest;

namespace {

constexpr uint32_t kSentinel = 0x00123456;

TBitmap32 Picture(int32_t w, int32_t h) {
  TBitmap32 p(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) p.SetPixel(x, y, 0xFF000000u | 0x70u << 16 | uint32_t(x) << 8 | uint32_t(y));
  return p;
}

}  // namespace

TEST(DrawBevelFrame, NestedFramesAndTheAreaInside) {
  Application()->Initialize();
  DibDC d(20, 16, kSentinel);
  const long gdi = LiveGdiObjects();
  TRect32 r{2, 3, 12, 10};
  int32_t width = 2;
  DrawBevelFrame(d.dc, r, 0x0000FF, width, 0x00FF00);
  EXPECT_EQ(r, (TRect32{4, 5, 10, 8}));
  EXPECT_EQ(width, 0);
  EXPECT_EQ(LiveGdiObjects(), gdi);
  const uint32_t tl = Rgb(0x0000FF), br = Rgb(0x00FF00);
  for (int y = 0; y < d.h; ++y)
    for (int x = 0; x < d.w; ++x) {
      uint32_t want = kSentinel;
      for (int k = 1; k >= 0; --k) {  // the outer frame is drawn first, the inner one may not overlap it
        const int l = 2 + k, t = 3 + k, rr = 11 - k, b = 9 - k;
        if ((x == l && y >= t && y < b) || (y == t && x >= l && x < rr)) want = tl;
        if ((x == rr && y >= t && y < b) || (y == b && x >= l && x <= rr)) want = br;
      }
      ASSERT_EQ(d.At(x, y), want) << x << "," << y;
    }
}

TEST(DrawBevelFrame, SystemColoursWidthsOfZeroAndHugeWidths) {
  Application()->Initialize();
  DibDC d(20, 20, kSentinel);
  TRect32 r{0, 0, 20, 20};
  int32_t width = 1;
  DrawBevelFrame(d.dc, r, 0xFF000010, width, 0x00FFFFFF);
  EXPECT_EQ(d.At(0, 5), Rgb(ColorToRGB(0xFF000010)));
  EXPECT_EQ(d.At(19, 5), 0xFFFFFFu);

  DibDC e(20, 20, kSentinel);
  for (int32_t w : {0, -3}) {
    TRect32 same{1, 1, 9, 9};
    int32_t keep = w;
    DrawBevelFrame(e.dc, same, 0x0000FF, keep, 0x00FF00);
    EXPECT_EQ(same, (TRect32{1, 1, 9, 9}));
    EXPECT_EQ(keep, w);
  }
  EXPECT_EQ(e.At(1, 1), kSentinel);

  // A width far beyond the rectangle: the arithmetic result at once, and
  // the same pixels as a width after which every frame lies off the bitmap.
  TRect32 big{0, 0, 20, 20};
  int32_t huge = INT32_MAX;
  DrawBevelFrame(e.dc, big, 0x0000FF, huge, 0x00FF00);
  EXPECT_EQ(big, (TRect32{INT32_MAX, INT32_MAX, 20 - INT32_MAX, 20 - INT32_MAX}));
  EXPECT_EQ(huge, 0);
  DibDC g(20, 20, kSentinel);
  TRect32 small{0, 0, 20, 20};
  int32_t thirty = 30;
  DrawBevelFrame(g.dc, small, 0x0000FF, thirty, 0x00FF00);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(e.At(x, y), g.At(x, y)) << x << "," << y;
  EXPECT_NE(e.At(0, 7), kSentinel);

  // A huge rectangle whose frames reach the bitmap only after about 2^31
  // steps: frame 2^31 - 10 is the frame of (0, 0, 9, 9), the 9 after it are
  // that rectangle's own, and every earlier one lies outside.
  DibDC f(8, 8, kSentinel), ref(8, 8, kSentinel);
  TRect32 wide{INT32_MIN + 10, INT32_MIN + 10, INT32_MAX, INT32_MAX};
  int32_t many = INT32_MAX;
  DrawBevelFrame(f.dc, wide, 0x0000FF, many, 0x00FF00);
  TRect32 inside{0, 0, 9, 9};
  int32_t nine = 9;
  DrawBevelFrame(ref.dc, inside, 0x0000FF, nine, 0x00FF00);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(f.At(x, y), ref.At(x, y)) << x << "," << y;
  EXPECT_NE(f.At(0, 3), kSentinel);
}

TEST(TileGraphicDC, TilesFromTheCornerCutToTheRectangleAndTheClip) {
  Application()->Initialize();
  const TBitmap32 pic = Picture(4, 3);
  const TRect32 cases[] = {{-3, 2, 25, 40}, {5, 4, 11, 9}, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}};
  for (const TRect32& r : cases) {
    DibDC d(30, 20, kSentinel);
    const long gdi = LiveGdiObjects();
    TileGraphic(d.dc, r, &pic);
    EXPECT_EQ(LiveGdiObjects(), gdi);
    for (int y = 0; y < d.h; ++y)
      for (int x = 0; x < d.w; ++x) {
        const bool in = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
        const uint32_t want =
            in ? pic.Pixel(int32_t((int64_t(x) - r.Left) % 4), int32_t((int64_t(y) - r.Top) % 3)) & 0xFFFFFF
               : kSentinel;
        ASSERT_EQ(d.At(x, y), want) << x << "," << y;
      }
  }
  // A clip region limits the copy too; nothing for missing graphics.
  DibDC c(30, 20, kSentinel);
  ::IntersectClipRect(c.dc, 10, 0, 30, 20);
  TileGraphic(c.dc, {0, 0, 30, 20}, &pic);
  EXPECT_EQ(c.At(9, 5), kSentinel);
  EXPECT_EQ(c.At(10, 5), pic.Pixel(2, 2) & 0xFFFFFF);
  DibDC n(10, 10, kSentinel);
  TBitmap32 empty;
  TileGraphic(n.dc, {0, 0, 10, 10}, &empty);
  TileGraphic(n.dc, {0, 0, 10, 10}, static_cast<const TBitmap32*>(nullptr));
  TileGraphic(n.dc, {0, 0, 10, 10}, TImageBitmap());
  EXPECT_EQ(n.At(0, 0), kSentinel);
  TileGraphic(n.dc, {0, 0, 10, 10}, TImageBitmap(std::make_shared<TBitmap32>(pic)));
  EXPECT_EQ(n.At(5, 4), pic.Pixel(1, 1) & 0xFFFFFF);

  // A view over bottom-up memory (rows stored last first) tiles the same.
  std::vector<uint32_t> upside(4 * 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) upside[size_t((2 - y) * 4 + x)] = pic.Pixel(x, y);
  const TBitmap32 view = TBitmap32::View(upside.data() + 8, 4, 3, -16);
  DibDC v(10, 10, kSentinel);
  TileGraphic(v.dc, {1, 1, 10, 10}, &view);
  for (int y = 1; y < 10; ++y)
    for (int x = 1; x < 10; ++x) ASSERT_EQ(v.At(x, y), pic.Pixel((x - 1) % 4, (y - 1) % 3) & 0xFFFFFF) << x << "," << y;
}

TEST(DrawBevelFrame, FramesSeenOnlyByOneSideOfThem) {
  Application()->Initialize();
  // Only the bottom rows reach the bitmap.
  DibDC d(20, 20, kSentinel);
  TRect32 r{-1000, -1000, 1000, 11};
  int32_t width = 3;
  DrawBevelFrame(d.dc, r, 0x0000FF, width, 0x00FF00);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(d.At(x, y), (y >= 8 && y <= 10) ? Rgb(0x00FF00) : kSentinel) << x << "," << y;
  // Only the left columns.
  DibDC e(20, 20, kSentinel);
  TRect32 s{5, -1000, 1000, 1000};
  width = 3;
  DrawBevelFrame(e.dc, s, 0x0000FF, width, 0x00FF00);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(e.At(x, y), (x >= 5 && x <= 7) ? Rgb(0x0000FF) : kSentinel) << x << "," << y;
}
