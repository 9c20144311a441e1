#include <algorithm>
#include <filesystem>

#include "imaging/image_decoder.h"
#include "manager_fixture.h"
#include "skin/controls/sEdit.h"
#include "skin/core/skin_commands.h"
#include "base/skin_error.h"
#include "skin/core/skin_pack.h"

using namespace glyphora;
using namespace glyphora::test;

TEST_F(ManagerTest, InternalSkinLoadsWhileTheDefinitionIsRead) {
  TsSkinManager* m = MakeManager();
  EXPECT_TRUE(m->IsDefault());
  EXPECT_EQ(m->SkinName(), L"NorvaneWhite (internal)");
  EXPECT_EQ(m->Content().gd.size(), 64u);
  EXPECT_FALSE(m->HookInstalled()) << "nothing is broadcast before Loaded";
  form->LoadedAll();
  EXPECT_TRUE(m->Active());
  EXPECT_EQ(m->SkinInfo(), L"7.0");
  EXPECT_TRUE(m->Content().SkinData.Active);
  EXPECT_TRUE(m->HookInstalled());
  EXPECT_GE(m->GetSkinIndex("EDIT"), 0);
  EXPECT_TRUE(errors.empty());
}

TEST_F(ManagerTest, AnUnknownNameFallsBackToTheFirstInternalSkin) {
  TsSkinManager* m = MakeManager(L"No Such Skin");
  form->LoadedAll();
  EXPECT_EQ(m->SkinName(), L"NorvaneWhite (internal)");
  EXPECT_GE(m->GetSkinIndex("FORM"), 0);
}

TEST_F(ManagerTest, WithoutInternalSkinsAnUnknownNameLeavesTheManagerInactive) {
  TsSkinManager* m = MakeManager(L"", false);
  form->LoadedAll();
  EXPECT_FALSE(m->Active());
  EXPECT_EQ(m->SkinInfo(), L"N/A");
  EXPECT_EQ(m->GetSkinIndex("EDIT"), -1);
}

TEST_F(ManagerTest, PackedFilesAndFoldersInTheSkinDirectory) {
  TsSkinManager* m = MakeManager();
  form->LoadedAll();
  WriteFileBytes(dir + L"\\Blue.Dark.asz", bytes.data(), bytes.size());
  WriteFileBytes(dir + L"\\notes.txt", "x", 1);
  WriteFolderSkin(dir + L"\\Folder Skin");
  ::CreateDirectoryW((dir + L"\\Empty Folder").c_str(), nullptr);

  std::vector<std::wstring> names;
  m->GetSkinNames(names);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Blue", L"Folder Skin", L"NorvaneWhite (internal)"}));
  m->GetExternalSkinNames(names, TacSkinTypes::stPacked);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Blue"}));
  m->GetExternalSkinNames(names, TacSkinTypes::stUnpacked);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Folder Skin"}));

  m->SetSkinName(L"Blue.Dark");
  EXPECT_EQ(m->SkinName(), L"Blue.Dark");
  EXPECT_TRUE(m->Content().SkinIsPacked);
  EXPECT_EQ(m->Content().gd.size(), 64u);

  m->SetSkinName(L"Folder Skin");
  EXPECT_EQ(m->SkinName(), L"Folder Skin");
  EXPECT_FALSE(m->Content().SkinIsPacked);
  EXPECT_EQ(m->Content().SkinData.SkinPath, std::filesystem::path(dir + L"\\Folder Skin\\"));
  EXPECT_EQ(m->Content().gd.size(), 64u);
  EXPECT_FALSE(m->Content().ma.empty());
  EXPECT_TRUE(errors.empty());
}

TEST_F(ManagerTest, ABrokenSkinKeepsThePreviousNameAndReportsTheError) {
  TsSkinManager* m = MakeManager();
  form->LoadedAll();
  std::vector<uint8_t> bad(bytes.begin(), bytes.begin() + bytes.size() / 2);
  WriteFileBytes(dir + L"\\Broken.asz", bad.data(), bad.size());
  m->SetSkinName(L"Broken");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(m->SkinName(), L"NorvaneWhite (internal)");
  EXPECT_TRUE(m->Active());
  EXPECT_EQ(m->Content().gd.size(), 64u) << "the skin in force stays";
  WriteFileBytes(dir + L"\\Junk.asz", "not a package", 13);
  m->SetSkinName(L"Junk");
  EXPECT_EQ(errors.size(), 2u);
  EXPECT_EQ(m->SkinName(), L"NorvaneWhite (internal)");
}

