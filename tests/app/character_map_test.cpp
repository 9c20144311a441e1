#include "app_fixture.h"
#include "tests/support/clipboard_text.h"

using namespace glyphora;
using namespace glyphora::test;
using glyphora::testing::ClipboardText;

namespace {

void SetClipboardText(const std::wstring& s) {
  if (!::OpenClipboard(nullptr)) return;
  ::EmptyClipboard();
  HGLOBAL g = ::GlobalAlloc(GMEM_MOVEABLE, (s.size() + 1) * sizeof(wchar_t));
  memcpy(::GlobalLock(g), s.c_str(), (s.size() + 1) * sizeof(wchar_t));
  ::GlobalUnlock(g);
  ::SetClipboardData(CF_UNICODETEXT, g);
  ::CloseClipboard();
}

class CharacterMapTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Open();
    grid = form->Grid1->WindowHandle();
  }
  void Key(WORD vk) { ::SendMessageW(grid, WM_KEYDOWN, vk, 0); }
  // Clicks a speed button of the character-map strip through its parent.
  void ClickButton(TControl* b) {
    HWND p = b->Parent()->WindowHandle();
    LPARAM at = MAKELPARAM(b->Left() + 5, b->Top() + 5);
    ::SendMessageW(p, WM_MOUSEMOVE, 0, at);
    ::SendMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(p, WM_LBUTTONUP, 0, at);
  }
  void Pick(int col, int row) {
    RECT r = form->Grid1->CellRect(col, row);
    ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 3));
    ::SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(r.left + 3, r.top + 3));
  }
  HWND grid = nullptr;
};
}  // namespace

TEST_F(CharacterMapTest, PickingCellsShowsThemInThePreview) {
  Pick(1, 2);  // code point 65
  EXPECT_EQ(form->Grid1->Col(), 1);
  EXPECT_EQ(form->CharacterPreview->Caption(), L"A");
  Key(VK_RIGHT);
  EXPECT_EQ(form->CharacterPreview->Caption(), L"B");
  Key(VK_DOWN);
  EXPECT_EQ(form->CharacterPreview->Caption(), L"b");
  // Enter and Space append but do not move.
  Key(VK_RETURN);
  Key(VK_SPACE);
  EXPECT_EQ(form->Grid1->Col(), 2);
  EXPECT_EQ(form->Grid1->Row(), 3);
  EXPECT_EQ(form->CharactersCopy->Text(), L"bb");
  EXPECT_EQ(form->CharacterPreview->Caption(), L"b") << "appending does not touch the preview";
}

TEST_F(CharacterMapTest, ThreeWaysOfAppendingEnableCopyAndClear) {
  Pick(8, 1);  // '('
  ::SendMessageW(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(8 * 19 + 3, 19 + 3));
  EXPECT_EQ(form->CharactersCopy->Text(), L"(");
  EXPECT_TRUE(form->CopyBtn->Enabled());
  EXPECT_TRUE(form->ClearBtn->Enabled());
  ClickButton(form->ClearBtn);
  EXPECT_EQ(form->CharactersCopy->Text(), L"");
  EXPECT_FALSE(form->CopyBtn->Enabled());
  EXPECT_FALSE(form->ClearBtn->Enabled());

  ClickButton(form->SelectBtn);
  EXPECT_EQ(form->CharactersCopy->Text(), L"(");
  EXPECT_TRUE(form->CopyBtn->Enabled());
  Key(VK_RETURN);
  EXPECT_EQ(form->CharactersCopy->Text(), L"((");
  // A double click beyond the last column still appends the current cell.
  ::SendMessageW(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(609, 10));
  EXPECT_EQ(form->CharactersCopy->Text(), L"(((");
}

TEST_F(CharacterMapTest, CodePointZeroAndControlCharacters) {
  // The first cell is current at start: appending it adds nothing visible.
  form->Grid1DblClick(form->Grid1);
  EXPECT_EQ(form->CharactersCopy->Text(), L"");
  EXPECT_TRUE(form->CopyBtn->Enabled());
  EXPECT_TRUE(form->ClearBtn->Enabled());
  Pick(9, 0);  // tab
  form->Grid1DblClick(form->Grid1);
  Pick(10, 0);  // line feed
  form->Grid1DblClick(form->Grid1);
  EXPECT_EQ(form->CharactersCopy->Text(), L"\t\n");
}

TEST_F(CharacterMapTest, CopyTakesTheSelectionOrEverything) {
  Pick(1, 2);
  form->Grid1DblClick(form->Grid1);
  Pick(2, 2);
  form->Grid1DblClick(form->Grid1);
  Pick(3, 2);
  form->Grid1DblClick(form->Grid1);
  ASSERT_EQ(form->CharactersCopy->Text(), L"ABC");
  SetClipboardText(L"old");
  form->CharactersCopy->SetSel(0, 0);
  ClickButton(form->CopyBtn);
  EXPECT_EQ(ClipboardText(), L"ABC");
  EXPECT_EQ(form->CharactersCopy->SelStart(), 0);
  EXPECT_EQ(form->CharactersCopy->SelLength(), 3) << "all of it stays selected";

  form->CharactersCopy->SetSel(1, 1);
  ClickButton(form->CopyBtn);
  EXPECT_EQ(ClipboardText(), L"B");
  EXPECT_TRUE(form->CopyBtn->Enabled());
}

TEST_F(CharacterMapTest, TypingByHandLeavesTheButtonsAlone) {
  form->CharactersCopy->SetText(L"typed");
  EXPECT_FALSE(form->CopyBtn->Enabled());
  // A disabled button does not react to the mouse.
  SetClipboardText(L"unchanged");
  ClickButton(form->CopyBtn);
  EXPECT_EQ(ClipboardText(), L"unchanged");
  form->Grid1DblClick(form->Grid1);
  ClickButton(form->ClearBtn);
  form->CharactersCopy->SetText(L"again");
  EXPECT_FALSE(form->CopyBtn->Enabled());
  EXPECT_FALSE(form->ClearBtn->Enabled());
}
