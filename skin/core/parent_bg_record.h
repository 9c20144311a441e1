// The record by which a control asks its parent for what lies behind it
// (SKC_GETBG), and its conversion into the cache info the painters read.
// Plain data: the skin data answers it, the painters read it.
#pragma once
#include <cstdint>

#include "base/color_convert.h"
#include "base/shared_types.h"

namespace glyphora {

struct TPoint32 {
  int32_t X = 0, Y = 0;
  friend bool operator==(const TPoint32&, const TPoint32&) = default;
};

enum : uint8_t { bgkUnknown = 0, bgkFill = 1, bgkCache = 2 };

struct TacParentBG {
  TBitmap32* Bmp = nullptr;    // the parent's cached image (bgkCache)
  TColor Color = 0;            // the parent's plain colour (bgkFill)
  TPoint32 Offset;             // the parent's client origin in Bmp
  TRect32 R;                   // area to paint when the parent paints into DC
  uint8_t Kind = bgkUnknown;
  bool PaintIfMissing = false; // ask the parent to paint into DC otherwise
  void* DC = nullptr;          // device context handle (Windows side only)
};

// bgkCache: a ready cache info over Bmp at Offset. Otherwise not ready, no
// bitmap, X/Y the offset and FillColor the colour resolved.
inline TCacheInfo ParentBGToCacheInfo(const TacParentBG& info) {
  if (info.Kind == bgkCache) return CacheInfoOf(info.Bmp, info.Offset.X, info.Offset.Y);
  return TCacheInfo{nullptr, info.Offset.X, info.Offset.Y, ColorToRGB(info.Color), false};
}

}  // namespace glyphora
