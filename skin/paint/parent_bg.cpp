#include "skin/paint/parent_bg.h"

#include "base/color_convert.h"

namespace glyphora {

TCacheInfo ParentBGToCacheInfo(const TacParentBG& info) {
  if (info.Kind == bgkCache) return CacheInfoOf(info.Bmp, info.Offset.X, info.Offset.Y);
  return TCacheInfo{nullptr, info.Offset.X, info.Offset.Y, ColorToRGB(info.Color), false};
}

}  // namespace glyphora
