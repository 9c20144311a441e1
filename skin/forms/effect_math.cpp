#include "skin/forms/effect_math.h"

#include <algorithm>
#include <cmath>

namespace glyphora {

namespace {
uint8_t Byte(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }
}  // namespace

int32_t AnimFrames(int32_t timeMs) { return timeMs > 0 ? timeMs / kAnimFrameMs : 0; }

uint8_t RisingAlpha(int32_t i, int32_t n, uint8_t target) {
  if (n <= 0 || i >= n) return target;
  return Byte(double(target) * std::max(i, 0) / n);
}

uint8_t FallingAlpha(int32_t i, int32_t n, uint8_t start) {
  if (n <= 0 || i >= n) return 0;
  return Byte(start - double(start) * std::max(i, 0) / n);
}

TRect32 ZoomRect(int32_t w, int32_t h, int32_t i, int32_t n) {
  if (n <= 0 || i >= n) return {0, 0, w, h};
  const double rest = 1.0 - double(std::max(i, 0)) / n;
  const int32_t dx = static_cast<int32_t>(std::lround(w / 8.0 * rest));
  const int32_t dy = static_cast<int32_t>(std::lround(h / 8.0 * rest));
  return {dx, dy, w - dx, h - dy};
}

TCrossFadeStep CrossFadeStep(int32_t i, int32_t n, uint8_t target) {
  const uint8_t a = RisingAlpha(i, n, target);
  return {a, Byte(std::min(255, 3 * (int32_t{target} - a)))};
}

uint8_t MoveBlendStep(uint8_t target, int32_t timeMs) {
  const int32_t span = 255 - target;
  if (span <= 0) return 1;
  if (timeMs < 13) return static_cast<uint8_t>(span);
  return static_cast<uint8_t>(std::clamp<long>(std::lround(double(span) / (timeMs / 12.0)), 1L, span));
}

bool BlendTowards(uint8_t& value, uint8_t target, uint8_t step) {
  const int32_t s = std::max<int32_t>(step, 1);
  if (value > target) value = static_cast<uint8_t>(std::max<int32_t>(target, value - s));
  else if (value < target) value = static_cast<uint8_t>(std::min<int32_t>(target, value + s));
  return value == target;
}

TRect32 TaskbarTarget(const TRect32* button, const TRect32* tb, TPoint32 c, int32_t* edge) {
  if (edge) *edge = 0;
  if (button && RectWidth(*button) > 0 && RectHeight(*button) > 0) return *button;
  if (!tb) return {0, 0, 0, 0};
  TPoint32 p;
  int32_t e;
  if (tb->Top != 0 && tb->Left >= -4 && tb->Left <= 0) {
    e = tbBottom;
    p = {c.X, tb->Top};
  } else if (tb->Top == 0 && tb->Left == 0) {
    if (RectHeight(*tb) >= RectWidth(*tb)) {
      e = tbLeft;
      p = {tb->Right, c.Y};
    } else {
      e = tbTop;
      p = {c.X, tb->Bottom};
    }
  } else {
    e = tbRight;
    p = {tb->Left, c.Y};
  }
  if (edge) *edge = e;
  return {p.X, p.Y, p.X, p.Y};
}

TRect32 MinimizeRect(const TMinimizeAnim& a, int32_t i) {
  const int32_t n = std::max(a.Steps, 1);
  i = std::clamp(i, 0, n);
  const double t = double(i) / n;
  // The centre moves in a straight line while the size shrinks to the target's.
  const double fromCx = (a.From.Left + a.From.Right) / 2.0, fromCy = (a.From.Top + a.From.Bottom) / 2.0;
  const double toCx = (a.To.Left + a.To.Right) / 2.0, toCy = (a.To.Top + a.To.Bottom) / 2.0;
  const double w = RectWidth(a.From) + (RectWidth(a.To) - RectWidth(a.From)) * t;
  const double h = RectHeight(a.From) + (RectHeight(a.To) - RectHeight(a.From)) * t;
  const double cx = fromCx + (toCx - fromCx) * t, cy = fromCy + (toCy - fromCy) * t;
  return {static_cast<int32_t>(std::lround(cx - w / 2)), static_cast<int32_t>(std::lround(cy - h / 2)),
          static_cast<int32_t>(std::lround(cx + w / 2)), static_cast<int32_t>(std::lround(cy + h / 2))};
}

uint8_t MinimizeAlpha(const TMinimizeAnim& a, int32_t i) {
  // The last step reaches 0; the opacity falls by AlphaFrom / (steps - 1).
  const int32_t n = std::max(a.Steps, 1);
  if (i <= 0) return a.AlphaFrom;
  if (i >= n) return 0;
  return Byte(a.AlphaFrom - double(a.AlphaFrom) * i / std::max(1, n - 1));
}

TRect32 GlowRect(const TRect32& r, const TRect32& b, int32_t margin) {
  const TRect32 g{r.Left + margin - b.Left, r.Top + margin - b.Top, r.Right - margin + b.Right,
                  r.Bottom - margin + b.Bottom};
  if (g.Right <= g.Left || g.Bottom <= g.Top) return {};
  return g;
}

TRect32 GlowImageRect(const TRect32& r, int32_t imageW, int32_t imageH, int32_t margin) {
  if (imageW <= 0 || imageH <= 0) return {};
  return {r.Left - margin, r.Top - margin, r.Left - margin + imageW, r.Top - margin + imageH};
}

}  // namespace glyphora
