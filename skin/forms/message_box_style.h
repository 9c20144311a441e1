// What a skinned message box is made of, without the window system: the
// platform style (icon, button set, help button) of a message type and a set
// of buttons, and the default caption of each type. The numbers are the
// platform's MB_ values.
#pragma once
#include <cstdint>

namespace glyphora {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// A set of buttons: bit n is button n.
enum TMsgDlgBtn : uint32_t {
  mbYes = 0, mbNo = 1, mbOK = 2, mbCancel = 3, mbAbort = 4, mbRetry = 5, mbIgnore = 6, mbHelp = 10,
};
using TMsgDlgButtons = uint32_t;
constexpr TMsgDlgButtons MsgButtons(TMsgDlgBtn b) { return TMsgDlgButtons{1} << b; }
template <class... B>
constexpr TMsgDlgButtons MsgButtons(TMsgDlgBtn b, B... rest) {
  return MsgButtons(b) | MsgButtons(rest...);
}

// The platform's style bits used here.
enum : uint32_t {
  kMbOk = 0x0, kMbOkCancel = 0x1, kMbAbortRetryIgnore = 0x2, kMbYesNoCancel = 0x3, kMbYesNo = 0x4,
  kMbRetryCancel = 0x5, kMbIconError = 0x10, kMbIconQuestion = 0x20, kMbIconWarning = 0x30,
  kMbIconInformation = 0x40, kMbHelp = 0x4000,
};

// The icon of a type (0 for custom).
uint32_t MessageIconStyle(TMsgDlgType type);
// The platform's button set closest to the buttons asked for, with the
// help button when it is in the set.
uint32_t MessageButtonStyle(TMsgDlgButtons buttons);
inline uint32_t MessageBoxStyle(TMsgDlgType type, TMsgDlgButtons buttons) {
  return MessageIconStyle(type) | MessageButtonStyle(buttons);
}
// "Warning", "Error", "Information", "Confirm"; empty for custom.
const wchar_t* DefaultMessageCaption(TMsgDlgType type);

}  // namespace glyphora
