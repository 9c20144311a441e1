// Message boxes of the program.
#pragma once
#include <string>

namespace glyphora {

// A modal message box with an OK button and no icon, owned by the
// application window.
void ShowSkinMessageCaption(const std::wstring& caption, const std::wstring& text);

}  // namespace glyphora
