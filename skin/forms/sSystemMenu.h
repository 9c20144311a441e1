// The skinned system menu of a form: a popup menu built from the captions
// of the platform's system menu (Restore, Move, Size, Minimize, Maximize,
// the application's own items, Close with its shortcut), its items shown
// and enabled by the form's border, icons and state, and an optional
// submenu listing the available skins.
#pragma once
#include <string>

#include "framework/menus.h"
#include "skin/forms/sys_menu_rules.h"

namespace glyphora {

class TsSkinProvider;

// The questions the caption buttons ask a system menu.
class TsCustomSysMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  virtual bool VisibleClose() = 0;
  virtual bool VisibleMax() = 0;
  virtual bool VisibleMin() = 0;
  virtual bool EnabledMax() = 0;
  virtual bool EnabledMin() = 0;
  virtual bool EnabledRestore() = 0;

  // The window commands' items, when made.
  TMenuItem *ItemRestore = nullptr, *ItemMove = nullptr, *ItemSize = nullptr, *ItemMinimize = nullptr,
            *ItemMaximize = nullptr, *ItemClose = nullptr;

 protected:
  // Shows and enables the window commands' items as the rules say.
  void ApplyRules(const TSysMenuRules& r);
};

// One skin of the skin list: the name is kept as it is, its caption shows
// a "&" in it as "&&".
class TacSkinSelectItem : public TMenuItem {
 public:
  using TMenuItem::TMenuItem;
  std::wstring SkinName;
};

class TsSystemMenu : public TsCustomSysMenu {
 public:
  explicit TsSystemMenu(TsSkinProvider* owner);

  int ExtItemsCount = 0;

  // Builds the items from the form's platform system menu (nothing when it
  // has none).
  void Generate();
  // Generates when `full` or there are no items yet, then shows and
  // enables the standard items by the rules.
  void UpdateItems(bool full = false);
  void UpdateGlyphs() {}
  // Puts a fresh "Available skins" submenu at the top (none when the skin
  // manager knows no skins).
  void MakeSkinItems();

  bool VisibleClose() override { return Rules().VisibleClose; }
  bool VisibleMax() override { return Rules().VisibleMax; }
  bool VisibleMin() override { return Rules().VisibleMin; }
  bool EnabledMax() override { return Rules().EnabledMax; }
  bool EnabledMin() override { return Rules().EnabledMin; }
  bool EnabledRestore() override { return Rules().EnabledRestore; }
  TSysMenuRules Rules() const;

 private:
  TMenuItem* AddItem(const std::wstring& caption, TShortCut shortCut, intptr_t tag, const TNotifyEvent& click);
  void SendCommand(WPARAM command);
  HWND FormWnd() const;
  TsSkinProvider* provider_;
};

// The default captions of the standard commands.
const wchar_t* SysMenuDefaultCaption(UINT command);

}  // namespace glyphora
