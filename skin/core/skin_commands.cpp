#include "skin/core/skin_commands.h"

#include <algorithm>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/message_gate.h"
#include "skin/core/sSkinManager.h"

namespace glyphora {

namespace {
std::vector<TCustomForm*> g_skinnedForms;
std::vector<HWND> g_hookedDialogs;

// The skin commands this thread is sending now, innermost last. A command
// is a pair of parameters; a receiver finds its own in this list while the
// send that carries it is on the stack.
struct TSentCommand {
  WPARAM WParam;
  LPARAM LParam;
};
std::vector<TSentCommand>& Sending() {
  thread_local std::vector<TSentCommand> sending;
  return sending;
}

// Marks a command as this program's for the scope's length.
class TSendingScope {
 public:
  TSendingScope(UINT msg, WPARAM wParam, LPARAM lParam) : on_(msg == SM_ALPHACMD) {
    if (on_) Sending().push_back({wParam, lParam});
  }
  ~TSendingScope() {
    if (on_) Sending().pop_back();
  }
  TSendingScope(const TSendingScope&) = delete;
  TSendingScope& operator=(const TSendingScope&) = delete;

 private:
  bool on_;
};

// Every framework window refuses skin commands this program is not sending.
const bool g_gateSet = (SetMessageGate(SM_ALPHACMD, &SkinCommandFromProgram), true);
}  // namespace

bool SkinCommandFromProgram(WPARAM wParam, LPARAM lParam) {
  for (const TSentCommand& c : Sending())
    if (c.WParam == wParam && c.LParam == lParam) return true;
  return false;
}

LRESULT SendSkinCommand(HWND wnd, uint16_t code, LPARAM lParam, uint16_t arg) {
  if (!wnd) return 0;
  const WPARAM wParam = SkinCommandWParam(code, arg);
  TSendingScope sending(SM_ALPHACMD, wParam, lParam);
  return ::SendMessageW(wnd, SM_ALPHACMD, wParam, lParam);
}

LRESULT SendControlSkinCommand(TControl* control, uint16_t code, LPARAM lParam, uint16_t arg,
                               TWithoutWindow withoutWindow) {
  if (!control || control->Destroying()) return 0;
  if (control->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(control);
    if (w->HandleAllocated()) return SendSkinCommand(w->WindowHandle(), code, lParam, arg);
    if (withoutWindow == TWithoutWindow::Nothing) return 0;
  }
  const WPARAM wParam = SkinCommandWParam(code, arg);
  TSendingScope sending(SM_ALPHACMD, wParam, lParam);
  return control->Perform(SM_ALPHACMD, wParam, lParam);
}

bool AskWindow(HWND wnd, uint16_t code) { return SendSkinCommand(wnd, code, 0) == 1; }

TColor GetControlBGColor(TControl* control) {
  if (!control) return clNoneMarker;
  if (SendControlSkinCommand(control, SKC_CTRLHANDLED) == 1)
    return ColorToRGB(static_cast<TColor>(SendControlSkinCommand(control, SKC_GETCOLOR, clNoneMarker)));
  return ColorToRGB(control->Color());
}

TColor GetWindowBGColor(HWND wnd) {
  if (!wnd) return clNoneMarker;
  return ColorToRGB(static_cast<TColor>(SendSkinCommand(wnd, SKC_GETCOLOR, clNoneMarker)));
}

bool AskParentBG(TacParentBG& info, TControl* parent, HWND parentWnd, bool pleasePaint) {
  info.Kind = bgkUnknown;
  info.PaintIfMissing = pleasePaint;
  const LPARAM record = reinterpret_cast<LPARAM>(&info);
  if (parent) SendControlSkinCommand(parent, SKC_GETBG, record, 0, TWithoutWindow::Dispatch);
  else if (parentWnd) SendSkinCommand(parentWnd, SKC_GETBG, record);
  info.PaintIfMissing = pleasePaint;
  if (info.Kind != bgkUnknown) return true;
  info.Kind = bgkFill;
  if (parent) {
    const LRESULT answer = SendControlSkinCommand(parent, SKC_GETCOLOR, 0, 0, TWithoutWindow::Dispatch);
    info.Color = answer != 0 ? static_cast<TColor>(answer) : ColorToRGB(parent->Color());
  } else if (AskWindow(parentWnd, SKC_CTRLHANDLED)) {
    info.Color = GetWindowBGColor(parentWnd);
  } else {
    TsSkinManager* manager = TsSkinManager::DefaultManager();
    info.Color = manager ? manager->GetGlobalColor() : clBtnFace;
  }
  return false;
}

void RelayToChildren(TWinControl* parent, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!parent) return;
  TSendingScope sending(msg, wParam, lParam);
  // A copy: receivers may add or remove controls while the walk goes on.
  std::vector<TControl*> children = parent->Controls();
  for (TControl* c : children) {
    if (c->Destroying()) return;
    if (!c->IsWindowed() || !static_cast<TWinControl*>(c)->HandleAllocated()) {
      c->Perform(msg, wParam, lParam);
      continue;
    }
    auto* w = static_cast<TWinControl*>(c);
    if (AskWindow(w->WindowHandle(), SKC_CTRLHANDLED))
      ::SendMessageW(w->WindowHandle(), msg, wParam, lParam);
    else
      RelayToChildren(w, msg, wParam, lParam);
  }
}

