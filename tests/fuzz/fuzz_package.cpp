// Fuzzes the package reader and, when a package reads, the whole skin load
// from it (options text, master bitmap, image entries).
#include <cstddef>
#include <cstdint>

#include "skin/core/skin_content.h"
#include "base/skin_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace glyphora;
  TacSkinConvertor pack;
  try {
    size_t used = pack.ReadPackage({data, size});
    if (used > size) __builtin_trap();
    TSkinContent skin;
    skin.LoadFromConvertor(pack);
    for (int32_t i = 0; i < static_cast<int32_t>(skin.ma.size()); ++i) {
      skin.MaskWidthLeft(i);
      skin.MaskWidthBottom(i);
    }
  } catch (const ESkinError&) {
  }
  return 0;
}
