#include "skin/forms/menu_window_win.h"

#include "skin/core/sCommonData.h"
#include "skin/core/skin_commands.h"
#include "skin/core/window_creation_hook.h"
#include "skin/forms/dialog_provider_win.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/paint/section_paint.h"

namespace glyphora {

namespace {
// MN_GETHMENU: the platform menu of a popup-menu window.
constexpr UINT kMnGetHMenu = 0x01E1;

void HookedWindow(HWND wnd, TacHookedKind kind, TacHookEvent event) {
  if (kind == TacHookedKind::Dialog) {
    DialogWindowHooked(wnd, event == TacHookEvent::Destroying);
    return;
  }
  if (kind != TacHookedKind::PopupMenu || event != TacHookEvent::Created) return;
  TsSkinManager* m = TsSkinManager::DefaultManager();
  if (!m || !m->SkinnedPopups || !m->Active() || !m->Content().SkinData.Active) return;
  TsSkinableMenus* menus = TsSkinableMenus::Of(m);
  if (menus->AdapterOf(wnd)) return;  // skinned already
  menus->PopupWindowCreated(wnd);
}
}  // namespace

void InstallHookedWindowsHandler() {
  static bool done = false;
  if (done) return;
  done = true;
  SetWindowCreationHandler(&HookedWindow);
}

TacMnuWnd::TacMnuWnd(HWND wnd, TsSkinableMenus* menus)
    : TacMainWnd(wnd, menus->Manager(), nullptr, "MAINMENU"), menus_(menus) {}

bool TacMnuWnd::HasFrame() const {
  RECT wr, cr;
  return ::GetWindowRect(wnd_, &wr) && ::GetClientRect(wnd_, &cr) && cr.right - cr.left < wr.right - wr.left;
}

HMENU TacMnuWnd::Menu() const {
  return ::IsWindow(wnd_) ? reinterpret_cast<HMENU>(::SendMessageW(wnd_, kMnGetHMenu, 0, 0)) : nullptr;
}

void TacMnuWnd::PaintFromCache(HDC dc, bool frameOnly) {
  const TsSkinableMenus::TacMenuInfo* info = menus_->FindInfo(Menu());
  if (info && info->Bmp) {
    menus_->PaintPopupFrame(wnd_, dc, *info, !frameOnly);
    return;
  }
  // No background prepared yet: the section at the window's size from this
  // adapter's own cache, for a frame the platform paints outside the
  // client area. The client is painted by the platform and the items.
  if (!frameOnly) return;
  PrepareCache();
  TBitmap32* px = SkinData().CachePixels();
  if (!px || px->Empty() || !SkinData().FCacheBmp) return;
  ::BitBlt(dc, 0, 0, px->Width(), px->Height(), SkinData().FCacheBmp->DC(), 0, 0, SRCCOPY);
}

bool TacMnuWnd::acWndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      return false;  // a menu is no hot control
    case WM_ERASEBKGND:
      if (!Skinned()) return false;
      PaintFromCache(reinterpret_cast<HDC>(m.WParam), false);
      m.Result = 1;
      return true;
    case WM_PAINT: {
      // The platform paints its own border and background, then the items
      // (ours, owner-drawn); the frame and the gaps between items are then
      // painted over from the popup's background.
      CallPrev(m);
      if (!Skinned()) return true;
      const TsSkinableMenus::TacMenuInfo* info = menus_->FindInfo(Menu());
      if (info && info->Bmp) menus_->DrawWndBorder(wnd_, *info);
      return true;
    }
    case WM_NCPAINT:
    case WM_PRINT: {
      CallPrev(m);
      if (!Skinned()) return true;
      const TsSkinableMenus::TacMenuInfo* info = menus_->FindInfo(Menu());
      if (info && info->Bmp) {
        menus_->DrawWndBorder(wnd_, *info);
      } else if (HasFrame()) {
        WindowDC dc(wnd_, TDcArea::Whole);
        if (dc.get()) PaintFromCache(dc.get(), true);
      }
      return true;
    }
    case WM_DESTROY:
      CallPrev(m);
      // Last: this may free the adapter (deferred while its procedure runs).
      menus_->PopupWindowDestroyed(this);
      return true;
    case WM_SIZE:
      rgnCurrent_ = false;
      return TacMainWnd::acWndProc(m);
    default:
      return TacMainWnd::acWndProc(m);
  }
}

}  // namespace glyphora
