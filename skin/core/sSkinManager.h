// The skin manager component. It holds the skin settings of the window
// definition; loading and broadcasting skins build on these properties.
#pragma once
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/graphics.h"

namespace glyphora {

struct TacInternalSkin {
  std::wstring Name;
  TColor Shadow1Color = clBlack;
  int Shadow1Offset = 0;
  int Shadow1Transparency = 0;
  std::vector<unsigned char> Data;  // the packed skin
};

struct TacThirdPartyLists {
  std::vector<std::wstring> ThirdEdits, ThirdButtons, ThirdBitBtns, ThirdCheckBoxes, ThirdGroupBoxes,
      ThirdListViews, ThirdPanels, ThirdGrids, ThirdTreeViews, ThirdComboBoxes, ThirdWWEdits, ThirdVirtualTrees,
      ThirdGridEh, ThirdPageControl, ThirdTabControl, ThirdToolBar, ThirdStatusBar, ThirdSpeedButton,
      ThirdScrollControl, ThirdUpDown, ThirdScrollBar, ThirdStaticText, ThirdNativePaint;
};

struct TacMenuSupport {
  std::string IcoLineSkin;
  TFont ExtraLineFont;
};

class TsSkinManager : public TComponent {
 public:
  explicit TsSkinManager(TComponent* owner);
  ~TsSkinManager() override;

  // The first manager created in the process.
  static TsSkinManager* DefaultManager();

  bool ExtendedBorders = false;
  std::vector<TacInternalSkin> InternalSkins;
  std::wstring SkinName;
  std::wstring SkinDirectory = L"c:\\Skins";
  std::wstring SkinInfo;
  TacMenuSupport MenuSupport;
  TacThirdPartyLists ThirdParty;
  // True while a skin is loaded and active.
  bool Active() const { return active_; }

 protected:
  bool active_ = false;
};

}  // namespace glyphora
