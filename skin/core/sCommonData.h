// The skin data every skinned control owns: its binding to a skin section.
// Painting from the skin builds on this; without an active skin the owning
// control draws itself the framework's way.
#pragma once
#include <string>

namespace glyphora {

class TControl;
class TsSkinManager;

// Control-kind codes of the skinned classes.
enum : int {
  COC_TsEdit = 3, COC_TsRichEdit = 7, COC_TsCustomListBox = 8, COC_TsPanel = 51, COC_TsSplitter = 75,
  COC_TsSpeedButton = 92, COC_TsScrollBar = 142, COC_TsSkinProvider = 224,
};

class TsCommonData {
 public:
  TsCommonData(TControl* owner, int coc) : FOwnerControl(owner), COC(coc) {}
  virtual ~TsCommonData() = default;

  const std::string& SkinSection() const { return FSkinSection; }
  // Stored upper-cased; an empty name means "UNKNOWN".
  void SetSkinSection(const std::string& name);
  TsSkinManager* SkinManager() const { return FSkinManager; }
  void SetSkinManager(TsSkinManager* manager) { FSkinManager = manager; }

  bool CustomColor = false;
  bool CustomFont = false;
  int SkinIndex = -1;
  int BorderIndex = -1;
  bool BGChanged = true;
  TControl* FOwnerControl;
  const int COC;

 private:
  std::string FSkinSection;
  TsSkinManager* FSkinManager = nullptr;
};

class TsCtrlSkinData : public TsCommonData {
 public:
  using TsCommonData::TsCommonData;
  int HUEOffset = 0;
  int Saturation = 0;
};

}  // namespace glyphora
