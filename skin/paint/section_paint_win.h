// The window side of section painting: asking a parent window for the
// background, and the device-context routines (fills, frames, a section
// painted through a temporary bitmap).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string_view>

#include "base/shared_types.h"
#include "base/bitmap32.h"
#include "skin/paint/parent_bg.h"

namespace glyphora {

class TSkinContent;
class TControl;
struct TControlSectionData;

// Sends SKC_GETBG to wnd. True when it answered (Kind no longer bgkUnknown).
// Otherwise, when info.PaintIfMissing was set on entry, wnd paints itself
// into info.DC (WM_ERASEBKGND, WM_PAINT) clipped to info.R moved by Offset;
// else info becomes bgkFill with the default manager's global colour (the
// button face without a manager). pleasePaint is stored in PaintIfMissing.
bool RequestWindowBG(TacParentBG& info, HWND wnd, bool& pleasePaint);

// The same for a control: SKC_GETBG goes to its window when it has one,
// else to its own WndProc. Without an answer it paints itself into info.DC
// (through WndProc) when PaintIfMissing was set on entry, else info becomes
// bgkFill with the colour it reports to SKC_GETCOLOR (its own Color resolved
// when that is 0); with pleasePaint and info.Bmp set, info.R of info.DC is
// filled with that colour too.
bool RequestControlBG(TacParentBG& info, TControl* control, bool& pleasePaint);

// As PaintControlSection, with the background asked from control itself;
// border before the corner images and no hue or saturation step.
void PaintControlSectionSelfBG(const TControlSectionData& data, TControl* control, bool useCacheForCorners,
                               TBitmap32* bmp, TPoint32 offset, const TRect32& r, int state);

// Solid fills with color resolved; the DC is left as it was found.
void FillDcRect(HDC dc, const TRect32& r, TColor color);
void FillDcFrame(HDC dc, const TRect32& r, TColor color, int32_t wl, int32_t wt, int32_t wr, int32_t wb);
// Prints a client area of width x height to (x, y) of dc: `print` is given
// a DC whose origin is the client's top-left corner (a bitmap of its own,
// holding what dc showed there) and prints into it; the result is copied
// back. Platform controls place and clip their printing by device
// coordinates, so they misplace it in a DC whose origin was moved.
void PrintClientAt(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height,
                   const std::function<void(HDC)>& print);
// Four bw-wide strips of a width x height frame from (srcX, srcY) of src to (x, y) of dc.
void CopyDcFrame(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, HDC src, int32_t srcX, int32_t srcY,
                 int32_t bw);

// The section painted into a temporary 32-bit bitmap of r's size and copied
// to r of dc. Nothing for an invalid index, r.Left or r.Top below 0, or a
// width or height below 1.
void PaintSectionToDC(const TSkinContent* skin, int32_t skinIndex, std::string_view sectionName,
                      const TCacheInfo& ci, HDC dc, TPoint32 offset, const TRect32& r, int state);

}  // namespace glyphora
