#include <algorithm>

#include "manager_fixture.h"
#include "skin/controls/sEdit.h"
#include "skin/core/skin_commands.h"
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
  // A folder skin: the package's members as files.
  TacSkinConvertor pack;
  pack.ReadPackage(bytes);
  ::CreateDirectoryW((dir + L"\\Folder Skin").c_str(), nullptr);
  ASSERT_TRUE(pack.Options.has_value());
  WriteFileBytes(dir + L"\\Folder Skin\\Options.dat", pack.Options->data(), pack.Options->size());
  for (const auto& f : pack.Files)
    WriteFileBytes(dir + L"\\Folder Skin\\" + Widen(f.FileName), f.FileStream.data(), f.FileStream.size());
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
  EXPECT_NE(m->Content().SkinData.SkinPath.find("Folder Skin"), std::string::npos);
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
