#include "skin/paint/text32_win.h"

#include <algorithm>
#include <memory>

#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_types.h"
#include "skin/paint/text_coverage.h"

namespace glyphora {

namespace {

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

// Text rendered once black on white over the part of r that can still
// reach bmp when moved by up to `reach` pixels; (left, top) is where the
// DIB's first pixel lies in bmp for the unmoved text.
struct TRenderedText {
  std::unique_ptr<TDibBitmap> dib;
  int32_t left = 0, top = 0;
};

TRenderedText RenderForBitmap(const TBitmap32& bmp, HFONT font, const std::wstring& text, UINT flags,
                              const TRect32& r, int32_t reach) {
  TRenderedText out;
  if (bmp.Empty() || text.empty() || RectWidth(r) <= 0 || RectHeight(r) <= 0) return out;
  const int32_t left = std::max(r.Left, -reach), top = std::max(r.Top, -reach);
  const int32_t right = std::min(r.Right, bmp.Width() + reach), bottom = std::min(r.Bottom, bmp.Height() + reach);
  if (right <= left || bottom <= top) return out;
  auto dib = std::make_unique<TDibBitmap>(right - left, bottom - top);
  if (dib->Pixels().Empty()) return out;
  RenderBlackOnWhite(*dib, font, text, RECT{r.Left - left, r.Top - top, r.Right - left, r.Bottom - top},
                     flags & ~static_cast<UINT>(DT_CALCRECT));
  out.dib = std::move(dib);
  out.left = left;
  out.top = top;
  return out;
}

}  // namespace

void DrawText32(TBitmap32* bmp, HFONT font, const std::wstring& text, TColor color, UINT flags, const TRect32& r) {
  if (!bmp) return;
  const TRenderedText t = RenderForBitmap(*bmp, font, text, flags, r, 0);
  if (t.dib) BlendTextCoverage(bmp, t.dib->Pixels(), t.left, t.top, color);
}

void DrawSectionText32(TBitmap32* bmp, HFONT font, TColor fontColor, const std::wstring& text, bool withShadows,
                       TsSkinManager* manager, bool hot, int32_t skinIndex, UINT flags, const TRect32& r) {
  if (text.empty() || !bmp) return;
  if (!manager) manager = TsSkinManager::DefaultManager();
  if (!manager) return;
  if (!manager->IsValidSkinIndex(skinIndex)) {
    DrawText32(bmp, font, text, fontColor, flags, r);
    return;
  }
  const TsGeneralData& g = manager->Content().gd[static_cast<size_t>(skinIndex)];
  const TsFontColor& fc = g.Props[hot && g.States > 1 ? 1 : 0].FontColor;
  // A copy moved by a pixel is the same rendering laid a pixel further: the
  // text is rendered once for all five.
  const TRenderedText t = RenderForBitmap(*bmp, font, text, flags, r, 1);
  if (!t.dib) return;
  if (withShadows) {
    const struct { TColor c; int32_t dx, dy; } contour[] = {
        {fc.Left, -1, 0}, {fc.Top, 0, -1}, {fc.Right, 1, 0}, {fc.Bottom, 0, 1}};
    for (const auto& s : contour)
      if (s.c != clMinusOne) BlendTextCoverage(bmp, t.dib->Pixels(), t.left + s.dx, t.top + s.dy, s.c);
  }
  BlendTextCoverage(bmp, t.dib->Pixels(), t.left, t.top, fc.Color);
}

TMask8 MakeTextGlowMask(HFONT font, const std::wstring& text, const TRect32& r, int glowSize, uint8_t sides,
                        UINT flags) {
  const int32_t margin = std::max(glowSize, 0) + 4;
  const int32_t w = RectWidth(r) + 2 * margin, h = RectHeight(r) + 2 * margin;
  TMask8 mask;
  if (text.empty() || RectWidth(r) <= 0 || RectHeight(r) <= 0) return mask;
  // The text is rendered once; the shifted copies are laid over each other
  // the way black text drawn again darkens what is there (coverages multiply).
  TDibBitmap dib(w, h);
  if (dib.Pixels().Empty()) return mask;
  RenderBlackOnWhite(dib, font, text, RECT{margin, margin, margin + RectWidth(r), margin + RectHeight(r)},
                     flags & ~static_cast<UINT>(DT_CALCRECT));
  TMask8 once(w, h);
  const TBitmap32& px = dib.Pixels();
  for (int32_t y = 0; y < h; ++y) {
    const uint32_t* s = px.ScanLine(y);
    uint8_t* d = once.Row(y);
    for (int32_t x = 0; x < w; ++x)
      d[x] = static_cast<uint8_t>(((s[x] & 0xFF) + ((s[x] >> 8) & 0xFF) + ((s[x] >> 16) & 0xFF)) / 3);
  }
  mask = once;
  const struct { uint8_t bit; int32_t dx, dy; } shifts[] = {
      {gsLeft, -1, 0}, {gsUp, 0, -1}, {gsRight, 1, 0}, {gsDown, 0, 1}};
  for (const auto& s : shifts) {
    if (!(sides & s.bit)) continue;
    for (int32_t y = std::max(0, s.dy); y < std::min(h, h + s.dy); ++y) {
      const uint8_t* src = once.Row(y - s.dy);
      uint8_t* d = mask.Row(y);
      for (int32_t x = std::max(0, s.dx); x < std::min(w, w + s.dx); ++x)
        d[x] = static_cast<uint8_t>(d[x] * src[x - s.dx] / 255);
    }
  }
  BlurMask8(&mask, glowSize);
  return mask;
}

bool DrawTextGlow(TBitmap32* bmp, HFONT font, const std::wstring& text, const TRect32& r, TMask8& maskCache,
                  TColor glowColor, int glowSize, uint8_t sides, UINT flags) {
  if (!bmp || bmp->Empty() || text.empty() || glowSize <= 0) return false;
  const int32_t margin = glowSize + 4;
  const int32_t w = RectWidth(r) + 2 * margin, h = RectHeight(r) + 2 * margin;
  const bool make = maskCache.Empty() || maskCache.Width != w || maskCache.Height != h;
  if (make) maskCache = MakeTextGlowMask(font, text, r, glowSize, sides, flags);
  BlendGlowMask(bmp, maskCache, r.Left - margin, r.Top - margin, glowColor);
  return make;
}

}  // namespace glyphora
