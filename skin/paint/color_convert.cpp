#include "skin/paint/color_convert.h"

namespace glyphora {

namespace {

// The platform's default system colours, for the host build.
TColor DefaultSystemColor(int index) {
  static constexpr TColor kDefaults[31] = {
      0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
      0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
      0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
      0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xD77800, 0xF0F0F0};
  return index >= 0 && index < 31 ? kDefaults[index] : 0;
}

TSystemColorSource g_source = DefaultSystemColor;

}  // namespace

void SetSystemColorSource(TSystemColorSource source) { g_source = source ? source : DefaultSystemColor; }

TColor ColorToRGB(TColor color) {
  if ((color >> 24) == 0xFF) return g_source(static_cast<int>(color & 0xFF)) & 0x00FFFFFFu;
  return color & 0x00FFFFFFu;
}

}  // namespace glyphora
