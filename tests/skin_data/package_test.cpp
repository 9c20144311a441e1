#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/skin_error.h"
#include "skin/core/skin_pack.h"
#include "tests/support/skin_writers.h"

using namespace glyphora;
using namespace glyphora::testing;

namespace {

Bytes Pattern(size_t n, uint32_t seed) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) {
    seed = seed * 1103515245u + 12345u;
    b[i] = static_cast<uint8_t>(seed >> 16);
  }
  return b;
}

template <class Fn>
std::string ErrorOf(Fn fn) {
  try {
    fn();
  } catch (const ESkinError& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(SkinPackage, MembersOptionsAndBitmapFlags) {
  Bytes opts = ToBytes("[GLOBALINFO]\nVERSION=7.0\n");
  Bytes img = Pattern(1000, 1);
  Bytes pkg = WritePackage({{"options.DAT", opts}, {"Master.bmp", img}, {"Glow.png", {1, 2, 3}},
                            {"PIC.Bmp", {}}, {"noext", {9}}});
  TacSkinConvertor c;
  EXPECT_EQ(c.ReadPackage(pkg), pkg.size());
  ASSERT_TRUE(c.Options);
  EXPECT_EQ(*c.Options, "[GLOBALINFO]\nVERSION=7.0\n");
  EXPECT_EQ(c.ImageCount, 4);
  ASSERT_EQ(c.Files.size(), 4u);
  EXPECT_EQ(c.Files[0].FileName, "Master.bmp");  // case kept
  EXPECT_TRUE(c.Files[0].IsBitmap);
  EXPECT_EQ(c.Files[0].FileStream, img);
  EXPECT_FALSE(c.Files[1].IsBitmap);
  EXPECT_TRUE(c.Files[2].IsBitmap);
  EXPECT_TRUE(c.Files[2].FileStream.empty());
  EXPECT_FALSE(c.Files[3].IsBitmap);
}

TEST(SkinPackage, OnlyOptionsAndNoOptionsAndTwoOptions) {
  TacSkinConvertor c;
  c.ReadPackage(WritePackage({{"Options.dat", ToBytes("a")}}));
  EXPECT_EQ(c.ImageCount, 0);
  EXPECT_TRUE(c.Files.empty());

  c.ReadPackage(WritePackage({{"X.bmp", {1}}}));
  EXPECT_EQ(c.ImageCount, 0);  // N - 1 whatever the members are
  EXPECT_FALSE(c.Options);

  c.ReadPackage(WritePackage({{"Options.dat", ToBytes("first")}, {"OPTIONS.DAT", ToBytes("second")}}));
  EXPECT_EQ(*c.Options, "second");
  EXPECT_EQ(c.ImageCount, 1);
  EXPECT_TRUE(c.Files.empty());
}

TEST(SkinPackage, BadMagicAndTruncationAreErrors) {
  Bytes good = WritePackage({{"Options.dat", ToBytes("[A]\nB=1\n")}, {"M.bmp", Pattern(500, 2)}});
  Bytes lower = good;
  lower[0] = 'a';
  TacSkinConvertor c;
  c.ReadPackage(good);
  EXPECT_EQ(ErrorOf([&] { c.ReadPackage(lower); }), "The loaded data is not a packed skin file");
  EXPECT_TRUE(c.Files.empty());  // left cleared
  EXPECT_FALSE(c.Options);
  EXPECT_EQ(ErrorOf([&] { c.ReadPackage({}); }), "The loaded data is not a packed skin file");
  // Every truncation is an error, never a crash or a partial success.
  for (size_t n = 4; n < good.size(); ++n) {
    std::span<const uint8_t> part(good.data(), n);
    EXPECT_THROW(c.ReadPackage(part), ESkinError) << n;
  }
}

TEST(SkinPackage, LengthsBeyondTheDataAreRefusedBeforeAllocating) {
  TacSkinConvertor c;
  EXPECT_NE(ErrorOf([&] { c.ReadPackage(PackBuilder().Magic().U32(0xFFFFFFFF).bytes()); })
                .find("member count 4294967295"),
            std::string::npos);
  Bytes stream = ZlibCompress(ToBytes("x"));
  PackBuilder longName;
  longName.Magic().U32(1).U32(0x7FFFFFFF).Raw(stream).Raw(stream);
  EXPECT_NE(ErrorOf([&] { c.ReadPackage(longName.bytes()); }).find("name length"), std::string::npos);
  PackBuilder hugeSize;
  hugeSize.Magic().U32(1).U32(1).Raw(ToBytes("A")).U32(0xFFFFFFF0).Raw(stream);
  EXPECT_NE(ErrorOf([&] { c.ReadPackage(hugeSize.bytes()); }).find("states a size"), std::string::npos);
}

TEST(SkinPackage, StatedSizeMustMatchTheStream) {
  Bytes data = ToBytes("hello world, hello world");
  Bytes stream = ZlibCompress(data);
  TacSkinConvertor c;
  PackBuilder shorter;  // stream ends before the stated size
  shorter.Magic().U32(1).U32(1).Raw(ToBytes("A")).U32(static_cast<uint32_t>(data.size() + 5)).Raw(stream);
  EXPECT_EQ(ErrorOf([&] { c.ReadPackage(shorter.bytes()); }), "Stream read error");
  PackBuilder longer;  // stream holds more than stated
  longer.Magic().U32(1).U32(1).Raw(ToBytes("A")).U32(static_cast<uint32_t>(data.size() - 3)).Raw(stream);
  EXPECT_NE(ErrorOf([&] { c.ReadPackage(longer.bytes()); }).find("larger than its stated size"),
            std::string::npos);
}

TEST(SkinPackage, CorruptStreamReportsZlibText) {
  Bytes stream = ZlibCompress(Pattern(3000, 3));
  stream[0] = 0x78;
  stream[1] = 0x9D;  // header check fails
  PackBuilder b;
  b.Magic().U32(1).U32(5).Raw(ToBytes("A.bmp")).U32(3000).Raw(stream);
  TacSkinConvertor c;
  try {
    c.ReadPackage(b.bytes());
    FAIL() << "no error";
  } catch (const EZDecompressionError& e) {
    EXPECT_EQ(e.ErrorCode(), Z_DATA_ERROR);
    EXPECT_STREQ(e.what(), "data error");
  }
  Bytes trailer = ZlibCompress(Pattern(3000, 3));
  trailer.back() ^= 0x55;  // Adler-32 mismatch
  PackBuilder t;
  t.Magic().U32(1).U32(5).Raw(ToBytes("A.bmp")).U32(3000).Raw(trailer);
  EXPECT_THROW(c.ReadPackage(t.bytes()), EZDecompressionError);
}

TEST(SkinPackage, NextRecordStartsRightAfterEachStream) {
  // Members larger than one 128 KiB input piece, stored (incompressible) and
  // compressed, then a second package right behind the first.
  Bytes big = Pattern(300000, 4);
  Bytes text(200000, 'a');
  Bytes first = WritePackage({{"Big.bmp", big}, {"Options.dat", text}, {"Small.png", {7, 7}}});
  Bytes second = WritePackage({{"Other.png", Pattern(100, 5)}});
  Bytes both = first;
  both.insert(both.end(), second.begin(), second.end());

  TacSkinConvertor c;
  size_t used = c.ReadPackage(both);
  EXPECT_EQ(used, first.size());
  EXPECT_EQ(c.Files[0].FileStream, big);
  EXPECT_EQ(c.Options->size(), text.size());
  EXPECT_EQ(c.Files[1].FileStream, (Bytes{7, 7}));
  EXPECT_EQ(c.ReadPackage(std::span<const uint8_t>(both).subspan(used)), second.size());
  EXPECT_EQ(c.Files.at(0).FileName, "Other.png");
}

TEST(SkinPackage, LoadFromFileMissingFileChangesNothing) {
  TacSkinConvertor c;
  c.ReadPackage(WritePackage({{"Options.dat", ToBytes("x")}}));
  EXPECT_FALSE(c.LoadFromFile("/nonexistent/dir/skin.asz"));
  EXPECT_TRUE(c.Options);
}

TEST(SkinPackage, FileExtensionHelpers) {
  EXPECT_EQ(ExtractFileExt("a.b.BMP"), ".BMP");
  EXPECT_EQ(ExtractFileExt("dir.x\\file"), "");
  EXPECT_EQ(ExtractFileExt("noext"), "");
  EXPECT_TRUE(TacSkinConvertor::IsOptionsName("oPtIoNs.DaT"));
  EXPECT_FALSE(TacSkinConvertor::IsOptionsName("Options.dat2"));
}

TEST(SkinPackage, ReusedBuffersHoldExactlyTheNewMembers) {
  TacSkinConvertor c;
  for (size_t n : {300000u, 200000u, 70000u, 400000u, 0u}) {
    Bytes data = Pattern(n, static_cast<uint32_t>(n));
    c.ReadPackage(WritePackage({{"Big.bmp", data}, {"Second.bmp", Pattern(n / 2, 9)}}));
    ASSERT_EQ(c.Files.size(), 2u);
    EXPECT_EQ(c.Files[0].FileStream, data) << n;
    EXPECT_EQ(c.Files[1].FileStream, Pattern(n / 2, 9)) << n;
  }
  c.Clear();
  c.ReleaseBuffers();
  EXPECT_TRUE(c.Files.empty());
}
