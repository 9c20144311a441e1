// Fuzzes the BMP loader.
#include <cstddef>
#include <cstdint>

#include "imaging/bmp_loader.h"
#include "skin/core/skin_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace glyphora;
  try {
    TBitmap32 b = LoadBmp({data, size});
    if (!b.Empty() && (b.ScanLine(b.Height() - 1) == nullptr)) __builtin_trap();
  } catch (const ESkinError&) {
  }
  return 0;
}
