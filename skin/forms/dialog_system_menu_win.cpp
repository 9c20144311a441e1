#include "skin/forms/dialog_system_menu_win.h"

#include "skin/forms/dialog_wnd_win.h"

namespace glyphora {

TacSystemMenu::TacSystemMenu(TacDialogWnd* owner) : TsCustomSysMenu(nullptr), owner_(owner) {
  Name = L"SysMenu";
  ItemRestore = AddItem(SysMenuDefaultCaption(SC_RESTORE), 0, SC_RESTORE, L"miRestore");
  ItemMove = AddItem(SysMenuDefaultCaption(SC_MOVE), 0, SC_MOVE, L"miMove");
  ItemSize = AddItem(SysMenuDefaultCaption(SC_SIZE), 0, SC_SIZE, L"miSize");
  ItemMinimize = AddItem(SysMenuDefaultCaption(SC_MINIMIZE), 0, SC_MINIMIZE, L"miMinimize");
  ItemMaximize = AddItem(SysMenuDefaultCaption(SC_MAXIMIZE), 0, SC_MAXIMIZE, L"miMaximize");
  separator_ = AddItem(L"-", 0, 0, L"");
  ItemClose = AddItem(SysMenuDefaultCaption(SC_CLOSE), scAlt | VK_F4, SC_CLOSE, L"miClose");
  UpdateItems();
}

TMenuItem* TacSystemMenu::AddItem(const std::wstring& caption, TShortCut shortCut, UINT command,
                                  const wchar_t* name) {
  auto* item = new TMenuItem(this);
  item->Caption = caption;
  item->ShortCut = shortCut;
  item->Tag = command;
  item->Name = name;
  if (command) {
    item->OnClick = [this, command](TComponent*) {
      HWND w = owner_->Window();
      if (!::IsWindow(w)) return;
      // Posted: closing ends the dialog, which frees this menu.
      if (command == SC_CLOSE) {
        ::PostMessageW(w, WM_SYSCOMMAND, command, 0);
        return;
      }
      ::SendMessageW(w, WM_SYSCOMMAND, command, 0);
      if (command == SC_RESTORE || command == SC_MAXIMIZE) UpdateItems();
    };
  }
  Items()->Add(item);
  return item;
}

TSysMenuRules TacSystemMenu::Rules() const {
  HWND w = owner_->Window();
  return DialogSysMenuRules(owner_->DialogStyle(), owner_->DialogExStyle(), ::IsZoomed(w) != FALSE,
                            ::IsIconic(w) != FALSE);
}

bool TacSystemMenu::VisibleClose() { return (owner_->DialogStyle() & WS_SYSMENU) != 0; }

void TacSystemMenu::UpdateItems() {
  const TSysMenuRules r = Rules();
  ApplyRules(r);
  separator_->Visible = r.VisibleClose;
}

}  // namespace glyphora
