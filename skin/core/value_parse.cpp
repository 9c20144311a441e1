#include "skin/core/value_parse.h"

#include <charconv>

#include "base/skin_error.h"

namespace glyphora {

bool TryStrToInt(std::string_view s, int32_t& out) {
  size_t i = 0;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;
  uint64_t v = 0;
  if (hex) {
    if (s.size() - i > 8) {
      // Leading zeros are fine; more than 8 significant digits are not.
      while (i < s.size() - 8 && s[i] == '0') ++i;
      if (s.size() - i > 8) return false;
    }
    for (; i < s.size(); ++i) {
      char c = s[i];
      int d = (c >= '0' && c <= '9') ? c - '0'
              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                       : -1;
      if (d < 0) return false;
      v = v * 16 + static_cast<uint64_t>(d);
    }
    uint32_t bits = static_cast<uint32_t>(v);
    out = static_cast<int32_t>(neg ? 0u - bits : bits);
    return true;
  }
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
    if (v > 2147483648ull) return false;
  }
  if (!neg && v > 2147483647ull) return false;
  out = neg ? static_cast<int32_t>(-static_cast<int64_t>(v)) : static_cast<int32_t>(v);
  return true;
}

int32_t StrToIntDef(std::string_view s, int32_t def) {
  int32_t v;
  return TryStrToInt(s, v) ? v : def;
}

int32_t StrToIntStrict(std::string_view s) {
  int32_t v;
  if (!TryStrToInt(s, v)) RaiseInvalidInteger(s);
  return v;
}

bool TryDigits(std::string_view s, int32_t& out) {
  if (s.empty() || s.size() > 9) return false;
  int32_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  out = v;
  return true;
}

double StrToFloatDef(std::string_view s, double def) {
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  double v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (ec != std::errc() || p != s.data() + s.size() || s.empty()) return def;
  return v;
}

}  // namespace glyphora
