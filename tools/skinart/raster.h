// Tiny raster toolkit for the skin artwork generator: a straight-alpha RGBA
// float canvas, anti-aliased shapes by supersampling or distance fields, and
// minimal PNG (RGBA, zlib) and 32-bit BMP writers. Host-only, standard library
// and zlib.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace skinart {

struct Rgb {
  float r = 0, g = 0, b = 0;
};
// 0xRRGGBB as written in art code (not the skin's BGR colour values).
inline Rgb Hex(uint32_t v) {
  return {float((v >> 16) & 255), float((v >> 8) & 255), float(v & 255)};
}
Rgb Mix(Rgb a, Rgb b, float t);  // a at t = 0, b at t = 1

struct Px {
  float r = 0, g = 0, b = 0, a = 0;  // colour 0..255, alpha 0..1
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int w, int h) : w_(w), h_(h), px_(size_t(w) * h) {}
  int W() const { return w_; }
  int H() const { return h_; }
  Px& At(int x, int y) { return px_[size_t(y) * w_ + x]; }
  const Px& At(int x, int y) const { return px_[size_t(y) * w_ + x]; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

  // Source-over of a colour with the given opacity (0..1) at one pixel.
  void Blend(int x, int y, Rgb c, float a);
  void Fill(Rgb c, float a = 1);
  void FillRect(int x, int y, int w, int h, Rgb c, float a = 1);
  // Coverage of a shape given by an inside test on sub-pixel centres (4x4).
  void FillShape(const std::function<bool(float, float)>& inside, Rgb c, float a = 1);
  // Opacity from a signed-distance function (negative inside): smooth edge.
  void FillSdf(const std::function<float(float, float)>& sdf, Rgb c, float a = 1);
  // Composites another canvas at (dx, dy).
  void Draw(const Canvas& src, int dx, int dy);
  Canvas Crop(int x, int y, int w, int h) const;
  Canvas RotatedCW() const;       // 90 degrees clockwise
  Canvas FlippedV() const;        // top to bottom
  Canvas FlippedH() const;        // left to right

 private:
  int w_ = 0, h_ = 0;
  std::vector<Px> px_;
};

// Signed distance to a rounded rectangle [x0,x1]x[y0,y1] with radius r.
float RoundRectSdf(float px, float py, float x0, float y0, float x1, float y1, float r);
// Signed distance to a capsule (thick line) from a to b with half-width hw.
float CapsuleSdf(float px, float py, float ax, float ay, float bx, float by, float hw);
// Signed distance to a triangle.
float TriangleSdf(float px, float py, float ax, float ay, float bx, float by, float cx, float cy);

// Final 8-bit BGRA image as the skin files store it.
struct Image32 {
  int w = 0, h = 0;
  std::vector<uint32_t> px;  // 0xAARRGGBB
  Image32() = default;
  Image32(int w_, int h_, uint32_t fill) : w(w_), h(h_), px(size_t(w_) * h_, fill) {}
  uint32_t& At(int x, int y) { return px[size_t(y) * w + x]; }
  uint32_t At(int x, int y) const { return px[size_t(y) * w + x]; }
};

constexpr uint32_t kKey = 0x00FF00FF;  // transparent pixel of skin bitmaps

// Opaque pixels composited over a background colour; fully transparent ones
// become the key colour. minAlpha decides what counts as transparent.
void PutKeyed(Image32& dst, int x, int y, const Canvas& c, Rgb bg, float minAlpha = 0.02f);
// Image in the upper band and its mask (255 - alpha, grey) in the band below,
// as masked skin images are laid out. Transparent pixels of the image are key.
void PutMasked(Image32& dst, int x, int y, const Canvas& c);
// Straight-alpha copy, for PNG files.
void PutAlpha(Image32& dst, int x, int y, const Canvas& c);

bool WritePng(const std::string& path, const Image32& img);
bool WriteBmp32(const std::string& path, const Image32& img);

}  // namespace skinart
