#include "skin/paint/dib_surface_win.h"

namespace glyphora {

TDibSurface::~TDibSurface() {
  if (dc_ && oldBitmap_) ::SelectObject(dc_.get(), oldBitmap_);
}

bool TDibSurface::EnsureSize(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return false;
  if (dib_ && width == width_ && height == height_) return true;
  if (!dc_) {
    dc_.reset(::CreateCompatibleDC(nullptr));
    if (!dc_) return false;
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap dib(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return false;
  HGDIOBJ old = ::SelectObject(dc_.get(), dib.get());
  if (!oldBitmap_) oldBitmap_ = old;
  dib_ = std::move(dib);  // the previous DIB, now deselected, is freed here
  view_ = TBitmap32::View(bits, width, height, ptrdiff_t(width) * 4);
  width_ = width;
  height_ = height;
  return true;
}

void TDibSurface::CopyTo(HDC dc, int32_t x, int32_t y) const {
  if (!dib_ || !dc) return;
  ::GdiFlush();
  ::BitBlt(dc, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace glyphora
