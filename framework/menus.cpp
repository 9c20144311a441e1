#include "framework/menus.h"

#include <algorithm>
#include <unordered_map>

#include "framework/application.h"

namespace glyphora {

namespace {

// Live items by command. Commands stay below the system commands (0xF000)
// and above 0, so a returned command is never taken for another's.
std::unordered_map<UINT, TMenuItem*>& Registry() {
  static std::unordered_map<UINT, TMenuItem*> items;
  return items;
}
constexpr UINT kFirstCommand = 1, kLastCommand = 0xEFFF;
UINT g_nextCommand = kFirstCommand;

UINT AllocateCommand(TMenuItem* item) {
  auto& reg = Registry();
  for (UINT tries = 0; tries <= kLastCommand; ++tries) {
    const UINT id = g_nextCommand;
    g_nextCommand = g_nextCommand >= kLastCommand ? kFirstCommand : g_nextCommand + 1;
    if (reg.emplace(id, item).second) return id;
  }
  return 0;  // every command in use: the item cannot be chosen
}

std::function<void(TPopupMenu*)>& PopupObserver() {
  static std::function<void(TPopupMenu*)> observer;
  return observer;
}

// An item's caption with its shortcut after a tab, as the platform's own
// items show it.
std::wstring PlainText(const TMenuItem* item) {
  std::wstring text = item->Caption;
  if (item->ShortCut) text += L"\t" + ShortCutToText(item->ShortCut);
  return text;
}

// A device-dependent copy of a 32-bit bitmap for a plain menu item: the
// platform draws 32-bit item bitmaps with their alpha.
HBITMAP MakeItemBitmap(const TBitmap32& b) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = b.Width();
  bi.bmiHeader.biHeight = -b.Height();
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP h = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!h || !bits) return h;
  // Premultiplied, as the platform expects of alpha bitmaps.
  auto* out = static_cast<uint32_t*>(bits);
  for (int32_t y = 0; y < b.Height(); ++y)
    for (int32_t x = 0; x < b.Width(); ++x) {
      const uint32_t p = b.Pixel(x, y), a = p >> 24;
      auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
      *out++ = (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
    }
  return h;
}

}  // namespace

// ------------------------------------------------------------ TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) { command_ = AllocateCommand(this); }

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  for (TMenuItem* child : items_) child->parent_ = nullptr;
  items_.clear();
  if (command_) Registry().erase(command_);
}

void TMenuItem::Click() {
  if (AutoCheck) {
    if (RadioItem) {
      if (parent_)
        for (TMenuItem* sibling : parent_->items_)
          if (sibling->RadioItem && sibling->GroupIndex == GroupIndex) sibling->Checked = false;
      Checked = true;
    } else {
      Checked = !Checked;
    }
  }
  if (OnClick) OnClick(this);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
}

void TMenuItem::Clear() {
  while (!items_.empty()) {
    TMenuItem* last = items_.back();
    last->Clear();
    delete last;  // the destructor unlinks it
  }
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TPopupMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->parent_) i = i->parent_;
  return i->menu_;
}

TMenuItem* TMenuItem::FromCommand(UINT command) {
  auto it = Registry().find(command);
  return it == Registry().end() ? nullptr : it->second;
}

std::vector<TMenuItem*> TMenuItem::LiveItems() {
  std::vector<TMenuItem*> all;
  all.reserve(Registry().size());
  for (const auto& [id, item] : Registry()) all.push_back(item);
  return all;
}

void TMenuItem::FillMenu(HMENU menu, bool ownerDraw, std::vector<UniqueBitmap>& bitmaps) {
  handle_ = menu;
  for (TMenuItem* item : items_) {
    if (!item->Visible) continue;
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof(mi);
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    mi.wID = item->command_;
    // The key of the item in owner-draw messages: its command, never a
    // pointer, looked up among the live items.
    mi.dwItemData = item->command_;
    if (item->IsLine() && !ownerDraw) {
      mi.fType = MFT_SEPARATOR;
    } else {
      mi.fMask |= MIIM_STRING;
      std::wstring text = PlainText(item);
      mi.dwTypeData = text.data();
      mi.cch = static_cast<UINT>(text.size());
      if (ownerDraw) mi.fType |= MFT_OWNERDRAW;
      if (item->RadioItem) mi.fType |= MFT_RADIOCHECK;
      if (!ownerDraw && !item->Bitmap.Empty()) {
        bitmaps.emplace_back(MakeItemBitmap(item->Bitmap));
        mi.fMask |= MIIM_BITMAP;
        mi.hbmpItem = bitmaps.back().get();
      }
      if (!item->items_.empty()) {
        HMENU sub = ::CreatePopupMenu();
        item->FillMenu(sub, ownerDraw, bitmaps);
        mi.fMask |= MIIM_SUBMENU;
        mi.hSubMenu = sub;  // freed with its parent
      }
      if (item->IsLine()) mi.fType |= MFT_SEPARATOR;
      if (item->Break == TMenuBreak::mbBreak) mi.fType |= MFT_MENUBREAK;
      if (item->Break == TMenuBreak::mbBarBreak) mi.fType |= MFT_MENUBARBREAK;
      mi.fState = (item->Enabled ? 0u : MFS_GRAYED) | (item->Checked ? MFS_CHECKED : 0u) |
                  (item->Default ? MFS_DEFAULT : 0u);
      ::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &mi);
      continue;
    }
    ::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &mi);
  }
}

