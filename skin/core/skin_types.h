// The records a loaded skin is made of: whole-skin values (TsSkinData), one
// general-data record per options section (TsGeneralData), skin images
// (TsMaskData) and large textures (TsPatternData), and the cached indexes of
// well-known sections and images (TConstantSkinData). No windows.h.
#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "imaging/image_bitmap.h"
#include "base/shared_types.h"
#include "base/bitmap32.h"
#include "skin/core/gradient_data.h"

namespace glyphora {

// Colour values of the options text that use -1 as "none" (text contours)
// hold it as this bit pattern.
constexpr TColor clMinusOne = 0xFFFFFFFFu;

// A value that many records hold at once and none changes in place: the
// sections that inherit a gradient hold their ancestor's text and pieces,
// not copies of them (a crafted skin may give a megabyte of gradient text to
// a thousand sections). Reads as a const T; assigning gives this holder a
// new value and leaves the others alone.
template <class T>
class TShared {
 public:
  TShared() = default;
  explicit TShared(T value) : p_(std::make_shared<T>(std::move(value))) {}
  template <class U>
    requires std::is_constructible_v<T, U&&> && (!std::is_same_v<std::remove_cvref_t<U>, TShared>)
  TShared& operator=(U&& value) {
    p_ = std::make_shared<T>(std::forward<U>(value));
    return *this;
  }
  // This holder's own value to change in place: a copy when others share it,
  // else the value itself with its memory (a reload reuses it).
  T& Mutable() {
    if (!p_ || p_.use_count() > 1) p_ = std::make_shared<T>(get());
    return const_cast<T&>(*p_);  // made as a T, never as a const T
  }

  const T& get() const { return p_ ? *p_ : Empty(); }
  operator const T&() const { return get(); }
  // Which value is held: equal for holders that share one.
  const void* Identity() const { return p_.get(); }

  size_t size() const { return get().size(); }
  bool empty() const { return get().empty(); }
  auto begin() const { return get().begin(); }
  auto end() const { return get().end(); }
  decltype(auto) operator[](size_t i) const { return get()[i]; }
  decltype(auto) at(size_t i) const { return get().at(i); }

  friend bool operator==(const TShared& a, const TShared& b) { return a.p_ == b.p_ || a.get() == b.get(); }
  friend bool operator==(const TShared& a, const T& b) { return a.get() == b; }

