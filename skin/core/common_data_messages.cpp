// The skin data's answers to the skin command message and its share of the
// framework's and the window's messages (hover, focus, size, skin removal).
#include <cctype>
#include <typeinfo>

#include "framework/application.h"
#include "framework/control.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "skin/core/manager_rules.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"

namespace glyphora {

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

void TsCommonData::OnRemoveSkin(TsSkinManager* manager) {
  if (manager->Destroying()) FSkinManager = nullptr;
  SkinIndex = BorderIndex = Texture = HotTexture = -1;
  SetUpdating(true);
  if (FCacheBmp) FCacheBmp->SetSize(0, 0);
  if (!FOwnerControl) return;
  if (IsEditLikeKind(COC)) {
    if (!CustomColor) FOwnerControl->SetColor(clWindow);
    if (!CustomFont) FOwnerControl->Font().SetColor(clWindowText);
    if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl); win && win->HandleAllocated())
      ::RedrawWindow(win->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  } else if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl)) {
    // Plain framework labels (not skinned ones, which reset themselves).
    for (TControl* c : win->Controls())
      if (auto* label = dynamic_cast<TCustomLabel*>(c); label && typeid(*label) == typeid(TLabel))
        label->Font().SetColor(clWindowText);
  }
}

bool TsCommonData::HandleSkinCommand(TMessage& m) {
  if (m.Msg != SM_ALPHACMD) return false;
  // lParam names a manager only for the skin-wide commands: they are
  // obeyed only when they name this control's own manager.
  TsSkinManager* manager = SkinManager();
  const bool own = SkinCommandForManager(m, manager);
  switch (SkinCommandCode(m.WParam)) {
    case SKC_CTRLHANDLED:
      m.Result = 1;
      return true;
    case SKC_SETNEWSKIN:
      if (own) {
        UpdateIndexes();
        UpdateCtrlState(false);
        // Painting suspended by a removed skin resumes with the new one.
        SetUpdating(false);
        manager->SetNewSkinBroadcast(false);
      }
      return true;
    case SKC_REMOVESKIN:
      if (own) OnRemoveSkin(manager);
      return true;
    case SKC_REFRESH:
      if (own) {
        MarkBGChanged();
        SetUpdating(false);
        ApplySkinColors(true);
        UpdateCtrlState(false);
      }
      return true;
    case SKC_SETUPDATING:
      SetUpdating(SkinCommandArg(m.WParam) == 1);
      return true;
    case SKC_URGENTPAINT:
      UrgentPainting = SkinCommandArg(m.WParam) == 1;
      return true;
    case SKC_ISUPDATING:
      m.Result = (BGChanged || FUpdating) ? 1 : 0;
      return true;
    case SKC_ISHALFVISIBLE:
      m.Result = HalfVisible ? 1 : 0;
      return true;
    case SKC_SETHALFVISIBLE:
      HalfVisible = true;
      return true;
    case SKC_BGCHANGED:
      MarkBGChanged();
      return true;
    case SKC_GETSKININDEX:
      if (!SkinCommandFromProgram(m)) return true;
      if (auto* info = reinterpret_cast<TacSectionInfo*>(m.LParam)) info->SkinIndex = SkinIndex;
      m.Result = 1;
      return true;
    case SKC_SETSECTION:
      if (!SkinCommandFromProgram(m)) return true;
      if (auto* info = reinterpret_cast<TacSectionInfo*>(m.LParam); info && info->Name) SetSkinSection(info->Name);
      return true;
    case SKC_UPDATESECTION:
      if (SkinManager() && Upper(SkinManager()->SectionToUpdate()) == FSkinSection) Invalidate();
      return true;
    case SKC_CTRLSKINSTATE:
      if (m.LParam == 1) {
        MarkBGChanged();
        Repaint();
      }
      m.Result = CtrlSkinState;
      return true;
    case SKC_SETPRINTDC:
      PrintDC = reinterpret_cast<HDC>(m.LParam);
      if (PrintDC) CtrlSkinState |= ACS_PRINTING; else CtrlSkinState &= static_cast<uint16_t>(~ACS_PRINTING);
      m.Result = 1;
      return true;
    case SKC_GETAPPLICATION:
      m.Result = reinterpret_cast<LRESULT>(Application());
      return true;
    case SKC_ISBGDEPENDENT: {
      const TsStateLook look = StateLook(0);
      bool dependent;
      if (!Skinned()) {
        dependent = false;
      } else if (look.Transparency == 100) {
        TWinControl* parent = FOwnerControl ? FOwnerControl->Parent() : nullptr;
        dependent = parent && parent->HandleAllocated() && SendSkinCommand(parent->WindowHandle(), SKC_ISBGDEPENDENT) == 1;
      } else {
        dependent = look.GradientPercent > 0 || look.ImagePercent > 0 || RepaintIfMoved();
      }
      m.Result = dependent ? 1 : 0;
      return true;
    }
    case SKC_PARENTMOVED:
      if (Skinned() && RepaintIfMoved()) {
        MarkBGChanged();
        if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl)) {
          RelayToChildren(win, SM_ALPHACMD, SkinCommandWParam(SKC_PARENTMOVED), 0);
          if (SkinCommandArg(m.WParam) == 1 && win->HandleAllocated())
            ::RedrawWindow(win->WindowHandle(), nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        } else if (FOwnerControl) {
          FOwnerControl->Invalidate();
        }
      }
      return true;
    case SKC_GETCOLOR:
      m.Result = static_cast<LRESULT>(GetBGColor(0));
      return true;
    case SKC_GETBG:
      if (!SkinCommandFromProgram(m)) return true;
      if (auto* info = reinterpret_cast<TacParentBG*>(m.LParam)) {
        FillParentBG(*info, 0);
        m.Result = 1;
      }
      return true;
  }
  return false;
}

