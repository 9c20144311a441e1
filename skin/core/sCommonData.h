// The skin data every skinned control owns: its binding to a skin section
// and the answers to the skin command message that all controls share.
// Painting from the skin builds on this; without an active skin the owning
// control draws itself the framework's way.
#pragma once
#include <string>

#include "framework/messages.h"
#include "base/bitmap32.h"

namespace glyphora {

class TControl;
class TsSkinManager;

// Control-kind codes of the skinned classes.
enum : int {
  COC_TsEdit = 3, COC_TsRichEdit = 7, COC_TsCustomListBox = 8, COC_TsPanel = 51, COC_TsSplitter = 75,
  COC_TsSpeedButton = 92, COC_TsScrollBar = 142, COC_TsSkinProvider = 224,
};

// The section a kind of control uses when none is given; empty when the
// kind has no default (then the owner's class name is used).
std::string DefaultSectionForKind(int coc);

class TsCommonData {
 public:
  // `className` names the owner's class, the section of last resort.
  TsCommonData(TControl* owner, int coc, std::string className = {});
  virtual ~TsCommonData() = default;

  const std::string& SkinSection() const { return FSkinSection; }
  // Stored upper-cased; an empty name means "UNKNOWN".
  void SetSkinSection(const std::string& name);
  // The explicit manager, else the default manager.
  TsSkinManager* SkinManager() const;
  void SetSkinManager(TsSkinManager* manager);

  // Binds to the section (the kind's default when none is set).
  void EnsureSection();
  // Resolves the section in the manager's skin; -1 without an active skin.
  void UpdateIndexes();
  bool Skinned() const;
  // The common answers to the skin command message; true when the message
  // was handled here. Containers relay broadcasts to their children after.
  bool HandleSkinCommand(TMessage& m);

  bool CustomColor = false;
  bool CustomFont = false;
  int SkinIndex = -1;
  int BorderIndex = -1;
  bool BGChanged = true;
  bool FUpdating = false;
  bool HalfVisible = true;
  bool UrgentPainting = false;
  TControl* FOwnerControl;
  const int COC;
  // The control's look composed off-screen (32-bit); empty until the
  // control first paints into it.
  TBitmap32 FCacheBmp;

 private:
  std::string FSkinSection;
  std::string className_;
  TsSkinManager* FSkinManager = nullptr;
};

class TsCtrlSkinData : public TsCommonData {
 public:
  using TsCommonData::TsCommonData;
  int HUEOffset = 0;
  int Saturation = 0;
};

}  // namespace glyphora
