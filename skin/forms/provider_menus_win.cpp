// The form provider's part in menus: the skinned frame takes WS_SYSMENU
// off the form (so the platform draws no icon menu and no buttons of its
// own) and keeps what the form had; the provider then drops its own system
// menu for Alt+Space, a click on the caption icon, a right click on the
// caption and the taskbar's window-menu request, and hands the form's popup
// menus to the menu skinning.
#include <windowsx.h>

#include "framework/application.h"
#include "skin/core/skin_commands.h"
#include "skin/forms/menu_window_win.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"

namespace glyphora {

namespace {
// The taskbar's (undocumented) request for a window's system menu.
constexpr UINT kSysMenuRequest = 0x0313;
// Border windows forward a non-client press with this hit code: "test the
// point in lParam again".
constexpr WPARAM kHitTestAgain = static_cast<WPARAM>(-1);

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }
}  // namespace

bool TsSkinProvider::HaveSysMenu() const {
  if (sysMenuStripped_) return haveSysMenu_;
  HWND w = Wnd();
  return w && (::GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU);
}

TSysMenuState TsSkinProvider::SysMenuState() const {
  TSysMenuState s;
  HWND w = Wnd();
  if (!w) return s;
  const LONG style = ::GetWindowLongW(w, GWL_STYLE), ex = ::GetWindowLongW(w, GWL_EXSTYLE);
  s.HaveSysMenu = HaveSysMenu();
  s.Border = BorderKindOfStyle(static_cast<uint32_t>(style), static_cast<uint32_t>(ex));
  s.BiMinimize = (style & WS_MINIMIZEBOX) != 0;
  s.BiMaximize = (style & WS_MAXIMIZEBOX) != 0;
  s.Minimized = ::IsIconic(w) != FALSE;
  s.Maximized = ::IsZoomed(w) != FALSE;
  s.MdiChild = (ex & WS_EX_MDICHILD) != 0;
  return s;
}

void TsSkinProvider::SyncSysMenuStyle() {
  HWND w = Wnd();
  if (!w) return;
  const LONG style = ::GetWindowLongW(w, GWL_STYLE);
  if (FrameSkinned()) {
    if (!sysMenuStripped_) {
      haveSysMenu_ = (style & WS_SYSMENU) != 0;
      sysMenuStripped_ = true;
    }
    if (style & WS_SYSMENU) ::SetWindowLongW(w, GWL_STYLE, style & ~WS_SYSMENU);
  } else if (sysMenuStripped_) {
    sysMenuStripped_ = false;
    if (haveSysMenu_ && !(style & WS_SYSMENU)) ::SetWindowLongW(w, GWL_STYLE, style | WS_SYSMENU);
  }
  layoutValid_ = false;
}

TRect32 TsSkinProvider::IconScreenRect() {
  if (!Wnd()) return {};
  // The layout is in frame image coordinates: with the extended border the
  // image's origin lies left of and above the window.
  const TRect32& icon = Layout().Icon;
  if (RectWidth(icon) <= 0) return {};
  const POINT o = ImageOrigin();
  return {o.x + icon.Left, o.y + icon.Top, o.x + icon.Right, o.y + icon.Bottom};
}

void TsSkinProvider::DropSysMenuBelowIcon() {
  if (!Wnd()) return;
  const TRect32 icon = IconScreenRect();
  const POINT o = ImageOrigin();
  const TFrameLayout& l = Layout();
  const int x = o.x + l.In.Shadow.Left + l.In.SysBorderWidth;
  const int y = RectHeight(icon) > 0 ? icon.Bottom + 1 : o.y + l.CaptionBottom;
  DropSysMenu(x, y);
}

void TsSkinProvider::DropSysMenu(int x, int y) {
  HWND w = Wnd();
  if (!w) return;
  TsSkinManager* mgr = SkinData->SkinManager();
  if (!systemMenu_) systemMenu_ = new TsSystemMenu(this);
  if (mgr && mgr->SkinnedPopups) {
    TsSystemMenu& menu = *systemMenu_;
    menu.UpdateItems(menu.ExtItemsCount > 0);
    if (MakeSkinMenu && menu.Items()->Count() > 0) {
      // The skin list is made anew at every drop.
      TMenuItem* root = menu.Items();
      if (root->Count() > 1 && root->Items(0)->Name == L"SkinSelectItem") {
        TMenuItem* top = root->Items(0);
        TMenuItem* line = root->Items(1);
        top->Clear();
        delete top;
        delete line;
      }
      menu.MakeSkinItems();
    }
    TsSkinableMenus::Of(mgr)->HookPopupMenu(&menu, FrameSkinned());
    menu.WindowHandle = w;
    menu.Popup(x, y);
    // The chosen command may have closed the form (posted) but not yet.
    menu.WindowHandle = nullptr;
    return;
  }
  // Without skinned popups the platform's own menu, its items greyed by
  // the same rules.
  HMENU sys = ::GetSystemMenu(w, FALSE);
  if (!sys) return;
  const TSysMenuRules r = SysMenuRules(SysMenuState());
  const bool normal = !::IsIconic(w) && !::IsZoomed(w);
  const struct {
    UINT Cmd;
    bool On;
  } states[] = {{SC_RESTORE, r.VisibleRestore && r.EnabledRestore}, {SC_MOVE, r.EnabledMove && !::IsIconic(w)},
                {SC_SIZE, r.VisibleSize && r.EnabledSize && normal}, {SC_MINIMIZE, r.VisibleMin && r.EnabledMin},
                {SC_MAXIMIZE, r.VisibleMax && r.EnabledMax}, {SC_CLOSE, r.VisibleClose}};
  for (const auto& s : states) ::EnableMenuItem(sys, s.Cmd, MF_BYCOMMAND | (s.On ? MF_ENABLED : MF_GRAYED));
  const UINT cmd = ::TrackPopupMenu(sys, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, w, nullptr);
  if (cmd) ::PostMessageW(w, WM_SYSCOMMAND, cmd, 0);
}

