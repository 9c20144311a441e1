// The skin manager's rules that need no window system: where the skin
// directory is, which skin names are safe to look up, and how a partly
// transparent section's colour mixes with its parent's.
#pragma once
#include <string>

#include "base/shared_types.h"

namespace glyphora {

struct TSkinColorOps;

// Resolves a skin directory setting against the executable's folder (which
// ends in a backslash): "..\x" is beside that folder, ".\x" and plain "x"
// inside it; drive paths and network paths stay. The result ends in "\".
std::wstring FullSkinDirectory(const std::wstring& setting, const std::wstring& exeFolder);
// A directory text made to end in a backslash ("" stays "", "C" gives "C:\").
std::wstring NormalizeDirectory(const std::wstring& dir);
// A skin name that stays inside the skin directory: not empty, no path
// separators, no drive colon, no control characters, not "." or "..".
bool IsPlainSkinName(const std::wstring& name);
// The colour a plain section of transparency T (percent) shows over its
// parent's plain colour: what section painting fills it with, T/100 of the
// parent and the rest of the section, rounded; so the colour a control
// reports to its children is the colour it paints. T <= 0 gives the section
// colour, T >= 100 the parent's.
TColor MixTransparentColor(TColor parent, TColor section, int transparency);

// The colour routines a skin-wide hue or saturation change uses: the shared
// colour arithmetic of the base layer.
const TSkinColorOps* SkinColorOps();

}  // namespace glyphora
