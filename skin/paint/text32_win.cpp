#include "skin/paint/text32_win.h"

#include <algorithm>

#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_types.h"
#include "skin/paint/text_coverage.h"

namespace glyphora {

namespace {

TRect32 Moved(const TRect32& r, int32_t dx, int32_t dy) {
  return TRect32{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

// Black text on a white DIB: the rectangle `text` of the DIB's coordinates
// (which may start left of or above the DIB).
void RenderBlackOnWhite(TDibBitmap& dib, HFONT font, const std::wstring& text, const RECT& where, UINT flags) {
  HDC dc = dib.DC();
  dib.Pixels().Fill(0x00FFFFFFu);
  SelectGuard useFont(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(0, 0, 0));
  RECT rc = where;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, flags);
  ::GdiFlush();
}

}  // namespace

void DrawText32(TBitmap32* bmp, HFONT font, const std::wstring& text, TColor color, UINT flags, const TRect32& r) {
  if (!bmp || bmp->Empty() || text.empty() || RectWidth(r) <= 0 || RectHeight(r) <= 0) return;
  // Only the part of r inside bmp is rendered; the text keeps its place in r.
  const int32_t left = std::max(r.Left, 0), top = std::max(r.Top, 0);
  const int32_t right = std::min(r.Right, bmp->Width()), bottom = std::min(r.Bottom, bmp->Height());
  if (right <= left || bottom <= top) return;
  TDibBitmap dib(right - left, bottom - top);
  if (dib.Pixels().Empty()) return;
  RECT where{r.Left - left, r.Top - top, r.Right - left, r.Bottom - top};
  RenderBlackOnWhite(dib, font, text, where, flags & ~static_cast<UINT>(DT_CALCRECT));
  BlendTextCoverage(bmp, dib.Pixels(), left, top, color);
}

void DrawSectionText32(TBitmap32* bmp, HFONT font, TColor fontColor, const std::wstring& text, bool withShadows,
                       TsSkinManager* manager, bool hot, int32_t skinIndex, UINT flags, const TRect32& r) {
  if (text.empty()) return;
  if (!manager) manager = TsSkinManager::DefaultManager();
  if (!manager) return;
  if (!manager->IsValidSkinIndex(skinIndex)) {
    DrawText32(bmp, font, text, fontColor, flags, r);
    return;
  }
  const TsGeneralData& g = manager->Content().gd[static_cast<size_t>(skinIndex)];
  const TsFontColor& fc = g.Props[hot && g.States > 1 ? 1 : 0].FontColor;
  if (withShadows) {
    const struct { TColor c; int32_t dx, dy; } contour[] = {
        {fc.Left, -1, 0}, {fc.Top, 0, -1}, {fc.Right, 1, 0}, {fc.Bottom, 0, 1}};
    for (const auto& s : contour)
      if (s.c != clMinusOne) DrawText32(bmp, font, text, s.c, flags, Moved(r, s.dx, s.dy));
  }
  DrawText32(bmp, font, text, fc.Color, flags, r);
}

TMask8 MakeTextGlowMask(HFONT font, const std::wstring& text, const TRect32& r, int glowSize, uint8_t sides,
                        UINT flags) {
  const int32_t margin = std::max(glowSize, 0) + 4;
  const int32_t w = RectWidth(r) + 2 * margin, h = RectHeight(r) + 2 * margin;
  TMask8 mask;
  if (text.empty() || RectWidth(r) <= 0 || RectHeight(r) <= 0) return mask;
  TDibBitmap dib(w, h);
  if (dib.Pixels().Empty()) return mask;
  HDC dc = dib.DC();
  dib.Pixels().Fill(0x00FFFFFFu);
  {
    SelectGuard useFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    const struct { uint8_t bit; int dx, dy; } shifts[] = {
        {gsLeft, -1, 0}, {gsUp, 0, -1}, {gsRight, 1, 0}, {gsDown, 0, 1}, {0, 0, 0}};
    for (const auto& s : shifts) {
      if (s.bit != 0 && !(sides & s.bit)) continue;
      RECT rc{margin + s.dx, margin + s.dy, margin + s.dx + RectWidth(r), margin + s.dy + RectHeight(r)};
      ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, flags & ~static_cast<UINT>(DT_CALCRECT));
    }
    ::GdiFlush();
  }
  mask.SetSize(w, h);
  const TBitmap32& px = dib.Pixels();
  for (int32_t y = 0; y < h; ++y) {
    const uint32_t* s = px.ScanLine(y);
    uint8_t* d = mask.Row(y);
    for (int32_t x = 0; x < w; ++x)
      d[x] = static_cast<uint8_t>(((s[x] & 0xFF) + ((s[x] >> 8) & 0xFF) + ((s[x] >> 16) & 0xFF)) / 3);
  }
  BlurMask8(&mask, glowSize);
  return mask;
}

void DrawTextGlow(TBitmap32* bmp, HFONT font, const std::wstring& text, const TRect32& r, TMask8& maskCache,
                  TColor glowColor, int glowSize, uint8_t sides, UINT flags) {
  if (!bmp || bmp->Empty() || text.empty() || glowSize <= 0) return;
  const int32_t margin = glowSize + 4;
  const int32_t w = RectWidth(r) + 2 * margin, h = RectHeight(r) + 2 * margin;
  if (maskCache.Empty() || maskCache.Width != w || maskCache.Height != h)
    maskCache = MakeTextGlowMask(font, text, r, glowSize, sides, flags);
  BlendGlowMask(bmp, maskCache, r.Left - margin, r.Top - margin, glowColor);
}

}  // namespace glyphora
