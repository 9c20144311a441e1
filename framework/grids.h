// The string grid, drawn by the framework: grid lines, one selected cell,
// arrow-key navigation, select-cell, double-click and key-down events.
#pragma once
#include <string>
#include <vector>

#include "framework/control.h"
#include "framework/stdctrls.h"

namespace glyphora {

enum TGridOption : unsigned {
  goFixedVertLine = 1, goFixedHorzLine = 2, goVertLine = 4, goHorzLine = 8,
  goRangeSelect = 16, goDrawFocusSelected = 32, goEditing = 64, goTabs = 128,
};
using TSelectCellEvent = std::function<void(TComponent* sender, int col, int row, bool& canSelect)>;

class TStringGrid : public TCustomControl {
 public:
  explicit TStringGrid(TComponent* owner);

  int ColCount() const { return colCount_; }
  int RowCount() const { return rowCount_; }
  void SetColCount(int n);
  void SetRowCount(int n);
  int DefaultColWidth = 64;
  int DefaultRowHeight = 24;
  int GridLineWidth = 1;
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }
  // Changing the fixed cells makes the first non-fixed cell current.
  void SetFixedCols(int n);
  void SetFixedRows(int n);
  unsigned Options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  TBorderStyle BorderStyle = TBorderStyle::bsSingle;
  void SetCtl3D(bool value) { ctl3D_ = value; }

  const std::wstring& Cell(int col, int row) const;
  void SetCell(int col, int row, const std::wstring& text);
  int Col() const { return col_; }
  int Row() const { return row_; }
  // Makes (col, row) current if OnSelectCell allows it; true when it moved.
  bool FocusCell(int col, int row);
  void SetCol(int col) { FocusCell(col, row_); }
  void SetRow(int row) { FocusCell(col_, row); }
  RECT CellRect(int col, int row) const;
  // The cell under a client point, or false.
  bool MouseToCell(int x, int y, int& col, int& row) const;

  TSelectCellEvent OnSelectCell;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void PaintCanvas(TCanvas& canvas) override;
  void KeyDown(WORD& key, unsigned shift) override;
  virtual void DrawCell(TCanvas& canvas, int col, int row, const RECT& rect, bool selected, bool fixed);
  int VisibleRows() const;

 private:
  void InvalidateCell(int col, int row);
  int colCount_ = 5, rowCount_ = 5;
  int fixedCols_ = 1, fixedRows_ = 1;
  int col_ = 1, row_ = 1;
  std::vector<std::wstring> cells_;
};

}  // namespace glyphora
