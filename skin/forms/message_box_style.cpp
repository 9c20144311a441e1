#include "skin/forms/message_box_style.h"

namespace glyphora {

uint32_t MessageIconStyle(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning: return kMbIconWarning;
    case TMsgDlgType::mtError: return kMbIconError;
    case TMsgDlgType::mtInformation: return kMbIconInformation;
    case TMsgDlgType::mtConfirmation: return kMbIconQuestion;
    default: return 0;
  }
}

uint32_t MessageButtonStyle(TMsgDlgButtons b) {
  auto has = [b](TMsgDlgBtn k) { return (b & MsgButtons(k)) != 0; };
  uint32_t style;
  if (has(mbOK)) {
    style = has(mbCancel) ? kMbOkCancel : kMbOk;
  } else if (has(mbAbort) || has(mbIgnore)) {
    style = kMbAbortRetryIgnore;
  } else if (has(mbYes) || has(mbNo)) {
    style = has(mbCancel) ? kMbYesNoCancel : kMbYesNo;
  } else if (has(mbRetry)) {
    style = kMbRetryCancel;
  } else {
    style = kMbOk;
  }
  return has(mbHelp) ? style | kMbHelp : style;
}

const wchar_t* DefaultMessageCaption(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning: return L"Warning";
    case TMsgDlgType::mtError: return L"Error";
    case TMsgDlgType::mtInformation: return L"Information";
    case TMsgDlgType::mtConfirmation: return L"Confirm";
    default: return L"";
  }
}

}  // namespace glyphora
