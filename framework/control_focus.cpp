// Focus and keys: the keyboard shift state, focusability, tab order.
#include "framework/control.h"

#include <algorithm>
#include <vector>

#include "framework/focus_window.h"

namespace glyphora {

unsigned KeyboardShift() {
  unsigned s = 0;
  if (::GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

void TWinControl::KeyDown(WORD&, unsigned) {}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && FocusWindow() == handle_; }

void TWinControl::SetFocus() {
  if (HWND h = Handle()) ::SetFocus(h);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  std::vector<TWinControl*> kids;
  for (TControl* c : controls_)
    if (c->IsWindowed()) kids.push_back(static_cast<TWinControl*>(c));
  std::stable_sort(kids.begin(), kids.end(), [](TWinControl* a, TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
  for (TWinControl* k : kids) {
    if (k->tabStop_) list.push_back(k);
    k->GetTabOrderList(list);
  }
}

}  // namespace glyphora
