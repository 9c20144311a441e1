// Reads back what a window shows on the (private) screen.
#pragma once
#include <windows.h>

#include "base/bitmap32.h"
#include "framework/graphics.h"
#include "framework/handles.h"

namespace glyphora::test {

// The client area of wnd as it is on screen now (top-down, 0x00RRGGBB).
inline TBitmap32 CaptureClient(HWND wnd) {
  RECT r;
  ::GetClientRect(wnd, &r);
  TDibBitmap dib(r.right, r.bottom);
  WindowDC dc(wnd);
  ::BitBlt(dib.DC(), 0, 0, r.right, r.bottom, dc.get(), 0, 0, SRCCOPY);
  ::GdiFlush();
  TBitmap32 out(r.right, r.bottom);
  for (int32_t y = 0; y < r.bottom; ++y)
    for (int32_t x = 0; x < r.right; ++x) out.SetPixel(x, y, dib.Pixels().Pixel(x, y) & 0xFFFFFF);
  return out;
}

// A colour value (0x00BBGGRR) as a captured pixel (0x00RRGGBB).
inline uint32_t AsPixel(TColor c) {
  c = ColorToRGB(c);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

}  // namespace glyphora::test
