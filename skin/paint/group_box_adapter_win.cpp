#include "skin/paint/group_box_adapter_win.h"

#include <algorithm>

#include "framework/handles.h"
#include "skin/core/sCommonData.h"
#include "skin/paint/control_section.h"
#include "skin/paint/pixel_fill.h"
#include "skin/paint/plain_copy.h"
#include "skin/paint/section_text_win.h"
#include "skin/paint/skin_data_paint_win.h"

namespace glyphora {

namespace {
// The caption's distance from the frame's left (or right) end, and the gap
// kept around it in the frame line.
constexpr int32_t kTextIndent = 8, kTextGap = 2;

// What lies behind the window, over all of px.
void FillBehind(TBitmap32& px, const TCacheInfo& ci, const TRect32& r) {
  if (ci.Ready && ci.Bmp) CopyBlock(&px, r.Left, r.Top, ci.Bmp, ci.X + r.Left, ci.Y + r.Top, RectWidth(r), RectHeight(r));
  else FillPixels32(&px, r, ci.FillColor);
}
}  // namespace

TacGroupBoxWnd::TacGroupBoxWnd(HWND wnd, TsSkinManager* manager, TsCommonData* skinData,
                               const std::string& section, bool dialog)
    : TacPaintedWnd(wnd, manager, skinData, section.empty() ? std::string("GROUPBOX") : section, dialog) {}

TacGroupBoxWnd::~TacGroupBoxWnd() { Detach(); }

HFONT TacGroupBoxWnd::Font() const {
  auto font = reinterpret_cast<HFONT>(::SendMessageW(wnd_, WM_GETFONT, 0, 0));
  return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void TacGroupBoxWnd::PaintLook() {
  TsCommonData& d = *skinData_;
  TCacheInfo behind;
  if (!PaintSectionOverParent(0, &behind)) return;
  TBitmap32* px = d.CachePixels();
  HDC dc = d.CacheDC();
  if (!px || !dc) return;
  const int32_t w = px->Width(), h = px->Height();
  // The caption's size decides where the frame begins.
  SIZE ts{0, 0};
  {
    SelectGuard font(dc, Font());
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    ts.cy = tm.tmHeight;
    if (!caption_.empty()) {
      RECT mr{0, 0, std::max(0, w - 2 * kTextIndent), 0};
      ::DrawTextW(dc, caption_.c_str(), int(caption_.size()), &mr, DT_CALCRECT | DT_SINGLELINE);
      ts.cx = std::min<LONG>(mr.right, std::max(0, w - 2 * kTextIndent));
    }
  }
  ::GdiFlush();
  FillBehind(*px, behind, {0, 0, w, h});
  frameRect_ = {0, std::min<int32_t>(ts.cy / 2, h), w, h};
  PaintControlSection(SectionDataOf(d), behind, false, px, {0, 0}, frameRect_, 0);
  frameWidth_ = std::max<int32_t>(1, d.MaxBorderWidth());
  textRect_ = {};
  if (ts.cx > 0) {
    const LONG style = ::GetWindowLongW(wnd_, GWL_STYLE);
    int32_t left = kTextIndent;
    if ((style & BS_CENTER) == BS_CENTER) left = (w - ts.cx) / 2;
    else if (style & BS_RIGHT) left = w - kTextIndent - ts.cx;
    textRect_ = {left, 0, left + ts.cx, std::min<int32_t>(ts.cy, h)};
    // The frame line stops short of the caption.
    FillBehind(*px, behind, {left - kTextGap, 0, textRect_.Right + kTextGap, textRect_.Bottom});
    ::GdiFlush();
    UINT flags = DT_SINGLELINE | DT_LEFT;
    if (::SendMessageW(wnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) flags |= DT_HIDEPREFIX;
    SelectGuard font(dc, Font());
    DrawSectionText(dc, caption_, ::IsWindowEnabled(wnd_) != FALSE, false, d, flags, textRect_);
  }
  ::GdiFlush();
  d.MarkBGCurrent();
}

void TacGroupBoxWnd::Paint(HDC dc) {
  skinData_->MarkBGChanged();
  PaintLook();
  HDC cache = skinData_->CacheDC();
  const TBitmap32* px = skinData_->CachePixels();
  if (!cache || !px) return;
  SavedDC saved(dc);
  // The inside belongs to the controls of the group: left alone.
  const TRect32& f = frameRect_;
  const int32_t b = frameWidth_;
  ::ExcludeClipRect(dc, f.Left + b, std::max(f.Top + b, textRect_.Bottom), f.Right - b, f.Bottom - b);
  ::BitBlt(dc, 0, 0, px->Width(), px->Height(), cache, 0, 0, SRCCOPY);
}

bool TacGroupBoxWnd::acWndProc(TMessage& m) {
  if (!Skinned()) return TacPaintedWnd::acWndProc(m);
  switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_PRINT:
      return PaintMessage(m);
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      m.Result = 1;
      return true;
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE: {
      const bool visible = ::IsWindowVisible(wnd_) != FALSE;
      if (visible) ::DefWindowProcW(wnd_, WM_SETREDRAW, FALSE, 0);
      // The platform keeps its own state (the UI state too, which the common
      // procedure would swallow); it paints nothing while redrawing is off.
      if (m.Msg == WM_UPDATEUISTATE || !TacMainWnd::acWndProc(m)) CallPrev(m);
      if (visible) {
        ::DefWindowProcW(wnd_, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      }
      return true;
    }
  }
  return TacPaintedWnd::acWndProc(m);
}

}  // namespace glyphora
