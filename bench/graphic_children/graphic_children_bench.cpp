// Painting 24 labels of a 600 x 400 container over its cached image with
// PaintGraphicChildren (one off-screen bitmap per call), next to the same
// work with one off-screen bitmap per child. Medians, one figure a line.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/timing.h"
#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "skin/core/skin_commands.h"
#include "skin/paint/graphic_children_win.h"
#include "skin/paint/plain_copy.h"

using namespace glyphora;

namespace {

using bench::MedianMicros;

class TCachedPanel : public TPanel {
 public:
  using TPanel::TPanel;
  TBitmap32 cache{600, 400};
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_GETBG) {
      auto* info = reinterpret_cast<TacParentBG*>(m.LParam);
      info->Kind = bgkCache;
      info->Bmp = &cache;
      info->Offset = {0, 0};
      return;
    }
    TPanel::WndProc(m);
  }
};

}  // namespace

int main() {
  Application()->Initialize();
  TForm form(nullptr);
  form.SetClientSize(600, 400);
  form.HandleNeeded();
  auto* panel = new TCachedPanel(&form);
  panel->SetBounds(0, 0, 600, 400);
  panel->SetParent(&form);
  panel->HandleNeeded();
  panel->cache.Fill(0xFF808080);
  for (int i = 0; i < 24; ++i) {
    auto* l = new TLabel(&form);
    l->AutoSize = false;
    l->Transparent = true;
    l->SetBounds(10 + (i % 4) * 140, 10 + (i / 4) * 60, 120, 20);
    l->SetCaption(L"Label " + std::to_wstring(i));
    l->SetParent(panel);
  }
  TDibBitmap target(600, 400);

  const double one = MedianMicros(200, [&] { PaintGraphicChildren(target.DC(), panel, true, {0, 0}); });
  // The same output with a bitmap for every child.
  const double each = MedianMicros(200, [&] {
    for (TControl* c : panel->Controls()) {
      TDibBitmap off(c->Width(), c->Height());
      CopyBlock(&off.Pixels(), 0, 0, &panel->cache, c->Left(), c->Top(), c->Width(), c->Height());
      c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(off.DC()), 0);
      ::GdiFlush();
      ::BitBlt(target.DC(), c->Left(), c->Top(), c->Width(), c->Height(), off.DC(), 0, 0, SRCCOPY);
    }
  });
  std::printf("graphic_children_24_labels_us: %.1f\n", one);
  std::printf("graphic_children_24_labels_bitmap_per_child_us: %.1f\n", each);
  return 0;
}
