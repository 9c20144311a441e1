#include "skin/paint/section_text_win.h"

#include <algorithm>

#include "base/color_convert.h"
#include "base/color_ops.h"
#include "framework/control.h"
#include "framework/handles.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_types.h"
#include "skin/paint/text32_win.h"

namespace glyphora {

namespace {

RECT ToRect(const TRect32& r, int32_t dx = 0, int32_t dy = 0) {
  return RECT{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

void TextAt(HDC dc, const std::wstring& text, const TRect32& r, int32_t dx, int32_t dy, UINT flags) {
  RECT rc = ToRect(r, dx, dy);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, flags);
}

// A control's own hue and saturation change of its colours.
struct TColorShift {
  int Hue = 0, Saturation = 0;
  TColor Apply(TColor c) const {
    if (Hue != 0) c = ShiftHueColor(Hue, c);
    if (Saturation != 0) c = AdjustSaturation(Saturation, c);
    return c;
  }
};

TColorShift ShiftOf(const TsCommonData& data) {
  if (auto* ctrl = dynamic_cast<const TsCtrlSkinData*>(&data)) return {ctrl->HUEOffset, ctrl->Saturation};
  return {};
}

// The four one-pixel contour copies in order, then the main colour.
void DrawContouredText(HDC dc, const std::wstring& text, const TsFontColor& fc, const TColorShift& shift,
                       UINT flags, UINT mainFlags, const TRect32& r) {
  const struct { TColor c; int32_t dx, dy; } contour[] = {
      {fc.Left, -1, 0}, {fc.Top, 0, -1}, {fc.Right, 1, 0}, {fc.Bottom, 0, 1}};
  for (const auto& s : contour) {
    if (s.c == clMinusOne) continue;
    ::SetTextColor(dc, ColorToRGB(shift.Apply(ColorToRGB(s.c))));
    TextAt(dc, text, r, s.dx, s.dy, flags);
  }
  ::SetTextColor(dc, ColorToRGB(shift.Apply(fc.Color)));
  TextAt(dc, text, r, 0, 0, mainFlags);
}

// The section a control's caption takes its colours from when it shows its
// parent's font: the nearest parent section that gives its font, looking
// through parents that are more than half transparent; else def.
int32_t FindFontSourceSection(TControl* control, int32_t def, TsSkinManager* manager) {
  for (TControl* parent = control->Parent(); parent; parent = parent->Parent()) {
    TacSectionInfo info;
    SendControlSkinCommand(parent, SKC_GETSKININDEX, reinterpret_cast<LPARAM>(&info));
    if (!manager->IsValidSkinIndex(info.SkinIndex)) return def;
    const TsGeneralData& g = manager->Content().gd[static_cast<size_t>(info.SkinIndex)];
    if (g.Transparency > 50 && parent->Parent()) continue;
    return g.GiveOwnFont ? info.SkinIndex : def;
  }
  return def;
}

int32_t ColorSection(const TsCommonData& data, TsSkinManager* manager, int state) {
  TControl* owner = data.FOwnerControl;
  const int32_t own = data.SkinIndex;
  if (!owner || !owner->Parent() || !owner->ParentFont()) return own;
  if (owner->IsWindowed() && data.COC != 32 && data.COC != 33 && data.COC != 74) return own;
  if (manager->Content().gd[static_cast<size_t>(own)].Props[state].Transparency <= 0) return own;
  return FindFontSourceSection(owner, own, manager);
}

// The 32-bit DIB section selected into dc, as a bitmap over its memory.
bool SelectedDib(HDC dc, TBitmap32& view) {
  auto bitmap = static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP));
  DIBSECTION ds{};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(ds), &ds) != static_cast<int>(sizeof(ds))) return false;
  if (ds.dsBm.bmBitsPixel != 32 || !ds.dsBm.bmBits || ds.dsBm.bmWidth <= 0 || ds.dsBm.bmHeight <= 0) return false;
  auto* bits = static_cast<unsigned char*>(ds.dsBm.bmBits);
  const ptrdiff_t stride = ds.dsBm.bmWidthBytes;
  if (ds.dsBmih.biHeight < 0)
    view = TBitmap32::View(bits, ds.dsBm.bmWidth, ds.dsBm.bmHeight, stride);
  else  // bottom-up: the first row seen is the last one in memory
    view = TBitmap32::View(bits + (ds.dsBm.bmHeight - 1) * stride, ds.dsBm.bmWidth, ds.dsBm.bmHeight, -stride);
  return true;
}

