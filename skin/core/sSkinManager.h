// The skin manager: finds a skin by name (internal, packed file or folder),
// loads it, tells every skinned window about it, changes it at run time and
// answers colour questions about it.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/core/anim_effects.h"
#include "skin/core/skin_content.h"

namespace glyphora {

class TControl;
class TsSkinManager;

// A skin stored in the window definition: its package bytes and values.
struct TsStoredSkin {
  std::wstring Name;
  TColor Shadow1Color = 0;
  int32_t Shadow1Offset = 0;
  int32_t Shadow1Blur = -1;
  int32_t Shadow1Transparency = 0;
  TColor BorderColor = clNoneMarker;
  double Version = 0;
  std::wstring Author, Description;
  std::vector<uint8_t> PackedData;
};

// The 18 class-name lists that decide which standard controls are skinned.
enum TacThirdPartyIndex {
  ThirdEdits, ThirdButtons, ThirdBitBtns, ThirdCheckBoxes, ThirdComboBoxes, ThirdGrids, ThirdGroupBoxes,
  ThirdListViews, ThirdPanels, ThirdTreeViews, ThirdWWEdits, ThirdGridEh, ThirdVirtualTrees, ThirdPageControl,
  ThirdTabControl, ThirdToolBar, ThirdStatusBar, ThirdSpeedButton, ThirdListCount
};
using TThirdLists = std::array<std::vector<std::wstring>, ThirdListCount>;
// The built-in list of a category (one line each).
std::vector<std::wstring> DefaultThirdList(int index);

struct TacMenuSupport {
  std::string IcoLineSkin = "ICOLINE";
  bool UseExtraLine = false;
  int ExtraLineWidth = 32;
  TFont ExtraLineFont;
};

enum class TacSkinTypes { stUnpacked, stPacked, stAllSkins };
// The kinds of windows a manager skins (a set).
enum TacSkinningRule : uint8_t { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
// The last system command seen on the application window.
enum class TShowAction { saIgnore, saRestore, saMinimize, saMaximize };

// The live-preview record another process sends with WM_COPYDATA. Its
// wParam is this marker instead of the sender's window.
constexpr WPARAM kLivePreviewWParam = 7;
constexpr uint32_t kLivePreviewTag = 0xA400;
constexpr size_t kLivePreviewSize = 30646;
struct TacLivePreview {
  std::string SkinName, SkinDirectory, Options;
};
// Reads the record; nothing when it is short, untagged or a text in it is
// not terminated within its field.
std::optional<TacLivePreview> ParseLivePreview(const void* data, size_t size);

// The platform composes windows (desktop composition): asked through dwmapi,
// looked up at run time.
bool DesktopCompositionEnabled();
// UpdateLayeredWindow is there: per-pixel-alpha windows (the extended
// border, glows, animations) can be used.
bool LayeredWindowsAvailable();
// Glowing can be switched off for the whole process.
void SetGlowingSwitchedOff(bool off);

// The form skinning's part in a skin change, installed from above by the
// forms' effects: a picture of each shown form taken before the new skin
// loads, and the fade from it to the new look once the new skin has been
// broadcast.
struct TSkinChangeAnimator {
  void (*TakePictures)(TsSkinManager* manager) = nullptr;
  void (*PlayFades)(TsSkinManager* manager) = nullptr;
};
void SetSkinChangeAnimator(const TSkinChangeAnimator& animator);

// Once at start, before any form: notes the command-line switches and, for
// "/acver", shows the skinning engine's version (once per process).
void SkinEngineStartup(const std::vector<std::wstring>& args);
// "/actest" was given: old skins are reported when they load.
bool OldSkinReportRequested();

// Preview mode: with "/acpreview" first on the command line the program is
// a live preview for an external skin editor, whose top-level window has
// the caption kSkinEditorCaption. The main form announces itself to the
// editor once; the form the editor acknowledges takes its preview records.
extern const wchar_t kSkinEditorCaption[];
// The editor's message: the announcement (wParam 3, lParam the form), and
// what the editor asks a skinned form (wParam 1 close, 4 "are you there").
constexpr UINT kSkinEditorMessage = 0xA400;
// The announcement is still to be made (set by "/acpreview").
bool PreviewAnnouncementDue();
void SetPreviewAnnouncementDue(bool due);
// The form the editor acknowledged, or nullptr.
HWND PreviewForm();
void SetPreviewForm(HWND form);
// State that a layer above keeps for one manager (the menu skinning): owned
// and freed by the manager, told when the skin in force changes or goes.
class TsManagerPart {
 public:
  virtual ~TsManagerPart() = default;
  virtual void SkinChanged() {}
};

class TsSkinManager : public TComponent {
 public:
  explicit TsSkinManager(TComponent* owner);
  ~TsSkinManager() override;

