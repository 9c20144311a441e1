// The skin manager's settings of window animations and effects.
#pragma once
#include <cstdint>

namespace glyphora {

// Fading only, or fading while the picture grows or shrinks.
enum class TacAnimType { atFading, atAero };

// A form dragged by its caption turns translucent.
struct TacBlendOnMoving {
  bool Active = false;
  uint8_t BlendValue = 170;  // the opacity while dragged
  uint16_t Time = 1000;      // ms to reach it
};

// Showing or hiding a form or dialog.
struct TacFormAnimation {
  bool Active = true;
  uint16_t Time = 0;  // ms; under one 12 ms frame there is no animation
  TacAnimType Mode = TacAnimType::atAero;
};

struct TacMinimizing {
  bool Active = true;
  uint16_t Time = 200;
};

struct TacPageChange {
  bool Active = true;
  uint16_t Time = 0;
};

// The cross-fade from the old look to the new one when the skin changes.
struct TacSkinChanging {
  bool Active = true;
  uint16_t Time = 100;
  TacAnimType Mode = TacAnimType::atFading;
};

struct TacAnimEffects {
  TacBlendOnMoving BlendOnMoving;
  TacFormAnimation DialogShow, FormShow, FormHide, DialogHide;
  TacMinimizing Minimizing;
  TacPageChange PageChange;
  TacSkinChanging SkinChanging;
};

struct TacSkinEffects {
  bool AllowGlowing = true;
};

}  // namespace glyphora
