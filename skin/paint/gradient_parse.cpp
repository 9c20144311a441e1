#include <algorithm>
#include <charconv>
#include <string>

#include "skin/paint/gradient.h"

namespace glyphora {
namespace {

int32_t ParseWord(std::string_view w) {
  // Surrounding blanks are tolerated; anything else must be the number.
  while (!w.empty() && (w.front() == ' ' || w.front() == '\t')) w.remove_prefix(1);
  while (!w.empty() && (w.back() == ' ' || w.back() == '\t' || w.back() == '\r' || w.back() == '\n')) w.remove_suffix(1);
  std::string_view digits = w;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  int32_t v = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
    throw EGradientError("'" + std::string(w) + "' is not a valid integer value in gradient data");
  return v;
}

}  // namespace

TsGradArray ParseGradientData(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ';') { ++i; continue; }
    const size_t j = std::min(text.find(';', i), text.size());
    words.push_back(text.substr(i, j - i));
    i = j;
  }
  TsGradArray out(words.size() / 5);
  for (size_t s = 0; s < out.size(); ++s) {
    TsGradPie& p = out[s];
    p.Color1 = static_cast<TColor>(std::max(0, ParseWord(words[5 * s])));
    p.Color2 = static_cast<TColor>(std::max(0, ParseWord(words[5 * s + 1])));
    p.Percent = static_cast<uint8_t>(std::clamp(ParseWord(words[5 * s + 2]), 0, 100));
    p.Mode1 = ParseWord(words[5 * s + 3]);
    p.Mode2 = 0;
  }
  return out;
}

}  // namespace glyphora
