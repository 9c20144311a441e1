#include "skin/core/skin_pack.h"

#include <cstring>
#include <fstream>

#include "base/skin_error.h"
#include "skin/core/load_budget.h"
#include "skin/core/zinflate.h"

namespace glyphora {

namespace {

// Smallest possible member record: two lengths and an empty zlib stream.
constexpr size_t kMinMemberRecord = 4 + 4 + 8;
// Deflate cannot expand data by more than about 1032:1; a stated size beyond
// that could never be produced by the bytes that are left.
constexpr uint64_t kMaxDeflateRatio = 1032;

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> b) : b_(b) {}
  size_t pos() const { return pos_; }
  size_t left() const { return b_.size() - pos_; }
  const uint8_t* here() const { return b_.data() + pos_; }
  void skip(size_t n) { pos_ += n; }
  uint32_t u32() {
    if (left() < 4) throw ESkinError("Stream read error");
    const uint8_t* p = here();
    pos_ += 4;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  }

 private:
  std::span<const uint8_t> b_;
  size_t pos_ = 0;
};

}  // namespace

size_t ReadPackageInto(TacSkinConvertor& c, std::span<const uint8_t> bytes) {
  Reader r(bytes);
  if (r.left() < 4 || std::memcmp(r.here(), "ASzf", 4) != 0)
    throw ESkinError("The loaded data is not a packed skin file");
  r.skip(4);
  uint32_t count = r.u32();
  if (count > kMaxPackageMembers || count > r.left() / kMinMemberRecord)
    throw ESkinError("Damaged skin package: member count " + std::to_string(count) +
                     " is larger than the package can hold");
  c.ImageCount = static_cast<int32_t>(count) - 1;
  uint64_t total = 0;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t nameLen = r.u32();
    if (nameLen > kMaxMemberNameLength || nameLen > r.left())
      throw ESkinError("Damaged skin package: member name length " + std::to_string(nameLen) +
                       " is larger than the package can hold");
    std::string name(reinterpret_cast<const char*>(r.here()), nameLen);
    r.skip(nameLen);
    uint32_t size = r.u32();
    if (size > kMaxMemberSize || size > uint64_t(r.left()) * kMaxDeflateRatio + 64 ||
        total + size > kMaxPackageInflatedSize)
      throw ESkinError("Damaged skin package: member \"" + name + "\" states a size of " +
                       std::to_string(size) + " bytes, more than the package can hold");
    total += size;
    if (TacSkinConvertor::IsOptionsName(name)) {
      if (size > kMaxOptionsTextSize)
        throw ESkinError("Damaged skin package: its options text states a size of " + std::to_string(size) +
                         " bytes, more than a skin's options may have");
      std::string text = c.TakeOptionsBuffer(size);
      r.skip(InflateMember(r.here(), r.left(), reinterpret_cast<uint8_t*>(text.data()), size));
      c.Options = std::move(text);
    } else {
      TacImageItem item;
      item.IsBitmap = UpperCaseAnsi(ExtractFileExt(name)) == ".BMP";
      item.FileName = std::move(name);
      item.FileStream = c.TakeBuffer(size);
      r.skip(InflateMember(r.here(), r.left(), item.FileStream.data(), size));
      c.Files.push_back(std::move(item));
    }
  }
  return r.pos();
}

std::string UpperCaseAnsi(std::string_view s) {
  std::string u(s);
  for (char& ch : u)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return u;
}

bool ContainsIgnoreCase(std::string_view s, std::string_view what) {
  auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  if (what.size() > s.size()) return false;
  for (size_t i = 0; i + what.size() <= s.size(); ++i) {
    size_t k = 0;
    while (k < what.size() && up(s[i + k]) == up(what[k])) ++k;
    if (k == what.size()) return true;
  }
  return false;
}

std::string_view ExtractFileExt(std::string_view name) {
  for (size_t i = name.size(); i-- > 0;) {
    char ch = name[i];
    if (ch == '.') return name.substr(i);
    if (ch == '\\' || ch == '/' || ch == ':') break;
  }
  return {};
}

bool TacSkinConvertor::IsOptionsName(std::string_view name) {
  return UpperCaseAnsi(name) == "OPTIONS.DAT";
}

// Buffers below this size come from the heap cheaply anyway.
constexpr size_t kKeptBufferSize = 64 * 1024;

void TacSkinConvertor::Clear() {
  ImageCount = 0;
  for (TacImageItem& item : Files)
    if (item.FileStream.capacity() >= kKeptBufferSize) spare_.push_back(std::move(item.FileStream));
  Files.clear();
  if (Options && Options->capacity() >= kKeptBufferSize) spareOptions_ = std::move(*Options);
  Options.reset();
}

std::string TacSkinConvertor::TakeOptionsBuffer(size_t size) {
  std::string text = std::move(spareOptions_);
  spareOptions_ = std::string();
  text.resize(size);
  return text;
}

std::vector<uint8_t> TacSkinConvertor::TakeBuffer(size_t size) {
  // The smallest kept buffer that holds size bytes, else a new one.
  size_t best = spare_.size();
  for (size_t i = 0; i < spare_.size(); ++i)
    if (spare_[i].capacity() >= size && (best == spare_.size() || spare_[i].capacity() < spare_[best].capacity()))
      best = i;
  std::vector<uint8_t> buf;
  if (best < spare_.size()) {
    buf = std::move(spare_[best]);
    spare_.erase(spare_.begin() + static_cast<ptrdiff_t>(best));
  }
  buf.resize(size);
  return buf;
}

size_t TacSkinConvertor::ReadPackage(std::span<const uint8_t> bytes) {
  Clear();
  try {
    return ReadPackageInto(*this, bytes);
  } catch (...) {
    Clear();
    throw;
  }
}

std::string PathText(const std::filesystem::path& path) {
  try {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
  } catch (const std::exception&) {
    return "(a path that cannot be shown)";
  }
}

bool TacSkinConvertor::LoadFromFile(const std::filesystem::path& fileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec)) return false;
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw ESkinError("Cannot open the skin file " + PathText(fileName));
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > kMaxPackageFileSize)
    throw ESkinError("The skin file " + PathText(fileName) + " is too large");
  in.seekg(0);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) throw ESkinError("Stream read error");
  ReadPackage(bytes);  // the file's bytes are dropped right after reading
  return true;
}

}  // namespace glyphora
