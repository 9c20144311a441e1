// Glow windows: a skin's glow image in a click-through layered window around
// a hot caption button or a hot control. All glows of the process live in
// one registry and are addressed by id; a freed id is given out again.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/shared_types.h"

namespace glyphora {

class TSkinContent;

// A control glow is the image drawn as a nine-slice frame around the
// control; a caption button's glow image is drawn as it is.
enum class TGlowFit { NineSlice, AsIs };

struct TGlowRequest {
  TRect32 R{};         // the button or control, screen coordinates
  TRect32 RealRect{};  // its visible part (equal to R when all of it shows)
  TSkinContent* Skin = nullptr;
  std::string Section;    // the section holding the image
  std::string ImageName;  // the image is this name followed by "0"
  int32_t Margin = 0;
  uint8_t Alpha = 255;
  HWND Owner = nullptr;   // the glow goes just above it (top-most with it)
  TGlowFit Fit = TGlowFit::NineSlice;
};

// Shows a glow and returns its id, or -1 when layered windows are missing,
// the section has no such image, or the glow would be empty. idSlot is the
// owner's record of the id: it is set to -1 when the registry drops the glow
// (ClearGlows), and it identifies the owner to HideGlow.
int32_t ShowGlow(const TGlowRequest& request, int32_t* idSlot);
// Frees glow `id` (nothing for an id out of range, a freed one, or one that
// belongs to another owner than idSlot when idSlot is given).
void HideGlow(int32_t id, const int32_t* idSlot = nullptr);
// Frees every glow (skin changes, hide animations).
void ClearGlows();
// Frees every glow and the hidden windows kept for the next ones.
void FreeGlowWindows();
// Glows alive now, and the registry's slots (freed ones included).
int32_t LiveGlows();
int32_t GlowSlots();
// The window of a glow (nullptr for none), for tests and benchmarks.
HWND GlowWindow(int32_t id);

// Gives skinned controls their glows (the skin data's glow handler).
void InstallControlGlowHandler();

}  // namespace glyphora
