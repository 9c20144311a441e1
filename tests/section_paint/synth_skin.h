// A small hand-made skin for the section painting tests: a master bitmap
// whose every pixel names its own position, plus images and sections added
// by the tests.
#pragma once
#include <cstdint>

#include "skin/core/skin_content.h"
#include "base/bitmap32.h"

namespace sectiontest {

using namespace glyphora;

// Each byte (d * w + s * (255 - w) + 127) >> 8: the reference blend the
// expected pixels are worked out with.
inline uint32_t BlendBytes(uint32_t d, uint32_t s, int w) {
  uint32_t out = 0;
  for (int c = 0; c < 4; ++c) {
    const uint32_t db = (d >> (8 * c)) & 255, sb = (s >> (8 * c)) & 255;
    out |= ((db * w + sb * (255 - w) + 127) >> 8) << (8 * c);
  }
  return out;
}

// Opaque pixel that encodes (x, y) of the master bitmap.
inline uint32_t MasterPixel(int32_t x, int32_t y) { return 0xFF000000u | (uint32_t(x) << 12) | uint32_t(y); }

struct SynthSkin {
  TSkinContent skin;
  SynthSkin() {
    skin.MasterBitmap = TBitmap32(200, 120);
    for (int32_t y = 0; y < 120; ++y)
      for (int32_t x = 0; x < 200; ++x) skin.MasterBitmap.SetPixel(x, y, MasterPixel(x, y));
  }
  int32_t AddImage(TRect32 r, int16_t count, int16_t mask, int16_t mode, int16_t w = 0, int16_t t = 0,
                   int16_t rr = 0, int16_t b = 0) {
    TsMaskData m;
    m.R = r;
    m.ImageCount = count;
    m.MaskType = mask;
    m.DrawMode = mode;
    m.Manager = &skin;
    m.WL = w; m.WT = t; m.WR = rr; m.WB = b;
    skin.ma.push_back(m);
    return int32_t(skin.ma.size()) - 1;
  }
  int32_t AddSection(const TsGeneralData& g) {
    skin.gd.push_back(g);
    return int32_t(skin.gd.size()) - 1;
  }
  // A plain opaque section of one colour and n states.
  static TsGeneralData Plain(TColor color, int states = 1) {
    TsGeneralData g;
    g.States = states;
    g.Color = g.HotColor = color;
    return g;
  }
  uint32_t M(int32_t x, int32_t y) const { return skin.MasterBitmap.Pixel(x, y); }
};

inline uint32_t Px(TColor c) { return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

}  // namespace sectiontest
