// Reading the options text into the whole-skin record and one general-data
// record per section, with parent-section inheritance of every section key.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "skin/core/ini_text.h"
#include "skin/core/skin_types.h"

namespace glyphora {

// Fills the keyed fields of data from section "GLOBALINFO" (defaults when it
// is missing); SkinPath and Active are left alone. Strict-int keys whose value
// is not a number raise EConvertError.
void ReadSkinData(const TIniText& ini, TsSkinData& data);

// One record per section of the text, in text order. The image indexes are
// left at -1 (the caller resolves them once the images are loaded).
std::vector<TsGeneralData> ReadGeneralData(const TIniText& ini);
// The same into gd, whose records (and their strings' memory) are reused.
// Records the load adds and the gradients it reads are charged to budget.
// Sections that have a long gradient text from the same line (inherited from
// one ancestor) share one copy of the text and its pieces.
void ReadGeneralData(const TIniText& ini, std::vector<TsGeneralData>& gd, TLoadBudget* budget = nullptr);

// The options text with a CommonSections text merged over it: a section the
// skin has gets the keys the common text sets (replacing the skin's values);
// any other common section is added, its PARENTCLASS pointing at the skin
// section it names (matched ignoring case), so that keys it does not set
// come from there. Spaces are removed from every common line that does not
// start with ";".
std::string MergeCommonSections(const TIniText& skin, std::string_view common);
std::string RemoveCommonSpaces(std::string_view common);

// The longest PARENTCLASS chain that is followed; an ancestor further away
// counts as missing. Real skins use one or two levels; the limit keeps a
// crafted chain of thousands of sections from taking quadratic time.
constexpr size_t kMaxParentDepth = 32;

// Reads one key of a section with inheritance: the section's own value, else
// the value of the nearest ancestor along "PARENTCLASS" (passed through the
// colour conversion), else def. A cycle of parents ends as "missing" (at the
// depth limit at the latest). -1 counts as missing.
int32_t ReadInheritedInt(const TIniText& ini, std::string_view section, std::string_view key, int32_t def);
std::string ReadInheritedString(const TIniText& ini, std::string_view section, std::string_view key,
                                std::string_view def);
bool ReadInheritedBool(const TIniText& ini, std::string_view section, std::string_view key);

// The section's parent, or empty when it has none ("?" / missing / itself).
std::string_view ParentOf(const TIniSection& section);

enum class TSkinVersionCheck { Ok, Newer, Older };
// 7.0 up to 7.99 is Ok; above is Newer; below is Older.
TSkinVersionCheck CheckSkinVersion(double version);
// The message to show for Newer or Older (empty for Ok). The caller shows the
// Older message only when designing or started with "/actest".
std::string SkinVersionMessage(TSkinVersionCheck check, std::string_view skinName);

}  // namespace glyphora
