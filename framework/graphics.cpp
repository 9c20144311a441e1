#include "framework/graphics.h"

#include <cstdint>
#include <cwchar>
#include <vector>

namespace glyphora {

TFont::TFont() = default;

void TFont::Assign(const TFont& o) {
  if (SameAs(o)) return;
  name_ = o.name_;
  height_ = o.height_;
  charset_ = o.charset_;
  color_ = o.color_;
  style_ = o.style_;
  Changed();
}

bool TFont::SameAs(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && charset_ == o.charset_ && color_ == o.color_ &&
         style_ == o.style_;
}

void TFont::SetName(const std::wstring& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}
void TFont::SetHeight(int h) {
  if (h == height_) return;
  height_ = h;
  Changed();
}
int TFont::Size() const { return -MulDiv(height_, 72, 96); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }
void TFont::SetCharset(BYTE cs) {
  if (cs == charset_) return;
  charset_ = cs;
  Changed();
}
void TFont::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Changed();
}
void TFont::SetStyle(unsigned s) {
  if (s == style_) return;
  style_ = s;
  Changed();
}

void TFont::Changed() {
  // Windows may still hold the old font until OnChange hands them the new one.
  UniqueFont old = std::move(handle_);
  if (OnChange) OnChange();
}

LOGFONTW MakeLogFont(const std::wstring& face, int height, unsigned style, BYTE charset) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (style & fsItalic) ? 1 : 0;
  lf.lfUnderline = (style & fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = (style & fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = charset;
  lf.lfQuality = DEFAULT_QUALITY;
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return lf;
}

HFONT TFont::Handle() const {
  if (!handle_) {
    const LOGFONTW lf = MakeLogFont(name_, height_, style_, charset_);
    handle_.reset(::CreateFontIndirectW(&lf));
  }
  return handle_.get();
}

void TCanvas::FillRect(const RECT& r, TColor color) {
  // ExtTextOut with ETO_OPAQUE fills without creating a brush.
  ::SetBkColor(dc_, ColorToRGB(color));
  ::ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void TCanvas::FrameRect(const RECT& r, TColor color) {
  FillRect(RECT{r.left, r.top, r.right, r.top + 1}, color);
  FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, color);
  FillRect(RECT{r.left, r.top, r.left + 1, r.bottom}, color);
  FillRect(RECT{r.right - 1, r.top, r.right, r.bottom}, color);
}

void TCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
  UniquePen pen(::CreatePen(PS_SOLID, 1, ColorToRGB(color)));
  SelectGuard sel(dc_, pen.get());
  ::MoveToEx(dc_, x1, y1, nullptr);
  ::LineTo(dc_, x2, y2);
}

void TCanvas::TextOut(int x, int y, const std::wstring& text, const TFont& font, TColor color) {
  SelectGuard sel(dc_, font.Handle());
  ::SetBkMode(dc_, TRANSPARENT);
  ::SetTextColor(dc_, ColorToRGB(color));
  ::ExtTextOutW(dc_, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::TextRect(const RECT& clip, int x, int y, const std::wstring& text, const TFont& font, TColor color) {
  SelectGuard sel(dc_, font.Handle());
  ::SetBkMode(dc_, TRANSPARENT);
  ::SetTextColor(dc_, ColorToRGB(color));
  ::ExtTextOutW(dc_, x, y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::wstring& text, const TFont& font) {
  SIZE sz{0, 0};
  HDC dc = dc_;
  WindowDC screen(nullptr);
  if (!dc) dc = screen.get();
  SelectGuard sel(dc, font.Handle());
  if (text.empty()) {
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    sz.cy = tm.tmHeight;
  } else {
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &sz);
  }
  return sz;
}

BITMAPINFO Dib32Info(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

void DrawBitmap32(HDC dc, int x, int y, const TBitmap32& src, int sx, int sy, int w, int h) {
  if (!dc || src.Empty()) return;
  if (w < 0 || h < 0) {
    w = src.Width();
    h = src.Height();
  }
  if (w <= 0 || h <= 0) return;
  const ptrdiff_t stride = src.StrideBytes();
  const bool inside = sx >= 0 && sy >= 0 && int64_t(sx) + w <= src.Width() && int64_t(sy) + h <= src.Height();
  if (inside && stride > 0 && stride % 4 == 0) {
    // Rows lie top-down at a fixed stride: GDI reads them where they are.
    const BITMAPINFO bi = Dib32Info(static_cast<int>(stride / 4), h);
    ::SetDIBitsToDevice(dc, x, y, DWORD(w), DWORD(h), sx, 0, 0, UINT(h), src.ScanLine(sy), &bi, DIB_RGB_COLORS);
    return;
  }
  const BITMAPINFO bi = Dib32Info(w, 1);
  std::vector<uint32_t> row(size_t(w), 0);
  for (int r = 0; r < h; ++r) {
    const int64_t srcY = int64_t(sy) + r;
    const uint32_t* s = srcY >= 0 && srcY < src.Height() ? src.ScanLine(int32_t(srcY)) : nullptr;
    for (int c = 0; c < w; ++c) {
      const int64_t px = int64_t(sx) + c;
      row[size_t(c)] = (s && px >= 0 && px < src.Width()) ? s[px] : 0;
    }
    ::SetDIBitsToDevice(dc, x, y + r, DWORD(w), 1, 0, 0, 0, 1, row.data(), &bi, DIB_RGB_COLORS);
  }
}

bool TDibBitmap::SetSize(int width, int height) {
  if (width < 0 || width > 32767) width = 0;
  if (height < 0 || height > 32767) height = 0;
  if (width == width_ && height == height_ && dc_) return static_cast<bool>(bitmap_);
  if (dc_ && oldBitmap_) ::SelectObject(dc_.get(), oldBitmap_);
  bitmap_.reset();
  pixels_ = TBitmap32();
  if (!dc_) dc_.reset(::CreateCompatibleDC(nullptr));
  width_ = width;
  height_ = height;
  oldBitmap_ = nullptr;
  if (width == 0 || height == 0 || !dc_) {
    width_ = height_ = 0;
    return false;
  }
  const BITMAPINFO bi = Dib32Info(width, height);
  void* bits = nullptr;
  bitmap_.reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) {
    bitmap_.reset();
    width_ = height_ = 0;
    return false;
  }
  oldBitmap_ = ::SelectObject(dc_.get(), bitmap_.get());
  pixels_ = TBitmap32::View(bits, width, height, static_cast<ptrdiff_t>(width) * 4);
  return true;
}

void TDibBitmap::CopyTo(HDC dc, int x, int y) const {
  if (!bitmap_ || !dc) return;
  ::GdiFlush();
  ::BitBlt(dc, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace glyphora
