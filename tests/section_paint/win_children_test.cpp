// Non-windowed children of a skinned container: painted through one
// off-screen bitmap over the parent's background, key pixels left out,
// kept out of the container's clip region; nothing leaks, also when a child
// throws.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <stdexcept>

#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/handles.h"
#include "section_paint/win_dib.h"
#include "skin/controls/sSplitter.h"
#include "skin/core/skin_commands.h"
#include "base/color_convert.h"
#include "skin/paint/graphic_children_win.h"

using namespace glyphora;
using namespace sectiontest;

namespace {

constexpr uint32_t kSentinel = 0x00123456;
constexpr TColor kMark = 0x00203040, kSpill = 0x00C0FFEE;

// A container that answers the background question with its cache image or
// a colour, and counts what it is asked.
class TParentPanel : public TPanel {
 public:
  using TPanel::TPanel;
  bool answerImage = true;
  TBitmap32 cache{300, 300};
  TColor fill = 0x00AA5500;
  int asked = 0, halfVisible = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_GETBG) {
      ++asked;
      auto* info = reinterpret_cast<TacParentBG*>(m.LParam);
      if (answerImage) {
        info->Kind = bgkCache;
        info->Bmp = &cache;
        info->Offset = {3, 4};
      } else {
        info->Kind = bgkFill;
        info->Color = fill;
      }
      return;
    }
    if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_SETHALFVISIBLE) {
      ++halfVisible;
      return;
    }
    TPanel::WndProc(m);
  }
};

// A graphic child that marks a 2 x 2 square at (1, 1), tries to paint past
// its right edge, and leaves its bottom-right pixel in the key colour.
class TMarker : public TControl {
 public:
  using TControl::TControl;
  bool opaque = false;
  bool throws = false;
  int halfVisible = 0, painted = 0;
  std::function<void()> duringPaint;
  bool PaintsOpaque() const override { return opaque; }
  void Paint(TCanvas& canvas) override {
    ++painted;
    if (duringPaint) duringPaint();
    if (throws) throw std::runtime_error("paint failed");
    canvas.FillRect(RECT{1, 1, 3, 3}, kMark);
    canvas.FillRect(RECT{Width() - 2, 0, Width() + 6, 2}, kSpill);
    canvas.FillRect(RECT{Width() - 1, Height() - 1, Width(), Height()}, 0x00FF00FF);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_SETHALFVISIBLE) ++halfVisible;
    TControl::WndProc(m);
  }
};

class GraphicChildren : public ::testing::Test {
 protected:
  void SetUp() override {
    Application()->Initialize();
    form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(220, 160);
    form->HandleNeeded();
    parent = new TParentPanel(form.get());
    parent->SetBounds(0, 0, 160, 120);
    parent->SetParent(form.get());
    parent->HandleNeeded();
    for (int32_t y = 0; y < 300; ++y)
      for (int32_t x = 0; x < 300; ++x) parent->cache.SetPixel(x, y, 0xFF000000u | 0x11u << 16 | uint32_t(x) << 8 | y);
    clear = Add(20, 30, 12, 10);
    solid = Add(50, 10, 8, 8);
    solid->opaque = true;
    solid->SetColor(0x00406080);
    label = new TLabel(form.get());
    label->AutoSize = false;
    label->SetBounds(70, 40, 15, 9);
    label->SetColor(0x00102030);
    label->SetParent(parent);
    hidden = Add(90, 60, 6, 6);
    hidden->SetVisible(false);
    flat = Add(100, 60, 0, 6);
  }
  TMarker* Add(int x, int y, int w, int h) {
    auto* m = new TMarker(form.get());
    m->SetBounds(x, y, w, h);
    m->SetParent(parent);
    return m;
  }
  // The parent's image behind the parent's client point (x, y).
  uint32_t Behind(int x, int y) const { return parent->cache.Pixel(3 + x, 4 + y) & 0xFFFFFF; }