bool TsCommonData::HandleFrameworkMessage(TMessage& m) {
  auto* win = dynamic_cast<TWinControl*>(FOwnerControl);
  switch (m.Msg) {
    case WM_MOVE:
      if (RepaintIfMoved()) {
        MarkBGChanged();
        if (FOwnerControl)
          SendControlSkinCommand(FOwnerControl, SKC_PARENTMOVED, 0, 1);
      }
      RemoveGlow();
      return false;
    case WM_SIZE:
      if (Skinned()) {
        MarkBGChanged();
        if (win && StateLook(0).GradientPercent >= 1) {
          for (TControl* c : std::vector<TControl*>(win->Controls())) {
            if (c->Destroying()) continue;
            // The framework anchors every control to the left and top.
            SendControlSkinCommand(c, SKC_PARENTMOVED, 0, 1);
          }
        }
      }
      RemoveGlow();
      return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (win && win->CanFocus() && win->TabStop()) {
        MarkBGChanged();
        FFocused = m.Msg == WM_SETFOCUS;
        const TsGeneralData* g = Section();
        if (Skinned() && IsEditLikeKind(COC) && g && g->States > 1 && win->HandleAllocated())
          ::RedrawWindow(win->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      }
      return false;
    case WM_UPDATEUISTATE:
      if (Skinned()) {
        m.Result = 1;
        return true;
      }
      return false;
    case WM_PARENTNOTIFY:
      if (LOWORD(m.WParam) == WM_CREATE && FOwnerControl) {
        if (TWinControl* form = FOwnerControl->TopLevel(); form && form->HandleAllocated() && form != FOwnerControl)
          SendSkinCommand(form->WindowHandle(), SKC_ADDCHILDREN, reinterpret_cast<LPARAM>(FOwnerControl));
      }
      return false;
    case CM_ENABLEDCHANGED:
      FMouseAbove = FFocused = false;
      if (FOwnerControl && !FOwnerControl->Enabled()) RemoveGlow();
      return false;
    case CM_VISIBLECHANGED:
      if (m.WParam) {
        SetUpdating(false);
        MarkBGChanged();
      } else if (FCacheBmp) {
        FCacheBmp->SetSize(0, 0);
      }
      return false;
    case CM_MOUSEENTER:
      if (!Skinned()) {
        if (!IsContainerKind(COC)) FMouseAbove = true;
        return false;
      }
      if (COC == COC_TsSpeedButton && FOwnerControl && FOwnerControl->Parent()) {
        // Over a copy: a sibling's handler may add or remove siblings. One
        // that has left the parent meanwhile (or is gone) is not touched.
        TWinControl* parent = FOwnerControl->Parent();
        for (TControl* c : std::vector<TControl*>(parent->Controls())) {
          const auto& live = parent->Controls();
          if (c == FOwnerControl || std::find(live.begin(), live.end(), c) == live.end()) continue;
          if (c->MouseInControl() && !c->IsWindowed() && SendControlSkinCommand(c, SKC_CTRLHANDLED) == 1)
            c->Perform(CM_MOUSELEAVE);
        }
      }
      if (!IsContainerKind(COC)) FMouseAbove = true;
      if (TsSkinManager* mg = SkinManager()) mg->ChangeActiveControl(win ? win->WindowHandle() : nullptr);
      if (!IsNoGlowKind(COC) && !IsButtonKind(COC)) UpdateGlow(false);
      if (IsEditLikeKind(COC) && Section() && Section()->States > 1 && win && win->HandleAllocated()) {
        MarkBGChanged();
        ::SendMessageW(win->WindowHandle(), WM_NCPAINT, 1, 0);
      }
      return false;
    case CM_MOUSELEAVE:
      if (!Skinned()) return false;
      if (!IsContainerKind(COC)) FMouseAbove = false;
      if (!IsNoGlowKind(COC) && !IsButtonKind(COC)) RemoveGlow();
      if (FOwnerControl && FOwnerControl->Visible() && IsEditLikeKind(COC) && win && win->HandleAllocated()) {
        MarkBGChanged();
        ::SendMessageW(win->WindowHandle(), WM_NCPAINT, 1, 0);
      }
      return false;
    case CM_SHOWINGCHANGED:
      if (FOwnerControl && FOwnerControl->Visible()) Loaded();
      return false;
  }
  return false;
}

}  // namespace glyphora
