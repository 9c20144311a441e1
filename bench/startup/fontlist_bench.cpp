// The font list of the main window with every installed family: a full
// repaint of the visible rows, and paging from the first family to the last
// by the scroll bar (each page shows families not drawn before), back to
// back and at a reading pace; one wheel notch, and a selection change by
// keyboard (with the rows it draws), each until repainted.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <thread>

#include "app/main_form.h"
#include "bench/timing.h"
#include "framework/application.h"
#include "framework/graphics.h"

using namespace glyphora;

namespace {

// Where a row's and a page's time goes (GLYPHORA_BENCH_DETAIL=1), in
// microseconds a row unless named otherwise. Each part is timed on families
// of its own, drawn once long ago and their fonts freed since.
void PrintDetail(TForm1& form) {
  TsFontListBox& fl = *form.FontList;
  const HWND list = fl.Handle();
  const int count = fl.Items().Count();
  constexpr int kRows = 20;
  fl.RowPainter().Wait();  // nothing drawn ahead while timing
  int next = count / 4;
  auto slice = [&] {
    std::vector<std::wstring> names;
    for (int i = 0; i < kRows && next < count; ++i) names.push_back(fl.Items().Get(next++));
    return names;
  };
  auto look = [&](const std::wstring& face) {
    return MakeLogFont(face, fl.Font().Height(), fl.Font().Style() & (fsBold | fsItalic), DEFAULT_CHARSET);
  };
  auto perRow = [&](auto&& f) {
    const double a = bench::NowMs();
    f();
    return (bench::NowMs() - a) * 1000.0 / kRows;
  };
  // Draws each name in its font on a row surface: with fresh fonts, or
  // with the given ones (freed by the caller).
  auto drawRows = [&](const std::vector<std::wstring>& names, const std::vector<HFONT>* given, HDC dc) {
    for (size_t i = 0; i < names.size(); ++i) {
      const LOGFONTW lf = look(names[i]);
      HFONT f = given ? (*given)[i] : ::CreateFontIndirectW(&lf);
      ::SelectObject(dc, f);
      ::ExtTextOutW(dc, 23, 0, 0, nullptr, names[i].c_str(), static_cast<UINT>(names[i].size()), nullptr);
      ::GdiFlush();
      ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
      if (!given) ::DeleteObject(f);
    }
  };
  TDibBitmap row(250, 22);
  const HDC dc = row.DC();
  ::SetBkMode(dc, TRANSPARENT);
  // A family's font measured (made and realised), its name drawn the first
  // time, again after the other families, and right after itself.
  {
    const std::vector<std::wstring> names = slice();
    std::vector<HFONT> fonts;
    std::printf("detail_font_metrics_us: %.0f\n", perRow([&] {
                  for (const auto& n : names) {
                    const LOGFONTW lf = look(n);
                    fonts.push_back(::CreateFontIndirectW(&lf));
                    TEXTMETRICW tm{};
                    ::SelectObject(dc, fonts.back());
                    ::GetTextMetricsW(dc, &tm);
                  }
                  ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
                }));
    std::printf("detail_text_first_us: %.0f\n", perRow([&] { drawRows(names, &fonts, dc); }));
    std::printf("detail_text_again_us: %.0f\n", perRow([&] { drawRows(names, &fonts, dc); }));
    std::printf("detail_text_right_again_us: %.1f\n", bench::MedianMicros(20, [&] {
                  ::SelectObject(dc, fonts[0]);
                  ::ExtTextOutW(dc, 23, 0, 0, nullptr, names[0].c_str(), static_cast<UINT>(names[0].size()), nullptr);
                  ::GdiFlush();
                }));
    ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
    for (HFONT f : fonts) ::DeleteObject(f);
  }
  // Rows in new families on one thread, then on two at once (as many each):
  // how far two threads draw in parallel (2: fully, 1: not at all).
  {
    auto rows = [&](std::vector<std::wstring> names) {
      TDibBitmap surface(250, 22);
      ::SetBkMode(surface.DC(), TRANSPARENT);
      drawRows(names, nullptr, surface.DC());
    };
    const double a = bench::NowMs();
    std::thread(rows, slice()).join();
    const double one = bench::NowMs() - a;
    const double b = bench::NowMs();
    std::thread t1(rows, slice()), t2(rows, slice());
    t1.join();
    t2.join();
    std::printf("detail_two_threads_speedup: %.2f\n", 2 * one / (bench::NowMs() - b));
  }
  // The list's own messages a painted row asks, and a row's copy to the screen.
  std::printf("detail_lb_messages_us: %.1f\n", bench::MedianMicros(200, [&] {
                RECT r;
                ::SendMessageW(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
                ::SendMessageW(list, LB_GETITEMDATA, 3, 0);
                ::SendMessageW(list, LB_GETCOUNT, 0, 0);
              }));
  {
    const HDC screen = ::GetDC(list);
    std::printf("detail_row_blit_us: %.1f\n", bench::MedianMicros(200, [&] {
                  ::BitBlt(screen, 0, 22, 250, 22, dc, 0, 0, SRCCOPY);
                  ::GdiFlush();
                }));
    ::ReleaseDC(list, screen);
  }
  // A scroll bar set with redraw: the platform paints its own bar (which a
  // skinned list paints over); the skinned frame and bars repainted.
  {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(list, SB_VERT, &si);
    std::printf("detail_native_bar_redraw_us: %.0f\n",
                bench::MedianMicros(20, [&] { ::SetScrollInfo(list, SB_VERT, &si, TRUE); }));
    std::printf("detail_skinned_frame_redraw_us: %.0f\n", bench::MedianMicros(20, [&] {
                  ::RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
                }));
  }
  // A selection's parts: the click handler (the preview takes the family)
  // and the selected row drawn, for families drawn a while ago.
  {
    const int top = count / 2;
    ::SendMessageW(list, LB_SETTOPINDEX, top, 0);
    ::UpdateWindow(list);
    double click = 0;
    for (int i = 0; i < kRows; ++i) {
      fl.SetItemIndex(top + i);
      const double a = bench::NowMs();
      fl.OnClick(&fl);
      click += bench::NowMs() - a;
    }
    std::printf("detail_select_click_us: %.0f\n", click * 1000.0 / kRows);
    // Its parts: each control of the preview taking a new family.
    struct Part { const char* name; TFont& font; } parts[] = {
        {"text", form.TextViewer->Font()}, {"grid", form.Grid1->Font()}, {"char", form.CharacterPreview->Font()}};
    for (Part& p : parts) {
      const std::vector<std::wstring> names = slice();
      std::printf("detail_select_%s_us: %.0f\n", p.name, perRow([&] {
                    for (const auto& n : names) p.font.SetName(n);
                  }));
    }
    ::SendMessageW(list, LB_SETTOPINDEX, top + 40, 0);
    ::UpdateWindow(list);
    for (unsigned state : {0u, unsigned(ODS_SELECTED | ODS_FOCUS)}) {
      double t = 0;
      for (int i = 0; i < kRows; ++i) {
        DRAWITEMSTRUCT d{ODT_LISTBOX, 0, UINT(top + i), ODA_DRAWENTIRE, state, list, dc, RECT{0, 0, 250, 22},
                         ULONG_PTR(::SendMessageW(list, LB_GETITEMDATA, top + i, 0))};
        const double a = bench::NowMs();
        fl.Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
        ::GdiFlush();
        t += bench::NowMs() - a;
      }
      std::printf("detail_select_row_%s_us: %.0f\n", state ? "selected" : "kept", t * 1000.0 / kRows);
    }
  }
  // A page whose rows are all kept: what a page costs besides its rows.
  ::SendMessageW(list, LB_SETTOPINDEX, count / 2, 0);
  ::UpdateWindow(list);
  ::SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
  ::UpdateWindow(list);
  const int composed = fl.RowsComposed();
  bool down = false;
  bench::PrintSpread("detail_page_kept_ms", bench::SampleMs(20, [&] {
                       ::SendMessageW(list, WM_VSCROLL, down ? SB_PAGEDOWN : SB_PAGEUP, 0);
                       ::UpdateWindow(list);
                       down = !down;
                     }));
  std::printf("detail_page_kept_rows_composed: %d\n", fl.RowsComposed() - composed);
}

}  // namespace

int main() {
  Application()->Initialize();
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  TForm1 form(nullptr, std::wstring(tmp) + L"glyphora_fontlist_bench.ini");
  form.Show();
  Application()->ProcessMessages();
  HWND list = form.FontList->Handle();
  const int count = form.FontList->Items().Count();

  using Clock = std::chrono::steady_clock;
  // Pages from the first family to the last; between two pages the program
  // runs its message loop for `pause` (none: pages back to back, as fast as
  // a held key can ask). Gives the time of each page.
  auto pageThrough = [&](std::chrono::milliseconds pause) {
    ::SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    ::UpdateWindow(list);
    std::vector<double> pages;
    for (int guard = 0; guard < count; ++guard) {
      const auto until = Clock::now() + pause;
      while (Clock::now() < until) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::max<long long>(left, 0)), QS_ALLINPUT);
        Application()->ProcessMessages();
      }
      const int top = form.FontList->TopIndex();
      const auto a = Clock::now();
      ::SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
      ::UpdateWindow(list);
      pages.push_back(std::chrono::duration<double, std::milli>(Clock::now() - a).count());
      if (form.FontList->TopIndex() == top) {
        pages.pop_back();  // the last page was already in view
        break;
      }
    }
    return pages;
  };
  auto worst = [](const std::vector<double>& v) { return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()); };
  // Rows composed by the GUI thread itself per page (the others were copied
  // from rows kept or drawn ahead).
  auto composedPerPage = [&](int before, size_t n) {
    return n ? double(form.FontList->RowsComposed() - before) / double(n) : 0.0;
  };
  int composed = form.FontList->RowsComposed();
  const std::vector<double> pages = pageThrough(std::chrono::milliseconds(0));
  const double pageComposed = composedPerPage(composed, pages.size());
  const bench::TSpread repaint = bench::SampleMs(15, [&] {
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  });
  // The row cache holds fewer rows than there are families, so the second
  // run from the top meets mostly rows it has to draw again.
  composed = form.FontList->RowsComposed();
  const std::vector<double> readPages = pageThrough(std::chrono::milliseconds(200));
  const double readComposed = composedPerPage(composed, readPages.size());
  // One wheel notch down over the list, until the list is repainted.
  ::SendMessageW(list, LB_SETTOPINDEX, 0, 0);
  ::UpdateWindow(list);
  RECT lr;
  ::GetWindowRect(list, &lr);
  const LPARAM at = MAKELPARAM((lr.left + lr.right) / 2, (lr.top + lr.bottom) / 2);
  const bench::TSpread wheel = bench::SampleMs(25, [&] {
    ::SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), at);
    ::UpdateWindow(list);
  });
  // The selection moved one row down by the keyboard, focused list.
  form.FontList->SetFocus();
  form.FontList->SetItemIndex(form.FontList->TopIndex());
  Application()->ProcessMessages();
  const int rowsBefore = form.FontList->RowsDrawn();
  constexpr int kSelects = 15;
  const bench::TSpread select = bench::SampleMs(kSelects, [&] {
    ::SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    ::UpdateWindow(list);
  });
  const double selectRows = double(form.FontList->RowsDrawn() - rowsBefore) / kSelects;
  std::printf("fontlist_families: %d\n", count);
  bench::PrintSpread("fontlist_wheel_ms", wheel);
  bench::PrintSpread("fontlist_select_ms", select);
  std::printf("fontlist_select_rows: %.1f\n", selectRows);
  bench::PrintSpread("fontlist_repaint_ms", repaint);
  // Each page of the run shows families not drawn before: the median page,
  // its spread, and the slowest page.
  bench::PrintSpread("fontlist_page_ms", bench::SpreadOf(pages));
  std::printf("fontlist_page_max_ms: %.2f\n", worst(pages));
  std::printf("fontlist_pages: %zu\n", pages.size());
  std::printf("fontlist_page_rows_composed: %.1f\n", pageComposed);
  // A page every 200 ms, the program idle in between (reading the list).
  bench::PrintSpread("fontlist_page_read_ms", bench::SpreadOf(readPages));
  std::printf("fontlist_page_read_max_ms: %.2f\n", worst(readPages));
  std::printf("fontlist_page_read_rows_composed: %.1f\n", readComposed);
  wchar_t detail[8] = L"";
  if (::GetEnvironmentVariableW(L"GLYPHORA_BENCH_DETAIL", detail, 8) && detail[0] == L'1') PrintDetail(form);
  return 0;
}
