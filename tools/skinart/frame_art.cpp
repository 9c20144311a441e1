// Caption buttons, glows, the extended border and the large push button.
#include <algorithm>
#include <cmath>

#include "art.h"

namespace skinart {

namespace {

float Smooth(float t) {  // 1 at t = 0 falling to 0 at t = 1
  t = std::clamp(t, 0.0f, 1.0f);
  float u = 1 - t;
  return u * u * (3 - 2 * u);
}

void DrawCapGlyph(Canvas& c, Cap kind, float cx, float cy, Rgb col) {
  const float hw = 0.55f;  // half stroke width: crisp one-pixel lines
  switch (kind) {
    case Cap::Close:  // a touch heavier: it also has to read white on red
      c.FillSdf([&](float x, float y) {
        return std::min(CapsuleSdf(x, y, cx - 4, cy - 4, cx + 4, cy + 4, hw + 0.1f),
                        CapsuleSdf(x, y, cx - 4, cy + 4, cx + 4, cy - 4, hw + 0.1f));
      }, col);
      break;
    case Cap::Min:
      c.FillRect(int(cx - 4), int(cy + 0.5f), 9, 1, col);
      break;
    case Cap::Max:
      c.FillShape([&](float x, float y) {
        bool outer = x >= cx - 4 && x < cx + 5 && y >= cy - 4 && y < cy + 5;
        bool inner = x >= cx - 3 && x < cx + 4 && y >= cy - 3 && y < cy + 4;
        return outer && !inner;
      }, col);
      break;
    case Cap::Norm:
      c.FillShape([&](float x, float y) {
        bool back = x >= cx - 2 && x < cx + 5 && y >= cy - 4 && y < cy + 3;
        bool backIn = x >= cx - 1 && x < cx + 4 && y >= cy - 3 && y < cy + 2;
        bool front = x >= cx - 4 && x < cx + 3 && y >= cy - 2 && y < cy + 5;
        bool frontIn = x >= cx - 3 && x < cx + 2 && y >= cy - 1 && y < cy + 4;
        return (front && !frontIn) || (back && !backIn && !front);
      }, col);
      break;
    case Cap::Help:
      c.FillSdf([&](float x, float y) {
        // "?": an open arc, a short stem and a dot
        float dx = x - cx, dy = y - (cy - 1.5f);
        float ring = std::fabs(std::sqrt(dx * dx + dy * dy) - 2.8f) - hw;
        if (dx < 0 && dy > 0) ring = 9;  // open at the lower left
        float stem = CapsuleSdf(x, y, cx, cy + 1.3f, cx, cy + 2.3f, hw);
        float dot = std::hypot(x - cx, y - (cy + 4.6f)) - 0.8f;
        return std::min({ring, stem, dot});
      }, col);
      break;
  }
}

}  // namespace

Canvas CaptionButton(Cap kind, int w, int h, int state) {
  Canvas c(w, h);
  Rgb glyph = Hex(pal::Glyph);
  if (state > 0) {
    bool close = kind == Cap::Close;
    uint32_t fill = close ? (state == 1 ? pal::CloseHot : pal::ClosePressed)
                          : (state == 1 ? 0xE6E6E6 : 0xD2D2D2);
    c.FillSdf([&](float x, float y) { return RoundRectSdf(x, y, 0, 0, w, h, 3); }, Hex(fill));
    glyph = close ? Hex(pal::White) : Hex(pal::Ink);
  }
  DrawCapGlyph(c, kind, w / 2.0f - 0.5f, h / 2.0f - 0.5f, glyph);
  return c;
}

Canvas CaptionGlow(Cap kind, int w, int h) {
  const int m = 20;
  Canvas c(w + 2 * m, h + 2 * m);
  bool close = kind == Cap::Close;
  Rgb halo = Hex(close ? pal::CloseHot : 0x7F93A8);
  float amax = close ? 0.22f : 0.16f;
  for (int y = 0; y < c.H(); ++y)
    for (int x = 0; x < c.W(); ++x) {
      float d = RoundRectSdf(x + 0.5f, y + 0.5f, m, m, m + w, m + h, 3);
      if (d > 0) c.Blend(x, y, halo, amax * Smooth(d / 15));
    }
  c.Draw(CaptionButton(kind, w, h, 1), m, m);
  return c;
}

Canvas ControlGlow(bool white) {
  Canvas c(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      float d = RoundRectSdf(x + 0.5f, y + 0.5f, 10, 10, 30, 30, 3);
      if (d <= 0) continue;
      if (white) {
        c.Blend(x, y, Hex(0x8C8C8C), 0.14f * Smooth(d / 10));
        c.Blend(x, y, Hex(pal::White), 0.85f * Smooth(d / 4));
      } else {
        c.Blend(x, y, Hex(pal::Accent), 0.20f * Smooth(d / 10));
      }
    }
  return c;
}

Canvas ExBorderFrame(bool active, int w, int h) {
  const int s = 16;       // shadow on every side
  const int border = 26;  // frame width around the client area
  const int title = 51;   // caption height
  Canvas c(w, h);
  // Soft shadow, a little heavier below.
  float amax = active ? 0.26f : 0.13f;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float d = RoundRectSdf(x + 0.5f, y + 0.5f, s, s + 1.5f, w - s, h - s + 1.5f, 8);
      if (d > 0) c.Blend(x, y, Hex(0x1C1C1C), amax * Smooth(d / s));
    }
  auto body = [&](float x, float y) { return RoundRectSdf(x, y, s, s, w - s, h - s, 7); };
  // Wipe the shadow where the window is, then paint the window.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (body(x + 0.5f, y + 0.5f) <= -0.5f) c.At(x, y) = Px{};
  Rgb edge = Hex(active ? 0xB4B4B4 : 0xD2D2D2);
  Rgb surface = Hex(active ? pal::White : 0xFAFAFA);
  c.FillSdf(body, edge);
  c.FillSdf([&](float x, float y) { return body(x, y) + 1; }, surface);
  // Hairline framing the client area.
  Rgb hair = Hex(active ? 0xE0E0E0 : 0xEAEAEA);
  int l = s + border - 1, t = s + title - 1, r = w - s - border, b = h - s - border;
  c.FillRect(l, t, r - l + 1, 1, hair);
  c.FillRect(l, b, r - l + 1, 1, hair);
  c.FillRect(l, t, 1, b - t + 1, hair);
  c.FillRect(r, t, 1, b - t + 1, hair);
  // The client area itself is covered by the form: leave it transparent.
  for (int y = t + 1; y < b; ++y)
    for (int x = l + 1; x < r; ++x) c.At(x, y) = Px{};
  return c;
}

