// Skinned scroll bars: one repaint of the size bar, the measured repeat
// delays of held arrows (the size bar's and a window bar's), repaints while
// the mouse rests over a bar, and live GDI objects gained over 10,000 scroll
// steps. One figure a line.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "framework/application.h"
#include "framework/forms.h"
#include "framework/handles.h"
#include "framework/window_hook.h"
#include "skin/controls/sScrollBar.h"
#include "skin/core/sSkinManager.h"
#include "skin/paint/scroll_wnd_win.h"

using namespace glyphora;
using glyphora::bench::NowMs;

namespace {

void Pump(int ms) {
  const double end = NowMs() + ms;
  while (NowMs() < end) {
    Application()->ProcessMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}

}  // namespace

int main() {
  Application()->Initialize();
  TForm form(nullptr);
  form.BeginLoading();
  auto* manager = new TsSkinManager(&form);
  TsStoredSkin skin;
  skin.Name = L"NorvaneWhite (internal)";
  skin.PackedData = ResourceData(L"INTERNAL_SKIN", reinterpret_cast<LPCWSTR>(RT_RCDATA));
  manager->InternalSkins.push_back(skin);
  manager->SetSkinName(skin.Name);
  auto* bar = new TsScrollBar(&form);
  bar->SetParams(0, 0, 100000);
  bar->SetBounds(8, 25, 234, 17);
  bar->SetParent(&form);
  bar->SetSkinManager(manager);
  std::vector<double> changes;
  bar->OnChange = [&](TComponent*) { changes.push_back(NowMs()); };
  form.SetClientSize(300, 260);
  form.LoadedAll();
  form.Show();
  Pump(50);
  if (!bar->SkinnedWindow()) {
    std::fprintf(stderr, "the scroll bar is not skinned\n");
    return 1;
  }
  HWND wnd = bar->WindowHandle();

  const int paintsBefore = bar->PaintCount();
  const double paintUs = bench::MedianMicros(501, [&] { bar->PaintNow(); });
  if (bar->PaintCount() - paintsBefore < 501) {
    std::fprintf(stderr, "the bar was not painted\n");
    return 1;
  }
  std::printf("scrollbar_paint_us: %.1f\n", paintUs);

  // A held right arrow: one step at once, the next after the first delay,
  // then one a repeat interval.
  changes.clear();
  ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(230, 8));
  Pump(1600);
  ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(230, 8));
  if (changes.size() < 5) {
    std::fprintf(stderr, "the arrow did not repeat\n");
    return 1;
  }
  std::vector<double> gaps;
  for (size_t i = 2; i < changes.size(); ++i) gaps.push_back(changes[i] - changes[i - 1]);
  std::sort(gaps.begin(), gaps.end());
  std::printf("scroll_repeat_first_ms: %.1f\n", changes[1] - changes[0]);
  std::printf("scroll_repeat_ms: %.1f\n", gaps[gaps.size() / 2]);

  // A list box with the skinned window bar beside the size bar.
  HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL |
                                LBS_NOINTEGRALHEIGHT, 8, 50, 200, 200, form.WindowHandle(), nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
  for (int i = 0; i < 500; ++i) ::SendMessageW(list, LB_ADDSTRING, 0, LPARAM(std::to_wstring(i).c_str()));
  auto adapter = std::make_unique<TacScrollWnd>(list, manager);
  Pump(50);

  const RECT vr = adapter->BarRect(SB_VERT);
  // The same for the window bar's down arrow, timed by the requests it sends.
  std::vector<double> lines;
  TWindowHook recorder([&](TMessage& m) {
    if (m.Msg == WM_VSCROLL && LOWORD(m.WParam) == SB_LINEDOWN) lines.push_back(NowMs());
    return false;
  });
  recorder.Attach(list);
  const POINT arrow{(vr.left + vr.right) / 2, vr.bottom - 3};
  ::SetCursorPos(arrow.x, arrow.y);
  ::SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(arrow.x, arrow.y));
  Pump(1000);
  ::SendMessageW(list, WM_LBUTTONUP, 0, 0);
  recorder.Detach();
  if (lines.size() < 5) {
    std::fprintf(stderr, "the window bar's arrow did not repeat\n");
    return 1;
  }
  gaps.clear();
  for (size_t i = 2; i < lines.size(); ++i) gaps.push_back(lines[i] - lines[i - 1]);
  std::sort(gaps.begin(), gaps.end());
  std::printf("scroll_wnd_repeat_first_ms: %.1f\n", lines[1] - lines[0]);
  std::printf("scroll_wnd_repeat_ms: %.1f\n", gaps[gaps.size() / 2]);
  ::SendMessageW(list, WM_VSCROLL, SB_TOP, 0);

  // The mouse comes to rest over a part of each bar, then stays.
  const POINT over{(vr.left + vr.right) / 2, vr.top + 5};
  ::SendMessageW(list, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(over.x, over.y));
  ::SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(230, 8));
  Pump(50);
  const int restingBar = bar->PaintCount(), restingWnd = adapter->PaintCount();
  Pump(1000);
  std::printf("scrollbar_idle_repaints: %d\n",
              (bar->PaintCount() - restingBar) + (adapter->PaintCount() - restingWnd));

  const long gdiBefore = LiveGdiObjects();
  const DWORD guiBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  const POINT down1{(vr.left + vr.right) / 2, vr.bottom - 3}, up1{(vr.left + vr.right) / 2, vr.top + 3};
  // 8,000 steps of the size bar by keys and arrow clicks, 2,000 of the window bar.
  for (int i = 0; i < 4000; ++i) {
    const bool back = (i / 100) % 2 != 0;
    ::SendMessageW(wnd, WM_KEYDOWN, back ? VK_LEFT : VK_RIGHT, 0);
    ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(back ? 3 : 230, 8));
    ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(back ? 3 : 230, 8));
    if (i % 2) continue;
    const POINT p = back ? up1 : down1;
    ::SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(p.x, p.y));
    ::SendMessageW(list, WM_LBUTTONUP, 0, 0);
  }
  Pump(20);
  std::printf("scroll_gdi_objects_gained: %ld\n",
              (LiveGdiObjects() - gdiBefore) +
                  long(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) - long(guiBefore));
  adapter.reset();
  ::DestroyWindow(list);
  return 0;
}
