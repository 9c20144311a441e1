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

#include <array>
#include <memory>
#include <string>

#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/forms/border_owner_win.h"
#include "skin/forms/caption_strip_win.h"
#include "skin/forms/dialog_rules.h"
#include "skin/paint/control_adapter_win.h"
#include "skin/paint/glow_mask.h"

namespace glyphora {

class TacBorderForm;
class TacProvider;
class TacSystemMenu;
class TSkinContent;

class TacDialogWnd : public TacMainWnd, public TBorderOwner, private TCaptionStripHost {
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
  // The window's title and the font the caption draws it in.
  std::wstring Title() const;
  HFONT CaptionFont();
  // The frame image: the whole window as the skin draws it.
  const TBitmap32& FrameImage() const { return frame_; }
  // Repaints the frame image when it is stale and copies the frame to the
  // window.
  void PaintFrame();
  // 0 normal, 1 hot, 2 pressed; a look changing; the hot button's glow (-1: none).
  int ButtonState(TCaptionButtonKind kind) const { return captionButtons_.State(kind); }
  bool ButtonFading() const { return captionButtons_.Fading(); }
  int32_t ButtonGlow(TCaptionButtonKind kind) const { return captionButtons_.Glow(kind); }
  // A brush of the client area's colour, kept until the skin changes.
  HBRUSH ClientBrush();
  // Shows the dialog's system menu at a screen point.
  void DropSysMenu(int x, int y);
  TacSystemMenu* SystemMenu() const { return systemMenu_.get(); }
  // The skin changed (or is being replaced): everything drawn is stale.
  void NewSkin();

  // The extended border is shown around the dialog now, and its windows.
  bool ExtendedBorder() const { return border_ != nullptr; }
  TacBorderForm* BorderForm() const { return border_.get(); }
  // The border's layout (valid while ExtendedBorder()).
  const TExBorderLayout& ExLayout() { UpdateLayout(); return exLayout_; }
  // The frame image's top-left corner on the screen: the window's, or with
  // the extended border the shadow's.
  POINT ImageOrigin();

 protected:
  void Init() override;
  void RestoreStdParams() override;
  bool acWndProc(TMessage& m) override;

 private:
  struct TButton {
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

  // The caption buttons' looks, for their states in captionButtons_.
  HWND StripWindow() const override { return wnd_; }
  bool StripOwnsWindow(HWND wnd) const override;
  int StripHitTest(POINT screen) override { return HitTestScreen(screen); }
  bool ButtonPaintable(TCaptionButtonKind kind) override;
  void ReadButton(TCaptionButtonKind kind, TBitmap32& out) override;
  void RenderButton(TCaptionButtonKind kind, int state, TBitmap32& out) override;
  void PutButton(TCaptionButtonKind kind, const TBitmap32& look) override;
  void ShowButtons(unsigned mask) override;
  int32_t ShowButtonGlow(TCaptionButtonKind kind, int32_t* slot) override;
  void FadeCut() override;

  // The extended border (dialog_exborder_win.cpp).
  HWND BorderOwnerWindow() const override { return wnd_; }
  const TBitmap32& BorderFrameImage() const override { return frame_; }
  uint32_t BorderFrameGeneration() const override { return frameGeneration_; }
  const TExBorderLayout& BorderExLayout() const override { return exLayout_; }
  const TFrameLayout& BorderFrameLayout() override { return Layout(); }
  POINT BorderImageOrigin() override { return ImageOrigin(); }
  void BorderMouseMove(int32_t code) override;
  bool WantsExtendedBorder() const;
  // Makes or drops the border as the manager, the skin and the dialog allow.
  void CheckExtendedBorder();
  void DropExtendedBorder();
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

  // The frame image (dialog_frame_win.cpp).
  void UpdateLayout();
  void PaintAll();
  void PaintCaption(TSkinContent& skin);
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
  TCaptionButtonStrip captionButtons_{*this};
  std::unique_ptr<TacSystemMenu> systemMenu_;
  std::unique_ptr<TacBorderForm> border_;
  TExBorderLayout exLayout_;
  uint32_t frameGeneration_ = 0;  // counts changes of the frame image's pixels
};

}  // namespace glyphora
