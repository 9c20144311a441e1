// The menu skinning's handlers on the items, the measuring of items, the
// cache of popup backgrounds and the popup windows' adapters. The painting
// is in skin_menus_paint_win.cpp.
#include "skin/forms/sSkinMenus.h"

#include <algorithm>
#include <cmath>

#include "framework/application.h"
#include "skin/forms/menu_window_win.h"

namespace glyphora {

TsSkinableMenus::TsSkinableMenus(TsSkinManager* owner) : owner_(owner) {
  CaptionFont.SetName(L"Tahoma");
  CaptionFont.SetHeight(-11);
  CaptionFont.SetStyle(fsBold);
  InstallHookedWindowsHandler();
  if (HWND app = Application()->Handle()) {
    appHook_.Proc = [this](TMessage& m) {
      if (m.Msg != kBorderRequestMsg) return false;
      HandleBorderRequest(reinterpret_cast<HMENU>(m.LParam));
      m.Result = 0;
      return true;
    };
    appHook_.Attach(app);
  }
  // Every framework popup is handed to the skin just before it is built.
  TPopupMenu::SetPopupObserver([this](TPopupMenu* menu) {
    HookPopupMenu(menu, Skinned() && owner_->SkinnedPopups);
  });
}

TsSkinableMenus::~TsSkinableMenus() {
  TPopupMenu::SetPopupObserver(nullptr);
  InitItems(false);
  for (auto& a : adapters_) {
    std::unique_ptr<TacMainWnd> p(a.release());
    TacMainWnd::Free(p);
  }
  adapters_.clear();
}

TsSkinableMenus* TsSkinableMenus::Of(TsSkinManager* manager) {
  if (!manager) return nullptr;
  if (!manager->SkinableMenus) manager->SkinableMenus = std::make_unique<TsSkinableMenus>(manager);
  return static_cast<TsSkinableMenus*>(manager->SkinableMenus.get());
}

bool TsSkinableMenus::Skinned() const { return owner_->Active() && owner_->Content().SkinData.Active; }

int TsSkinableMenus::SkinBorderWidth() {
  if (skinBorderWidth_ >= 0) return skinBorderWidth_;
  ResolveIndexes();
  TSkinContent& skin = owner_->Content();
  if (mainMenu_ < 0 || !skin.IsValidImgIndex(skin.gd[mainMenu_].BorderIndex)) {
    skinBorderWidth_ = 0;
  } else {
    const int w = skin.MaskWidthLeft(skin.gd[mainMenu_].BorderIndex);
    skinBorderWidth_ = w > 0 ? w : 3;
  }
  return skinBorderWidth_;
}

void TsSkinableMenus::ResolveIndexes() {
  if (indexesValid_ || !Skinned()) return;
  TSkinContent& skin = owner_->Content();
  mainMenu_ = skin.GetSkinIndex("MAINMENU");
  menuItem_ = skin.GetSkinIndex("MENUITEM");
  icoLine_ = owner_->MenuSupport.IcoLineSkin.empty() ? -1 : skin.GetSkinIndex(owner_->MenuSupport.IcoLineSkin);
  divider_ = skin.GetSkinIndex("DIVIDERV");
  toolbar_ = skin.GetSkinIndex("TOOLBAR");
  smallButton_ = skin.GetSkinIndex("SPEEDBUTTON_SMALL");
  const int32_t global = skin.ConstData.IndexGLobalInfo;
  radioImage_ = skin.GetMaskIndex(global, "GLOBALINFO", "RADIOCHECKED");
  checkImage_ = skin.GetMaskIndex(global, "GLOBALINFO", "CHECK");
  if (checkImage_ < 0) checkImage_ = skin.GetMaskIndex(global, "GLOBALINFO", "BOXCHECKED");
  indexesValid_ = true;
}

void TsSkinableMenus::SkinChanged() {
  ClearCache();
  indexesValid_ = false;
  skinBorderWidth_ = -1;
  mainMenu_ = menuItem_ = icoLine_ = divider_ = toolbar_ = smallButton_ = checkImage_ = radioImage_ = -1;
  for (auto& a : adapters_) a->SetRegionCurrent(false);
}

void TsSkinableMenus::ClearCache() { cache_.clear(); }

const TsSkinableMenus::TacMenuInfo* TsSkinableMenus::FindInfo(HMENU menu) const {
  if (!menu) return nullptr;
  for (const auto& i : cache_)
    if (i->Menu == menu) return i.get();
  return nullptr;
}

// ------------------------------------------------------------ hooking

void TsSkinableMenus::InitItems(bool active) {
  active_ = active;
  for (TMenuItem* item : TMenuItem::LiveItems()) InitItem(item, active);
}

void TsSkinableMenus::SetActive(bool value) {
  if (value != active_) InitItems(value);
}

void TsSkinableMenus::UpdateMenus() { SetActive(Skinned() && owner_->SkinnedPopups); }

void TsSkinableMenus::InitItem(TMenuItem* item, bool active) {
  if (!item) return;
  if (TPopupMenu* menu = item->GetParentMenu()) menu->OwnerDraw = active;
  if (active) {
    if (item->HandlerOwner == this) return;
    // An application's own handlers stay.
    if (item->OnMeasureItem || item->OnAdvancedDrawItem) return;
    item->OnMeasureItem = [this](TMenuItem* i, HDC dc, int& w, int& h) { MeasureItem(i, dc, w, h); };
    item->OnAdvancedDrawItem = [this](TMenuItem* i, const TMenuDrawArgs& a) { DrawItem(i, a); };
    item->HandlerOwner = this;
  } else if (item->HandlerOwner == this) {
    item->OnMeasureItem = nullptr;
    item->OnAdvancedDrawItem = nullptr;
    item->HandlerOwner = nullptr;
  }
}

void TsSkinableMenus::HookItem(TMenuItem* item, bool active) {
  InitItem(item, active);
  for (int i = 0; i < item->Count(); ++i) HookItem(item->Items(i), active);
}

void TsSkinableMenus::HookPopupMenu(TPopupMenu* menu, bool active) {
  if (!menu) return;
  HookItem(menu->Items(), active);
  menu->OwnerDraw = active;
  // The platform does not animate a skinned popup.
  menu->Animate = !active;
}

// ------------------------------------------------------------ measuring

namespace {
constexpr int kDefaultGlyph = 16;

int TextWidth(HDC dc, const std::wstring& text) {
  if (text.empty()) return 0;
  RECT r{0, 0, 0, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
  return r.right - r.left;
}

int LineHeight(HDC dc) {
  SIZE s{};
  ::GetTextExtentPoint32W(dc, L"W", 1, &s);
  return s.cy;
}
}  // namespace

bool TsSkinableMenus::FirstColumn(const TMenuItem* item) const {
  const TMenuItem* parent = item->Parent();
  if (!parent) return true;
  for (int i = 0; i < parent->Count(); ++i) {
    const TMenuItem* it = parent->Items(i);
    if (it->Visible && it->Break != TMenuBreak::mbNone) return false;
    if (it == item) return true;
  }
  return true;
}

void TsSkinableMenus::MeasureItem(TMenuItem* item, HDC dc, int& width, int& height) {
  TMenuItemSizeInput in;
  in.Type = MenuItemTypeOf(item->Caption);
  in.Margin = Margin;
  in.Spacing = Spacing;
  const TMenuItem* parent = item->Parent();
  const TMenuItem* first = parent && parent->Count() > 0 ? parent->Items(0) : item;
  // The extra line belongs to the skin list of the system menu; it is
  // decided when the popup's first item is measured.
  if (item == first) {
    extraLine_ = owner_->MenuSupport.UseExtraLine && first->Name == L"SkinSelectItem";
    extraCaption_ = L"Use OnGetExtraLineData event";
  }
  if (!item->Bitmap.Empty()) {
    in.GlyphWidth = item->Bitmap.Width();
    in.GlyphHeight = item->Bitmap.Height();
  } else {
    in.GlyphWidth = in.GlyphHeight = kDefaultGlyph;
  }
  in.LineHeight = LineHeight(dc);
  switch (in.Type) {
    case TsMenuItemType::smCaption:
      in.TextWidth = TextWidth(dc, L"-" + item->Caption + L"-");
      break;
    case TsMenuItemType::smDivider:
      break;
    default:
      in.TextWidth = TextWidth(dc, item->Caption + ShortCutToText(item->ShortCut));
  }
  if (extraLine_ && FirstColumn(item)) in.ExtraWidth = owner_->MenuSupport.ExtraLineWidth;
  const TMenuItemSize size = MenuItemSize(in);
  width = size.Width;
  height = size.Height;
}

// ------------------------------------------------------------ popup windows

void TsSkinableMenus::PopupWindowCreated(HWND wnd) {
  adapters_.push_back(MakeAdapter<TacMnuWnd>(wnd, this));
}

TacMnuWnd* TsSkinableMenus::AdapterOf(HWND wnd) const {
  for (const auto& a : adapters_)
    if (a->Window() == wnd) return a.get();
  return nullptr;
}

void TsSkinableMenus::PopupWindowDestroyed(TacMnuWnd* adapter) {
  auto it = std::find_if(adapters_.begin(), adapters_.end(), [&](const auto& a) { return a.get() == adapter; });
  if (it == adapters_.end()) return;
  HWND wnd = adapter->Window();
  // The adapter's own procedure is running: it is unhooked now and freed
  // once that procedure has returned.
  std::unique_ptr<TacMainWnd> dead(it->release());
  adapters_.erase(it);
  TacMainWnd::Free(dead);
  for (auto& info : cache_)
    if (info->Wnd == wnd) info->Wnd = nullptr;
  // The last popup closed: nothing prepared is needed any more.
  if (adapters_.empty()) ClearCache();
}

void TsSkinableMenus::HandleBorderRequest(HMENU menu) {
  borderRequestPending_ = false;
  // The menu is only compared with live popups' menus; a request for one
  // that has gone finds nothing and is dropped.
  for (const auto& a : adapters_) {
    if (a->Destroyed() || a->Menu() != menu) continue;
    for (auto& info : cache_)
      if (info->Menu == menu && info->Bmp) {
        info->Wnd = a->Window();
        DrawWndBorder(a->Window(), *info);
      }
  }
}

}  // namespace glyphora
