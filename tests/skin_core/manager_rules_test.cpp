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

