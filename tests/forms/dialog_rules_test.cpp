// Message box styles from a type and a set of buttons; the border, child
// adapters and caption buttons of skinned dialogs.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "skin/forms/dialog_rules.h"
#include "skin/forms/message_box_style.h"

namespace glyphora {
namespace {

using T = TMsgDlgType;

TEST(MessageBoxStyle, TypeAndButtonsGiveIconButtonSetAndCaption) {
  const struct {
    T type;
    TMsgDlgButtons buttons;
    uint32_t style;
    const wchar_t* caption;
  } cases[] = {
      {T::mtCustom, MsgButtons(mbOK), kMbOk, L""},
      {T::mtConfirmation, MsgButtons(mbYes, mbNo, mbCancel), kMbIconQuestion | kMbYesNoCancel, L"Confirm"},
      {T::mtConfirmation, MsgButtons(mbYes, mbNo), kMbIconQuestion | kMbYesNo, L"Confirm"},
      {T::mtWarning, MsgButtons(mbOK, mbCancel), kMbIconWarning | kMbOkCancel, L"Warning"},
      {T::mtError, MsgButtons(mbAbort, mbRetry, mbIgnore), kMbIconError | kMbAbortRetryIgnore, L"Error"},
      {T::mtError, MsgButtons(mbIgnore), kMbIconError | kMbAbortRetryIgnore, L"Error"},
      {T::mtInformation, MsgButtons(mbRetry, mbCancel), kMbIconInformation | kMbRetryCancel, L"Information"},
      // OK wins over the others; nothing known gives OK.
      {T::mtInformation, MsgButtons(mbOK, mbYes, mbAbort), kMbIconInformation | kMbOk, L"Information"},
      {T::mtCustom, MsgButtons(mbCancel), kMbOk, L""},
      {T::mtCustom, 0, kMbOk, L""},
      // Help is bit 10 of the set and bit 14 of the style.
      {T::mtWarning, MsgButtons(mbYes, mbNo, mbHelp), kMbIconWarning | kMbYesNo | 0x4000, L"Warning"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MessageBoxStyle(c.type, c.buttons), c.style) << int(c.type) << " " << c.buttons;
    EXPECT_EQ(std::wstring(DefaultMessageCaption(c.type)), c.caption);
  }
}

// The platform's style bits.
constexpr uint32_t kPopup = 0x80000000, kVisible = 0x10000000, kCaption = 0x00C00000, kBorder = 0x00800000,
                   kSysMenu = 0x00080000, kThick = 0x00040000, kMinBox = 0x00020000, kMaxBox = 0x00010000,
                   kModal = 0x80;

TEST(DialogRules, BorderStyleOfWindowStyles) {
  using B = TacBorderStyle;
  const struct {
    uint32_t style;
    B border;
  } cases[] = {
      {kPopup | kCaption | kSysMenu | kModal, B::acbsDialog},  // a message box
      {kPopup | kCaption | kThick | kModal, B::acbsSizeable},
      {kPopup | kBorder, B::acbsNone},                         // no full caption
      {kCaption | kSysMenu, B::acbsSingle},                    // nothing else: a single border, not sizeable
      {kPopup | kCaption, B::acbsSingle},
  };
  for (const auto& c : cases) EXPECT_EQ(DialogBorderStyle(c.style), c.border) << std::hex << c.style;
}

TEST(DialogRules, ChildAdapterByClassAndStyle) {
  using K = TDialogChildKind;
  const struct {
    const wchar_t* cls;
    uint32_t style, exStyle;
    K kind;
    std::string section;
  } cases[] = {
      {L"static", 0x0, 0, K::Static, "CHECKBOX"},      {L"static", 0x1, 0, K::Static, "CHECKBOX"},
      {L"static", 0x3, 0, K::Icon, "CHECKBOX"},        {L"static", 0xE, 0x20000, K::Edge, "EDIT"},
      {L"static", 0xD, 0, K::None, ""},                {L"static", 0x7, 0, K::None, ""},  // owner-drawn, frame
      {L"static", 0x10, 0, K::None, ""},               // etched line
      {L"button", 0x0, 0, K::PushButton, "BUTTON"},    {L"button", 0x1, 0, K::PushButton, "BUTTON"},
      {L"button", 0x40, 0, K::None, ""},               // shows an icon instead of its caption
      {L"button", 0x7, 0, K::GroupBox, "GROUPBOX"},    {L"button", 0x3, 0, K::None, ""},  // check box
      {L"button", 0x9, 0, K::None, ""},                {L"button", 0xB, 0, K::None, ""},  // radio, owner-drawn
      {L"edit", kVisible, 0, K::Edit, "EDIT"},         {L"edit", 0, 0, K::None, ""},     // hidden edits keep theirs
      {L"combolbox", 0, 0, K::Edit, "COMBOBOX"},       {L"Static", 0, 0, K::None, ""},   // lower case expected
      {L"msctls_progress32", 0, 0, K::None, ""},
  };
  for (const auto& c : cases) {
    const TDialogChildRule r = DialogChildRule(c.cls, c.style, c.exStyle);
    EXPECT_EQ(r.Kind, c.kind) << std::string(c.cls, c.cls + std::wcslen(c.cls)) << " " << std::hex << c.style;
    if (c.kind != K::None) {
      EXPECT_EQ(r.Section, c.section);
    }
  }
}

TEST(DialogRules, CaptionButtonsShownAndEnabledByStylesAndState) {
  TDialogButtonInput box{kPopup | kCaption | kSysMenu | kModal};
  TDialogButtons b = DialogButtons(box);
  EXPECT_TRUE(b.Visible[cbClose] && b.Enabled[cbClose]);
  EXPECT_FALSE(b.Visible[cbMax] || b.Visible[cbMin] || b.Visible[cbHelp]);
  box.NoClose = true;  // a yes/no box: close shown, disabled
  EXPECT_FALSE(DialogButtons(box).Enabled[cbClose]);
  // Maximise only for borders that can size; restore once maximised.
  TDialogButtonInput sized{kCaption | kSysMenu | kThick | kMaxBox | kMinBox};
  b = DialogButtons(sized);
  EXPECT_TRUE(b.Enabled[cbMax] && b.Enabled[cbMin] && !b.RestoreEnabled);
  sized.Maximized = true;
  b = DialogButtons(sized);
  EXPECT_TRUE(!b.Enabled[cbMax] && b.RestoreEnabled);
  EXPECT_FALSE(DialogButtons({kPopup | kCaption | kModal | kMaxBox}).Enabled[cbMax]);
  EXPECT_TRUE(DialogUsesSmallButtons(TacBorderStyle::acbsDialog, true));
  EXPECT_FALSE(DialogUsesSmallButtons(TacBorderStyle::acbsDialog, false));
  EXPECT_FALSE(DialogUsesSmallButtons(TacBorderStyle::acbsSingle, true));
}

}  // namespace
}  // namespace glyphora
