// Painting a skin section, by index and state, into a rectangle of a 32-bit
// bitmap over what lies behind it: the background (parent image, colour,
// gradient and texture mixed by the section's shares), the corner images and
// the border mask. Nothing here keeps state between calls; bad indexes,
// rectangles or images make a routine (or one layer) do nothing.
#pragma once
#include <cstdint>
#include <string_view>

#include "base/shared_types.h"
#include "base/bitmap32.h"
#include "skin/paint/parent_bg.h"

namespace glyphora {

class TSkinContent;

// Background only. customColor other than clNoneMarker replaces the
// section's colour (opaque, no texture or gradient). Texture indexes of -1
// are looked up as the section's "PATTERN" / "HOTPATTERN" images.
void PaintSectionBackground(const TSkinContent* skin, int32_t skinIndex, std::string_view sectionName,
                            const TCacheInfo& ci, TColor customColor, int32_t hotTexture, int32_t texture,
                            TBitmap32* bmp, TPoint32 offset, const TRect32& r, int state);

// Background, corner images and border. Nothing when r is empty or not
// inside bmp. offset is r's position in ci's image.
void PaintSection(const TSkinContent* skin, int32_t skinIndex, std::string_view sectionName, const TCacheInfo& ci,
                  int32_t hotTexture, int32_t texture, TBitmap32* bmp, TPoint32 offset, const TRect32& r, int state);

// Background (no lookups by name, no patterns) and the given border mask; no
// corner images. Scroll bars paint their parts with it.
void PaintSectionWithBorder(const TSkinContent* skin, int32_t skinIndex, int32_t borderMask, int32_t texture,
                            TBitmap32* bmp, TPoint32 offset, const TRect32& r, int state, const TCacheInfo& ci,
                            std::string_view sectionName, int32_t hotTexture);

// Section `name`, else `altName`, over all of bmp; with `behind` (what the
// source device shows from r's top-left corner) the background is that
// image, else the fill colour. Returns the index used (-1: none painted).
int32_t PaintSectionByName(TBitmap32* bmp, std::string_view name, std::string_view altName, const TBitmap32* behind,
                           TColor fillColor, const TRect32& r, const TSkinContent* skin, int state);

// True when r is a non-empty rectangle wholly inside b: the painters'
// common precondition.
bool SectionRectInside(const TBitmap32* b, const TRect32& r);

// A cache info moved by an offset; positions that no longer fit 32 bits
// cannot reach any bitmap, so the image is dropped (its fill colour stays).
TCacheInfo MovedCacheInfo(TCacheInfo ci, TPoint32 offset);

// The section's four corner images (those that exist) at r's corners, each
// over b itself as its background.
void PaintCornerImages(const TSkinContent& skin, int32_t skinIndex, TBitmap32* b, const TRect32& r, int state);

// The state a section paints: 0 .. States - 1.
int ClampSectionState(const TSkinContent& skin, int32_t skinIndex, int state);

}  // namespace glyphora
