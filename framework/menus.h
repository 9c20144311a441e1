// Popup menus over the platform's menus: a tree of items (submenus, checked
// and radio items, column breaks, shortcuts, bitmaps, a default item) built
// into a platform menu at each popup, plainly or owner-drawn. Owner-drawn
// items are measured and drawn by their own handlers (a skin installs its
// own) or by the framework's look; the owner window routes WM_MEASUREITEM,
// WM_DRAWITEM and WM_MENUCHAR here through DispatchMenuMessage.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/bitmap32.h"
#include "framework/component.h"
#include "framework/handles.h"
#include "framework/messages.h"

namespace glyphora {

class TMenuItem;
class TPopupMenu;

// Key code in the low byte, modifiers in the high bits.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+S", "Alt+F4", "Shift+Del"; empty for 0.
std::wstring ShortCutToText(TShortCut shortCut);
// The reverse, case-insensitive; 0 for text it does not know.
TShortCut TextToShortCut(const std::wstring& text);

enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };

// Owner-draw state bits (as the platform's ODS_ values).
using TMenuItemState = unsigned;
constexpr TMenuItemState misSelected = ODS_SELECTED, misGrayed = ODS_GRAYED, misDisabled = ODS_DISABLED,
                          misChecked = ODS_CHECKED, misFocused = ODS_FOCUS, misDefault = ODS_DEFAULT,
                          misHotLight = ODS_HOTLIGHT, misNoAccel = ODS_NOACCEL;

// What an owner-draw handler is given: the platform's DC and the item's
// rectangle in it, the state and the platform menu the item sits in.
struct TMenuDrawArgs {
  HDC DC;
  RECT Rect;
  TMenuItemState State;
  HMENU Menu;
};
using TMenuMeasureItemEvent = std::function<void(TMenuItem* item, HDC dc, int& width, int& height)>;
using TMenuDrawItemEvent = std::function<void(TMenuItem* item, const TMenuDrawArgs& args)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  std::wstring Caption;  // "-" is a separator
  bool Enabled = true;
  bool Visible = true;
  bool Checked = false;
  bool RadioItem = false;  // a checked radio item shows a bullet
  bool AutoCheck = false;  // a click toggles Checked (radio items: checks this one of its group)
  int GroupIndex = 0;
  bool Default = false;    // drawn bold; the platform's default item
  TMenuBreak Break = TMenuBreak::mbNone;
  TShortCut ShortCut = 0;
  TBitmap32 Bitmap;        // 32-bit with straight alpha; empty for none
  TNotifyEvent OnClick;
  // Owner-draw handlers; `HandlerOwner` tells who set them, so that one
  // who installed handlers can take back its own and only those.
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnAdvancedDrawItem;
  const void* HandlerOwner = nullptr;

  virtual void Click();

  // Submenu items, in order.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  // Frees every submenu item, and theirs.
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_[static_cast<size_t>(index)]; }
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const { return parent_; }
  // The popup menu whose tree holds the item (nullptr for a loose item).
  TPopupMenu* GetParentMenu() const;
  bool IsLine() const { return Caption == L"-"; }
  // The platform menu of this item's submenu while one is built.
  HMENU Handle() const { return handle_; }
  // The command and owner-draw key of the item in platform menus: unique
  // among live items, below the system commands.
  UINT Command() const { return command_; }
  // The live item of a command, or nullptr.
  static TMenuItem* FromCommand(UINT command);
  // Every live item (skins hook and unhook them all).
  static std::vector<TMenuItem*> LiveItems();

 private:
  friend class TPopupMenu;
  void FillMenu(HMENU menu, bool ownerDraw, std::vector<UniqueBitmap>& bitmaps);
  void ForgetHandles();
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TPopupMenu* menu_ = nullptr;  // set on the root item of a popup menu
  HMENU handle_ = nullptr;
  UINT command_ = 0;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  // The root item; its submenu items are the menu.
  TMenuItem* Items() const { return root_; }
  void Add(TMenuItem* item) { root_->Add(item); }
  // Items drawn by their handlers (or the framework's owner-drawn look).
  bool OwnerDraw = false;
  // False switches the platform's opening animation off.
  bool Animate = true;
  // The window that owns the menu and receives its messages; null: the
  // application's menu owner.
  HWND WindowHandle = nullptr;

  // Shows the menu at a screen position and runs the chosen item. A menu
  // without visible items shows nothing. Returns once the menu closed.
  virtual void Popup(int x, int y);
  // The component whose context menu is being shown.
  TComponent* PopupComponent = nullptr;
  TNotifyEvent OnPopup;
  // The platform menu while the popup is shown (null otherwise).
  HMENU Handle() const { return root_->Handle(); }

  // Called for every popup menu just before it is built and shown (a skin
  // hooks the menu here). One observer for the process.
  static void SetPopupObserver(std::function<void(TPopupMenu* menu)> observer);

 protected:
  HMENU BuildMenu();
  TMenuItem* root_;
  UniqueMenu menu_;
  std::vector<UniqueBitmap> bitmaps_;
};

// Routes a menu's owner-draw and access-key messages (WM_MEASUREITEM and
// WM_DRAWITEM of menu items, WM_MENUCHAR) to the items; true when the
// message was one of theirs (the answer in Result). Owner windows call it.
bool DispatchMenuMessage(TMessage& m);

// The platform's menu font (bold for a default item); one of each kind,
// made again when the system's metrics change.
HFONT MenuFont(bool bold);
void ResetMenuFonts();

// The framework's owner-drawn look, for items without handlers of their own.
void DefaultMeasureMenuItem(TMenuItem* item, HDC dc, int& width, int& height);
void DefaultDrawMenuItem(TMenuItem* item, const TMenuDrawArgs& args);

}  // namespace glyphora
