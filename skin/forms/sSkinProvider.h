// The form's skin provider: attaches to its form's window, makes the form
// known to skin broadcasts and passes live-preview requests to the manager.
// The frame painting builds on this component.
#pragma once
#include <memory>

#include "framework/component.h"
#include "framework/forms.h"
#include "skin/core/sCommonData.h"

namespace glyphora {

struct TacAddedTitle {
  TFont Font;
};

class TsSkinProvider : public TComponent {
 public:
  explicit TsSkinProvider(TComponent* owner);
  ~TsSkinProvider() override;
  std::unique_ptr<TsCommonData> SkinData;
  TacAddedTitle AddedTitle;
  TCustomForm* Form() const { return form_; }

  void Loaded() override;

 private:
  bool HandleFormMessage(TMessage& m);
  TCustomForm* form_ = nullptr;
  TWindowHook formHook_;  // the form's messages, before the form's own handling
};

}  // namespace glyphora
