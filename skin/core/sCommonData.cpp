#include "skin/core/sCommonData.h"

#include <algorithm>
#include <cctype>
#include <typeinfo>

#include "base/color_ops.h"
#include "framework/application.h"
#include "framework/control.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "skin/core/manager_rules.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"

namespace glyphora {

std::string DefaultSectionForKind(int coc) {
  if ((coc >= 2 && coc <= 8) || coc == 10 || coc == 41 || coc == 76 || coc == 78 || (coc >= 83 && coc <= 85) ||
      coc == 96 || coc == 131 || coc == 140 || coc == 227)
    return "EDIT";
  if ((coc >= 11 && coc <= 18) || coc == 81 || coc == 82) return "COMBOBOX";
  switch (coc) {
    case 19: return "BAR";
    case 20: return "BARTITLE";
    case 32: case 152: return "CHECKBOX";
    case 33: return "RADIOBUTTON";
    case 51: case 59: case 68: case 73: return "PANEL";
    case 52: case 58: return "PANEL_LOW";
    case 53: case 54: case 60: return "TOOLBAR";
    case 56: return "DRAGBAR";
    case 57: return "TABSHEET";
    case 74: case 226: return "GROUPBOX";
    case 75: return "SPLITTER";
    case COC_TsSpeedButton: case 95: return "SPEEDBUTTON";
    case COC_TsButton: case COC_TsBitBtn: return "BUTTON";
    case 98: return "TOOLBUTTON";
    case 141: case 143: return "PAGECONTROL";
    case 151: return "STATUSBAR";
    case 161: return "GAUGE";
    case 165: return "TRACKBAR";
  }
  return {};
}

bool IsEditLikeKind(int coc) {
  return (coc >= 2 && coc <= 18) || coc == 41 || (coc >= 76 && coc <= 84) || coc == 96 || (coc >= 131 && coc <= 140);
}

bool IsContainerKind(int coc) { return coc == 19 || (coc >= 51 && coc <= 74) || coc == 110 || (coc >= 141 && coc <= 161); }

bool IsNoGlowKind(int coc) {
  switch (coc) {
    case 51: case 52: case 54: case 56: case 57: case 58: case 59: case 60: case 68: case 73: case 74: case 110:
    case 141: case 143: case 151: case 161: case 226:
      return true;
  }
  return false;
}

namespace {

bool g_formAnimation = false;
TsCommonData::TGlowHandler gGlowHandler = nullptr;

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool IsFrameOrPanelOwner(TControl* c) {
  // Frames, panels, scrolling controls and page controls: the framework here
  // has panels (and forms, which a provider covers) of these.
  return dynamic_cast<TCustomPanel*>(c) != nullptr;
}


}  // namespace

bool FormAnimationRunning() { return g_formAnimation; }
void SetFormAnimationRunning(bool value) { g_formAnimation = value; }

void TsCommonData::SetGlowHandler(TGlowHandler handler) { gGlowHandler = handler; }

TsCommonData::TsCommonData(TComponent* owner, int coc, std::string className, bool createCacheBmp)
    : FOwnerControl(dynamic_cast<TControl*>(owner)), FOwnerObject(owner), COC(coc), className_(std::move(className)) {
  if (createCacheBmp) FCacheBmp = std::make_unique<TDibBitmap>();
}

TsCommonData::~TsCommonData() {
  SkinIndex = BorderIndex = Texture = HotTexture = -1;
  RemoveGlow();
  FOwnerControl = nullptr;
  FOwnerObject = nullptr;
  FSkinManager = nullptr;
  // FRegion and the cache go with their wrappers; a region handed to a
  // window was released from FRegion then.
}

// ------------------------------------------------------------- binding

void TsCommonData::SetSkinSection(const std::string& name) {
  std::string upper = Upper(name);
  if (upper.empty()) upper = "UNKNOWN";
  if (upper == FSkinSection) return;
  FSkinSection = upper;
  TsSkinManager* m = SkinManager();
  if (m && m->Active()) {
    UpdateIndexes();
  } else {
    SkinIndex = BorderIndex = Texture = HotTexture = -1;
    MarkBGChanged();
  }
  if (COC == COC_TsSkinProvider) {
    MarkBGChanged();
  } else if (OwnerInPlace()) {
    SendControlSkinCommand(FOwnerControl, SkinIndex >= 0 ? SKC_REFRESH : SKC_REMOVESKIN,
                           reinterpret_cast<LPARAM>(SkinManager()));
  }
}

TsSkinManager* TsCommonData::SkinManager() const {
  return FSkinManager ? FSkinManager : TsSkinManager::DefaultManager();
}

void TsCommonData::SetSkinManager(TsSkinManager* manager) {
  // The default manager is followed implicitly, whichever it is later.
  FSkinManager = manager == TsSkinManager::DefaultManager() ? nullptr : manager;
  if (FOwnerObject && FOwnerObject->Loading()) return;
  TsSkinManager* m = SkinManager();
  if (m && m->Active()) UpdateIndexes();
  else SkinIndex = BorderIndex = Texture = HotTexture = -1;
  if (FOwnerControl)
    SendControlSkinCommand(FOwnerControl, SkinIndex >= 0 ? SKC_REFRESH : SKC_REMOVESKIN,
                           reinterpret_cast<LPARAM>(m));
}

bool TsCommonData::OwnerInPlace() const {
  return FOwnerControl && !FOwnerControl->Loading() && !FOwnerControl->Destroying() && FOwnerControl->Parent();
}

void TsCommonData::EnsureSection() {
  if (FSkinSection.empty()) {
    std::string def = DefaultSectionForKind(COC);
    SetSkinSection(def.empty() ? className_ : def);
  } else {
    UpdateIndexes();
  }
}

TSkinContent* TsCommonData::Skin() const {
  TsSkinManager* m = SkinManager();
  return m ? &m->Content() : nullptr;
}

const TsGeneralData* TsCommonData::Section() const {
  TSkinContent* s = Skin();
  return (s && s->IsValidSkinIndex(SkinIndex)) ? &s->gd[size_t(SkinIndex)] : nullptr;
}

TsStateLook TsCommonData::StateLook(int state) const {
  const TsGeneralData* g = Section();
  if (!g) return {};
  if (state > 0 && g->States > 1)
    return {g->HotColor, g->HotTransparency, g->HotGradientPercent, g->HotImagePercent};
  return {g->Color, g->Transparency, g->GradientPercent, g->ImagePercent};
}

void TsCommonData::UpdateIndexes() {
  MarkBGChanged();
  TsSkinManager* m = SkinManager();
  SkinIndex = (m && m->Active() && !FSkinSection.empty()) ? m->GetSkinIndex(FSkinSection) : -1;
  BGType = 0;
  CtrlSkinState = 0;
  const TsGeneralData* g = Section();
  if (!g) {
    BorderIndex = Texture = HotTexture = -1;
    return;
  }
  if (g->ImagePercent != 0) BGType |= BGT_TEXTURE;
  if (g->GradientPercent != 0 && !g->GradientArray.get().empty()) {
    switch (g->GradientArray.get()[0].Mode1) {
      case 0: BGType |= BGT_GRADIENTVERT; break;
      case 1: BGType |= BGT_GRADIENTHORZ; break;
      case 2: BGType |= BGT_GRADIENTVERT | BGT_GRADIENTHORZ; break;
    }
  }
  BorderIndex = m->GetMaskIndex(SkinIndex, FSkinSection, "BORDERSMASK");
  Texture = m->Content().GetTextureIndex(SkinIndex, FSkinSection, "PATTERN");
  HotTexture = m->Content().GetTextureIndex(SkinIndex, FSkinSection, "HOTPATTERN");
  UpdateCtrlState(false);
}

void TsCommonData::UpdateCtrlState(bool repaintChildren) {
  CtrlSkinState &= static_cast<uint16_t>(~ACS_FAST);
  const TsGeneralData* g = Section();
  TControl* subject = COC == COC_TsSkinProvider ? OwnerForm() : FOwnerControl;
  const bool eligible = COC == COC_TsSkinProvider ? subject != nullptr : IsFrameOrPanelOwner(FOwnerControl);
  if (g && eligible) {
    bool needsOwnBg = false;
    TSkinContent* s = Skin();
    if (s->IsValidImgIndex(BorderIndex)) {
      const TsMaskData& mk = s->ma[size_t(BorderIndex)];
      needsOwnBg = mk.WL + mk.WR > 20 || mk.WT + mk.WB > 20;
    }
    if (g->Transparency != 0 && g->Transparency != 100) needsOwnBg = true;
    if (g->Transparency == 100) {
      TControl* parent = subject ? subject->Parent() : nullptr;
      if (!parent || !(SendControlSkinCommand(parent, SKC_CTRLSKINSTATE) & ACS_FAST)) needsOwnBg = true;
    }
    if (g->ImagePercent != 0 || g->GradientPercent != 0) needsOwnBg = true;
    if (!needsOwnBg) CtrlSkinState |= ACS_FAST;
  }
  if (repaintChildren) {
    if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl))
      for (TControl* c : std::vector<TControl*>(win->Controls())) SendControlSkinCommand(c, SKC_CTRLSKINSTATE, 1);
  }
}

