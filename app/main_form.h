// The main window: font list, size bar, preview text and character map.
#pragma once
#include <string>

#include "fontlist/sFontCtrls.h"
#include "framework/forms.h"
#include "framework/grids.h"
#include "framework/menus.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sRichEdit.h"
#include "skin/controls/sScrollBar.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/controls/sSplitter.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace glyphora {

class TForm1 : public TForm {
 public:
  // Reads the window definition: creates every component in definition
  // order, loads them all, then runs FormCreate.
  // `settingsFile` replaces the placement file beside the executable.
  explicit TForm1(TComponent* owner, std::wstring settingsFile = L"");
  // Begins, on a thread, sorting the installed families and realising the
  // fonts of the font list's first page as the definition makes the list;
  // called once the font table exists, before the window is created.
  static void PrepareFontList();

  TsSkinManager* sSkinManager1 = nullptr;
  TsSkinProvider* sSkinProvider1 = nullptr;
  TsPanel* SidePanel = nullptr;
  TsPanel* ToolPanel1 = nullptr;
  TsPanel* ToolTop1 = nullptr;
  TsLabel* sLabel1 = nullptr;
  TsPanel* BottomPanel = nullptr;
  TsSplitter* sSplitter1 = nullptr;
  TsFontListBox* FontList = nullptr;
  TsLabel* sLabel2 = nullptr;
  TsLabel* FontNumber = nullptr;
  TsScrollBar* FontSize = nullptr;
  TsPanel* MainPanel = nullptr;
  TsRichEdit* TextViewer = nullptr;
  TStringGrid* Grid1 = nullptr;
  TsPanel* sPanel1 = nullptr;
  TsLabel* sLabel3 = nullptr;
  TsEdit* CharactersCopy = nullptr;
  TsLabel* CharacterPreview = nullptr;
  TsSpeedButton* SelectBtn = nullptr;
  TsSpeedButton* CopyBtn = nullptr;
  TsSpeedButton* ClearBtn = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TPopupMenu* PopupMenu2 = nullptr;
  TMenuItem* AboutGlyphora1 = nullptr;

  // The placement file: the executable's path with ".ini".
  std::wstring SettingsFileName() const;

  void ReadIniSettings();
  void WriteIniSettings();
  void FormCreate(TComponent* sender);
  void FontListClick(TComponent* sender);
  void FontSizeChange(TComponent* sender);
  void Grid1SelectCell(TComponent* sender, int col, int row, bool& canSelect);
  void Grid1DblClick(TComponent* sender);
  void Grid1KeyDown(TComponent* sender, WORD& key, unsigned shift);
  void ClearBtnClick(TComponent* sender);
  void SelectBtnClick(TComponent* sender);
  void CopyBtnClick(TComponent* sender);
  void FormClose(TComponent* sender, TCloseAction& action);
  void FormResize(TComponent* sender);
  void AboutGlyphora1Click(TComponent* sender);

 private:
  void ReadDefinition();
  // Parts of ReadDefinition, called in this order.
  void CreateMainArea();
  void CreateSideArea();
  void CreateComponents();
  std::wstring settingsFile_;
  // The family selected in the list, or nothing when the list is empty.
  bool SelectedFamily(std::wstring& name) const;
};

// The About box's texts.
extern const wchar_t kAboutCaption[];
extern const wchar_t kAboutText[];

}  // namespace glyphora
