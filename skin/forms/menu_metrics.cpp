#include "skin/forms/menu_metrics.h"

#include <algorithm>
#include <cmath>

namespace glyphora {

TsMenuItemType MenuItemTypeOf(const std::wstring& caption) {
  if (caption == L"-") return TsMenuItemType::smDivider;
  if (caption.size() > 1 && caption.front() == L'-' && caption.back() == L'-') return TsMenuItemType::smCaption;
  return TsMenuItemType::smNormal;
}

std::wstring CaptionItemText(const std::wstring& caption) {
  size_t a = 0, b = caption.size();
  while (a < b && caption[a] == L'-') ++a;
  while (b > a && caption[b - 1] == L'-') --b;
  return caption.substr(a, b - a);
}

TMenuItemSize MenuItemSize(const TMenuItemSizeInput& in) {
  const int32_t line = static_cast<int32_t>(std::lround(in.LineHeight * 1.25));
  const int32_t width = 2 * in.GlyphWidth + in.TextWidth + 3 * in.Margin + in.Spacing + in.ExtraWidth;
  switch (in.Type) {
    case TsMenuItemType::smDivider:
      return {width, 2};
    case TsMenuItemType::smCaption:
      return {width, line + 2 * in.Margin};
    default:
      return {width, std::max(line, in.GlyphHeight) + 2 * in.Margin};
  }
}

}  // namespace glyphora
