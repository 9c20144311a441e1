#include "skin/forms/dialog_provider_win.h"

#include <algorithm>
#include <cwctype>
#include <string>

#include "framework/application.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_content.h"
#include "skin/forms/dialog_rules.h"
#include "skin/forms/dialog_wnd_win.h"
#include "skin/forms/exborder_win.h"
#include "skin/paint/button_adapter_win.h"
#include "skin/paint/group_box_adapter_win.h"
#include "skin/paint/static_adapter_win.h"

namespace glyphora {

namespace {

std::wstring ClassOf(HWND wnd) {
  wchar_t buf[129] = {};
  const int n = ::GetClassNameW(wnd, buf, 129);
  return std::wstring(buf, n > 0 ? size_t(n) : 0);
}

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

BOOL CALLBACK FindToolbar(HWND child, LPARAM lp) {
  if (Lower(ClassOf(child)) != L"toolbarwindow32") return TRUE;
  *reinterpret_cast<bool*>(lp) = true;
  return FALSE;
}

bool HasToolbarChild(HWND wnd) {
  bool found = false;
  ::EnumChildWindows(wnd, &FindToolbar, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A visible dialog of the thread without the skin gets it.
BOOL CALLBACK SkinUnskinnedDialog(HWND w, LPARAM lp) {
  auto* self = reinterpret_cast<TacDialogSkinning*>(lp);
  if (::IsWindowVisible(w) && !self->ProviderOf(w) && self->SkinWindow(w))
    ::RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return TRUE;
}

}  // namespace

// ------------------------------------------------------------ TacProvider

TacProvider::TacProvider(HWND wnd, TsSkinManager* manager) : wnd_(wnd), manager_(manager) {}

TacProvider::~TacProvider() { Release(); }

TacDialogWnd* TacProvider::ListSW() const { return static_cast<TacDialogWnd*>(listSW_.get()); }

bool TacProvider::InitSkin() {
  if (listSW_ && !listSW_->Destroyed()) return true;
  if (!manager_ || !manager_->Active() || !::IsWindow(wnd_)) return false;
  biDiLeft_ = (::GetWindowLongW(wnd_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  if (listSW_) TacMainWnd::Free(listSW_);
  listSW_ = MakeAdapter<TacDialogWnd>(wnd_, this, manager_);
  // Children that exist already (a dialog handed over when activated).
  InitHwndControls(wnd_);
  ListSW()->InitParams();
  return true;
}

TacMainWnd* TacProvider::FindCtrlInList(HWND child) const {
  for (const auto& a : acSkinnedCtrls_)
    if (a && a->Window() == child && !a->Destroyed()) return a.get();
  return nullptr;
}

void TacProvider::InitHwndControls(HWND parent) {
  if (parent == wnd_) {
    // Adapters of children the platform has dropped meanwhile go first: a
    // reused handle must not look adapted already.
    for (auto& a : acSkinnedCtrls_)
      if (a && a->Destroyed()) TacMainWnd::Free(a);
    acSkinnedCtrls_.erase(std::remove(acSkinnedCtrls_.begin(), acSkinnedCtrls_.end(), nullptr),
                          acSkinnedCtrls_.end());
  }
  for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    InitHwndControls(c);
    AddControl(c);
  }
}

void TacProvider::AddControl(HWND child) {
  if (FindCtrlInList(child) || TacMainWnd::Of(child) || AskWindow(child, SKC_CTRLHANDLED)) return;
  const auto style = static_cast<uint32_t>(::GetWindowLongW(child, GWL_STYLE));
  const auto exStyle = static_cast<uint32_t>(::GetWindowLongW(child, GWL_EXSTYLE));
  const TDialogChildRule rule = DialogChildRule(Lower(ClassOf(child)), style, exStyle);
  std::unique_ptr<TacMainWnd> a;
  switch (rule.Kind) {
    case TDialogChildKind::Static: a = MakeAdapter<TacStaticWnd>(child, manager_, nullptr, rule.Section, true); break;
    case TDialogChildKind::Icon: a = MakeAdapter<TacIconWnd>(child, manager_, nullptr, rule.Section, true); break;
    case TDialogChildKind::Edge: a = MakeAdapter<TacEdgeWnd>(child, manager_, nullptr, rule.Section, true); break;
    case TDialogChildKind::PushButton: a = MakeAdapter<TacBtnWnd>(child, manager_, nullptr, rule.Section, true); break;
    case TDialogChildKind::GroupBox:
      a = MakeAdapter<TacGroupBoxWnd>(child, manager_, nullptr, rule.Section, true);
      break;
    case TDialogChildKind::Edit: a = MakeAdapter<TacEditWnd>(child, manager_, nullptr, rule.Section, true); break;
    case TDialogChildKind::None: return;
  }
  acSkinnedCtrls_.push_back(std::move(a));
}

void TacProvider::SendToControls(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Windows, not adapters: an answer may free an adapter of the list.
  std::vector<HWND> windows;
  for (const auto& a : acSkinnedCtrls_)
    if (a && !a->Destroyed()) windows.push_back(a->Window());
  for (HWND w : windows)
    if (::IsWindow(w)) ::SendMessageW(w, msg, wParam, lParam);
}

void TacProvider::Release() {
  for (auto& a : acSkinnedCtrls_) TacMainWnd::Free(a);
  acSkinnedCtrls_.clear();
  TacMainWnd::Free(listSW_);
}

// ------------------------------------------------------------ TacDialogSkinning

TacDialogSkinning::~TacDialogSkinning() {
  // Freed first, then forgotten: a window given back may send messages
  // that reach the list.
  auto gone = std::move(providers_);
  providers_.clear();
  gone.clear();
  FreeSpareBorderParts();
}

TacDialogSkinning* TacDialogSkinning::Of(TsSkinManager* manager) {
  if (!manager) return nullptr;
  if (!manager->DialogSkinning) manager->DialogSkinning = std::make_unique<TacDialogSkinning>(manager);
  return static_cast<TacDialogSkinning*>(manager->DialogSkinning.get());
}

TacProvider* TacDialogSkinning::ProviderOf(HWND wnd) const {
  for (const auto& p : providers_)
    if (p->CtrlHandle() == wnd) return p.get();
  return nullptr;
}

bool TacDialogSkinning::SkinWindow(HWND wnd) {
  if (!wnd || !manager_->SkinsStdDialogs() || manager_->Destroying() || Application()->Terminating()) return false;
  if (ProviderOf(wnd)) return true;
  if (TacMainWnd::Of(wnd) || AskWindow(wnd, SKC_CTRLHANDLED)) return false;  // skinned by other means
  // Platform dialogs only: of the dialog class, and not a page inside
  // another window (the owner a box names is no parent).
  const LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
  if (ClassOf(wnd) != L"#32770" || (style & WS_CHILD)) return false;
  if ((style & WS_POPUP) && !(style & WS_BORDER)) return false;
  int visible = 0;
  for (const auto& p : providers_) visible += ::IsWindowVisible(p->CtrlHandle()) ? 1 : 0;
  if (visible >= 2 && !HasToolbarChild(wnd)) return false;
  auto provider = std::make_unique<TacProvider>(wnd, manager_);
  if (!provider->InitSkin()) return false;
  providers_.push_back(std::move(provider));
  return true;
}

void TacDialogSkinning::WindowDestroying(HWND wnd) {
  // The dialog still exists here: its entry is dropped by its handle, and
  // its adapters are freed once their procedures have returned.
  auto it = std::find_if(providers_.begin(), providers_.end(),
                         [wnd](const std::unique_ptr<TacProvider>& p) { return p->CtrlHandle() == wnd; });
  if (it == providers_.end()) return;
  std::unique_ptr<TacProvider> gone = std::move(*it);
  providers_.erase(it);
}

void TacDialogSkinning::SkinChanged() {
  if (manager_->SkinRemoving() || !manager_->Active()) {
    auto gone = std::move(providers_);
    providers_.clear();
    gone.clear();  // each dialog is given back as its provider goes
    FreeSpareBorderParts();
    return;
  }
  if (!manager_->ExtendedBorders()) FreeSpareBorderParts();  // no border wanted: none kept for later
  // A copy: a dialog may close while it is told.
  std::vector<HWND> dialogs;
  for (const auto& p : providers_) dialogs.push_back(p->CtrlHandle());
  if (!manager_->Content().SkinData.Active) {
    // Halfway through a switch: what was drawn from the old skin is stale.
    for (const auto& p : providers_)
      if (TacDialogWnd* d = p->ListSW()) d->NewSkin();
    return;
  }
  for (HWND w : dialogs)
    if (::IsWindow(w)) SendSkinCommand(w, SKC_SETNEWSKIN, LPARAM(manager_));
  // Dialogs opened while there was no skin get it now.
  ::EnumThreadWindows(::GetCurrentThreadId(), &SkinUnskinnedDialog, reinterpret_cast<LPARAM>(this));
}

void DialogWindowHooked(HWND wnd, bool destroying) {
  TsSkinManager* m = TsSkinManager::DefaultManager();
  if (!m) return;
  if (destroying) {
    if (m->DialogSkinning) TacDialogSkinning::Of(m)->WindowDestroying(wnd);
    return;
  }
  TacDialogSkinning::Of(m)->SkinWindow(wnd);
}

}  // namespace glyphora