void TMenuItem::ForgetHandles() {
  handle_ = nullptr;
  for (TMenuItem* item : items_) item->ForgetHandles();
}

// ------------------------------------------------------------ TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), root_(new TMenuItem(this)) { root_->menu_ = this; }

TPopupMenu::~TPopupMenu() {
  root_->ForgetHandles();
  menu_.reset();
}

void TPopupMenu::SetPopupObserver(std::function<void(TPopupMenu*)> observer) {
  PopupObserver() = std::move(observer);
}

HMENU TPopupMenu::BuildMenu() {
  root_->ForgetHandles();
  menu_.reset(::CreatePopupMenu());
  bitmaps_.clear();
  if (menu_) root_->FillMenu(menu_.get(), OwnerDraw, bitmaps_);
  return menu_.get();
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  if (PopupObserver()) PopupObserver()(this);
  if (std::none_of(root_->items_.begin(), root_->items_.end(), [](TMenuItem* i) { return i->Visible; })) return;
  HMENU menu = BuildMenu();
  if (!menu) return;
  HWND owner = WindowHandle ? WindowHandle : Application()->MenuOwner();
  ::SetForegroundWindow(owner);
  UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN;
  if (!Animate) flags |= TPM_NOANIMATION;
  const UINT cmd = ::TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
  ::PostMessageW(owner, WM_NULL, 0, 0);
  root_->ForgetHandles();
  menu_.reset();
  bitmaps_.clear();
  // The item is looked up again: the menu's own handlers may have freed it.
  if (TMenuItem* item = cmd ? TMenuItem::FromCommand(cmd) : nullptr) item->Click();
}

// ------------------------------------------------------------ routing

namespace {

// The access key of a caption: the character after a single "&".
wchar_t AccessKey(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return caption[i + 1];
    ++i;  // "&&" is a literal ampersand
  }
  return 0;
}

wchar_t Upper(wchar_t c) {
  ::CharUpperBuffW(&c, 1);
  return c;
}

// WM_MENUCHAR: owner-drawn items have no text the platform can search, so
// the key is matched against the captions here. One match runs it; several
// move the selection through them.
bool MenuChar(TMessage& m) {
  HMENU menu = reinterpret_cast<HMENU>(m.LParam);
  const wchar_t key = Upper(static_cast<wchar_t>(LOWORD(m.WParam)));
  const int count = ::GetMenuItemCount(menu);
  if (!menu || count <= 0 || !key) return false;
  std::vector<int> hits;
  int selected = -1;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof(mi);
    mi.fMask = MIIM_DATA | MIIM_STATE | MIIM_FTYPE;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi) || !(mi.fType & MFT_OWNERDRAW)) continue;
    if (mi.fState & MFS_HILITE) selected = i;
    const TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(mi.dwItemData));
    if (item && Upper(AccessKey(item->Caption)) == key) hits.push_back(i);
  }
  if (hits.empty()) return false;
  if (hits.size() == 1) {
    m.Result = MAKELRESULT(hits[0], MNC_EXECUTE);
    return true;
  }
  auto next = std::upper_bound(hits.begin(), hits.end(), selected);
  m.Result = MAKELRESULT(next == hits.end() ? hits[0] : *next, MNC_SELECT);
  return true;
}

// One memory DC for measuring items, kept for the process: a screen DC
// borrowed for every item costs a round trip each under some systems.
HDC MeasureDC() {
  static UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
  return dc.get();
}

}  // namespace

bool DispatchMenuMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (!mis || mis->CtlType != ODT_MENU) return false;
      TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(mis->itemData));
      if (!item) return false;
      int w = static_cast<int>(mis->itemWidth), h = static_cast<int>(mis->itemHeight);
      HDC dc = MeasureDC();
      HGDIOBJ old = ::SelectObject(dc, MenuFont(item->Default));
      if (item->OnMeasureItem) item->OnMeasureItem(item, dc, w, h);
      else DefaultMeasureMenuItem(item, dc, w, h);
      ::SelectObject(dc, old);
      mis->itemWidth = static_cast<UINT>(std::max(w, 0));
      mis->itemHeight = static_cast<UINT>(std::max(h, 0));
      m.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (!dis || dis->CtlType != ODT_MENU) return false;
      TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(dis->itemData));
      if (!item) return false;
      const TMenuDrawArgs args{dis->hDC, dis->rcItem, dis->itemState, reinterpret_cast<HMENU>(dis->hwndItem)};
      const int saved = ::SaveDC(dis->hDC);
      if (item->OnAdvancedDrawItem) item->OnAdvancedDrawItem(item, args);
      else DefaultDrawMenuItem(item, args);
      ::RestoreDC(dis->hDC, saved);
      m.Result = TRUE;
      return true;
    }
    case WM_MENUCHAR:
      return MenuChar(m);
    default:
      return false;
  }
}

}  // namespace glyphora
