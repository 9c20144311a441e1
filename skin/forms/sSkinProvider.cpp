#include "skin/forms/sSkinProvider.h"

#include "framework/application.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"

namespace glyphora {

TsSkinProvider::TsSkinProvider(TComponent* owner)
    : TComponent(owner),
      SkinData(std::make_unique<TsCommonData>(nullptr, COC_TsSkinProvider, "TSSKINPROVIDER")),
      form_(dynamic_cast<TCustomForm*>(owner)) {
  SkinData->SetSkinSection("FORM");
  if (form_) {
    RegisterSkinnedForm(form_);
    formHook_.Proc = [this](TMessage& m) { return HandleFormMessage(m); };
    formHook_.Attach(form_);
  }
}

TsSkinProvider::~TsSkinProvider() {
  formHook_.Detach();
  if (form_) UnregisterSkinnedForm(form_);
}

void TsSkinProvider::Loaded() {
  TComponent::Loaded();
  SkinData->EnsureSection();
}

bool TsSkinProvider::HandleFormMessage(TMessage& m) {
  if (m.Msg == SM_ALPHACMD) {
    switch (SkinCommandCode(m.WParam)) {
      case SKC_GETPROVIDER:
        m.Result = reinterpret_cast<LRESULT>(this);
        return true;
    }
    return SkinData->HandleSkinCommand(m);
  }
  if (m.Msg == WM_COPYDATA && Application()->MainForm() == form_) {
    // Live preview requests from another program go to the skin manager.
    if (TsSkinManager* mgr = SkinData->SkinManager()) {
      m.Result = mgr->HandleCopyData(m.WParam, reinterpret_cast<const COPYDATASTRUCT*>(m.LParam));
      return true;
    }
  }
  return false;
}

}  // namespace glyphora
