#ifdef _WIN32
#include <windows.h>
#endif
#include "internal_skin/package_bytes.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace skintest {

namespace {

uint32_t U32(std::span<const uint8_t> b, size_t at) {
  if (at + 4 > b.size()) throw std::runtime_error("package ends inside a length field");
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

}  // namespace

std::vector<StreamStart> StreamStarts(std::span<const uint8_t> b) {
  std::vector<StreamStart> out;
  uint32_t n = U32(b, 4);
  size_t at = 8;
  for (uint32_t i = 0; i < n; ++i) {
    uint32_t len = U32(b, at);
    at += 4;
    if (len > b.size() - at) throw std::runtime_error("name runs past the end");
    StreamStart s;
    s.name.assign(reinterpret_cast<const char*>(b.data() + at), len);
    at += len;
    uint32_t size = U32(b, at);
    at += 4;
    if (at + 2 > b.size()) throw std::runtime_error("missing stream");
    s.cmf = b[at];
    s.flg = b[at + 1];
    std::vector<uint8_t> sink(size + 1);
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw std::runtime_error("inflateInit");
    z.next_in = const_cast<Bytef*>(b.data() + at);
    z.avail_in = uInt(b.size() - at);
    z.next_out = sink.data();
    z.avail_out = uInt(sink.size());
    int rc = inflate(&z, Z_FINISH);
    size_t consumed = z.total_in;
    inflateEnd(&z);
    if (rc != Z_STREAM_END) throw std::runtime_error(s.name + ": stream does not end");
    at += consumed;
    out.push_back(s);
  }
  return out;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> InternalSkinPackage(const char* hostPath) {
#ifdef _WIN32
  (void)hostPath;
  HRSRC res = FindResourceW(nullptr, L"INTERNAL_SKIN", MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL h = res ? LoadResource(nullptr, res) : nullptr;
  if (!h) return {};
  auto* p = static_cast<const uint8_t*>(LockResource(h));
  return {p, p + SizeofResource(nullptr, res)};
#else
  return hostPath ? ReadFileBytes(hostPath) : std::vector<uint8_t>{};
#endif
}

}  // namespace skintest
