// The skin data every skinned object owns (a skinned control, a form
// provider, an adapter of a standard window): its binding to a skin section,
// the resolved indexes into the manager's tables, its cache bitmap (the
// object's look composed off-screen) and the flags that decide when that
// cache must be rebuilt; with the answers to the skin command message and
// the handling of framework messages that every skinned control shares.
// Without an active skin the owner draws itself the framework's way.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "base/bitmap32.h"
#include "framework/graphics.h"
#include "framework/handles.h"
#include "framework/messages.h"
#include "skin/core/parent_bg_record.h"

namespace glyphora {

class TComponent;
class TControl;
class TWinControl;
class TsSkinManager;
class TSkinContent;
struct TsGeneralData;

// Control-kind codes of the skinned classes.
enum : int {
  COC_TsEdit = 3, COC_TsRichEdit = 7, COC_TsCustomListBox = 8, COC_TsPanel = 51, COC_TsSplitter = 75,
  COC_TsSpeedButton = 92, COC_TsButton = 93, COC_TsBitBtn = 94, COC_TsScrollBar = 142, COC_TsSkinProvider = 224, COC_TsFrameAdapter = 226,
  COC_TsAdapter = 227,
};

// The section a kind of control uses when none is given; empty when the
// kind has no default (then the owner's class name is used).
std::string DefaultSectionForKind(int coc);
// Kinds that take colour and font colour from their section and redraw
// their frame on focus and hover.
bool IsEditLikeKind(int coc);
// Kinds that never become hot by mouse-over.
bool IsContainerKind(int coc);
// Kinds that never show a glow on mouse-over.
bool IsNoGlowKind(int coc);
// The push-button kinds (speed button, button, bit button), which show
// their glow themselves as they paint.
inline bool IsButtonKind(int coc) { return coc >= COC_TsSpeedButton && coc <= COC_TsBitBtn; }

// Bits of CtrlSkinState.
enum : uint16_t {
  ACS_FAST = 0x001,          // plain background: painted without the cache
  ACS_PRINTING = 0x200,      // painting into PrintDC
  ACS_FOCUSCHANGING = 0x400, // a form provider's focus change is pending
  ACS_LOCKED = 0x800,        // inside BeginUpdate ... EndUpdate
};

// Bits of BGType.
enum : uint16_t { BGT_GRADIENTHORZ = 1, BGT_GRADIENTVERT = 2, BGT_TEXTURE = 4 };

// What a background of a section looks like in one state.
struct TsStateLook {
  TColor Color = 0;
  int32_t Transparency = 0;
  int32_t GradientPercent = 0;
  int32_t ImagePercent = 0;
};

// Process-wide: a form animation is running (every skinned object then
// paints through its cache and sends no parent-updated notices).
bool FormAnimationRunning();
void SetFormAnimationRunning(bool value);

class TsCommonData {
 public:
  // owner: the control, form provider or adapter that owns this data.
  // className names the owner's class, the section of last resort.
  TsCommonData(TComponent* owner, int coc, std::string className = {}, bool createCacheBmp = true);
  virtual ~TsCommonData();
  TsCommonData(const TsCommonData&) = delete;
  TsCommonData& operator=(const TsCommonData&) = delete;

  // ----- binding
  const std::string& SkinSection() const { return FSkinSection; }
  // Stored upper-cased; an empty name means "UNKNOWN". An owner control that
  // is in place (loaded, with a parent) is refreshed or unskinned at once.
  void SetSkinSection(const std::string& name);
  // The explicit manager, else the default manager.
  TsSkinManager* SkinManager() const;
  void SetSkinManager(TsSkinManager* manager);
  bool HasOwnManager() const { return FSkinManager != nullptr; }

  // Binds to the section (the kind's default when none is set).
  void EnsureSection();
  // Resolves the section, its border, textures, background type and fast
  // mode in the manager's skin; -1 without an active skin.
  void UpdateIndexes();
  // Recomputes the fast-mode flag; with repaintChildren every child is told
  // SKC_CTRLSKINSTATE with lParam 1.
  void UpdateCtrlState(bool repaintChildren);
  // False without a section, manager, valid index, or while the manager or
  // the owner is being destroyed; with checkActive also the skin's Active.
  bool Skinned(bool checkActive = false) const;
  // Finishes binding once the owner is loaded (section, adapter, colours).
  void Loaded();
  // Edit-like kinds take their colour and font colour from the section.
  void ApplySkinColors(bool repaint);

  // The loaded skin and this object's section in it (nullptr when none).
  TSkinContent* Skin() const;
  const TsGeneralData* Section() const;
  // The section's background values in a state (hot for state > 0 when
  // the section has more than one state).
  TsStateLook StateLook(int state) const;

