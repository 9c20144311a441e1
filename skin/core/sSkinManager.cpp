#include "skin/core/sSkinManager.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <filesystem>
#include <optional>
#include <random>
#include <string_view>

#include "framework/application.h"
#include "framework/control.h"
#include "framework/forms.h"
#include "framework/messages.h"
#include "framework/strings.h"
#include "skin/core/skin_commands.h"
#include "imaging/wic_decoder.h"
#include "skin/core/manager_rules.h"
#include "skin/core/options_reader.h"

namespace glyphora {

namespace {
TsSkinManager* g_defaultManager = nullptr;
bool g_skinLoading = false;
bool g_newSkinBroadcast = false;
bool g_livePreview = false;
std::string g_sectionToUpdate;

// Texts that another program sends (the live-preview record) are 8-bit text
// in the system's ANSI code page; so are the file names of an options text.
std::wstring FromAnsi(const std::string& s) { return Widen(s, CP_ACP); }
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

bool FileExists(const std::wstring& path) {
  DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
  DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsNoColor(TColor c) { return c == clMinusOne || c == clNoneMarker; }

// The id of the manager's subclass of the application window.
constexpr UINT_PTR kAppWindowSubclassId = 1;

LRESULT CALLBACK SkinCbtProc(int code, WPARAM wParam, LPARAM lParam) {
  // Dialogs, message boxes and popup-menu windows are caught here as they
  // are created; the form skinning attaches to them.
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

namespace {
bool g_versionShown = false;
bool g_testSwitch = false;

std::wstring Lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(towlower(c));
  return s;
}
}  // namespace

void SkinEngineStartup(const std::vector<std::wstring>& args) {
  bool showVersion = false;
  for (size_t i = 1; i < args.size(); ++i) {
    std::wstring a = Lower(args[i]);
    if (a == L"/acver") showVersion = true;
    if (a == L"/actest") g_testSwitch = true;
  }
  if (showVersion && !g_versionShown) {
    g_versionShown = true;
    // No skin exists yet: a plain message box.
    ::MessageBoxW(nullptr, (L"Skinning engine version " + TsSkinManager::Version()).c_str(),
                  Application()->Title().c_str(), MB_OK | MB_ICONINFORMATION);
  }
}

bool OldSkinReportRequested() { return g_testSwitch; }

std::vector<std::wstring> DefaultThirdList(int index) {
  if (index == ThirdButtons) return {L"TButton"};
  return {L" "};
}

namespace {
// The record's fields: the tag, then three zero-terminated texts.
struct TRecordField {
  size_t offset, size;
};
constexpr TRecordField kPreviewTag{0, 4}, kPreviewName{4, 128}, kPreviewDirectory{132, 513},
    kPreviewOptions{645, 30001};
static_assert(kPreviewOptions.offset + kPreviewOptions.size == kLivePreviewSize);
}  // namespace

std::optional<TacLivePreview> ParseLivePreview(const void* data, size_t size) {
  // The record is read only when it is complete and every text ends inside
  // its own field: another process's bytes are not trusted further.
  if (!data || size < kLivePreviewSize) return std::nullopt;
  auto* bytes = static_cast<const char*>(data);
  uint32_t tag;
  std::memcpy(&tag, bytes + kPreviewTag.offset, kPreviewTag.size);
  if (tag != kLivePreviewTag) return std::nullopt;
  auto text = [&](TRecordField f) -> std::optional<std::string> {
    const char* begin = bytes + f.offset;
    const void* nul = std::memchr(begin, 0, f.size);
    if (!nul) return std::nullopt;
    return std::string(begin, static_cast<const char*>(nul));
  };
  auto name = text(kPreviewName), dir = text(kPreviewDirectory), options = text(kPreviewOptions);
  if (!name || !dir || !options) return std::nullopt;
  return TacLivePreview{*name, *dir, *options};
}

namespace {
// The platform's image codecs serve every skin load of the process.
void InstallSkinServices() {
  static bool done = false;
  if (done) return;
  done = true;
  InstallWicDecoder();
}
}  // namespace

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner), content_(std::make_unique<TSkinContent>()) {
  InstallSkinServices();
  if (!g_defaultManager) {
    g_defaultManager = this;
    HookApplicationWindow();
  }
  MenuSupport.ExtraLineFont.SetName(L"Tahoma");
  ApplyThirdPartyDefaults();
}

TsSkinManager::~TsSkinManager() {
  // Controls bound to this manager forget it when they hear of its removal
  // while it counts as destroying; they hear of it whether a skin is in
  // force or not.
  MarkDestroying();
  RemoveSkin();
  UnInstallHook();
  UnhookApplicationWindow();
  if (g_defaultManager == this) g_defaultManager = nullptr;
}

void TsSkinManager::HookApplicationWindow() {
  HWND app = Application()->Handle();
  if (!app || appHooked_) return;
  if (::SetWindowSubclass(app, &AppWindowProc, kAppWindowSubclassId, reinterpret_cast<DWORD_PTR>(this))) appHooked_ = app;
}

void TsSkinManager::UnhookApplicationWindow() {
  if (appHooked_ && ::IsWindow(appHooked_)) ::RemoveWindowSubclass(appHooked_, &AppWindowProc, kAppWindowSubclassId);
  appHooked_ = nullptr;
}

LRESULT CALLBACK TsSkinManager::AppWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self) {
  auto* m = reinterpret_cast<TsSkinManager*>(self);
  if (m->skinActive_) {
    switch (msg) {
      case WM_SYSCOMMAND:
        // Window animations for these commands come with the form skinning.
        switch (wParam & 0xFFF0) {
          case SC_MINIMIZE: m->showState_ = TShowAction::saMinimize; break;
          case SC_RESTORE: m->showState_ = TShowAction::saRestore; break;
          default: m->showState_ = TShowAction::saIgnore;
        }
        break;
      case WM_THEMECHANGED:
        return 0;
      case CM_BASE:
        BroadcastToForms(SM_ALPHACMD, SkinCommandWParam(SKC_REPAINT), 0);
        return 0;
    }
  }
  return ::DefSubclassProc(wnd, msg, wParam, lParam);
}

TsSkinManager* TsSkinManager::DefaultManager() { return g_defaultManager; }
bool TsSkinManager::SkinLoading() { return g_skinLoading; }
bool TsSkinManager::NewSkinBroadcast() { return g_newSkinBroadcast; }
void TsSkinManager::SetNewSkinBroadcast(bool value) { g_newSkinBroadcast = value; }
const std::string& TsSkinManager::SectionToUpdate() const { return g_sectionToUpdate; }

void TsSkinManager::ShowError(const std::wstring& text) {
  if (Application()->OnException) {
    Application()->OnException(std::runtime_error(Narrow(text)));
    return;
  }
  Application()->ModalStarted();
  ::MessageBoxW(Application()->Handle(), text.c_str(), Application()->Title().c_str(), MB_OK | MB_ICONERROR);
  Application()->ModalFinished();
}

void TsSkinManager::ApplyThirdPartyDefaults() {
  for (int i = 0; i < ThirdListCount; ++i) {
    if (ThirdParty[static_cast<size_t>(i)].empty()) ThirdParty[static_cast<size_t>(i)] = DefaultThirdList(i);
    ThirdLists[static_cast<size_t>(i)] = ThirdParty[static_cast<size_t>(i)];
  }
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (skinDirectory_.empty()) skinDirectory_ = L"c:\\Skins";
  if (MenuSupport.IcoLineSkin.empty()) MenuSupport.IcoLineSkin = "ICOLINE";
  ApplyThirdPartyDefaults();
  if (active_ && !skinName_.empty() && skinActive_) UpdateSkin(false);
}

// ------------------------------------------------------------- properties

bool TsSkinManager::ExtendedBorders() const {
  static const bool layered = ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "UpdateLayeredWindow") != nullptr;
  return extendedBorders_ && layered;
}