namespace {
// Stands in for the platform decoder: notes whether a skin was loading when
// it was asked, and fails.
struct FailingDecoder : TImageDecoder {
  TImageDecoder* before = DefaultImageDecoder();
  bool askedWhileLoading = false;
  FailingDecoder() { SetDefaultImageDecoder(this); }
  ~FailingDecoder() override { SetDefaultImageDecoder(before); }
  TBitmap32 Decode(std::span<const uint8_t>) override {
    askedWhileLoading = TsSkinManager::SkinLoading();
    throw ESkinError("damaged image");
  }
};
}  // namespace

TEST_F(ManagerTest, EachLoadReadsLooseFilesFromItsOwnFolderAndAFailedOneKeepsThePrevious) {
  TsSkinManager* m = MakeManager();
  form->LoadedAll();
  // The common sections name a loose bitmap: a folder skin has its own, a
  // packed skin finds the one beside it, an internal skin has none.
  m->CommonSections = "[EXTRA]\nOLD=Extra.bmp\n";
  WriteFolderSkin(dir + L"\\Folder");
  WriteBitmapFile(dir + L"\\Folder\\Extra.bmp", 9);
  WriteFileBytes(dir + L"\\Blue.asz", bytes.data(), bytes.size());
  WriteBitmapFile(dir + L"\\Extra.bmp", 12);
  const struct {
    std::wstring skin, folder;
    int extraWidth;
  } steps[] = {
      {L"Folder", dir + L"\\Folder\\", 9},
      {L"Blue", dir + L"\\", 12},
      {L"NorvaneWhite (internal)", L"", -1},
      {L"Folder", dir + L"\\Folder\\", 9},
  };
  for (const auto& step : steps) {
    m->SetSkinName(step.skin);
    EXPECT_EQ(m->Content().SkinData.SkinPath, std::filesystem::path(step.folder)) << step.skin;
    const int32_t extra = m->Content().GetMaskIndex("EXTRA", "OLD");
    EXPECT_EQ(extra >= 0 ? m->Content().ma[static_cast<size_t>(extra)].R.Right : -1, step.extraWidth) << step.skin;
  }

  // A folder skin with a damaged image fails while the loading flag is up;
  // the flag drops, and the skin in force keeps its name and its folder.
  WriteFolderSkin(dir + L"\\Broken");
  auto png = ReadFileBytes(dir + L"\\Broken\\Exbor.png");
  ASSERT_FALSE(png.empty());
  png[png.size() / 2] ^= 0x40;
  WriteFileBytes(dir + L"\\Broken\\Exbor.png", png.data(), png.size());
  {
    FailingDecoder decoder;
    m->SetSkinName(L"Broken");
    EXPECT_TRUE(decoder.askedWhileLoading);
  }
  EXPECT_FALSE(TsSkinManager::SkinLoading());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(m->SkinName(), L"Folder");
  EXPECT_EQ(m->Content().SkinData.SkinPath, std::filesystem::path(dir + L"\\Folder\\"));
  EXPECT_GE(m->Content().GetMaskIndex("EXTRA", "OLD"), 0);
}

TEST_F(ManagerTest, FolderSkinsMayHaveAnyName) {
  TsSkinManager* m = MakeManager();
  form->LoadedAll();
  const std::wstring name = L"Скин Σκίν 皮肤";
  const std::wstring folder = dir + L"\\" + name + L"\\";
  WriteFolderSkin(dir + L"\\" + name);
  WriteBitmapFile(folder + L"Extra.bmp", 9);
  m->CommonSections = "[EXTRA]\nOLD=Extra.bmp\n";
  // File names inside an options text are ANSI text.
  const std::wstring ansiName = L"\u00DCbersicht.bmp";
  const std::string ansi = Narrow(ansiName, CP_ACP);
  ASSERT_EQ(Widen(ansi, CP_ACP), ansiName) << "the test needs a code page with U+00DC";
  WriteBitmapFile(folder + ansiName, 7);
  m->CommonSections += "[ANSI]\nOLD=" + ansi + "\n";

  m->SetSkinName(name);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(m->SkinName(), name);
  EXPECT_FALSE(m->Content().SkinIsPacked);
  EXPECT_EQ(m->Content().SkinData.SkinPath, std::filesystem::path(folder));
  EXPECT_FALSE(m->Content().MasterBitmap.Empty());
  EXPECT_GE(m->Content().GetMaskIndex("GLOBALINFO", "EXBORDER"), 0);
  EXPECT_GE(m->Content().GetMaskIndex("EXTRA", "OLD"), 0);
  EXPECT_GE(m->Content().GetMaskIndex("ANSI", "OLD"), 0);
  std::vector<std::wstring> names;
  m->GetExternalSkinNames(names, TacSkinTypes::stUnpacked);
  EXPECT_EQ(names, std::vector<std::wstring>{name});
}

