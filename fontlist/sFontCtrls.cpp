#include "fontlist/sFontCtrls.h"

#include <algorithm>
#include <cwchar>

namespace glyphora {

TsFontListBox::TsFontListBox(TComponent* owner) : TsCustomListBox(owner) {
  sorted_ = true;
  itemHeight_ = 16;
}

void TsFontListBox::SetFilterOptions(TFilterOptions value) {
  if (value == FFilterOptions) return;
  FFilterOptions = value;
  if (!Loading()) FillFontList();
}

void TsFontListBox::SetDrawFont(bool value) {
  if (value == FDrawFont) return;
  FDrawFont = value;
  ClearRowCache();
  if (!Loading()) Invalidate();
}

void TsFontListBox::Loaded() {
  TsCustomListBox::Loaded();
  FillFontList();
}

void TsFontListBox::FillFontList() {
  ClearRowCache();
  const TFontsArray& table = FontTable ? *FontTable : FontsArray();
  TStrings& items = Items();
  items.BeginUpdate();
  items.Clear();
  for (const auto& f : table) {
    bool accept = true;
    if (OnValidateFont) OnValidateFont(this, f.get(), accept);
    if (!accept) continue;
    bool admitted = false;
    switch (f->FntType) {
      case FontTypes::PS: admitted = FFilterOptions & ShowPostScript; break;
      case FontTypes::TTF: admitted = FFilterOptions & ShowTrueType; break;
      case FontTypes::RASTER: admitted = FFilterOptions & ShowRaster; break;
      case FontTypes::UNKNOWN: admitted = true; break;
    }
    if (admitted) items.AddObject(f->FntName, f.get());
  }
  items.EndUpdate();
}

TFontClass* TsFontListBox::FontAt(int index) const {
  if (!handle_ || index < 0) return nullptr;
  LRESULT d = ::SendMessageW(handle_, LB_GETITEMDATA, index, 0);
  return d == LB_ERR ? nullptr : reinterpret_cast<TFontClass*>(d);
}

void TsFontListBox::ColorChanged() {
  ClearRowCache();
  TsCustomListBox::ColorChanged();
}

void TsFontListBox::FontChanged() {
  familyFonts_.Clear();
  ClearRowCache();
  TsCustomListBox::FontChanged();
  // The row height follows the font, except while the definition is read:
  // there the item height is set after the font and wins.
  if (!Loading()) {
    TCanvas canvas;
    SetItemHeight(canvas.TextHeight(L"Wy", font_));
  }
}

namespace {
// What a row shows: the family's kind and name.
std::wstring RowKey(const TFontClass& font) {
  return std::wstring(1, static_cast<wchar_t>(L'0' + static_cast<int>(font.FntType))) + font.FntName;
}
}  // namespace

HFONT TsFontListBox::FamilyFont(const std::wstring& name) {
  if (UniqueFont* cached = familyFonts_.Find(name)) return cached->get();
  // Each family in the list box's height and weight, upright or slanted as
  // the list box's font; underline and strike-out are left off.
  const LOGFONTW lf = MakeLogFont(name, font_.Height(), font_.Style() & (fsBold | fsItalic), DEFAULT_CHARSET);
  return familyFonts_.Put(name, UniqueFont(::CreateFontIndirectW(&lf))).get();
}

void TsFontListBox::RenderRow(int index, int w, int h, bool selected) {
  HDC mem = rowBuffer_.DC();
  TCanvas canvas(mem);
  const RECT row{0, 0, w, h};
  canvas.FillRect(row, selected ? clHighlight : color_);
  TFontClass* font = index >= 0 && index < Items().Count() ? FontAt(index) : nullptr;
  if (!font) return;
  // The kind glyph sits in a square cell at the left; white is transparent.
  if (HBITMAP glyph = FontTypeGlyph(font->FntType)) {
    BITMAP bm{};
    ::GetObjectW(glyph, sizeof(bm), &bm);
    if (!glyphDC_) glyphDC_.reset(::CreateCompatibleDC(mem));
    SelectGuard sel(glyphDC_.get(), glyph);
    ::TransparentBlt(mem, 0, 0, bm.bmWidth, bm.bmHeight, glyphDC_.get(), 0, 0, bm.bmWidth, bm.bmHeight,
                     RGB(255, 255, 255));
  }
  RECT textRect = row;
  textRect.left += h;
  HFONT hf = FDrawFont ? FamilyFont(font->FntName) : font_.Handle();
  SelectGuard sel(mem, hf);
  SIZE sz{};
  ::GetTextExtentPoint32W(mem, font->FntName.c_str(), static_cast<int>(font->FntName.size()), &sz);
  ::SetBkMode(mem, TRANSPARENT);
  ::SetTextColor(mem, ColorToRGB(selected ? clHighlightText : font_.Color()));
  ::ExtTextOutW(mem, textRect.left + 1, (h - sz.cy) / 2, ETO_CLIPPED, &textRect, font->FntName.c_str(),
                static_cast<UINT>(font->FntName.size()), nullptr);
  ::GdiFlush();
}

void TsFontListBox::DrawItem(int index, const RECT& rect, unsigned state, HDC dc) {
  // Each row is composed off-screen and copied in one block: no flicker, and
  // one transfer to the screen instead of one per drawing call.
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  const bool selected = state & odSelected;
  auto blit = [&](const TBitmap32& px) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), px.Width(), -px.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    ::SetDIBitsToDevice(dc, rect.left, rect.top, static_cast<DWORD>(px.Width()), static_cast<DWORD>(px.Height()), 0,
                        0, 0, static_cast<UINT>(px.Height()), px.ScanLine(0), &bi, DIB_RGB_COLORS);
  };
  TFontClass* font = index >= 0 && index < Items().Count() ? FontAt(index) : nullptr;
  const std::wstring key = font ? RowKey(*font) : std::wstring();
  if (!selected && font) {
    TBitmap32* cached = rowCache_.Find(key);
    if (cached && cached->Width() == w && cached->Height() == h) {
      blit(*cached);
      return;
    }
  }
  if (rowBuffer_.Width() != w || rowBuffer_.Height() != h) rowBuffer_.SetSize(w, h);
  if (!rowBuffer_.DC()) return;
  RenderRow(index, w, h, selected);
  if (!selected && font) {
    blit(rowCache_.Put(key, rowBuffer_.Pixels()));
  } else {
    ::BitBlt(dc, rect.left, rect.top, w, h, rowBuffer_.DC(), 0, 0, SRCCOPY);
  }
}

}  // namespace glyphora
