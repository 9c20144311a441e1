// Loading a skin: from a folder, a packed file, a live-preview record or the
// skins built into the program, and removing it again.
#include "skin/core/sSkinManager.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "framework/application.h"
#include "framework/messages.h"
#include "framework/strings.h"
#include "skin/core/manager_rules.h"
#include "skin/core/options_reader.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_manager_internal.h"

namespace glyphora {

using namespace skin_manager_detail;

namespace {
bool g_skinLoading = false;

std::filesystem::path AnsiFileName(std::string_view name) { return FromAnsi(std::string(name)); }

// Raises the process-wide skin-loading flag for the length of a call and puts
// back what it was when the call ends, also when an exception passes.
class TSkinLoadingScope {
 public:
  TSkinLoadingScope() : previous_(g_skinLoading) { g_skinLoading = true; }
  ~TSkinLoadingScope() { g_skinLoading = previous_; }
  TSkinLoadingScope(const TSkinLoadingScope&) = delete;
  TSkinLoadingScope& operator=(const TSkinLoadingScope&) = delete;

 private:
  bool previous_;
};
}  // namespace

bool TsSkinManager::SkinLoading() { return g_skinLoading; }

TSkinLoadOptions TsSkinManager::LoadOptions(const std::wstring& skinPath) const {
  TSkinLoadOptions o;
  o.HueOffset = hueOffset_;
  o.Saturation = saturation_;
  o.ColorOps = SkinColorOps();
  o.CommonSections = CommonSections;
  o.SkinPath = skinPath;
  o.FileNameToPath = &AnsiFileName;
  return o;
}

void TsSkinManager::SetSkinName(const std::wstring& name) {
  const std::wstring oldName = skinName_;
  skinName_ = name;
  if (!active_) return;
  if (OnBeforeChange) OnBeforeChange(this);
  // The shown forms keep a picture of their old look to fade from.
  if (ExtendedBorders() && !nonAutoUpdate_ && AnimEffects.SkinChanging.Active && !Loading() && skinActive_ &&
      SkinChangeAnimator().TakePictures)
    SkinChangeAnimator().TakePictures(this);
  ChangeSkin(oldName);
  if (OnAfterChange) OnAfterChange(this);
}

void TsSkinManager::ChangeSkin(const std::wstring& oldName) {
  content_->SkinData.Active = false;
  // What was prepared from the old skin (open menus' backgrounds) goes now.
  NotifyPartsSkinChanged();
  // The error is shown once the loading flag is down again.
  std::optional<std::wstring> error;
  {
    TSkinLoadingScope loading;
    std::wstring packed = PackedFileName();
    bool isPacked = !packed.empty() && FileExists(packed);
    // After a live preview a folder of that name wins over a packed file.
    if (isPacked && g_livePreview && DirectoryExists(GetFullSkinDirectory() + skinName_)) isPacked = false;
    try {
      if (isPacked) ReloadPackedSkin(); else ReloadSkin();
    } catch (const std::exception& e) {
      skinName_ = oldName;
      error = Widen(e.what());
    }
  }
  if (!skinActive_) {
    RemoveSkin();
  } else if (!nonAutoUpdate_ && !Loading()) {
    UpdateSkin(true);
  }
  // Shown once the skin in force is back: the box gets the skin like any.
  if (error) ShowError(*error); else ReportSkinVersion();
}

void TsSkinManager::ReportSkinVersion() const {
  if (!skinActive_) return;
  TSkinVersionCheck check = CheckSkinVersion(content_->SkinData.Version);
  // Old skins are reported only when asked for on the command line.
  if (check == TSkinVersionCheck::Ok || (check == TSkinVersionCheck::Older && !OldSkinReportRequested())) return;
  ShowInformation(Widen(SkinVersionMessage(check, Narrow(skinName_))));
}

void TsSkinManager::Reload() {
  std::wstring packed = PackedFileName();
  try {
    if (!packed.empty() && FileExists(packed)) ReloadPackedSkin(); else ReloadSkin();
  } catch (const std::exception& e) {
    ShowError(Widen(e.what()));
  }
}

// Each load names the folder it reads from before reading anything, and the
// folder becomes SkinData.SkinPath only with a load that succeeds: a failed
// one leaves the previous skin and its folder.
void TsSkinManager::ReloadSkin() {
  if (!active_) return;
  TSkinLoadingScope loading;
  std::wstring full = GetFullSkinDirectory();
  bool plain = IsPlainSkinName(skinName_);
  std::wstring path = full + skinName_ + L"\\";
  std::wstring options = path + L"Options.dat";
  if (hasLivePreviewOptions_ && plain) {
    TSkinLoadOptions opts = LoadOptions(path);
    TFolderSource source(opts.SkinPath, opts.FileNameToPath);
    content_->Load(livePreviewOptions_, source, opts);
  } else if (plain && !full.empty() && FileExists(options)) {
    content_->LoadFromFolder(path, LoadOptions(path));
  } else {
    // An internal skin: the one of that name, else the first there is.
    auto it = std::find_if(InternalSkins.begin(), InternalSkins.end(),
                           [&](const TsStoredSkin& s) { return s.Name == skinName_; });
    if (it == InternalSkins.end()) {
      if (InternalSkins.empty()) {
        active_ = false;
        skinActive_ = false;
        return;
      }
      it = InternalSkins.begin();
      skinName_ = it->Name;
    }
    // An internal skin has no folder of its own.
    TSkinLoadOptions opts = LoadOptions(std::wstring());
    if (!it->PackedData.empty()) {
      content_->LoadFromPackage(it->PackedData, opts);
    } else {
      TEmptySource none;
      content_->Load(std::nullopt, none, opts);
      content_->SkinIsPacked = false;
    }
  }
  skinActive_ = true;
  CheckShadows();
}

void TsSkinManager::ReloadPackedSkin() {
  if (!active_) return;
  TSkinLoadingScope loading;
  // A packed skin's loose files lie beside it in the skin directory.
  if (!content_->LoadFromPackageFile(std::filesystem::path(PackedFileName()), LoadOptions(GetFullSkinDirectory())))
    throw std::runtime_error("Skin file " + Narrow(PackedFileName()) + " not found");
  skinActive_ = true;
  CheckShadows();
}

void TsSkinManager::RemoveSkin() {
  removing_ = true;
  UnInstallHook();
  content_->SkinData.Active = false;
  skinActive_ = false;
  BroadcastToForms(SM_ALPHACMD, SkinCommandWParam(SKC_REMOVESKIN), reinterpret_cast<LPARAM>(this));
  NotifyPartsSkinChanged();
  content_->Clear();
  CheckShadows();
  removing_ = false;
}

}  // namespace glyphora