std::wstring TsSkinManager::SkinInfo() const {
  if (!skinActive_) return L"N/A";
  wchar_t buf[32];
  swprintf(buf, 32, L"%g", content_->SkinData.Version);
  std::wstring s = buf;
  if (s.find(L'.') == std::wstring::npos) s += L".0";
  return s;
}

void TsSkinManager::SetSkinDirectory(const std::wstring& dir) {
  if (dir == skinDirectory_) return;
  skinDirectory_ = dir;
  content_->SkinData.SkinPath = GetFullSkinDirectory();
}

std::wstring TsSkinManager::GetFullSkinDirectory() const {
  return FullSkinDirectory(skinDirectory_, ExecutableFolder());
}

std::wstring TsSkinManager::PackedFileName() const {
  std::wstring dir = GetFullSkinDirectory();
  return dir.empty() || !IsPlainSkinName(skinName_) ? std::wstring() : dir + skinName_ + L".asz";
}

void TsSkinManager::SetActive(bool value) {
  if (value) {
    active_ = true;
    SetSkinName(skinName_);
  } else {
    active_ = false;
    if (!Loading() && skinActive_) RemoveSkin();
  }
  if (skinActive_) content_->InitConstantIndexes();
}

void TsSkinManager::SetHueOffset(int32_t value) {
  if (value == hueOffset_) return;
  hueOffset_ = value;
  if (!skinActive_) return;
  Reload();
  if (!Loading() && !nonAutoUpdate_) RepaintForms(true);
}

