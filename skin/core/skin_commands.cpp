#include "skin/core/skin_commands.h"

#include <algorithm>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"

namespace glyphora {

namespace {
std::vector<TCustomForm*> g_skinnedForms;
std::vector<HWND> g_hookedDialogs;
}  // namespace

bool SkinCommandPointerTrusted() { return ::InSendMessageEx(nullptr) == ISMEX_NOSEND; }

LRESULT SendSkinCommand(HWND wnd, uint16_t code, LPARAM lParam, uint16_t arg) {
  return wnd ? ::SendMessageW(wnd, SM_ALPHACMD, SkinCommandWParam(code, arg), lParam) : 0;
}

LRESULT SendControlSkinCommand(TControl* control, uint16_t code, LPARAM lParam, uint16_t arg) {
  if (!control || control->Destroying()) return 0;
  if (control->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(control);
    return w->HandleAllocated() ? SendSkinCommand(w->WindowHandle(), code, lParam, arg) : 0;
  }
  return control->Perform(SM_ALPHACMD, SkinCommandWParam(code, arg), lParam);
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

void RelayToChildren(TWinControl* parent, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!parent) return;
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
