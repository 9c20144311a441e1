#include "skin/paint/graphic_children_win.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "framework/control.h"
#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/core/skin_commands.h"
#include "base/color_convert.h"
#include "skin/paint/pixel_fill.h"
#include "skin/paint/plain_copy.h"
#include "skin/paint/section_paint_win.h"

namespace glyphora {

namespace {

// Set while PaintGraphicChildren runs (GUI thread only).
bool g_paintingChildren = false;

class TRunningFlag {
 public:
  TRunningFlag() { g_paintingChildren = true; }
  ~TRunningFlag() { g_paintingChildren = false; }
  TRunningFlag(const TRunningFlag&) = delete;
  TRunningFlag& operator=(const TRunningFlag&) = delete;
};

// Device coordinates are far smaller than 32 bits; sums are kept from overflowing.
LONG Add(LONG a, int32_t b) { return LONG(std::clamp<int64_t>(int64_t(a) + b, INT32_MIN, INT32_MAX)); }

RECT Moved(const RECT& r, TPoint32 o) {
  return RECT{Add(r.left, o.X), Add(r.top, o.Y), Add(r.right, o.X), Add(r.bottom, o.Y)};
}

// What an opaque child paints its bounds with first: its section's colour
// when it is skinned, else its own colour.
TColor OwnBackground(TControl* c) {
  if (SendControlSkinCommand(c, SKC_CTRLHANDLED) == 1) return static_cast<TColor>(SendControlSkinCommand(c, SKC_GETCOLOR));
  return ColorToRGB(c->Color());
}

// Copies the child's area of the off-screen pixels to dc, leaving out the
// pixels in the key colour (whole runs of other pixels at a time).
void CopyWithoutKey(HDC dc, HDC mem, const TBitmap32& px, const RECT& b, TPoint32 o) {
  const TRect32 cut{std::max<LONG>(b.left, 0), std::max<LONG>(b.top, 0), std::min<LONG>(b.right, px.Width()),
                    std::min<LONG>(b.bottom, px.Height())};
  if (cut.Left >= cut.Right || cut.Top >= cut.Bottom) return;
  auto isKey = [](uint32_t p) { return (p & 0x00FFFFFFu) == 0x00FF00FFu; };
  bool anyKey = false;
  for (int32_t y = cut.Top; y < cut.Bottom && !anyKey; ++y) {
    const uint32_t* row = px.ScanLine(y);
    anyKey = std::any_of(row + cut.Left, row + cut.Right, isKey);
  }
  if (!anyKey) {
    ::BitBlt(dc, Add(cut.Left, o.X), Add(cut.Top, o.Y), RectWidth(cut), RectHeight(cut), mem, cut.Left, cut.Top,
             SRCCOPY);
    return;
  }
  for (int32_t y = cut.Top; y < cut.Bottom; ++y) {
    const uint32_t* row = px.ScanLine(y);
    for (int32_t x = cut.Left; x < cut.Right;) {
      if (isKey(row[x])) {
        ++x;
        continue;
      }
      const int32_t start = x;
      while (x < cut.Right && !isKey(row[x])) ++x;
      ::BitBlt(dc, Add(start, o.X), Add(y, o.Y), x - start, 1, mem, start, y, SRCCOPY);
    }
  }
}

}  // namespace

void ExcludeGraphicChildren(HDC dc, TWinControl* parent, int32_t offsetY, int32_t offsetX) {
  if (!dc || !parent) return;
  for (TControl* c : parent->Controls()) {
    if (c->IsWindowed() || !c->Visible() || !c->ClippedFromParentBackground()) continue;
    const RECT b = Moved(c->BoundsRect(), {offsetX, offsetY});
    ::ExcludeClipRect(dc, b.left, b.top, b.right, b.bottom);
  }
}

void PaintGraphicChildren(HDC dc, TWinControl* parent, bool onlyIfShowing, TPoint32 offset) {
  if (g_paintingChildren || !dc || !parent) return;
  TRunningFlag running;
  // This framework has no design mode, so only the visibility counts.
  if ((onlyIfShowing && !parent->Visible()) || parent->Controls().empty()) return;
  RECT clip;
  const int kind = ::GetClipBox(dc, &clip);
  if (kind == ERROR || kind == NULLREGION || clip.right <= clip.left || clip.bottom <= clip.top) {
    SendControlSkinCommand(parent, SKC_SETHALFVISIBLE);
    return;
  }
  TacParentBG bg;
  bool please = false;
  RequestControlBG(bg, parent, please);

  // The framework has neither tool buttons nor MDI parent forms, so the
  // separator and MDI rules have nothing to act on here.
  std::vector<TControl*> children;
  for (TControl* c : std::vector<TControl*>(parent->Controls())) {
    if (!c->Visible() || c->IsWindowed() || c->Width() < 1 || c->Height() < 1 || c->Destroying()) continue;
    const RECT b = Moved(c->BoundsRect(), offset);
    if (!::RectVisible(dc, &b)) continue;
    children.push_back(c);
  }
  if (children.empty()) return;

  const RECT client = parent->ClientRect();
  TDibBitmap off(std::max<LONG>(client.right, 0), std::max<LONG>(client.bottom, 0));
  if (!off.DC() || off.Width() <= 0 || off.Height() <= 0) return;
  TBitmap32& px = off.Pixels();
  for (TControl* c : children) {
    const RECT b = c->BoundsRect();
    const TRect32 r{b.left, b.top, b.right, b.bottom};
    if (c->PaintsOpaque()) {
      FillPixels32(&px, r, OwnBackground(c));
    } else if (bg.Kind == bgkCache && bg.Bmp) {
      const int64_t sx = int64_t(bg.Offset.X) + b.left, sy = int64_t(bg.Offset.Y) + b.top;
      if (sx >= INT32_MIN && sx <= INT32_MAX && sy >= INT32_MIN && sy <= INT32_MAX)
        CopyBlock(&px, b.left, b.top, bg.Bmp, int32_t(sx), int32_t(sy), c->Width(), c->Height());
    } else {
      FillPixels32(&px, r, bg.Color);
    }
  }
  for (TControl* c : children) {
    const RECT b = c->BoundsRect();
    const RECT shown = Moved(b, offset);
    if (shown.left < clip.left || shown.top < clip.top || shown.right > clip.right || shown.bottom > clip.bottom)
      SendControlSkinCommand(c, SKC_SETHALFVISIBLE);
    SavedDC saved(off.DC());
    ::SetViewportOrgEx(off.DC(), b.left, b.top, nullptr);
    ::IntersectClipRect(off.DC(), 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(off.DC()), 0);
  }
  ::GdiFlush();
  for (TControl* c : children) CopyWithoutKey(dc, off.DC(), px, c->BoundsRect(), offset);
}

}  // namespace glyphora
