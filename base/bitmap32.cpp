#include "base/bitmap32.h"

#include <algorithm>
#include <cstring>

namespace glyphora {

TBitmap32 TBitmap32::View(void* bits, int32_t width, int32_t height, ptrdiff_t strideBytes) {
  TBitmap32 b;
  if (!bits || width <= 0 || height <= 0) return b;
  b.width_ = width;
  b.height_ = height;
  b.stride_ = strideBytes;
  b.view_ = bits;
  return b;
}

TBitmap32::TBitmap32(const TBitmap32& other) { *this = other; }

TBitmap32& TBitmap32::operator=(const TBitmap32& other) {
  if (this == &other) return *this;
  // A copy always owns its pixels, whatever the source was.
  SetSize(other.width_, other.height_);
  for (int32_t y = 0; y < height_; ++y)
    std::memcpy(ScanLine(y), other.ScanLine(y), static_cast<size_t>(width_) * 4);
  return *this;
}

TBitmap32::TBitmap32(TBitmap32&& o) noexcept { *this = std::move(o); }

TBitmap32& TBitmap32::operator=(TBitmap32&& o) noexcept {
  if (this == &o) return *this;
  width_ = o.width_;
  height_ = o.height_;
  stride_ = o.stride_;
  view_ = o.view_;
  owned_ = std::move(o.owned_);
  o.width_ = o.height_ = 0;
  o.stride_ = 0;
  o.view_ = nullptr;
  o.owned_.clear();
  return *this;
}

void TBitmap32::SetSizeForOverwrite(int32_t width, int32_t height) {
  width = std::max<int32_t>(width, 0);
  height = std::max<int32_t>(height, 0);
  if (view_ || width == 0 || height == 0 || owned_.size() != static_cast<size_t>(width) * height) {
    SetSize(width, height);
    return;
  }
  width_ = width;
  height_ = height;
  stride_ = static_cast<ptrdiff_t>(width_) * 4;
}

void TBitmap32::SetSize(int32_t width, int32_t height) {
  width_ = std::max<int32_t>(width, 0);
  height_ = std::max<int32_t>(height, 0);
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  view_ = nullptr;
  owned_.assign(static_cast<size_t>(width_) * height_, 0u);
  stride_ = static_cast<ptrdiff_t>(width_) * 4;
}

void TBitmap32::Fill(uint32_t pixel) {
  for (int32_t y = 0; y < height_; ++y) std::fill_n(ScanLine(y), width_, pixel);
}

}  // namespace glyphora
