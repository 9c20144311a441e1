// Errors raised while a skin is read. A skin is a file from the internet, so
// every reader reports bad input with one of these instead of trusting it.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

namespace glyphora {

// Any error while reading a skin; the message is meant for the user.
class ESkinError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A zlib failure; FErrorCode keeps zlib's code (Z_DATA_ERROR, ...).
class EZLibError : public ESkinError {
 public:
  EZLibError(int code, const std::string& message) : ESkinError(message), FErrorCode(code) {}
  int ErrorCode() const { return FErrorCode; }

 private:
  int FErrorCode;
};

class EZDecompressionError : public EZLibError {
 public:
  using EZLibError::EZLibError;
};

// A text that had to be an integer and is not.
class EConvertError : public ESkinError {
 public:
  using ESkinError::ESkinError;
};

// Raises EConvertError with the platform's wording: "'abc' is not a valid integer value".
[[noreturn]] void RaiseInvalidInteger(std::string_view text);

// zlib's text for one of its return codes ("data error", "buffer error", ...).
const char* ZLibErrorText(int code);

}  // namespace glyphora
