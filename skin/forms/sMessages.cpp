#include "skin/forms/sMessages.h"

#include <windows.h>

#include "framework/application.h"

namespace glyphora {

void ShowSkinMessageCaption(const std::wstring& caption, const std::wstring& text) {
  MSGBOXPARAMSW p{};
  p.cbSize = sizeof(p);
  p.hwndOwner = Application()->Handle();
  p.hInstance = ::GetModuleHandleW(nullptr);
  p.lpszText = text.c_str();
  p.lpszCaption = caption.c_str();
  p.dwStyle = MB_OK;
  p.dwContextHelpId = 0;
  p.dwLanguageId = LANG_NEUTRAL;
  ModalScope modal;
  ::MessageBoxIndirectW(&p);
}

}  // namespace glyphora
