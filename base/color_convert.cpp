#include "base/color_convert.h"

namespace glyphora {
namespace {

// Default system colours of a classic Windows desktop, for builds without a
// window system (host tests). Unknown indexes give black.
TColor BuiltInSystemColor(int index) {
  switch (index) {
    case 4: case 5: case 14: case 20: return 0xFFFFFF;  // menu, window, highlight text, 3D highlight
    case 13: return 0xFF9933;                            // highlight
    case 15: case 22: return 0xF0F0F0;                   // button face, 3D light
    case 16: return 0xA0A0A0;                            // button shadow
    case 17: return 0x6D6D6D;                            // grey text
    case 21: return 0x696969;                            // 3D dark shadow
    default: return 0;
  }
}

TSystemColorSource g_source = nullptr;

}  // namespace

void SetSystemColorSource(TSystemColorSource source) { g_source = source; }

TColor ColorToRGB(TColor color) {
  if ((color >> 24) == 0xFF) {
    const int index = static_cast<int>(color & 0xFF);
    return (g_source ? g_source(index) : BuiltInSystemColor(index)) & 0x00FFFFFFu;
  }
  return color & 0x00FFFFFFu;
}

}  // namespace glyphora
