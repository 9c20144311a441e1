#include "skin/paint/speed_button_handler_win.h"

#include "framework/buttons.h"
#include "framework/handles.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/paint/corner_refresh_win.h"
#include "skin/paint/disabled_look.h"
#include "skin/paint/section_text_win.h"
#include "skin/paint/skin_data_paint_win.h"

namespace glyphora {

TacSpeedButtonHandler::TacSpeedButtonHandler(TSpeedButton* button, TsCommonData* skinData, TsSkinManager* manager,
                                             const std::string& section)
    : ctrl_(button), skinData_(skinData), manager_(manager) {
  if (skinData_->SkinSection().empty() || skinData_->SkinSection() == "UNKNOWN")
    skinData_->SetSkinSection(section.empty() ? std::string("SPEEDBUTTON") : section);
  if (manager_) skinData_->SetSkinManager(manager_);
  skinData_->UpdateIndexes();
  oldWndProc_ = ctrl_->SetWindowProc([this](TMessage& m) { WndProc(m); });
  ctrl_->Invalidate();
}

TacSpeedButtonHandler::~TacSpeedButtonHandler() { Release(); }

void TacSpeedButtonHandler::Release() {
  if (destroyed_) return;
  destroyed_ = true;
  if (!ctrl_->Destroying()) {
    ctrl_->SetWindowProc(std::move(oldWndProc_));
    ctrl_->Invalidate();
  }
}

int TacSpeedButtonHandler::CurrentState() const {
  const TButtonState s = ctrl_->State();
  if (s == TButtonState::bsDown || s == TButtonState::bsExclusive) return 2;
  return skinData_->IsHot() ? 1 : 0;
}

void TacSpeedButtonHandler::CallOld(TMessage& m) {
  if (oldWndProc_) oldWndProc_(m); else ctrl_->WndProc(m);
}

void TacSpeedButtonHandler::PrepareCache() {
  TsCommonData& d = *skinData_;
  const int state = CurrentState();
  if (!PaintSectionIntoCache(d, state)) return;
  TBitmap32* px = d.CachePixels();
  HDC dc = d.CacheDC();
  if (!px || !dc) return;
  ::GdiFlush();
  // The caption centred, as the framework's speed button lays it out, one
  // pixel down and right while pressed.
  const std::wstring& text = ctrl_->Caption();
  if (!text.empty()) {
    SelectGuard font(dc, ctrl_->Font().Handle());
    const int shift = state == 2 ? 1 : 0;
    const TRect32 r{shift, shift, px->Width() + shift, px->Height() + shift};
    DrawSectionText(dc, text, ctrl_->Enabled(), state != 0, d, DT_CENTER | DT_VCENTER | DT_SINGLELINE, r);
    ::GdiFlush();
  }
  RefreshBorderCorners(d, state);
  if (!ctrl_->Enabled())
    ApplyDisabledKind(px, DefaultDisabledKind, d.GetBGColor(0), 0, 0, OwnerBackground(d));
  d.MarkBGCurrent();
}

void TacSpeedButtonHandler::Paint(HDC dc) {
  PrepareCache();
  HDC cache = skinData_->CacheDC();
  if (!cache) return;
  SavedDC saved(dc);
  ::BitBlt(dc, 0, 0, ctrl_->Width(), ctrl_->Height(), cache, 0, 0, SRCCOPY);
}

void TacSpeedButtonHandler::WndProc(TMessage& m) {
  TsCommonData& d = *skinData_;
  if (m.Msg == SM_ALPHACMD) {
    const bool own = SkinCommandForManager(m, manager_);
    switch (SkinCommandCode(m.WParam)) {
      case SKC_SETNEWSKIN:
        if (own) d.HandleSkinCommand(m);
        return;
      case SKC_REFRESH:
        if (!own) return;
        d.HandleSkinCommand(m);
        if (ctrl_->Visible()) ctrl_->Repaint();
        return;
      case SKC_REMOVESKIN:
        if (!own || ctrl_->Destroying()) return;
        d.HandleSkinCommand(m);
        Release();  // from here on the button is its own again
        return;
      case SKC_PARENTUPDATED:
        if (d.FUpdating) {
          d.SetUpdating(false);
          ctrl_->Invalidate();
        }
        return;
      case SKC_CTRLHANDLED:
        m.Result = 1;
        return;
      case SKC_REPAINT:
        d.SetUpdating(false);
        d.MarkBGChanged();
        ctrl_->Invalidate();
        CallOld(m);
        return;
      default:
        if (d.HandleSkinCommand(m)) return;
        CallOld(m);
        return;
    }
  }
  switch (m.Msg) {
    case WM_PAINT:
      if (m.WParam && d.Skinned()) {
        Paint(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return;
      }
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      d.FMouseAbove = m.Msg == CM_MOUSEENTER;
      d.MarkBGChanged();
      break;
  }
  CallOld(m);
}

}  // namespace glyphora
