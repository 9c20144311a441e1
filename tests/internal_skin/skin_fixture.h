// The packed internal skin, read once for all tests of this folder through the
// program's own package reader and skin loader.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/image_decoder.h"
#include "internal_skin/package_bytes.h"
#include "skin/core/skin_content.h"
#include "skin/core/skin_pack.h"

namespace skintest {

// Packed by the build from the skin's sources.
inline const char* kPackagePath = GLYPHORA_INTERNAL_SKIN_PACKAGE;

struct InternalSkin {
  std::vector<uint8_t> bytes;
  glyphora::TacSkinConvertor pack;
  size_t packageLength = 0;
  glyphora::TSkinContent content;

  static const InternalSkin& Get() {
    static const InternalSkin skin;
    return skin;
  }
  const glyphora::TsGeneralData& Section(const std::string& name) const {
    int32_t i = content.GetSkinIndex(name);
    if (!content.IsValidSkinIndex(i)) throw std::runtime_error("no section " + name);
    return content.gd[size_t(i)];
  }
  // Image of a section (without parents), or nullptr.
  const glyphora::TsMaskData* Image(const std::string& section, const std::string& key) const {
    int32_t i = content.GetMaskIndex(section, key);
    return content.IsValidImgIndex(i) ? &content.ma[size_t(i)] : nullptr;
  }

 private:
  InternalSkin() {
    bytes = ReadFileBytes(kPackagePath);
    packageLength = pack.ReadPackage(bytes);
    PngSizeDecoder decoder;
    glyphora::TSkinLoadOptions options;
    options.Decoder = &decoder;
    content.LoadFromPackage(bytes, options);
  }
};

}  // namespace skintest
