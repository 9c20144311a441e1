#include "framework/sys_colors_win.h"

#include <windows.h>

#include "base/color_convert.h"

namespace glyphora {

void InstallSystemColorSource() {
  SetSystemColorSource([](int index) -> TColor { return static_cast<TColor>(GetSysColor(index)); });
}

}  // namespace glyphora
