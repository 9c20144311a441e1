// Managers and forms for skin manager tests, with the internal skin's bytes
// and a private skin directory in the temporary folder.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/forms.h"
#include "gui_test_support.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_pack.h"
#include "tests/support/skin_writers.h"

namespace glyphora::test {

// The internal skin package linked into this program.
inline std::vector<uint8_t> InternalSkinBytes() {
  return ResourceData(L"INTERNAL_SKIN", reinterpret_cast<LPCWSTR>(RT_RCDATA));
}

inline void WriteFileBytes(const std::wstring& path, const void* data, size_t size) {
  HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  ::WriteFile(f, data, static_cast<DWORD>(size), &n, nullptr);
  ::CloseHandle(f);
}

inline std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  std::vector<uint8_t> out;
  HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return out;
  out.resize(::GetFileSize(f, nullptr));
  DWORD n = 0;
  ::ReadFile(f, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
  ::CloseHandle(f);
  return out;
}

class ManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application()->Initialize();
    wchar_t tmp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, tmp);
    dir = std::wstring(tmp) + L"glyphora_skins_" + std::to_wstring(::GetTickCount());
    ::CreateDirectoryW(dir.c_str(), nullptr);
    bytes = InternalSkinBytes();
    ASSERT_FALSE(bytes.empty());
    errors.clear();
    Application()->OnException = [this](const std::exception& e) { errors.push_back(e.what()); };
  }
  void TearDown() override {
    Application()->OnException = nullptr;
    form.reset();
    RemoveTree(dir);
  }
  static void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::wstring n = fd.cFileName;
        if (n == L"." || n == L"..") continue;
        std::wstring full = path + L"\\" + n;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full); else ::DeleteFileW(full.c_str());
      } while (::FindNextFileW(h, &fd));
      ::FindClose(h);
    }
    ::RemoveDirectoryW(path.c_str());
  }
  // A form that owns a manager with the internal skin under `name`.
  TsSkinManager* MakeManager(const std::wstring& name = L"NorvaneWhite (internal)", bool withSkin = true) {
    form = std::make_unique<TForm>(nullptr);
    form->HandleNeeded();
    form->BeginLoading();
    auto* m = new TsSkinManager(form.get());
    m->SetSkinDirectory(dir);
    if (withSkin) {
      TsStoredSkin s;
      s.Name = L"NorvaneWhite (internal)";
      s.PackedData = bytes;
      m->InternalSkins.push_back(s);
    }
    m->SetSkinName(name);
    return m;
  }
  // A folder skin: the internal skin's package members as files.
  void WriteFolderSkin(const std::wstring& folder) {
    TacSkinConvertor pack;
    pack.ReadPackage(bytes);
    ASSERT_TRUE(pack.Options.has_value());
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    WriteFileBytes(folder + L"\\Options.dat", pack.Options->data(), pack.Options->size());
    for (const auto& f : pack.Files)
      WriteFileBytes(folder + L"\\" + Widen(f.FileName), f.FileStream.data(), f.FileStream.size());
  }
  // A 24-bit bitmap file `width` pixels wide.
  static void WriteBitmapFile(const std::wstring& path, int width) {
    const auto bmp = glyphora::testing::WriteBmp(TBitmap32(width, 6), 24);
    WriteFileBytes(path, bmp.data(), bmp.size());
  }
  std::wstring dir;
  std::vector<uint8_t> bytes;
  std::vector<std::string> errors;
  std::unique_ptr<TForm> form;
};

}  // namespace glyphora::test
