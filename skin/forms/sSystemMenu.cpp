#include "skin/forms/sSystemMenu.h"

#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace glyphora {

namespace {
constexpr UINT kFirstSystemCommand = 0xF000;
constexpr int kSkinsPerColumn = 20;
constexpr wchar_t kSkinSelectName[] = L"SkinSelectItem";
constexpr wchar_t kInternalMarker[] = L"(internal)";

// "&" shown as a literal ampersand in a caption.
std::wstring EscapeAmpersands(const std::wstring& s) {
  std::wstring out;
  for (wchar_t c : s) {
    out += c;
    if (c == L'&') out += L'&';
  }
  return out;
}

// Caption and shortcut text of a platform menu string ("&Close\tAlt+F4").
void SplitAtTab(const std::wstring& s, std::wstring& caption, std::wstring& shortcut) {
  const size_t tab = s.find(L'\t');
  caption = s.substr(0, tab);
  shortcut = tab == std::wstring::npos ? std::wstring() : s.substr(tab + 1);
}

std::wstring MenuString(HMENU menu, UINT id, UINT flag) {
  wchar_t buf[256] = {};
  const int n = ::GetMenuStringW(menu, id, buf, 255, flag);
  return n > 0 ? std::wstring(buf, size_t(n)) : std::wstring();
}
}  // namespace

const wchar_t* SysMenuDefaultCaption(UINT command) {
  switch (command) {
    case SC_RESTORE: return L"Restore";
    case SC_MOVE: return L"Move";
    case SC_SIZE: return L"Size";
    case SC_MINIMIZE: return L"Minimize";
    case SC_MAXIMIZE: return L"Maximize";
    case SC_CLOSE: return L"Close";
    default: return L"";
  }
}

TsSystemMenu::TsSystemMenu(TsSkinProvider* owner) : TsCustomSysMenu(owner), provider_(owner) { Name = L"SysMenu"; }

HWND TsSystemMenu::FormWnd() const {
  TCustomForm* f = provider_->Form();
  return f && f->HandleAllocated() ? f->WindowHandle() : nullptr;
}

TSysMenuRules TsSystemMenu::Rules() const { return SysMenuRules(provider_->SysMenuState()); }

void TsSystemMenu::SendCommand(WPARAM command) {
  if (HWND w = FormWnd()) ::SendMessageW(w, WM_SYSCOMMAND, command, 0);
}

TMenuItem* TsSystemMenu::AddItem(const std::wstring& caption, TShortCut shortCut, intptr_t tag,
                                 const TNotifyEvent& click) {
  auto* item = new TMenuItem(this);
  item->Caption = caption;
  item->ShortCut = shortCut;
  item->Tag = tag;
  item->OnClick = click;
  Items()->Add(item);
  return item;
}

