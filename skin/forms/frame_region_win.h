// The window region of a skinned frame: the window's rectangle less the key
// pixels of the border masks' corners.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/handles.h"
#include "skin/core/skin_types.h"

namespace glyphora {

class TSkinContent;

// The runs cut from a width x height window: the corners of the form's
// border mask (top and bottom) and the top corners of the caption bar
// section's border mask. Invalid indexes add nothing.
std::vector<TRect32> FrameRegionRuns(TSkinContent& skin, int32_t formMask, int32_t titleSection, int32_t width,
                                     int32_t height);

// The region for SetWindowRgn; the temporary region of the runs is freed here.
UniqueRegion FrameRegion(TSkinContent& skin, int32_t formMask, int32_t titleSection, int32_t width, int32_t height);

}  // namespace glyphora
