// The manager's effects: the extended border's shadow templates, the
// platform's layered windows and desktop composition, the glowing switch,
// and the seam through which the form skinning animates a skin change.
#include <windows.h>

#include "framework/application.h"
#include "imaging/image_decoder.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/shadow_templates.h"

namespace glyphora {

namespace {
bool g_glowingOff = false;
TSkinChangeAnimator g_animator;

// The program's built-in shadow pictures, decoded on first use (a skin with
// its own EXBORDER image never needs them).
struct TBuiltInShadows {
  TBitmap32 Active, Inactive;
  TBuiltInShadows() {
    TImageDecoder* decoder = DefaultImageDecoder();
    if (!decoder) return;
    auto load = [&](const wchar_t* name, TBitmap32& out) {
      const std::vector<uint8_t> bytes = ResourceData(name, reinterpret_cast<LPCWSTR>(RT_RCDATA));
      if (bytes.empty()) return;
      try {
        out = decoder->Decode(bytes);
      } catch (const std::exception&) {
        out = TBitmap32();  // a damaged picture gives no shadow
      }
    };
    load(L"ACSHDA", Active);
    load(L"ACSHDI", Inactive);
  }
};
const TBuiltInShadows& BuiltInShadows() {
  static const TBuiltInShadows shadows;
  return shadows;
}
}  // namespace

bool DesktopCompositionEnabled() {
  using TIsEnabled = HRESULT(WINAPI*)(BOOL*);
  static const TIsEnabled isEnabled = [] {
    HMODULE dwm = ::LoadLibraryW(L"dwmapi.dll");
    return dwm ? reinterpret_cast<TIsEnabled>(reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmIsCompositionEnabled")))
               : nullptr;
  }();
  BOOL on = FALSE;
  return isEnabled && SUCCEEDED(isEnabled(&on)) && on;
}

bool LayeredWindowsAvailable() {
  static const bool available =
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "UpdateLayeredWindow") != nullptr;
  return available;
}

void SetGlowingSwitchedOff(bool off) { g_glowingOff = off; }

bool TsSkinManager::AllowGlowing() const { return Effects.AllowGlowing && LayeredWindowsAvailable() && !g_glowingOff; }

void SetSkinChangeAnimator(const TSkinChangeAnimator& animator) { g_animator = animator; }
const TSkinChangeAnimator& SkinChangeAnimator() { return g_animator; }

void TsSkinManager::CheckShadows() {
  const bool on = skinActive_ && ExtendedBorders();
  const TBitmap32* active = nullptr;
  const TBitmap32* inactive = nullptr;
  if (on && !content_->IsValidImgIndex(content_->ConstData.ExBorder)) {
    active = &BuiltInShadows().Active;
    inactive = &BuiltInShadows().Inactive;
  }
  TShadowTemplates t = MakeShadowTemplates(*content_, on, active, inactive, DesktopCompositionEnabled());
  ShdaTemplate = std::move(t.Active);
  ShdiTemplate = std::move(t.Inactive);
  ShadowMargins = t.Margins;
  FormShadowSize = t.ShadowSize;
  ShadowsFromSkin = t.FromSkin;
}

}  // namespace glyphora
