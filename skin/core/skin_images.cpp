#include "skin/core/skin_images.h"

#include <algorithm>
#include <memory>

#include "imaging/bmp_loader.h"
#include "skin/core/image_notation.h"
#include "base/skin_error.h"
#include "skin/core/skin_pack.h"

namespace glyphora {

namespace {

constexpr std::string_view kGlobal = "GLOBALINFO";
constexpr std::string_view kMasterKey = "MASTERBITMAP";

// Keeps a master-bitmap rectangle inside the master bitmap. A rectangle that
// is reversed or lies wholly outside becomes empty: nothing to draw.
void ClipToMaster(TRect32& r, const TBitmap32& master) {
  TRect32 c{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, master.Width()),
            std::min(r.Bottom, master.Height())};
  if (c.Right <= c.Left || c.Bottom <= c.Top) c = TRect32{};
  r = c;
}

// A separate image file. A whole-looking PNG that the process-wide decoder
// would decode keeps its bytes and is decoded when first drawn; BMPs (no
// decoding to speak of) and everything else are loaded now. The picture is
// counted in the budget before it is decoded wherever its size is known.
TImageBitmap DecodeImageFile(std::span<const uint8_t> bytes, std::string_view name, TImageDecoder* decoder,
                             TLoadBudget& budget) {
  try {
    int32_t w = 0, h = 0;
    if (name.find(".BMP") != std::string_view::npos) {
      if (BmpDimensions(bytes, w, h)) budget.ChargeImage(w, h);
      return std::make_shared<TBitmap32>(LoadBmp(bytes));
    }
    if (!decoder) return nullptr;
    // (An image too large to decode goes the eager way and is refused now.)
    if (decoder == DefaultImageDecoder() && PngDimensions(bytes, w, h) && w <= kMaxBmpSide && h <= kMaxBmpSide &&
        int64_t(w) * h <= kMaxBmpPixels) {
      budget.ChargeImage(w, h);
      return TImageBitmap::Deferred(std::vector<uint8_t>(bytes.begin(), bytes.end()), w, h, ClearTransparentWhite);
    }
    auto bmp = std::make_shared<TBitmap32>(decoder->Decode(bytes));
    budget.ChargeImage(bmp->Width(), bmp->Height());
    ClearTransparentWhite(*bmp);
    return bmp;
  } catch (const ESkinError& e) {
    throw ESkinError("Skin image \"" + std::string(name) + "\": " + e.what());
  }
}

// True when the value contains ".JPG" or ".JPEG" in any letter case. Most
// values hold no "." at all, so the search starts from the dots.
bool NamesJpeg(std::string_view v) {
  for (size_t dot = v.find('.'); dot != std::string_view::npos; dot = v.find('.', dot + 1)) {
    std::string_view rest = v.substr(dot + 1);
    if (ContainsIgnoreCase(rest.substr(0, 3), "JPG") || ContainsIgnoreCase(rest.substr(0, 4), "JPEG")) return true;
  }
  return false;
}

void OpaqueJpeg(TBitmap32& bmp) {
  for (int32_t y = 0; y < bmp.Height(); ++y) {
    uint32_t* row = bmp.ScanLine(y);
    for (int32_t x = 0; x < bmp.Width(); ++x) row[x] |= 0xFF000000u;
  }
}

}  // namespace

TImageBitmap TSkinImageFiles::Picture(std::string_view name, TNameMatch match) {
  const bool upper = match == TNameMatch::IgnoreCase;
  auto key = std::make_pair(upper ? 1 : 0, upper ? UpperCaseAnsi(name) : std::string(name));
  if (auto it = pictures_.find(key); it != pictures_.end()) return it->second;
  TImageBitmap bmp;
  if (auto bytes = source_.Find(name, match)) bmp = DecodeImageFile(*bytes, key.second, decoder_, budget_);
  pictures_.emplace(std::move(key), bmp);
  return bmp;
}

TImageBitmap TSkinImageFiles::JpegTexture(std::string_view name, int32_t& width, int32_t& height) {
  auto key = std::make_pair(2, UpperCaseAnsi(name));
  if (auto it = pictures_.find(key); it != pictures_.end()) {
    width = it->second.Width();
    height = it->second.Height();
    return it->second;
  }
  width = height = 0;
  TImageBitmap bmp;
  if (auto bytes = source_.Find(name, TNameMatch::IgnoreCase)) {
    if (!JpegDimensions(*bytes, width, height))
      throw ESkinError("Skin image \"" + std::string(name) + "\": JPEG image is not valid");
    if (width > 0 && height > 0) {
      budget_.ChargeImage(width, height);
      if (int64_t(width) * height >= kLargeTexturePixels) {
        bmp = TImageBitmap::Deferred(std::vector<uint8_t>(bytes->begin(), bytes->end()), width, height, OpaqueJpeg);
      } else if (decoder_) {
        std::shared_ptr<TBitmap32> px;
        try {
          px = std::make_shared<TBitmap32>(decoder_->Decode(*bytes));
        } catch (const ESkinError& e) {
          throw ESkinError("Skin image \"" + std::string(name) + "\": " + e.what());
        }
        OpaqueJpeg(*px);
        bmp = std::move(px);
      }
    }
  }
  pictures_.emplace(std::move(key), bmp);
  return bmp;
}

