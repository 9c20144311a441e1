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

LRESULT SendToControl(TControl* control, UINT msg, WPARAM wp, LPARAM lp) {
  auto* win = dynamic_cast<TWinControl*>(control);
  if (win && win->HandleAllocated()) return ::SendMessageW(win->WindowHandle(), msg, wp, lp);
  return control->Perform(msg, wp, lp);
}

// One background request: asks (SKC_GETBG) through ask; with no answer, a
// caller that asked for painting on entry gets the window's own erase and
// paint messages through paint, drawn into info.DC; any other caller gets a
// plain fill that fillWith sets. True when the asker answered.
template <class Ask, class Paint, class FillWith>
bool RequestBG(TacParentBG& info, bool& pleasePaint, Ask ask, Paint paint, FillWith fillWith) {
  const bool paintOnEntry = info.PaintIfMissing;
  info.Kind = bgkUnknown;
  info.PaintIfMissing = pleasePaint;
  ask(SkinCommandWParam(SKC_GETBG), reinterpret_cast<LPARAM>(&info));
  if (info.Kind != bgkUnknown) return true;
  if (paintOnEntry) {
    HDC dc = static_cast<HDC>(info.DC);
    if (dc) {
      SavedDC saved(dc);
      PrepareParentPaint(info, dc);
      paint(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
      paint(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    }
  } else {
    info.Kind = bgkFill;
    fillWith();
  }
  return false;
}

}  // namespace

bool RequestWindowBG(TacParentBG& info, HWND wnd, bool& pleasePaint) {
  return RequestBG(
      info, pleasePaint,
      [&](WPARAM wp, LPARAM lp) { return ::SendMessageW(wnd, SM_ALPHACMD, wp, lp); },
      [&](UINT msg, WPARAM wp) { ::SendMessageW(wnd, msg, wp, 0); },
      [&] {
        TsSkinManager* manager = TsSkinManager::DefaultManager();
        info.Color = manager ? manager->GetGlobalColor() : clBtnFace;
      });
}

bool RequestControlBG(TacParentBG& info, TControl* control, bool& pleasePaint) {
  if (!control) return false;
  return RequestBG(
      info, pleasePaint,
      [&](WPARAM wp, LPARAM lp) { return SendToControl(control, SM_ALPHACMD, wp, lp); },
      [&](UINT msg, WPARAM wp) { control->Perform(msg, wp, 0); },
      [&] {
        const LRESULT answer = SendToControl(control, SM_ALPHACMD, SkinCommandWParam(SKC_GETCOLOR), 0);
        info.Color = answer != 0 ? static_cast<TColor>(answer) : ColorToRGB(control->Color());
        if (pleasePaint && info.Bmp) FillDcRect(static_cast<HDC>(info.DC), info.R, info.Color);
      });
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
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = LONG(w);
  bi.bmiHeader.biHeight = -LONG(h);  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap dib(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return;
  UniqueMemoryDC mem(::CreateCompatibleDC(dc));
  if (!mem) return;
  SavedDC saved(dc);
  SelectGuard select(mem.get(), dib.get());
  TBitmap32 view = TBitmap32::View(bits, int32_t(w), int32_t(h), ptrdiff_t(w) * 4);
  PaintSection(skin, skinIndex, sectionName, ci, -1, -1, &view, offset, {0, 0, int32_t(w), int32_t(h)}, state);
  ::GdiFlush();
  ::BitBlt(dc, r.Left, r.Top, int32_t(w), int32_t(h), mem.get(), 0, 0, SRCCOPY);
}

}  // namespace glyphora