  // The first manager created in the process (nullptr once it is gone).
  static TsSkinManager* DefaultManager();
  // True while a skin is being read, and while a new skin is being broadcast.
  static bool SkinLoading();
  static bool NewSkinBroadcast();
  void SetNewSkinBroadcast(bool value);

  bool Active() const { return active_; }
  void SetActive(bool value);
  const std::wstring& SkinName() const { return skinName_; }
  void SetSkinName(const std::wstring& name);
  const std::wstring& SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(const std::wstring& dir);
  int32_t HueOffset() const { return hueOffset_; }
  void SetHueOffset(int32_t value);
  int32_t Saturation() const { return saturation_; }
  void SetSaturation(int32_t value);
  // The stored value, and only where the platform has layered windows.
  bool ExtendedBorders() const;
  void SetExtendedBorders(bool value);
  bool SkinnedPopups = true;
  std::string CommonSections;
  TacSkinEffects Effects;
  TacAnimEffects AnimEffects;
  // Effects.AllowGlowing, where layered windows exist and glowing is not
  // switched off for the process.
  bool AllowGlowing() const;
  // The loaded skin's version ("7.0"), or "N/A" without a skin.
  std::wstring SkinInfo() const;
  static std::wstring Version() { return L"7.25"; }
  bool IsDefault() const { return DefaultManager() == this; }

  std::vector<TsStoredSkin> InternalSkins;
  TacMenuSupport MenuSupport;
  TThirdLists ThirdParty;  // as the window definition gives them
  TThirdLists ThirdLists;  // in force
  TNotifyEvent OnBeforeChange, OnAfterChange;

  void Loaded() override;
  void UpdateSkin(bool repaint);
  void BeginUpdate() { nonAutoUpdate_ = true; }
  void EndUpdate(bool repaint, bool allowAnimation);
  void RepaintForms(bool lockForms);
  void UpdateSkinSection(const std::string& section);
  const std::string& SectionToUpdate() const;

  // The loaded skin and its lookups.
  TSkinContent& Content() { return *content_; }
  int32_t GetSkinIndex(const std::string& section) const { return content_->GetSkinIndex(section); }
  int32_t GetMaskIndex(int32_t skinIndex, const std::string& section, const std::string& key) const {
    return content_->GetMaskIndex(skinIndex, section, key);
  }
  bool IsValidSkinIndex(int32_t i) const { return content_->IsValidSkinIndex(i); }
  bool IsValidImgIndex(int32_t i) const { return content_->IsValidImgIndex(i); }

  std::wstring GetFullSkinDirectory() const;
  // Fills `list` sorted; returns the first name found (before sorting).
  std::wstring GetSkinNames(std::vector<std::wstring>& list, TacSkinTypes type = TacSkinTypes::stAllSkins) const;
  std::wstring GetExternalSkinNames(std::vector<std::wstring>& list, TacSkinTypes type = TacSkinTypes::stAllSkins) const;
  std::wstring GetRandomSkin() const;
  void ExtractInternalSkin(const std::wstring& name, const std::wstring& destDir);
  void ExtractByIndex(int index, const std::wstring& destDir);

