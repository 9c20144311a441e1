// The packed internal skin, loaded once per test program with its PNG images
// decoded to their sizes only: enough for section data and geometry.
#pragma once
#include "internal_skin/package_bytes.h"
#include "skin/core/skin_content.h"

namespace skintest {

inline const glyphora::TSkinContent& SizesOnlyInternalSkin() {
  static glyphora::TSkinContent* skin = [] {
    auto* s = new glyphora::TSkinContent;
    PngSizeDecoder decoder;
    glyphora::TSkinLoadOptions options;
    options.Decoder = &decoder;
    s->LoadFromPackage(ReadFileBytes(GLYPHORA_INTERNAL_SKIN_PACKAGE), options);
    return s;
  }();
  return *skin;
}

}  // namespace skintest
