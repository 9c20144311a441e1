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
  ASSERT_FALSE(theirs->SkinData->FUpdating);
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