 private:
  static const T& Empty() {
    static const T empty{};
    return empty;
  }
  std::shared_ptr<const T> p_;
};
using TSharedText = TShared<std::string>;
using TSharedGradient = TShared<TsGradArray>;


// Whole-skin values from section "GLOBALINFO". 16-bit fields keep the low 16 bits.
struct TsSkinData {
  std::filesystem::path SkinPath;  // the skin's folder ending in a separator, empty for an internal skin
  bool Active = false;
  double Version = 0;
  std::string Author;
  std::string Description;
  TColor Shadow1Color = 0;
  int16_t Shadow1Offset = 0;
  int16_t Shadow1Blur = -1;
  int16_t Shadow1Transparency = 0;
  int16_t ExBorderWidth = 4;
  int16_t ExTitleHeight = 30;
  int16_t ExMaxHeight = 30;
  int16_t ExContentOffs = 8;
  int16_t ExShadowOffs = 0;
  int16_t ExCenterOffs = 0;
  int16_t ExDrawMode = 0;
  TColor FXColor = 0;     // not read from the options text
  TColor BorderColor = 0;
  int16_t BISpacing = 0;
  int16_t BIVAlign = 0;
  int16_t BIRightMargin = 0;
  int16_t BILeftMargin = 0;
  int16_t BITopMargin = 0;
  int16_t BIKeepHUE = 0;
  int16_t BICloseGlow = 0;
  int16_t BICloseGlowMargin = 0;
  int16_t BIMaxGlow = 0;
  int16_t BIMaxGlowMargin = 0;
  int16_t BIMinGlow = 0;
  int16_t BIMinGlowMargin = 0;
};

// Text colour and the colours of a one-pixel contour on each side (-1: none).
struct TsFontColor {
  TColor Color = 0;
  TColor Left = clMinusOne;
  TColor Top = clMinusOne;
  TColor Right = clMinusOne;
  TColor Bottom = clMinusOne;
  bool operator==(const TsFontColor&) const = default;
};

// The values of one visual state of a section, as painting reads them.
struct TsGenState {
  TColor Color = 0xFFFFFF;
  TsFontColor FontColor;
  int32_t GradientPercent = 0;
  TSharedText GradientData;
  TSharedGradient GradientArray;
  int32_t ImagePercent = 0;
  TColor GlowColor = 0xFFFFFF;
  uint8_t GlowSize = 0;
  int32_t Transparency = 0;
  bool operator==(const TsGenState&) const = default;
};

// One section of the options text.
struct TsGeneralData {
  std::string ParentClass;
  std::string ClassName;
  int32_t States = 4;
  TsGenState Props[2];        // normal, hot
  bool GiveOwnFont = false;
  bool ReservedBoolean = false;
  bool ShowFocus = false;
  int32_t GlowCount = 0;
  int32_t GlowMargin = 0;
  int32_t BorderIndex = -1;
  int32_t ImgTL = -1, ImgTR = -1, ImgBL = -1, ImgBR = -1;
  TColor Color = 0xFFFFFF;
  int32_t Transparency = 0;
  int32_t GradientPercent = 0;
  TSharedText GradientData{" "};
  TSharedGradient GradientArray;
  int32_t ImagePercent = 0;
  TsFontColor FontColor;
  TColor HotColor = 0xFFFFFF;
  int32_t HotTransparency = 0;
  int32_t HotGradientPercent = 0;
  TSharedText HotGradientData;
  TSharedGradient HotGradientArray;
  int32_t HotImagePercent = 0;
  TsFontColor HotFontColor;
  bool FadingEnabled = false;
  int32_t FadingIterations = 5;
  TColor HotGlowColor = 0xFFFFFF;
  TColor GlowColor = 0xFFFFFF;
  uint8_t HotGlowSize = 0;
  uint8_t GlowSize = 0;
  bool operator==(const TsGeneralData&) const = default;
};

enum TacImgType : uint8_t {
  itisaBorder = 0,    // a nine-piece border
  itisaTexture = 1,   // a fill pattern
  itisaGlyph = 2,     // a picture drawn unchanged
  itisaGlow = 3,      // a glow image
  itisaPngGlyph = 4,  // a glyph with its own alpha
};

class TSkinContent;

// One skin image: a rectangle of the master bitmap, or a separate image file
// with its own bitmap (then R is the whole of Bmp, whose size is known before
// it is decoded).
struct TsMaskData {
  TImageBitmap Bmp;  // own bitmap, or null when the image lies in the master bitmap
  std::string ClassName;
  std::string PropertyName;
  TRect32 R;
  int16_t ImageCount = 0;   // state frames side by side
  int16_t MaskType = 0;     // 0 no mask, 1 lower half is the mask, n > 1: n + 1 bands
  int16_t BorderWidth = 0;
  int16_t DrawMode = 0;
  TacImgType ImgType = itisaBorder;
  const TSkinContent* Manager = nullptr;
  int16_t WL = 0, WT = 0, WR = 0, WB = 0;
};

// Frame of state k lies at R.Left + k * frame width.
int32_t FrameWidth(const TsMaskData& m);
int32_t FrameHeight(const TsMaskData& m);

// A large JPEG texture (900 000 pixels or more), kept compressed until it is
// first drawn.
struct TsPatternData {
  TImageBitmap Img;
  int32_t Width = 0, Height = 0;
  std::string ClassName;     // upper-cased
  std::string PropertyName;  // upper-cased
};

// Indexes of sections and images that are asked for constantly; -1 when missing.
struct TConstantSkinData {
  int16_t IndexGLobalInfo = -1;
  int16_t ExBorder = -1;
  int16_t IndexTabTop = -1, IndexTabBottom = -1, IndexTabLeft = -1, IndexTabRight = -1;
  int16_t MaskTabTop = -1, MaskTabBottom = -1, MaskTabLeft = -1, MaskTabRight = -1;
  int16_t IndexScrollTop = -1, IndexScrollBottom = -1, IndexScrollLeft = -1, IndexScrollRight = -1;
  int16_t MaskScrollTop = -1, MaskScrollBottom = -1, MaskScrollLeft = -1, MaskScrollRight = -1;
  int16_t IndexBGScrollTop = -1, IndexBGScrollBottom = -1, IndexBGScrollLeft = -1, IndexBGScrollRight = -1;
  int16_t IndexBGHotScrollTop = -1, IndexBGHotScrollBottom = -1, IndexBGHotScrollLeft = -1,
          IndexBGHotScrollRight = -1;
  int16_t MaskArrowTop = -1, MaskArrowBottom = -1, MaskArrowLeft = -1, MaskArrowRight = -1;
  int16_t IndexSliderVert = -1, IndexSliderHorz = -1;
  int16_t MaskSliderVert = -1, MaskSliderHorz = -1;
  int16_t MaskSliderGlyphVert = -1, MaskSliderGlyphHorz = -1;
  int16_t ScrollSliderBGHorz = -1, ScrollSliderBGHotHorz = -1, ScrollSliderBGVert = -1,
          ScrollSliderBGHotVert = -1;
  int16_t IndexScrollBar1H = -1, IndexScrollBar1V = -1, IndexScrollBar2H = -1, IndexScrollBar2V = -1;
  int16_t MaskScrollBar1H = -1, MaskScrollBar1V = -1, MaskScrollBar2H = -1, MaskScrollBar2V = -1;
  int16_t BGScrollBar1H = -1, BGScrollBar1V = -1, BGScrollBar2H = -1, BGScrollBar2V = -1;
  int16_t BGHotScrollBar1H = -1, BGHotScrollBar1V = -1, BGHotScrollBar2H = -1, BGHotScrollBar2V = -1;
  int16_t CheckBoxChecked = -1, CheckBoxUnChecked = -1, CheckBoxGrayed = -1;
  int16_t RadioButtonChecked = -1, RadioButtonUnChecked = -1, RadioButtonGrayed = -1;
  int16_t SmallCheckBoxChecked = -1, SmallCheckBoxUnChecked = -1, SmallCheckBoxGrayed = -1;
  int32_t ComboBtnIndex = -1;
  int32_t ComboBtnBorder = -1;
  int32_t ComboBtnBG = -1, ComboBtnBGHot = -1;
  int32_t ComboGlyph = -1;
};

}  // namespace glyphora
