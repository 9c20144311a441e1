#include "skin/core/sCommonData.h"

#include <cctype>

namespace glyphora {

void TsCommonData::SetSkinSection(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  FSkinSection = upper.empty() ? "UNKNOWN" : upper;
  SkinIndex = -1;
  BGChanged = true;
}

}  // namespace glyphora
