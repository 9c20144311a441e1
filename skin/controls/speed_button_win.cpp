// The skinned speed button: its cache, caption, messages and state changes.
// The fades are in speed_button_fade_win.cpp.
#include <windows.h>

#include "framework/application.h"
#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_types.h"
#include "skin/paint/section_text_win.h"
#include "skin/paint/skin_data_paint_win.h"

namespace glyphora {

namespace {
// Set while a button paints the controls that lie over it into its cache:
// a control painted there that overlaps a button paints no further copies,
// so two overlapping buttons cannot paint each other without end.
bool g_paintingOverlaps = false;

UINT TextAlignFlags(TBlockAlign a) {
  switch (a) {
    case TBlockAlign::Left: return DT_LEFT;
    case TBlockAlign::Right: return DT_RIGHT;
    case TBlockAlign::Center: break;
  }
  return DT_CENTER;
}
}  // namespace

TsSpeedButton::TsSpeedButton(TComponent* owner)
    : TsSkinned<TSpeedButton>(owner, COC_TsSpeedButton, "SPEEDBUTTON", "TSSPEEDBUTTON") {}

TsSpeedButton::~TsSpeedButton() {
  *alive_ = false;
  MarkDestroying();
  fade_.reset();
}

int TsSpeedButton::CurrentState() const {
  if (Down()) return 2;
  return SkinData->IsHot() ? 1 : 0;
}

TRect32 TsSpeedButton::CaptionRect() {
  TButtonLayoutInput in;
  in.Width = width_;
  in.Height = height_;
  in.Margin = Margin;
  in.Spacing = Spacing;
  in.TextOffset = TextOffset;
  in.Layout = Layout;
  in.Alignment = Alignment;
  in.State = CurrentState();
  if (ShowCaption && !caption_.empty()) {
    HDC dc = SkinData->CacheDC();
    WindowDC screen(nullptr);
    if (!dc) dc = screen.get();
    SelectGuard font(dc, font_.Handle());
    RECT mr{0, 0, ButtonCaptionMeasureWidth(in), 0};
    ::DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &mr,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    in.TextWidth = mr.right - mr.left;
    in.TextHeight = mr.bottom - mr.top;
  }
  return ButtonCaptionRect(in);
}

void TsSpeedButton::DrawCaption(HDC dc, int state) {
  if (!ShowCaption || caption_.empty() || !dc) return;
  const TRect32 r = CaptionRect();
  SelectGuard font(dc, font_.Handle());
  ::SetBkMode(dc, TRANSPARENT);
  UINT flags = TextAlignFlags(TextAlignment) | DT_VCENTER | DT_EXPANDTABS | DT_WORDBREAK;
  if (parent_ && (::GetWindowLongW(parent_->WindowHandle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL)) flags |= DT_RTLREADING;
  // Drawn as enabled: a disabled button's whole cache, caption included, is
  // blended afterwards by its disabled kind.
  DrawSectionText(dc, caption_, true, state > 0, *SkinData, flags, r);
}

void TsSpeedButton::PrepareCache() {
  const int state = CurrentState();
  if (!PaintSectionIntoCache(*SkinData, state)) return;
  TBitmap32* px = SkinData->CachePixels();
  DrawCaption(SkinData->CacheDC(), state);
  ::GdiFlush();
  if (!enabled_ && parent_)
    ApplyDisabledKind(px, DisabledKind, GetControlBGColor(parent_), 0, 0, OwnerBackground(*SkinData));
  if (OnPaint) OnPaint(this, *px);
  SkinData->MarkBGCurrent();
  cacheState_ = state;
  PaintOverlappingSiblings();
}

void TsSpeedButton::PaintOverlappingSiblings() {
  if (g_paintingOverlaps || PaintingCopy() || !parent_) return;
  HDC dc = SkinData->CacheDC();
  if (!dc) return;
  g_paintingOverlaps = true;
  struct Reset {
    ~Reset() { g_paintingOverlaps = false; }
  } reset;
  const RECT me = BoundsRect();
  for (TControl* c : std::vector<TControl*>(parent_->Controls())) {
    // Windowed controls cover themselves on screen.
    if (c == this || !c->Visible() || c->IsWindowed()) continue;
    const RECT b = c->BoundsRect();
    if (!::PtInRect(&me, POINT{b.left, b.top}) && !::PtInRect(&me, POINT{b.right - 1, b.bottom - 1})) continue;
    SavedDC saved(dc);
    ::SetViewportOrgEx(dc, b.left - me.left, b.top - me.top, nullptr);
    ::IntersectClipRect(dc, 0, 0, b.right - b.left, b.bottom - b.top);
    PaintingCopyScope copy(c);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
  ::GdiFlush();
}

void TsSpeedButton::CopyToDC(HDC dc, int x, int y) {
  if (fade_ && fade_->Fade.Frame().Width() == width_ && fade_->Fade.Frame().Height() == height_) {
    DrawBitmap32(dc, x, y, fade_->Fade.Frame());
  } else if (HDC src = SkinData->CacheDC()) {
    ::GdiFlush();
    ::BitBlt(dc, x, y, width_, height_, src, 0, 0, SRCCOPY);
  }
}

void TsSpeedButton::GraphRepaint() {
  if (Loading() || Destroying() || !parent_ || !visible_ || !parent_->HandleAllocated()) return;
  if (!SkinData->Skinned()) {
    Repaint();
    return;
  }
  if (SkinData->BGChanged) PrepareCache();
  WindowDC dc(parent_->WindowHandle());
  if (!dc.get()) return;
  SavedDC saved(dc.get());
  ::IntersectClipRect(dc.get(), left_, top_, left_ + width_, top_ + height_);
  CopyToDC(dc.get(), left_, top_);
}

void TsSpeedButton::Paint(TCanvas& canvas) {
  // Indexes are resolved once a skin is there; index 0 is a section like
  // any other, so only a missing one is looked up again.
  if (SkinData->SkinIndex < 0) {
    TsSkinManager* m = SkinData->SkinManager();
    if (m && m->Active() && m->IsValidSkinIndex(0)) SkinData->UpdateIndexes();
  }
  if (!SkinData->Skinned()) {
    PaintStandard(canvas);
    return;
  }
  if (width_ <= 0 || height_ <= 0) return;
  if (!fade_) {
    const bool down = Down();
    if (CurrentState() > 0 || down != storedDown_ || SkinData->HalfVisible) SkinData->MarkBGChanged();
    storedDown_ = down;
    // A see-through button over a background that depends on position is
    // painted anew every time: its parent may have changed its look.
    SkinData->HalfVisible = SkinData->RepaintIfMoved();
    if (SkinData->BGChanged && !SkinData->UrgentPainting) PrepareCache();
  }
  CopyToDC(canvas.Handle(), 0, 0);
}

void TsSpeedButton::BoundsChanged() {
  SkinData->MarkBGChanged();
  StopFade();
}

bool TsSpeedButton::Animates(TacAnimatEvent event) const {
  if (AnimatEvents & event) return true;
  return (AnimatEvents & aeGlobalDef) && (GlobalButtonAnimEvents() & event);
}

void TsSpeedButton::StateChanged(TacAnimatEvent event, bool fast) {
  if (Destroying()) return;
  const TsGeneralData* section = SkinData->Skinned() ? SkinData->Section() : nullptr;
  const bool canFade = section && section->FadingEnabled && Animates(event) && !TsSkinManager::SkinLoading() &&
                       !TsSkinManager::NewSkinBroadcast() && !SessionEnding() && !SkinData->BGChanged &&
                       enabled_ && visible_ && parent_ && parent_->HandleAllocated();
  if (canFade) {
    StartFade(fast);
  } else {
    SkinData->MarkBGChanged();
    StopFade();
    GraphRepaint();
  }
  // The glow around the button shows while the mouse rests over it with no
  // button down (drawn by the form skinning when it is installed).
  if (SkinData->FMouseAbove && !Down() && event != aeMouseDown)
    SkinData->UpdateGlow(false);
  else
    SkinData->RemoveGlow();
}

void TsSpeedButton::WndProc(TMessage& m) {
  if (m.Msg == SM_ALPHACMD) {
    switch (SkinCommandCode(m.WParam)) {
      case SKC_STOPFADING:
        StopFade();
        SkinData->MarkBGChanged();
        GraphRepaint();
        return;
      case SKC_REPAINT:
        SkinData->SetUpdating(false);
        SkinData->MarkBGChanged();
        GraphRepaint();
        return;
      case SKC_PARENTUPDATED:
        if (SkinData->FUpdating) {
          SkinData->SetUpdating(false);
          GraphRepaint();
        }
        return;
      case SKC_UPDATESECTION:
        if (SkinData->Skinned()) GraphRepaint();
        return;
      case SKC_SETNEWSKIN:
      case SKC_REMOVESKIN:
      case SKC_REFRESH:
        if (!SkinCommandForManager(m, SkinData->SkinManager())) return;
        StopFade();
        SkinData->HandleSkinCommand(m);
        SetOpaqueStyle(SkinData->Skinned());
        if (visible_) Invalidate();
        return;
    }
    SkinData->HandleSkinCommand(m);
    return;
  }
  // Handlers may free the button: it is looked at again only while alive.
  const std::shared_ptr<bool> alive = alive_;
  switch (m.Msg) {
    case CM_MOUSEENTER:
      if (!enabled_ || mouseAbove_) break;
      if (OnMouseEnter) OnMouseEnter(this);
      if (!*alive) return;
      mouseAbove_ = true;
      SkinData->HandleFrameworkMessage(m);
      TSpeedButton::WndProc(m);
      if (*alive) StateChanged(aeMouseEnter, false);
      return;
    case CM_MOUSELEAVE:
      if (!enabled_ || !mouseAbove_) break;
      if (OnMouseLeave) OnMouseLeave(this);
      if (!*alive) return;
      mouseAbove_ = false;
      if (state_ == TButtonState::bsDown) state_ = TButtonState::bsUp;
      SkinData->HandleFrameworkMessage(m);
      TSpeedButton::WndProc(m);
      if (*alive && visible_) StateChanged(aeMouseLeave, false);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SkinData->HandleFrameworkMessage(m);
      TSpeedButton::WndProc(m);
      if (*alive && !Destroying()) StateChanged(aeMouseDown, true);
      return;
    case WM_LBUTTONUP:
      // The pressed look complete before the click runs.
      if (SkinData->Skinned() && fade_) {
        StopFade();
        PrepareCache();
        GraphRepaint();
      }
      SkinData->HandleFrameworkMessage(m);
      TSpeedButton::WndProc(m);  // may click, and the click may change anything
      if (*alive && !Destroying()) StateChanged(aeMouseUp, true);
      return;
    case CM_ENABLEDCHANGED:
      mouseAbove_ = false;
      SkinData->HandleFrameworkMessage(m);
      TSpeedButton::WndProc(m);
      if (!*alive) return;
      StopFade();
      SkinData->MarkBGChanged();
      GraphRepaint();
      return;
    case CM_VISIBLECHANGED:
      mouseAbove_ = false;
      StopFade();
      break;
    case CM_TEXTCHANGED:
      if (SkinData->Skinned() && ShowCaption) {
        SkinData->MarkBGChanged();
        GraphRepaint();
        return;
      }
      break;
  }
  if (SkinData->HandleFrameworkMessage(m)) return;
  TSpeedButton::WndProc(m);
}

}  // namespace glyphora
