// Popup menus drawn by the skin: the menu skinning of one skin manager
// installs its measure and draw handlers on the framework's menu items,
// prepares one background per open popup ("MAINMENU" with its border, the
// "ICOLINE" icon column and an optional extra line), draws each item
// ("MENUITEM" when highlighted, check and radio marks, glyphs, caption,
// shortcut, "DIVIDERV" separators, "TOOLBAR" caption items, disabled items
// blended), and gives each popup window a skinned frame and the region of
// the mask's corners through a menu window adapter.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics.h"
#include "framework/menus.h"
#include "framework/window_hook.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/menu_metrics.h"
#include "skin/paint/dib_surface_win.h"

namespace glyphora {

class TacMnuWnd;

enum class TsMenuAlignment { taLeftJustify, taRightJustify, taCenter };
// Called after an item is drawn, on the item's bitmap.
using TsMenuManagerDrawItemEvent =
    std::function<void(TMenuItem* item, HDC dc, const RECT& rect, TMenuItemState state, TsMenuItemType type)>;

class TsSkinableMenus : public TsManagerPart {
 public:
  explicit TsSkinableMenus(TsSkinManager* owner);
  ~TsSkinableMenus() override;
  // The manager's menu skinning, made on first use.
  static TsSkinableMenus* Of(TsSkinManager* manager);

  TsMenuAlignment Alignment = TsMenuAlignment::taLeftJustify;
  int BevelWidth = 0;    // kept, not drawn
  int BorderWidth = 3;   // the popup window's frame (the item area starts this far in)
  TFont CaptionFont;
  int Margin = 2;
  int Spacing = 8;
  TsMenuManagerDrawItemEvent OnDrawItem;
  // The MAINMENU border mask's left margin (3 when that is 0 or less, 0
  // without a mask); measured again after every skin change.
  int SkinBorderWidth();

  bool Active() const { return active_; }
  // Installs (or removes) the handlers on every live menu item.
  void InitItems(bool active);
  void SetActive(bool value);
  // SetActive with the manager's state.
  void UpdateMenus();
  void InitItem(TMenuItem* item, bool active);
  void HookItem(TMenuItem* item, bool active);
  void HookPopupMenu(TPopupMenu* menu, bool active);

  // The popup backgrounds and item looks were made for the old skin.
  void SkinChanged() override;
  void ClearCache();

  // The handlers.
  void MeasureItem(TMenuItem* item, HDC dc, int& width, int& height);
  void DrawItem(TMenuItem* item, const TMenuDrawArgs& args);

  // One prepared background per open popup, keyed by its platform menu.
  struct TacMenuInfo {
    HMENU Menu = nullptr;
    HWND Wnd = nullptr;
    bool HaveExtraLine = false;
    std::unique_ptr<TDibBitmap> Bmp;
    // Rectangles of the items drawn, in the popup window's coordinates.
    std::vector<RECT> ItemRects;
  };
  size_t CacheCount() const { return cache_.size(); }
  const TacMenuInfo* FindInfo(HMENU menu) const;

  // Popup windows and their adapters.
  void PopupWindowCreated(HWND wnd);
  void PopupWindowDestroyed(TacMnuWnd* adapter);
  size_t AdapterCount() const { return adapters_.size(); }
  TacMnuWnd* AdapterOf(HWND wnd) const;
  // Gives the window its region (once per size) and paints its frame and
  // the parts between items from the popup's background.
  void DrawWndBorder(HWND wnd, const TacMenuInfo& info);
  void PaintPopupFrame(HWND wnd, HDC dc, const TacMenuInfo& info, bool withGaps);
  // A border request posted for a popup whose window was not known when an
  // item was drawn; it carries the platform menu, never a pointer.
  static constexpr UINT kBorderRequestMsg = WM_APP + 0x3BCB;
  void HandleBorderRequest(HMENU menu);
  TsSkinManager* Manager() const { return owner_; }

 private:
  bool Skinned() const;
  void ResolveIndexes();
  TacMenuInfo* PrepareMenuBG(TMenuItem* item, HMENU menu, HWND wnd, int width, int height);
  TacMenuInfo* GetMenuInfo(TMenuItem* item, HMENU menu, HWND wnd, const RECT& itemRect);
  SIZE ComputedPopupSize(TMenuItem* first);
  int ExtraWidth(const TMenuItem* item, const TacMenuInfo& info) const;
  bool FirstColumn(const TMenuItem* item) const;
  void PaintExtraLine(TBitmap32& bmp, int height);
  void DrawDivider(TBitmap32& out, const TBitmap32& bg, int extra);
  void DrawCaptionItem(TMenuItem* item, HDC dc, TBitmap32& out, int extra, int height);
  void DrawNormalItem(TMenuItem* item, const TMenuDrawArgs& args, HDC dc, TBitmap32& out, const TBitmap32& bg,
                      int extra);
  HFONT WebdingsFont();

  TsSkinManager* owner_;
  bool active_ = false;
  int skinBorderWidth_ = -1;
  int32_t mainMenu_ = -1, menuItem_ = -1, icoLine_ = -1, divider_ = -1, toolbar_ = -1, smallButton_ = -1;
  int32_t checkImage_ = -1, radioImage_ = -1;
  bool indexesValid_ = false;
  std::vector<std::unique_ptr<TacMenuInfo>> cache_;
  std::vector<std::unique_ptr<TacMnuWnd>> adapters_;
  // The extra line of the popup being prepared.
  bool extraLine_ = false;
  std::string extraSection_ = "EXTRALINE";
  std::wstring extraCaption_;
  bool borderDrawing_ = false;
  bool borderRequestPending_ = false;
  // Scratch item bitmap and background slice, kept between items.
  TDibSurface item_;
  TBitmap32 bgSlice_;
  UniqueFont webdings_;
  TWindowHook appHook_;  // border requests arrive at the application window
};

}  // namespace glyphora
