// Writer of skin packages in the layout skin_pack.h reads: the build's packer
// and the tests write packages with it; the program itself only reads them.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace glyphora {

// The magic "ASzf" and the member count.
void AppendPackageHeader(std::vector<uint8_t>& out, uint32_t memberCount);
// One member record: name length, name, uncompressed size, and a zlib stream
// of data at the default compression. Throws ESkinError for a member too
// large to record or a stream zlib cannot make.
void AppendPackageMember(std::vector<uint8_t>& out, std::string_view name, std::span<const uint8_t> data);
// A 32-bit little-endian value, as every integer of the layout is stored.
void AppendPackageU32(std::vector<uint8_t>& out, uint32_t value);

}  // namespace glyphora