bool TsCommonData::Skinned(bool checkActive) const {
  TsSkinManager* m = SkinManager();
  if (FSkinSection.empty() || !m || m->Destroying() || !m->IsValidSkinIndex(SkinIndex)) return false;
  if (FOwnerObject && FOwnerObject->Destroying()) return false;
  return checkActive ? m->Active() : true;
}

void TsCommonData::Loaded() {
  EnsureSection();
  if (!Skinned() || !FOwnerControl || !FOwnerControl->Parent() || FOwnerControl->Loading()) return;
  if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl)) {
    if (TWinControl* form = FOwnerControl->TopLevel(); form && form != win && form->HandleAllocated())
      SendSkinCommand(form->WindowHandle(), SKC_ADDCHILDREN, reinterpret_cast<LPARAM>(FOwnerControl));
  }
  ApplySkinColors(false);
}

void TsCommonData::ApplySkinColors(bool repaint) {
  if (!FOwnerControl || !IsEditLikeKind(COC)) return;
  const TsGeneralData* g = Section();
  if (!g || !Skinned()) return;
  auto tinted = [this](TColor c) { return static_cast<TColor>(AdjustSaturation(Saturation, ShiftHueColor(HUEOffset, c))); };
  if (!CustomColor) {
    const TColor c = tinted(g->Color);
    if (FOwnerControl->Color() != c) FOwnerControl->SetColor(c);
  }
  if (!CustomFont) {
    const TColor c = tinted(g->FontColor.Color);
    if (FOwnerControl->Font().Color() != c) FOwnerControl->Font().SetColor(c);
  }
  if (repaint) Invalidate();
}

