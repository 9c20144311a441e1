#include "fontlist/sFontCtrls.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "base/scope_exit.h"
#include "framework/graphics.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_content.h"
#include "skin/paint/keyed_copy.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/section_text_win.h"

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
  auto admit = [this](const TFontClass& f) {
    switch (f.FntType) {
      case FontTypes::PS: return (FFilterOptions & ShowPostScript) != 0;
      case FontTypes::TTF: return (FFilterOptions & ShowTrueType) != 0;
      case FontTypes::RASTER: return (FFilterOptions & ShowRaster) != 0;
      case FontTypes::UNKNOWN: break;
    }
    return true;
  };
  std::vector<const TFontClass*> admitted;
  admitted.reserve(table.size());
  if (Sorted() && !FontTable && !OnValidateFont) {
    // The installed families come sorted already (the same order as below:
    // filtering a stably sorted list keeps it sorted).
    for (const TFontClass* f : SortedFontsArray())
      if (admit(*f)) admitted.push_back(f);
  } else {
    for (const auto& f : table) {
      bool accept = true;
      if (OnValidateFont) OnValidateFont(this, f.get(), accept);
      if (accept && admit(*f)) admitted.push_back(f.get());
    }
    // A sorted list box finds each added name's place by a binary search of
    // locale comparisons; sorting here with the same comparison and
    // appending in order spares it that (thousands of comparisons for a
    // large set).
    if (Sorted()) SortFamilies(admitted);
  }
  TStrings& items = Items();
  const HWND wnd = Handle();
  items.BeginUpdate();
  items.Clear();
  size_t chars = 0;
  for (const TFontClass* f : admitted) chars += f->FntName.size() + 1;
  ::SendMessageW(wnd, LB_INITSTORAGE, admitted.size(), chars * sizeof(wchar_t));
  for (const TFontClass* f : admitted) {
    const LRESULT i = ::SendMessageW(wnd, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(f->FntName.c_str()));
    if (i >= 0) ::SendMessageW(wnd, LB_SETITEMDATA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(f));
  }
  items.EndUpdate();
  WarmUpFirstPage(admitted);
}

LOGFONTW TsFontListBox::FamilyLogFont(const std::wstring& name) const {
  // Each family in the list box's height and weight, upright or slanted as
  // the list box's font; underline and strike-out are left off.
  return MakeLogFont(name, font_.Height(), font_.Style() & (fsBold | fsItalic), DEFAULT_CHARSET);
}

void TsFontListBox::WarmUpFirstPage(const std::vector<const TFontClass*>& order) {
  if (!FDrawFont || order.empty()) return;
  // The rows the first paint shows (the list is filled from the top), or
  // a page of a usual height while the list has no size yet.
  RECT client{};
  if (handle_) ::GetClientRect(handle_, &client);
  const int rowHeight = std::max(1, itemHeight_);
  const size_t rows = client.bottom > 0 ? static_cast<size_t>(client.bottom / rowHeight + 1) : 32;
  std::vector<std::wstring> faces;
  for (size_t i = 0; i < order.size() && faces.size() < std::min(rows, kMaxFamilyFonts); ++i)
    faces.push_back(order[i]->FntName);
  const LOGFONTW look = FamilyLogFont(L"");
  if (std::unique_ptr<TFontWarmUp> prepared = TakePreparedWarmUp(faces, look))
    warmUp_ = std::move(prepared);
  else
    warmUp_->Start(faces, look);
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
  warmUp_->Drop();
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
// What an unselected row shows: its colours, the family's kind and name.
std::wstring RowKey(const TFontClass& font, const TsFontListBox::RowLook& look) {
  std::wstring key;
  key.reserve(font.FntName.size() + 5);
  for (TColor c : {look.Back, look.Text}) {
    key += static_cast<wchar_t>(c & 0xFFFF);
    key += static_cast<wchar_t>(c >> 16);
  }
  key += static_cast<wchar_t>(L'0' + static_cast<int>(font.FntType) + (look.Manager ? 8 : 0));
  return key + font.FntName;
}
}  // namespace

const TsFontListBox::FamilyFontEntry& TsFontListBox::FamilyFont(const std::wstring& name, HDC dc) {
  if (FamilyFontEntry* cached = familyFonts_.Find(name)) return *cached;
  const LOGFONTW lf = FamilyLogFont(name);
  FamilyFontEntry entry;
  if (warmUp_->Take(name, lf, entry.font, entry.height)) return *familyFonts_.Put(name, std::move(entry));
  entry.font = UniqueFont(::CreateFontIndirectW(&lf));
  // The cell height of the text, for centring: the same height a text
  // extent would give, without measuring every character of the name.
  TEXTMETRICW tm{};
  SelectGuard sel(dc, entry.font ? entry.font.get() : font_.Handle());
  if (::GetTextMetricsW(dc, &tm)) entry.height = tm.tmHeight;
  return *familyFonts_.Put(name, std::move(entry));
}

