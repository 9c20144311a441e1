// The list of installed font families: one row per family with its kind
// glyph and its name written in that very family.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "fontlist/font_prepare.h"
#include "fontlist/font_table.h"
#include "fontlist/font_warmup.h"
#include "fontlist/lru_cache.h"
#include "fontlist/row_painter.h"
#include "fontlist/sListBox.h"

namespace glyphora {

enum TFilterOption : unsigned { ShowTrueType = 1, ShowPostScript = 2, ShowRaster = 4 };
using TFilterOptions = unsigned;
constexpr TFilterOptions AllFilterOptions = ShowTrueType | ShowPostScript | ShowRaster;

using EValidateFont = std::function<void(TComponent* sender, TFontClass* font, bool& accept)>;

class TsFontListBox : public TsCustomListBox {
 public:
  explicit TsFontListBox(TComponent* owner);

  TFilterOptions FilterOptions() const { return FFilterOptions; }
  void SetFilterOptions(TFilterOptions value);
  bool DrawFont() const { return FDrawFont; }
  void SetDrawFont(bool value);
  EValidateFont OnValidateFont;
  // The table the list fills from; the installed fonts unless replaced.
  const TFontsArray* FontTable = nullptr;

  void Loaded() override;
  // Rebuilds the items from the font table.
  void FillFontList();
  TFontClass* FontAt(int index) const;
  void WndProc(TMessage& message) override;

  // Fonts of the families drawn last (a few pages' worth), and finished
  // rows: at most so many, and at most so many bytes of them (rows are as
  // high as another program may make them).
  static constexpr size_t kMaxFamilyFonts = 96;
  static constexpr size_t kMaxCachedRows = 400;
  static constexpr size_t kMaxCachedRowBytes = size_t{16} << 20;
  size_t RowCacheBytes() const { return rowCache_.Cost(); }
  // The thread that realises the first page's fonts after a fill (for tests).
  TFontWarmUp& WarmUp() { return *warmUp_; }
  // The thread that draws rows ahead of the view (for tests).
  TRowPainter& RowPainter() { return painter_; }
  // Rows this thread composed itself rather than copied from the cache.
  int RowsComposed() const { return rowsComposed_; }

  // How a row is drawn: its colours and, skinned, the selection's section.
  struct RowLook {
    TColor Back = 0, Text = 0;
    TsSkinManager* Manager = nullptr;  // set while skinned
    int32_t Selection = -1;            // the "SELECTION" section, or -1
    bool Focused = false;
  };

 protected:
  void DrawItem(int index, const RECT& rect, unsigned state, HDC dc) override;
  void FontChanged() override;
  void ColorChanged() override;

 private:
  // A family's font for the rows and the height of its text cell.
  struct FamilyFontEntry {
    UniqueFont font;
    int height = 0;
  };
  const FamilyFontEntry& FamilyFont(const std::wstring& name, HDC dc);
  TFilterOptions FFilterOptions = AllFilterOptions;
  bool FDrawFont = true;
  // Renders one row into the row buffer.
  void RenderRow(int index, int width, int height, const RowLook& look);
  RowLook LookOf(bool selected, bool focused) const;
  void ClearRowCache() {
    rowCache_.Clear();
    painter_.Cancel();
    queuedTop_ = -1;
  }
  // Whenever the view or the rows' colours change, the rows in and around
  // the view not kept yet go to the row painter: the view's, the next pages
  // in the direction of travel, then the page behind. Finished rows are
  // taken into the row cache as rows are drawn.
  void QueueAhead();
  void CollectAhead();
  // While rows wait, a timer lets the painter go: its message comes only
  // when the program has nothing else to do.
  static constexpr UINT_PTR kAheadTimer = 0x464C;
  static constexpr UINT kAheadPeriodMs = 16;
  bool aheadTimer_ = false;
  TRowPainter painter_;
  // The view and the look last queued (top row, row size, colours).
  int queuedTop_ = -1, queuedWidth_ = 0, queuedHeight_ = 0;
  TColor queuedBack_ = 0, queuedText_ = 0;
  int rowsComposed_ = 0;
  int rowWidth_ = 0, rowHeight_ = 0;  // the size of the rows drawn last

  TLruCache<std::wstring, FamilyFontEntry> familyFonts_{kMaxFamilyFonts};
  // The first page's family fonts, realised on a thread while the list is
  // filled and the window is still being shown (or taken over from
  // PrepareFontList, which began them earlier).
  std::unique_ptr<TFontWarmUp> warmUp_ = std::make_unique<TFontWarmUp>();
  void WarmUpFirstPage(const std::vector<const TFontClass*>& order);
  LOGFONTW FamilyLogFont(const std::wstring& name) const;
  TDibBitmap rowBuffer_;
  // Finished unselected rows: drawing a name in its own family is costly, so
  // a repaint or scroll copies rows drawn before. Keyed by what the row
  // shows (kind and name), not by its index, which changes whenever items
  // are added or removed. Plain memory, no handles.
  TLruCache<std::wstring, TBitmap32> rowCache_{kMaxCachedRows, kMaxCachedRowBytes};
  static size_t RowBytes(int w, int h) { return static_cast<size_t>(w) * static_cast<size_t>(h) * 4; }
};

}  // namespace glyphora
