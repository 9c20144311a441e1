// Small value types and helpers shared by the whole skin engine. No windows.h:
// these compile for the host as well.
#pragma once
#include <cstdint>

namespace glyphora {

// 0x00BBGGRR; a top byte of 0xFF names a system colour.
using TColor = uint32_t;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clNoneMarker = 0xFF00FF;  // "no colour" answer and fill none-marker
constexpr uint32_t KeyColor32 = 0x00FF00FF; // transparent pixel of skin images

struct TRect32 {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TRect32&, const TRect32&) = default;
};

inline int32_t RectWidth(const TRect32& r, bool clampAtZero = false) {
  int32_t w = r.Right - r.Left;
  return (clampAtZero && w < 0) ? 0 : w;
}
inline int32_t RectHeight(const TRect32& r, bool clampAtZero = false) {
  int32_t h = r.Bottom - r.Top;
  return (clampAtZero && h < 0) ? 0 : h;
}
inline uint8_t ClampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : static_cast<uint8_t>(v)); }
// A skin percentage 0..100 as a blend weight 0..255.
inline uint8_t PercentToWeight(int p) { return ClampByte(p * 255 / 100); }

class TBitmap32;  // defined by the pixel layer

// What lies behind a rectangle being painted.
struct TCacheInfo {
  TBitmap32* Bmp = nullptr;
  int32_t X = 0, Y = 0;
  TColor FillColor = 0;
  bool Ready = false;
};
inline TCacheInfo CacheInfoOf(TBitmap32* bmp, int32_t x, int32_t y) {
  return TCacheInfo{bmp, x, y, clNoneMarker, true};
}
inline TCacheInfo EmptyCacheInfo() { return TCacheInfo{}; }

}  // namespace glyphora
