// The system menu's rules per border, icons and window state; the border
// kind read from window styles; menu item kinds and sizes.
#include <gtest/gtest.h>

#include "skin/forms/menu_metrics.h"
#include "skin/forms/sys_menu_rules.h"

namespace glyphora {
namespace {

using B = TFormBorderKind;

struct RuleCase {
  const char* name;
  TSysMenuState state;
  // Restore, Move, Size, Minimize, Maximize, Close: visible and enabled.
  bool visible[6], enabled[6];
};

TSysMenuState State(B border, bool minBox, bool maxBox, bool minimized, bool maximized, bool sysMenu = true) {
  TSysMenuState s;
  s.Border = border;
  s.BiMinimize = minBox;
  s.BiMaximize = maxBox;
  s.Minimized = minimized;
  s.Maximized = maximized;
  s.HaveSysMenu = sysMenu;
  return s;
}

TEST(SysMenuRules, ItemsFollowBorderIconsAndState) {
  const RuleCase cases[] = {
      {"normal sizeable", State(B::bkSizeable, true, true, false, false),
       {true, true, true, true, true, true}, {false, true, true, true, true, true}},
      {"maximised sizeable", State(B::bkSizeable, true, true, false, true),
       {true, true, true, true, true, true}, {true, false, true, true, false, true}},
      {"minimised sizeable", State(B::bkSizeable, true, true, true, false),
       {true, true, true, true, true, true}, {true, true, false, false, true, true}},
      {"no maximise box", State(B::bkSizeable, true, false, false, false),
       {true, true, true, true, false, true}, {false, true, true, true, false, true}},
      {"single border", State(B::bkSingle, true, true, false, false),
       {true, true, true, true, true, true}, {false, true, false, true, true, true}},
      {"dialog", State(B::bkDialog, false, false, false, false),
       {false, true, false, false, false, true}, {false, true, true, false, false, true}},
      {"without system menu", State(B::bkSizeable, true, true, false, false, false),
       {false, true, true, false, false, false}, {false, true, true, true, true, true}},
  };
  for (const RuleCase& c : cases) {
    const TSysMenuRules r = SysMenuRules(c.state);
    const bool visible[6] = {r.VisibleRestore, r.VisibleMove, r.VisibleSize, r.VisibleMin, r.VisibleMax, r.VisibleClose};
    const bool enabled[6] = {r.EnabledRestore, r.EnabledMove, r.EnabledSize, r.EnabledMin, r.EnabledMax, r.EnabledClose};
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(visible[i], c.visible[i]) << c.name << " item " << i;
      EXPECT_EQ(enabled[i], c.enabled[i]) << c.name << " item " << i;
    }
  }
}

TEST(SysMenuRules, BorderKindOfWindowStyles) {
  constexpr uint32_t caption = 0x00C00000, thick = 0x00040000, dlgModal = 0x1, tool = 0x80;
  EXPECT_EQ(BorderKindOfStyle(caption | thick, 0), B::bkSizeable);
  EXPECT_EQ(BorderKindOfStyle(caption, 0), B::bkSingle);
  EXPECT_EQ(BorderKindOfStyle(caption, dlgModal), B::bkDialog);
  EXPECT_EQ(BorderKindOfStyle(caption, tool), B::bkToolWindow);
  EXPECT_EQ(BorderKindOfStyle(caption | thick, tool), B::bkSizeToolWin);
  EXPECT_EQ(BorderKindOfStyle(0, 0), B::bkNone);
}

TEST(MenuMetrics, KindsAndSizes) {
  EXPECT_EQ(MenuItemTypeOf(L"-"), TsMenuItemType::smDivider);
  EXPECT_EQ(MenuItemTypeOf(L"-Fonts-"), TsMenuItemType::smCaption);
  EXPECT_EQ(MenuItemTypeOf(L"--"), TsMenuItemType::smCaption);
  EXPECT_EQ(MenuItemTypeOf(L"-x"), TsMenuItemType::smNormal);
  EXPECT_EQ(CaptionItemText(L"--Fonts--"), L"Fonts");
  TMenuItemSizeInput in;
  in.TextWidth = 50;
  in.LineHeight = 13;  // 16.25 rounds to 16
  in.GlyphHeight = 24;
  EXPECT_EQ(MenuItemSize(in).Height, 24 + 4);  // a tall glyph wins
  in.ExtraWidth = 32;
  EXPECT_EQ(MenuItemSize(in).Width, 32 + 50 + 6 + 8 + 32);
  in.Type = TsMenuItemType::smCaption;
  EXPECT_EQ(MenuItemSize(in).Height, 16 + 4);  // the glyph does not count
}

}  // namespace
}  // namespace glyphora
