// A manager with the internal skin, an off-screen 32-bit DIB with a sharp
// (not anti-aliased) font selected, and the pixels a text covers.
#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <utility>

#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/core/skin_types.h"
#include "skin_manager/manager_fixture.h"

namespace glyphora::test {

using TPixelSet = std::set<std::pair<int, int>>;

class TextTest : public ManagerTest {
 protected:
  static constexpr int W = 90, H = 44;
  static constexpr uint32_t kBack = 0xFF808080u;
  void SetUp() override {
    ManagerTest::SetUp();
    manager = MakeManager();
    ASSERT_TRUE(manager && manager->Active());
    font.reset(::CreateFontW(-26, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                             L"Tahoma"));
    dib.SetSize(W, H);
    ::SelectObject(dib.DC(), font.get());
    dib.Pixels().Fill(kBack);
  }
  void TearDown() override {
    ::SelectObject(dib.DC(), ::GetStockObject(SYSTEM_FONT));
    ManagerTest::TearDown();
  }
  TsGeneralData& Section(const char* name) {
    const int i = manager->GetSkinIndex(name);
    EXPECT_GE(i, 0) << name;
    return manager->Content().gd[static_cast<size_t>(i)];
  }
  // The pixels that the text covers, drawn alone at r with flags.
  TPixelSet Covered(const std::wstring& text, const TRect32& r, UINT flags) {
    TDibBitmap ref(W, H);
    ref.Pixels().Fill(kBack);
    SelectGuard f(ref.DC(), font.get());
    ::SetBkMode(ref.DC(), TRANSPARENT);
    ::SetTextColor(ref.DC(), 0);
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    ::DrawTextW(ref.DC(), text.c_str(), static_cast<int>(text.size()), &rc, flags);
    ::GdiFlush();
    TPixelSet s;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        if (ref.Pixels().Pixel(x, y) != kBack) s.insert({x, y});
    return s;
  }
  static TPixelSet Shifted(const TPixelSet& s, int dx, int dy) {
    TPixelSet out;
    for (auto [x, y] : s) out.insert({x + dx, y + dy});
    return out;
  }
  uint32_t At(int x, int y) {
    ::GdiFlush();
    return dib.Pixels().Pixel(x, y);
  }
  TsSkinManager* manager = nullptr;
  UniqueFont font;
  TDibBitmap dib;
};

// The colour bytes of a colour value as they lie in a pixel.
inline uint32_t Rgb(TColor c) { return SwapRedBlue(ColorToRGB(c)) & 0x00FFFFFFu; }

}  // namespace glyphora::test
