// Windows side of the internal skin: the package is linked in as the resource
// INTERNAL_SKIN, and the skin loads from it with the platform's PNG codec
// (WIC) into the looks the frame and the glows rely on.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "imaging/wic_decoder.h"
#include "internal_skin/skin_fixture.h"

using namespace skintest;

namespace {

std::span<const uint8_t> ResourcePackage() {
  HRSRC res = FindResourceW(nullptr, L"INTERNAL_SKIN", MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!res) return {};
  HGLOBAL handle = LoadResource(nullptr, res);
  if (!handle) return {};
  return {static_cast<const uint8_t*>(LockResource(handle)), SizeofResource(nullptr, res)};
}

// The skin as the program loads it: from the resource, PNGs through WIC.
const glyphora::TSkinContent& LoadedSkin() {
  static glyphora::TSkinContent skin;
  static bool loaded = [] {
    glyphora::TSkinLoadOptions options;
    options.Decoder = &glyphora::WicImageDecoder();
    skin.LoadFromPackage(ResourcePackage(), options);
    return true;
  }();
  (void)loaded;
  return skin;
}

const glyphora::TBitmap32& OwnBitmap(const char* key) {
  const glyphora::TSkinContent& s = LoadedSkin();
  int32_t i = s.GetMaskIndex("GLOBALINFO", key);
  if (!s.IsValidImgIndex(i) || !s.ma[size_t(i)].Bmp) throw std::runtime_error(std::string("no image ") + key);
  return *s.ma[size_t(i)].Bmp;
}

unsigned Alpha(const glyphora::TBitmap32& b, int x, int y) { return b.Pixel(x, y) >> 24; }

}  // namespace

TEST(InternalSkinResource, LinkedResourceIsThePackage) {
  std::span<const uint8_t> res = ResourcePackage();
  const std::vector<uint8_t>& built = InternalSkin::Get().bytes;
  ASSERT_EQ(res.size(), built.size());
  EXPECT_EQ(std::memcmp(res.data(), built.data(), res.size()), 0);
}

TEST(InternalSkinResource, LoadsWithEveryImageDecoded) {
  const glyphora::TSkinContent& s = LoadedSkin();
  // Same images as the host load (where PNG sizes come from their headers).
  const glyphora::TSkinContent& host = InternalSkin::Get().content;
  ASSERT_EQ(s.ma.size(), host.ma.size());
  for (size_t i = 0; i < s.ma.size(); ++i) {
    SCOPED_TRACE(s.ma[i].ClassName + " " + s.ma[i].PropertyName);
    EXPECT_EQ(s.ma[i].R, host.ma[i].R);
    EXPECT_EQ(s.ma[i].Bmp != nullptr, host.ma[i].Bmp != nullptr);
  }
  EXPECT_TRUE(s.IsValidImgIndex(s.ConstData.ExBorder));
}

TEST(InternalSkinResource, ExtendedBorderHasBodyShadowAndHole) {
  const glyphora::TBitmap32& b = OwnBitmap("EXBORDER");
  int fw = b.Width() / 2, mid = fw / 2;
  for (int f : {0, 1}) {
    SCOPED_TRACE(f);
    int x = f * fw + mid;
    EXPECT_EQ(Alpha(b, x, 30), 255u);               // caption area is solid
    EXPECT_EQ(Alpha(b, x, b.Height() / 2 + 20), 0u);  // client area is left to the form
    unsigned shadow = Alpha(b, x, 8);
    EXPECT_GT(shadow, 0u);
    EXPECT_LT(shadow, 128u);                        // soft, never a hard edge
    EXPECT_EQ(Alpha(b, x, 0), 0u);                  // fades out completely
  }
  // The active frame (the second) casts the deeper shadow.
  EXPECT_GT(Alpha(b, fw + mid, 8), Alpha(b, mid, 8));
}

TEST(InternalSkinResource, CaptionGlowsHoldTheHotButtonInAQuietHalo) {
  for (const char* key : {"BICONCLOSEGLOW0", "BICONMAXGLOW0", "BICONMINGLOW0", "BICONNORMGLOW0", "BICONHELPGLOW0"}) {
    SCOPED_TRACE(key);
    const glyphora::TBitmap32& b = OwnBitmap(key);
    EXPECT_EQ(Alpha(b, 20, b.Height() / 2), 255u);  // the button's left edge, opaque
    EXPECT_EQ(Alpha(b, 0, 0), 0u);                  // corners are clear
    unsigned halo = Alpha(b, b.Width() / 2, 14);    // six pixels above the button
    EXPECT_GT(halo, 0u);
    EXPECT_LT(halo, 100u);
  }
  // The close button glows red: its face is the hot red fill.
  const glyphora::TBitmap32& close = OwnBitmap("BICONCLOSEGLOW0");
  uint32_t face = close.Pixel(22, close.Height() / 2 - 4);
  EXPECT_GT((face >> 16) & 255, 2 * ((face >> 8) & 255));
}

TEST(InternalSkinResource, ControlGlowsLeaveTheControlUncovered) {
  const glyphora::TSkinContent& s = LoadedSkin();
  for (const char* section : {"SPEEDBUTTON", "BUTTON", "TOOLBUTTON"}) {
    SCOPED_TRACE(section);
    int32_t i = s.GetMaskIndex(section, "GLOW0");
    ASSERT_TRUE(s.IsValidImgIndex(i));
    const glyphora::TsMaskData& m = s.ma[size_t(i)];
    ASSERT_NE(m.Bmp, nullptr);
    // The control's edge lies WL - GLOWMARGIN pixels inside the glow window.
    int edge = m.WL - s.gd[size_t(s.GetSkinIndex(section))].GlowMargin;
    int c = m.Bmp->Width() / 2;
    EXPECT_EQ(Alpha(*m.Bmp, c, c), 0u);             // over the control
    EXPECT_GT(Alpha(*m.Bmp, c, edge - 2), 0u);      // just outside its edge
    EXPECT_EQ(Alpha(*m.Bmp, 0, c), 0u);             // fades out by the window edge
  }
}
