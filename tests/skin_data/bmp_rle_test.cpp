// Run-length encoded BMPs (BI_RLE8, BI_RLE4) built by hand with known pixels.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "imaging/bmp_loader.h"
#include "base/skin_error.h"
#include "tests/support/skin_writers.h"

using namespace glyphora;
using namespace glyphora::testing;

namespace {

constexpr uint32_t kRle8 = 1, kRle4 = 2;

// Sixteen colours; index 0 is not black so that skipped pixels show, 15 is the key colour.
uint32_t PaletteColor(int i) { return i == 15 ? 0xFF00FFu : 0x102030u + 0x010101u * static_cast<uint32_t>(i); }

void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

Bytes RleBmp(uint32_t compression, int32_t w, int32_t h, const Bytes& data) {
  Bytes b(54, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(w));
  Put32(b, 22, static_cast<uint32_t>(h));
  b[26] = 1;
  b[28] = compression == kRle8 ? 8 : 4;
  Put32(b, 30, compression);
  Put32(b, 34, static_cast<uint32_t>(data.size()));
  Put32(b, 46, 16);
  for (int i = 0; i < 16; ++i)
    for (int k = 0; k < 4; ++k) b.push_back(static_cast<uint8_t>(PaletteColor(i) >> (8 * k)));
  Put32(b, 10, static_cast<uint32_t>(b.size()));
  b.insert(b.end(), data.begin(), data.end());
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  return b;
}

struct TRleCase {
  const char* name;
  uint32_t compression;
  int32_t w, h;  // h < 0: top-down
  Bytes data;
  // Rows top to bottom: a hex digit is a palette index, '.' a pixel no
  // instruction set (opaque black); empty: the load must fail.
  std::vector<std::string> rows;
};

const TRleCase kCases[] = {
    {"runs, end of line, end of bitmap", kRle8, 4, 2, {3, 1, 1, 2, 0, 0, 4, 5, 0, 1}, {"5555", "1112"}},
    {"absolute run with its padding byte", kRle8, 5, 2, {0, 3, 7, 8, 9, 0, 1, 10, 0, 0, 0, 1}, {".....", "789A."}},
    {"delta right and up a line", kRle8, 4, 2, {1, 1, 0, 2, 2, 1, 1, 3, 0, 1}, {"...3", "1..."}},
    {"key colour keeps alpha 0", kRle8, 2, 1, {1, 15, 1, 4, 0, 1}, {"F4"}},
    {"run past the right edge is cut", kRle8, 3, 2, {5, 4, 0, 0, 2, 6, 0, 1}, {"66.", "444"}},
    {"delta below the last line ends it", kRle8, 2, 2, {1, 1, 0, 2, 0, 5, 1, 9}, {"..", "1."}},
    {"data without end of bitmap", kRle8, 2, 2, {2, 3}, {"..", "33"}},
    {"lines past the last one are ignored", kRle8, 1, 1, {1, 2, 0, 0, 1, 3, 0, 0}, {"2"}},
    {"missing padding at the very end", kRle8, 3, 1, {0, 3, 1, 2, 3}, {"123"}},
    {"top-down", kRle8, 2, -2, {2, 1, 0, 0, 2, 2, 0, 1}, {"11", "22"}},
    {"4-bit runs alternate nibbles", kRle4, 5, 1, {5, 0x12, 0, 1}, {"12121"}},
    {"4-bit odd absolute run and padding", kRle4, 6, 1, {0, 5, 0xAB, 0xCD, 0xE0, 0, 1, 0xD0, 0, 1}, {"ABCDED"}},
    {"4-bit delta and end of line", kRle4, 3, 2, {0, 2, 1, 0, 2, 0x34, 0, 0, 1, 0x50}, {"5..", ".34"}},
    {"truncated run", kRle8, 2, 1, {2}, {}},
    {"truncated delta", kRle8, 2, 1, {0, 2, 1}, {}},
    {"truncated absolute run", kRle8, 4, 1, {0, 4, 1, 2}, {}},
    {"no pixel data", kRle8, 2, 1, {}, {}},
    {"picture far larger than its data", kRle8, 13577, 4100, {0, 1}, {}},
};

class RleBmpCases : public ::testing::TestWithParam<TRleCase> {};

TEST_P(RleBmpCases, GivesTheDefinedPixelsOrFails) {
  const TRleCase& c = GetParam();
  const Bytes file = RleBmp(c.compression, c.w, c.h, c.data);
  if (c.rows.empty()) {
    EXPECT_THROW(LoadBmp(file), ESkinError);
    return;
  }
  const TBitmap32 b = LoadBmp(file);
  ASSERT_EQ(b.Width(), c.w);
  ASSERT_EQ(b.Height(), static_cast<int32_t>(c.rows.size()));
  for (int32_t y = 0; y < b.Height(); ++y)
    for (int32_t x = 0; x < b.Width(); ++x) {
      const char ch = c.rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
      const uint32_t rgb = ch == '.' ? 0 : PaletteColor(std::stoi(std::string(1, ch), nullptr, 16));
      EXPECT_EQ(b.Pixel(x, y), rgb == 0xFF00FFu ? rgb : rgb | 0xFF000000u) << "at " << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RleBmpCases, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string n;
  for (const char* p = info.param.name; *p; ++p) n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return n;
});

}  // namespace

// Every cut of a file, and the depth that does not match the compression,
// fail cleanly or load; none reads past the data (the sanitizers watch).
TEST(RleBmpDamage, CutsAndWrongDepth) {
  const Bytes file = RleBmp(kRle4, 6, 3, {0, 5, 0xAB, 0xCD, 0xE0, 0, 0, 2, 2, 1, 4, 0x77, 0, 1});
  for (size_t n = 0; n < file.size(); ++n) {
    try {
      const TBitmap32 b = LoadBmp(std::span<const uint8_t>(file.data(), n));
      EXPECT_EQ(b.Width(), 6);
    } catch (const ESkinError&) {
    }
  }
  Bytes depth = file;
  depth[28] = 8;
  EXPECT_THROW(LoadBmp(depth), ESkinError);
}
