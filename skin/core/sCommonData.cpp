#include "skin/core/sCommonData.h"

#include <cctype>

#include "framework/control.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"

namespace glyphora {

std::string DefaultSectionForKind(int coc) {
  if ((coc >= 2 && coc <= 8) || coc == 10 || coc == 41 || coc == 76 || coc == 78 || (coc >= 83 && coc <= 85) ||
      coc == 96 || coc == 131 || coc == 140 || coc == 227)
    return "EDIT";
  if ((coc >= 11 && coc <= 18) || coc == 81 || coc == 82) return "COMBOBOX";
  switch (coc) {
    case 19: return "BAR";
    case 20: return "BARTITLE";
    case 32: case 152: return "CHECKBOX";
    case 33: return "RADIOBUTTON";
    case 51: case 59: case 68: case 73: return "PANEL";
    case 52: case 58: return "PANEL_LOW";
    case 53: case 54: case 60: return "TOOLBAR";
    case 56: return "DRAGBAR";
    case 57: return "TABSHEET";
    case 74: case 226: return "GROUPBOX";
    case 75: return "SPLITTER";
    case 92: case 95: return "SPEEDBUTTON";
    case 93: case 94: return "BUTTON";
    case 98: return "TOOLBUTTON";
    case 141: case 143: return "PAGECONTROL";
    case 151: return "STATUSBAR";
    case 161: return "GAUGE";
    case 165: return "TRACKBAR";
  }
  return {};
}

namespace {
std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

TsCommonData::TsCommonData(TControl* owner, int coc, std::string className)
    : FOwnerControl(owner), COC(coc), className_(std::move(className)) {}

void TsCommonData::SetSkinSection(const std::string& name) {
  std::string upper = Upper(name);
  if (upper.empty()) upper = "UNKNOWN";
  if (upper == FSkinSection) return;
  FSkinSection = upper;
  UpdateIndexes();
}

TsSkinManager* TsCommonData::SkinManager() const {
  return FSkinManager ? FSkinManager : TsSkinManager::DefaultManager();
}

void TsCommonData::SetSkinManager(TsSkinManager* manager) {
  // The default manager is followed implicitly, whichever it is later.
  FSkinManager = manager == TsSkinManager::DefaultManager() ? nullptr : manager;
  UpdateIndexes();
}

void TsCommonData::EnsureSection() {
  if (FSkinSection.empty()) {
    std::string def = DefaultSectionForKind(COC);
    SetSkinSection(def.empty() ? className_ : def);
  } else {
    UpdateIndexes();
  }
}

void TsCommonData::UpdateIndexes() {
  BGChanged = true;
  TsSkinManager* m = SkinManager();
  SkinIndex = (m && m->Active() && !FSkinSection.empty()) ? m->GetSkinIndex(FSkinSection) : -1;
  BorderIndex = SkinIndex >= 0 ? m->GetMaskIndex(SkinIndex, FSkinSection, "BORDERSMASK") : -1;
}

bool TsCommonData::Skinned() const {
  TsSkinManager* m = SkinManager();
  return !FSkinSection.empty() && m && !m->Destroying() && SkinIndex >= 0 && m->IsValidSkinIndex(SkinIndex) &&
         !(FOwnerControl && FOwnerControl->Destroying());
}

bool TsCommonData::HandleSkinCommand(TMessage& m) {
  if (m.Msg != SM_ALPHACMD) return false;
  // lParam names a manager only for the skin-wide commands, and a command
  // may come from anywhere: it is obeyed only when it names this control's
  // own manager, never when it names none (also when no manager exists).
  auto* manager = reinterpret_cast<TsSkinManager*>(m.LParam);
  const bool own = manager && manager == SkinManager();
  switch (SkinCommandCode(m.WParam)) {
    case SKC_CTRLHANDLED:
      m.Result = 1;
      return true;
    case SKC_SETNEWSKIN:
      if (own) {
        UpdateIndexes();
        manager->SetNewSkinBroadcast(false);
      }
      return true;
    case SKC_REMOVESKIN:
      if (own) {
        if (manager->Destroying()) FSkinManager = nullptr;
        SkinIndex = BorderIndex = -1;
        FUpdating = true;
      }
      return true;
    case SKC_REFRESH:
      if (own) {
        BGChanged = true;
        FUpdating = false;
      }
      return true;
    case SKC_SETUPDATING:
      FUpdating = SkinCommandArg(m.WParam) == 1;
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
      BGChanged = true;
      return true;
    case SKC_GETSKININDEX:
      if (!SkinCommandPointerTrusted()) return true;
      if (auto* info = reinterpret_cast<TacSectionInfo*>(m.LParam)) info->SkinIndex = SkinIndex;
      m.Result = 1;
      return true;
    case SKC_SETSECTION:
      if (!SkinCommandPointerTrusted()) return true;
      if (auto* info = reinterpret_cast<TacSectionInfo*>(m.LParam); info && info->Name) SetSkinSection(info->Name);
      return true;
    case SKC_UPDATESECTION:
      if (SkinManager() && Upper(SkinManager()->SectionToUpdate()) == FSkinSection && FOwnerControl)
        FOwnerControl->Invalidate();
      return true;
    case SKC_GETCOLOR: {
      TsSkinManager* mg = SkinManager();
      if (!Skinned() || !mg) {
        m.Result = FOwnerControl ? static_cast<LRESULT>(ColorToRGB(FOwnerControl->Color())) : clNoneMarker;
      } else {
        m.Result = static_cast<LRESULT>(mg->SectionBGColor(SkinIndex, FOwnerControl));
      }
      return true;
    }
  }
  return false;
}

}  // namespace glyphora
