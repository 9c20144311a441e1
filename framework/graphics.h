// Colours, fonts and canvases over device contexts.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "framework/handles.h"
#include "base/bitmap32.h"
#include "base/color_convert.h"
#include "base/shared_types.h"

namespace glyphora {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// The description of a font: face name (cut to the platform's 31
// characters), height in pixels (negative: character height), TFontStyle
// bits and character set.
LOGFONTW MakeLogFont(const std::wstring& face, int height, unsigned style, BYTE charset);

// A logical font with change notification. The platform font is created on
// first use and re-created after every change.
class TFont {
 public:
  TFont();
  TFont(const TFont& other) : TFont() { Assign(other); }
  TFont& operator=(const TFont& other) { Assign(other); return *this; }

  void Assign(const TFont& other);
  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name);
  int Height() const { return height_; }      // pixels; negative = character height
  void SetHeight(int height);
  int Size() const;                           // points at 96 pixels per inch
  void SetSize(int points);
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned style);

  HFONT Handle() const;
  bool SameAs(const TFont& other) const;

  std::function<void()> OnChange;

 private:
  void Changed();
  std::wstring name_ = L"Tahoma";
  int height_ = -11;
  BYTE charset_ = DEFAULT_CHARSET;
  TColor color_ = clWindowText;
  unsigned style_ = 0;
  mutable UniqueFont handle_;
};

// Drawing on a borrowed device context.
class TCanvas {
 public:
  explicit TCanvas(HDC dc = nullptr) : dc_(dc) {}
  HDC Handle() const { return dc_; }
  void SetHandle(HDC dc) { dc_ = dc; }

  void FillRect(const RECT& r, TColor color);
  void FrameRect(const RECT& r, TColor color);
  void Line(int x1, int y1, int x2, int y2, TColor color);
  // Text with a transparent background in the given font and colour.
  void TextOut(int x, int y, const std::wstring& text, const TFont& font, TColor color);
  void TextRect(const RECT& clip, int x, int y, const std::wstring& text, const TFont& font, TColor color);
  SIZE TextExtent(const std::wstring& text, const TFont& font);
  int TextHeight(const std::wstring& text, const TFont& font) { return TextExtent(text, font).cy; }

 private:
  HDC dc_;
};

// The header of a top-down 32-bit DIB (BI_RGB, one plane) of the given size.
BITMAPINFO Dib32Info(int width, int height);

// Draws the w x h rectangle at (sx, sy) of a 32-bit bitmap to (x, y) of dc
// (the whole bitmap when w or h is negative). Pixels outside the bitmap are
// drawn black. One call for memory GDI can read where it lies, row by row
// otherwise.
void DrawBitmap32(HDC dc, int x, int y, const TBitmap32& src, int sx = 0, int sy = 0, int w = -1, int h = -1);

// A top-down 32-bit DIB section with its own memory DC: the off-screen
// surface for flicker-free painting, with row access through Pixels().
// Kept between paints and remade only when the size changes, so repainting
// creates no GDI objects.
class TDibBitmap {
 public:
  TDibBitmap() = default;
  TDibBitmap(int width, int height) { SetSize(width, height); }
  ~TDibBitmap() { if (dc_ && oldBitmap_) ::SelectObject(dc_.get(), oldBitmap_); }
  TDibBitmap(const TDibBitmap&) = delete;
  TDibBitmap& operator=(const TDibBitmap&) = delete;
  // True when a bitmap of that size exists afterwards; sides over 32767 or a
  // failed allocation leave an empty surface (and false).
  bool SetSize(int width, int height);
  // Copies the whole surface to (x, y) of dc.
  void CopyTo(HDC dc, int x, int y) const;
  int Width() const { return width_; }
  int Height() const { return height_; }
  HDC DC() const { return dc_.get(); }
  HBITMAP Handle() const { return bitmap_.get(); }
  TBitmap32& Pixels() { return pixels_; }
  TCanvas Canvas() const { return TCanvas(dc_.get()); }

 private:
  int width_ = 0, height_ = 0;
  UniqueMemoryDC dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  TBitmap32 pixels_;
};

}  // namespace glyphora