namespace {

void LoadJpegTextures(const TIniText& ini, TSkinImageFiles& files, const TSkinContent* owner, TSkinImages& out) {
  for (const TIniSection& sec : ini.Sections()) {
    for (const auto& [key, value] : sec.Keys) {
      if (!NamesJpeg(value)) continue;
      int32_t w = 0, h = 0;
      TImageBitmap bmp = files.JpegTexture(value, w, h);
      if (w <= 0 || h <= 0) continue;
      if (int64_t(w) * h >= kLargeTexturePixels) {
        TsPatternData p;
        p.Img = bmp;
        p.Width = w;
        p.Height = h;
        p.ClassName = UpperCaseAnsi(sec.Name);
        p.PropertyName = UpperCaseAnsi(key);
        out.pa.push_back(std::move(p));
        continue;
      }
      if (!bmp || bmp->Empty()) continue;
      TsMaskData m;
      m.ClassName = UpperCaseAnsi(sec.Name);
      m.PropertyName = UpperCaseAnsi(key);
      m.ImgType = itisaTexture;
      m.ImageCount = 1;
      m.R = TRect32{0, 0, bmp->Width(), bmp->Height()};
      m.Bmp = std::move(bmp);
      m.Manager = owner;
      out.ma.push_back(std::move(m));
    }
  }
}

}  // namespace

void AppendCommonImages(const TIniText& common, TSkinImageFiles& files, const TSkinContent* owner,
                        TSkinImages& out) {
  for (const TIniSection& sec : common.Sections()) {
    for (const auto& [key, value] : sec.Keys) {
      if (ClassifyImageValue(value) != TImageNotation::OldFile) continue;
      TParsedImage p = ParseImageValue(value);
      TImageBitmap bmp = files.Picture(p.FileName, TNameMatch::IgnoreCase);
      if (!bmp || bmp.Width() <= 0 || bmp.Height() <= 0) continue;
      TsMaskData& m = p.Mask;
      m.R = TRect32{0, 0, bmp.Width(), bmp.Height()};
      DeriveWidthsFromSize(m, bmp.Width(), bmp.Height());
      m.Bmp = std::move(bmp);
      m.ClassName = UpperCaseAnsi(sec.Name);
      m.PropertyName = UpperCaseAnsi(key);
      m.Manager = owner;
      out.ma.push_back(std::move(m));
    }
  }
  LoadJpegTextures(common, files, owner, out);
}

TBitmap32 LoadMasterBitmap(const TIniText& ini, TSkinSource& source, TBitmap32* spare) {
  const std::string_view* name = ini.Value(kGlobal, kMasterKey);
  if (!name || name->empty()) return TBitmap32();
  auto bytes = source.Find(*name, TNameMatch::UpperEqualsName);
  if (!bytes) return TBitmap32();
  try {
    TBitmap32 master;
    if (spare && spare->OwnsPixels()) master = std::move(*spare);
    LoadBmpInto(*bytes, master);
    return master;
  } catch (const ESkinError& e) {
    throw ESkinError("Skin master bitmap \"" + std::string(*name) + "\": " + e.what());
  }
}

void LoadSkinImages(const TIniText& ini, TSkinImageFiles& files, const TSkinContent* owner, TSkinImages& out,
                    TBitmap32* spareMaster) {
  out = TSkinImages();
  out.MasterBitmap = LoadMasterBitmap(ini, files.Source(), spareMaster);
  files.Budget().ChargeImage(out.MasterBitmap.Width(), out.MasterBitmap.Height());

  for (const TIniSection& sec : ini.Sections()) {
    const bool global = sec.Name == kGlobal;
    for (const auto& [key, value] : sec.Keys) {
      if (global && key == kMasterKey) continue;
      TParsedImage p = ParseImageValue(value);
      TsMaskData& m = p.Mask;
      switch (p.Kind) {
        case TImageNotation::None:
          continue;
        case TImageNotation::Glyph:
        case TImageNotation::Border:
        case TImageNotation::Texture:
          m.ClassName = std::string(sec.Name);
          m.PropertyName = std::string(key);
          ClipToMaster(m.R, out.MasterBitmap);
          break;
        case TImageNotation::OldBorder:
          m.ClassName = UpperCaseAnsi(sec.Name);
          m.PropertyName = UpperCaseAnsi(key);
          ClipToMaster(m.R, out.MasterBitmap);
          break;
        case TImageNotation::File:
        case TImageNotation::OldFile: {
          bool old = p.Kind == TImageNotation::OldFile;
          TImageBitmap bmp = files.Picture(p.FileName, old ? TNameMatch::IgnoreCase : TNameMatch::UpperEqualsName);
          if (!bmp || bmp.Width() <= 0 || bmp.Height() <= 0) continue;
          m.R = TRect32{0, 0, bmp.Width(), bmp.Height()};
          if (!p.WidthsGiven) DeriveWidthsFromSize(m, bmp.Width(), bmp.Height());
          m.Bmp = std::move(bmp);
          m.ClassName = old ? UpperCaseAnsi(sec.Name) : std::string(sec.Name);
          m.PropertyName = old ? UpperCaseAnsi(key) : std::string(key);
          break;
        }
      }
      m.Manager = owner;
      out.ma.push_back(std::move(m));
    }
  }
  LoadJpegTextures(ini, files, owner, out);
}

}  // namespace glyphora
