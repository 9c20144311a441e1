// Message box styles from a type and a set of buttons.
#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace glyphora
