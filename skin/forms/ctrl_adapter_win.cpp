#include "skin/forms/ctrl_adapter_win.h"

#include <algorithm>

#include "framework/buttons.h"
#include "framework/component.h"
#include "framework/extctrls.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/paint/button_adapter_win.h"
#include "skin/paint/control_adapter_win.h"
#include "skin/paint/group_box_adapter_win.h"
#include "skin/paint/speed_button_handler_win.h"

namespace glyphora {

namespace {
// The skinning's own helper controls carry this tag.
constexpr intptr_t kHelperTag = -98;

bool IsHelper(const TControl* c) { return (c->Tag & ~intptr_t(0x61)) == kHelperTag; }

bool AnswersSkinned(TControl* c) { return SendControlSkinCommand(c, SKC_CTRLHANDLED) == 1; }

// The framework's own labels; a skinned label is a class of its own that
// paints in the skin's colours already.
bool IsPlainLabel(TControl* c) {
  if (!dynamic_cast<TCustomLabel*>(c)) return false;
  const std::wstring name = c->ClassName();
  return name == L"TLabel" || name == L"TCustomLabel";
}

// Sets a flag for the length of a scope; only the outermost scope clears it,
// also when the scope is left by an exception.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), outer_(!flag) { flag_ = true; }
  ~FlagScope() {
    if (outer_) flag_ = false;
  }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;
  bool Outer() const { return outer_; }

 private:
  bool& flag_;
  bool outer_;
};
}  // namespace

TacAdapterItem::TacAdapterItem() = default;
TacAdapterItem::~TacAdapterItem() {
  // The window adapter first: it reads the skin data while it lets go.
  if (ScrollWnd) TacMainWnd::Free(ScrollWnd);
}

TacGraphItem::TacGraphItem() = default;
TacGraphItem::~TacGraphItem() { Handler.reset(); }

TacCtrlAdapter::TacCtrlAdapter(TsSkinManager* manager, TWinControl* form, TComponent* notifier)
    : manager_(manager), form_(form), notifier_(notifier) {}

TacCtrlAdapter::~TacCtrlAdapter() { RemoveAllItems(); }

bool TacCtrlAdapter::AskSkinItem(TControl* control, std::string& section) {
  bool can = true;
  if (OnSkinItem) OnSkinItem(control, can, section);
  return can;
}

bool TacCtrlAdapter::IsControlSupported(TControl* c) {
  if (!c || !manager_ || IsHelper(c)) return false;
  auto* win = dynamic_cast<TWinControl*>(c);
  if (win && !win->HandleAllocated()) return false;
  if (AnswersSkinned(c)) return false;
  const bool listed = AdapterCategoryOfClass(*manager_, c->ClassName()) >= 0;
  std::string section;
  if (dynamic_cast<TCustomLabel*>(c)) return IsPlainLabel(c) && AskSkinItem(c, section);
  if (dynamic_cast<TSpeedButton*>(c)) return listed && AskSkinItem(c, section);
  if (!win) return false;
  return listed;  // OnSkinItem is asked when the item is made
}

int TacCtrlAdapter::IndexOf(const TControl* c) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->WinCtrl == c) return int(i);
  return -1;
}

void TacCtrlAdapter::AddAllItems(TWinControl* owner) {
  if (!manager_ || !(manager_->SkinningRules & srThirdParty) || scanning_ || removing_) return;
  if (!owner) owner = form_;
  if (!owner) return;
  FlagScope scan(scanning_);
  CleanItems();
  Scan(owner);
}