  std::unique_ptr<TForm> form;
  TParentPanel* parent = nullptr;
  TMarker *clear = nullptr, *solid = nullptr, *hidden = nullptr, *flat = nullptr;
  TLabel* label = nullptr;
};

constexpr TPoint32 kOffset{10, 5};

}  // namespace

TEST_F(GraphicChildren, ChildrenOverTheParentImageTheirOwnColourAndClip) {
  DibDC d(220, 170, kSentinel);
  const long gdi = LiveGdiObjects();
  PaintGraphicChildren(d.dc, parent, true, kOffset);
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(parent->asked, 1);
  const int cx = 20 + kOffset.X, cy = 30 + kOffset.Y;
  // The see-through child: the parent's image at its position, its marks,
  // its spill cut at its right edge, its key pixel not copied.
  EXPECT_EQ(d.At(cx, cy + 5), Behind(20, 35));
  EXPECT_EQ(d.At(cx + 6, cy + 9), Behind(26, 39));
  EXPECT_EQ(d.At(cx + 1, cy + 1), Rgb(kMark));
  EXPECT_EQ(d.At(cx + 2, cy + 2), Rgb(kMark));
  EXPECT_EQ(d.At(cx + 3, cy + 3), Behind(23, 33));
  EXPECT_EQ(d.At(cx + 11, cy + 1), Rgb(kSpill));
  EXPECT_EQ(d.At(cx + 12, cy + 1), kSentinel);
  EXPECT_EQ(d.At(cx + 11, cy + 9), kSentinel);
  EXPECT_EQ(d.At(cx + 10, cy + 9), Behind(30, 39));
  // The opaque child on its own colour; the label paints its colour.
  EXPECT_EQ(d.At(50 + kOffset.X + 5, 10 + kOffset.Y + 5), Rgb(0x00406080));
  EXPECT_EQ(d.At(50 + kOffset.X + 1, 10 + kOffset.Y + 1), Rgb(kMark));
  EXPECT_EQ(d.At(70 + kOffset.X + 7, 40 + kOffset.Y + 4), Rgb(0x00102030));
  // Hidden and empty children, and everything between children, untouched.
  EXPECT_EQ(hidden->painted, 0);
  EXPECT_EQ(flat->painted, 0);
  EXPECT_EQ(d.At(93 + kOffset.X, 63 + kOffset.Y), kSentinel);
  EXPECT_EQ(d.At(5, 5), kSentinel);
  EXPECT_EQ(d.At(cx - 1, cy), kSentinel);
  EXPECT_EQ(d.At(cx, cy - 1), kSentinel);
  EXPECT_EQ(clear->halfVisible, 0);
}

TEST_F(GraphicChildren, ParentColourClipAndVisibility) {
  parent->answerImage = false;
  DibDC d(220, 170, kSentinel);
  PaintGraphicChildren(d.dc, parent, true, {0, 0});
  EXPECT_EQ(d.At(25, 35), Rgb(0x00AA5500));
  EXPECT_EQ(d.At(21, 31), Rgb(kMark));

  // Clip box cutting the see-through child: it is told it is half visible,
  // and nothing lands outside the clip.
  DibDC c(220, 170, kSentinel);
  ::IntersectClipRect(c.dc, 0, 0, 26, 170);
  PaintGraphicChildren(c.dc, parent, true, {0, 0});
  EXPECT_EQ(clear->halfVisible, 1);
  EXPECT_EQ(c.At(25, 35), Rgb(0x00AA5500));
  EXPECT_EQ(c.At(26, 35), kSentinel);
  EXPECT_EQ(solid->painted, 1);  // painted once, in the first call only (outside this clip)

  // An empty clip box: only the parent hears about it.
  DibDC e(220, 170, kSentinel);
  ::IntersectClipRect(e.dc, 5, 5, 5, 5);
  const int asked = parent->asked;
  PaintGraphicChildren(e.dc, parent, true, {0, 0});
  EXPECT_EQ(parent->halfVisible, 1);
  EXPECT_EQ(parent->asked, asked);
  EXPECT_EQ(e.At(25, 35), kSentinel);

  // Offsets at the ends of the integer range put every child off the DC.
  DibDC distant(220, 170, kSentinel);
  PaintGraphicChildren(distant.dc, parent, true, {INT32_MAX, INT32_MIN});
  PaintGraphicChildren(distant.dc, parent, true, {INT32_MIN, INT32_MAX});
  for (int y = 0; y < 170; y += 7)
    for (int x = 0; x < 220; x += 7) ASSERT_EQ(distant.At(x, y), kSentinel) << x << "," << y;

  // An invisible parent paints nothing unless asked to regardless.
  parent->SetVisible(false);
  DibDC h(220, 170, kSentinel);
  PaintGraphicChildren(h.dc, parent, true, {0, 0});
  EXPECT_EQ(h.At(25, 35), kSentinel);
  PaintGraphicChildren(h.dc, parent, false, {0, 0});
  EXPECT_EQ(h.At(25, 35), Rgb(0x00AA5500));
}