TEST_F(ManagerTest, NamesThatLeaveTheSkinDirectoryAreNotLookedUp) {
  TsSkinManager* m = MakeManager();
  form->LoadedAll();
  ::CreateDirectoryW((dir + L"\\inner").c_str(), nullptr);
  m->SetSkinDirectory(dir + L"\\inner");
  WriteFileBytes(dir + L"\\Outside.asz", bytes.data(), bytes.size());
  m->SetSkinName(L"..\\Outside");
  EXPECT_EQ(m->SkinName(), L"NorvaneWhite (internal)") << "fell back to the internal skin";
  EXPECT_TRUE(m->Content().SkinData.SkinPath.empty()) << "nothing was read from the skin directory";
}

TEST_F(ManagerTest, RemovingAndRestoringTheSkin) {
  TsSkinManager* m = MakeManager();
  form->LoadedAll();
  m->SetActive(false);
  EXPECT_FALSE(m->Active());
  EXPECT_TRUE(m->Content().gd.empty());
  EXPECT_FALSE(m->HookInstalled());
  EXPECT_EQ(m->SkinInfo(), L"N/A");
  m->SetActive(true);
  EXPECT_TRUE(m->Active());
  EXPECT_EQ(m->Content().gd.size(), 64u);
  EXPECT_TRUE(m->HookInstalled());
}

TEST_F(ManagerTest, ExtractionWritesTheStoredBytesUnchanged) {
  TsSkinManager* m = MakeManager();
  form->LoadedAll();
  m->ExtractInternalSkin(L"NorvaneWhite (internal)", dir);  // no trailing backslash
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(ReadFileBytes(dir + L"\\NorvaneWhite (internal) extracted.asz"), bytes);
  m->ExtractInternalSkin(L"Missing", dir);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Skin does not exists.");
  m->ExtractInternalSkin(L"NorvaneWhite (internal)", dir + L"\\no\\such\\dir");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1], "Directory does not exists.");
}

namespace {
// Counts the refresh a reload ends with.
class TRefreshCounter : public TsEdit {
 public:
  using TsEdit::TsEdit;
  int refreshes = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_REFRESH) ++refreshes;
    TsEdit::WndProc(m);
  }
};
}  // namespace

TEST_F(ManagerTest, HueSaturationAndBordersReloadOnlyOnChange) {
  TsSkinManager* m = MakeManager();
  auto* edit = new TRefreshCounter(form.get());
  edit->SetParent(form.get());
  form->LoadedAll();
  const size_t selection = static_cast<size_t>(m->GetSkinIndex("SELECTION"));
  const TColor plain = m->Content().gd.at(selection).HotColor;  // a light blue
  m->SetHueOffset(0);
  m->SetSaturation(0);
  m->SetExtendedBorders(m->ExtendedBorders());
  EXPECT_EQ(edit->refreshes, 0) << "the same value reloads nothing";
  m->SetHueOffset(40);
  EXPECT_EQ(edit->refreshes, 1);
  EXPECT_NE(m->Content().gd.at(selection).HotColor, plain) << "reloaded with the hue";
  m->SetSaturation(-30);
  m->SetExtendedBorders(!m->ExtendedBorders());
  EXPECT_EQ(edit->refreshes, 3);
  m->SetActive(false);
  const int refreshes = edit->refreshes;
  m->SetHueOffset(10);
  EXPECT_EQ(m->HueOffset(), 10) << "stored while inactive";
  EXPECT_TRUE(m->Content().gd.empty());
  EXPECT_EQ(edit->refreshes, refreshes);
}

TEST_F(ManagerTest, SkinColoursAndHighlights) {
  TsSkinManager* m = MakeManager();
  form->LoadedAll();
  const auto& gd = m->Content().gd;
  int edit = m->GetSkinIndex("EDIT");
  ASSERT_GE(edit, 0);
  EXPECT_EQ(m->GetActiveEditFontColor(), gd[static_cast<size_t>(edit)].FontColor.Color);
  int global = m->GetSkinIndex("GLOBALINFO");
  ASSERT_GE(global, 0);
  EXPECT_EQ(m->GetGlobalColor(), gd[static_cast<size_t>(global)].Color);
  TColor hl = m->GetHighLightColor(false);
  EXPECT_NE(hl, clNoneMarker);
  m->SetActive(false);
  EXPECT_EQ(m->GetGlobalColor(), ColorToRGB(clBtnFace));
  EXPECT_EQ(m->GetGlobalFontColor(), clNoneMarker);
  EXPECT_EQ(m->GetHighLightColor(true), ColorToRGB(clHighlight));
  EXPECT_EQ(m->GetHighLightFontColor(true), ColorToRGB(clHighlightText));
}