TsFontListBox::RowLook TsFontListBox::LookOf(bool selected, bool focused) const {
  RowLook look;
  look.Back = color_;
  look.Text = font_.Color();
  look.Focused = focused;
  if (!SkinActive()) {
    if (selected) {
      look.Back = clHighlight;
      look.Text = clHighlightText;
    }
    return look;
  }
  TsSkinManager* manager = SkinData->SkinManager();
  look.Manager = manager;
  if (selected) {
    look.Selection = manager->GetSkinIndex("SELECTION");
    look.Back = manager->GetHighLightColor(focused);
    look.Text = manager->GetHighLightFontColor(focused);
  } else if (const TsGeneralData* g = SkinData->Section()) {
    look.Text = SkinData->IsHot() && g->States > 1 ? g->HotFontColor.Color : g->FontColor.Color;
  }
  return look;
}

void TsFontListBox::RenderRow(int index, int w, int h, const RowLook& look) {
  ++rowsComposed_;
  HDC mem = rowBuffer_.DC();
  const bool section = look.Manager && look.Manager->IsValidSkinIndex(look.Selection);
  TFontClass* font = index >= 0 && index < Items().Count() ? FontAt(index) : nullptr;
  HFONT hf = font_.Handle();
  int textHeight = 0;
  if (font && FDrawFont) {
    const FamilyFontEntry& family = FamilyFont(font->FntName, mem);
    if (family.font) hf = family.font.get();
    textHeight = family.height;
  } else if (font) {
    TEXTMETRICW tm{};
    SelectGuard sel(mem, hf);
    if (::GetTextMetricsW(mem, &tm)) textHeight = tm.tmHeight;
  }
  if (!section) {
    if (!font) {
      TCanvas(mem).FillRect(RECT{0, 0, w, h}, look.Back);
      return;
    }
    PaintPlainRow(rowBuffer_, TPlainRow{font->FntName, font->FntType, look.Back, look.Text, look.Manager != nullptr, w, h},
                  hf, textHeight);
    return;
  }
  // The selection's section: its hot look while the list has the focus.
  ::GdiFlush();
  PaintSection(&look.Manager->Content(), look.Selection, "SELECTION", TCacheInfo{nullptr, 0, 0, color_, false}, -1,
               -1, &rowBuffer_.Pixels(), TPoint32{0, 0}, TRect32{0, 0, w, h}, look.Focused ? 1 : 0);
  if (!font) return;
  const TBitmap32& glyph = FontTypeGlyphPixels(font->FntType);
  if (!glyph.Empty())
    CopyKeyedRect(&rowBuffer_.Pixels(), &glyph, 0, TColor(0x00FFFFFF), {0, 0, glyph.Width() - 1, glyph.Height() - 1},
                  0);
  // The name is centred on the glyph's band, the row's top.
  const int band = glyph.Height() > 0 ? glyph.Height() : h;
  SelectGuard sel(mem, hf);
  DrawSectionTextByIndex(mem, font->FntName, true, look.Manager, look.Focused, look.Selection,
                         DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP,
                         TRect32{h + 1, 0, w - 1, band});
  ::GdiFlush();
}

void TsFontListBox::DrawItem(int index, const RECT& rect, unsigned state, HDC dc) {
  // Each row is composed off-screen and copied in one block: no flicker, and
  // one transfer to the screen instead of one per drawing call.
  painter_.Hold();
  ScopeExit release([this] { painter_.Release(); });
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  const bool selected = state & odSelected;
  // The selection looks focused while the list has the focus, whatever
  // the platform says of its caret (a selection set by program has none).
  const RowLook look = LookOf(selected, (state & odFocused) != 0 || (selected && Focused()));
  auto blit = [&](const TBitmap32& px) { DrawBitmap32(dc, rect.left, rect.top, px); };
  TFontClass* font = index >= 0 && index < Items().Count() ? FontAt(index) : nullptr;
  const std::wstring key = font ? RowKey(*font, look) : std::wstring();
  rowWidth_ = w;
  rowHeight_ = h;
  // Rows finished ahead go into the cache first: the queue skips them.
  CollectAhead();
  QueueAhead();
  if (!selected && font) {
    TBitmap32* cached = rowCache_.Find(key);
    // A row the painter has in hand is waited for rather than drawn twice.
    if (!cached && painter_.Claim(key)) {
      CollectAhead();
      cached = rowCache_.Find(key);
    }
    if (cached && cached->Width() == w && cached->Height() == h) {
      blit(*cached);
      return;
    }
  }
  if (rowBuffer_.Width() != w || rowBuffer_.Height() != h) rowBuffer_.SetSize(w, h);
  if (!rowBuffer_.DC()) return;
  RenderRow(index, w, h, look);
  if (!selected && font) {
    if (const TBitmap32* kept = rowCache_.Put(key, rowBuffer_.Pixels(), RowBytes(w, h))) {
      blit(*kept);
      return;
    }
  }
  ::BitBlt(dc, rect.left, rect.top, w, h, rowBuffer_.DC(), 0, 0, SRCCOPY);
}

