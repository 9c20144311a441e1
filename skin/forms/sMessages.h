// Message boxes of the program: the platform's message box built from a
// message type and a set of buttons, owned by the application window and
// modal to the whole program. The window-creation hook gives them the skin.
#pragma once
#include <cstdint>
#include <string>

#include "skin/forms/message_box_style.h"

namespace glyphora {

// The core: caption (empty: the type's default), text, type, position of
// the box's top-left corner on the screen (-1, -1: placed by the platform;
// one coordinate -1 keeps the platform's for it), help context (0: none)
// and buttons. Returns the platform's answer (IDOK, IDCANCEL, ...; 0 when
// the box could not be shown).
int ShowSkinMessage(const std::wstring& caption, const std::wstring& text, TMsgDlgType type, int x, int y,
                    uint32_t helpContext, TMsgDlgButtons buttons);
// Custom type, OK only, placed by the platform, no help: the About box.
int ShowSkinMessageCaption(const std::wstring& caption, const std::wstring& text);
// The caption of the type.
int ShowSkinMessage(const std::wstring& text, TMsgDlgType type, TMsgDlgButtons buttons, uint32_t helpContext = 0);
// The caption of the type, at a position.
int ShowSkinMessagePos(const std::wstring& text, TMsgDlgType type, TMsgDlgButtons buttons, uint32_t helpContext,
                       int x, int y);

}  // namespace glyphora