namespace {
std::vector<char> PreviewRecord(const std::string& name, const std::string& dir, const std::string& options) {
  std::vector<char> rec(kLivePreviewSize, 0);
  uint32_t tag = kLivePreviewTag;
  memcpy(rec.data(), &tag, 4);
  memcpy(rec.data() + 4, name.data(), std::min<size_t>(name.size(), 127));
  memcpy(rec.data() + 132, dir.data(), std::min<size_t>(dir.size(), 512));
  memcpy(rec.data() + 645, options.data(), std::min<size_t>(options.size(), 30000));
  return rec;
}
}  // namespace

TEST_F(ManagerTest, LivePreviewRecordIsAcceptedOnlyWhenWellFormed) {
  TsSkinManager* m = MakeManager();
  form->LoadedAll();
  TacSkinConvertor pack;
  pack.ReadPackage(bytes);
  ::CreateDirectoryW((dir + L"\\Preview").c_str(), nullptr);
  for (const auto& f : pack.Files)
    WriteFileBytes(dir + L"\\Preview\\" + Widen(f.FileName), f.FileStream.data(), f.FileStream.size());
  std::string options = *pack.Options;
  ASSERT_LT(options.size(), 30000u);
  auto rec = PreviewRecord("Preview", Narrow(dir, CP_ACP), options);
  COPYDATASTRUCT cd{0, static_cast<DWORD>(rec.size()), rec.data()};

  EXPECT_EQ(m->HandleCopyData(6, &cd), 0) << "only wParam 7";
  COPYDATASTRUCT shortData{0, 600, rec.data()};
  EXPECT_EQ(m->HandleCopyData(7, &shortData), 0) << "a record shorter than its layout";
  auto untagged = rec;
  untagged[0] = 1;
  COPYDATASTRUCT bad{0, static_cast<DWORD>(untagged.size()), untagged.data()};
  EXPECT_EQ(m->HandleCopyData(7, &bad), 0);
  auto unterminated = rec;
  memset(unterminated.data() + 4, 'A', 128);
  bad.lpData = unterminated.data();
  EXPECT_EQ(m->HandleCopyData(7, &bad), 0) << "a name that runs past its field";
  auto escaping = PreviewRecord("..\\Preview", Narrow(dir, CP_ACP), options);
  bad.lpData = escaping.data();
  EXPECT_EQ(m->HandleCopyData(7, &bad), 0);
  EXPECT_EQ(m->SkinName(), L"NorvaneWhite (internal)");

  EXPECT_EQ(m->HandleCopyData(7, &cd), 1);
  EXPECT_EQ(m->SkinName(), L"Preview");
  EXPECT_EQ(m->Content().gd.size(), 64u);
  EXPECT_FALSE(m->Content().ma.empty()) << "images come from the named folder";
  EXPECT_TRUE(errors.empty());
}

TEST_F(ManagerTest, VersionSwitchShowsTheEngineVersionOnce) {
  MessageBoxCatcher catcher;
  SkinEngineStartup({L"Glyphora.exe", L"/other"});
  EXPECT_EQ(catcher.Count, 0);
  SkinEngineStartup({L"Glyphora.exe", L"/ACVER"});
  EXPECT_EQ(catcher.Count, 1);
  EXPECT_NE(catcher.Text.find(L"7.25"), std::wstring::npos);
  SkinEngineStartup({L"Glyphora.exe", L"/acver"});
  EXPECT_EQ(catcher.Count, 1) << "once per process";
}

TEST_F(ManagerTest, TheDefaultManagerWatchesTheApplicationWindow) {
  TsSkinManager* m = MakeManager();
  form->LoadedAll();
  ASSERT_TRUE(m->AppWindowHooked());
  // The system commands are recorded (the window itself stays hidden).
  ::SendMessageW(Application()->Handle(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
  EXPECT_EQ(m->ShowState(), TShowAction::saIgnore);
  TsSkinManager second(nullptr);
  EXPECT_FALSE(second.AppWindowHooked()) << "only the default manager hooks it";
  EXPECT_FALSE(second.IsDefault());
}
