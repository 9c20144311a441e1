// The framework's own look of owner-drawn menu items (for items without
// handlers of their own), the menu fonts, and shortcut texts.
#include <algorithm>
#include <cwctype>

#include "framework/menus.h"

namespace glyphora {

namespace {

struct TKeyName {
  uint8_t Key;
  const wchar_t* Name;
};
// Keys whose names are not their character.
constexpr TKeyName kKeyNames[] = {
    {VK_BACK, L"BkSp"}, {VK_TAB, L"Tab"}, {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"}, {VK_SPACE, L"Space"},
    {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"}, {VK_END, L"End"}, {VK_HOME, L"Home"}, {VK_LEFT, L"Left"},
    {VK_UP, L"Up"}, {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"}, {VK_INSERT, L"Ins"}, {VK_DELETE, L"Del"},
};

std::wstring KeyName(uint8_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  for (const TKeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return {};
}

bool StartsWithNoCase(const std::wstring& s, size_t at, const wchar_t* prefix) {
  for (size_t i = 0; prefix[i]; ++i)
    if (at + i >= s.size() || std::towupper(s[at + i]) != std::towupper(prefix[i])) return false;
  return true;
}

UniqueFont g_menuFonts[2];

}  // namespace

std::wstring ShortCutToText(TShortCut sc) {
  const std::wstring key = KeyName(static_cast<uint8_t>(sc & 0xFF));
  if (key.empty()) return {};
  std::wstring text;
  if (sc & scShift) text += L"Shift+";
  if (sc & scCtrl) text += L"Ctrl+";
  if (sc & scAlt) text += L"Alt+";
  return text + key;
}

TShortCut TextToShortCut(const std::wstring& text) {
  TShortCut mods = 0;
  size_t at = 0;
  for (bool more = true; more;) {
    more = false;
    const struct {
      const wchar_t* Prefix;
      TShortCut Bit;
    } prefixes[] = {{L"Shift+", scShift}, {L"Ctrl+", scCtrl}, {L"Alt+", scAlt}};
    for (const auto& p : prefixes)
      if (StartsWithNoCase(text, at, p.Prefix)) {
        mods |= p.Bit;
        at += wcslen(p.Prefix);
        more = true;
      }
  }
  const std::wstring rest = text.substr(at);
  if (rest.empty()) return 0;
  for (int key = 1; key < 256; ++key) {
    const std::wstring name = KeyName(static_cast<uint8_t>(key));
    if (!name.empty() && name.size() == rest.size() && StartsWithNoCase(rest, 0, name.c_str()))
      return static_cast<TShortCut>(mods | key);
  }
  return 0;
}

HFONT MenuFont(bool bold) {
  UniqueFont& f = g_menuFonts[bold ? 1 : 0];
  if (!f) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    LOGFONTW lf{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) lf = ncm.lfMenuFont;
    else ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    if (bold) lf.lfWeight = FW_BOLD;
    f.reset(::CreateFontIndirectW(&lf));
  }
  return f.get();
}

void ResetMenuFonts() {
  g_menuFonts[0].reset();
  g_menuFonts[1].reset();
}

// Check column and gaps of the framework's look.
namespace {
constexpr int kCheckWidth = 20, kTextGap = 4, kShortcutGap = 24, kLineHeight = 8;

std::wstring ShortcutOf(const TMenuItem* item) { return ShortCutToText(item->ShortCut); }
}  // namespace

void DefaultMeasureMenuItem(TMenuItem* item, HDC dc, int& width, int& height) {
  if (item->IsLine()) {
    width = kCheckWidth;
    height = kLineHeight;
    return;
  }
  RECT r{};
  ::DrawTextW(dc, item->Caption.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
  int w = r.right + kCheckWidth + 2 * kTextGap;
  const std::wstring sc = ShortcutOf(item);
  if (!sc.empty()) {
    RECT s{};
    ::DrawTextW(dc, sc.c_str(), -1, &s, DT_SINGLELINE | DT_CALCRECT);
    w += kShortcutGap + s.right;
  }
  width = w;
  height = std::max({static_cast<int>(r.bottom) + 6, ::GetSystemMetrics(SM_CYMENU) - 1,
                     item->Bitmap.Height() + 4});
}

void DefaultDrawMenuItem(TMenuItem* item, const TMenuDrawArgs& a) {
  HDC dc = a.DC;
  RECT r = a.Rect;
  const bool selected = (a.State & misSelected) && item->Enabled;
  ::FillRect(dc, &r, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (item->IsLine()) {
    RECT line{r.left + 1, (r.top + r.bottom) / 2 - 1, r.right - 1, (r.top + r.bottom) / 2 + 1};
    ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  ::SetBkMode(dc, TRANSPARENT);
  ::SelectObject(dc, MenuFont(item->Default));
  const int textColor = !item->Enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
  ::SetTextColor(dc, ::GetSysColor(textColor));
  if (item->Checked && item->Bitmap.Empty()) {
    // The platform's check or bullet glyph, drawn as a mask in the text colour.
    const int s = std::min<int>(kCheckWidth - 4, r.bottom - r.top);
    RECT g{r.left + 2, r.top + (r.bottom - r.top - s) / 2, r.left + 2 + s, 0};
    g.bottom = g.top + s;
    ::DrawFrameControl(dc, &g, DFC_MENU, item->RadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK);
  }
  if (!item->Bitmap.Empty()) {
    const TBitmap32& b = item->Bitmap;
    const int y0 = r.top + (r.bottom - r.top - b.Height()) / 2;
    // Straight alpha over the item's fill, pixel by pixel (item bitmaps are small).
    const COLORREF bg = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    for (int32_t y = 0; y < b.Height(); ++y)
      for (int32_t x = 0; x < b.Width() && x < kCheckWidth; ++x) {
        const uint32_t p = b.Pixel(x, y), al = p >> 24;
        if (!al) continue;
        auto mix = [al](uint32_t s, uint32_t d) { return (s * al + d * (255 - al) + 127) / 255; };
        ::SetPixelV(dc, r.left + 2 + x, y0 + y,
                    RGB(mix((p >> 16) & 0xFF, GetRValue(bg)), mix((p >> 8) & 0xFF, GetGValue(bg)),
                        mix(p & 0xFF, GetBValue(bg))));
      }
  }
  RECT t{r.left + kCheckWidth + kTextGap, r.top, r.right - kTextGap, r.bottom};
  const UINT hide = (a.State & misNoAccel) ? DT_HIDEPREFIX : 0;
  ::DrawTextW(dc, item->Caption.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT | hide);
  const std::wstring sc = ShortcutOf(item);
  if (!sc.empty()) ::DrawTextW(dc, sc.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
}

}  // namespace glyphora
