#include "skin/forms/sys_menu_rules.h"

namespace glyphora {

namespace {
// The window style bits the border kind is read from.
constexpr uint32_t kThickFrame = 0x00040000, kCaption = 0x00C00000, kBorder = 0x00800000, kDlgFrame = 0x00400000;
constexpr uint32_t kExDlgModalFrame = 0x00000001, kExToolWindow = 0x00000080;
}  // namespace

TSysMenuRules SysMenuRules(const TSysMenuState& s) {
  using B = TFormBorderKind;
  const bool singleOrSizeable = s.Border == B::bkSingle || s.Border == B::bkSizeable;
  TSysMenuRules r{};
  r.VisibleClose = s.HaveSysMenu;
  r.VisibleMax = r.VisibleClose && (s.Minimized || s.MdiChild || (singleOrSizeable && s.BiMaximize));
  r.VisibleMin = r.VisibleClose && (s.Minimized || s.MdiChild || (singleOrSizeable && s.BiMinimize));
  r.VisibleRestore = r.VisibleClose && (s.MdiChild || singleOrSizeable);
  r.VisibleSize = s.MdiChild || !(s.Border == B::bkNone || s.Border == B::bkDialog || s.Border == B::bkToolWindow);
  r.VisibleMove = true;
  r.EnabledMax = s.BiMaximize && (s.MdiChild || (!s.Maximized && singleOrSizeable));
  r.EnabledMin = s.BiMinimize && !s.Minimized;
  r.EnabledRestore = (s.BiMaximize && (s.Minimized || s.Maximized)) || s.Minimized;
  r.EnabledMove = !s.Maximized;
  r.EnabledSize = s.Border != B::bkSingle && !s.Minimized;
  r.EnabledClose = true;
  return r;
}

TFormBorderKind BorderKindOfStyle(uint32_t style, uint32_t exStyle) {
  using B = TFormBorderKind;
  const bool sizeable = (style & kThickFrame) != 0;
  if (exStyle & kExToolWindow) return sizeable ? B::bkSizeToolWin : B::bkToolWindow;
  if (sizeable) return B::bkSizeable;
  if (exStyle & kExDlgModalFrame) return B::bkDialog;
  if ((style & kCaption) == kCaption || (style & (kBorder | kDlgFrame))) return B::bkSingle;
  return B::bkNone;
}

}  // namespace glyphora
