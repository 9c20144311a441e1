#include "raster.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace skinart {

Rgb Mix(Rgb a, Rgb b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void Canvas::Blend(int x, int y, Rgb c, float a) {
  if (!Inside(x, y) || a <= 0) return;
  a = std::min(a, 1.0f);
  Px& d = At(x, y);
  float outA = a + d.a * (1 - a);
  if (outA <= 0) return;
  d.r = (c.r * a + d.r * d.a * (1 - a)) / outA;
  d.g = (c.g * a + d.g * d.a * (1 - a)) / outA;
  d.b = (c.b * a + d.b * d.a * (1 - a)) / outA;
  d.a = outA;
}

void Canvas::Fill(Rgb c, float a) { FillRect(0, 0, w_, h_, c, a); }

void Canvas::FillRect(int x, int y, int w, int h, Rgb c, float a) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Blend(i, j, c, a);
}

void Canvas::FillShape(const std::function<bool(float, float)>& inside, Rgb c, float a) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      int n = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
          if (inside(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4)) ++n;
      if (n) Blend(x, y, c, a * n / 16.0f);
    }
}

void Canvas::FillSdf(const std::function<float(float, float)>& sdf, Rgb c, float a) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      float d = sdf(x + 0.5f, y + 0.5f);
      float cov = std::clamp(0.5f - d, 0.0f, 1.0f);
      if (cov > 0) Blend(x, y, c, a * cov);
    }
}

void Canvas::Draw(const Canvas& src, int dx, int dy) {
  for (int y = 0; y < src.H(); ++y)
    for (int x = 0; x < src.W(); ++x) {
      const Px& s = src.At(x, y);
      if (s.a > 0) Blend(x + dx, y + dy, {s.r, s.g, s.b}, s.a);
    }
}

Canvas Canvas::Crop(int x, int y, int w, int h) const {
  Canvas out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (Inside(x + i, y + j)) out.At(i, j) = At(x + i, y + j);
  return out;
}

Canvas Canvas::RotatedCW() const {
  Canvas out(h_, w_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) out.At(h_ - 1 - y, x) = At(x, y);
  return out;
}

Canvas Canvas::FlippedV() const {
  Canvas out(w_, h_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) out.At(x, h_ - 1 - y) = At(x, y);
  return out;
}

Canvas Canvas::FlippedH() const {
  Canvas out(w_, h_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) out.At(w_ - 1 - x, y) = At(x, y);
  return out;
}

