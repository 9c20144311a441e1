#include "skin/core/skin_pack_writer.h"

#include <zlib.h>

#include <string>

#include "base/skin_error.h"

namespace glyphora {

void AppendPackageU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void AppendPackageHeader(std::vector<uint8_t>& out, uint32_t memberCount) {
  out.insert(out.end(), {'A', 'S', 'z', 'f'});
  AppendPackageU32(out, memberCount);
}

void AppendPackageMember(std::vector<uint8_t>& out, std::string_view name, std::span<const uint8_t> data) {
  if (name.size() > UINT32_MAX || data.size() > UINT32_MAX)
    throw ESkinError("package member too large: " + std::string(name));
  uLongf zlen = compressBound(static_cast<uLong>(data.size()));
  std::vector<uint8_t> z(zlen);
  if (compress2(z.data(), &zlen, data.data(), static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
    throw ESkinError("cannot compress package member " + std::string(name));
  AppendPackageU32(out, static_cast<uint32_t>(name.size()));
  out.insert(out.end(), name.begin(), name.end());
  AppendPackageU32(out, static_cast<uint32_t>(data.size()));
  out.insert(out.end(), z.begin(), z.begin() + static_cast<ptrdiff_t>(zlen));
}

}  // namespace glyphora
