// The BMP loader's run-length decoding against the platform's own loader
// (LoadImageW, then GetDIBits into 32-bit pixels) on the RLE seed files of
// the BMP fuzz corpus.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "imaging/bmp_loader.h"

using namespace glyphora;

TEST(BmpRleAgainstThePlatform, SamePixelsAsLoadImage) {
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(GLYPHORA_BMP_CORPUS)) {
    const std::filesystem::path path = entry.path();
    if (path.filename().string().rfind("rle", 0) != 0) continue;
    SCOPED_TRACE(path.filename().string());
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const TBitmap32 ours = LoadBmp(bytes);

    // The format has no top-down run-length bitmaps: the platform's loader
    // leaves them blank (Wine) or refuses them, ours reads the lines in the
    // order they are stored. Nothing to compare.
    if (path.filename().string().find("topdown") != std::string::npos) continue;
    HBITMAP bmp = static_cast<HBITMAP>(LoadImageW(nullptr, path.wstring().c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(bmp, nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = ours.Width();
    bi.bmiHeader.biHeight = -ours.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> theirs(static_cast<size_t>(ours.Width()) * ours.Height());
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bmp, 0, ours.Height(), theirs.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(bmp);
    ASSERT_EQ(rows, ours.Height());
    for (int32_t y = 0; y < ours.Height(); ++y)
      for (int32_t x = 0; x < ours.Width(); ++x)
        EXPECT_EQ(ours.Pixel(x, y) & 0xFFFFFFu, theirs[static_cast<size_t>(y) * ours.Width() + x] & 0xFFFFFFu)
            << "at " << x << "," << y;
    ++compared;
  }
  EXPECT_GE(compared, 2);
}
