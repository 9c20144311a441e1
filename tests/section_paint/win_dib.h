// A 32-bit top-down DIB section selected into a memory DC, for reading back
// what device-context routines drew.
#pragma once
#include <windows.h>

#include <cstdint>

namespace sectiontest {

struct DibDC {
  HDC dc = ::CreateCompatibleDC(nullptr);
  uint32_t* bits = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
  int w, h;
  DibDC(int width, int height, uint32_t fill = 0) : w(width), h(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    bmp = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    old = ::SelectObject(dc, bmp);
    for (int i = 0; i < width * height; ++i) bits[i] = fill;
  }
  ~DibDC() {
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
  }
  DibDC(const DibDC&) = delete;
  DibDC& operator=(const DibDC&) = delete;
  // Colour bytes of a pixel (0x00RRGGBB).
  uint32_t At(int x, int y) const {
    ::GdiFlush();
    return bits[y * w + x] & 0xFFFFFF;
  }
};

// A TColor (0x00BBGGRR) as the colour bytes of a pixel.
inline uint32_t Rgb(uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

}  // namespace sectiontest
