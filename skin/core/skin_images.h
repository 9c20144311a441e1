// Loading the pictures a skin's options text names: the master bitmap, the
// image entries of every section (masks) and the JPEG textures.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "imaging/image_decoder.h"
#include "skin/core/ini_text.h"
#include "skin/core/load_budget.h"
#include "skin/core/skin_source.h"
#include "skin/core/skin_types.h"

namespace glyphora {

// JPEGs of at least this many pixels are kept compressed as TsPatternData.
constexpr int64_t kLargeTexturePixels = 900000;

struct TSkinImages {
  TBitmap32 MasterBitmap;
  std::vector<TsMaskData> ma;
  std::vector<TsPatternData> pa;
};

// The picture files of one load. A file named by several keys is read and
// decoded once and its picture shared by all of them; each file's picture
// is counted once in the load's budget, before it is decoded where its
// size can be read from the file's header.
class TSkinImageFiles {
 public:
  TSkinImageFiles(TSkinSource& source, TImageDecoder* decoder, TLoadBudget& budget)
      : source_(source), decoder_(decoder), budget_(budget) {}
  // The picture of the file `name` finds (null when there is none, or it is
  // a PNG or JPEG and there is no decoder). Raises ESkinError for a damaged
  // file or one over the budget.
  TImageBitmap Picture(std::string_view name, TNameMatch match);
  // A JPEG texture, opaque: kept compressed (decoded on first use) from
  // kLargeTexturePixels on. width and height are the file's, 0 when missing.
  TImageBitmap JpegTexture(std::string_view name, int32_t& width, int32_t& height);
  TSkinSource& Source() { return source_; }
  TLoadBudget& Budget() { return budget_; }

 private:
  TSkinSource& source_;
  TImageDecoder* decoder_;
  TLoadBudget& budget_;
  std::map<std::pair<int, std::string>, TImageBitmap> pictures_;  // by how and under what name looked up
};

// Reads every image entry of ini, in section and key order, then the JPEG
// textures. Files that cannot be found (or PNG/JPEG files when there is no
// decoder) and images of width 0 add no entry; damaged files, bad numbers
// in fixed columns and pictures over the budget raise ESkinError.
// Rectangles in the master bitmap are clipped to it, so no entry reaches
// outside its bitmap. Every entry's Manager is set to owner.
// spareMaster, when given, lends its memory to the new master bitmap.
void LoadSkinImages(const TIniText& ini, TSkinImageFiles& files, const TSkinContent* owner, TSkinImages& out,
                    TBitmap32* spareMaster = nullptr);

// The images a CommonSections text adds to every skin: its older plain
// bitmap entries and its JPEG textures, read from the files' source (the
// skin folder). Entries without a bitmap of their own are not kept.
void AppendCommonImages(const TIniText& common, TSkinImageFiles& files, const TSkinContent* owner,
                        TSkinImages& out);

// The master bitmap named by "MASTERBITMAP" of "GLOBALINFO" (empty when
// missing), made 32-bit.
TBitmap32 LoadMasterBitmap(const TIniText& ini, TSkinSource& source, TBitmap32* spare = nullptr);

}  // namespace glyphora
