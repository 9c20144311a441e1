#include <algorithm>
#include <charconv>
#include <string>

#include "skin/core/gradient_data.h"

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
  TsGradArray out;
  ParseGradientData(text, out);
  return out;
}

void ParseGradientData(std::string_view text, TsGradArray& out) {
  // Words are the non-empty runs between ";"; every five make one piece
  // (a trailing incomplete piece is dropped). Two passes: count, then read.
  auto forEachWord = [text](auto&& fn) {
    size_t i = 0;
    while (i < text.size()) {
      if (text[i] == ';') { ++i; continue; }
      const size_t j = std::min(text.find(';', i), text.size());
      fn(text.substr(i, j - i));
      i = j;
    }
  };
  size_t count = 0;
  forEachWord([&count](std::string_view) { ++count; });
  out.assign(count / 5, TsGradPie{});
  size_t n = 0;
  forEachWord([&](std::string_view w) {
    const size_t s = n / 5, field = n % 5;
    ++n;
    if (s >= out.size()) return;
    TsGradPie& p = out[s];
    switch (field) {
      case 0: p.Color1 = static_cast<TColor>(std::max(0, ParseWord(w))); break;
      case 1: p.Color2 = static_cast<TColor>(std::max(0, ParseWord(w))); break;
      case 2: p.Percent = static_cast<uint8_t>(std::clamp(ParseWord(w), 0, 100)); break;
      case 3: p.Mode1 = ParseWord(w); break;
      default: p.Mode2 = 0; break;
    }
  });
}

}  // namespace glyphora
