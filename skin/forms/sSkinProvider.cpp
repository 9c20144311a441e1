#include "skin/forms/sSkinProvider.h"

#include <windowsx.h>

#include <optional>

#include "framework/application.h"
#include "skin/core/animation_state.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_content.h"
#include "skin/forms/ctrl_adapter_win.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/form_animation_win.h"
#include "skin/forms/frame_region_win.h"
#include "skin/forms/glow_win.h"
#include "skin/forms/menu_window_win.h"

namespace glyphora {

namespace {
// The longest a session's end waits for running fades (a fade takes about
// 200 ms; longer means the message loop is gone).
constexpr uint32_t kSessionEndWaitMs = 2000;

// Providers alive: the last one to go frees the glow windows kept for reuse.
int g_providers = 0;

}  // namespace

TsSkinProvider::TsSkinProvider(TComponent* owner)
    : TComponent(owner),
      SkinData(std::make_unique<TsCommonData>(nullptr, COC_TsSkinProvider, "TSSKINPROVIDER")),
      form_(dynamic_cast<TCustomForm*>(owner)) {
  SkinData->SetSkinSection("FORM");
  InstallControlGlowHandler();
  InstallSkinChangeAnimator();
  ++g_providers;
  if (form_) {
    RegisterSkinnedForm(form_);
    // Dialogs and popup menus the form opens are skinned through the
    // window-creation hook.
    InstallHookedWindowsHandler();
    formHook_.Proc = [this](TMessage& m) { return HandleFormMessage(m); };
    formHook_.Attach(form_);
  }
}

TsSkinProvider::~TsSkinProvider() {
  // The fade timer draws from the buttons' images: it goes first.
  StopFades();
  RemoveButtonGlows();
  minAnim_.reset();
  moveBlend_.reset();
  oldLookCover_.reset();
  border_.reset();
  EndOutlineDrag(false);
  if (captionButtons_.Pressed() != cbCount && Wnd() && ::GetCapture() == Wnd()) ::ReleaseCapture();
  formHook_.Detach();
  // The adapted controls get their own look back while they still exist.
  adapter_.reset();
  if (form_) UnregisterSkinnedForm(form_);
  if (--g_providers == 0) FreeGlowWindows();
}

void TsSkinProvider::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && adapter_) adapter_->ControlRemoved(component);
}

void TsSkinProvider::AdaptControls() {
  TsSkinManager* mgr = SkinData->SkinManager();
  if (!form_ || form_->Destroying() || !mgr || !mgr->Active() || !SkinData->Skinned()) return;
  if (!adapter_) adapter_ = std::make_unique<TacCtrlAdapter>(mgr, form_, this);
  adapter_->AddAllItems();
}

void TsSkinProvider::Loaded() {
  TComponent::Loaded();
  SkinData->EnsureSection();
  ResolveSkin();
  SyncSysMenuStyle();
}

HWND TsSkinProvider::Wnd() const { return formHook_.Window(); }

TSkinContent* TsSkinProvider::Content() const {
  TsSkinManager* m = SkinData->SkinManager();
  return m && m->Active() ? &m->Content() : nullptr;
}

bool TsSkinProvider::FrameSkinned() const {
  return DrawNonClientArea && form_ && !form_->Destroying() && SkinData->Skinned() && Content();
}

void TsSkinProvider::SkinResolved(TSkinContent* skin) {
  DropCaptionGlow();
  normImage_ = -1;
  if (!skin) return;
  SetButtonImages(*skin, "BICONCLOSE", "BICONMAX", "BICONMIN", "BICONHELP");
  normImage_ = GlobalImage(*skin, "BICONNORM");
  if (normImage_ < 0 && SkinData->SkinIndex >= 0)
    normImage_ = skin->GetMaskIndex(SkinData->SkinIndex, SkinData->SkinSection(), "BICONNORM");
}

