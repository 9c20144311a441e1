// A control's section painted from what its skin data holds: section and
// border indexes, textures, the custom colour, hue offset and saturation.
// The window side fills the record from the control's skin data.
#pragma once
#include <cstdint>
#include <string>

#include "base/shared_types.h"
#include "base/bitmap32.h"
#include "skin/paint/parent_bg.h"

namespace glyphora {

class TSkinContent;

struct TControlSectionData {
  const TSkinContent* Skin = nullptr;
  int32_t SkinIndex = -1;
  std::string SkinSection;
  int32_t BorderIndex = -1;
  int32_t Texture = -1, HotTexture = -1;
  TColor CustomColor = clNoneMarker;  // the owner's colour resolved when it paints with it, else the none-marker
  int32_t HueOffset = 0;
  int32_t Saturation = 0;
};

// Background only, in the control's custom colour when it has one.
void PaintControlBackground(const TControlSectionData& data, const TCacheInfo& ci, int state, TBitmap32* bmp,
                            TPoint32 offset, const TRect32& r);

// Background, corner images and border (not in state 0 when the border's
// draw mode says so); then, unless the border was left out of a transparent
// state, the hue and saturation of the control over the whole of bmp.
void PaintControlSection(const TControlSectionData& data, const TCacheInfo& ci, bool useCacheForCorners,
                         TBitmap32* bmp, TPoint32 offset, const TRect32& r, int state);

}  // namespace glyphora
