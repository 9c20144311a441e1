// Fuzzes the options text: grammar, section data with inheritance, image
// notation, CommonSections and the lookups, with a small master bitmap to cut
// images from.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/core/skin_content.h"
#include "base/skin_error.h"

namespace {

// A source holding one 24-bit 8 x 8 master bitmap under every name.
class MasterSource : public glyphora::TSkinSource {
 public:
  MasterSource() {
    const uint8_t header[54] = {'B', 'M', 54 + 192, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                8, 0, 0, 0, 8, 0, 0, 0, 1, 0, 24, 0};
    bytes_.assign(header, header + 54);
    for (int i = 0; i < 192; ++i) bytes_.push_back(static_cast<uint8_t>(i * 37));
  }
  std::optional<std::span<const uint8_t>> Find(std::string_view name, glyphora::TNameMatch) override {
    if (name.empty() || name[0] == 'X') return std::nullopt;
    return std::span<const uint8_t>(bytes_);
  }
  bool IsPacked() const override { return true; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace glyphora;
  // Up to the first zero byte: the options text; after it: a CommonSections text.
  std::string text(reinterpret_cast<const char*>(data), size);
  TSkinLoadOptions options;
  if (size_t zero = text.find('\0'); zero != std::string::npos) {
    options.CommonSections = text.substr(zero + 1);
    text.resize(zero);
  }
  MasterSource source;
  TSkinContent skin;
  try {
    skin.Load(text, source, options);
    for (const TsGeneralData& g : skin.gd) {
      int32_t i = skin.GetSkinIndex(g.ClassName);
      skin.GetMaskIndex(i, g.ClassName, "BORDERSMASK");
      skin.GetTextureIndex(i, g.ClassName, "PATTERN");
    }
    for (int32_t i = 0; i < static_cast<int32_t>(skin.ma.size()); ++i) {
      const TsMaskData& m = skin.ma[i];
      const TBitmap32& b = m.Bmp ? *m.Bmp : skin.MasterBitmap;
      // Every rectangle lies inside its bitmap (or is empty).
      if (RectWidth(m.R) > 0 && (m.R.Left < 0 || m.R.Top < 0 || m.R.Right > b.Width() || m.R.Bottom > b.Height()))
        __builtin_trap();
      skin.MaskWidthTop(i);
      skin.MaskWidthRight(i);
    }
  } catch (const ESkinError&) {
  }
  return 0;
}