void TsSkinProvider::ForgetSkin() {
  captionButtons_.Reset();
  cache_.SetSize(0, 0);
  frame_ = TBitmap32();
  strip_.SetSize(0, 0);
  rgnSize_ = {-1, -1};
  layoutValid_ = false;
  if (HWND w = Wnd()) {
    ::SetWindowRgn(w, nullptr, TRUE);  // the system frees the old region
    ::RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

bool TsSkinProvider::HandleFormMessage(TMessage& m) {
  if (m.Msg == SM_ALPHACMD) {
    const bool handled = HandleSkinCommand(m);
    MenusAfterSkinCommand(m);
    return handled;
  }
  if (HandleMenuMessage(m)) return true;
  if (HandlePreviewMessage(m)) return true;
  if (HandleEffectsMessage(m)) return true;
  if (m.Msg == kApplyRegionMsg) {
    rgnPosted_ = false;
    if (rgnChanged_ && FrameSkinned() && !::IsIconic(Wnd())) {
      UpdateLayout();
      ApplyRegion();
    }
    m.Result = 0;
    return true;
  }
  if (m.Msg == WM_SHOWWINDOW && m.WParam) AdaptControls();  // the controls have windows now
  if (m.Msg == WM_DESTROY) {
    StopFades();
    EndOutlineDrag(false);
    return false;
  }
  if (!FrameSkinned() || ::IsIconic(Wnd())) {
    if (m.Msg == WM_NCACTIVATE) formActive_ = m.WParam != 0;
    return false;
  }
  switch (m.Msg) {
    case WM_NCPAINT:
      PaintFrame();
      m.Result = 0;
      return true;
    case WM_NCACTIVATE:
      NcActivate(m);
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      CallWithoutNativeCaption(m);
      return true;
    case WM_QUERYENDSESSION:
      // No fade starts once the session ends, and those running finish
      // first; the wait is bounded in case the message loop is gone.
      AnnounceSessionEnding();
      WaitForFadeTimers(kSessionEndWaitMs);
      return false;
    case WM_ENDSESSION:
      // Another program (or the user) cancelled the end: animations go on.
      if (!m.WParam) CancelSessionEnding();
      return false;
    case WM_NCHITTEST: {
      const int code = HitTestScreen(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
      if (code == kHtNowhere) return false;
      m.Result = code;
      return true;
    }
    case WM_GETMINMAXINFO:
      MaxPlacement(reinterpret_cast<MINMAXINFO*>(m.LParam));
      return false;  // the form adds its size constraints
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      formHook_.CallNext(m);
      SizeChanged();
      AfterWindowPosChanged(m);
      return true;
    case WM_SETTINGCHANGE:
      captionFont_.reset();
      DropCaptionGlow();
      layoutValid_ = false;
      SkinData->MarkBGChanged();
      return false;
    default:
      return HandleMouse(m);
  }
}

bool TsSkinProvider::HandleSkinCommand(TMessage& m) {
  switch (SkinCommandCode(m.WParam)) {
    case SKC_GETPROVIDER:
      m.Result = reinterpret_cast<LRESULT>(this);
      return true;
    case SKC_SETNEWSKIN:
    case SKC_REFRESH: {
      const bool handled = SkinData->HandleSkinCommand(m);
      if (SkinCommandForManager(m, SkinData->SkinManager())) {
        StopFades();
        ClearGlows();
        ResolveSkin();
        AdaptControls();
        SkinData->MarkBGChanged();
        CheckExtendedBorder();
        if (Wnd() && ::IsWindowVisible(Wnd())) PaintFrame();
      }
      return handled;
    }
    case SKC_REMOVESKIN: {
      const bool own = SkinCommandForManager(m, SkinData->SkinManager());
      const bool handled = SkinData->HandleSkinCommand(m);
      if (own) {
        ClearGlows();
        DropExtendedBorder();
        if (adapter_) adapter_->RemoveAllItems();
        ForgetSkin();
      }
      return handled;
    }
    case SKC_GETBG:
      return AnswerBackground(m);
  }
  return SkinData->HandleSkinCommand(m);
}

void TsSkinProvider::NcActivate(TMessage& m) {
  const bool active = m.WParam != 0;
  if (active != formActive_) SkinData->MarkBGChanged();
  formActive_ = active;
  // The platform keeps its activation bookkeeping but paints nothing when
  // lParam is -1; the frame is ours.
  m.LParam = -1;
  formHook_.CallNext(m);
  m.Result = TRUE;
  PaintFrame();
}

void TsSkinProvider::CallWithoutNativeCaption(TMessage& m) {
  HWND w = Wnd();
  const bool visible = ::IsWindowVisible(w);
  if (visible) ::DefWindowProcW(w, WM_SETREDRAW, FALSE, 0);
  formHook_.CallNext(m);
  if (visible) ::DefWindowProcW(w, WM_SETREDRAW, TRUE, 0);
  DropCaptionGlow();
  SkinData->MarkBGChanged();
  if (visible) PaintFrame();
}

void TsSkinProvider::SizeChanged() {
  RECT r;
  HWND w = Wnd();
  if (!::GetWindowRect(w, &r)) return;
  const SIZE size{r.right - r.left, r.bottom - r.top};
  if (size.cx == lastSize_.cx && size.cy == lastSize_.cy && layoutValid_) return;
  lastSize_ = size;
  layoutValid_ = false;
  rgnChanged_ = true;
  // Setting a window region is slow under some window systems (a round trip
  // to the display server): while the window is being resized it is set
  // once the queue is empty, not at every step.
  if (!rgnPosted_) rgnPosted_ = ::PostMessageW(w, kApplyRegionMsg, 0, 0) != FALSE;
  SkinData->MarkBGChanged();
  if (::IsWindowVisible(w)) PaintFrame();
}

void TsSkinProvider::MaxPlacement(MINMAXINFO* mmi) {
  // Maximised, the native frame lies just off the work area's edges and the
  // skinned caption sits at its top; with the extended border the form
  // moves down by the skin's maximised caption correction b.
  HWND w = Wnd();
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (!::GetMonitorInfoW(::MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi)) return;
  UpdateLayout();
  const int a = border_ ? exLayout_.In.NativeFrame : layout_.In.SysBorderWidth;
  int b = 0;
  if (border_) {
    TExBorderInput in = exLayout_.In;
    in.Maximized = true;
    b = ExMaxPlacementCorrection(in);
  }
  const RECT& work = mi.rcWork;
  mmi->ptMaxPosition = {work.left - mi.rcMonitor.left - a, work.top - mi.rcMonitor.top - a - b};
  mmi->ptMaxSize = {work.right - work.left + 2 * a, work.bottom - work.top + 2 * a + b};
}

void TsSkinProvider::PaintFrame() {
  HWND w = Wnd();
  if (!w || !FrameSkinned()) return;
  PaintIfStale();
  if (rgnChanged_ && !rgnPosted_) ApplyRegion();
  CopyFrameToWindow();
  // The border shows the rest of the frame around the form.
  if (border_) UpdateExBordersPos(false);
}

void TsSkinProvider::ApplyRegion() {
  TSkinContent* skin = Content();
  if (!skin) return;
  rgnChanged_ = false;
  HWND w = Wnd();
  UniqueRegion rgn;
  const int32_t winW = border_ ? exLayout_.In.FormWidth : layout_.In.Width;
  const int32_t winH = border_ ? exLayout_.In.FormHeight : layout_.In.Height;
  std::optional<TExBorderTimer> timer;
  if (border_) {
    // Inside the extended border the form's frame is painted from the
    // frame image; maximised, its sides and bottom lie beyond the monitor's
    // edges and are left out.
    timer.emplace(ExBorderTimes().RegionUs);
    if (!exLayout_.In.Maximized) {
      rgnChanged_ = false;
      if (rgnSize_.cx >= 0) ::SetWindowRgn(w, nullptr, FALSE);
      rgnSize_ = {-1, -1};
      return;
    }
    const int32_t a = exLayout_.In.NativeFrame;
    const int32_t top = std::max(0, a + ExMaxPlacementCorrection(exLayout_.In));
    rgn.reset(::CreateRectRgn(a, top, winW - a, winH - a));  } else if (layout_.In.Maximized) {
    // Maximised, the native frame lies beyond the monitor's edges; on a
    // neighbouring monitor it would show, so the region leaves it out.
    const int32_t a = layout_.In.SysBorderWidth;
    rgn.reset(::CreateRectRgn(a, a, winW - a, winH - a));
  } else {
    rgn = FrameRegion(*skin, SkinData->BorderIndex, titleIndex_, winW, winH);
  }
  // Once set, the region belongs to the system.
  if (!rgn || !::SetWindowRgn(w, rgn.get(), FALSE)) return;
  rgn.release();
  // Parts outside the previous region were clipped away when the window
  // grew, so they were never marked for painting: they are now.
  const SIZE old = rgnSize_;
  rgnSize_ = {winW, winH};
  if (old.cx < 0 || (rgnSize_.cx <= old.cx && rgnSize_.cy <= old.cy)) return;
  const TRect32 client = border_ ? exLayout_.In.FormClient : layout_.Client;
  UniqueRegion fresh(::CreateRectRgn(0, 0, rgnSize_.cx, rgnSize_.cy));
  UniqueRegion kept(::CreateRectRgn(0, 0, old.cx, old.cy));
  if (!fresh || !kept) return;
  ::CombineRgn(fresh.get(), fresh.get(), kept.get(), RGN_DIFF);
  ::OffsetRgn(fresh.get(), -client.Left, -client.Top);  // client coordinates
  ::RedrawWindow(w, nullptr, fresh.get(), RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace glyphora
