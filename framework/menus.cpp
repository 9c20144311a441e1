#include "framework/menus.h"

#include <algorithm>

#include "framework/application.h"

namespace glyphora {

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Add(TMenuItem* item) {
  items_.push_back(item);
  FreeNotification(item);
  menu_.reset();
}

void TPopupMenu::Notification(TComponent* c, TOperation op) {
  if (op != TOperation::opRemove) return;
  auto it = std::find(items_.begin(), items_.end(), c);
  if (it != items_.end()) {
    items_.erase(it);
    menu_.reset();
  }
}

HMENU TPopupMenu::BuildMenu() {
  menu_.reset(::CreatePopupMenu());
  UINT id = 1;
  for (TMenuItem* item : items_) {
    UINT flags = MF_STRING | (item->Enabled ? MF_ENABLED : MF_GRAYED);
    ::AppendMenuW(menu_.get(), flags, id++, item->Caption.c_str());
  }
  return menu_.get();
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  if (items_.empty()) return;
  HMENU menu = BuildMenu();
  HWND owner = Application()->MenuOwner();
  ::SetForegroundWindow(owner);
  UINT cmd = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, 0, owner,
                              nullptr);
  ::PostMessageW(owner, WM_NULL, 0, 0);
  if (cmd >= 1 && cmd <= items_.size()) items_[cmd - 1]->Click();
}

}  // namespace glyphora