void TacCtrlAdapter::Scan(TWinControl* owner) {
  // Copies: adapting a control may create or free components.
  const std::vector<TComponent*> components = owner->Components();
  for (TComponent* comp : components) {
    auto* c = dynamic_cast<TControl*>(comp);
    if (!c) continue;
    auto* win = dynamic_cast<TWinControl*>(c);
    if (IsControlSupported(c)) {
      if (win) AddNewItem(win);
      else if (auto* label = dynamic_cast<TCustomLabel*>(c)) AdaptLabel(label);
    }
    if (win && win->HandleAllocated() && win->Parent()) Scan(win);
  }
  const std::vector<TControl*> controls = owner->Controls();
  for (TControl* c : controls) {
    auto* win = dynamic_cast<TWinControl*>(c);
    if (IsControlSupported(c)) {
      if (win) AddNewItem(win);
      else if (auto* label = dynamic_cast<TCustomLabel*>(c)) AdaptLabel(label);
      else if (auto* button = dynamic_cast<TSpeedButton*>(c)) AddNewItem(button);
    }
    if (win && win->HandleAllocated() && win->Parent() && win->Owner() != owner) Scan(win);
  }
}

void TacCtrlAdapter::AdaptLabel(TCustomLabel* label) {
  if (IsHelper(label)) return;  // the skinning's own helpers
  const bool known =
      std::any_of(labels_.begin(), labels_.end(), [label](const TacLabelItem& l) { return l.Label == label; });
  if (!known) {
    // Its own colour and transparency are kept to be given back.
    labels_.push_back({label, label->Font().Color(), label->Transparent});
    if (notifier_) notifier_->FreeNotification(label);
  }
  label->Transparent = true;
  label->Font().SetColor(manager_->GetGlobalFontColor());
  label->Invalidate();
}

void TacCtrlAdapter::AddNewItem(TWinControl* c, const std::string& sectionIn) {
  if (!c || IsHelper(c) || !c->Parent() || AnswersSkinned(c)) return;
  std::string section = sectionIn.empty() ? DefaultSection : sectionIn;
  if (!AskSkinItem(c, section)) return;
  const int index = IndexOf(c);
  TacAdapterItem* item = index >= 0 ? items_[size_t(index)].get() : nullptr;
  const bool fresh = !item;
  if (fresh) {
    items_.push_back(std::make_unique<TacAdapterItem>());
    item = items_.back().get();
    item->WinCtrl = c;
    item->SkinData = std::make_unique<TsCommonData>(c, COC_TsAdapter, "", true);
    if (notifier_) notifier_->FreeNotification(c);
  } else if (item->ScrollWnd && item->ScrollWnd->Destroyed()) {
    TacMainWnd::Free(item->ScrollWnd);  // the window was made anew
  }
  if (!item->ScrollWnd) Hook(*item, section);
  if (fresh && !item->ScrollWnd) items_.pop_back();
}

