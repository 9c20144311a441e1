// The frame adapter of a skinned platform dialog or message box: the whole
// non-client area drawn from the skin ("DIALOG" with its border mask, the
// "FORMTITLE" caption bar, the window's icon, its title in the caption
// font, the caption buttons its styles ask for with hot and pressed looks),
// the window region cut at the mask's corners, the client area erased with
// the section, the dialog's colours answered to its children, and its own
// system menu. The dialog keeps its behaviour: keys, default button, result
// and owner are the platform's.
#pragma once
#include <windows.h>

#include <array>
#include <memory>

#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/forms/dialog_rules.h"
#include "skin/paint/control_adapter_win.h"
#include "skin/paint/glow_mask.h"

namespace glyphora {

class TacProvider;
class TacSystemMenu;
class TSkinContent;

class TacDialogWnd : public TacMainWnd {
 public:
  TacDialogWnd(HWND wnd, TacProvider* provider, TsSkinManager* manager);
  ~TacDialogWnd() override;

  TacProvider* Provider() const { return provider_; }
  TacBorderStyle BorderStyle() const { return borderStyle_; }
  // The styles as found (WS_SYSMENU included, which the frame takes away).
  DWORD DialogStyle() const { return dwStyle_; }
  DWORD DialogExStyle() const { return dwExStyle_; }
  bool FormActive() const { return formActive_; }
  // Reads the styles, border, icon and button images, and takes WS_SYSMENU
  // off the window (the frame draws its own buttons and system menu).
  void InitParams();
  // The skin is drawn now: the manager is active with a loaded skin and
  // the "DIALOG" section exists.
  bool FrameSkinned() const;

  // The frame's layout for the window's current size and state.
  const TFrameLayout& Layout();
  // The frame image: the whole window as the skin draws it.
  const TBitmap32& FrameImage() const { return frame_; }
  // Repaints the frame image when it is stale and copies the frame to the
  // window.
  void PaintFrame();
  int ButtonState(TCaptionButtonKind kind) const { return buttons_[kind].State; }
  // A brush of the client area's colour, kept until the skin changes.
  HBRUSH ClientBrush();
  // Shows the dialog's system menu at a screen point.
  void DropSysMenu(int x, int y);
  TacSystemMenu* SystemMenu() const { return systemMenu_.get(); }
  // The skin changed (or is being replaced): everything drawn is stale.
  void NewSkin();

 protected:
  void Init() override;
  void RestoreStdParams() override;
  bool acWndProc(TMessage& m) override;

 private:
  struct TButton {
    int State = 0;
    int Image = -1;
  };

  TSkinContent* Content() const;
  void ResolveSkin();

  // Messages (dialog_wnd_win.cpp).
  bool HandleSkinCommand(TMessage& m);
  bool HandleMouse(TMessage& m);
  void NcActivate(TMessage& m);
  void CallWithoutNativeCaption(TMessage& m);
  void SizeChanged();
  void EraseBackground(HDC dc);
  void DropSysMenuBelowIcon();
  int HitTestScreen(POINT screen);
  void Release(POINT screen);
  void SetButtonState(TCaptionButtonKind kind, int state);
  void SetHot(TCaptionButtonKind kind);

  // The frame image (dialog_frame_win.cpp).
  void UpdateLayout();
  void PaintAll();
  void PaintCaption(TSkinContent& skin);
  void PaintButton(TCaptionButtonKind kind);
  void ApplyRegion();
  void CopyFrameToWindow();
  int ButtonImage(TCaptionButtonKind kind) const;

  TacProvider* provider_;
  DWORD dwStyle_ = 0, dwExStyle_ = 0;
  TacBorderStyle borderStyle_ = TacBorderStyle::acbsSingle;
  bool paramsRead_ = false;
  bool sysMenuStripped_ = false;
  bool formActive_ = true;
  bool smallButtons_ = false;
  HICON icon_ = nullptr;  // the window's own; none: no caption icon
  int titleIndex_ = -1, captionIndex_ = -1;
  UniqueFont captionFont_;
  UniqueBrush brush_;
  TMask8 captionGlow_;
  // The frame image views the skin data's cache, from which the children
  // read what lies behind them.
  TBitmap32 frame_;
  TBitmap32 strip_;  // the finished caption behind the buttons
  TRect32 stripRect_{};
  TFrameLayout layout_;
  bool layoutValid_ = false;
  bool rgnChanged_ = true;
  std::array<TButton, cbCount> buttons_;
  TCaptionButtonKind hot_ = cbCount, pressed_ = cbCount;
  bool tracking_ = false;
  std::unique_ptr<TacSystemMenu> systemMenu_;
};

}  // namespace glyphora
