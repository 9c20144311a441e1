// Pixel layer speed on a 1920 x 1080 destination. Prints "name: value":
// ratios to a plain memcpy of the destination's bytes (and, on the host, to
// pixman's OVER composite) measured in the same run, and Mpixel/s.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "skin/paint/blend.h"
#include "skin/paint/channel_copy.h"
#include "base/color_ops.h"
#include "skin/paint/gradient.h"
#include "skin/paint/keyed_copy.h"
#include "skin/paint/masked_copy.h"
#include "base/pixel_kernels.h"
#include "skin/paint/pixel_fill.h"
#include "skin/paint/resample.h"
#include "skin/paint/tint.h"

#ifdef GLYPHORA_HAVE_PIXMAN
#include <pixman.h>
#endif

using namespace glyphora;

namespace {

constexpr int32_t W = 1920, H = 1080;

// Median of several timed runs, in milliseconds (the machine is shared).
double TimeMs(const std::function<void()>& f, int runs = 15) {
  f();  // warm up
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    const auto a = std::chrono::steady_clock::now();
    f();
    const auto b = std::chrono::steady_clock::now();
    t.push_back(std::chrono::duration<double, std::milli>(b - a).count());
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

TBitmap32 Random(int32_t w, int32_t h, std::mt19937& rng, int keyPercent) {
  TBitmap32 b(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      b.ScanLine(y)[x] = (static_cast<int>(rng() % 100) < keyPercent) ? KeyColor32 : static_cast<uint32_t>(rng());
  return b;
}

void Print(const char* name, double v) { std::printf("%s: %.3f\n", name, v); }

}  // namespace

int main() {
  std::mt19937 rng(1);
  TBitmap32 dst = Random(W, H, rng, 0), src = Random(W, H, rng, 10), other = Random(W, H, rng, 0);
  TBitmap32 mask = Random(W, H, rng, 0), masked = Random(W, 2 * H, rng, 10);
  const TRect32 all{0, 0, W, H};
  const double mpix = static_cast<double>(W) * H / 1e6;

  std::vector<uint32_t> a(static_cast<size_t>(W) * H), b(a.size());
  const double memcpyMs = TimeMs([&] { std::memcpy(b.data(), a.data(), a.size() * 4); });
  Print("memcpy_8mb_ms", memcpyMs);
  Print("kernels_avx2", PixelLevel() == TPixelLevel::Avx2 ? 1 : 0);  // which row kernels ran

  struct TCase {
    const char* name;
    std::function<void()> run;
  };
  const TsGradArray vertical = ParseGradientData("16777215;15132390;50;0;0;15132390;13684944;1;0;0;13684944;15329769;46;0;0;15329769;15329769;0;0;0");
  const TsGradArray horizontal = ParseGradientData("16777215;15856113;97;1;0;15856113;15856113;0;1;0");
  const TsGradArray triangles = ParseGradientData("16777215;16777215;24;2;0;16777215;16777215;24;2;0;16777215;15724525;24;2;0;15724525;16777215;24;2;0;16777215;16777215;0;2;0");
  TBitmap32 texture = Random(64, 64, rng, 0);
  TBitmap8 plane(W, H);
  TBitmap32 small = Random(W / 2, H / 2, rng, 0), resampled;
  const TCase cases[] = {
      {"FillPixels32", [&] { FillPixels32(&dst, all, 0x00336699); }},
      {"SetAlphaInRect", [&] { SetAlphaInRect(&dst, all, 200, true); }},
      {"BlendOverRect", [&] { BlendOverRect(&dst, &src, 100, all, 0, 0); }},
      {"MixBitmaps", [&] { MixBitmaps(&dst, &src, &other, 100); }},
      {"MixBitmaps_inplace", [&] { MixBitmaps(&other, &other, &src, 100); }},
      {"MixBitmaps_masked", [&] { MixBitmaps(&dst, &src, &other, 0, &mask); }},
      {"CopyKeyed", [&] { CopyKeyed(&dst, &src, 0, 0xFF00FF, 0); }},
      {"CopyKeyedRect", [&] { CopyKeyedRect(&dst, &src, 0, 0xFF00FF, TRect32{0, 0, W - 1, H - 1}, 0); }},
      {"CopyKeyedOverBackground", [&] { CopyKeyedOverBackground(&dst, &src, 0, true, CacheInfoOf(&other, 0, 0), 0xFF00FF, TRect32{0, 0, W - 1, H - 1}, 0); }},
      {"CopyWithAlpha", [&] { CopyWithAlpha(all, all, &dst, true, CacheInfoOf(&other, 0, 0), &src); }},
      {"CopyMasked", [&] { CopyMasked(all, all, &dst, H, true, CacheInfoOf(&other, 0, 0), &masked); }},
      {"BlendKeyedRect", [&] { BlendKeyedRect(&dst, 0, 0, KeyColor32, 0.4, TRect32{0, 0, W - 1, H - 1}, &src); }},
      {"TintRect", [&] { TintRect(&dst, all, 50, 0x00808080); }},
      {"FadeBitmapToColor", [&] { FadeBitmapToColor(&dst, 0x00808080, 0.4); }},
      {"MaskFadeToColor", [&] { MaskFadeToColor(&dst, &mask, 0x00808080); }},
      {"FadeRectToColor", [&] { FadeRectToColor(&dst, TRect32{0, 0, W + 1, H + 1}, 60, 0, 0, 0x00808080); }},
      {"GrayBitmap", [&] { GrayBitmap(&dst); }},
      {"CopyChannel", [&] { CopyChannel(&dst, &plane, 3, true); }},
      {"PaintGradient_vertical", [&] { PaintGradient(&dst, all, vertical); }},
      {"PaintGradient_horizontal", [&] { PaintGradient(&dst, all, horizontal); }},
      {"PaintGradient_triangles", [&] { PaintGradient(&dst, all, triangles); }},
      {"PaintGradientTextured_vertical", [&] { PaintGradientTextured(&dst, all, vertical, 25, TRect32{0, 0, 40, 40}, &texture); }},
      {"PaintGradientTextured_horizontal", [&] { PaintGradientTextured(&dst, all, horizontal, 25, TRect32{0, 0, 40, 40}, &texture); }},
      {"ShiftBitmapHue", [&] { ShiftBitmapHue(&dst, 30); }},
      {"AdjustBitmapSaturation", [&] { AdjustBitmapSaturation(&dst, 20); }},
      {"ResampleBitmap_upscale", [&] { ResampleBitmap(small, resampled, W, 6, H); }},
  };
  for (const TCase& c : cases) {
    // Hue and saturation work on a fresh random picture each time.
    const bool colourful = std::strncmp(c.name, "Shift", 5) == 0 || std::strncmp(c.name, "Adjust", 6) == 0;
    const double ms = TimeMs(c.run, colourful ? 3 : 15);
    char name[96];
    std::snprintf(name, sizeof name, "%s_mpix_per_s", c.name);
    Print(name, mpix / (ms / 1000.0));
    std::snprintf(name, sizeof name, "%s_vs_memcpy", c.name);
    Print(name, ms / memcpyMs);
    if (std::strcmp(c.name, "BlendOverRect") == 0) Print("blend_vs_memcpy", ms / memcpyMs);
    if (std::strcmp(c.name, "MixBitmaps") == 0) Print("mix_vs_memcpy", ms / memcpyMs);
#ifdef GLYPHORA_HAVE_PIXMAN
    static double pixmanMs = 0;
    if (pixmanMs == 0) {
      pixman_image_t* ps = pixman_image_create_bits(PIXMAN_a8r8g8b8, W, H, src.ScanLine(0), W * 4);
      pixman_image_t* pd = pixman_image_create_bits(PIXMAN_a8r8g8b8, W, H, other.ScanLine(0), W * 4);
      pixmanMs = TimeMs([&] { pixman_image_composite32(PIXMAN_OP_OVER, ps, nullptr, pd, 0, 0, 0, 0, 0, 0, W, H); });
      pixman_image_unref(ps);
      pixman_image_unref(pd);
      Print("pixman_over_ms", pixmanMs);
    }
    if (std::strcmp(c.name, "BlendOverRect") == 0) Print("blend_vs_pixman", ms / pixmanMs);
    if (std::strcmp(c.name, "MixBitmaps") == 0) Print("mix_vs_pixman", ms / pixmanMs);
#endif
  }
  return 0;
}
