// The character map: picking cells of the grid into the copy box and
// copying the collected text to the clipboard.
#include "app/main_form.h"

namespace glyphora {

void TForm1::Grid1SelectCell(TComponent*, int col, int row, bool&) {
  CharacterPreview->SetCaption(Grid1->Cell(col, row));
}

void TForm1::Grid1DblClick(TComponent*) {
  // Always the current cell, not the one under the mouse.
  std::wstring text = CharactersCopy->Text() + Grid1->Cell(Grid1->Col(), Grid1->Row());
  CharactersCopy->SetText(text);
  CopyBtn->SetEnabled(true);
  ClearBtn->SetEnabled(true);
}

void TForm1::Grid1KeyDown(TComponent* sender, WORD& key, unsigned) {
  if (key == VK_RETURN || key == VK_SPACE) Grid1DblClick(sender);
}

void TForm1::SelectBtnClick(TComponent*) {
  Grid1DblClick(Grid1);
  CopyBtn->SetEnabled(true);
  ClearBtn->SetEnabled(true);
}

void TForm1::CopyBtnClick(TComponent*) {
  if (CharactersCopy->SelLength() == 0) CharactersCopy->SelectAll();
  CharactersCopy->CopyToClipboard();
}

void TForm1::ClearBtnClick(TComponent*) {
  CharactersCopy->Clear();
  CopyBtn->SetEnabled(false);
  ClearBtn->SetEnabled(false);
}

}  // namespace glyphora
