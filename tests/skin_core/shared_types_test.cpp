#include <gtest/gtest.h>
#include "base/shared_types.h"

using namespace glyphora;

TEST(SharedTypes, PercentWeightsAndClamps) {
  EXPECT_EQ(PercentToWeight(0), 0);
  EXPECT_EQ(PercentToWeight(50), 127);   // 12750 div 100
  EXPECT_EQ(PercentToWeight(100), 255);
  EXPECT_EQ(PercentToWeight(150), 255);  // out-of-range percentages clamp
  EXPECT_EQ(PercentToWeight(-5), 0);
  EXPECT_EQ(ClampByte(256), 255);
}

TEST(SharedTypes, RectSizesClampOnlyWhenAsked) {
  TRect32 reversed{10, 10, 4, 2};
  EXPECT_EQ(RectWidth(reversed), -6);
  EXPECT_EQ(RectHeight(reversed), -8);
  EXPECT_EQ(RectWidth(reversed, true), 0);
  EXPECT_EQ(RectHeight(reversed, true), 0);
}

TEST(SharedTypes, CacheInfoOfIsReadyWithNoneMarker) {
  TCacheInfo ci = CacheInfoOf(nullptr, 3, -4);
  EXPECT_TRUE(ci.Ready);
  EXPECT_EQ(ci.FillColor, clNoneMarker);
  EXPECT_EQ(ci.Y, -4);
  TCacheInfo empty = EmptyCacheInfo();
  EXPECT_FALSE(empty.Ready);
  EXPECT_EQ(empty.FillColor, 0u);
}