void TsSystemMenu::Generate() {
  Items()->Clear();
  ItemRestore = ItemMove = ItemSize = ItemMinimize = ItemMaximize = ItemClose = nullptr;
  ExtItemsCount = 0;
  HWND w = FormWnd();
  HMENU sys = w ? ::GetSystemMenu(w, FALSE) : nullptr;
  if (!sys) return;
  auto standard = [&](UINT cmd, const wchar_t* name, const TNotifyEvent& click) {
    std::wstring caption, shortcut;
    SplitAtTab(MenuString(sys, cmd, MF_BYCOMMAND), caption, shortcut);
    if (caption.empty()) caption = SysMenuDefaultCaption(cmd);
    TMenuItem* item = AddItem(caption, TextToShortCut(shortcut), cmd, click);
    item->Name = name;
    return item;
  };
  ItemRestore = standard(SC_RESTORE, L"acIR", [this](TComponent*) {
    SendCommand(SC_RESTORE);
    UpdateItems();
  });
  ItemMove = standard(SC_MOVE, L"acIM", [this](TComponent*) { SendCommand(SC_MOVE); });
  ItemSize = standard(SC_SIZE, L"acIS", [this](TComponent*) { SendCommand(SC_SIZE); });
  ItemMinimize = standard(SC_MINIMIZE, L"acIN", [this](TComponent*) {
    SendCommand(SC_MINIMIZE);
    UpdateItems();
  });
  ItemMaximize = standard(SC_MAXIMIZE, L"acIX", [this](TComponent*) {
    SendCommand(SC_MAXIMIZE);
    UpdateItems();
  });
  AddItem(L"-", 0, 0, nullptr);
  const int count = ::GetMenuItemCount(sys);
  for (int i = 0; i < count; ++i) {
    // A submenu answers -1 (all bits set): not an application command.
    if (::GetSubMenu(sys, i)) continue;
    const UINT id = ::GetMenuItemID(sys, i);
    if (id == 0 || id >= kFirstSystemCommand) continue;
    const std::wstring text = MenuString(sys, static_cast<UINT>(i), MF_BYPOSITION);
    if (text.empty()) continue;
    std::wstring caption, shortcut;
    SplitAtTab(text, caption, shortcut);
    // Posted: the command may free the form, and this menu with it.
    AddItem(caption, TextToShortCut(shortcut), id, [this, id](TComponent*) {
      if (HWND f = FormWnd()) ::PostMessageW(f, WM_SYSCOMMAND, id, 0);
    });
    ++ExtItemsCount;
  }
  if (ExtItemsCount > 0) AddItem(L"-", 0, 0, nullptr);
  // Posted: closing frees the form, its provider and this menu, and the
  // menu's own code is still running when the item is chosen.
  ItemClose = standard(SC_CLOSE, L"acIC", [this](TComponent*) {
    if (HWND f = FormWnd()) ::PostMessageW(f, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
}

void TsCustomSysMenu::ApplyRules(const TSysMenuRules& r) {
  auto set = [](TMenuItem* item, bool visible, bool enabled) {
    if (!item) return;
    item->Visible = visible;
    item->Enabled = enabled;
  };
  set(ItemRestore, r.VisibleRestore, r.EnabledRestore);
  set(ItemMove, r.VisibleMove, r.EnabledMove);
  set(ItemSize, r.VisibleSize, r.EnabledSize);
  set(ItemMinimize, r.VisibleMin, r.EnabledMin);
  set(ItemMaximize, r.VisibleMax, r.EnabledMax);
  set(ItemClose, r.VisibleClose, r.EnabledClose);
}

void TsSystemMenu::UpdateItems(bool full) {
  if (full || !ItemClose) Generate();
  if (!ItemClose) return;
  const TSysMenuRules r = Rules();
  ApplyRules(r);
}

void TsSystemMenu::MakeSkinItems() {
  TsSkinManager* m = provider_->SkinData->SkinManager();
  if (!m) return;
  std::vector<std::wstring> names;
  m->GetSkinNames(names);
  if (names.empty()) return;
  auto* top = new TMenuItem(this);
  top->Caption = L"Available skins";
  top->Name = kSkinSelectName;
  Items()->Insert(0, top);
  auto* line = new TMenuItem(this);
  line->Caption = L"-";
  Items()->Insert(1, line);
  for (size_t i = 0; i < names.size(); ++i) {
    auto* item = new TacSkinSelectItem(this);
    item->SkinName = names[i];
    item->Caption = EscapeAmpersands(names[i]);
    item->Name = kSkinSelectName + std::to_wstring(i);
    item->RadioItem = true;
    item->Checked = names[i] == m->SkinName();
    if (i > 0 && i % kSkinsPerColumn == 0) item->Break = TMenuBreak::mbBreak;
    item->OnClick = [m, item](TComponent*) {
      // The name as the manager listed it; one with the internal marker
      // ends right after it.
      std::wstring name = item->SkinName;
      const size_t at = name.find(kInternalMarker);
      if (at != std::wstring::npos) name.resize(at + wcslen(kInternalMarker));
      m->SetSkinName(name);
    };
    top->Add(item);
  }
}

}  // namespace glyphora