TEST_F(GraphicChildren, ReentryDoesNothingAndAThrowingChildFreesEverything) {
  DibDC d(220, 170, kSentinel), inner(220, 170, kSentinel);
  clear->duringPaint = [&] { PaintGraphicChildren(inner.dc, parent, true, {0, 0}); };
  PaintGraphicChildren(d.dc, parent, true, {0, 0});
  EXPECT_EQ(parent->asked, 1);
  EXPECT_EQ(clear->painted, 1);
  EXPECT_EQ(inner.At(25, 35), kSentinel);
  clear->duringPaint = nullptr;

  const long gdi = LiveGdiObjects();
  solid->throws = true;
  DibDC t(220, 170, kSentinel);
  EXPECT_THROW(PaintGraphicChildren(t.dc, parent, true, {0, 0}), std::runtime_error);
  EXPECT_EQ(LiveGdiObjects(), gdi);
  solid->throws = false;
  // The running flag was cleared: the next call paints.
  PaintGraphicChildren(t.dc, parent, true, {0, 0});
  EXPECT_EQ(t.At(21, 31), Rgb(kMark));
}

TEST_F(GraphicChildren, ExcludeLeavesSplittersHiddenAndWindowedChildrenInTheClip) {
  auto* splitter = new TsSplitter(form.get());
  splitter->SetAlign(TAlign::alNone);
  splitter->SetBounds(120, 0, 4, 50);
  splitter->SetParent(parent);
  auto* windowed = new TPanel(form.get());
  windowed->SetBounds(130, 60, 20, 20);
  windowed->SetParent(parent);
  DibDC d(220, 170, kSentinel);
  ExcludeGraphicChildren(d.dc, parent, 5, 10);
  const RECT all{0, 0, 220, 170};
  TCanvas(d.dc).FillRect(all, 0x000000FF);
  const uint32_t filled = Rgb(0x000000FF);
  EXPECT_EQ(d.At(20 + 10, 30 + 5), kSentinel);           // a marker
  EXPECT_EQ(d.At(20 + 10 + 11, 30 + 5 + 9), kSentinel);  // its last pixel
  EXPECT_EQ(d.At(20 + 10 + 12, 30 + 5), filled);
  EXPECT_EQ(d.At(70 + 10, 40 + 5), kSentinel);  // the label
  EXPECT_EQ(d.At(121 + 10, 10 + 5), filled);    // the splitter
  EXPECT_EQ(d.At(92 + 10, 62 + 5), filled);     // hidden
  EXPECT_EQ(d.At(140 + 10, 70 + 5), filled);    // windowed
  EXPECT_EQ(d.At(20, 30), filled);              // a marker's unshifted place
  DibDC distant(220, 170, kSentinel);
  ExcludeGraphicChildren(distant.dc, parent, INT32_MAX, INT32_MIN);
  TCanvas(distant.dc).FillRect(all, 0x000000FF);
  EXPECT_EQ(distant.At(30, 35), filled);
}
