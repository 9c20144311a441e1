// The window side: a section painted into a device context through a
// temporary bitmap, the device-context fills, and the background request to
// a window that answers and to one that does not.
#include <gtest/gtest.h>

#include <windows.h>

#include "section_paint/synth_skin.h"
#include "section_paint/win_dib.h"
#include "framework/control.h"
#include "skin/core/skin_commands.h"
#include "skin/paint/control_section.h"
#include "skin/paint/section_paint_win.h"

using namespace sectiontest;

namespace {

LRESULT CALLBACK Answering(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == SM_ALPHACMD && SkinCommandCode(wp) == SKC_GETBG) {
    auto* info = reinterpret_cast<TacParentBG*>(lp);
    info->Kind = bgkFill;
    info->Color = 0x00ABCDEF;
    return 1;
  }
  return ::DefWindowProcW(wnd, msg, wp, lp);
}

HWND MakeWindow(const wchar_t* cls, WNDPROC proc) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = cls;
  ::RegisterClassW(&wc);
  return ::CreateWindowExW(0, cls, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, wc.hInstance, nullptr);
}

// A graphic control that answers the background question with its cache,
// or only the colour question, or nothing.
class TAsker : public TControl {
 public:
  enum Mode { Cache, ColorOnly, Silent } mode;
  TBitmap32* cache = nullptr;
  TAsker(Mode m) : TControl(nullptr), mode(m) {}
  void WndProc(TMessage& msg) override {
    if (msg.Msg == SM_ALPHACMD && mode == Cache && SkinCommandCode(msg.WParam) == SKC_GETBG) {
      auto* info = reinterpret_cast<TacParentBG*>(msg.LParam);
      info->Kind = bgkCache;
      info->Bmp = cache;
      info->Offset = {4, 5};
      return;
    }
    if (msg.Msg == SM_ALPHACMD && mode == ColorOnly && SkinCommandCode(msg.WParam) == SKC_GETCOLOR) {
      msg.Result = 0x00445566;
      return;
    }
    TControl::WndProc(msg);
  }
};

}  // namespace

TEST(RequestControlBG, CacheAnswerReportedColourAndOwnColour) {
  TBitmap32 parent(30, 30);
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 30; ++x) parent.SetPixel(x, y, 0xFF000000u | uint32_t(x << 8 | y));
  TAsker cache(TAsker::Cache), colour(TAsker::ColorOnly), silent(TAsker::Silent);
  cache.cache = &parent;
  silent.SetColor(0x00102030);
  TacParentBG a, b, c;
  bool please = false;
  EXPECT_TRUE(RequestControlBG(a, &cache, please));
  EXPECT_EQ(a.Kind, bgkCache);
  EXPECT_FALSE(RequestControlBG(b, &colour, please));
  EXPECT_EQ(b.Kind, bgkFill);
  EXPECT_EQ(b.Color, 0x00445566u);
  EXPECT_FALSE(RequestControlBG(c, &silent, please));
  EXPECT_EQ(c.Color, 0x00102030u);
  // A transparent section painted over the control's own answer.
  SynthSkin s;
  TsGeneralData g = SynthSkin::Plain(0x336699);
  g.Transparency = 100;
  TControlSectionData d;
  d.Skin = &s.skin;
  d.SkinIndex = s.AddSection(g);
  TBitmap32 bmp(10, 10);
  PaintControlSectionSelfBG(d, &cache, false, &bmp, {1, 2}, {0, 0, 10, 10}, 0);
  EXPECT_EQ(bmp.Pixel(0, 0), parent.Pixel(5, 7));
  PaintControlSectionSelfBG(d, &colour, false, &bmp, {0, 0}, {0, 0, 10, 10}, 0);
  EXPECT_EQ(bmp.Pixel(3, 3), Px(0x445566));
}

TEST(SectionToDC, PaintsTheSectionIntoTheRectangleOnly) {
  SynthSkin s;
  const int32_t i = s.AddSection(SynthSkin::Plain(0x336699));
  DibDC d(20, 20);
  FillDcRect(d.dc, {0, 0, 20, 20}, 0x000000);
  PaintSectionToDC(&s.skin, i, "X", TCacheInfo{}, d.dc, {0, 0}, {3, 4, 10, 12}, 0);
  EXPECT_EQ(d.At(3, 4), 0x996633u);  // red 0x99 in the third byte
  EXPECT_EQ(d.At(9, 11), d.At(3, 4));
  EXPECT_EQ(d.At(10, 11), 0u);
  EXPECT_EQ(d.At(2, 4), 0u);
  PaintSectionToDC(&s.skin, i, "X", TCacheInfo{}, d.dc, {0, 0}, {-1, 0, 5, 5}, 0);
  EXPECT_EQ(d.At(0, 0), 0u);
}

TEST(SectionToDC, FillAndFrameRoutines) {
  DibDC d(12, 10);
  FillDcRect(d.dc, {0, 0, 12, 10}, 0x000000);
  FillDcFrame(d.dc, {1, 1, 11, 9}, 0x0000FF, 1, 2, 3, 1);
  EXPECT_EQ(d.At(5, 2), 0xFF0000u);
  EXPECT_EQ(d.At(5, 3), 0u);
  EXPECT_EQ(d.At(8, 5), 0xFF0000u);
  EXPECT_EQ(d.At(7, 5), 0u);
  DibDC e(12, 10);
  FillDcRect(e.dc, {0, 0, 12, 10}, 0x00FF00);
  CopyDcFrame(e.dc, 0, 0, 12, 10, d.dc, 0, 0, 2);
  EXPECT_EQ(e.At(5, 1), d.At(5, 1));
  EXPECT_EQ(e.At(5, 5), 0x00FF00u);
}

TEST(RequestWindowBG, AnswerAndFallbackColour) {
  HWND answering = MakeWindow(L"SectionPaintAnswering", Answering);
  HWND silent = MakeWindow(L"SectionPaintSilent", ::DefWindowProcW);
  if (!answering || !silent) GTEST_SKIP() << "no display for windows";
  TacParentBG info;
  bool please = true;
  EXPECT_TRUE(RequestWindowBG(info, answering, please));
  EXPECT_EQ(info.Kind, bgkFill);
  EXPECT_EQ(info.Color, 0x00ABCDEFu);
  EXPECT_TRUE(info.PaintIfMissing);
  TacParentBG none;
  please = false;
  EXPECT_FALSE(RequestWindowBG(none, silent, please));
  EXPECT_EQ(none.Kind, bgkFill);
  EXPECT_EQ(none.Color, 0xFF00000Fu);  // no skin manager: the button face
  ::DestroyWindow(answering);
  ::DestroyWindow(silent);
}
