#include "framework/sys_colors_win.h"

#include <windows.h>

#include "base/color_convert.h"

namespace glyphora {

// The named system colours carry the platform's own indexes.
static_assert(clScrollBar == (clSystemColor | COLOR_SCROLLBAR) && clWindow == (clSystemColor | COLOR_WINDOW) &&
              clWindowText == (clSystemColor | COLOR_WINDOWTEXT) && clHighlight == (clSystemColor | COLOR_HIGHLIGHT) &&
              clHighlightText == (clSystemColor | COLOR_HIGHLIGHTTEXT) &&
              clBtnFace == (clSystemColor | COLOR_BTNFACE) && clBtnShadow == (clSystemColor | COLOR_BTNSHADOW) &&
              clGrayText == (clSystemColor | COLOR_GRAYTEXT) && clBtnText == (clSystemColor | COLOR_BTNTEXT) &&
              clBtnHighlight == (clSystemColor | COLOR_BTNHIGHLIGHT) &&
              cl3DDkShadow == (clSystemColor | COLOR_3DDKSHADOW));

void InstallSystemColorSource() {
  SetSystemColorSource([](int index) -> TColor { return static_cast<TColor>(GetSysColor(index)); });
}

}  // namespace glyphora