void TacCtrlAdapter::Hook(TacAdapterItem& item, const std::string& section) {
  TWinControl* c = item.WinCtrl;
  if (IsHelper(c) || !c->HandleAllocated() || !c->Parent() || AnswersSkinned(c)) return;
  TsCommonData* data = item.SkinData.get();
  data->FOwnerControl = c;
  data->FOwnerObject = c;
  if (!section.empty()) data->SetSkinSection(section);
  HWND wnd = c->WindowHandle();
  switch (AdapterCategoryOfClass(*manager_, c->ClassName())) {
    case ThirdEdits: item.ScrollWnd = MakeAdapter<TacEditWnd>(wnd, manager_, data, section); break;
    case ThirdButtons: item.ScrollWnd = MakeAdapter<TacBtnWnd>(wnd, manager_, data, section); break;
    case ThirdGroupBoxes: item.ScrollWnd = MakeAdapter<TacGroupBoxWnd>(wnd, manager_, data, section); break;
    default: break;  // kinds without a window adapter here keep their look
  }
  if (item.ScrollWnd) ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void TacCtrlAdapter::AddNewItem(TSpeedButton* b) {
  if (!b || IsHelper(b) || !b->Parent() || AnswersSkinned(b)) return;
  std::string section = "SPEEDBUTTON";
  if (!AskSkinItem(b, section)) return;
  if (section == "SPEEDBUTTON" && b->Flat) section = "SPEEDBUTTON_SMALL";
  auto it = std::find_if(graphItems_.begin(), graphItems_.end(),
                         [b](const std::unique_ptr<TacGraphItem>& g) { return g->Ctrl == b; });
  TacGraphItem* item = it != graphItems_.end() ? it->get() : nullptr;
  const bool fresh = !item;
  if (fresh) {
    graphItems_.push_back(std::make_unique<TacGraphItem>());
    item = graphItems_.back().get();
    item->Ctrl = b;
    item->SkinData = std::make_unique<TsCommonData>(b, COC_TsAdapter, "", true);
    if (notifier_) notifier_->FreeNotification(b);
  } else if (item->Handler && item->Handler->Destroyed()) {
    item->Handler.reset();
  }
  if (!item->Handler) item->Handler = std::make_unique<TacSpeedButtonHandler>(b, item->SkinData.get(), manager_, section);
  if (fresh && !item->Handler) graphItems_.pop_back();
}

void TacCtrlAdapter::RemoveItem(size_t index) {
  if (index >= items_.size()) return;
  std::unique_ptr<TacAdapterItem> gone = std::move(items_[index]);
  items_[index] = std::move(items_.back());
  items_.pop_back();
}

void TacCtrlAdapter::CleanItems() {
  items_.erase(std::remove_if(items_.begin(), items_.end(),
                              [](const std::unique_ptr<TacAdapterItem>& i) {
                                return !i->ScrollWnd || i->ScrollWnd->Destroyed();
                              }),
               items_.end());
  graphItems_.erase(std::remove_if(graphItems_.begin(), graphItems_.end(),
                                   [](const std::unique_ptr<TacGraphItem>& g) {
                                     return !g->Handler || g->Handler->Destroyed();
                                   }),
                    graphItems_.end());
}

void TacCtrlAdapter::RemoveAllItems() {
  if (removing_) return;
  FlagScope guard(removing_);
  // Moved out first: freeing an adapter may send messages that come back here.
  auto items = std::move(items_);
  items_.clear();
  items.clear();
  auto graphs = std::move(graphItems_);
  graphItems_.clear();
  graphs.clear();
  auto labels = std::move(labels_);
  labels_.clear();
  for (const TacLabelItem& l : labels) {
    if (l.Label->Destroying()) continue;
    l.Label->Font().SetColor(l.OldFontColor);
    l.Label->Transparent = l.OldTransparent;
    l.Label->Invalidate();
  }
}

void TacCtrlAdapter::ControlRemoved(const TComponent* c) {
  for (size_t i = 0; i < items_.size(); ++i)
    if (static_cast<const TComponent*>(items_[i]->WinCtrl) == c) {
      RemoveItem(i);
      break;
    }
  graphItems_.erase(std::remove_if(graphItems_.begin(), graphItems_.end(),
                                   [c](const std::unique_ptr<TacGraphItem>& g) {
                                     return static_cast<const TComponent*>(g->Ctrl) == c;
                                   }),
                    graphItems_.end());
  labels_.erase(std::remove_if(labels_.begin(), labels_.end(),
                               [c](const TacLabelItem& l) { return static_cast<const TComponent*>(l.Label) == c; }),
                labels_.end());
}

void TacCtrlAdapter::WndProc(TMessage& m) {
  // Windows, not items: a handler may remove items while it runs.
  std::vector<TWinControl*> targets;
  for (const auto& i : items_)
    if (i->ScrollWnd && !i->ScrollWnd->Destroyed() && i->WinCtrl->Parent()) targets.push_back(i->WinCtrl);
  for (TWinControl* c : targets) {
    if (IndexOf(c) < 0 || !c->HandleAllocated()) continue;  // gone meanwhile
    ::SendMessageW(c->WindowHandle(), m.Msg, m.WParam, m.LParam);
  }
}

}  // namespace glyphora
