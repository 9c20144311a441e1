#include <algorithm>
#include <string>

#include "skin/core/value_parse.h"
#include "skin/paint/gradient.h"

namespace glyphora {

namespace {

int32_t Word(std::string_view w) {
  int32_t v = 0;
  if (!TryStrToInt(w, v)) throw EGradientError("'" + std::string(w) + "' is not a valid integer value");
  return v;
}

}  // namespace

TsGradArray ParseGradientData(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ';') ++i;
    size_t start = i;
    while (i < text.size() && text[i] != ';') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  TsGradArray out(words.size() / 5);
  for (size_t k = 0; k < out.size(); ++k) {
    const std::string_view* w = &words[5 * k];
    out[k].Color1 = static_cast<TColor>(std::max(Word(w[0]), 0));
    out[k].Color2 = static_cast<TColor>(std::max(Word(w[1]), 0));
    out[k].Percent = static_cast<uint8_t>(std::clamp(Word(w[2]), 0, 100));
    out[k].Mode1 = Word(w[3]);
    out[k].Mode2 = 0;
  }
  return out;
}

}  // namespace glyphora
