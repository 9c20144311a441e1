// Everything one loaded skin consists of: the whole-skin values, the section
// records, the skin images and large textures, the master bitmap and the
// cached indexes; with the entry points that load a skin from a package, a
// folder or an options text, and the lookups painting uses. The skin manager
// owns one of these and drives it; nothing here needs a window system.
//
// A load is all or nothing: it is built aside and replaces the current
// contents only when it succeeded; a failed load raises ESkinError (or
// EConvertError / EZDecompressionError) and leaves the previous skin intact.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/image_decoder.h"
#include "skin/core/ini_text.h"
#include "skin/core/load_budget.h"
#include "skin/core/name_index.h"
#include "skin/core/skin_pack.h"
#include "skin/core/skin_source.h"
#include "skin/core/skin_types.h"
#include "base/bitmap32.h"

namespace glyphora {

// The colour routines that a skin-wide hue or saturation change needs (the
// manager passes SkinColorOps(); tests may pass their own).
struct TSkinColorOps {
  TColor (*ShiftHueColor)(int32_t delta, TColor color) = nullptr;
  TColor (*AdjustSaturation)(int32_t amount, TColor color) = nullptr;
  void (*ShiftBitmapHue)(TBitmap32* bmp, int32_t delta) = nullptr;
  void (*AdjustBitmapSaturation)(TBitmap32* bmp, int32_t amount) = nullptr;
};

struct TSkinLoadOptions {
  int32_t HueOffset = 0;          // degrees
  int32_t Saturation = 0;         // -100..100 (taken mod 101)
  const TSkinColorOps* ColorOps = nullptr;  // required when HueOffset or Saturation is not 0
  TImageDecoder* Decoder = nullptr;          // PNG/JPEG; nullptr: DefaultImageDecoder()
  std::string CommonSections;     // INI text merged over every skin's sections
  // The folder the skin's own files lie in (ending in a separator; empty for
  // a skin held in memory). The common sections' image files are read from
  // it, and it becomes SkinData.SkinPath when the load succeeds.
  std::filesystem::path SkinPath;
  // How file names of the options text become paths; nullptr: FileNameAsPath.
  TFileNameToPath FileNameToPath = nullptr;
  // What the skin's decoded pictures may take together.
  uint64_t ImageBytesLimit = kMaxSkinImageBytes;
};

class TSkinContent {
 public:
  TSkinContent() = default;
  TSkinContent(const TSkinContent&) = delete;
  TSkinContent& operator=(const TSkinContent&) = delete;

  TsSkinData SkinData;
  std::vector<TsGeneralData> gd;
  std::vector<TsMaskData> ma;
  std::vector<TsPatternData> pa;
  TBitmap32 MasterBitmap;       // 32-bit; key colour 0xFF00FF marks holes
  TConstantSkinData ConstData;
  bool SkinIsPacked = false;

  // A package held in memory (an internal skin or a file's bytes).
  void LoadFromPackage(std::span<const uint8_t> package, const TSkinLoadOptions& options = {});
  // A package that has been read already.
  void LoadFromConvertor(const TacSkinConvertor& pack, const TSkinLoadOptions& options = {});
  // An .asz file; false (nothing changes) when it does not exist.
  bool LoadFromPackageFile(const std::filesystem::path& file, const TSkinLoadOptions& options = {});
  // A skin folder holding "Options.dat" and the image files; folder ends in a
  // separator and becomes SkinData.SkinPath (options.SkinPath is not used).
  // Without an options file the images are dropped and the section records
  // kept (as for any load without options).
  void LoadFromFolder(const std::filesystem::path& folder, const TSkinLoadOptions& options = {});
  // The general case: an options text (or none) and where its files come
  // from; SkinData.SkinPath becomes options.SkinPath.
  void Load(const std::optional<std::string>& optionsText, TSkinSource& source,
            const TSkinLoadOptions& options = {});

  // Empties everything (skin removed) and frees the memory kept for reloads.
  void Clear();

  // Lookups. All names are compared exactly, case-sensitively.
  int32_t GetSkinIndex(std::string_view section) const;
  bool IsValidSkinIndex(int32_t i) const { return i >= 0 && i < static_cast<int32_t>(gd.size()); }
  bool IsValidImgIndex(int32_t i) const { return i >= 0 && i < static_cast<int32_t>(ma.size()); }
  // First image of the section (then of its parents, following PARENTCLASS
  // with each parent's skin index); -1 when skinIndex < 0 or section is empty.
  int32_t GetMaskIndex(int32_t skinIndex, std::string_view section, std::string_view property) const;
  // First image of exactly that section, without parents.
  int32_t GetMaskIndex(std::string_view section, std::string_view property) const;
  int32_t GetTextureIndex(int32_t skinIndex, std::string_view section, std::string_view property) const;
  int32_t GetPatternIndex(int32_t skinIndex, std::string_view section, std::string_view property) const;
  std::vector<std::string> GetSkinSections() const;

  // Border widths of image i: its own width, else BorderWidth, else the frame
  // size. An ImageCount of 0 is first set to 1. 0 for an invalid index.
  int32_t MaskWidthLeft(int32_t i);
  int32_t MaskWidthTop(int32_t i);
  int32_t MaskWidthRight(int32_t i);
  int32_t MaskWidthBottom(int32_t i);

  // Recomputes ConstData from the loaded sections and images.
  void InitConstantIndexes();

  // The skin-wide hue rotation and saturation change of images and colours,
  // as a load applies them (hue first). Exposed for the manager and tests.
  void ApplyHueAndSaturation(int32_t hueOffset, int32_t saturation, const TSkinColorOps& ops);

 private:
  // Own width of a side, else BorderWidth, else the frame size.
  int32_t MaskWidth(int32_t i, int16_t TsMaskData::*side, bool horizontal);
  void RebuildIndexes();
  void ResolveSectionImages();
  // Which list an image index searches: the skin images or the large textures.
  enum class TImageList { Images, Patterns };
  int32_t FirstImage(const TNameIndex& index, TImageList list, std::string_view section,
                     std::string_view property) const;
  int32_t InheritedLookup(const TNameIndex& index, TImageList list, int32_t skinIndex, std::string_view section,
                          std::string_view property) const;
  void MoveFrom(TSkinContent& other);

  TNameIndex sections_;  // section records by name
  TNameIndex masks_;     // images by section + key
  TNameIndex textures_;  // texture images by section + key
  TNameIndex patterns_;  // large textures by section + key

  // Memory kept from the previous load for the next one: reloading a skin
  // (hue, saturation or skin changes) then reuses it instead of asking the
  // system for fresh pages, which is slow under Wine. Freed by Clear.
  TacSkinConvertor pack_;
  TBitmap32 spareMaster_;
  TIniText ini_;  // the options text being loaded
  std::vector<TsGeneralData> spareGd_;
};

}  // namespace glyphora
