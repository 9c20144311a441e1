#include "skin/paint/bitmap_glyph.h"

#include <algorithm>

#include "base/color_convert.h"
#include "skin/paint/keyed_copy.h"
#include "skin/paint/pixel_fill.h"
#include "skin/paint/tint.h"

namespace glyphora {

int GlyphFrameIndex(int numGlyphs, int stateKind, bool down, bool enabled, bool fourBitGlyph) {
  if (numGlyphs <= 1 || !enabled || stateKind <= 0) return 0;
  if (stateKind == 1) return fourBitGlyph ? 0 : 1;
  const int pressed = (down ? 1 : 0) + 2;
  if (pressed < numGlyphs) return pressed;
  return fourBitGlyph ? 0 : std::min(1, numGlyphs - 1);
}

void DrawBitmapGlyph(const TBitmap32& glyph, bool fourBitGlyph, TBitmap32* dst, int32_t atX, int32_t atY, bool down,
                     int blendPercent, int stateKind, TsDisabledGlyphKind disabledKind, bool enabled, int numGlyphs) {
  // An empty glyph has no bottom-left pixel to take the transparent colour from.
  if (!dst || dst->Empty() || glyph.Empty()) return;
  const int32_t bottom = glyph.Height() - 1;
  if (numGlyphs <= 1) {
    const bool grey = !enabled && (disabledKind & dgGrayed);
    TBitmap32 greyed;
    if (grey) {
      greyed = glyph;
      GrayBitmap(&greyed);
    }
    const TBitmap32& src = grey ? greyed : glyph;
    const uint32_t key = src.Pixel(0, bottom);
    const TRect32 whole{0, 0, src.Width() - 1, bottom};
    if (enabled && stateKind == 0 && blendPercent >= 1) {
      BlendKeyedRect(dst, atX, atY, key, std::min(blendPercent, 100) / 100.0, whole, &src);
    } else if (!enabled && (disabledKind & dgBlended)) {
      BlendKeyedRect(dst, atX, atY, key, 0.5, whole, &src);
    } else {
      CopyKeyed(dst, &src, atX, SwapRedBlue(key), atY);
    }
    return;
  }
  const int32_t frameWidth = glyph.Width() / numGlyphs;
  if (frameWidth <= 0) return;
  const int frame = GlyphFrameIndex(numGlyphs, stateKind, down, enabled, fourBitGlyph);
  const TRect32 src{frame * frameWidth, 0, frame * frameWidth + frameWidth - 1, bottom};
  // The normal look (also shown when disabled) is blended by its transparency.
  if ((!enabled || stateKind == 0) && blendPercent > 0) {
    BlendKeyedRect(dst, atX, atY, glyph.Pixel(0, bottom), std::min(blendPercent, 100) / 100.0, src, &glyph);
    return;
  }
  const uint32_t key = enabled ? glyph.Pixel(src.Left, bottom) : glyph.Pixel(0, bottom);
  CopyKeyedRect(dst, &glyph, atX, SwapRedBlue(key), src, atY);
}

}  // namespace glyphora
