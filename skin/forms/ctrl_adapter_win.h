// The control adapter of a skinned form: framework controls without skin
// support of their own, whose class name stands (exactly) in one of the skin
// manager's class lists, get a window adapter of the list's kind with their
// own skin data; listed speed buttons get a speed-button handler; plain
// labels become transparent in the skin's font colour. Everything is given
// back (procedures, colours, transparency) when items are removed.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/shared_types.h"

namespace glyphora {

class TComponent;
class TControl;
class TCustomLabel;
struct TMessage;
class TSpeedButton;
class TWinControl;
class TacMainWnd;
class TacSpeedButtonHandler;
class TsCommonData;
class TsSkinManager;

// Asked before a control is adapted: may refuse it (canBeAdded) or change
// its section (empty: the kind's default).
using TacSkinItemEvent = std::function<void(TControl* control, bool& canBeAdded, std::string& section)>;

struct TacAdapterItem {
  TacAdapterItem();
  ~TacAdapterItem();
  TWinControl* WinCtrl = nullptr;
  std::unique_ptr<TsCommonData> SkinData;
  std::unique_ptr<TacMainWnd> ScrollWnd;
};

struct TacGraphItem {
  TacGraphItem();
  ~TacGraphItem();
  TSpeedButton* Ctrl = nullptr;
  std::unique_ptr<TsCommonData> SkinData;
  std::unique_ptr<TacSpeedButtonHandler> Handler;
};

// A label coloured by the adapter, with what it had before.
struct TacLabelItem {
  TCustomLabel* Label = nullptr;
  TColor OldFontColor = 0;
  bool OldTransparent = false;
};

class TacCtrlAdapter {
 public:
  // notifier: told (Notification) when an adapted control is destroyed;
  // it passes that on to ControlRemoved.
  TacCtrlAdapter(TsSkinManager* manager, TWinControl* form, TComponent* notifier);
  ~TacCtrlAdapter();
  TacCtrlAdapter(const TacCtrlAdapter&) = delete;
  TacCtrlAdapter& operator=(const TacCtrlAdapter&) = delete;

  std::string DefaultSection;
  TacSkinItemEvent OnSkinItem;

  bool IsControlSupported(TControl* control);
  // Scans `owner` (null: the form) and its children for controls to adapt.
  void AddAllItems(TWinControl* owner = nullptr);
  void AddNewItem(TWinControl* control, const std::string& section = {});
  void AddNewItem(TSpeedButton* button);
  // Frees one item (its adapter gives the window back); the last item
  // takes its slot.
  void RemoveItem(size_t index);
  // Frees every item and gives every label its own colour back.
  void RemoveAllItems();
  // Drops items whose adapter or handler is gone (order kept).
  void CleanItems();
  // A control is being destroyed: its item, handler or label goes (told
  // from the component's destructor, where only its address is sound).
  void ControlRemoved(const TComponent* control);
  // Passes a message to every adapted control that still has an adapter
  // and a parent.
  void WndProc(TMessage& message);

  int IndexOf(const TControl* control) const;
  size_t Count() const { return items_.size(); }
  size_t GraphCount() const { return graphItems_.size(); }
  size_t LabelCount() const { return labels_.size(); }
  const TacAdapterItem& Item(size_t i) const { return *items_[i]; }
  const TacGraphItem& GraphItem(size_t i) const { return *graphItems_[i]; }

 private:
  void Scan(TWinControl* owner);
  void AdaptLabel(TCustomLabel* label);
  bool AskSkinItem(TControl* control, std::string& section);
  void Hook(TacAdapterItem& item, const std::string& section);

  TsSkinManager* manager_;
  TWinControl* form_;
  TComponent* notifier_;
  std::vector<std::unique_ptr<TacAdapterItem>> items_;
  std::vector<std::unique_ptr<TacGraphItem>> graphItems_;
  std::vector<TacLabelItem> labels_;
  bool scanning_ = false;
  bool removing_ = false;
};

}  // namespace glyphora
