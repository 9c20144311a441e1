#include "skin/core/skin_content.h"

#include "skin/core/load_budget.h"
#include "skin/core/options_reader.h"
#include "base/skin_error.h"
#include "skin/core/skin_images.h"

#include <algorithm>

namespace glyphora {

void TSkinContent::Clear() {
  std::filesystem::path path = std::move(SkinData.SkinPath);
  SkinData = TsSkinData();
  SkinData.SkinPath = std::move(path);
  gd.clear();
  ma.clear();
  pa.clear();
  MasterBitmap = TBitmap32();
  SkinIsPacked = false;
  pack_.Clear();
  pack_.ReleaseBuffers();
  spareMaster_ = TBitmap32();
  spareGd_ = std::vector<TsGeneralData>();
  ini_.Parse({});
  RebuildIndexes();
  InitConstantIndexes();
}

void TSkinContent::MoveFrom(TSkinContent& o) {
  SkinData = std::move(o.SkinData);
  spareGd_ = std::move(gd);
  gd = std::move(o.gd);
  ma = std::move(o.ma);
  pa = std::move(o.pa);
  spareMaster_ = std::move(MasterBitmap);  // its memory serves the next load
  MasterBitmap = std::move(o.MasterBitmap);
  ConstData = o.ConstData;
  SkinIsPacked = o.SkinIsPacked;
  sections_ = std::move(o.sections_);
  masks_ = std::move(o.masks_);
  textures_ = std::move(o.textures_);
  patterns_ = std::move(o.patterns_);
  for (TsMaskData& m : ma) m.Manager = this;
}

void TSkinContent::Load(const std::optional<std::string>& optionsText, TSkinSource& source,
                        const TSkinLoadOptions& options) {
  TImageDecoder* decoder = options.Decoder ? options.Decoder : DefaultImageDecoder();
  TSkinContent next;
  next.SkinData = SkinData;
  next.SkinData.SkinPath = options.SkinPath;
  next.SkinIsPacked = source.IsPacked();
  if (optionsText) {
    if (optionsText->size() > kMaxOptionsTextSize)
      throw ESkinError("The skin's options text is damaged: it is " + std::to_string(optionsText->size() >> 20) +
                       " MB long");
    TLoadBudget budget(optionsText->size(), options.ImageBytesLimit);
    TIniText& ini = ini_;
    ini.Parse(*optionsText, &budget);
    TSkinImages images;
    TSkinImageFiles files(source, decoder, budget);
    LoadSkinImages(ini, files, this, images, &spareMaster_);
    budget.Charge(images.ma.capacity() * sizeof(TsMaskData) + images.pa.capacity() * sizeof(TsPatternData));
    if (!options.CommonSections.empty() && !next.SkinData.SkinPath.empty()) {
      // The common text's own image files live in the skin folder (an
      // internal skin has none).
      TFolderSource folder(next.SkinData.SkinPath, options.FileNameToPath);
      TSkinImageFiles commonFiles(folder, decoder, budget);
      AppendCommonImages(TIniText(RemoveCommonSpaces(options.CommonSections)), commonFiles, this, images);
    }
    next.MasterBitmap = std::move(images.MasterBitmap);
    next.ma = std::move(images.ma);
    next.pa = std::move(images.pa);
    ReadSkinData(ini, next.SkinData);
    next.gd = std::move(spareGd_);  // the records of the load before last, memory and all
    if (options.CommonSections.empty()) {
      ReadGeneralData(ini, next.gd, &budget);
    } else {
      TIniText merged;
      merged.Parse(MergeCommonSections(ini, options.CommonSections), &budget);
      ReadGeneralData(merged, next.gd, &budget);
    }
  } else {
    // No options text: the images go, the section records stay.
    next.gd = gd;
  }
  next.RebuildIndexes();
  next.ResolveSectionImages();
  if (options.HueOffset != 0 || options.Saturation != 0) {
    if (!options.ColorOps) throw ESkinError("A hue or saturation change needs the colour routines");
    next.ApplyHueAndSaturation(options.HueOffset, options.Saturation, *options.ColorOps);
  }
  next.InitConstantIndexes();
  MoveFrom(next);
}

void TSkinContent::LoadFromConvertor(const TacSkinConvertor& pack, const TSkinLoadOptions& options) {
  TPackageSource source(pack);
  Load(pack.Options, source, options);
}

namespace {
// The members are dropped when the load ends, whatever happened.
struct TClearAtEnd {
  TacSkinConvertor& pack;
  ~TClearAtEnd() { pack.Clear(); }
};
}  // namespace

void TSkinContent::LoadFromPackage(std::span<const uint8_t> package, const TSkinLoadOptions& options) {
  TClearAtEnd clear{pack_};
  pack_.ReadPackage(package);
  LoadFromConvertor(pack_, options);
}

bool TSkinContent::LoadFromPackageFile(const std::filesystem::path& file, const TSkinLoadOptions& options) {
  TClearAtEnd clear{pack_};
  if (!pack_.LoadFromFile(file)) return false;
  LoadFromConvertor(pack_, options);
  return true;
}

void TSkinContent::LoadFromFolder(const std::filesystem::path& folder, const TSkinLoadOptions& options) {
  std::optional<std::string> text;
  if (auto bytes = ReadWholeFile(std::filesystem::path(folder) += "Options.dat"))
    text = std::string(bytes->begin(), bytes->end());
  TFolderSource source(folder, options.FileNameToPath);
  TSkinLoadOptions inFolder = options;
  inFolder.SkinPath = folder;
  Load(text, source, inFolder);
}

void TSkinContent::RebuildIndexes() {
  sections_.Clear();
  masks_.Clear();
  textures_.Clear();
  patterns_.Clear();
  sections_.Reserve(gd.size());
  masks_.Reserve(ma.size());
  for (int32_t i = 0; i < static_cast<int32_t>(gd.size()); ++i) sections_.Add(TNameIndex::HashOf(gd[i].ClassName), i);
  for (int32_t i = 0; i < static_cast<int32_t>(ma.size()); ++i) {
    const uint64_t h = TNameIndex::HashOf(ma[i].ClassName, ma[i].PropertyName);
    if (ma[i].ImgType == itisaTexture) textures_.Add(h, i);
    masks_.Add(h, i);
  }
  for (int32_t i = 0; i < static_cast<int32_t>(pa.size()); ++i)
    patterns_.Add(TNameIndex::HashOf(pa[i].ClassName, pa[i].PropertyName), i);
  sections_.Finish();
  masks_.Finish();
  textures_.Finish();
  patterns_.Finish();
}

void TSkinContent::ResolveSectionImages() {
  for (int32_t i = 0; i < static_cast<int32_t>(gd.size()); ++i) {
    TsGeneralData& g = gd[i];
    if (g.ClassName == "GLOBALINFO") continue;
    g.BorderIndex = GetMaskIndex(i, g.ClassName, "BORDERSMASK");
    g.ImgTL = GetMaskIndex(i, g.ClassName, "IMGTOPLEFT");
    g.ImgTR = GetMaskIndex(i, g.ClassName, "IMGTOPRIGHT");
    g.ImgBL = GetMaskIndex(i, g.ClassName, "IMGBTMLEFT");
    g.ImgBR = GetMaskIndex(i, g.ClassName, "IMGBTMRIGHT");
  }
}

int32_t TSkinContent::GetSkinIndex(std::string_view section) const {
  return sections_.Find(TNameIndex::HashOf(section), [&](int32_t i) { return gd[size_t(i)].ClassName == section; });
}

std::vector<std::string> TSkinContent::GetSkinSections() const {
  std::vector<std::string> out;
  out.reserve(gd.size());
  for (const TsGeneralData& g : gd) out.push_back(g.ClassName);
  return out;
}

int32_t TSkinContent::FirstImage(const TNameIndex& index, TImageList list, std::string_view section,
                                 std::string_view property) const {
  return index.Find(TNameIndex::HashOf(section, property), [&](int32_t i) {
    if (list == TImageList::Patterns) return pa[size_t(i)].ClassName == section && pa[size_t(i)].PropertyName == property;
    return ma[size_t(i)].ClassName == section && ma[size_t(i)].PropertyName == property;
  });
}

int32_t TSkinContent::InheritedLookup(const TNameIndex& index, TImageList list, int32_t skinIndex,
                                      std::string_view section, std::string_view property) const {
  if (skinIndex < 0 || section.empty()) return -1;
  // Each step moves to a parent section. A cycle of PARENTCLASS names, or a
  // chain longer than kMaxParentDepth, ends the search as "missing".
  const size_t maxSteps = std::min(gd.size(), kMaxParentDepth);
  for (size_t steps = 0; steps <= maxSteps; ++steps) {
    const int32_t found = FirstImage(index, list, section, property);
    if (found >= 0) return found;
    if (!IsValidSkinIndex(skinIndex)) return -1;
    const std::string& parent = gd[skinIndex].ParentClass;
    if (parent.empty() || parent == section) return -1;
    skinIndex = GetSkinIndex(parent);
    if (skinIndex < 0) return -1;
    section = gd[skinIndex].ClassName;
  }
  return -1;
}

int32_t TSkinContent::GetMaskIndex(int32_t skinIndex, std::string_view section, std::string_view property) const {
  return InheritedLookup(masks_, TImageList::Images, skinIndex, section, property);
}

int32_t TSkinContent::GetMaskIndex(std::string_view section, std::string_view property) const {
  return FirstImage(masks_, TImageList::Images, section, property);
}

int32_t TSkinContent::GetTextureIndex(int32_t skinIndex, std::string_view section,
                                      std::string_view property) const {
  return InheritedLookup(textures_, TImageList::Images, skinIndex, section, property);
}

int32_t TSkinContent::GetPatternIndex(int32_t skinIndex, std::string_view section,
                                      std::string_view property) const {
  return InheritedLookup(patterns_, TImageList::Patterns, skinIndex, section, property);
}

int32_t TSkinContent::MaskWidth(int32_t i, int16_t TsMaskData::*side, bool horizontal) {
  if (!IsValidImgIndex(i)) return 0;
  TsMaskData& m = ma[i];
  if (m.ImageCount == 0) m.ImageCount = 1;
  if (m.*side > 0) return m.*side;
  if (m.BorderWidth > 0) return m.BorderWidth;
  return horizontal ? FrameWidth(m) : FrameHeight(m);
}

int32_t TSkinContent::MaskWidthLeft(int32_t i) { return MaskWidth(i, &TsMaskData::WL, true); }
int32_t TSkinContent::MaskWidthRight(int32_t i) { return MaskWidth(i, &TsMaskData::WR, true); }
int32_t TSkinContent::MaskWidthTop(int32_t i) { return MaskWidth(i, &TsMaskData::WT, false); }
int32_t TSkinContent::MaskWidthBottom(int32_t i) { return MaskWidth(i, &TsMaskData::WB, false); }

int32_t FrameWidth(const TsMaskData& m) {
  if (m.ImageCount <= 0) return 0;
  return RectWidth(m.R, true) / m.ImageCount;
}

int32_t FrameHeight(const TsMaskData& m) {
  if (m.MaskType < 0) return 0;
  return RectHeight(m.R, true) / (m.MaskType + 1);
}

}  // namespace glyphora
