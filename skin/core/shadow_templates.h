// The extended border's templates: the active and inactive pictures of the
// frame and its shadow that the form's frame image is made from, and the
// shadow margins around a form. From the skin's "EXBORDER" image, or for a
// skin without one from the program's built-in shadow pictures.
#pragma once
#include <cstdint>

#include "base/bitmap32.h"
#include "base/shared_types.h"

namespace glyphora {

class TSkinContent;

struct TShadowTemplates {
  TBitmap32 Active, Inactive;  // empty when there are no extended borders
  TRect32 ShadowSize{};        // the shadow margins around a form (all 0 without)
  TRect32 Margins{};           // the templates' nine-slice margins
  bool FromSkin = false;       // the skin's own EXBORDER image
};

// Shadow margins of the built-in templates; one larger each under desktop
// composition.
TRect32 BuiltInShadowSize(bool composition);

// Nothing (all zero) unless extended borders are in effect. With an EXBORDER
// image: inactive frame 0, active frame 1 (frame 0 when there is only one),
// shadow ExContentOffs on every side when the skin's border mode is not 0,
// else the image's margins less ExContentOffs, never below 0. Without one:
// the built-in pictures (when given) and BuiltInShadowSize. Transparent
// white is cleared from both templates.
TShadowTemplates MakeShadowTemplates(TSkinContent& skin, bool extendedBorders, const TBitmap32* builtInActive,
                                     const TBitmap32* builtInInactive, bool composition);

}  // namespace glyphora