// ------------------------------------------------------- painting state

void TsCommonData::Repaint() {
  if (!FOwnerControl || !FOwnerControl->Visible()) return;
  if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl)) {
    if (win->HandleAllocated())
      ::RedrawWindow(win->WindowHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  } else {
    FOwnerControl->Invalidate();
  }
}

void TsCommonData::Invalidate() {
  if (FOwnerObject && (FOwnerObject->Destroying() || FOwnerObject->Loading())) return;
  MarkBGChanged();
  Repaint();
}

void TsCommonData::BeginUpdate() {
  SetUpdating(true);
  CtrlSkinState |= ACS_LOCKED;
  if (FOwnerControl) SendControlSkinCommand(FOwnerControl, SKC_BEGINUPDATE);
}

void TsCommonData::EndUpdate(bool repaint) {
  SetUpdating(false);
  CtrlSkinState &= static_cast<uint16_t>(~ACS_LOCKED);
  if (FOwnerControl) SendControlSkinCommand(FOwnerControl, SKC_ENDUPDATE);
  if (repaint) Invalidate();
}

bool TsCommonData::CachedMode() const { return g_formAnimation || !(CtrlSkinState & ACS_FAST) || IsHot(); }

bool TsCommonData::Updating() const {
  if (!SkinManager()) return false;
  if (!CachedMode()) return FUpdating;
  if (FOwnerObject && FOwnerObject->Destroying()) return FUpdating;
  if (FUpdating) return true;
  TControl* subject = COC == COC_TsSkinProvider ? OwnerForm() : FOwnerControl;
  if (!subject || !subject->Parent()) return false;
  return SendControlSkinCommand(subject->Parent(), SKC_ISUPDATING) == 1;
}

bool TsCommonData::RepaintIfMoved() const {
  if (UrgentPainting || !Skinned() || !FOwnerControl || !FOwnerControl->Enabled()) return true;
  if (StateLook(0).Transparency <= 0) return false;
  TWinControl* parent = FOwnerControl->Parent();
  if (!parent || !parent->HandleAllocated()) return false;
  return SendSkinCommand(parent->WindowHandle(), SKC_ISBGDEPENDENT) == 1;
}

