// Popup menus over the platform's menus.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/handles.h"

namespace glyphora {

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner) : TComponent(owner) {}
  std::wstring Caption;
  bool Enabled = true;
  TNotifyEvent OnClick;
  virtual void Click() { if (OnClick) OnClick(this); }
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}
  ~TPopupMenu() override;

  void Add(TMenuItem* item);
  const std::vector<TMenuItem*>& Items() const { return items_; }
  // Shows the menu at a screen position and runs the chosen item. A menu
  // without items shows nothing.
  virtual void Popup(int x, int y);
  // The component whose context menu is being shown.
  TComponent* PopupComponent = nullptr;
  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  HMENU BuildMenu();
  std::vector<TMenuItem*> items_;
  UniqueMenu menu_;
};

}  // namespace glyphora
