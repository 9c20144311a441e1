// The internal skin's option sections in their stored order. The package
// tests check the packed skin against it; the skin-load benchmark builds its
// synthetic skin from the same 64 names.
#pragma once

namespace glyphora::testing {

inline constexpr const char* kInternalSkinSections[] = {
    "GLOBALINFO", "DIVIDER", "GRIPH", "GROUPBOX", "ICOLINE", "MAINMENU", "MDIAREA", "MENUITEM",
    "MENULINE", "PANEL", "PANEL_LOW", "STATUSBAR", "DIVIDERV", "GAUGE", "SPLITTER", "SCROLLSLIDERV",
    "CHECKBOX", "RADIOBUTTON", "TRACKBAR", "WEBBUTTON", "BARPANEL", "BUTTON_HUGE", "PAGECONTROLBOTTOM",
    "PAGECONTROLLEFT", "PAGECONTROLRIGHT", "EXTRALINE", "SCROLLSLIDERH", "BAR", "SCROLLBTNBOTTOM",
    "SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLBTNTOP", "COMBOBTN", "SCROLLBAR1V", "SCROLLBAR2H",
    "SCROLLBAR1H", "SCROLLBAR2V", "FORM", "FORMTITLE", "SPEEDBUTTON_SMALL", "SPEEDBUTTON", "EDIT",
    "DRAGBAR", "UPDOWNBTN", "TOOLBUTTON", "TABBOTTOM", "TABLEFT", "TABRIGHT", "GRIPV", "HINT",
    "TOOLBAR", "BARTITLE", "TABTOP", "COMBOBOX", "COLHEADER", "BUTTON", "BUTTON_BIG", "PROGRESSV",
    "DIALOG", "PROGRESSH", "PAGECONTROL", "SELECTION", "ALPHAEDIT", "ALPHACOMBOBOX"};

}  // namespace glyphora::testing
