// The adapter of one platform popup-menu window (class #32768), made by the
// thread's window-creation hook: it answers that the window is skinned,
// paints the window's frame and the parts between items from the popup's
// prepared background (a popup window may have no non-client area, so the
// frame is painted inside, after the platform's own painting), erases with
// it, and tells the menu skinning when the window goes.
#pragma once
#include "skin/paint/control_adapter_win.h"

namespace glyphora {

class TsSkinableMenus;

class TacMnuWnd : public TacMainWnd {
 public:
  TacMnuWnd(HWND wnd, TsSkinableMenus* menus);
  // The window's region matches its current background.
  bool RegionCurrent() const { return rgnCurrent_; }
  void SetRegionCurrent(bool value) { rgnCurrent_ = value; }
  // The platform menu the window shows (null before it is known).
  HMENU Menu() const;
  // The platform gives the window a frame outside its client area.
  bool HasFrame() const;

 protected:
  bool acWndProc(TMessage& m) override;

 private:
  void PaintFromCache(HDC dc, bool frameOnly);
  TsSkinableMenus* menus_;
  bool rgnCurrent_ = false;
};

// Installs the handler through which the window-creation hook of the skin
// core hands popup-menu windows to the menu skinning (once per process).
void InstallHookedWindowsHandler();

}  // namespace glyphora
