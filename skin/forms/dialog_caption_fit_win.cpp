// A dialog whose title does not fit its skinned caption grows to fit it as
// it is first shown: the platform sized it for its own caption, and the
// skin's margins, border and buttons take more room. The children keep their
// place in the middle, and the dialog stays within the work area.
#include <algorithm>
#include <string>

#include "framework/handles.h"
#include "skin/core/sCommonData.h"
#include "skin/forms/dialog_wnd_win.h"

namespace glyphora {

void TacDialogWnd::FitCaptionOnShow(WINDOWPOS& pos) {
  if (captionFitted_) return;
  captionFitted_ = true;
  // A sizeable dialog is the user's to size; a zoomed or minimised one has
  // no say in its width.
  if (!FrameSkinned() || (dwStyle_ & WS_THICKFRAME) || (dwStyle_ & WS_CAPTION) != WS_CAPTION || ::IsIconic(wnd_) ||
      ::IsZoomed(wnd_))
    return;
  const std::wstring text = Title();
  if (text.empty()) return;
  SIZE extent{};
  {
    WindowDC dc(nullptr);
    SelectGuard font(dc.get(), CaptionFont());
    if (!::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent)) return;
  }
  UpdateLayout();
  const int32_t need = extent.cx + 2 - RectWidth(layout_.Text);
  RECT wr{};
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (need <= 0 || !::GetWindowRect(wnd_, &wr) ||
      !::GetMonitorInfoW(::MonitorFromWindow(wnd_, MONITOR_DEFAULTTONEAREST), &mi))
    return;
  const RECT& work = mi.rcWork;
  const int32_t width = (pos.flags & SWP_NOSIZE) ? wr.right - wr.left : pos.cx;
  const int32_t grow = std::min<int32_t>(need, (work.right - work.left) - width);
  if (grow <= 0) return;
  const int32_t x = (pos.flags & SWP_NOMOVE) ? wr.left : pos.x;
  pos.y = (pos.flags & SWP_NOMOVE) ? wr.top : pos.y;
  pos.cy = (pos.flags & SWP_NOSIZE) ? wr.bottom - wr.top : pos.cy;
  pos.cx = width + grow;
  pos.x = std::clamp<int32_t>(x - grow / 2, work.left, work.right - pos.cx);
  pos.flags &= ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE);
  // The children move right by half the growth: what was centred stays so.
  for (HWND c = ::GetWindow(wnd_, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    RECT r{};
    if (!::GetWindowRect(c, &r)) continue;
    ::MapWindowPoints(nullptr, wnd_, reinterpret_cast<POINT*>(&r), 2);
    ::SetWindowPos(c, nullptr, r.left + grow / 2, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  layoutValid_ = false;
  rgnChanged_ = true;
  skinData_->MarkBGChanged();
}

}  // namespace glyphora
