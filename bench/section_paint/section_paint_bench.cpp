// Section painting figures: the FORM section of the internal skin over a
// 1920 x 1080 bitmap, and a 50 x 22 SPEEDBUTTON in each state over a ready
// parent image. Medians of repeated runs, one figure a line.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <span>
#include <vector>

#include "bench/timing.h"
#include "internal_skin/package_bytes.h"
#include "skin/core/skin_content.h"
#include "skin/paint/section_paint.h"
#ifdef _WIN32
#include <windows.h>
#endif

using namespace glyphora;

using bench::MedianMicros;

int main() {
  TSkinContent skin;
  skintest::PngSizeDecoder decoder;
  TSkinLoadOptions options;
  options.Decoder = &decoder;
  try {
    skin.LoadFromPackage(skintest::InternalSkinPackage(GLYPHORA_BENCH_PACKAGE), options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cannot load the internal skin: %s\n", e.what());
    return 1;
  }
  const int32_t form = skin.GetSkinIndex("FORM"), button = skin.GetSkinIndex("SPEEDBUTTON");
  if (!skin.IsValidSkinIndex(form) || !skin.IsValidSkinIndex(button)) {
    std::fprintf(stderr, "sections missing\n");
    return 1;
  }
  TBitmap32 screen(1920, 1080);
  const double formUs = MedianMicros(41, [&] {
    PaintSection(&skin, form, "FORM", TCacheInfo{}, -1, -1, &screen, {0, 0}, {0, 0, 1920, 1080}, 0);
  });
  // The figure means nothing unless the form was painted.
  const TColor c = skin.gd[size_t(form)].Color;
  const uint32_t expect = 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
  if (screen.Pixel(960, 540) != expect) {
    std::fprintf(stderr, "the form was not painted\n");
    return 1;
  }
  std::printf("form_paint_1080p_ms: %.3f\n", formUs / 1000.0);

  TBitmap32 parent(400, 300);
  PaintSection(&skin, skin.GetSkinIndex("PANEL"), "PANEL", TCacheInfo{}, -1, -1, &parent, {0, 0}, {0, 0, 400, 300}, 0);
  TBitmap32 cache(50, 22);
  for (int state = 0; state < 3; ++state) {
    const double us = MedianMicros(2001, [&] {
      PaintSection(&skin, button, "SPEEDBUTTON", CacheInfoOf(&parent, 0, 0), -1, -1, &cache, {120, 80},
                   {0, 0, 50, 22}, state);
    });
    std::printf("speedbutton_paint_us_state%d: %.3f\n", state, us);
  }
  return 0;
}
