#include <atomic>
#include <thread>
#include <vector>

#include "app/main_form.h"
#include "framework/extctrls.h"
#include "manager_fixture.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/core/skin_commands.h"

using namespace glyphora;
using namespace glyphora::test;

TEST_F(ManagerTest, BroadcastWalksThroughPlainContainersToEverySkinnedControl) {
  TsSkinManager* m = MakeManager();
  auto* plain = new TPanel(form.get());
  plain->SetParent(form.get());
  auto* edit = new TsEdit(form.get());
  edit->SetParent(plain);
  auto* button = new TsSpeedButton(form.get());
  button->SetParent(plain);
  form->LoadedAll();
  const int editIndex = m->GetSkinIndex("EDIT");
  ASSERT_GE(editIndex, 0);
  EXPECT_EQ(edit->SkinData->SkinIndex, editIndex);
  EXPECT_EQ(button->SkinData->SkinIndex, m->GetSkinIndex("SPEEDBUTTON"));

  // Skinned windows know the message; others answer 0.
  EXPECT_EQ(SendSkinCommand(edit->WindowHandle(), SKC_CTRLHANDLED), 1);
  EXPECT_EQ(SendSkinCommand(plain->WindowHandle(), SKC_CTRLHANDLED), 0);
  EXPECT_EQ(SendControlSkinCommand(button, SKC_CTRLHANDLED), 1);
  EXPECT_EQ(GetControlBGColor(plain), ColorToRGB(plain->Color()));

  m->SetActive(false);
  EXPECT_EQ(edit->SkinData->SkinIndex, -1);
  EXPECT_EQ(button->SkinData->SkinIndex, -1);
  EXPECT_TRUE(edit->SkinData->FUpdating);
  m->SetActive(true);
  EXPECT_EQ(edit->SkinData->SkinIndex, editIndex);

  // Another manager's commands are passed on but not obeyed: a skinned
  // container hands them to its children, and only that manager's control
  // acts on them.
  TsSkinManager other(nullptr);
  auto* box = new TsPanel(form.get());
  box->SetParent(plain);
  auto* mine = new TsEdit(form.get());
  mine->SetParent(box);
  auto* theirs = new TsEdit(form.get());
  theirs->SetParent(box);
  theirs->SkinData->SetSkinManager(&other);
  ASSERT_EQ(mine->SkinData->SkinIndex, editIndex);
  EXPECT_TRUE(theirs->SkinData->FUpdating) << "a manager without a skin unskins the control given to it";
  theirs->SkinData->SetUpdating(false);
  SendSkinCommand(box->WindowHandle(), SKC_REMOVESKIN, reinterpret_cast<LPARAM>(&other));
  EXPECT_EQ(mine->SkinData->SkinIndex, editIndex);
  EXPECT_FALSE(mine->SkinData->FUpdating);
  EXPECT_TRUE(theirs->SkinData->FUpdating) << "passed on to the other manager's control";
  theirs->SkinData->SetSkinManager(m);  // before the other manager goes
}

