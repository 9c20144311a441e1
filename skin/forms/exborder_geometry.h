// Geometry of the extended border: a frame image wider than the platform's
// frame, with a shadow around it, shown by layered windows around the form
// while the form itself shows only its client area. Image coordinates have
// their origin at the shadow's top-left corner. No window system.
#pragma once
#include <array>
#include <cstdint>

#include "base/shared_types.h"
#include "skin/core/parent_bg_record.h"
#include "skin/forms/frame_geometry.h"

namespace glyphora {

struct TExBorderInput {
  int32_t FormWidth = 0, FormHeight = 0;  // the form's window
  TRect32 FormClient{};                   // its client area in window coordinates
  int32_t NativeFrame = 0;                // the platform's frame width
  int32_t NativeCaption = 0;              // the platform's caption height (0: no caption)
  bool Maximized = false;
  bool Sizeable = false;
  // The skin's values (GLOBALINFO) and the manager's shadow margins.
  int32_t BorderWidth = 0;  // 0: the platform's
  int32_t TitleHeight = 0;
  int32_t MaxHeight = 0;    // 0: the same as TitleHeight
  int32_t BITopMargin = 0;
  int32_t DrawMode = 0;
  TRect32 Shadow{};
};

// The parts the border is shown in: the caption band across the top, the
// two sides and the band across the bottom. Each is a layered window of its
// own, so that a change of size uploads only the frame's pixels, never the
// client area's.
enum TExBorderPart : int { ebTop = 0, ebLeft = 1, ebRight = 2, ebBottom = 3, ebCount = 4 };

struct TExBorderLayout {
  TExBorderInput In;
  int32_t Width = 0, Height = 0;  // the frame image
  int32_t BorderWidth = 0;        // the skin's border (or the platform's)
  int32_t CaptionHeight = 0;      // the skin's caption height (0: no caption)
  bool SysExHeight = false;       // the maximised caption is lower than the platform's
  TRect32 Client{};               // the client area in the image
  TPoint32 FormOrigin;            // the form window's top-left corner in the image
  TRect32 Visible{};              // what is shown: all, or without shadow and border when maximised
  std::array<TRect32, ebCount> Parts{};  // each cut to Visible; empty ones are hidden
};

TExBorderLayout LayoutExBorder(const TExBorderInput& in);

// The border's input for a window whose native frame `in` describes (its
// window-coordinate layout input), with the skin's values and the manager's
// shadow margins.
TExBorderInput ExBorderInputOf(const TFrameInput& in, const TsSkinData& skin, const TRect32& shadow);

// The correction b of the maximised placement: the form is placed at
// (-frame, -frame - b) with b extra pixels of height, so that the skin's
// maximised caption sits at the top of the work area.
int32_t ExMaxPlacementCorrection(const TExBorderInput& in);

// The image point lies in the shadow: outside the image less its shadow
// margins (never while maximised, when no shadow is shown).
bool OverShadow(const TExBorderLayout& l, int32_t x, int32_t y);

// The sizing edge or corner at an image point: the outer native-frame-wide
// band of the skinned frame, bounds included (0: none; never maximised or
// without a sizeable frame).
int32_t ExBorderEdgeCode(const TExBorderLayout& l, int32_t x, int32_t y);

// The caption's layout input in image coordinates: `base` holds what the
// window and the skin give (buttons, icon, spacing), the sizes become the
// image's and the skin's.
TFrameInput ExtendedFrameInput(TFrameInput base, const TExBorderLayout& l, int32_t centerOffs);

// WM_NCHITTEST of the extended border at an image point: the shadow passes
// the mouse through (HTTRANSPARENT), then buttons, sizing edges, the icon
// and the caption, the client area, and the rest of the frame (HTBORDER).
// frame is the caption's layout made from ExtendedFrameInput.
int32_t ExBorderHitTest(const TFrameLayout& frame, const TExBorderLayout& l, int32_t x, int32_t y);

}  // namespace glyphora
