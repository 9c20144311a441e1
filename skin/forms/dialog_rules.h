// The rules of skinned platform dialogs that need no window system: the
// border style of a dialog's window styles, which adapter and section each
// child window class gets, which caption buttons a dialog shows and enables,
// its frame layout (buttons, icon, title) and its hit test. Window styles
// are passed as numbers (the platform's WS_, DS_, SS_ and BS_ values).
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "skin/forms/frame_geometry.h"
#include "skin/forms/sys_menu_rules.h"

namespace glyphora {

enum class TacBorderStyle { acbsDialog, acbsSingle, acbsNone, acbsSizeable };

// A pop-up without a full caption has none; a thick frame is sizeable; a
// modal frame is a dialog border; anything else a single border.
TacBorderStyle DialogBorderStyle(uint32_t style);

// The adapters a dialog's child can get.
enum class TDialogChildKind {
  None,       // keeps the platform's look (painted on the dialog's colours)
  Static,     // text
  Icon,       // icon, bitmap or metafile
  Edge,       // icon or bitmap with a sunken edge
  PushButton,
  GroupBox,
  Edit,       // edits, list boxes and combo lists: frame and scroll bars
};

struct TDialogChildRule {
  TDialogChildKind Kind = TDialogChildKind::None;
  const char* Section = "";
};

// By the window class (lower case), its style and extended style. Classes
// and kinds without an adapter of their own (check boxes, radio buttons,
// combo boxes, owner-drawn buttons and statics, frames and rectangles,
// common controls) give None.
TDialogChildRule DialogChildRule(const std::wstring& lowerClassName, uint32_t style, uint32_t exStyle);

// What a dialog's caption buttons depend on.
struct TDialogButtonInput {
  uint32_t Style = 0, ExStyle = 0;
  bool NoClose = false;  // the class has CS_NOCLOSE or the system menu's Close is disabled
  bool Maximized = false, Minimized = false;
};

struct TDialogButtons {
  std::array<bool, cbCount> Visible{}, Enabled{};
  bool RestoreEnabled = false;
};

// Close by WS_SYSMENU, maximise by WS_MAXIMIZEBOX, minimise by
// WS_MINIMIZEBOX, help by WS_EX_CONTEXTHELP; enabled as the platform
// would: close unless NoClose, maximise when not maximised and the border
// is single or sizeable, minimise when not minimised, restore when the
// maximise button shows and the window is minimised or maximised.
TDialogButtons DialogButtons(const TDialogButtonInput& in);

// Small caption-button images ("SICON...") serve every border but the
// single and sizeable ones, when the skin has a small close image.
bool DialogUsesSmallButtons(TacBorderStyle border, bool skinHasSmallClose);

// The dialog's frame: the form layout of the caption buttons (in.ShowIcon
// is ignored), then the dialog's icon (iconSize square, at the native frame
// width plus BILeftMargin, centred in the caption) when `showIcon`, and its
// title from after the icon to 6 pixels before the buttons. An extended
// input (the frame image with the extended border) is laid out as a form's.
TFrameLayout LayoutDialogFrame(const TFrameInput& in, bool showIcon, int32_t iconSize);

// The items of a dialog's own system menu: Restore where a close button
// shows and the border can size (not a dialog, borderless or tool window
// border), Move always (disabled when maximised), Size where the border can
// size (disabled for a single border and when minimised or maximised),
// Minimize and Maximize by the style's boxes, Close by WS_SYSMENU, always
// enabled.
TSysMenuRules DialogSysMenuRules(uint32_t style, uint32_t exStyle, bool maximized, bool minimized);

// The skinned hit code of a point in window coordinates: the icon gives
// kHtSysMenu, an enabled caption button its code; anything else kHtNowhere
// (the platform's answer stands).
int32_t DialogHitTest(const TFrameLayout& layout, int32_t x, int32_t y);

}  // namespace glyphora
