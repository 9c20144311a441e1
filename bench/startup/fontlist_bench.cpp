// The font list of the main window with every installed family: a full
// repaint of the visible rows, and paging from the first family to the last
// by the scroll bar (each page shows families not drawn before).
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
  std::vector<double> pages;
  for (int guard = 0; guard < count; ++guard) {
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
  double sum = 0, worst = 0;
  for (double p : pages) {
    sum += p;
    worst = std::max(worst, p);
  }
  const double repaint = bench::MedianMicros(15, [&] {
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }) / 1000.0;

  std::printf("fontlist_families: %d\n", count);
  std::printf("fontlist_repaint_ms: %.2f\n", repaint);
  std::printf("fontlist_page_ms: %.2f\n", pages.empty() ? 0.0 : sum / static_cast<double>(pages.size()));
  std::printf("fontlist_page_max_ms: %.2f\n", worst);
  std::printf("fontlist_pages: %zu\n", pages.size());
  return 0;
}
