// The corners of a control's cached border refreshed from what its parent
// answers: nothing for a parent without image or colour, the parent's image
// at the control's position, or its colour.
#include <gtest/gtest.h>

#include <memory>

#include "framework/application.h"
#include "framework/control.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/paint/corner_refresh_win.h"
#include "skin/paint/parent_bg.h"

using namespace glyphora;

namespace {

constexpr uint32_t kKey = 0x00FF00FF, kBorder = 0xFF808080, kStale = 0xFFFF00FF;

// A container without a window that answers the background question.
class TAnswering : public TWinControl {
 public:
  using TWinControl::TWinControl;
  uint8_t kind = bgkFill;
  TColor color = 0x00FF00FF;
  TBitmap32 image{60, 40};
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_GETBG) {
      auto* info = reinterpret_cast<TacParentBG*>(m.LParam);
      info->Kind = kind;
      info->Color = color;
      info->Bmp = &image;
      info->Offset = {2, 3};
      return;
    }
    TWinControl::WndProc(m);
  }
};

struct CornerFixture : ::testing::Test {
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TAnswering> parent;
  std::unique_ptr<TControl> edit;
  std::unique_ptr<TsCommonData> data;
  void SetUp() override {
    Application()->Initialize();
    manager = std::make_unique<TsSkinManager>(nullptr);
    TSkinContent& skin = manager->Content();
    // A 9 x 9 border image, 3-pixel borders, whose three outermost pixels
    // of each corner are the key colour.
    skin.MasterBitmap = TBitmap32(9, 9);
    skin.MasterBitmap.Fill(kBorder);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {8, 0}, {7, 0}, {8, 1}, {0, 8}, {1, 8}, {0, 7}, {8, 8},
                        {7, 8}, {8, 7}})
      skin.MasterBitmap.SetPixel(x, y, kKey);
    TsMaskData m;
    m.R = {0, 0, 9, 9};
    m.ImageCount = 1;
    m.Manager = &skin;
    m.WL = m.WT = m.WR = m.WB = 3;
    skin.ma.push_back(m);
    parent = std::make_unique<TAnswering>(nullptr);
    for (int32_t y = 0; y < 40; ++y)
      for (int32_t x = 0; x < 60; ++x) parent->image.SetPixel(x, y, 0x7F000000u | 0x22u << 16 | uint32_t(x) << 8 | y);
    edit = std::make_unique<TControl>(nullptr);
    edit->SetBounds(10, 7, 12, 9);
    edit->SetParent(parent.get());
    data = std::make_unique<TsCommonData>(edit.get(), COC_TsEdit);
    data->BorderIndex = 0;
    data->FCacheBmp->SetSize(12, 9);
    data->CachePixels()->Fill(kStale);
  }
  void TearDown() override {
    if (edit) edit->SetParent(nullptr);
  }
  // The parent image's colour bytes behind the edit's point (x, y), with the cache pixel's alpha.
  uint32_t Behind(int x, int y) const { return 0xFF000000u | (parent->image.Pixel(2 + 10 + x, 3 + 7 + y) & 0xFFFFFF); }
};

}  // namespace

TEST_F(CornerFixture, ParentWithoutImageOrColourLeavesTheCorners) {
  parent->kind = bgkFill;
  parent->color = 0x00FF00FF;
  RefreshBorderCorners(*data, 0);
  for (int32_t y = 0; y < 9; ++y)
    for (int32_t x = 0; x < 12; ++x) ASSERT_EQ(data->CachePixels()->Pixel(x, y), kStale);
}

TEST_F(CornerFixture, ParentImageShowsInTheKeyPixelsOfEachCorner) {
  parent->kind = bgkCache;
  RefreshBorderCorners(*data, 0);
  const TBitmap32& c = *data->CachePixels();
  EXPECT_EQ(c.Pixel(0, 0), Behind(0, 0));
  EXPECT_EQ(c.Pixel(1, 0), Behind(1, 0));
  EXPECT_EQ(c.Pixel(0, 1), Behind(0, 1));
  EXPECT_EQ(c.Pixel(11, 0), Behind(11, 0));
  EXPECT_EQ(c.Pixel(10, 0), Behind(10, 0));
  EXPECT_EQ(c.Pixel(0, 8), Behind(0, 8));
  EXPECT_EQ(c.Pixel(11, 8), Behind(11, 8));
  EXPECT_EQ(c.Pixel(11, 7), Behind(11, 7));
  // Pixels whose border pixel is not the key, and everything between the corners, stay.
  EXPECT_EQ(c.Pixel(1, 1), kStale);
  EXPECT_EQ(c.Pixel(2, 0), kStale);
  EXPECT_EQ(c.Pixel(9, 0), kStale);
  EXPECT_EQ(c.Pixel(5, 4), kStale);
  EXPECT_EQ(c.Pixel(10, 8), Behind(10, 8));
  EXPECT_EQ(c.Pixel(9, 8), kStale);
}

TEST_F(CornerFixture, ParentColourAndTheCasesThatDoNothing) {
  parent->kind = bgkFill;
  parent->color = 0x00336699;
  RefreshBorderCorners(*data, 2);
  EXPECT_EQ(data->CachePixels()->Pixel(0, 0), 0xFF996633u);
  EXPECT_EQ(data->CachePixels()->Pixel(11, 8), 0xFF996633u);
  EXPECT_EQ(data->CachePixels()->Pixel(1, 1), kStale);

  data->CachePixels()->Fill(kStale);
  data->BorderIndex = 1;  // no such image
  RefreshBorderCorners(*data, 0);
  data->BorderIndex = 0;
  edit->SetParent(nullptr);  // no parent and no window
  RefreshBorderCorners(*data, 0);
  EXPECT_EQ(data->CachePixels()->Pixel(0, 0), kStale);
  data->FCacheBmp->SetSize(0, 0);  // not painted yet
  edit->SetParent(parent.get());
  RefreshBorderCorners(*data, 0);
  EXPECT_TRUE(data->CachePixels()->Empty());
}
