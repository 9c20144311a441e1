#include "framework/inifiles.h"

#include <windows.h>

#include <stdexcept>

#include "framework/application.h"

namespace glyphora {

std::optional<int32_t> ParseIniInteger(const std::wstring& text) {
  if (text.size() >= 3 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
    // Up to eight hexadecimal digits; eight digits may set the sign bit.
    if (text.size() - 2 > 8) return std::nullopt;
    uint32_t v = 0;
    for (size_t i = 2; i < text.size(); ++i) {
      wchar_t c = text[i];
      int d = c >= L'0' && c <= L'9' ? c - L'0' : c >= L'a' && c <= L'f' ? c - L'a' + 10
              : c >= L'A' && c <= L'F' ? c - L'A' + 10 : -1;
      if (d < 0) return std::nullopt;
      v = v * 16 + static_cast<uint32_t>(d);
    }
    return static_cast<int32_t>(v);
  }
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  if (i >= text.size()) return std::nullopt;
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
    v = v * 10 + (text[i] - L'0');
    if (v > 2147483648LL) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return std::nullopt;
  return static_cast<int32_t>(v);
}

std::wstring TIniFile::ReadString(const std::wstring& section, const std::wstring& key) const {
  std::wstring buf(256, L'\0');
  for (;;) {
    DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buf.data(),
                                         static_cast<DWORD>(buf.size()), fileName_.c_str());
    if (n + 1 < buf.size() || buf.size() >= 65536) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 4);
  }
}

int32_t TIniFile::ReadInteger(const std::wstring& section, const std::wstring& key, int32_t defaultValue) const {
  return ParseIniInteger(ReadString(section, key)).value_or(defaultValue);
}

void TIniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  if (!::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str()))
    throw std::runtime_error("Unable to write to " + Narrow(fileName_));
}

void TIniFile::WriteInteger(const std::wstring& section, const std::wstring& key, int32_t value) {
  WriteString(section, key, std::to_wstring(value));
}

}  // namespace glyphora
