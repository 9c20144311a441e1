// Skin commands that do not come from the program itself (posted, or sent
// from another thread as another program's would be) change nothing, read
// or write nothing through their lParam and give out no addresses.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "skin/core/parent_bg_record.h"
#include "skin/core/skin_commands.h"
#include "tests/app/app_fixture.h"

using namespace glyphora;
using namespace glyphora::test;

namespace {

// Sends from a thread of its own and pumps this one until the answer is in.
LRESULT SendFromOtherThread(HWND w, WPARAM wParam, LPARAM lParam) {
  std::atomic<bool> done{false};
  DWORD_PTR answer = 0;
  std::thread sender([&] {
    ::SendMessageTimeoutW(w, SM_ALPHACMD, wParam, lParam, SMTO_NORMAL, 5000, &answer);
    done = true;
  });
  while (!done) Pump(5);
  sender.join();
  return LRESULT(answer);
}

class ForeignCommandTest : public MainFormTest {};

TEST_F(ForeignCommandTest, PointersAreNeitherReadNorWrittenAndNothingChanges) {
  Open();
  struct Target { const char* name; HWND wnd; TsCommonData* data; } targets[] = {
      {"main window", form->WindowHandle(), form->sSkinProvider1->SkinData.get()},
      {"panel", form->ToolPanel1->WindowHandle(), form->ToolPanel1->SkinData.get()},
      {"sample text", form->TextViewer->WindowHandle(), form->TextViewer->SkinData.get()},
      {"size bar", form->FontSize->WindowHandle(), form->FontSize->SkinData.get()},
      {"copy box", form->CharactersCopy->WindowHandle(), form->CharactersCopy->SkinData.get()}};
  for (bool posted : {true, false}) {
    for (const Target& t : targets) {
      SCOPED_TRACE(testing::Message() << t.name << (posted ? " posted" : " from another thread"));
      const std::string section = t.data->SkinSection();
      TacSectionInfo info;
      info.SkinIndex = -7;
      info.Name = "SELECTION";
      TacParentBG bg;
      uint8_t kind = 0xEE;
      struct Command { uint16_t code, arg; LPARAM lParam; } commands[] = {
          {SKC_GETSKININDEX, 0, LPARAM(&info)}, {SKC_SETSECTION, 0, LPARAM(&info)}, {SKC_GETBG, 0, LPARAM(&bg)},
          {SKC_GETDISABLEDKIND, 0, LPARAM(&kind)}, {SKC_SETUPDATING, 1, 0}};
      for (const Command& c : commands) {
        if (posted) ::PostMessageW(t.wnd, SM_ALPHACMD, SkinCommandWParam(c.code, c.arg), c.lParam);
        else SendFromOtherThread(t.wnd, SkinCommandWParam(c.code, c.arg), c.lParam);
      }
      Pump(20);
      EXPECT_EQ(info.SkinIndex, -7);
      EXPECT_EQ(bg.Kind, bgkUnknown);
      EXPECT_EQ(kind, 0xEE);
      EXPECT_EQ(t.data->SkinSection(), section);
      EXPECT_FALSE(t.data->FUpdating) << "painting not suspended";
    }
  }
  for (uint16_t code : {SKC_GETPROVIDER, SKC_GETAPPLICATION})
    EXPECT_EQ(SendFromOtherThread(form->WindowHandle(), SkinCommandWParam(code), 0), 0) << "no address for " << code;
  // The program's own commands still work.
  EXPECT_NE(SendSkinCommand(form->WindowHandle(), SKC_GETPROVIDER), 0);
  TacSectionInfo own;
  EXPECT_EQ(SendSkinCommand(form->ToolPanel1->WindowHandle(), SKC_GETSKININDEX, LPARAM(&own)), 1);
  EXPECT_EQ(own.SkinIndex, form->ToolPanel1->SkinData->SkinIndex);
}

}  // namespace
