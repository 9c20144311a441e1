#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/forms.h"
#include "framework/grids.h"
#include "gui_test_support.h"

using namespace glyphora;

namespace {
class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application()->Initialize();
    form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(700, 200);
    form->HandleNeeded();
    grid = new TStringGrid(form.get());
    grid->SetColCount(32);
    grid->SetRowCount(7);
    grid->DefaultColWidth = 18;
    grid->DefaultRowHeight = 18;
    grid->SetFixedCols(0);
    grid->SetFixedRows(0);
    grid->SetBounds(0, 0, 611, 136);
    grid->SetParent(form.get());
    grid->OnSelectCell = [this](TComponent*, int c, int r, bool& can) {
      selected.push_back({c, r});
      can = !vetoed;
    };
  }
  void Key(WORD vk) { ::SendMessageW(grid->WindowHandle(), WM_KEYDOWN, vk, 0); }
  std::unique_ptr<TForm> form;
  TStringGrid* grid = nullptr;
  std::vector<std::pair<int, int>> selected;
  bool vetoed = false;
};
}  // namespace

TEST_F(GridTest, StartsAtTheFirstCellAndMovesWithArrowsWithinBounds) {
  EXPECT_EQ(grid->Col(), 0);
  EXPECT_EQ(grid->Row(), 0);
  Key(VK_LEFT);
  Key(VK_UP);
  EXPECT_TRUE(selected.empty()) << "no move at the edge, no event";
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(selected, (std::vector<std::pair<int, int>>{{1, 0}, {1, 1}}));
  Key(VK_END);
  EXPECT_EQ(grid->Col(), 31);
  for (int i = 0; i < 10; ++i) Key(VK_DOWN);
  EXPECT_EQ(grid->Row(), 6);
  Key(VK_HOME);
  EXPECT_EQ(grid->Col(), 0);
}

TEST_F(GridTest, SelectCellCanVetoAndMouseSelectsTheCellUnderIt) {
  vetoed = true;
  Key(VK_RIGHT);
  EXPECT_EQ(grid->Col(), 0);
  EXPECT_EQ(selected.size(), 1u);
  vetoed = false;
  // Cells are 18 pixels plus a 1-pixel line: x 40 is column 2, y 60 row 3.
  ::SendMessageW(grid->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 60));
  ::SendMessageW(grid->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 60));
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 3);
  int col, row;
  EXPECT_FALSE(grid->MouseToCell(32 * 19 + 2, 5, col, row)) << "right of the last column is no cell";
  RECT r = grid->CellRect(31, 6);
  EXPECT_EQ(r.left, 31 * 19);
  EXPECT_EQ(r.bottom, 6 * 19 + 18);
}

TEST_F(GridTest, KeyDownHandlerSeesKeysFirstAndCanConsumeThem) {
  std::vector<WORD> keys;
  grid->OnKeyDown = [&](TComponent*, WORD& k, unsigned) {
    keys.push_back(k);
    if (k == VK_DOWN) k = 0;
  };
  Key(VK_DOWN);
  Key(VK_RETURN);
  Key(VK_RIGHT);
  EXPECT_EQ(keys, (std::vector<WORD>{VK_DOWN, VK_RETURN, VK_RIGHT}));
  EXPECT_EQ(grid->Row(), 0);
  EXPECT_EQ(grid->Col(), 1);
}

TEST_F(GridTest, CellsKeepTheirTextWhenTheGridGrows) {
  grid->SetCell(3, 2, L"x");
  grid->SetCell(99, 0, L"ignored");
  grid->SetColCount(40);
  EXPECT_EQ(grid->Cell(3, 2), L"x");
  EXPECT_EQ(grid->Cell(99, 0), L"");
  EXPECT_EQ(grid->Cell(-1, -1), L"");
}
