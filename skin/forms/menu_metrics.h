// Sizes and kinds of skinned menu items, and the parts of a popup's
// background: the icon column and the extra line. No window system.
#pragma once
#include <cstdint>
#include <string>

namespace glyphora {

enum class TsMenuItemType { smCaption, smDivider, smNormal, smTopLine };

// "-" is a divider; a longer caption that begins and ends with "-" is a
// caption item; anything else is normal.
TsMenuItemType MenuItemTypeOf(const std::wstring& caption);
// A caption item's text without its framing dashes.
std::wstring CaptionItemText(const std::wstring& caption);

struct TMenuItemSizeInput {
  TsMenuItemType Type = TsMenuItemType::smNormal;
  int32_t TextWidth = 0;    // caption (and shortcut) as measured
  int32_t LineHeight = 0;   // the font's height of "W"
  int32_t GlyphWidth = 16, GlyphHeight = 16;
  int32_t Margin = 2, Spacing = 8;
  int32_t ExtraWidth = 0;   // the extra line, for first-column items of a popup that has one
};
struct TMenuItemSize {
  int32_t Width, Height;
};
TMenuItemSize MenuItemSize(const TMenuItemSizeInput& in);

// The icon column's width: glyph width + margin + spacing.
inline int32_t IconColumnWidth(int32_t glyphWidth, int32_t margin, int32_t spacing) {
  return glyphWidth + margin + spacing;
}

// Weight of the item in the blend of a disabled item towards the popup's
// background (60 % item, 40 % background).
constexpr uint8_t kDisabledItemWeight = 153;

}  // namespace glyphora
