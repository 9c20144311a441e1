// The fixed system menu of a skinned dialog: Restore, Move, Size, Minimize,
// Maximize, a separator and Close (Alt+F4), shown and enabled by the
// dialog's styles and state, each sending its system command to the dialog.
#pragma once
#include "skin/forms/sSystemMenu.h"

namespace glyphora {

class TacDialogWnd;

class TacSystemMenu : public TsCustomSysMenu {
 public:
  explicit TacSystemMenu(TacDialogWnd* owner);

  // Shows and enables the items by the dialog's styles and state now.
  void UpdateItems();
  TSysMenuRules Rules() const;

  // The dialog draws its caption buttons from its own rules: the menu
  // answers none of its own.
  bool VisibleClose() override;
  bool VisibleMax() override { return false; }
  bool VisibleMin() override { return false; }
  bool EnabledMax() override { return false; }
  bool EnabledMin() override { return false; }
  bool EnabledRestore() override { return false; }

 private:
  TMenuItem* AddItem(const std::wstring& caption, TShortCut shortCut, UINT command, const wchar_t* name);
  TacDialogWnd* owner_;
  TMenuItem* separator_ = nullptr;
};

}  // namespace glyphora
