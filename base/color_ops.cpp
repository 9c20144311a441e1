#include "base/color_ops.h"

#include <algorithm>
#include <cmath>

#include "base/round_even.h"

namespace glyphora {
namespace {

inline uint32_t Byte(uint32_t v, int i) { return (v >> (8 * i)) & 0xFF; }
inline double Clamp255(double v) { return std::clamp(v, 0.0, 255.0); }
inline uint32_t SwapBytes02(uint32_t v) { return (v & 0xFF00FF00u) | ((v & 0xFF) << 16) | ((v >> 16) & 0xFF); }

}  // namespace

TColor BlendColors(TColor color1, TColor color2, double k) {
  uint32_t out = color1 & 0xFF000000u;
  for (int c = 0; c < 3; ++c) out |= RoundByte(k * Byte(color1, c) + (1.0 - k) * Byte(color2, c)) << (8 * c);
  return out;
}

TColor HalfwayColor(TColor color1, TColor color2) {
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c) out |= ((Byte(color1, c) * 127 + Byte(color2, c) * 129) >> 8) << (8 * c);
  return out;
}

uint32_t ShiftHue(int delta, uint32_t pixel) {
  const double c2 = Byte(pixel, 2), c1 = Byte(pixel, 1), c0 = Byte(pixel, 0);
  const double mx = std::max({c0, c1, c2}), mn = std::min({c0, c1, c2});
  const double range = mx - mn, v = mx;
  const double s = mx == 0 ? 0.0 : range / mx;
  double h = 0;
  if (s != 0) {
    if (mx == c2) h = 60.0 * (c1 - c0) / range;
    else if (mx == c1) h = 120.0 + 60.0 * (c0 - c2) / range;
    else h = 240.0 + 60.0 * (c2 - c1) / range;
    if (h < 0) h += 360.0;
  }
  // Integer remainder: keeps the sign of the dividend.
  const int64_t hs = RoundEven(static_cast<double>(delta) + h) % 360;
  const uint32_t alpha = pixel & 0xFF000000u;
  if (s == 0) return alpha | (RoundByte(v) << 16) | (pixel & 0x0000FFFFu);
  const double sector = static_cast<double>(hs) / 60.0;
  const int64_t i = static_cast<int64_t>(std::trunc(sector));
  const double f = sector - static_cast<double>(i);
  const double p = Clamp255(v * (1 - s)), q = Clamp255(v * (1 - s * f)), t = Clamp255(v * (1 - (1 - f) * s));
  double r, g, b;
  switch (i) {
    case 0: r = v; g = t; b = p; break;
    case 1: r = q; g = v; b = p; break;
    case 2: r = p; g = v; b = t; break;
    case 3: r = p; g = q; b = v; break;
    case 4: r = t; g = p; b = v; break;
    default: r = v; g = p; b = q; break;
  }
  return alpha | (RoundByte(r) << 16) | (RoundByte(g) << 8) | RoundByte(b);
}

TColor ShiftHueColor(int delta, TColor color) {
  if (delta == 0) return color;
  return SwapBytes02(ShiftHue(delta, SwapBytes02(color)));
}

uint32_t AdjustSaturation(int amount, uint32_t color) {
  if (amount == 0) return color;
  const double avg = (static_cast<double>(Byte(color, 0)) + Byte(color, 1) + Byte(color, 2)) / 3.0;
  uint32_t out = color & 0xFF000000u;
  for (int c = 0; c < 3; ++c) {
    const double v = Byte(color, c);
    out |= RoundByte(v - (avg - v) * amount / 100.0) << (8 * c);
  }
  return out;
}

namespace {

inline bool IsGray(uint32_t v) { return Byte(v, 0) == Byte(v, 1) && Byte(v, 1) == Byte(v, 2); }

// Skin bitmaps repeat colours along a row; the last result is reused.
template <class F>
void MapColoured(TBitmap32* bmp, F f) {
  if (!bmp) return;
  for (int32_t y = 0; y < bmp->Height(); ++y) {
    uint32_t* row = bmp->ScanLine(y);
    uint32_t lastIn = 0, lastOut = 0;
    bool have = false;
    for (int32_t x = 0; x < bmp->Width(); ++x) {
      const uint32_t v = row[x];
      if (v == KeyColor32 || IsGray(v)) continue;
      if (!have || v != lastIn) {
        lastIn = v;
        lastOut = f(v);
        have = true;
      }
      row[x] = lastOut;
    }
  }
}

}  // namespace

void ShiftBitmapHue(TBitmap32* bmp, int delta) {
  MapColoured(bmp, [delta](uint32_t v) { return ShiftHue(delta, v); });
}

void AdjustBitmapSaturation(TBitmap32* bmp, int amount) {
  MapColoured(bmp, [amount](uint32_t v) { return AdjustSaturation(amount, v); });
}

}  // namespace glyphora
