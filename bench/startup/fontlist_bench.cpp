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

#include "app/main_form.h"
#include "bench/timing.h"
#include "framework/application.h"

using namespace glyphora;

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
  const std::vector<double> pages = pageThrough(std::chrono::milliseconds(0));
  const bench::TSpread repaint = bench::SampleMs(15, [&] {
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  });
  // The row cache holds fewer rows than there are families, so the second
  // run from the top meets mostly rows it has to draw again.
  const std::vector<double> readPages = pageThrough(std::chrono::milliseconds(200));
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
  // A page every 200 ms, the program idle in between (reading the list).
  bench::PrintSpread("fontlist_page_read_ms", bench::SpreadOf(readPages));
  std::printf("fontlist_page_read_max_ms: %.2f\n", worst(readPages));
  return 0;
}