TEST_F(ManagerTest, SectionsAreStoredUpperCaseAndQueriedByIndex) {
  TsSkinManager* m = MakeManager();
  auto* edit = new TsEdit(form.get());
  edit->SetParent(form.get());
  form->LoadedAll();
  edit->SkinData->SetSkinSection("panel");
  EXPECT_EQ(edit->SkinData->SkinSection(), "PANEL");
  EXPECT_EQ(edit->SkinData->SkinIndex, m->GetSkinIndex("PANEL"));
  TacSectionInfo info;
  EXPECT_EQ(SendSkinCommand(edit->WindowHandle(), SKC_GETSKININDEX, reinterpret_cast<LPARAM>(&info)), 1);
  EXPECT_EQ(info.SkinIndex, m->GetSkinIndex("PANEL"));
  info.Name = "edit";
  SendSkinCommand(edit->WindowHandle(), SKC_SETSECTION, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(edit->SkinData->SkinSection(), "EDIT");
  edit->SkinData->SetSkinSection("");
  EXPECT_EQ(edit->SkinData->SkinSection(), "UNKNOWN");
  EXPECT_EQ(edit->SkinData->SkinIndex, -1);
}

TEST_F(ManagerTest, TheMainWindowIsSkinnedFromItsInternalSkin) {
  form.reset();
  TForm1 main(nullptr, dir + L"\\placement.ini");
  TsSkinManager* m = main.sSkinManager1;
  ASSERT_TRUE(m->IsDefault());
  EXPECT_EQ(m->SkinName(), L"NorvaneWhite (internal)");
  EXPECT_EQ(m->SkinInfo(), L"7.0");
  EXPECT_TRUE(m->HookInstalled());
  EXPECT_EQ(main.FontList->SkinData->SkinIndex, m->GetSkinIndex("EDIT"));
  EXPECT_EQ(main.MainPanel->SkinData->SkinIndex, m->GetSkinIndex("PANEL"));
  EXPECT_EQ(main.sPanel1->SkinData->SkinIndex, m->GetSkinIndex("ALPHAEDIT"));
  EXPECT_EQ(main.SelectBtn->SkinData->SkinIndex, m->GetSkinIndex("SPEEDBUTTON"));
  EXPECT_EQ(main.sSplitter1->SkinData->SkinIndex, m->GetSkinIndex("SPLITTER"));
  EXPECT_EQ(main.FontSize->SkinData->SkinSection(), "TSSCROLLBAR");
  EXPECT_EQ(main.FontSize->SkinData->SkinIndex, -1) << "the scroll bar paints from the scroll-bar sections";
  EXPECT_GE(main.MainPanel->SkinData->SkinIndex, 0);
  EXPECT_TRUE(errors.empty());
}

TEST_F(ManagerTest, SkinCommandsNamingNoManagerAreHarmless) {
  form = std::make_unique<TForm>(nullptr);
  form->HandleNeeded();
  auto* edit = new TsEdit(form.get());
  edit->SetParent(form.get());
  form->LoadedAll();
  ASSERT_EQ(TsSkinManager::DefaultManager(), nullptr);
  for (uint16_t code : {SKC_SETNEWSKIN, SKC_REMOVESKIN, SKC_REFRESH, SKC_GETSKININDEX, SKC_SETSECTION})
    SendSkinCommand(edit->WindowHandle(), code, 0);
  EXPECT_EQ(edit->SkinData->SkinIndex, -1);
  EXPECT_FALSE(edit->SkinData->FUpdating) << "a removal naming no manager is not obeyed";
  EXPECT_FALSE(TsSkinManager::NewSkinBroadcast());
}

TEST_F(ManagerTest, RecordsFromAnotherThreadAreNotFollowed) {
  MakeManager();
  auto* edit = new TsEdit(form.get());
  edit->SetParent(form.get());
  form->LoadedAll();
  const std::string section = edit->SkinData->SkinSection();
  // The address of a record means something only to the thread that sends
  // it (another process's address may point anywhere here): neither read nor
  // written when the command comes from another thread.
  TacSectionInfo info;
  info.Name = "PANEL";
  std::atomic<bool> done{false};
  std::vector<LRESULT> answers;
  std::thread sender([&] {
    for (uint16_t code : {SKC_GETSKININDEX, SKC_SETSECTION})
      answers.push_back(SendSkinCommand(edit->WindowHandle(), code, reinterpret_cast<LPARAM>(&info)));
    done = true;
  });
  while (!done) Pump(5);
  sender.join();
  EXPECT_EQ(answers, (std::vector<LRESULT>{0, 0}));
  EXPECT_EQ(info.SkinIndex, -1);
  EXPECT_EQ(edit->SkinData->SkinSection(), section);
}

TEST_F(ManagerTest, ADestroyedManagerIsForgottenByTheControlsBoundToIt) {
  TsSkinManager* m = MakeManager();
  auto* edit = new TsEdit(form.get());
  edit->SetParent(form.get());
  form->LoadedAll();
  for (bool activeAtTheEnd : {true, false}) {
    auto* second = new TsSkinManager(nullptr);
    second->InternalSkins = m->InternalSkins;
    second->SetSkinName(L"NorvaneWhite (internal)");
    edit->SkinData->SetSkinManager(second);
    ASSERT_EQ(edit->SkinData->SkinManager(), second);
    ASSERT_GE(edit->SkinData->SkinIndex, 0);
    if (!activeAtTheEnd) second->SetActive(false);
    delete second;
    EXPECT_EQ(edit->SkinData->SkinManager(), m) << activeAtTheEnd;
    EXPECT_EQ(edit->SkinData->SkinIndex, -1) << activeAtTheEnd;
  }
}