void TsFontListBox::CollectAhead() {
  painter_.Collect([&](const std::wstring& key, TBitmap32&& pixels) {
    const size_t bytes = RowBytes(pixels.Width(), pixels.Height());
    rowCache_.Put(key, std::move(pixels), bytes);
  });
}

void TsFontListBox::QueueAhead() {
  const int w = rowWidth_, h = rowHeight_;
  if (!handle_ || !FDrawFont || w <= 0 || h <= 0) return;
  const int top = TopIndex();
  const RowLook look = LookOf(false, false);
  if (top == queuedTop_ && w == queuedWidth_ && h == queuedHeight_ && look.Back == queuedBack_ &&
      look.Text == queuedText_)
    return;
  const bool up = queuedTop_ >= 0 && top < queuedTop_;
  queuedTop_ = top;
  queuedWidth_ = w;
  queuedHeight_ = h;
  queuedBack_ = look.Back;
  queuedText_ = look.Text;
  RECT client{};
  ::GetClientRect(handle_, &client);
  const int page = std::max(1, static_cast<int>(client.bottom - client.top) / h);
  // The view and the pages around it must all fit in the cache, or each
  // row drawn ahead would push out another one still needed.
  constexpr int kPagesAhead = 2;
  if (static_cast<size_t>((kPagesAhead + 3) * page) * RowBytes(w, h) > kMaxCachedRowBytes) {
    painter_.Cancel();
    return;
  }
  const int count = Items().Count(), selected = ItemIndex();
  std::vector<TRowPainter::Job> jobs;
  auto add = [&](int index) {
    if (index < 0 || index >= count || index == selected) return;
    const TFontClass* font = FontAt(index);
    if (!font) return;
    std::wstring key = RowKey(*font, look);
    const TBitmap32* cached = rowCache_.Find(key);
    if (cached && cached->Width() == w && cached->Height() == h) return;
    jobs.push_back({std::move(key), TPlainRow{font->FntName, font->FntType, look.Back, look.Text,
                                              look.Manager != nullptr, w, h}});
  };
  // The rows in view this thread has not drawn in this look yet (the
  // selection moves onto them: the list's colours follow its focus), then
  // ahead in the direction of travel, nearest rows first, then behind.
  for (int i = top; i <= top + page; ++i) add(i);
  const int step = up ? -1 : 1;
  const int ahead = up ? top - 1 : top + page + 1;
  for (int k = 0; k < kPagesAhead * page; ++k) add(ahead + step * k);
  const int behind = up ? top + page + 1 : top - 1;
  for (int k = 0; k < page; ++k) add(behind - step * k);
  const bool any = !jobs.empty();
  painter_.Queue(std::move(jobs), FamilyLogFont(L""));
  if (any && !aheadTimer_) aheadTimer_ = ::SetTimer(handle_, kAheadTimer, kAheadPeriodMs, nullptr) != 0;
}

void TsFontListBox::WndProc(TMessage& m) {
  if (m.Msg == WM_TIMER && m.WParam == kAheadTimer) {
    if (painter_.Pending() == 0) {
      ::KillTimer(handle_, kAheadTimer);
      aheadTimer_ = false;
    } else {
      painter_.Go();
    }
    m.Result = 0;
    return;
  }
  if (m.Msg == WM_DESTROY) {
    painter_.Cancel();
    queuedTop_ = -1;
    aheadTimer_ = false;
  }
  // The row painter keeps off Wine's font lock while the list works.
  painter_.Hold();
  ScopeExit release([this] { painter_.Release(); });
  TsCustomListBox::WndProc(m);
}

}  // namespace glyphora