void TsSkinManager::SetSaturation(int32_t value) {
  if (value == saturation_) return;
  saturation_ = value;
  if (!skinActive_) return;
  Reload();
  if (!Loading() && !nonAutoUpdate_) RepaintForms(true);
}

void TsSkinManager::SetExtendedBorders(bool value) {
  if (value == extendedBorders_) return;
  extendedBorders_ = value;
  if (!skinActive_) return;
  Reload();
  if (!Loading()) RepaintForms(true);
}

// --------------------------------------------------------------- loading

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
  ChangeSkin(oldName);
  if (OnAfterChange) OnAfterChange(this);
}

void TsSkinManager::ChangeSkin(const std::wstring& oldName) {
  content_->SkinData.Active = false;
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
  if (error) ShowError(*error); else ReportSkinVersion();
  if (!skinActive_) {
    RemoveSkin();
  } else if (!nonAutoUpdate_ && !Loading()) {
    UpdateSkin(true);
  }
}

void TsSkinManager::ReportSkinVersion() const {
  if (!skinActive_) return;
  TSkinVersionCheck check = CheckSkinVersion(content_->SkinData.Version);
  // Old skins are reported only when asked for on the command line.
  if (check == TSkinVersionCheck::Ok || (check == TSkinVersionCheck::Older && !OldSkinReportRequested())) return;
  std::wstring text = Widen(SkinVersionMessage(check, Narrow(skinName_)));
  ::MessageBoxW(Application()->Handle(), text.c_str(), Application()->Title().c_str(), MB_OK | MB_ICONINFORMATION);
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
}

void TsSkinManager::ReloadPackedSkin() {
  if (!active_) return;
  TSkinLoadingScope loading;
  // A packed skin's loose files lie beside it in the skin directory.
  if (!content_->LoadFromPackageFile(std::filesystem::path(PackedFileName()), LoadOptions(GetFullSkinDirectory())))
    throw std::runtime_error("Skin file " + Narrow(PackedFileName()) + " not found");
  skinActive_ = true;
}

void TsSkinManager::RemoveSkin() {
  removing_ = true;
  UnInstallHook();
  content_->SkinData.Active = false;
  skinActive_ = false;
  BroadcastToForms(SM_ALPHACMD, SkinCommandWParam(SKC_REMOVESKIN), reinterpret_cast<LPARAM>(this));
  content_->Clear();
  removing_ = false;
}

// ------------------------------------------------------------- broadcasts