  TColor GetGlobalColor() const;
  TColor GetGlobalFontColor() const;
  TColor GetActiveEditColor() const;
  TColor GetActiveEditFontColor() const;
  TColor GetHighLightColor(bool focused) const;
  TColor GetHighLightFontColor(bool focused) const;
  // The background colour a section shows its children, mixed with the
  // parent's for partly transparent sections.
  TColor SectionBGColor(int32_t skinIndex, TControl* owner) const;

  void ChangeActiveControl(HWND wnd);
  HWND ActiveControl() const { return activeControl_; }
  void InstallHook();
  void UnInstallHook();
  bool HookInstalled() const { return static_cast<bool>(hook_); }
  TShowAction ShowState() const { return showState_; }
  bool AppWindowHooked() const { return appHooked_ != nullptr; }

  // The extended border's templates (active and inactive), their nine-slice
  // margins and the shadow margins around a form; empty and 0 without
  // extended borders. Rebuilt after every load (CheckShadows).
  TBitmap32 ShdaTemplate, ShdiTemplate;
  TRect32 ShadowMargins{};
  TRect32 FormShadowSize{};
  bool ShadowsFromSkin = false;  // the templates are the skin's EXBORDER image
  void CheckShadows();

  // The live preview: WM_COPYDATA with kLivePreviewWParam and the tagged record.
  LRESULT HandleCopyData(WPARAM wParam, const COPYDATASTRUCT* data);

  // The menu skinning's state for this manager (set by the form skinning).
  std::unique_ptr<TsManagerPart> SkinableMenus;
  // The skinning of dialogs and message boxes (set by the form skinning).
  std::unique_ptr<TsManagerPart> DialogSkinning;
  // Tells the parts above that the skin changed or went.
  void NotifyPartsSkinChanged() {
    if (SkinableMenus) SkinableMenus->SkinChanged();
    if (DialogSkinning) DialogSkinning->SkinChanged();
  }
  // True while the skin is being removed (not replaced by another).
  bool SkinRemoving() const { return removing_; }

  // Which windows are skinned: forms without a provider of their own
  // (srStdForms), platform dialogs and message boxes (srStdDialogs), and
  // standard controls named in the class lists (srThirdParty).
  uint8_t SkinningRules = srStdForms | srStdDialogs | srThirdParty;
  // Platform dialogs are skinned now: the rule is set and the manager active.
  bool SkinsStdDialogs() const { return (SkinningRules & srStdDialogs) && active_; }

  // Show a message box with an error (tests replace it through the
  // application's exception handler) or a piece of information. Held back
  // while the live preview of another program's record runs.
  static void ShowError(const std::wstring& text);
  static void ShowInformation(const std::wstring& text);

 private:
  void ChangeSkin(const std::wstring& oldName);
  void ReloadSkin();
  void ReloadPackedSkin();
  void Reload();
  void RemoveSkin();
  void ReportSkinVersion() const;
  void HookApplicationWindow();
  void UnhookApplicationWindow();
  static LRESULT CALLBACK AppWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);
  // The options of a load that reads its loose files from skinPath.
  TSkinLoadOptions LoadOptions(const std::wstring& skinPath) const;
  std::wstring PackedFileName() const;
  void ApplyThirdPartyDefaults();

  std::unique_ptr<TSkinContent> content_;
  bool active_ = true;
  bool skinActive_ = false;
  std::wstring skinName_, skinDirectory_ = L"c:\\Skins";
  int32_t hueOffset_ = 0, saturation_ = 0;
  bool extendedBorders_ = false;
  bool nonAutoUpdate_ = false;
  bool removing_ = false;
  HWND activeControl_ = nullptr;
  UniqueHook hook_;
  TShowAction showState_ = TShowAction::saIgnore;
  HWND appHooked_ = nullptr;
  std::string livePreviewOptions_;
  bool hasLivePreviewOptions_ = false;
};

}  // namespace glyphora
