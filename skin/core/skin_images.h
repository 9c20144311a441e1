// Loading the pictures a skin's options text names: the master bitmap, the
// image entries of every section (masks) and the JPEG textures.
#pragma once
#include <vector>

#include "imaging/image_decoder.h"
#include "skin/core/ini_text.h"
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

// Reads every image entry of ini, in section and key order, then the JPEG
// textures. Files that cannot be found (or PNG/JPEG files when there is no
// decoder) and images of width 0 add no entry; damaged files and bad numbers
// in fixed columns raise ESkinError. Rectangles in the master bitmap are
// clipped to it, so no entry reaches outside its bitmap. Every entry's
// Manager is set to owner.
// spareMaster, when given, lends its memory to the new master bitmap.
void LoadSkinImages(const TIniText& ini, TSkinSource& source, TImageDecoder* decoder,
                    const TSkinContent* owner, TSkinImages& out, TBitmap32* spareMaster = nullptr);

// The images a CommonSections text adds to every skin: its older plain
// bitmap entries and its JPEG textures, read from source (the skin folder).
// Entries without a bitmap of their own are not kept.
void AppendCommonImages(const TIniText& common, TSkinSource& source, TImageDecoder* decoder,
                        const TSkinContent* owner, TSkinImages& out);

// The master bitmap named by "MASTERBITMAP" of "GLOBALINFO" (empty when
// missing), made 32-bit.
TBitmap32 LoadMasterBitmap(const TIniText& ini, TSkinSource& source, TBitmap32* spare = nullptr);

}  // namespace glyphora