Canvas HugeButtonFrame(int state) {
  const int n = 100;
  Canvas c(n, n);
  uint32_t top = state == 0 ? 0xFFFFFF : (state == 1 ? 0xF4F9FE : 0xE3EFFB);
  uint32_t mid = state == 0 ? 0xF5F5F5 : (state == 1 ? 0xE9F2FC : 0xD9E8F8);
  uint32_t bot = state == 0 ? 0xEDEDED : (state == 1 ? 0xE1EDFA : 0xD2E3F6);
  uint32_t line = state == 0 ? pal::Line : (state == 1 ? pal::AccentLine : 0x5E9CDD);
  auto shape = [&](float x, float y) { return RoundRectSdf(x, y, 0, 0, n, n, 12); };
  // Flat band in the middle rows so that tiling the sides shows no steps.
  for (int y = 0; y < n; ++y) {
    Rgb col = y < 44   ? Mix(Hex(top), Hex(mid), y / 44.0f)
              : y < 56 ? Hex(mid)
                       : Mix(Hex(mid), Hex(bot), (y - 56) / 43.0f);
    for (int x = 0; x < n; ++x) {
      float d = shape(x + 0.5f, y + 0.5f);
      float cov = std::clamp(0.5f - d, 0.0f, 1.0f);
      if (cov > 0) c.Blend(x, y, col, cov);
    }
  }
  c.FillSdf([&](float x, float y) {
    float d = shape(x, y);
    return std::max(d, -d - 1);  // one-pixel outline
  }, Hex(line));
  return c;
}

}  // namespace skinart
