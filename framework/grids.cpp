#include "framework/grids.h"

#include <windowsx.h>

#include <algorithm>

namespace glyphora {

namespace {
const std::wstring kEmpty;
}

TStringGrid::TStringGrid(TComponent* owner) : TCustomControl(owner) {
  tabStop_ = true;
  color_ = clWindow;
  width_ = 320;
  height_ = 120;
  cells_.resize(static_cast<size_t>(colCount_ * rowCount_));
}

void TStringGrid::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.WinClassName = L"GlyphoraStringGrid";
  AddBorder(p, BorderStyle == TBorderStyle::bsSingle);
}

void TStringGrid::SetColCount(int n) {
  n = std::max(n, 1);
  std::vector<std::wstring> cells(static_cast<size_t>(n * rowCount_));
  for (int r = 0; r < rowCount_; ++r)
    for (int c = 0; c < std::min(n, colCount_); ++c) cells[static_cast<size_t>(r * n + c)] = Cell(c, r);
  cells_ = std::move(cells);
  colCount_ = n;
  fixedCols_ = std::min(fixedCols_, n - 1);
  col_ = std::clamp(col_, fixedCols_, n - 1);
  Invalidate();
}

void TStringGrid::SetRowCount(int n) {
  n = std::max(n, 1);
  cells_.resize(static_cast<size_t>(colCount_ * n));
  rowCount_ = n;
  fixedRows_ = std::min(fixedRows_, n - 1);
  row_ = std::clamp(row_, fixedRows_, n - 1);
  Invalidate();
}

void TStringGrid::SetFixedCols(int n) {
  fixedCols_ = std::clamp(n, 0, colCount_ - 1);
  col_ = fixedCols_;
  Invalidate();
}

void TStringGrid::SetFixedRows(int n) {
  fixedRows_ = std::clamp(n, 0, rowCount_ - 1);
  row_ = fixedRows_;
  Invalidate();
}

const std::wstring& TStringGrid::Cell(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return kEmpty;
  return cells_[static_cast<size_t>(row * colCount_ + col)];
}

void TStringGrid::SetCell(int col, int row, const std::wstring& text) {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return;
  cells_[static_cast<size_t>(row * colCount_ + col)] = text;
  InvalidateCell(col, row);
}

RECT TStringGrid::CellRect(int col, int row) const {
  int x = col * (DefaultColWidth + GridLineWidth);
  int y = row * (DefaultRowHeight + GridLineWidth);
  return RECT{x, y, x + DefaultColWidth, y + DefaultRowHeight};
}

bool TStringGrid::MouseToCell(int x, int y, int& col, int& row) const {
  if (x < 0 || y < 0) return false;
  col = x / (DefaultColWidth + GridLineWidth);
  row = y / (DefaultRowHeight + GridLineWidth);
  return col < colCount_ && row < rowCount_;
}

void TStringGrid::InvalidateCell(int col, int row) {
  // A hidden grid is drawn whole when it is shown; filling one cell by cell
  // then costs no invalidation (each is a call to the window server).
  if (!handle_ || !::IsWindowVisible(handle_)) return;
  RECT r = CellRect(col, row);
  ::InflateRect(&r, GridLineWidth, GridLineWidth);
  ::InvalidateRect(handle_, &r, FALSE);
}

bool TStringGrid::FocusCell(int col, int row) {
  col = std::clamp(col, fixedCols_, colCount_ - 1);
  row = std::clamp(row, fixedRows_, rowCount_ - 1);
  if (col == col_ && row == row_) return false;
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, col, row, can);
  if (!can) return false;
  InvalidateCell(col_, row_);
  col_ = col;
  row_ = row;
  InvalidateCell(col_, row_);
  return true;
}

int TStringGrid::VisibleRows() const {
  RECT r = ClientRect();
  return std::max(1, static_cast<int>((r.bottom - r.top) / (DefaultRowHeight + GridLineWidth)));
}

