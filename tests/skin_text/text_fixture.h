// A manager with the internal skin, an off-screen 32-bit DIB with a sharp
// (not anti-aliased) font selected, and the pixels a text covers.
#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <utility>

#include "framework/graphics.h"
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
    font.reset(::CreateFontW(-26, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma"));
    dib.SetSize(W, H);
    ::SelectObject(dib.DC(), font.get());
    dib.Pixels().Fill(kBack);
  }
  void TearDown() override {
    ::SelectObject(dib.DC(), ::GetStockObject(SYSTEM_FONT));
    ManagerTest::TearDown();
  }
  TsGeneralData& Section(const char* name) { return manager->Content().gd.at(size_t(manager->GetSkinIndex(name))); }
  // The pixels that the text covers, drawn alone at r with flags, moved by (dx, dy).
  TPixelSet Covered(const std::wstring& text, const TRect32& r, UINT flags, int dx = 0, int dy = 0) {
    TDibBitmap ref(W, H);
    ref.Pixels().Fill(kBack);
    ::SelectObject(ref.DC(), font.get());
    ::SetBkMode(ref.DC(), TRANSPARENT);
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    ::DrawTextW(ref.DC(), text.c_str(), static_cast<int>(text.size()), &rc, flags);
    ::GdiFlush();
    ::SelectObject(ref.DC(), ::GetStockObject(SYSTEM_FONT));
    TPixelSet s;
    for (int i = 0; i < W * H; ++i)
      if (ref.Pixels().Pixel(i % W, i / W) != kBack) s.insert({i % W + dx, i / W + dy});
    return s;
  }
  uint32_t At(int x, int y) {
    ::GdiFlush();
    return dib.Pixels().Pixel(x, y);
  }

 public:  // for the case tables
  using ManagerTest::form;
  TsSkinManager* manager = nullptr;
  UniqueFont font;
  TDibBitmap dib;
};

// The colour bytes of a colour value as they lie in a pixel.
inline uint32_t Rgb(TColor c) { return SwapRedBlue(ColorToRGB(c)) & 0x00FFFFFFu; }

}  // namespace glyphora::test
