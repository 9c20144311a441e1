#include <gtest/gtest.h>

#include "skin/core/manager_rules.h"

using namespace glyphora;

TEST(SkinDirectory, ResolvesAgainstTheExecutableFolder) {
  const std::wstring exe = L"D:\\App\\";
  EXPECT_EQ(FullSkinDirectory(L".\\Skins", exe), L"D:\\App\\Skins\\");
  EXPECT_EQ(FullSkinDirectory(L"./Skins", exe), L"D:\\App\\Skins\\");
  EXPECT_EQ(FullSkinDirectory(L"..\\Skins", exe), L"D:\\Skins\\");
  EXPECT_EQ(FullSkinDirectory(L"Skins", exe), L"D:\\App\\Skins\\");
  EXPECT_EQ(FullSkinDirectory(L"\\\\server\\share\\Skins", exe), L"\\\\server\\share\\Skins\\");
  EXPECT_EQ(FullSkinDirectory(L"c:\\Skins", exe), L"c:\\Skins\\");
  EXPECT_EQ(FullSkinDirectory(L"c:\\Skins/", exe), L"c:\\Skins\\");
  EXPECT_EQ(FullSkinDirectory(L"", exe), L"D:\\App\\") << "an empty setting is the executable's folder";
}

TEST(SkinDirectory, NormalisesTheTrailingSeparator) {
  EXPECT_EQ(NormalizeDirectory(L""), L"");
  EXPECT_EQ(NormalizeDirectory(L"D"), L"D:\\");
  EXPECT_EQ(NormalizeDirectory(L"C:\\x/"), L"C:\\x\\");
  EXPECT_EQ(NormalizeDirectory(L"C:\\x\\"), L"C:\\x\\");
  EXPECT_EQ(NormalizeDirectory(L"C:\\x"), L"C:\\x\\");
}

TEST(SkinNames, OnlyPlainNamesAreLookedUpOnDisk) {
  EXPECT_TRUE(IsPlainSkinName(L"NorvaneWhite (internal)"));
  EXPECT_TRUE(IsPlainSkinName(L"Blue.Dark"));
  for (const wchar_t* bad : {L"", L".", L"..", L"..\\..\\Windows", L"a/b", L"C:x", L"x\ty", L"a|b", L"*"})
    EXPECT_FALSE(IsPlainSkinName(bad)) << bad;
}

TEST(SectionColour, PartlyTransparentSectionsMixWithTheParent) {
  // 50 % over black with a white section: (50 * (0 - 255) + 255 * 256) div 256 = 205.
  EXPECT_EQ(MixTransparentColor(0x000000, 0xFFFFFF, 50), 0xCDCDCDu);
  EXPECT_EQ(MixTransparentColor(0x123456, 0xABCDEF, 0), 0xABCDEFu);
  // Per byte: blue 0x12 over 0xAB at 100 gives (100 * (18 - 171) + 171 * 256) div 256 = 111.
  EXPECT_EQ(MixTransparentColor(0x123456, 0xABCDEF, 100) & 0xFF0000, 0x6F0000u);
  EXPECT_EQ(MixTransparentColor(0xFFFFFF, 0x000000, 300), 0xFFFFFFu) << "clamped";
}