void TsCommonData::SetCustomColor(bool value) {
  CustomColor = value;
  ApplySkinColors(true);
}

void TsCommonData::SetCustomFont(bool value) {
  CustomFont = value;
  Invalidate();
}

void TsCtrlSkinData::SetHUEOffset(int32_t value) {
  HUEOffset = value;
  Loaded();
  Invalidate();
}

void TsCtrlSkinData::SetSaturation(int32_t value) {
  Saturation = value;
  Loaded();
  Invalidate();
}

bool TsCommonData::IsHot() const {
  if (!FOwnerControl || FOwnerControl->Destroying() || !FOwnerControl->Enabled()) return false;
  if (FFocused) return true;
  if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl); win && win->Focused()) return true;
  return FMouseAbove && !IsContainerKind(COC);
}

// --------------------------------------------------------------- cache

void TsCommonData::CheckCacheSize() {
  if (!FCacheBmp) FCacheBmp = std::make_unique<TDibBitmap>();
  int w = 0, h = 0;
  if (FOwnerControl) {
    w = std::max(FOwnerControl->Width(), 0);
    h = std::max(FOwnerControl->Height(), 0);
  }
  FCacheBmp->SetSize(w, h);
}

int32_t TsCommonData::MaxBorderWidth() const {
  TSkinContent* s = Skin();
  if (!s || !s->IsValidImgIndex(BorderIndex)) return 0;
  const TsMaskData& m = s->ma[size_t(BorderIndex)];
  if (m.DrawMode & 2) return 0;
  return std::max<int32_t>({m.WL, m.WT, m.WR, m.WB});
}

// ---------------------------------------------------------- background

TControl* TsCommonData::OwnerForm() const {
  if (COC != COC_TsSkinProvider || !FOwnerObject) return nullptr;
  return dynamic_cast<TControl*>(FOwnerObject->Owner());
}

TColor TsCommonData::OwnerColor() const {
  if (FOwnerControl) return ColorToRGB(FOwnerControl->Color());
  if (TControl* form = OwnerForm()) return ColorToRGB(form->Color());
  return ColorToRGB(clBtnFace);
}

TColor TsCommonData::GetBGColor(int state, HWND wnd) const {
  if (!Skinned()) return OwnerColor();
  const TsStateLook look = StateLook(state);
  if (look.Transparency <= 0) return CustomColor ? OwnerColor() : look.Color;
  TColor parent = ColorToRGB(clBtnFace);
  if (FOwnerControl && FOwnerControl->Parent()) {
    const TColor p = GetControlBGColor(FOwnerControl->Parent());
    parent = p == clNoneMarker ? ColorToRGB(FOwnerControl->Parent()->Color()) : p;
  } else if (wnd && ::GetParent(wnd)) {
    const TColor p = GetWindowBGColor(::GetParent(wnd));
    if (p != clNoneMarker) parent = p;
  }
  return MixTransparentColor(parent, CustomColor ? OwnerColor() : look.Color, look.Transparency);
}

namespace {

// Copies r of the cache into the asker's device context.
void CopyCacheInto(const TacParentBG& info, HDC cache) {
  HDC dc = static_cast<HDC>(info.DC);
  if (!dc || !cache) return;
  ::BitBlt(dc, info.R.Left, info.R.Top, RectWidth(info.R), RectHeight(info.R), cache, info.R.Left + info.Offset.X,
           info.R.Top + info.Offset.Y, SRCCOPY);
}

}  // namespace

