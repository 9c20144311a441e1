#include "internal_skin/package_view.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace skintest {

namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  if (at + 4 > b.size()) throw std::runtime_error("package ends inside a length field");
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

std::string Upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

int Digits(const std::string& v, size_t pos, size_t n) {
  if (pos + n > v.size()) throw std::runtime_error("entry too short: " + v);
  int r = 0;
  for (size_t i = pos; i < pos + n; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(v[i]))) throw std::runtime_error("not a digit in " + v);
    r = r * 10 + (v[i] - '0');
  }
  return r;
}

}  // namespace

const Member* Package::Find(const std::string& name) const {
  for (const Member& m : members)
    if (Upper(m.name) == Upper(name)) return &m;
  return nullptr;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Package ReadPackage(const std::vector<uint8_t>& b) {
  if (b.size() < 8 || std::string(b.begin(), b.begin() + 4) != "ASzf")
    throw std::runtime_error("not a skin package");
  Package p;
  uint32_t n = U32(b, 4);
  size_t at = 8;
  for (uint32_t i = 0; i < n; ++i) {
    Member m;
    uint32_t len = U32(b, at);
    at += 4;
    if (len > b.size() - at) throw std::runtime_error("name runs past the end");
    m.name.assign(b.begin() + long(at), b.begin() + long(at + len));
    at += len;
    m.size = U32(b, at);
    at += 4;
    if (at + 2 > b.size()) throw std::runtime_error("missing stream");
    m.header[0] = b[at];
    m.header[1] = b[at + 1];
    m.data.resize(m.size);
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw std::runtime_error("inflateInit");
    z.next_in = const_cast<Bytef*>(b.data() + at);
    z.avail_in = uInt(b.size() - at);
    z.next_out = m.data.data();
    z.avail_out = uInt(m.data.size());
    int rc = inflate(&z, Z_FINISH);
    size_t consumed = z.total_in, produced = z.total_out;
    inflateEnd(&z);
    if (rc != Z_STREAM_END) throw std::runtime_error(m.name + ": stream does not end after its size");
    if (produced != m.size) throw std::runtime_error(m.name + ": inflates to another size");
    at += consumed;
    m.streamEnd = at;
    p.members.push_back(std::move(m));
  }
  p.totalSize = b.size();
  if (at != b.size()) throw std::runtime_error("bytes after the last member");
  return p;
}

const std::string* Section::Get(const std::string& key) const {
  for (const auto& kv : keys)
    if (kv.first == key) return &kv.second;
  return nullptr;
}

std::vector<Section> ParseOptions(const std::string& text) {
  std::vector<Section> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      out.push_back({line.substr(1, line.size() - 2), {}});
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos || out.empty()) continue;
    out.back().keys.emplace_back(line.substr(0, eq), line.substr(eq + 1));
  }
  return out;
}

ImageSize ImageSizeOf(const std::vector<uint8_t>& f) {
  ImageSize s;
  if (f.size() >= 54 && f[0] == 'B' && f[1] == 'M') {
    s.width = int32_t(U32(f, 18));
    s.height = std::abs(int32_t(U32(f, 22)));
    s.bitsPerPixel = f[28] | f[29] << 8;
  } else if (f.size() >= 29 && f[0] == 0x89 && f[1] == 'P' && f[2] == 'N' && f[3] == 'G') {
    s.width = int(Be32(f, 16));
    s.height = int(Be32(f, 20));
    s.bitsPerPixel = f[24] * (f[25] == 6 ? 4 : f[25] == 2 ? 3 : 1);
  }
  return s;
}

uint32_t BmpPixel(const std::vector<uint8_t>& f, int x, int y) {
  int w = int32_t(U32(f, 18)), h = int32_t(U32(f, 22));
  size_t off = U32(f, 10);
  int row = h > 0 ? h - 1 - y : y;  // positive height: rows stored bottom-up
  return U32(f, off + (size_t(row) * std::abs(w) + x) * 4);
}

bool ParseImageEntry(const std::string& v, ImageEntry& e) {
  if (v.empty()) return false;
  e = ImageEntry{};
  e.kind = v[0];
  switch (v[0]) {
    case '@':
    case '^':
    case '~':
      e.left = Digits(v, 1, 4);
      e.top = Digits(v, 6, 4);
      e.right = Digits(v, 11, 4);
      e.bottom = Digits(v, 16, 4);
      if (v[0] == '@') {
        e.count = Digits(v, 21, 1);
        e.maskType = Digits(v, 23, 1);
      } else if (v[0] == '^') {
        e.wl = Digits(v, 21, 4);
        e.wt = Digits(v, 26, 4);
        e.wr = Digits(v, 31, 4);
        e.wb = Digits(v, 36, 4);
        e.count = Digits(v, 41, 1);
        e.maskType = Digits(v, 43, 1);
        e.drawMode = Digits(v, 45, 1);
      } else {
        e.drawMode = Digits(v, 21, 2);
        e.maskType = v.size() >= 25 ? Digits(v, 24, 1) : 0;
      }
      return true;
    case '!': {
      std::vector<std::string> f;
      std::string cur;
      for (char c : v.substr(1) + "!") {
        if (c != '!') cur += c;
        else if (!cur.empty()) f.push_back(cur), cur.clear();
      }
      if (f.size() < 4) throw std::runtime_error("short file entry: " + v);
      e.file = f[0];
      e.count = std::stoi(f[1]);
      e.maskType = std::stoi(f[2]);
      e.drawMode = f.size() >= 9 ? std::stoi(f[8]) : 4;
      if (f.size() >= 8) {
        e.wl = std::stoi(f[4]);
        e.wt = std::stoi(f[5]);
        e.wr = std::stoi(f[6]);
        e.wb = std::stoi(f[7]);
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace skintest