void DrawGlowIntoDc(HDC dc, const std::wstring& text, const TRect32& r, TColor color, int size, UINT flags) {
  TBitmap32 target;
  if (!SelectedDib(dc, target)) return;
  POINT corners[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
  ::LPtoDP(dc, corners, 2);
  ::GdiFlush();
  TMask8 mask;  // made for this text only
  DrawTextGlow(&target, static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT)), text,
               TRect32{corners[0].x, corners[0].y, corners[1].x, corners[1].y}, mask, color, size, gsAll, flags);
}

// The DC's current font with an underline, for a hot web button.
UniqueFont UnderlinedFont(HDC dc) {
  LOGFONTW lf{};
  if (!::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof(lf), &lf)) return UniqueFont();
  lf.lfUnderline = TRUE;
  return UniqueFont(::CreateFontIndirectW(&lf));
}

}  // namespace

void DrawSectionText(HDC dc, const std::wstring& text, bool enabled, bool hot, TsCommonData& skinData, UINT flags,
                     const TRect32& r) {
  if (text.empty() || !dc) return;
  TsSkinManager* manager = skinData.SkinManager();
  const bool skinned = skinData.Skinned() && manager;
  // Declared before the saved state, so it is deselected before it is freed.
  UniqueFont underline;
  SavedDC saved(dc);
  if (skinned && hot && skinData.SkinSection() == "WEBBUTTON") {
    underline = UnderlinedFont(dc);
    if (underline) ::SelectObject(dc, underline.get());
  }
  ::IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  ::SetBkMode(dc, TRANSPARENT);
  if (!skinned || skinData.CustomFont) {
    TextAt(dc, text, r, 0, 0, flags);
    return;
  }
  const int state = hot ? 1 : 0;
  const int32_t index = ColorSection(skinData, manager, state);
  const TsGeneralData& g = manager->Content().gd[static_cast<size_t>(index)];
  const TsGenState& props = g.Props[state];
  const TColorShift shift = ShiftOf(skinData);
  if (props.GlowSize != 0) DrawGlowIntoDc(dc, text, r, shift.Apply(props.GlowColor), props.GlowSize, flags);
  if (!enabled) {
    TColor c = BlendColors(ColorToRGB(g.Props[0].FontColor.Color), manager->GetGlobalColor(), 0.4);
    ::SetTextColor(dc, ColorToRGB(shift.Apply(c)));
    TextAt(dc, text, r, 0, 0, flags);
    return;
  }
  DrawContouredText(dc, text, props.FontColor, shift, flags, flags | DT_NOCLIP, r);
}

void DrawSectionTextByIndex(HDC dc, const std::wstring& text, bool enabled, TsSkinManager* manager, bool hot,
                            int32_t skinIndex, UINT flags, const TRect32& r) {
  if (text.empty() || !dc) return;
  if (!manager) manager = TsSkinManager::DefaultManager();
  if (!manager || !manager->IsValidSkinIndex(skinIndex)) return;
  const TsGeneralData& g = manager->Content().gd[static_cast<size_t>(skinIndex)];
  ::SetBkMode(dc, TRANSPARENT);
  if (!enabled) {
    ::SetTextColor(dc, ColorToRGB(BlendColors(ColorToRGB(g.Props[0].FontColor.Color), ColorToRGB(g.Color), 0.4)));
    TextAt(dc, text, r, 0, 0, flags);
    return;
  }
  DrawContouredText(dc, text, g.Props[hot ? 1 : 0].FontColor, TColorShift{}, flags, flags, r);
}

int DrawTextInRect(HDC dc, const std::wstring& text, const TRect32& r, UINT flags) {
  if (!dc) return 0;
  RECT rc = ToRect(r);
  return ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, flags);
}

std::wstring FitTextWithEllipsis(HDC dc, const std::wstring& text, int maxWidth) {
  if (maxWidth <= 0 || !dc) return {};
  auto width = [dc](const std::wstring& s) {
    SIZE sz{};
    ::GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &sz);
    return static_cast<int>(sz.cx);
  };
  if (width(text) <= maxWidth) return text;
  // No start longer than what fits maxWidth alone can fit with the "...":
  // begin there rather than at the far end of a long text.
  int fit = 0;
  SIZE whole{};
  ::GetTextExtentExPointW(dc, text.c_str(), static_cast<int>(text.size()), maxWidth, &fit, nullptr, &whole);
  size_t n = std::min(text.size(), static_cast<size_t>(std::max(fit, 0)));
  for (; n > 0; --n) {
    // Never keep the first half of a surrogate pair without its second.
    if (n < text.size() && IS_LOW_SURROGATE(text[n])) continue;
    std::wstring candidate = text.substr(0, n) + L"...";
    if (width(candidate) <= maxWidth) return candidate;
  }
  return {};
}

}  // namespace glyphora
