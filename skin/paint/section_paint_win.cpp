#include "skin/paint/section_paint_win.h"

#include "framework/control.h"
#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/core/skin_content.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "base/bitmap32.h"
#include "skin/paint/border_mask.h"
#include "base/color_convert.h"
#include "skin/paint/control_section.h"
#include "skin/paint/mask_image.h"
#include "skin/paint/section_paint.h"

namespace glyphora {

namespace {

COLORREF Ref(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

// Moves the DC's origin by -Offset and clips it to R moved by Offset, for a
// parent that paints itself into the asker's DC.
void PrepareParentPaint(TacParentBG& info, HDC dc) {
  ::OffsetViewportOrgEx(dc, -info.Offset.X, -info.Offset.Y, nullptr);
  info.R.Left += info.Offset.X;
  info.R.Right += info.Offset.X;
  info.R.Top += info.Offset.Y;
  info.R.Bottom += info.Offset.Y;
  ::IntersectClipRect(dc, info.R.Left, info.R.Top, info.R.Right, info.R.Bottom);
}

// One background request: the protocol's question (AskParentBG); with no
// answer, a caller that asked for painting on entry gets the parent's own
// erase and paint messages through paint, drawn into info.DC; any other
// caller keeps the plain fill. True when the parent answered.
template <class Paint>
bool RequestBG(TacParentBG& info, bool pleasePaint, TControl* control, HWND wnd, Paint paint) {
  const bool paintOnEntry = info.PaintIfMissing;
  if (AskParentBG(info, control, wnd, pleasePaint)) return true;
  HDC dc = static_cast<HDC>(info.DC);
  if (paintOnEntry) {
    info.Kind = bgkUnknown;
    if (dc) {
      SavedDC saved(dc);
      PrepareParentPaint(info, dc);
      paint(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
      paint(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    }
  } else if (control && pleasePaint && info.Bmp && dc) {
    FillDcRect(dc, info.R, info.Color);
  }
  return false;
}

}  // namespace

bool RequestWindowBG(TacParentBG& info, HWND wnd, bool& pleasePaint) {
  return RequestBG(info, pleasePaint, nullptr, wnd,
                   [&](UINT msg, WPARAM wp) { ::SendMessageW(wnd, msg, wp, 0); });
}

bool RequestControlBG(TacParentBG& info, TControl* control, bool& pleasePaint) {
  if (!control) return false;
  return RequestBG(info, pleasePaint, control, nullptr, [&](UINT msg, WPARAM wp) { control->Perform(msg, wp, 0); });
}

void PaintControlSectionSelfBG(const TControlSectionData& data, TControl* control, bool useCacheForCorners,
                               TBitmap32* bmp, TPoint32 offset, const TRect32& r, int state) {
  if (!data.Skin || !data.Skin->IsValidSkinIndex(data.SkinIndex) || !control || !SectionRectInside(bmp, r)) return;
  const TSkinContent& skin = *data.Skin;
  state = ClampSectionState(skin, data.SkinIndex, state);
  TacParentBG bg;
  bool please = false;
  RequestControlBG(bg, control, please);
  const TCacheInfo ci = ParentBGToCacheInfo(bg);
  PaintControlBackground(data, ci, state, bmp, offset, r);
  if (skin.IsValidImgIndex(data.BorderIndex)) {
    const TsMaskData& m = skin.ma[size_t(data.BorderIndex)];
    if (!(state == 0 && (m.DrawMode & 2)))
      DrawBorderMask(bmp, r, useCacheForCorners, state, m, MovedCacheInfo(ci, offset));
  }
  PaintCornerImages(skin, data.SkinIndex, bmp, r, state);
}

void FillDcRect(HDC dc, const TRect32& r, TColor color) {
  if (!dc) return;
  UniqueBrush brush(::CreateSolidBrush(Ref(color)));
  SavedDC saved(dc);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc, &rc, brush.get());
}

void FillDcFrame(HDC dc, const TRect32& r, TColor color, int32_t wl, int32_t wt, int32_t wr, int32_t wb) {
  if (!dc) return;
  UniqueBrush brush(::CreateSolidBrush(Ref(color)));
  SavedDC saved(dc);
  const RECT parts[4] = {{r.Left, r.Top, r.Right, r.Top + wt},
                         {r.Left, r.Top + wt, r.Left + wl, r.Bottom},
                         {r.Left + wl, r.Bottom - wb, r.Right, r.Bottom},
                         {r.Right - wr, r.Top + wt, r.Right, r.Bottom - wb}};
  for (const RECT& p : parts) ::FillRect(dc, &p, brush.get());
}

void PrintClientAt(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height,
                   const std::function<void(HDC)>& print) {
  if (!dc || width <= 0 || height <= 0 || width > 32767 || height > 32767) return;
  TDibBitmap client(width, height);
  if (!client.Handle()) return;
  ::BitBlt(client.DC(), 0, 0, width, height, dc, x, y, SRCCOPY);
  print(client.DC());
  ::GdiFlush();
  ::BitBlt(dc, x, y, width, height, client.DC(), 0, 0, SRCCOPY);
}

int32_t WindowFrameWidth(HWND wnd) {
  RECT wr;
  POINT origin{0, 0};
  if (!wnd || !::GetWindowRect(wnd, &wr) || !::ClientToScreen(wnd, &origin)) return 0;
  return std::max<int32_t>(0, std::min<int32_t>(origin.x - wr.left, origin.y - wr.top));
}

void CopyDcFrame(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, HDC src, int32_t srcX, int32_t srcY,
                 int32_t bw) {
  if (!dc || !src || bw <= 0) return;
  ::BitBlt(dc, x, y, bw, height, src, srcX, srcY, SRCCOPY);
  ::BitBlt(dc, x + bw, y, width, bw, src, srcX + bw, srcY, SRCCOPY);
  ::BitBlt(dc, x + width - bw, y + bw, bw, height, src, srcX + width - bw, srcY + bw, SRCCOPY);
  ::BitBlt(dc, x + bw, y + height - bw, width, bw, src, srcX + bw, srcY + height - bw, SRCCOPY);
}

void PaintSectionToDC(const TSkinContent* skin, int32_t skinIndex, std::string_view sectionName,
                      const TCacheInfo& ci, HDC dc, TPoint32 offset, const TRect32& r, int state) {
  if (!dc || !skin || !skin->IsValidSkinIndex(skinIndex) || r.Left < 0 || r.Top < 0) return;
  const int64_t w = int64_t(r.Right) - r.Left, h = int64_t(r.Bottom) - r.Top;
  if (w < 1 || h < 1 || w > 32767 || h > 32767) return;
  TDibBitmap off;
  if (!off.SetSize(int32_t(w), int32_t(h))) return;
  SavedDC saved(dc);
  TBitmap32& view = off.Pixels();
  PaintSection(skin, skinIndex, sectionName, ci, -1, -1, &view, offset, {0, 0, int32_t(w), int32_t(h)}, state);
  off.CopyTo(dc, r.Left, r.Top);
}

}  // namespace glyphora
