// The main window's skinned surfaces: a full repaint at the start size and
// maximised, one label with the skin's contour copies, and the GDI objects
// left after skin switches and resizes.
#include <windows.h>

#include <cstdio>
#include <initializer_list>

#include "app/main_form.h"
#include "bench/timing.h"
#include "framework/application.h"
#include "framework/handles.h"
#include "skin/core/skin_commands.h"
#include "skin/paint/scroll_wnd_win.h"

using namespace glyphora;
using glyphora::bench::MedianMicros;
using glyphora::bench::PrintSpread;
using glyphora::bench::SampleMs;

namespace {

// Every surface repainted from scratch: caches marked stale, the whole
// window invalidated and drawn at once.
void FullRepaint(TForm1& form) {
  RelayToChildren(&form, SM_ALPHACMD, SkinCommandWParam(SKC_BGCHANGED), 0);
  ::RedrawWindow(form.WindowHandle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace

int main() {
  Application()->Initialize();
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  const std::wstring ini = std::wstring(tmp) + L"glyphora_surfaces_bench.ini";
  ::DeleteFileW(ini.c_str());
  TForm1 form(nullptr, ini);
  form.Show();
  Application()->ProcessMessages();
  FullRepaint(form);

  PrintSpread("mainform_paint_ms", SampleMs(30, [&] { FullRepaint(form); }));
  // The font list's window scroll bar painted during one repaint of the
  // list's rows (the rows ask the list for its count, top row, rectangles...).
  {
    HWND list = form.FontList->WindowHandle();
    const TacScrollWnd* bars = form.FontList->Adapter() ? form.FontList->Adapter()->Scroll() : nullptr;
    const int before = bars ? bars->PaintCount() : 0;
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::printf("list_repaint_scrollbar_paints: %d\n", bars ? bars->PaintCount() - before : -1);
  }
  // The panels' own share: each panel with its labels repainted from a
  // stale cache, its windowed children (list, edits, grid, scroll bar) not.
  std::printf("mainform_surfaces_paint_ms: %.2f\n", MedianMicros(30, [&] {
                for (TsPanel* p : {form.SidePanel, form.ToolPanel1, form.ToolTop1, form.BottomPanel, form.MainPanel,
                                   form.sPanel1}) {
                  p->SkinData->BGChanged = true;
                  ::RedrawWindow(p->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                }
              }) / 1000.0);
  if (::GetEnvironmentVariableW(L"GLYPHORA_BENCH_DETAIL", nullptr, 0)) {
   for (int pass = 0; pass < 2; ++pass) {
    form.sSkinManager1->SetActive(pass == 0);
    Application()->ProcessMessages();
    std::printf("detail pass %s\n", pass == 0 ? "skinned" : "plain");
    std::printf("detail_full_us: %.0f\n", MedianMicros(10, [&] { FullRepaint(form); }));
    for (TWinControl* c : std::initializer_list<TWinControl*>{form.SidePanel, form.ToolPanel1, form.ToolTop1, form.BottomPanel,
                                   form.MainPanel, form.sPanel1, form.FontList, form.TextViewer, form.Grid1, form.FontSize, form.CharactersCopy}) {
      std::printf("detail_%ls_us: %.0f\n", c->Name.c_str(), MedianMicros(20, [&] {
        ::RedrawWindow(c->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
      }));
    }
   }
    form.sSkinManager1->SetActive(true);
    Application()->ProcessMessages();
  }

  // One label painted off-screen the way its panel paints it.
  {
    TDibBitmap off(form.sLabel1->Width(), form.sLabel1->Height());
    std::printf("label_paint_us: %.1f\n", MedianMicros(300, [&] {
                  form.sLabel1->Perform(WM_PAINT, reinterpret_cast<WPARAM>(off.DC()), 0);
                  ::GdiFlush();
                }));
  }

  form.SetWindowState(TWindowState::wsMaximized);
  Application()->ProcessMessages();
  RECT rc;
  ::GetClientRect(form.WindowHandle(), &rc);
  PrintSpread("mainform_paint_1080p_ms", SampleMs(30, [&] { FullRepaint(form); }));
  std::printf("mainform_1080p_client: %ldx%ld\n", rc.right, rc.bottom);
  form.SetWindowState(TWindowState::wsNormal);
  Application()->ProcessMessages();

  const long gdiBefore = LiveGdiObjects();
  TsSkinManager* m = form.sSkinManager1;
  for (int i = 0; i < 100; ++i) {
    m->SetSkinName(L"NorvaneWhite (internal)");
    Application()->ProcessMessages();
  }
  const int w = form.Width(), h = form.Height();
  for (int i = 0; i < 1000; ++i) {
    form.SetBounds(form.Left(), form.Top(), w + (i % 7) * 10, h + (i % 5) * 10);
    if (i % 10 == 0) Application()->ProcessMessages();
  }
  form.SetBounds(form.Left(), form.Top(), w, h);
  Application()->ProcessMessages();
  std::printf("surfaces_gdi_objects_gained: %ld\n", LiveGdiObjects() - gdiBefore);
  ::DeleteFileW(ini.c_str());
  return 0;
}
