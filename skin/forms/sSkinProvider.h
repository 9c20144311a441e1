// The form's skin provider: draws the form's frame (borders from the form's
// section, caption bar, icon, title and caption buttons) over the native
// non-client area from a frame image it keeps, cuts the window region to the
// border mask's corners, answers hit tests of the frame, and turns presses
// on its caption buttons into minimise, maximise, restore and close. It also
// makes the form known to skin broadcasts and passes live-preview requests
// to the manager.
#pragma once
#include <array>
#include <memory>
#include <vector>

#include "framework/component.h"
#include "framework/forms.h"
#include "framework/graphics.h"
#include "skin/core/sCommonData.h"
#include "skin/forms/frame_geometry.h"
#include "skin/forms/sys_menu_rules.h"
#include "skin/paint/glow_mask.h"

namespace glyphora {

class TSkinContent;
class TsSystemMenu;
class TacCtrlAdapter;

// rmBorder moves and sizes the form by dragging an outline.
enum class TsResizeMode { rmStandard, rmBorder };

struct TacAddedTitle {
  TFont Font;
};

class TsSkinProvider : public TComponent {
 public:
  explicit TsSkinProvider(TComponent* owner);
  ~TsSkinProvider() override;
  std::unique_ptr<TsCommonData> SkinData;
  TacAddedTitle AddedTitle;
  // False leaves the native frame alone.
  bool DrawNonClientArea = true;
  TsResizeMode ResizeMode = TsResizeMode::rmStandard;
  TCustomForm* Form() const { return form_; }

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  // The form's framework controls named in the skin manager's class lists,
  // adapted while the form is skinned (made on the first scan).
  TacCtrlAdapter* Adapter() const { return adapter_.get(); }
  // Scans the form for controls to adapt (nothing without a skin).
  void AdaptControls();

  // True while the provider draws the frame (a skin is active).
  bool FrameSkinned() const;
  // The frame is drawn in its active look.
  bool FormActive() const { return formActive_; }
  // The frame's layout for the window's current size and state.
  const TFrameLayout& Layout();
  // The frame image: the whole window as the skin draws it (frame, caption,
  // buttons; the client part has the form's section background).
  const TBitmap32& FrameImage() const { return frame_; }
  // Repaints the frame image when it is stale and copies the frame to the
  // window.
  void PaintFrame();
  // 0 normal, 1 hot, 2 pressed.
  int ButtonState(TCaptionButtonKind kind) const { return buttons_[kind].State; }
  // A caption button's look is changing.
  bool ButtonFading() const;

  // Popup menus and the system menu (provider_menus_win.cpp).
  bool MakeSkinMenu = false;  // the system menu lists the available skins
  // The form had WS_SYSMENU before the skinned frame took it away.
  bool HaveSysMenu() const;
  TsSystemMenu* SystemMenu() const { return systemMenu_; }
  TSysMenuState SysMenuState() const;
  // Shows the skinned system menu (or the platform's without skinned
  // popups) at a screen point.
  void DropSysMenu(int x, int y);
  // The caption icon on the screen (empty without an icon).
  TRect32 IconScreenRect();

 private:
  struct TButton {
    int State = 0;
    int Image = -1;  // image index in the skin
    // A fade from the look shown when it began to the look of State.
    int Level = 0, Steps = 0;
    TBitmap32 From, To;
  };

  static constexpr UINT_PTR kFadeTimerId = 0x6A17;
  static constexpr UINT kFadeInterval = 12;  // ms a fade step
  static constexpr int kFadeSteps = 10;
  // Posted to the form to apply the region after a size change.
  static constexpr UINT kApplyRegionMsg = WM_APP + 0x3A17;

  bool HandleFormMessage(TMessage& m);
  bool HandleSkinCommand(TMessage& m);
  // Popup menus and the system menu.
  bool HandleMenuMessage(TMessage& m);
  void MenusAfterSkinCommand(const TMessage& m);
  void SyncSysMenuStyle();
  void DropSysMenuBelowIcon();
  TsSystemMenu* systemMenu_ = nullptr;  // owned as a component
  bool haveSysMenu_ = true;
  bool sysMenuStripped_ = false;  // WS_SYSMENU is off because of the skinned frame
  bool HandleMouse(TMessage& m);
  void NcActivate(TMessage& m);
  // Runs the message on down with the window's redrawing off, so the
  // platform draws no caption of its own, then repaints the frame.
  void CallWithoutNativeCaption(TMessage& m);
  void SizeChanged();
  void MaxPlacement(MINMAXINFO* mmi);

  TSkinContent* Content() const;
  void ResolveSkin();
  void ForgetSkin();
  void UpdateLayout();
  void PaintAll();
  void PaintCaption(TSkinContent& skin, int state);
  void ApplyRegion();
  void CopyFrameToWindow();

  // Caption buttons.
  int ButtonImage(TCaptionButtonKind kind) const;
  void RenderButton(TCaptionButtonKind kind, int state, TBitmap32& out);
  void PutButton(TCaptionButtonKind kind, const TBitmap32& look);
  void ShowButtons(unsigned mask);
  void SetButtonState(TCaptionButtonKind kind, int state, int steps);
  void SetHot(TCaptionButtonKind kind);
  void FadeTick();
  void StopFades();
  void Release(POINT screen);
  int HitTestScreen(POINT screen);

  // Outline dragging.
  bool StartOutlineDrag(int hitCode, POINT screen);
  void MoveOutline(POINT screen);
  void EndOutlineDrag(bool apply);
  void InvertOutline(const TRect32& r);
  int dragCode_ = 0;  // caption or sizing code of a running outline drag
  POINT dragStart_{};
  TRect32 dragFrom_{}, dragRect_{};

  TCustomForm* form_ = nullptr;
  std::unique_ptr<TacCtrlAdapter> adapter_;
  TWindowHook formHook_;  // the form's messages, before the form's own handling
  HWND Wnd() const;

  // The frame image: a view of the window's size into a DIB section that
  // only grows, so that resizing does not make a new one at every step.
  TDibBitmap cache_;
  TBitmap32 frame_;
  TBitmap32 strip_;           // the finished caption behind the buttons
  TRect32 stripRect_{};
  TFrameLayout layout_;
  bool layoutValid_ = false;
  bool rgnChanged_ = true;
  bool rgnPosted_ = false;  // a size change's region waits for the queue to empty
  bool formActive_ = true;
  SIZE lastSize_{-1, -1};
  SIZE rgnSize_{-1, -1};  // the window size the region was made for
  int titleIndex_ = -1, captionIndex_ = -1, normImage_ = -1;
  UniqueFont captionFont_;
  // The caption text's glow masks, active and inactive; made again only
  // when their size changes, so they are dropped whenever the text, the
  // font, the size or the skin changes.
  TMask8 captionGlow_[2];
  void DropCaptionGlow() { captionGlow_[0].Clear(); captionGlow_[1].Clear(); }

  std::array<TButton, cbCount> buttons_;
  TCaptionButtonKind hot_ = cbCount;      // hot or pressed button
  TCaptionButtonKind pressed_ = cbCount;  // pressed and holding the mouse
  bool tracking_ = false;                 // leave tracking of the frame asked for
  bool timerOn_ = false;
};

}  // namespace glyphora
