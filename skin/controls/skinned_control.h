// What every skinned control adds to its framework class: one skin data
// object, bound to its section when loaded, answering the skin command
// message, handling the framework messages every skinned control shares
// and, for containers, passing broadcasts on to the children.
#pragma once
#include <memory>
#include <string>
#include <type_traits>

#include "framework/control.h"
#include "skin/core/sCommonData.h"
#include "skin/core/skin_commands.h"

namespace glyphora {

template <class Base>
class TsSkinned : public Base {
 public:
  TsSkinned(TComponent* owner, int coc, const char* section, const char* className, bool cacheBmp = true)
      : Base(owner), SkinData(std::make_unique<TsCtrlSkinData>(this, coc, className, cacheBmp)) {
    if (section && *section) SkinData->SetSkinSection(section);
  }
  std::unique_ptr<TsCtrlSkinData> SkinData;

  void Loaded() override {
    Base::Loaded();
    SkinData->Loaded();
  }

  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) {
      const uint16_t code = SkinCommandCode(m.WParam);
      SkinData->HandleSkinCommand(m);
      if constexpr (std::is_base_of_v<TWinControl, Base>) {
        switch (code) {
          case SKC_SETNEWSKIN: case SKC_REMOVESKIN: case SKC_REFRESH: case SKC_STOPFADING:
          case SKC_UPDATESECTION:
            RelayToChildren(this, m.Msg, m.WParam, m.LParam);
            break;
        }
      }
      return;
    }
    if (SkinData->HandleFrameworkMessage(m)) return;
    Base::WndProc(m);
  }
};

}  // namespace glyphora