void TsSkinManager::UpdateSkin(bool repaint) {
  if (!active_ || !skinActive_) return;
  content_->SkinData.Active = true;
  g_newSkinBroadcast = true;
  BroadcastToForms(SM_ALPHACMD, SkinCommandWParam(SKC_SETNEWSKIN), reinterpret_cast<LPARAM>(this));
  g_newSkinBroadcast = false;
  if (repaint) {
    for (TCustomForm* f : Application()->Forms())
      if (f->HandleAllocated())
        ::RedrawWindow(f->WindowHandle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  if (IsDefault()) InstallHook();
}

void TsSkinManager::EndUpdate(bool repaint, bool) {
  // Skin-change animations are not played here, so AllowAnimation has
  // nothing to switch off.
  nonAutoUpdate_ = false;
  UpdateSkin(repaint);
}

void TsSkinManager::RepaintForms(bool) {
  BroadcastToForms(SM_ALPHACMD, SkinCommandWParam(SKC_STOPFADING), reinterpret_cast<LPARAM>(this));
  BroadcastToForms(SM_ALPHACMD, SkinCommandWParam(SKC_REFRESH), reinterpret_cast<LPARAM>(this));
  for (TCustomForm* f : Application()->Forms())
    if (f->HandleAllocated())
      ::RedrawWindow(f->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TsSkinManager::UpdateSkinSection(const std::string& section) {
  g_sectionToUpdate = section;
  for (char& c : g_sectionToUpdate) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  BroadcastToForms(SM_ALPHACMD, SkinCommandWParam(SKC_UPDATESECTION), reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::ChangeActiveControl(HWND wnd) {
  if (wnd == activeControl_) return;
  HWND old = activeControl_;
  activeControl_ = wnd;
  if (old && ::IsWindow(old)) SendSkinCommand(old, SKC_MOUSELEAVE, reinterpret_cast<LPARAM>(this));
  if (wnd) SendSkinCommand(wnd, SKC_MOUSEENTER, reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::InstallHook() {
  if (hook_ || !IsDefault()) return;
  hook_.reset(::SetWindowsHookExW(WH_CBT, &SkinCbtProc, nullptr, ::GetCurrentThreadId()));
}

void TsSkinManager::UnInstallHook() { hook_.reset(); }

// --------------------------------------------------------------- listing

std::wstring TsSkinManager::GetSkinNames(std::vector<std::wstring>& list, TacSkinTypes type) const {
  list.clear();
  std::wstring first;
  for (const TsStoredSkin& s : InternalSkins) {
    if (first.empty()) first = s.Name;
    list.push_back(s.Name);
  }
  std::vector<std::wstring> external;
  std::wstring firstExternal = GetExternalSkinNames(external, type);
  if (first.empty()) first = firstExternal;
  list.insert(list.end(), external.begin(), external.end());
  std::stable_sort(list.begin(), list.end(),
                   [](const std::wstring& a, const std::wstring& b) { return CompareTextLocale(a, b) < 0; });
  return first;
}

std::wstring TsSkinManager::GetExternalSkinNames(std::vector<std::wstring>& list, TacSkinTypes type) const {
  list.clear();
  std::wstring dir = GetFullSkinDirectory();
  std::wstring first;
  if (dir.empty() || !DirectoryExists(dir)) return first;
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW((dir + L"*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return first;
  do {
    std::wstring name = fd.cFileName;
    if (name.empty() || name[0] == L'.') continue;
    std::wstring add;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (type != TacSkinTypes::stPacked && FileExists(dir + name + L"\\Options.dat")) add = name;
    } else if (type != TacSkinTypes::stUnpacked) {
      size_t dot = name.find_last_of(L'.');
      if (dot != std::wstring::npos && name.substr(dot) == L".asz") add = name.substr(0, name.find(L'.'));
    }
    if (add.empty()) continue;
    if (first.empty()) first = add;
    list.push_back(add);
  } while (::FindNextFileW(h, &fd));
  ::FindClose(h);
  std::stable_sort(list.begin(), list.end(),
                   [](const std::wstring& a, const std::wstring& b) { return CompareTextLocale(a, b) < 0; });
  return first;
}

std::wstring TsSkinManager::GetRandomSkin() const {
  std::vector<std::wstring> names;
  GetSkinNames(names);
  if (names.empty()) return {};
  std::mt19937 rng(static_cast<unsigned>(::GetTickCount()));
  return names[std::uniform_int_distribution<size_t>(0, names.size() - 1)(rng)];
}

void TsSkinManager::ExtractInternalSkin(const std::wstring& name, const std::wstring& destDir) {
  bool found = false;
  for (size_t i = 0; i < InternalSkins.size(); ++i) {
    if (InternalSkins[i].Name != name) continue;
    found = true;
    if (DirectoryExists(destDir)) ExtractByIndex(static_cast<int>(i), destDir);
    else ShowError(L"Directory does not exists.");
  }
  if (!found) ShowError(L"Skin does not exists.");
}

void TsSkinManager::ExtractByIndex(int index, const std::wstring& destDir) {
  if (index < 0 || index >= static_cast<int>(InternalSkins.size())) return;
  std::wstring dir = NormalizeDirectory(destDir);
  if (!DirectoryExists(dir) && !::CreateDirectoryW(dir.c_str(), nullptr)) {
    ShowError(L"Directory " + dir + L" creation error.");
    return;
  }
  const TsStoredSkin& skin = InternalSkins[static_cast<size_t>(index)];
  if (skin.PackedData.empty() || !IsPlainSkinName(skin.Name)) return;
  std::wstring file = dir + skin.Name + L" extracted.asz";
  HANDLE f = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    ShowError(L"Unable to write to " + file);
    return;
  }
  DWORD written = 0;
  BOOL ok = ::WriteFile(f, skin.PackedData.data(), static_cast<DWORD>(skin.PackedData.size()), &written, nullptr);
  ::CloseHandle(f);
  if (!ok || written != skin.PackedData.size()) ShowError(L"Unable to write to " + file);
}

// ---------------------------------------------------------------- colours

TColor TsSkinManager::GetGlobalColor() const {
  int i = skinActive_ ? content_->ConstData.IndexGLobalInfo : -1;
  return content_->IsValidSkinIndex(i) ? content_->gd[static_cast<size_t>(i)].Color : ColorToRGB(clBtnFace);
}

TColor TsSkinManager::GetGlobalFontColor() const {
  int i = skinActive_ ? content_->ConstData.IndexGLobalInfo : -1;
  return content_->IsValidSkinIndex(i) ? content_->gd[static_cast<size_t>(i)].FontColor.Color : clNoneMarker;
}

TColor TsSkinManager::GetActiveEditColor() const {
  int i = skinActive_ ? content_->ConstData.IndexGLobalInfo : -1;
  return content_->IsValidSkinIndex(i) ? content_->gd[static_cast<size_t>(i)].HotColor : ColorToRGB(clWindow);
}

TColor TsSkinManager::GetActiveEditFontColor() const {
  int i = skinActive_ ? content_->GetSkinIndex("EDIT") : -1;
  return i >= 0 ? content_->gd[static_cast<size_t>(i)].FontColor.Color : ColorToRGB(clWindowText);
}

TColor TsSkinManager::GetHighLightColor(bool focused) const {
  TColor c = clNoneMarker;
  int sel = skinActive_ ? content_->GetSkinIndex("SELECTION") : -1;
  if (sel >= 0) {
    const TsGeneralData& g = content_->gd[static_cast<size_t>(sel)];
    c = focused && g.States > 1 ? g.HotColor : g.Color;
  }
  if (sel < 0 || IsNoColor(c)) {
    int mi = skinActive_ ? content_->GetSkinIndex("MENUITEM") : -1;
    c = mi >= 0 ? content_->gd[static_cast<size_t>(mi)].HotColor : clNoneMarker;
    if (mi < 0 || IsNoColor(c) || c == clWhite) c = clHighlight;
  }
  return ColorToRGB(c);
}

TColor TsSkinManager::GetHighLightFontColor(bool focused) const {
  int sel = skinActive_ ? content_->GetSkinIndex("SELECTION") : -1;
  if (sel >= 0) {
    const TsGeneralData& g = content_->gd[static_cast<size_t>(sel)];
    TColor c = focused && g.States > 1 ? g.HotFontColor.Color : g.FontColor.Color;
    if (!IsNoColor(c)) return c;
  }
  int mi = skinActive_ ? content_->GetSkinIndex("MENUITEM") : -1;
  if (mi >= 0) {
    TColor c = content_->gd[static_cast<size_t>(mi)].HotFontColor.Color;
    if (!IsNoColor(c)) return c;
  }
  return ColorToRGB(clHighlightText);
}

TColor TsSkinManager::SectionBGColor(int32_t skinIndex, TControl* owner) const {
  if (!content_->IsValidSkinIndex(skinIndex)) return owner ? ColorToRGB(owner->Color()) : clNoneMarker;
  const TsGeneralData& g = content_->gd[static_cast<size_t>(skinIndex)];
  if (g.Transparency <= 0) return g.Color;
  TColor parent = owner ? ColorToRGB(owner->Color()) : clNoneMarker;
  if (owner && owner->Parent()) {
    TColor p = GetControlBGColor(owner->Parent());
    parent = p == clNoneMarker ? ColorToRGB(owner->Parent()->Color()) : p;
  }
  if (g.Transparency >= 100) return parent;
  return MixTransparentColor(parent, g.Color, g.Transparency);
}

// ----------------------------------------------------------- live preview

LRESULT TsSkinManager::HandleCopyData(WPARAM wParam, const COPYDATASTRUCT* data) {
  if (wParam != kLivePreviewWParam || !data) return 0;
  auto record = ParseLivePreview(data->lpData, data->cbData);
  if (!record) return 0;
  std::wstring name = FromAnsi(record->SkinName);
  if (!IsPlainSkinName(name)) return 0;
  g_livePreview = true;
  BeginUpdate();
  livePreviewOptions_ = record->Options;
  hasLivePreviewOptions_ = true;
  SetSkinDirectory(FromAnsi(record->SkinDirectory));
  SetSkinName(name);
  EndUpdate(true, false);
  livePreviewOptions_.clear();
  hasLivePreviewOptions_ = false;
  return 1;
}

}  // namespace glyphora
