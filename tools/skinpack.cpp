// Packs skin files into one skin package ("ASzf"): the magic, the member
// count, then per member its name length, name, uncompressed size and a zlib
// stream (default compression, header 78 9C). Members are stored in the order
// given; each member's name is its file name without folders.
//
//   skinpack <output.asz> <file>...
//
// The package is written to a temporary file and renamed into place, so a
// failed run never leaves a half-written package behind.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 0; s < 32; s += 8) out.push_back(uint8_t(v >> s));
}

bool ReadFile(const std::filesystem::path& path, std::vector<uint8_t>& data) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool AddMember(std::vector<uint8_t>& out, const std::filesystem::path& path) {
  std::vector<uint8_t> data;
  if (!ReadFile(path, data)) {
    std::fprintf(stderr, "skinpack: cannot read %s\n", path.string().c_str());
    return false;
  }
  std::string name = path.filename().string();
  if (name.empty() || data.size() > UINT32_MAX) {
    std::fprintf(stderr, "skinpack: unusable member %s\n", path.string().c_str());
    return false;
  }
  uLongf zlen = compressBound(uLong(data.size()));
  std::vector<uint8_t> z(zlen);
  if (compress2(z.data(), &zlen, data.data(), uLong(data.size()), Z_DEFAULT_COMPRESSION) != Z_OK) {
    std::fprintf(stderr, "skinpack: cannot compress %s\n", name.c_str());
    return false;
  }
  PutU32(out, uint32_t(name.size()));
  out.insert(out.end(), name.begin(), name.end());
  PutU32(out, uint32_t(data.size()));
  out.insert(out.end(), z.begin(), z.begin() + zlen);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: skinpack <output.asz> <file>...\n");
    return 2;
  }
  std::vector<uint8_t> out = {'A', 'S', 'z', 'f'};
  PutU32(out, uint32_t(argc - 2));
  for (int i = 2; i < argc; ++i)
    if (!AddMember(out, argv[i])) return 1;

  std::filesystem::path target = argv[1];
  std::filesystem::path temp = target;
  temp += ".tmp";
  {
    std::ofstream f(temp, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    if (!f.flush()) {
      std::fprintf(stderr, "skinpack: cannot write %s\n", temp.string().c_str());
      return 1;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, target, ec);
  if (ec) {
    std::fprintf(stderr, "skinpack: cannot replace %s: %s\n", target.string().c_str(), ec.message().c_str());
    std::filesystem::remove(temp, ec);
    return 1;
  }
  return 0;
}
