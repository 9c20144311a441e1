// The form's skin provider: draws the form's frame (borders from the form's
// section, caption bar, icon, title and caption buttons) over the native
// non-client area from a frame image it keeps, cuts the window region to the
// border mask's corners, answers hit tests of the frame, and turns presses
// on its caption buttons into minimise, maximise, restore and close. It also
// makes the form known to skin broadcasts and, in preview mode, passes the
// skin editor's live-preview records to the manager.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "framework/component.h"
#include "framework/forms.h"
#include "framework/graphics.h"
#include "skin/core/anim_effects.h"
#include "skin/core/sCommonData.h"
#include "skin/forms/frame_host_win.h"
#include "skin/forms/sys_menu_rules.h"
#include "skin/paint/glow_mask.h"

namespace glyphora {

class TSkinContent;
class TacMinimizeAnim;
class TacMoveBlend;
class TacPictureWindow;
class TsSystemMenu;
class TacCtrlAdapter;

// rmBorder moves and sizes the form by dragging an outline.
enum class TsResizeMode { rmStandard, rmBorder };

struct TacAddedTitle {
  TFont Font;
};

// Which animation has ended (OnAfterAnimation).
enum class TacAnimEvent { aeShowing, aeHiding, aeSkinChanging };

class TsSkinProvider : public TComponent, public TFrameImageHost {
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

  // True while the provider draws the frame (a skin is active). The frame
  // image's client part has the form's section background.
  bool FrameSkinned() const override;
  void PaintFrame() override;
  // Caption glow masks made so far (tests, benchmarks).
  int CaptionGlowMasksMade() const { return glowMasksMade_; }
  // The skin editor acknowledged this form in preview mode: it takes the
  // editor's live-preview records.
  bool IsPreviewForm() const;

  // ---- extended border, shadow, glows and window animations
  // The manager's extended borders are used for this form (with the
  // skin's frame, a frame and no parent).
  bool AllowExtBorders = true;
  void SetAllowExtBorders(bool value);
  // The skin manager's translucent drag may be used for this form.
  bool AllowBlendOnMoving = true;
  std::function<void(TacAnimEvent)> OnAfterAnimation;
  // Moves (and with redraw repaints) the border around the form.
  void UpdateExBordersPos(bool redraw, uint8_t blend = 255);
  // The whole window as it looks now (frame, with the extended border its
  // shadow, and the client area as shown) and its screen rectangle; false
  // when there is none.
  bool Snapshot(TBitmap32& out, TRect32& screen);
  // A minimise, restore or translucent-drag animation runs.
  bool Animating() const;
  // The restore animation has ended: the form comes back.
  void RestoreAfterAnimation();

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
  // Posted to the form to apply the region after a size change.
  static constexpr UINT kApplyRegionMsg = WM_APP + 0x3A17;

  bool HandleFormMessage(TMessage& m);

  // Preview mode (preview_mode_win.cpp).
  bool HandlePreviewMessage(TMessage& m);
  void AnnouncePreview();
  bool copyDataBusy_ = false;

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

  // The frame image (frame_image_win.cpp).
  HWND FrameWindow() const override { return Wnd(); }
  TsCommonData& FrameData() const override { return *SkinData; }
  TsSkinManager* FrameManager() const override { return SkinData->SkinManager(); }
  TSkinContent* Content() const override;
  HDC FrameDC() const override { return cache_.DC(); }
  void SkinResolved(TSkinContent* skin) override;
  void ForgetSkin();
  void UpdateLayout() override;
  void PaintAll() override;
  void PaintCaption(TSkinContent& skin, int state);
  void ApplyRegion();
  // A maximised form's maximise button shows the restore image.
  int ButtonImage(TCaptionButtonKind kind) const override;

  // Caption buttons: their states in captionButtons_, their looks in the
  // frame image.
  void SetHot(TCaptionButtonKind kind) { captionButtons_.SetHot(kind); }
  void StopFades() { captionButtons_.StopFades(); }
  void Release(POINT screen);
  // What a double click on the caption does (0: nothing).
  WPARAM CaptionDoubleClickCommand();
  int HitTestScreen(POINT screen) override;

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

  // ---- extended border, shadow, glows and window animations
  bool HandleEffectsMessage(TMessage& m);
  // The border is wanted while the manager, the skin and the form allow it.
  bool WantsExtendedBorder() const override;
  // A border made or dropped: glows, the caption's glow masks and the size
  // last seen go with the old frame; a form no longer skinned gets its
  // whole window back.
  void BorderChanging() override;
  bool FrameClosing() const override { return !form_ || form_->Destroying(); }
  void BorderDroppedUnskinned(HWND w) override { ::SetWindowRgn(w, nullptr, TRUE); }
  // The answer to SKC_GETBG: the frame image at the client's origin.
  bool AnswerBackground(TMessage& m);
  void RemoveButtonGlows() { captionButtons_.RemoveGlows(); }
  // At the first show: a form whose skinned frame would reach beyond the
  // top or left of the work area moves in.
  void KeepExtendedFrameOnScreen();
  bool HandleEffectsSysCommand(TMessage& m);
  bool StartMoveBlend(TMessage& m);
  friend void CoverWithOldLook(TsSkinProvider& sp);
  friend void FadeToNewLook(TsSkinProvider& sp, const TacSkinChanging& settings);
  // A mouse move over the border's frame with the frame's hit code there.
  void BorderMouseMove(int32_t code) override;
  // After the frame has handled a change of the window's place or size.
  void AfterWindowPosChanged(const TMessage& m);
  RECT lastWindowRect_{};  // where the last change of place or size left the form
  std::unique_ptr<TacMinimizeAnim> minAnim_;
  std::unique_ptr<TacMoveBlend> moveBlend_;
  // The skin change's picture of the old look and the window showing it.
  TBitmap32 oldLook_;
  TRect32 oldLookRect_{};
  std::unique_ptr<TacPictureWindow> oldLookCover_;
  // The look of a form about to be hidden, for its hide animation.
  TBitmap32 hidePicture_;
  TRect32 hideRect_{};
  bool firstShown_ = false;
  bool restoring_ = false;  // the restore animation's own SC_RESTORE

  // The frame image: a view of the window's size into a DIB section that
  // only grows, so that resizing does not make a new one at every step.
  TDibBitmap cache_;
  bool rgnPosted_ = false;  // a size change's region waits for the queue to empty
  SIZE lastSize_{-1, -1};
  SIZE rgnSize_{-1, -1};  // the window size the region was made for
  int normImage_ = -1;
  // The caption text's glow masks, active and inactive, made for the
  // text's own box (its size changes only with a text cut to fit); dropped
  // whenever the text, the font or the skin changes.
  TMask8 captionGlow_[2];
  int glowMasksMade_ = 0;
  void DropCaptionGlow() { captionGlow_[0].Clear(); captionGlow_[1].Clear(); }
};

}  // namespace glyphora
