// A 32-bit BGRA pixel surface reached through row addresses. It either owns its
// pixels (host code, intermediate bitmaps) or views memory that belongs to
// somebody else (a DIB section's bits on Windows). Rows are always reached
// through ScanLine, never by assuming an orientation.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace glyphora {

class TBitmap32 {
 public:
  TBitmap32() = default;
  TBitmap32(int32_t width, int32_t height) { SetSize(width, height); }

  // A view over pixels owned elsewhere. strideBytes may be negative for
  // bottom-up memory (bits then points at row 0 as the viewer sees it).
  static TBitmap32 View(void* bits, int32_t width, int32_t height, ptrdiff_t strideBytes);

  TBitmap32(const TBitmap32& other);
  TBitmap32& operator=(const TBitmap32& other);
  TBitmap32(TBitmap32&&) noexcept;
  TBitmap32& operator=(TBitmap32&&) noexcept;

  // Reallocates owned pixels (zeroed). Negative sizes are treated as 0. A view
  // becomes an owning bitmap.
  void SetSize(int32_t width, int32_t height);
  // As SetSize, for a caller that writes every pixel next: an owned bitmap
  // of the same pixel count keeps its memory and its old contents.
  void SetSizeForOverwrite(int32_t width, int32_t height);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  bool OwnsPixels() const { return view_ == nullptr; }

  // Row y, or nullptr when y lies outside the bitmap.
  uint32_t* ScanLine(int32_t y) const {
    if (y < 0 || y >= height_) return nullptr;
    return reinterpret_cast<uint32_t*>(base() + static_cast<ptrdiff_t>(y) * stride_);
  }
  uint32_t Pixel(int32_t x, int32_t y) const { return ScanLine(y)[x]; }
  void SetPixel(int32_t x, int32_t y, uint32_t c) { ScanLine(y)[x] = c; }
  bool Contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  ptrdiff_t StrideBytes() const { return stride_; }

  void Fill(uint32_t pixel);

 private:
  unsigned char* base() const {
    return view_ ? static_cast<unsigned char*>(view_)
                 : reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(owned_.data()));
  }
  int32_t width_ = 0, height_ = 0;
  ptrdiff_t stride_ = 0;
  void* view_ = nullptr;
  std::vector<uint32_t> owned_;
};

}  // namespace glyphora
