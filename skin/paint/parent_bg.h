// The record by which a control asks its parent for what lies behind it, and
// its conversion into the cache info the painters read.
#pragma once
#include <cstdint>

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
TCacheInfo ParentBGToCacheInfo(const TacParentBG& info);

}  // namespace glyphora