void TsCommonData::FillParentBG(TacParentBG& info, int state, HWND wnd) {
  const bool paint = info.PaintIfMissing && info.DC;
  if (!Skinned() || CustomColor) {
    info.Kind = bgkFill;
    info.Color = OwnerColor();
    return;
  }
  const TsStateLook look = StateLook(state);
  TBitmap32* cache = CachePixels();
  const bool noCache = !cache || cache->Empty();
  if (look.Transparency == 100 && (FastMode() || noCache || BGChanged)) {
    TControl* subject = COC == COC_TsSkinProvider ? OwnerForm() : FOwnerControl;
    if (subject && subject->Parent()) {
      AskParentBG(info, subject->Parent(), nullptr, info.PaintIfMissing);
      if (info.Kind == bgkCache) {
        info.Offset.X += subject->Left();
        info.Offset.Y += subject->Top();
      }
    } else if (wnd && ::GetParent(wnd)) {
      AskParentBG(info, nullptr, ::GetParent(wnd), info.PaintIfMissing);
      if (info.Kind == bgkCache) {
        RECT r;
        ::GetWindowRect(wnd, &r);
        POINT p{r.left, r.top};
        ::ScreenToClient(::GetParent(wnd), &p);
        info.Offset.X += p.x;
        info.Offset.Y += p.y;
      }
    } else {
      TsSkinManager* m = TsSkinManager::DefaultManager();
      info.Kind = bgkFill;
      info.Color = m ? m->GetGlobalColor() : ColorToRGB(clBtnFace);
    }
    return;
  }
  const bool plain = look.GradientPercent == 0 && look.ImagePercent == 0;
  if (look.Transparency == 0 && plain) {
    info.Kind = bgkFill;
    info.Color = GetBGColor(state, wnd);
    info.Bmp = cache;
    if (paint) {
      UniqueBrush brush(::CreateSolidBrush(ColorToRGB(info.Color)));
      RECT r{info.R.Left, info.R.Top, info.R.Right, info.R.Bottom};
      ::FillRect(static_cast<HDC>(info.DC), &r, brush.get());
    }
    return;
  }
  if (noCache) {
    info.Kind = bgkFill;
    info.Color = clNoneMarker;
    return;
  }
  info.Kind = bgkCache;
  info.Bmp = cache;
  info.Offset = {0, 0};
  if (look.Transparency == 0) {
    TsSkinManager* m = SkinManager();
    info.Color = m ? m->GetGlobalColor() : ColorToRGB(clBtnFace);
  }
  if (paint) CopyCacheInto(info, CacheDC());
}

TCacheInfo TsCommonData::GetParentCacheInfo() const {
  TControl* parent = FOwnerControl ? FOwnerControl->Parent() : nullptr;
  if (!Skinned() || !FOwnerControl || !parent) return TCacheInfo{nullptr, 0, 0, GetBGColor(0), false};
  TacParentBG bg;
  AskParentBG(bg, parent, nullptr, bg.PaintIfMissing);
  return ParentBGToCacheInfo(bg);
}

// ---------------------------------------------------------------- glow

void TsCommonData::UpdateGlow(bool hideOnly, HWND wnd) {
  TsSkinManager* m = SkinManager();
  const TsGeneralData* g = Section();
  if (!m || !g || g->GlowCount < 1 || !gGlowHandler) return;
  if (FOwnerControl) {
    if (!FMouseAbove || !FOwnerControl->Showing() || (hideOnly && GlowID >= 0)) {
      RemoveGlow();
      return;
    }
  }
  if (GlowID < 0 && !hideOnly) GlowID = gGlowHandler(*this, true, -1, wnd);
}

void TsCommonData::RemoveGlow() {
  if (GlowID >= 0 && gGlowHandler) gGlowHandler(*this, false, GlowID, nullptr);
  GlowID = -1;
}

// -------------------------------------------------------------- region

void TsCommonData::SetRegion(HRGN region) { FRegion.reset(region); }

bool TsCommonData::GiveRegionToWindow(HWND wnd, bool redraw) {
  if (!wnd || !FRegion) return false;
  HRGN r = FRegion.get();
  if (!::SetWindowRgn(wnd, r, redraw)) return false;
  FRegion.release();  // the window owns it now
  return true;
}

int32_t TsCommonData::FindFontSourceSection(TControl* control, int32_t def, TsSkinManager* manager) {
  if (!control || !manager) return def;
  TWinControl* parent = control->Parent();
  for (int level = 0; parent && level < 2; ++level) {
    TacSectionInfo info;
    info.SkinIndex = -1;
    SendControlSkinCommand(parent, SKC_GETSKININDEX, reinterpret_cast<LPARAM>(&info));
    if (!manager->IsValidSkinIndex(info.SkinIndex)) return def;
    const TsGeneralData& g = manager->Content().gd[size_t(info.SkinIndex)];
    if (g.Transparency > 50 && parent->Parent()) {
      parent = parent->Parent();
      continue;
    }
    return g.GiveOwnFont ? info.SkinIndex : def;
  }
  return def;
}

}  // namespace glyphora
