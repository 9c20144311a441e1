// Inflating one zlib stream out of a larger buffer (a skin package holds its
// members' streams back to back with no stored compressed lengths).
#pragma once
#include <cstddef>
#include <cstdint>

namespace glyphora {

// Inflates the zlib stream starting at src into exactly dstSize bytes at dst
// and returns the number of source bytes the stream occupies, up to and
// including its Adler-32 trailer, so the caller can continue right after it.
// Input is fed to zlib in pieces of at most 128 KiB.
// Throws EZDecompressionError with zlib's text for corrupt data, and
// ESkinError when the data ends before the stream does ("Stream read error"),
// when the stream ends before dstSize bytes or yields more than dstSize bytes.
size_t InflateMember(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize);

}  // namespace glyphora
