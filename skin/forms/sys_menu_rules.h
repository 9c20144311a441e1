// Which items of a skinned form's system menu, and which caption buttons,
// are visible and enabled, from the form's border, icons and state. No
// window system: the provider reads the state from the window.
#pragma once
#include <cstdint>

namespace glyphora {

enum class TFormBorderKind { bkNone, bkSingle, bkSizeable, bkDialog, bkToolWindow, bkSizeToolWin };

struct TSysMenuState {
  bool HaveSysMenu = true;  // the form had WS_SYSMENU before the frame took it away
  TFormBorderKind Border = TFormBorderKind::bkSizeable;
  bool BiMinimize = true, BiMaximize = true;
  bool Minimized = false, Maximized = false;
  bool MdiChild = false;
};

struct TSysMenuRules {
  bool VisibleRestore, VisibleMove, VisibleSize, VisibleMin, VisibleMax, VisibleClose;
  bool EnabledRestore, EnabledMove, EnabledSize, EnabledMin, EnabledMax, EnabledClose;
};

TSysMenuRules SysMenuRules(const TSysMenuState& s);

// The border kind of a window style (WS_ and WS_EX_ bits as numbers).
TFormBorderKind BorderKindOfStyle(uint32_t style, uint32_t exStyle);

}  // namespace glyphora