void TStringGrid::KeyDown(WORD& key, unsigned shift) {
  int c = col_, r = row_;
  switch (key) {
    case VK_LEFT: --c; break;
    case VK_RIGHT: ++c; break;
    case VK_UP: --r; break;
    case VK_DOWN: ++r; break;
    case VK_PRIOR: r -= VisibleRows(); break;
    case VK_NEXT: r += VisibleRows(); break;
    case VK_HOME:
      c = fixedCols_;
      if (shift & ssCtrl) r = fixedRows_;
      break;
    case VK_END:
      c = colCount_ - 1;
      if (shift & ssCtrl) r = rowCount_ - 1;
      break;
    default: return;
  }
  FocusCell(c, r);
  key = 0;
}

void TStringGrid::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!Focused()) SetFocus();
      int c, r;
      if (MouseToCell(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam), c, r) && c >= fixedCols_ && r >= fixedRows_)
        FocusCell(c, r);
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateCell(col_, row_);
      break;
  }
  TCustomControl::WndProc(m);
}

void TStringGrid::DrawCell(TCanvas& canvas, int col, int row, const RECT& rect, bool selected, bool fixed) {
  // The grid's font is already selected: one call fills the cell and writes
  // its text, clipped to the cell.
  const HDC dc = canvas.Handle();
  const std::wstring& text = Cell(col, row);
  ::SetBkColor(dc, ColorToRGB(fixed ? clBtnFace : selected ? clHighlight : color_));
  ::SetTextColor(dc, ColorToRGB(selected && !fixed ? clHighlightText : font_.Color()));
  ::ExtTextOutW(dc, rect.left + 2, rect.top + 2, ETO_OPAQUE | ETO_CLIPPED, &rect, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
}

void TStringGrid::PaintCanvas(TCanvas& canvas) {
  RECT client = ClientRect();
  canvas.FillRect(client, color_);
  const int cw = DefaultColWidth + GridLineWidth, rh = DefaultRowHeight + GridLineWidth;
  // The visible part of the grid.
  const int cols = std::min(colCount_, cw > 0 ? static_cast<int>((client.right + cw - 1) / cw) : colCount_);
  const int rows = std::min(rowCount_, rh > 0 ? static_cast<int>((client.bottom + rh - 1) / rh) : rowCount_);
  {
    // The font is selected once for every cell, not once per cell.
    SelectGuard sel(canvas.Handle(), font_.Handle());
    ::SetBkMode(canvas.Handle(), TRANSPARENT);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c)
        DrawCell(canvas, c, r, CellRect(c, r), c == col_ && r == row_, c < fixedCols_ || r < fixedRows_);
  }
  // Grid lines to the right of and below each cell, drawn as whole columns
  // and rows: one stretch for the fixed rows (or columns) and one for the rest.
  if (GridLineWidth > 0) {
    auto lineColor = [](bool fixed) { return fixed ? clBlack : clSilver; };
    auto lineShown = [this](bool fixed, unsigned fixedOpt, unsigned opt) {
      return (Options & (fixed ? fixedOpt : opt)) != 0;
    };
    for (int c = 0; c < cols; ++c) {
      const int x = CellRect(c, 0).right;
      const int split = c < fixedCols_ ? rows : std::min(fixedRows_, rows);
      for (int part = 0; part < 2; ++part) {
        const int from = part == 0 ? 0 : split, to = part == 0 ? split : rows;
        const bool fixed = c < fixedCols_ || part == 0;
        if (from >= to || !lineShown(fixed, goFixedVertLine, goVertLine)) continue;
        canvas.FillRect(RECT{x, from * rh, c * cw + cw, to * rh}, lineColor(fixed));
      }
    }
    for (int r = 0; r < rows; ++r) {
      const int y = CellRect(0, r).bottom;
      const int split = r < fixedRows_ ? cols : std::min(fixedCols_, cols);
      for (int part = 0; part < 2; ++part) {
        const int from = part == 0 ? 0 : split, to = part == 0 ? split : cols;
        const bool fixed = r < fixedRows_ || part == 0;
        if (from >= to || !lineShown(fixed, goFixedHorzLine, goHorzLine)) continue;
        canvas.FillRect(RECT{from * cw, y, to * cw, r * rh + rh}, lineColor(fixed));
      }
    }
  }
  if (Focused() && col_ >= fixedCols_ && row_ >= fixedRows_ && col_ < cols && row_ < rows) {
    RECT cell = CellRect(col_, row_);
    ::DrawFocusRect(canvas.Handle(), &cell);
  }
}

}  // namespace glyphora