float RoundRectSdf(float px, float py, float x0, float y0, float x1, float y1, float r) {
  float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  float hx = (x1 - x0) / 2 - r, hy = (y1 - y0) / 2 - r;
  float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
  float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

float CapsuleSdf(float px, float py, float ax, float ay, float bx, float by, float hw) {
  float pax = px - ax, pay = py - ay, bax = bx - ax, bay = by - ay;
  float len2 = bax * bax + bay * bay;
  float t = len2 > 0 ? std::clamp((pax * bax + pay * bay) / len2, 0.0f, 1.0f) : 0;
  float dx = pax - bax * t, dy = pay - bay * t;
  return std::sqrt(dx * dx + dy * dy) - hw;
}

float TriangleSdf(float px, float py, float ax, float ay, float bx, float by, float cx,
                  float cy) {
  auto edge = [&](float x0, float y0, float x1, float y1) {
    return CapsuleSdf(px, py, x0, y0, x1, y1, 0);
  };
  float d = std::min({edge(ax, ay, bx, by), edge(bx, by, cx, cy), edge(cx, cy, ax, ay)});
  auto side = [&](float x0, float y0, float x1, float y1) {
    return (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0);
  };
  float s1 = side(ax, ay, bx, by), s2 = side(bx, by, cx, cy), s3 = side(cx, cy, ax, ay);
  bool in = (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
  return in ? -d : d;
}

static uint8_t B8(float v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

static uint32_t Pack(float r, float g, float b, uint8_t a) {
  return (uint32_t(a) << 24) | (uint32_t(B8(r)) << 16) | (uint32_t(B8(g)) << 8) | B8(b);
}

void PutKeyed(Image32& dst, int x, int y, const Canvas& c, Rgb bg, float minAlpha) {
  for (int j = 0; j < c.H(); ++j)
    for (int i = 0; i < c.W(); ++i) {
      const Px& p = c.At(i, j);
      uint32_t v = kKey;
      if (p.a >= minAlpha) {
        Rgb m = Mix(bg, {p.r, p.g, p.b}, p.a);
        v = Pack(m.r, m.g, m.b, 255);
        if ((v & 0xFFFFFF) == 0xFF00FF) v ^= 0x000100;  // never the key by accident
      }
      dst.At(x + i, y + j) = v;
    }
}

void PutMasked(Image32& dst, int x, int y, const Canvas& c) {
  for (int j = 0; j < c.H(); ++j)
    for (int i = 0; i < c.W(); ++i) {
      const Px& p = c.At(i, j);
      uint8_t a = B8(p.a * 255);
      uint32_t img = a == 0 ? kKey : Pack(p.r, p.g, p.b, 255);
      if (a != 0 && (img & 0xFFFFFF) == 0xFF00FF) img ^= 0x000100;
      uint8_t m = uint8_t(255 - a);
      dst.At(x + i, y + j) = img;
      dst.At(x + i, y + c.H() + j) = 0xFF000000u | (uint32_t(m) << 16) | (uint32_t(m) << 8) | m;
    }
}

void PutAlpha(Image32& dst, int x, int y, const Canvas& c) {
  for (int j = 0; j < c.H(); ++j)
    for (int i = 0; i < c.W(); ++i) {
      const Px& p = c.At(i, j);
      uint8_t a = B8(p.a * 255);
      dst.At(x + i, y + j) = a == 0 ? 0u : Pack(p.r, p.g, p.b, a);
    }
}

// ---- writers ----

static void Be32(std::vector<uint8_t>& v, uint32_t x) {
  for (int s = 24; s >= 0; s -= 8) v.push_back(uint8_t(x >> s));
}
static void Le32(std::vector<uint8_t>& v, uint32_t x) {
  for (int s = 0; s < 32; s += 8) v.push_back(uint8_t(x >> s));
}
static void Le16(std::vector<uint8_t>& v, uint16_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}

static void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Be32(out, uint32_t(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0, out.data() + start, uInt(out.size() - start));
  Be32(out, uint32_t(crc));
}

static bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool WritePng(const std::string& path, const Image32& img) {
  std::vector<uint8_t> raw;
  raw.reserve(size_t(img.h) * (img.w * 4 + 1));
  for (int y = 0; y < img.h; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < img.w; ++x) {
      uint32_t p = img.At(x, y);
      raw.push_back(uint8_t(p >> 16));
      raw.push_back(uint8_t(p >> 8));
      raw.push_back(uint8_t(p));
      raw.push_back(uint8_t(p >> 24));
    }
  }
  uLongf zlen = compressBound(uLong(raw.size()));
  std::vector<uint8_t> z(zlen);
  if (compress2(z.data(), &zlen, raw.data(), uLong(raw.size()), 9) != Z_OK) return false;
  z.resize(zlen);

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<uint8_t> ihdr;
  Be32(ihdr, uint32_t(img.w));
  Be32(ihdr, uint32_t(img.h));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
  Chunk(out, "IHDR", ihdr);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", {});
  return Save(path, out);
}

bool WriteBmp32(const std::string& path, const Image32& img) {
  uint32_t imageSize = uint32_t(img.w) * img.h * 4;
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Le32(out, 14 + 40 + imageSize);
  Le32(out, 0);
  Le32(out, 14 + 40);
  Le32(out, 40);  // BITMAPINFOHEADER
  Le32(out, uint32_t(img.w));
  Le32(out, uint32_t(img.h));  // positive: bottom-up rows
  Le16(out, 1);
  Le16(out, 32);
  Le32(out, 0);  // BI_RGB
  Le32(out, imageSize);
  Le32(out, 2835);
  Le32(out, 2835);
  Le32(out, 0);
  Le32(out, 0);
  for (int y = img.h - 1; y >= 0; --y)
    for (int x = 0; x < img.w; ++x) Le32(out, img.At(x, y));
  return Save(path, out);
}

}  // namespace skinart
