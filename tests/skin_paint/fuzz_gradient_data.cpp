// libFuzzer target: gradient text from a skin file is untrusted. Parsing must
// either succeed or raise EGradientError, and whatever parses must paint into
// small bitmaps (plain, textured, odd rectangles) without leaving them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/paint/gradient.h"

using namespace glyphora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  // The first bytes choose the rectangle and the offset; the rest is the text.
  const int32_t left = static_cast<int8_t>(data[0]), top = static_cast<int8_t>(data[1]);
  const int32_t right = left + data[2] % 40, bottom = top + data[3] % 40;
  const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);
  TsGradArray g;
  try {
    g = ParseGradientData(text);
  } catch (const EGradientError&) {
    return 0;
  }
  TBitmap32 bmp(17, 9), texture(5, 4);
  texture.Fill(0x80402010);
  PaintGradient(&bmp, TRect32{left, top, right, bottom}, g, static_cast<int8_t>(data[0] ^ data[1]));
  PaintGradientTextured(&bmp, TRect32{left, top, right, bottom}, g, data[2], TRect32{top % 3, left % 3, 4, 3}, &texture);
  return 0;
}
