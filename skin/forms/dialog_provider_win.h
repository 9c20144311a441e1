// The skinning of platform dialogs and message boxes (window class #32770):
// the window-creation hook hands each new dialog to SkinWindow, which gives
// it a TacProvider: the frame adapter (TacDialogWnd) and the adapters of its
// child controls by class. Providers live until their dialog is destroyed;
// when the skin goes, every dialog gets its own look back; when the skin
// changes, every dialog is drawn anew.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "skin/core/sSkinManager.h"
#include "skin/paint/control_adapter_win.h"

namespace glyphora {

class TacDialogWnd;

class TacProvider {
 public:
  TacProvider(HWND wnd, TsSkinManager* manager);
  ~TacProvider();
  TacProvider(const TacProvider&) = delete;
  TacProvider& operator=(const TacProvider&) = delete;

  HWND CtrlHandle() const { return wnd_; }
  bool BiDiLeft() const { return biDiLeft_; }
  TacDialogWnd* ListSW() const;
  // Creates the frame adapter and reads the dialog; false when the dialog
  // cannot be skinned (no skin, or the window went).
  bool InitSkin();
  // Adapters for the child windows not yet adapted, descending first (the
  // platform creates and drops a message box's buttons before it shows it,
  // so this runs when the dialog first paints, and again for late ones).
  void InitHwndControls(HWND parent);
  // The adapter of one child by its class and style; none for classes that
  // keep the platform's look.
  void AddControl(HWND child);
  TacMainWnd* FindCtrlInList(HWND child) const;
  size_t ControlCount() const { return acSkinnedCtrls_.size(); }
  // Passes a skin command to every child adapter's window.
  void SendToControls(UINT msg, WPARAM wParam, LPARAM lParam);
  // Frees every adapter (deferred while one of them is running), giving the
  // windows their own procedures, styles and look back.
  void Release();

 private:
  HWND wnd_;
  TsSkinManager* manager_;
  bool biDiLeft_ = false;
  std::unique_ptr<TacMainWnd> listSW_;
  std::vector<std::unique_ptr<TacMainWnd>> acSkinnedCtrls_;
};

// The manager's dialog skinning: the providers of the dialogs skinned now.
class TacDialogSkinning : public TsManagerPart {
 public:
  explicit TacDialogSkinning(TsSkinManager* manager) : manager_(manager) {}
  ~TacDialogSkinning() override;
  static TacDialogSkinning* Of(TsSkinManager* manager);

  // Decides and attaches the skin to one window; true when it has a
  // provider afterwards.
  bool SkinWindow(HWND wnd);
  // The dialog is being destroyed: its provider goes (adapters freed once
  // their procedures have returned).
  void WindowDestroying(HWND wnd);
  TacProvider* ProviderOf(HWND wnd) const;
  size_t Count() const { return providers_.size(); }
  // The skin went (every dialog gets its own look back) or changed (every
  // dialog is drawn anew).
  void SkinChanged() override;

 private:
  TsSkinManager* manager_;
  std::vector<std::unique_ptr<TacProvider>> providers_;
};

// The hook's handler for dialogs (installed with the popup-menu handler):
// a dialog created or activated is skinned, one being destroyed let go.
void DialogWindowHooked(HWND wnd, bool destroying);

}  // namespace glyphora
