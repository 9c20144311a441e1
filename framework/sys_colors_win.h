// Makes the colour conversion of skin options use the platform's system colours.
#pragma once

namespace glyphora {

// Installs GetSysColor as the source of system colours (call once at start).
void InstallSystemColorSource();

}  // namespace glyphora