  // ----- painting state
  void Invalidate();
  void BeginUpdate();
  void EndUpdate(bool repaint);
  // Painting is suspended: the own flag, or (in cached mode) the parent's.
  bool Updating() const;
  void SetUpdating(bool value) { FUpdating = value; }
  // The cached look no longer matches the section or what lies behind:
  // the next paint builds it again.
  void MarkBGChanged() { BGChanged = true; }
  // The cache was just built and shows the current look.
  void MarkBGCurrent() { BGChanged = false; }
  bool RepaintIfMoved() const;
  // Store the flag and re-apply the skin's colours / repaint.
  void SetCustomColor(bool value);
  void SetCustomFont(bool value);
  bool IsHot() const;
  // Painted through the cache: a form animation runs, the section needs a
  // background of its own (not fast mode), or the control is hot.
  bool CachedMode() const;
  bool FastMode() const { return (CtrlSkinState & ACS_FAST) != 0; }

  // ----- cache
  // Creates the cache when missing and gives it the owner's size.
  void CheckCacheSize();
  // The cache's pixels, or nullptr when there is no cache bitmap.
  TBitmap32* CachePixels() const { return FCacheBmp ? &FCacheBmp->Pixels() : nullptr; }
  HDC CacheDC() const { return FCacheBmp ? FCacheBmp->DC() : nullptr; }
  // The largest of the border image's widths; 0 without a border image or
  // when it is drawn without borders (draw mode bit 2).
  int32_t MaxBorderWidth() const;

  // ----- background answers
  // The colour of the owner's background as its children see it.
  TColor GetBGColor(int state = 0, HWND wnd = nullptr) const;
  // The answer to SKC_GETBG.
  void FillParentBG(TacParentBG& info, int state = 0, HWND wnd = nullptr);
  // What lies behind the owner, asked from its parent.
  TCacheInfo GetParentCacheInfo() const;

  // ----- glow (the window itself belongs to the form skinning)
  void UpdateGlow(bool hideOnly, HWND wnd = nullptr);
  void RemoveGlow();
  // Installed by the code that makes glow windows: shows a glow for the
  // skin data (returning its id) or, with show false, removes glow `id`.
  using TGlowHandler = int32_t (*)(TsCommonData& data, bool show, int32_t id, HWND wnd);
  static void SetGlowHandler(TGlowHandler handler);

  // ----- window region
  // Takes a region the skin data keeps for the owner's window.
  void SetRegion(HRGN region);
  HRGN Region() const { return FRegion.get(); }
  // Hands the kept region to the window (SetWindowRgn); the system owns it
  // from then on, so it is not freed here.
  bool GiveRegionToWindow(HWND wnd, bool redraw);

  // ----- messages
  // The common answers to the skin command message; true when handled.
  bool HandleSkinCommand(TMessage& m);
  // The common handling of framework and window messages; true when the
  // message is fully handled and must not go on to the framework.
  bool HandleFrameworkMessage(TMessage& m);

  // The section whose font colour a label inside `control` uses: the
  // parent's when it gives its own font, one level up past a parent more
  // than 50 % transparent; else def.
  static int32_t FindFontSourceSection(TControl* control, int32_t def, TsSkinManager* manager);

  // ----- fields
  // The control's colour / font colour is its own, not the section's.
  bool CustomColor = false;
  bool CustomFont = false;
  // Hue rotation and saturation change of this control's image (published
  // by TsCtrlSkinData).
  int32_t HUEOffset = 0;
  int32_t Saturation = 0;
  int32_t GlowID = -1;
  bool FUpdating = false;
  int32_t BorderIndex = -1;
  int32_t SkinIndex = -1;
  int32_t Texture = -1, HotTexture = -1;
  bool UrgentPainting = false;
  bool BGChanged = true;
  bool HalfVisible = true;
  TControl* FOwnerControl = nullptr;
  TComponent* FOwnerObject = nullptr;
  std::unique_ptr<TDibBitmap> FCacheBmp;
  const int COC;
  bool FFocused = false;
  bool FMouseAbove = false;
  uint16_t CtrlSkinState = 0;
  uint16_t BGType = 0;
  HDC PrintDC = nullptr;
  RECT InvalidRectH{}, InvalidRectV{};

 private:
  // The owner's colour: the control's, or a form provider's form's.
  TColor OwnerColor() const;
  // The form a form provider belongs to.
  TControl* OwnerForm() const;
  bool OwnerInPlace() const;
  void Repaint();
  void OnRemoveSkin(TsSkinManager* manager);

  std::string FSkinSection;
  std::string className_;
  TsSkinManager* FSkinManager = nullptr;
  UniqueRegion FRegion;
};

class TsCtrlSkinData : public TsCommonData {
 public:
  using TsCommonData::TsCommonData;
  void SetHUEOffset(int32_t value);
  void SetSaturation(int32_t value);
};

}  // namespace glyphora
