#include <gtest/gtest.h>

#include "skin/core/image_notation.h"
#include "base/skin_error.h"

using namespace glyphora;

namespace {

TRect32 Rect(int l, int t, int r, int b) { return TRect32{l, t, r, b}; }

std::string ErrorOf(std::string_view value) {
  try {
    ParseImageValue(value);
  } catch (const EConvertError& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(ImageNotation, Classification) {
  EXPECT_EQ(ClassifyImageValue("@0000@0042@0036@0054@3@0"), TImageNotation::Glyph);
  EXPECT_EQ(ClassifyImageValue("^x"), TImageNotation::Border);
  EXPECT_EQ(ClassifyImageValue("~x"), TImageNotation::Texture);
  EXPECT_EQ(ClassifyImageValue("!A.PNG"), TImageNotation::File);
  EXPECT_EQ(ClassifyImageValue("MASK (1,2,3,4) (1,0) #"), TImageNotation::OldBorder);
  EXPECT_EQ(ClassifyImageValue("#"), TImageNotation::None);
  EXPECT_EQ(ClassifyImageValue("border.bmp"), TImageNotation::OldFile);
  EXPECT_EQ(ClassifyImageValue("15856113"), TImageNotation::None);
  EXPECT_EQ(ClassifyImageValue("N/A"), TImageNotation::None);
  EXPECT_EQ(ClassifyImageValue(""), TImageNotation::None);
}

TEST(ImageNotation, GlyphInMasterBitmap) {
  TParsedImage p = ParseImageValue("@0000@0042@0036@0054@3@0");
  EXPECT_EQ(p.Kind, TImageNotation::Glyph);
  EXPECT_EQ(p.Mask.R, Rect(0, 42, 36, 54));
  EXPECT_EQ(p.Mask.ImageCount, 3);
  EXPECT_EQ(p.Mask.MaskType, 0);
  EXPECT_EQ(p.Mask.ImgType, itisaGlyph);
  EXPECT_EQ(FrameWidth(p.Mask), 12);
  EXPECT_EQ(FrameHeight(p.Mask), 12);
  EXPECT_EQ(p.Mask.WL + p.Mask.WT + p.Mask.WR + p.Mask.WB + p.Mask.BorderWidth + p.Mask.DrawMode, 0);
  p = ParseImageValue("@0133@0000@0217@0015@3@0");
  EXPECT_EQ(p.Mask.R, Rect(133, 0, 217, 15));
  EXPECT_EQ(FrameWidth(p.Mask), 28);
}

TEST(ImageNotation, BorderWidthsGivenOrDerived) {
  TParsedImage p = ParseImageValue("^0003^0039^0006^0040^0001^0000^0000^0000^1^0^1^1");  // DIVIDER
  EXPECT_EQ(p.Mask.ImgType, itisaBorder);
  EXPECT_EQ(p.Mask.WL, 1);
  EXPECT_EQ(p.Mask.WT + p.Mask.WR + p.Mask.WB, 0);  // one non-zero width: kept as written
  EXPECT_EQ(p.Mask.BorderWidth, 1);
  EXPECT_EQ(p.Mask.DrawMode, 1);

  p = ParseImageValue("^0118^0014^0132^0028^0006^0006^0006^0006^1^0^1^1");  // PANEL
  EXPECT_EQ(p.Mask.R, Rect(118, 14, 132, 28));
  EXPECT_EQ(p.Mask.WB, 6);

  p = ParseImageValue("^0000^0000^0060^0040^0000^0000^0000^0000^3^1^0^5");
  EXPECT_EQ(p.Mask.WL, 5);  // all zero, BorderWidth 5
  EXPECT_EQ(p.Mask.WB, 5);
  p = ParseImageValue("^0000^0000^0060^0040^0000^0000^0000^0000^3^1^0^0");
  EXPECT_EQ(p.Mask.WL, 60 / 9);
  EXPECT_EQ(p.Mask.WT, 40 / 6);
  p = ParseImageValue("^0000^0000^0060^0040^0000^0000^0000^0000^0^1^0^0");
  EXPECT_EQ(p.Mask.WL, 0);  // an image count of 0 divides nothing
  EXPECT_EQ(FrameWidth(p.Mask), 0);
}

TEST(ImageNotation, TextureColumns) {
  TParsedImage p = ParseImageValue("~0029~0034~0032~0040~10~1");
  EXPECT_EQ(p.Mask.ImgType, itisaTexture);
  EXPECT_EQ(p.Mask.DrawMode, 10);
  EXPECT_EQ(p.Mask.MaskType, 1);
  EXPECT_EQ(p.Mask.ImageCount, 1);
  p = ParseImageValue("~0135~0070~0299~0071~01");
  EXPECT_EQ(p.Mask.DrawMode, 1);
  EXPECT_EQ(p.Mask.MaskType, 0);  // shorter than 25 characters
}

TEST(ImageNotation, NonDigitsInFixedColumnsAbort) {
  EXPECT_EQ(ErrorOf("@00x0@0042@0036@0054@3@0"), "'00x0' is not a valid integer value");
  EXPECT_EQ(ErrorOf("@0000@0042@0036@0054@A@0"), "'A' is not a valid integer value");
  EXPECT_EQ(ErrorOf("@0000@0042"), "'' is not a valid integer value");  // too short
  EXPECT_EQ(ErrorOf("^0003^0039^0006^0040^0001^0000^0000^0000^1^0^1"), "'' is not a valid integer value");
  EXPECT_EQ(ErrorOf("~0029~0034~0032~0040~1x~1"), "'1x' is not a valid integer value");
  EXPECT_EQ(ErrorOf("@-001@0042@0036@0054@3@0"), "'-001' is not a valid integer value");
}

TEST(ImageNotation, SeparateFiles) {
  TParsedImage p = ParseImageValue("!GLOWCLOSE.PNG!1!0!4");
  EXPECT_EQ(p.Kind, TImageNotation::File);
  EXPECT_EQ(p.FileName, "GLOWCLOSE.PNG");
  EXPECT_EQ(p.Mask.ImgType, itisaPngGlyph);
  EXPECT_EQ(p.Mask.DrawMode, 4);
  EXPECT_FALSE(p.WidthsGiven);
  DeriveWidthsFromSize(p.Mask, 30, 18);
  EXPECT_EQ(p.Mask.WL, 10);
  EXPECT_EQ(p.Mask.WT, 6);

  p = ParseImageValue("!EXBOR.PNG!2!0!3!0043!0068!0044!0043");
  EXPECT_TRUE(p.WidthsGiven);
  EXPECT_EQ(p.Mask.ImageCount, 2);
  EXPECT_EQ(p.Mask.ImgType, itisaGlow);
  EXPECT_EQ(p.Mask.WT, 68);
  EXPECT_EQ(p.Mask.DrawMode, 4);

  p = ParseImageValue("!!BUTTONHUGE.BMP!!3!1!0!0047!0047!0047!0047!2");  // runs of "!" count as one
  EXPECT_EQ(p.FileName, "BUTTONHUGE.BMP");
  EXPECT_EQ(p.Mask.ImageCount, 3);
  EXPECT_EQ(p.Mask.DrawMode, 2);

  p = ParseImageValue("!A.BMP!x!1!9!7");
  EXPECT_EQ(p.Mask.ImageCount, 0);  // not a number: 0
  EXPECT_EQ(p.Mask.ImgType, itisaPngGlyph);  // above 4 counts as 4
  EXPECT_EQ(p.Mask.WL, 7);
  EXPECT_EQ(p.Mask.WT, 0);  // missing fields read as 0
  DeriveWidthsFromSize(p.Mask, 30, 18);  // count 0: no division by zero
  EXPECT_EQ(p.Mask.WL, 0);

  EXPECT_EQ(ParseImageValue("!A.BMP!1!0!-3").Mask.ImgType, itisaBorder);
  EXPECT_EQ(ParseImageValue("!glow.png!1!0!4").Kind, TImageNotation::None);  // small letters: skipped
  EXPECT_EQ(ParseImageValue("!A.JPG!1!0!1").Kind, TImageNotation::None);
  EXPECT_EQ(ParseImageValue("!").Kind, TImageNotation::None);
}

TEST(ImageNotation, OlderForms) {
  TParsedImage p = ParseImageValue("BORDER (12,42,48,54) (3,0) #");
  EXPECT_EQ(p.Kind, TImageNotation::OldBorder);
  EXPECT_EQ(p.Mask.R, Rect(12, 42, 48, 54));
  EXPECT_EQ(p.Mask.ImageCount, 3);
  EXPECT_EQ(p.Mask.MaskType, 0);
  EXPECT_EQ(p.Mask.BorderWidth, 0);
  EXPECT_EQ(p.Mask.DrawMode, 1);
  EXPECT_EQ(p.Mask.ImgType, itisaBorder);
  EXPECT_EQ(p.Mask.WL, 4);
  EXPECT_EQ(p.Mask.WR, 4);
  EXPECT_EQ(p.Mask.WT, 4);

  p = ParseImageValue("#B (a,1,,9) (0,-2,-4,3)");
  EXPECT_EQ(p.Mask.R, Rect(0, 1, 0, 9));
  EXPECT_EQ(p.Mask.ImageCount, 1);  // raised to at least 1
  EXPECT_EQ(p.Mask.MaskType, 0);
  EXPECT_EQ(p.Mask.BorderWidth, 0);  // raised to at least 0
  EXPECT_EQ(p.Mask.DrawMode, 3);
  p = ParseImageValue("#B");
  EXPECT_EQ(p.Mask.ImageCount, 1);
  // Widths from extreme coordinates: held to the 16-bit range, no overflow.
  p = ParseImageValue("#x (-2147483648,-2147483648,2147483647,2147483647) (1,0)");
  EXPECT_EQ(p.Mask.WL, INT16_MAX);
  EXPECT_EQ(p.Mask.WB, INT16_MAX);
  p = ParseImageValue("#x (2147483647,0,-2147483648,0) (1,0)");
  EXPECT_EQ(p.Mask.WR, INT16_MIN);
  EXPECT_EQ(ErrorOf("#B (1,1,1,1) (1,0,x)"), "'x' is not a valid integer value");
  EXPECT_EQ(ErrorOf("#B (1,1,1,1) (1,0,1,)"), "'' is not a valid integer value");

  p = ParseImageValue("Panel.Bmp");
  EXPECT_EQ(p.Kind, TImageNotation::OldFile);
  EXPECT_EQ(p.FileName, "Panel.Bmp");
  EXPECT_EQ(p.Mask.ImageCount, 3);
  EXPECT_EQ(p.Mask.MaskType, 1);
}

TEST(ImageNotation, FrameSizes) {
  TsMaskData m;
  m.R = Rect(0, 0, 30, 13);
  m.ImageCount = 1;
  m.MaskType = 1;
  EXPECT_EQ(FrameHeight(m), 6);  // odd height with a mask half
  EXPECT_EQ(FrameWidth(m), 30);
  m.MaskType = 2;
  EXPECT_EQ(FrameHeight(m), 4);
  m.MaskType = -1;
  EXPECT_EQ(FrameHeight(m), 0);
  m.MaskType = -7;
  EXPECT_EQ(FrameHeight(m), 0);
  m.ImageCount = -2;
  EXPECT_EQ(FrameWidth(m), 0);
}
