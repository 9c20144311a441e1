// Gets a sorted font list's contents ready while the program builds its
// window: the installed families in the list's order, and the fonts of its
// first page, both made on a thread as soon as the font table exists.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "fontlist/font_table.h"
#include "fontlist/font_warmup.h"

namespace glyphora {

// Sorts families as a sorted list box orders its names: alphabetically,
// ignoring case by the user locale's rules; equal names keep their order.
void SortFamilies(std::vector<const TFontClass*>& families);

// Begins, on a thread, sorting FontsArray's families and then realising
// the first `rows` of them as `look` with that face name (a TFontWarmUp);
// once the order is known, only the fonts. Nothing is prepared when no
// thread can be started, or while a preparation is under way.
void PrepareFontList(const LOGFONTW& look, size_t rows);

// FontsArray's families sorted (SortFamilies): the prepared order, waited
// for, or sorted here.
const std::vector<const TFontClass*>& SortedFontsArray();

// Hands over the prepared warm-up when it realises `faces` first, in that
// order, as `look`; null when there is none or it realises others (then it
// is stopped). The warm-up is handed over once.
std::unique_ptr<TFontWarmUp> TakePreparedWarmUp(const std::vector<std::wstring>& faces, const LOGFONTW& look);

}  // namespace glyphora
