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
// decoding to speak of) and everything else are loaded now.
TImageBitmap DecodeImageFile(std::span<const uint8_t> bytes, std::string_view name, TImageDecoder* decoder) {
  try {
    if (name.find(".BMP") != std::string_view::npos) return std::make_shared<TBitmap32>(LoadBmp(bytes));
    if (!decoder) return nullptr;
    int32_t w = 0, h = 0;
    // (An image too large to decode goes the eager way and is refused now.)
    if (decoder == DefaultImageDecoder() && PngDimensions(bytes, w, h) && w <= kMaxBmpSide && h <= kMaxBmpSide &&
        int64_t(w) * h <= kMaxBmpPixels)
      return TImageBitmap::Deferred(std::vector<uint8_t>(bytes.begin(), bytes.end()), w, h, ClearTransparentWhite);
    auto bmp = std::make_shared<TBitmap32>(decoder->Decode(bytes));
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

void LoadJpegTextures(const TIniText& ini, TSkinSource& source, TImageDecoder* decoder,
                      const TSkinContent* owner, TSkinImages& out) {
  for (const TIniSection& sec : ini.Sections()) {
    for (const auto& [key, value] : sec.Keys) {
      if (!NamesJpeg(value)) continue;
      auto bytes = source.Find(value, TNameMatch::IgnoreCase);
      if (!bytes) continue;
      int32_t w = 0, h = 0;
      if (!JpegDimensions(*bytes, w, h))
        throw ESkinError("Skin image \"" + std::string(value) + "\": JPEG image is not valid");
      if (w <= 0 || h <= 0) continue;
      if (int64_t(w) * h >= kLargeTexturePixels) {
        TsPatternData p;
        p.Img = TImageBitmap::Deferred(std::vector<uint8_t>(bytes->begin(), bytes->end()), w, h, OpaqueJpeg);
        p.Width = w;
        p.Height = h;
        p.ClassName = UpperCaseAnsi(sec.Name);
        p.PropertyName = UpperCaseAnsi(key);
        out.pa.push_back(std::move(p));
        continue;
      }
      if (!decoder) continue;
      std::shared_ptr<TBitmap32> bmp;
      try {
        bmp = std::make_shared<TBitmap32>(decoder->Decode(*bytes));
      } catch (const ESkinError& e) {
        throw ESkinError("Skin image \"" + std::string(value) + "\": " + e.what());
      }
      if (bmp->Empty()) continue;
      OpaqueJpeg(*bmp);
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

void AppendCommonImages(const TIniText& common, TSkinSource& source, TImageDecoder* decoder,
                        const TSkinContent* owner, TSkinImages& out) {
  for (const TIniSection& sec : common.Sections()) {
    for (const auto& [key, value] : sec.Keys) {
      if (ClassifyImageValue(value) != TImageNotation::OldFile) continue;
      TParsedImage p = ParseImageValue(value);
      auto bytes = source.Find(p.FileName, TNameMatch::IgnoreCase);
      if (!bytes) continue;
      std::string upperName = UpperCaseAnsi(p.FileName);
      TImageBitmap bmp = DecodeImageFile(*bytes, upperName, decoder);
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
  LoadJpegTextures(common, source, decoder, owner, out);
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

void LoadSkinImages(const TIniText& ini, TSkinSource& source, TImageDecoder* decoder,
                    const TSkinContent* owner, TSkinImages& out, TBitmap32* spareMaster) {
  out = TSkinImages();
  out.MasterBitmap = LoadMasterBitmap(ini, source, spareMaster);

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
          auto bytes = source.Find(p.FileName, old ? TNameMatch::IgnoreCase : TNameMatch::UpperEqualsName);
          if (!bytes) continue;
          std::string upperName = UpperCaseAnsi(p.FileName);
          auto bmp = DecodeImageFile(*bytes, old ? std::string_view(upperName) : std::string_view(p.FileName),
                                     decoder);
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
  LoadJpegTextures(ini, source, decoder, owner, out);
}

}  // namespace glyphora
