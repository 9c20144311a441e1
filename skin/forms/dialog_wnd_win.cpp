// The messages of a skinned dialog's frame adapter: the non-client area,
// activation, hit tests and caption buttons, the client background and the
// colours given to the children, the system menu and the skin commands.
#include "skin/forms/dialog_wnd_win.h"

#include <windowsx.h>

#include "framework/control.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_content.h"
#include "skin/forms/dialog_provider_win.h"
#include "skin/forms/dialog_system_menu_win.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/sSkinMenus.h"

namespace glyphora {

namespace {
POINT PointOf(LPARAM lp) { return POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }
}  // namespace

TacDialogWnd::TacDialogWnd(HWND wnd, TacProvider* provider, TsSkinManager* manager)
    : TacMainWnd(wnd, manager, nullptr, "DIALOG"), provider_(provider) {}

TacDialogWnd::~TacDialogWnd() {
  // The border's windows ask this adapter while they go: they go first.
  border_.reset();
  captionButtons_.StopFades();
  captionButtons_.RemoveGlows();
  if (captionButtons_.Pressed() != cbCount && ::GetCapture() == wnd_) ::ReleaseCapture();
  Detach();  // here, while RestoreStdParams is still this class's
}

void TacDialogWnd::Init() {
  TacMainWnd::Init();
  systemMenu_ = std::make_unique<TacSystemMenu>(this);
}

TSkinContent* TacDialogWnd::Content() const {
  return manager_ && manager_->Active() && manager_->Content().SkinData.Active ? &manager_->Content() : nullptr;
}

bool TacDialogWnd::FrameSkinned() const { return paramsRead_ && Content() && skinData_->SkinIndex >= 0; }

void TacDialogWnd::InitParams() {
  dwStyle_ = static_cast<DWORD>(::GetWindowLongW(wnd_, GWL_STYLE));
  dwExStyle_ = static_cast<DWORD>(::GetWindowLongW(wnd_, GWL_EXSTYLE));
  borderStyle_ = DialogBorderStyle(dwStyle_);
  icon_ = reinterpret_cast<HICON>(::SendMessageW(wnd_, WM_GETICON, ICON_SMALL, 0));
  if (!icon_) icon_ = reinterpret_cast<HICON>(::SendMessageW(wnd_, WM_GETICON, ICON_BIG, 0));
  paramsRead_ = true;
  ResolveSkin();
  if (dwStyle_ & WS_SYSMENU) {
    // The platform would draw its own buttons and menu over the skin's.
    ::SetWindowLongW(wnd_, GWL_STYLE, static_cast<LONG>(dwStyle_ & ~WS_SYSMENU));
    sysMenuStripped_ = true;
  }
  if (systemMenu_) systemMenu_->UpdateItems();
  CheckExtendedBorder();
}

void TacDialogWnd::RestoreStdParams() {
  border_.reset();
  if (!::IsWindow(wnd_)) return;
  if (sysMenuStripped_) {
    const LONG style = ::GetWindowLongW(wnd_, GWL_STYLE);
    ::SetWindowLongW(wnd_, GWL_STYLE, style | WS_SYSMENU);
    sysMenuStripped_ = false;
  }
  ::SetWindowRgn(wnd_, nullptr, FALSE);  // the system frees the old region
  rgnChanged_ = true;
  ::SetWindowPos(wnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ::RedrawWindow(wnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TacDialogWnd::SkinResolved(TSkinContent* skin) {
  if (!skin) return;
  smallButtons_ = DialogUsesSmallButtons(borderStyle_, GlobalImage(*skin, "SICONCLOSE") >= 0);
  if (smallButtons_) {
    SetButtonImages(*skin, "SICONCLOSE", "SICONMAX", "SICONMIN", "SICONHELP");
    if (buttons_[cbHelp].Image < 0) buttons_[cbHelp].Image = GlobalImage(*skin, "BICONHELP");
    return;
  }
  SetButtonImages(*skin, "BICONCLOSE", "BICONMAX", "BICONMIN", "BICONHELP");
  // A close button alone in the caption has a look of its own.
  const int alone = GlobalImage(*skin, "BICLOSEALONE");
  if (!(dwStyle_ & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) && alone >= 0) buttons_[cbClose].Image = alone;
}

void TacDialogWnd::NewSkin() {
  brush_.reset();
  skinData_->MarkBGChanged();
  ResolveSkin();
}

HBRUSH TacDialogWnd::ClientBrush() {
  if (!brush_) brush_.reset(::CreateSolidBrush(ColorToRGB(skinData_->GetBGColor(0, wnd_))));
  return brush_.get();
}

bool TacDialogWnd::acWndProc(TMessage& m) {
  if (m.Msg == SM_ALPHACMD) return HandleSkinCommand(m);
  if (HandleBorderMessage(m)) return true;
  if (!FrameSkinned() || ::IsIconic(wnd_)) {
    if (m.Msg == WM_NCACTIVATE) formActive_ = m.WParam != 0;
    return false;
  }
  switch (m.Msg) {
    case WM_NCPAINT:
      provider_->InitHwndControls(wnd_);
      PaintFrame();
      m.Result = 0;
      return true;
    case WM_ERASEBKGND:
      provider_->InitHwndControls(wnd_);
      EraseBackground(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return true;
    case WM_NCACTIVATE:
      NcActivate(m);
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      CallWithoutNativeCaption(m);
      return true;
    case WM_NCHITTEST: {
      const int code = HitTestScreen(PointOf(m.LParam));
      if (code == kHtNowhere) return false;
      m.Result = code;
      return true;
    }
    case WM_CTLCOLORDLG:
      m.Result = reinterpret_cast<LRESULT>(ClientBrush());
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Children that kept the platform's look (check boxes, frames) sit
      // on the dialog's colour with the section's text colour.
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      ::SetBkColor(dc, ColorToRGB(skinData_->GetBGColor(0, wnd_)));
      if (TSkinContent* skin = Content(); skin && skin->IsValidSkinIndex(skinData_->SkinIndex))
        ::SetTextColor(dc, ColorToRGB(skin->gd[skinData_->SkinIndex].FontColor.Color));
      m.Result = reinterpret_cast<LRESULT>(ClientBrush());
      return true;
    }
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_ENABLE:
      CallPrev(m);
      SizeChanged();
      return true;
    case WM_SETTINGCHANGE:
      captionFont_.reset();
      layoutValid_ = false;
      skinData_->MarkBGChanged();
      return false;
    case WM_SYSCOMMAND:
      // Alt+Space: the platform shows no menu for a window without
      // WS_SYSMENU; the dialog's own comes below the icon.
      if ((m.WParam & 0xFFF0) == SC_KEYMENU && m.LParam == L' ') {
        DropSysMenuBelowIcon();
        m.Result = 0;
        return true;
      }
      return false;
    case WM_NCRBUTTONDOWN:
      if (m.WParam == HTCAPTION || m.WParam == HTSYSMENU) {
        m.Result = 0;
        return true;
      }
      return false;
    case WM_NCRBUTTONUP:
      if (m.WParam != HTCAPTION && m.WParam != HTSYSMENU) return false;
      DropSysMenu(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      m.Result = 0;
      return true;
    default:
      return HandleMouse(m);
  }
}

bool TacDialogWnd::HandleSkinCommand(TMessage& m) {
  const bool own = SkinCommandForManager(m, manager_);
  switch (SkinCommandCode(m.WParam)) {
    case SKC_SETNEWSKIN:
    case SKC_REFRESH:
      if (!own) return false;
      captionButtons_.StopFades();
      captionButtons_.RemoveGlows();
      NewSkin();
      CheckExtendedBorder();
      provider_->SendToControls(SM_ALPHACMD, m.WParam, m.LParam);
      if (::IsWindowVisible(wnd_))
        ::RedrawWindow(wnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      m.Result = 0;
      return true;
    case SKC_GETBG: {
      auto* info = SkinCommandFromProgram(m) ? reinterpret_cast<TacParentBG*>(m.LParam) : nullptr;
      if (!info) return true;
      if (!FrameSkinned()) return TacMainWnd::acWndProc(m);
      PaintIfStale();
      if (frame_.Empty()) return TacMainWnd::acWndProc(m);
      // The children's coordinates are the client area's.
      info->Kind = bgkCache;
      info->Bmp = &frame_;
      info->Offset = {layout_.Client.Left, layout_.Client.Top};
      m.Result = 1;
      return true;
    }
    case SKC_GETCOLOR:
      m.Result = LRESULT(skinData_->GetBGColor(0, wnd_));
      return true;
    default:
      return TacMainWnd::acWndProc(m);
  }
}

void TacDialogWnd::EraseBackground(HDC dc) {
  PaintIfStale();
  HDC cache = skinData_->CacheDC();
  if (!dc || !cache || frame_.Empty()) return;
  SavedDC saved(dc);
  // The children paint themselves: erasing under them only flickers.
  for (HWND c = ::GetWindow(wnd_, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    RECT r;
    if (!::IsWindowVisible(c) || !::GetWindowRect(c, &r)) continue;
    ::MapWindowPoints(nullptr, wnd_, reinterpret_cast<POINT*>(&r), 2);
    ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  const TRect32& c = layout_.Client;
  ::BitBlt(dc, 0, 0, RectWidth(c), RectHeight(c), cache, c.Left, c.Top, SRCCOPY);
}

void TacDialogWnd::NcActivate(TMessage& m) {
  const bool active = m.WParam != 0;
  if (active != formActive_) skinData_->MarkBGChanged();
  formActive_ = active;
  // lParam -1: the platform keeps its activation bookkeeping but paints
  // no caption of its own.
  m.LParam = -1;
  CallPrev(m);
  m.Result = TRUE;
  PaintFrame();
}

void TacDialogWnd::CallWithoutNativeCaption(TMessage& m) {
  const bool visible = ::IsWindowVisible(wnd_);
  if (visible) ::DefWindowProcW(wnd_, WM_SETREDRAW, FALSE, 0);
  if (!TacMainWnd::acWndProc(m)) CallPrev(m);
  if (visible) ::DefWindowProcW(wnd_, WM_SETREDRAW, TRUE, 0);
  if (m.Msg == WM_SETICON) {
    icon_ = reinterpret_cast<HICON>(::SendMessageW(wnd_, WM_GETICON, ICON_SMALL, 0));
    if (!icon_) icon_ = reinterpret_cast<HICON>(::SendMessageW(wnd_, WM_GETICON, ICON_BIG, 0));
    layoutValid_ = false;
  }
  skinData_->MarkBGChanged();
  if (visible) PaintFrame();
}

void TacDialogWnd::SizeChanged() {
  RECT r;
  if (!::GetWindowRect(wnd_, &r)) return;
  // The window's size as laid out (the frame image is larger with the
  // extended border).
  const int32_t w = border_ ? exLayout_.In.FormWidth : layout_.In.Width;
  const int32_t h = border_ ? exLayout_.In.FormHeight : layout_.In.Height;
  if (layoutValid_ && w == r.right - r.left && h == r.bottom - r.top) return;
  layoutValid_ = false;
  rgnChanged_ = true;
  skinData_->MarkBGChanged();
  if (::IsWindowVisible(wnd_)) {
    PaintFrame();
    ::InvalidateRect(wnd_, nullptr, TRUE);
  }
}

int TacDialogWnd::HitTestScreen(POINT p) {
  RECT wr;
  if (!::GetWindowRect(wnd_, &wr)) return kHtNowhere;
  UpdateLayout();
  if (border_) {
    const POINT o = ImageOrigin();
    return ExBorderHitTest(layout_, exLayout_, p.x - o.x, p.y - o.y);
  }
  return DialogHitTest(layout_, p.x - wr.left, p.y - wr.top);
}

bool TacDialogWnd::HandleMouse(TMessage& m) {
  switch (m.Msg) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      if (PressCaptionButton(m)) return true;
      if (m.WParam == HTSYSMENU) {
        m.Result = 0;
        // Posted: closing ends the dialog and frees this adapter.
        if (m.Msg == WM_NCLBUTTONDBLCLK) ::PostMessageW(wnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
        else DropSysMenuBelowIcon();
        return true;
      }
      if (m.Msg == WM_NCLBUTTONDBLCLK && m.WParam == HTCAPTION) {
        UpdateLayout();
        const bool zoomed = ::IsZoomed(wnd_);
        if (layout_.In.ButtonVisible[cbMax] && (zoomed ? layout_.In.RestoreEnabled : layout_.In.ButtonEnabled[cbMax]))
          ::PostMessageW(wnd_, WM_SYSCOMMAND, zoomed ? SC_RESTORE : SC_MAXIMIZE, 0);
        m.Result = 0;
        return true;
      }
      return false;
    }
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: {
      if (captionButtons_.Pressed() == cbCount) return false;
      POINT p = PointOf(m.LParam);
      if (m.Msg == WM_LBUTTONUP) ::ClientToScreen(wnd_, &p);
      m.Result = 0;
      Release(p);  // may close the dialog: nothing follows
      return true;
    }
    default:
      // Hot tracking, presses held, lost capture and the fades.
      return captionButtons_.HandleMouse(m);
  }
}

void TacDialogWnd::Release(POINT p) {
  WPARAM cmd = 0;
  switch (EndCaptionPress(p)) {
    case cbMin: cmd = ::IsIconic(wnd_) ? SC_RESTORE : SC_MINIMIZE; break;
    case cbMax: cmd = ::IsZoomed(wnd_) ? SC_RESTORE : SC_MAXIMIZE; break;
    case cbClose: cmd = SC_CLOSE; break;
    case cbHelp: cmd = SC_CONTEXTHELP; break;
    default: return;
  }
  // Posted: closing ends the dialog and frees this adapter.
  ::PostMessageW(wnd_, WM_SYSCOMMAND, cmd, 0);
}

void TacDialogWnd::DropSysMenuBelowIcon() {
  const POINT o = ImageOrigin();
  const int y = RectHeight(layout_.Icon) > 0 ? o.y + layout_.Icon.Bottom + 1 : o.y + layout_.CaptionBottom;
  DropSysMenu(o.x + layout_.In.Shadow.Left + layout_.In.SysBorderWidth, y);
}

void TacDialogWnd::DropSysMenu(int x, int y) {
  if (!systemMenu_ || !(dwStyle_ & WS_SYSMENU)) return;
  systemMenu_->UpdateItems();
  if (manager_) TsSkinableMenus::Of(manager_)->HookPopupMenu(systemMenu_.get(), FrameSkinned());
  systemMenu_->WindowHandle = wnd_;
  systemMenu_->Popup(x, y);
  // The chosen command may have ended the dialog (posted) but not yet.
  systemMenu_->WindowHandle = nullptr;
}

}  // namespace glyphora
