// Packs skin files into one skin package ("ASzf"): the magic, the member
// count, then per member its name length, name, uncompressed size and a zlib
// stream (default compression, header 78 9C). Members are stored in the order
// given; each member's name is its file name without folders.
//
//   skinpack <output.asz> <file>...
//
// The records are written by the skin layer's package writer. The package is
// written to a temporary file and renamed into place, so a failed run never
// leaves a half-written package behind.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/core/skin_pack_writer.h"

namespace {

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
  const std::string name = path.filename().string();
  if (name.empty()) {
    std::fprintf(stderr, "skinpack: unusable member %s\n", path.string().c_str());
    return false;
  }
  try {
    glyphora::AppendPackageMember(out, name, data);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinpack: %s\n", e.what());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: skinpack <output.asz> <file>...\n");
    return 2;
  }
  std::vector<uint8_t> out;
  glyphora::AppendPackageHeader(out, uint32_t(argc - 2));
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