void BroadcastToChildWindows(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TSendingScope sending(msg, wParam, lParam);
  std::vector<HWND> children;
  for (HWND c = ::GetWindow(wnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  for (HWND c : children)
    if (::IsWindow(c)) ::SendMessageW(c, msg, wParam, lParam);
}

void NotifyChildrenParentUpdated(TWinControl* control) {
  if (!control) return;
  std::vector<TControl*> children = control->Controls();
  for (TControl* c : children) {
    if (c->IsWindowed()) {
      auto* w = static_cast<TWinControl*>(c);
      if (w->HandleAllocated() && AskWindow(w->WindowHandle(), SKC_CTRLHANDLED))
        SendSkinCommand(w->WindowHandle(), SKC_PARENTUPDATED);
    } else {
      c->Perform(SM_ALPHACMD, SkinCommandWParam(SKC_PARENTUPDATED), 0);
    }
  }
}

namespace {
void SendToForm(TCustomForm* form, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!form->HandleAllocated()) {
    RelayToChildren(form, msg, wParam, lParam);
    return;
  }
  ::SendMessageW(form->WindowHandle(), msg, wParam, lParam);
  RelayToChildren(form, msg, wParam, lParam);
}
}  // namespace

void BroadcastToForms(UINT msg, WPARAM wParam, LPARAM lParam) {
  TSendingScope sending(msg, wParam, lParam);
  // Forms without a provider, from the last to the first.
  std::vector<TCustomForm*> forms = Application()->Forms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
    TCustomForm* f = *it;
    auto& live = Application()->Forms();
    if (std::find(live.begin(), live.end(), f) == live.end()) continue;
    if (f->Destroying() || f->Loading()) continue;
    if (f->HandleAllocated() && AskWindow(f->WindowHandle(), SKC_CTRLHANDLED)) continue;
    SendToForm(f, msg, wParam, lParam);
  }
  // Forms with a provider, in registration order.
  std::vector<TCustomForm*> skinned = g_skinnedForms;
  for (TCustomForm* f : skinned) {
    if (!f || std::find(g_skinnedForms.begin(), g_skinnedForms.end(), f) == g_skinnedForms.end()) continue;
    if (f->Destroying()) continue;
    SendToForm(f, msg, wParam, lParam);
  }
  std::vector<HWND> dialogs = g_hookedDialogs;
  for (HWND d : dialogs)
    if (::IsWindow(d) && ::IsWindowVisible(d)) ::SendMessageW(d, msg, wParam, lParam);
}

void RegisterSkinnedForm(TCustomForm* form) {
  if (std::find(g_skinnedForms.begin(), g_skinnedForms.end(), form) == g_skinnedForms.end())
    g_skinnedForms.push_back(form);
}

void UnregisterSkinnedForm(TCustomForm* form) {
  auto it = std::find(g_skinnedForms.begin(), g_skinnedForms.end(), form);
  if (it == g_skinnedForms.end()) return;
  // The last entry moves into the freed place.
  *it = g_skinnedForms.back();
  g_skinnedForms.pop_back();
}

void RegisterHookedDialog(HWND dialog) {
  if (std::find(g_hookedDialogs.begin(), g_hookedDialogs.end(), dialog) == g_hookedDialogs.end())
    g_hookedDialogs.push_back(dialog);
}

void UnregisterHookedDialog(HWND dialog) {
  g_hookedDialogs.erase(std::remove(g_hookedDialogs.begin(), g_hookedDialogs.end(), dialog), g_hookedDialogs.end());
}

}  // namespace glyphora