void TsSkinProvider::MenusAfterSkinCommand(const TMessage& m) {
  const uint16_t code = SkinCommandCode(m.WParam);
  if (code != SKC_SETNEWSKIN && code != SKC_REFRESH && code != SKC_REMOVESKIN) return;
  TsSkinManager* mgr = SkinData->SkinManager();
  if (!mgr || mgr->Destroying() || !SkinCommandForManager(m, mgr) || !form_ || form_->Destroying())
    return;
  InstallHookedWindowsHandler();
  TsSkinableMenus* menus = TsSkinableMenus::Of(mgr);
  menus->ClearCache();
  if (!systemMenu_ && code != SKC_REMOVESKIN) systemMenu_ = new TsSystemMenu(this);
  SyncSysMenuStyle();
  // Un-skinned, the menu items go back to the framework's look.
  if (code == SKC_REMOVESKIN) menus->InitItems(false);
  else menus->UpdateMenus();
}

bool TsSkinProvider::HandleMenuMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_CREATE:
      // A window made anew has WS_SYSMENU from its creation parameters.
      sysMenuStripped_ = false;
      SyncSysMenuStyle();
      return false;
    case WM_MEASUREITEM: {
      // An item measured before the skin reached it is hooked now; the
      // framework's routing then measures it.
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      TsSkinManager* mgr = SkinData->SkinManager();
      if (mis && mis->CtlType == ODT_MENU && mgr && mgr->SkinnedPopups && FrameSkinned())
        TsSkinableMenus::Of(mgr)->InitItem(TMenuItem::FromCommand(static_cast<UINT>(mis->itemData)), true);
      return false;
    }
    case WM_ENTERIDLE:
      m.Result = 0;
      return true;
    default:
      break;
  }
  if (!FrameSkinned()) return false;
  HWND w = Wnd();
  switch (m.Msg) {
    case WM_SYSCOMMAND:
      if ((m.WParam & 0xFFF0) == SC_KEYMENU && m.LParam == VK_SPACE) {
        DropSysMenuBelowIcon();
        m.Result = 0;
        return true;
      }
      return false;
    case kSysMenuRequest: {
      POINT p;
      ::GetCursorPos(&p);
      DropSysMenu(p.x, p.y);
      m.Result = 0;
      return true;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      const WPARAM code = m.WParam == kHitTestAgain ? static_cast<WPARAM>(HitTestScreen(PointOf(m.LParam))) : m.WParam;
      if (code != HTSYSMENU) return false;
      m.Result = 0;
      if (m.Msg == WM_NCLBUTTONDBLCLK) {
        // Posted: closing frees the form and this provider.
        ::PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
      }
      SetHot(cbCount);
      const DWORD dropped = ::GetTickCount();
      DropSysMenuBelowIcon();
      // A click on the icon while its menu is open ends the menu, and the
      // platform leaves that click to the form: within the double-click time
      // it is the second click of a double click, which closes the form;
      // later it only closed the menu.
      MSG next;
      if (::IsWindow(w) && ::PeekMessageW(&next, w, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, PM_NOREMOVE) &&
          next.message != WM_NCLBUTTONUP && HitTestScreen(PointOf(next.lParam)) == HTSYSMENU) {
        ::PeekMessageW(&next, w, next.message, next.message, PM_REMOVE);
        if (::GetTickCount() - dropped <= ::GetDoubleClickTime()) ::PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return true;
    }
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP: {
      const WPARAM code = m.WParam == kHitTestAgain ? static_cast<WPARAM>(HitTestScreen(PointOf(m.LParam))) : m.WParam;
      if (code != HTCAPTION && code != HTSYSMENU) return false;
      m.Result = 0;
      if (m.Msg == WM_NCRBUTTONUP) DropSysMenu(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      return true;
    }
    case WM_CONTEXTMENU: {
      // The platform would show its own system menu for the caption.
      if (m.LParam != -1) {
        const int code = HitTestScreen(PointOf(m.LParam));
        if (code == HTCAPTION || code == HTSYSMENU) {
          DropSysMenu(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
          m.Result = 0;
          return true;
        }
      }
      TsSkinManager* mgr = SkinData->SkinManager();
      if (mgr && mgr->SkinnedPopups && form_->PopupMenu())
        TsSkinableMenus::Of(mgr)->HookPopupMenu(form_->PopupMenu(), true);
      return false;
    }
    case WM_INITMENUPOPUP:
      // The platform's own system menu (shown without skinned popups)
      // cannot size the skinned frame.
      if (HIWORD(m.LParam)) ::EnableMenuItem(reinterpret_cast<HMENU>(m.WParam), SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
      return false;
    default:
      return false;
  }
}

}  // namespace glyphora
