#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "framework/inifiles.h"

using namespace glyphora;

TEST(IniValues, DecimalHexAndGarbage) {
  EXPECT_EQ(ParseIniInteger(L"120"), 120);
  EXPECT_EQ(ParseIniInteger(L"-35"), -35);
  EXPECT_EQ(ParseIniInteger(L"+7"), 7);
  EXPECT_EQ(ParseIniInteger(L"0x400"), 1024);
  EXPECT_EQ(ParseIniInteger(L"0XfF"), 255);
  EXPECT_EQ(ParseIniInteger(L"0xFFFFFFFF"), -1) << "eight hex digits fill all 32 bits";
  EXPECT_EQ(ParseIniInteger(L"2147483647"), INT32_MAX);
  EXPECT_EQ(ParseIniInteger(L"-2147483648"), INT32_MIN);
  for (const wchar_t* bad : {L"", L"abc", L"12a", L"0x", L"0xG1", L"0x100000000", L"2147483648",
                             L"-2147483649", L"99999999999999999999", L"-", L"1 2", L"0x-5"})
    EXPECT_FALSE(ParseIniInteger(bad).has_value()) << bad;
  // "0x" alone is shorter than three characters: read as decimal, which fails.
  EXPECT_FALSE(ParseIniInteger(L"0x").has_value());
}

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    path_ = std::wstring(dir) + L"glyphora_ini_test.ini";
    ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path_.c_str());
  }
  void TearDown() override {
    ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path_.c_str());
  }
  std::wstring path_;
};

TEST_F(IniFileTest, MissingFileReadsEmptyAndWritesKeepOtherKeys) {
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString(L"Main", L"Left"), L"");
  EXPECT_EQ(ini.ReadInteger(L"Main", L"Left", 0), 0);
  {
    std::ofstream f(std::string(path_.begin(), path_.end()));
    f << "[Other]\nKeep=yes\n[Main]\nExtra=1\nLeft=garbage\n";
  }
  EXPECT_EQ(ini.ReadInteger(L"Main", L"Left", 0), 0);
  ini.WriteInteger(L"Main", L"Left", -40);
  EXPECT_EQ(ini.ReadInteger(L"Main", L"Left", 0), -40);
  EXPECT_EQ(ini.ReadString(L"Other", L"Keep"), L"yes");
  EXPECT_EQ(ini.ReadString(L"Main", L"Extra"), L"1");
}

TEST_F(IniFileTest, FailedWriteRaisesWithThePath) {
  // A folder where the file should be cannot be written, even by an
  // administrator (file attributes do not stop one).
  ASSERT_TRUE(::CreateDirectoryW(path_.c_str(), nullptr));
  TIniFile ini(path_);
  try {
    ini.WriteInteger(L"Main", L"Left", 2);
    ::RemoveDirectoryW(path_.c_str());
    FAIL() << "an unwritable file must not be reported as written";
  } catch (const std::exception& e) {
    std::string expected = "Unable to write to " + std::string(path_.begin(), path_.end());
    EXPECT_EQ(std::string(e.what()), expected);
  }
  ::RemoveDirectoryW(path_.c_str());
}
