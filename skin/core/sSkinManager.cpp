// The manager's life, its properties and its broadcasts to the forms. Its
// other jobs live in the skin_manager_*.cpp files beside this one.
#include "skin/core/sSkinManager.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/messages.h"
#include "framework/strings.h"
#include "imaging/wic_decoder.h"
#include "skin/core/manager_rules.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_manager_internal.h"
#include "skin/core/window_creation_hook.h"

namespace glyphora {

namespace {
TsSkinManager* g_defaultManager = nullptr;
bool g_newSkinBroadcast = false;
std::string g_sectionToUpdate;

}  // namespace

std::vector<std::wstring> DefaultThirdList(int index) {
  if (index == ThirdButtons) return {L"TButton"};
  return {L" "};
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
  DialogSkinning.reset();
  SkinableMenus.reset();
  if (g_defaultManager == this) g_defaultManager = nullptr;
}

TsSkinManager* TsSkinManager::DefaultManager() { return g_defaultManager; }
bool TsSkinManager::NewSkinBroadcast() { return g_newSkinBroadcast; }
void TsSkinManager::SetNewSkinBroadcast(bool value) { g_newSkinBroadcast = value; }
const std::string& TsSkinManager::SectionToUpdate() const { return g_sectionToUpdate; }

namespace {
struct TNotice {
  std::wstring Text;
  UINT Icon;
};
int g_noticesHeld = 0;
std::vector<TNotice> g_heldNotices;
UINT_PTR g_noticeTimer = 0;

void ShowNotice(const TNotice& n) {
  if (n.Icon == MB_ICONERROR && Application()->OnException) {
    Application()->OnException(std::runtime_error(Narrow(n.Text)));
    return;
  }
  ModalScope modal;
  ::MessageBoxW(Application()->Handle(), n.Text.c_str(), Application()->Title().c_str(), MB_OK | n.Icon);
}

// A thread timer fires from the message loop, so after the call that held
// the messages back has returned to its sender.
void CALLBACK ShowHeldNotices(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (id == g_noticeTimer) g_noticeTimer = 0;
  std::vector<TNotice> notices;
  notices.swap(g_heldNotices);
  for (const TNotice& n : notices) ShowNotice(n);
}

void Notify(const std::wstring& text, UINT icon) {
  if (g_noticesHeld > 0) {
    g_heldNotices.push_back({text, icon});
    return;
  }
  ShowNotice({text, icon});
}
}  // namespace

namespace skin_manager_detail {
THeldNotices::THeldNotices() { ++g_noticesHeld; }
THeldNotices::~THeldNotices() {
  if (--g_noticesHeld > 0 || g_heldNotices.empty() || g_noticeTimer) return;
  g_noticeTimer = ::SetTimer(nullptr, 0, 0, &ShowHeldNotices);
  if (!g_noticeTimer) g_heldNotices.clear();  // no timer, no box: never one inside the sender's call
}
}  // namespace skin_manager_detail

void TsSkinManager::ShowError(const std::wstring& text) { Notify(text, MB_ICONERROR); }

void TsSkinManager::ShowInformation(const std::wstring& text) { Notify(text, MB_ICONINFORMATION); }

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

bool TsSkinManager::ExtendedBorders() const { return extendedBorders_ && LayeredWindowsAvailable(); }

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
  CheckShadows();
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
  if (Loading()) return;
  RepaintForms(true);
  // The manager's parts (the dialogs among them) make or drop their borders.
  NotifyPartsSkinChanged();
}

// ------------------------------------------------------------- broadcasts

void TsSkinManager::UpdateSkin(bool repaint) {
  if (!active_ || !skinActive_) return;
  content_->SkinData.Active = true;
  NotifyPartsSkinChanged();
  g_newSkinBroadcast = true;
  BroadcastToForms(SM_ALPHACMD, SkinCommandWParam(SKC_SETNEWSKIN), reinterpret_cast<LPARAM>(this));
  g_newSkinBroadcast = false;
  // Forms that took a picture of their old look fade from it to the new one.
  if (SkinChangeAnimator().PlayFades) SkinChangeAnimator().PlayFades(this);
  if (repaint) {
    for (TCustomForm* f : Application()->Forms())
      if (f->HandleAllocated())
        ::RedrawWindow(f->WindowHandle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  if (IsDefault()) InstallHook();
}

void TsSkinManager::EndUpdate(bool repaint, bool allowAnimation) {
  nonAutoUpdate_ = false;
  const bool animate = AnimEffects.SkinChanging.Active;
  if (!allowAnimation) AnimEffects.SkinChanging.Active = false;
  UpdateSkin(repaint);
  AnimEffects.SkinChanging.Active = animate;
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

}  // namespace glyphora
