// The frame adapter of a skinned platform dialog or message box: the whole
// non-client area drawn from the skin ("DIALOG" with its border mask, the
// "FORMTITLE" caption bar, the window's icon, its title in the caption
// font, the caption buttons its styles ask for with hot and pressed looks),
// the window region cut at the mask's corners, the client area erased with
// the section, the dialog's colours answered to its children, and its own
// system menu. The dialog keeps its behaviour: keys, default button, result
// and owner are the platform's. With the manager's extended borders the
// frame image grows by the skin's wider frame and shadow, shown around the
// dialog by a TacBorderForm as for skinned forms.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/forms/dialog_rules.h"
#include "skin/forms/frame_host_win.h"
#include "skin/paint/control_adapter_win.h"
#include "skin/paint/glow_mask.h"

namespace glyphora {

class TacProvider;
class TacSystemMenu;
class TSkinContent;

class TacDialogWnd : public TacMainWnd, public TFrameImageHost {
 public:
  TacDialogWnd(HWND wnd, TacProvider* provider, TsSkinManager* manager);
  ~TacDialogWnd() override;

  TacProvider* Provider() const { return provider_; }
  TacBorderStyle BorderStyle() const { return borderStyle_; }
  // The styles as found (WS_SYSMENU included, which the frame takes away).
  DWORD DialogStyle() const { return dwStyle_; }
  DWORD DialogExStyle() const { return dwExStyle_; }
  // Reads the styles, border, icon and button images, and takes WS_SYSMENU
  // off the window (the frame draws its own buttons and system menu).
  void InitParams();
  // The skin is drawn now: the manager is active with a loaded skin and
  // the "DIALOG" section exists.
  bool FrameSkinned() const override;
  void PaintFrame() override;
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
  TSkinContent* Content() const override;
  void SkinResolved(TSkinContent* skin) override;

  // Messages (dialog_wnd_win.cpp).
  bool HandleSkinCommand(TMessage& m);
  bool HandleMouse(TMessage& m);
  void NcActivate(TMessage& m);
  void CallWithoutNativeCaption(TMessage& m);
  void SizeChanged();
  void EraseBackground(HDC dc);
  void DropSysMenuBelowIcon();
  int HitTestScreen(POINT screen) override;
  void Release(POINT screen);

  // The extended border (dialog_exborder_win.cpp).
  void BorderMouseMove(int32_t code) override;
  // The border is wanted while the manager, the skin and the dialog allow it.
  bool WantsExtendedBorder() const override;
  // Moves (and with redraw repaints) the border around the dialog.
  void UpdateExBordersPos(bool redraw);
  // Border and placement messages; true when answered.
  bool HandleBorderMessage(TMessage& m);
  // Posted to the dialog when it has been shown: the border comes then.
  static constexpr UINT kShowBorderMsg = WM_APP + 0x3A18;
  bool showing_ = false;  // the platform is showing the dialog
  // The look of a dialog about to be hidden, for its hide animation.
  bool TakeHidePicture();
  TBitmap32 hidePicture_;
  TRect32 hideRect_{};

  // A dialog whose title does not fit its caption grows to fit it as it is
  // first shown (dialog_caption_fit_win.cpp).
  void FitCaptionOnShow(WINDOWPOS& pos);
  bool captionFitted_ = false;

  // The frame image (dialog_frame_win.cpp). It views the skin data's cache
  // bitmap, from which the children read what lies behind them.
  HWND FrameWindow() const override { return wnd_; }
  TsCommonData& FrameData() const override { return *skinData_; }
  TsSkinManager* FrameManager() const override { return manager_; }
  HDC FrameDC() const override;
  void UpdateLayout() override;
  void PaintAll() override;
  void PaintCaption(TSkinContent& skin);
  void ApplyRegion();

  TacProvider* provider_;
  DWORD dwStyle_ = 0, dwExStyle_ = 0;
  TacBorderStyle borderStyle_ = TacBorderStyle::acbsSingle;
  bool paramsRead_ = false;
  bool sysMenuStripped_ = false;
  bool smallButtons_ = false;
  HICON icon_ = nullptr;  // the window's own; none: no caption icon
  UniqueBrush brush_;
  TMask8 captionGlow_;
  std::unique_ptr<TacSystemMenu> systemMenu_;
};

}  // namespace glyphora
