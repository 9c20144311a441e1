#include "skin/core/image_notation.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/skin_error.h"
#include "skin/core/skin_pack.h"
#include "skin/core/value_parse.h"

namespace glyphora {

namespace {

// Characters at 1-based positions from..from+len-1 (shorter when the value is).
std::string_view Column(std::string_view v, size_t from, size_t len) {
  if (from - 1 >= v.size()) return {};
  return v.substr(from - 1, len);
}

int16_t FixedNumber(std::string_view v, size_t from, size_t len) {
  std::string_view col = Column(v, from, len);
  int32_t n;
  if (!TryDigits(col, n)) RaiseInvalidInteger(col);
  return static_cast<int16_t>(n);
}

void ReadRect(std::string_view v, TRect32& r) {
  r.Left = FixedNumber(v, 2, 4);
  r.Top = FixedNumber(v, 7, 4);
  r.Right = FixedNumber(v, 12, 4);
  r.Bottom = FixedNumber(v, 17, 4);
}

std::vector<std::string_view> Split(std::string_view v, std::string_view seps, bool keepEmpty) {
  std::vector<std::string_view> out;
  size_t start = 0;
  for (size_t i = 0; i <= v.size(); ++i) {
    if (i == v.size() || seps.find(v[i]) != std::string_view::npos) {
      if (keepEmpty || i > start) out.push_back(v.substr(start, i - start));
      start = i + 1;
    }
  }
  return out;
}

int32_t Div(int32_t a, int32_t b) { return b > 0 ? a / b : 0; }

int16_t Low16(int32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

// A third of a frame's side, from a rectangle as written (the "#" form takes
// any 32-bit coordinates): computed in 64 bits and held to the 16-bit range.
int16_t ThirdOfFrame(int32_t from, int32_t to, int32_t frames) {
  if (frames <= 0) return 0;
  const int64_t w = (static_cast<int64_t>(to) - from) / (int64_t{frames} * 3);
  return static_cast<int16_t>(std::clamp<int64_t>(w, INT16_MIN, INT16_MAX));
}

TParsedImage ParseFileEntry(std::string_view value) {
  TParsedImage p;
  std::vector<std::string_view> f = Split(value, "!", false);
  if (f.empty()) return p;
  std::string_view name = f[0];
  if (name.find(".BMP") == std::string_view::npos && name.find(".PNG") == std::string_view::npos)
    return p;
  auto field = [&](size_t i) { return i < f.size() ? StrToIntDef(f[i], 0) : 0; };
  p.Kind = TImageNotation::File;
  p.FileName = std::string(name);
  TsMaskData& m = p.Mask;
  m.ImageCount = Low16(field(1));
  m.MaskType = Low16(field(2));
  int32_t type = field(3);
  // Only 0..4 are defined; larger values count as 4, negative ones as 0.
  m.ImgType = static_cast<TacImgType>(type > 4 ? 4 : (type < 0 ? 0 : type));
  if (f.size() >= 5) {
    p.WidthsGiven = true;
    m.WL = Low16(field(4));
    m.WT = Low16(field(5));
    m.WR = Low16(field(6));
    m.WB = Low16(field(7));
  }
  m.DrawMode = f.size() >= 9 ? Low16(field(8)) : 4;
  return p;
}

TParsedImage ParseOldBorder(std::string_view value) {
  TParsedImage p;
  p.Kind = TImageNotation::OldBorder;
  TsMaskData& m = p.Mask;
  m.ImgType = itisaBorder;
  std::vector<std::string_view> words = Split(value, " ()", false);
  std::vector<std::string_view> rect, counts;
  if (words.size() > 1) rect = Split(words[1], ",", true);
  if (words.size() > 2) counts = Split(words[2], ",", true);
  auto num = [](const std::vector<std::string_view>& v, size_t i) {
    return i < v.size() ? StrToIntDef(v[i], 0) : 0;
  };
  m.R = TRect32{num(rect, 0), num(rect, 1), num(rect, 2), num(rect, 3)};
  m.ImageCount = Low16(std::max(num(counts, 0), 1));
  m.MaskType = Low16(std::max(num(counts, 1), 0));
  m.BorderWidth = counts.size() > 2 ? Low16(std::max(StrToIntStrict(counts[2]), 0)) : 0;
  m.DrawMode = counts.size() > 3 ? Low16(StrToIntStrict(counts[3])) : 1;
  DeriveZeroBorderWidths(m);
  return p;
}

}  // namespace

TImageNotation ClassifyImageValue(std::string_view v) {
  if (v.empty()) return TImageNotation::None;
  switch (v[0]) {
    case '@': return TImageNotation::Glyph;
    case '^': return TImageNotation::Border;
    case '~': return TImageNotation::Texture;
    case '!': return TImageNotation::File;
    default: break;
  }
  if (v.find('#') != std::string_view::npos) return v == "#" ? TImageNotation::None : TImageNotation::OldBorder;
  if (ContainsIgnoreCase(v, ".BMP")) return TImageNotation::OldFile;
  return TImageNotation::None;
}

void DeriveZeroBorderWidths(TsMaskData& m) {
  if (m.WL != 0 || m.WT != 0 || m.WR != 0 || m.WB != 0) return;
  if (m.BorderWidth != 0) {
    m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
    return;
  }
  m.WL = m.WR = ThirdOfFrame(m.R.Left, m.R.Right, m.ImageCount);
  m.WT = m.WB = ThirdOfFrame(m.R.Top, m.R.Bottom, m.MaskType + 1);
}

void DeriveWidthsFromSize(TsMaskData& m, int32_t width, int32_t height) {
  m.WL = m.WR = Low16(Div(width, m.ImageCount * 3));
  m.WT = m.WB = Low16(Div(height, (m.MaskType + 1) * 3));
}

TParsedImage ParseImageValue(std::string_view value) {
  TParsedImage p;
  TsMaskData& m = p.Mask;
  switch (ClassifyImageValue(value)) {
    case TImageNotation::None:
      return p;
    case TImageNotation::Glyph:
      ReadRect(value, m.R);
      m.ImageCount = FixedNumber(value, 22, 1);
      m.MaskType = FixedNumber(value, 24, 1);
      m.ImgType = itisaGlyph;
      p.Kind = TImageNotation::Glyph;
      return p;
    case TImageNotation::Border:
      ReadRect(value, m.R);
      m.WL = FixedNumber(value, 22, 4);
      m.WT = FixedNumber(value, 27, 4);
      m.WR = FixedNumber(value, 32, 4);
      m.WB = FixedNumber(value, 37, 4);
      m.ImageCount = FixedNumber(value, 42, 1);
      m.MaskType = FixedNumber(value, 44, 1);
      m.DrawMode = FixedNumber(value, 46, 1);
      m.BorderWidth = FixedNumber(value, 48, 1);
      m.ImgType = itisaBorder;
      DeriveZeroBorderWidths(m);
      p.Kind = TImageNotation::Border;
      return p;
    case TImageNotation::Texture:
      ReadRect(value, m.R);
      m.ImageCount = 1;
      m.DrawMode = FixedNumber(value, 22, 2);
      m.MaskType = value.size() >= 25 ? FixedNumber(value, 25, 1) : 0;
      m.ImgType = itisaTexture;
      p.Kind = TImageNotation::Texture;
      return p;
    case TImageNotation::File:
      return ParseFileEntry(value);
    case TImageNotation::OldBorder:
      return ParseOldBorder(value);
    case TImageNotation::OldFile:
      p.Kind = TImageNotation::OldFile;
      p.FileName = std::string(value);
      m.ImageCount = 3;
      m.MaskType = 1;
      return p;
  }
  return p;
}

}  // namespace glyphora
