// Fuzzes the readers of image files: the BMP loader, and the PNG and JPEG
// header checks that decide sizes before any decoding.
#include <cstddef>
#include <cstdint>

#include "imaging/bmp_loader.h"
#include "imaging/image_decoder.h"
#include "base/skin_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace glyphora;
  try {
    TBitmap32 b = LoadBmp({data, size});
    if (!b.Empty() && (b.ScanLine(b.Height() - 1) == nullptr)) __builtin_trap();
  } catch (const ESkinError&) {
  }
  int32_t w = 0, h = 0;
  if (PngDimensions({data, size}, w, h) && (w <= 0 || h <= 0)) __builtin_trap();
  (void)JpegDimensions({data, size}, w, h);
  return 0;
}
