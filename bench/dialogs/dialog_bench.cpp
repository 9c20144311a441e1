// Skinned message boxes: the time from the call to a fully painted About
// box (the box's loop tells its owner it is idle only once the box and its
// children are painted), beside the same box unskinned, and the GDI and USER
// objects left after 100 boxes opened and closed and after 100 skin
// switches with a box open.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "bench/timing.h"
#include "framework/application.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/sMessages.h"
#include "skin/paint/control_adapter_win.h"

using namespace glyphora;
using glyphora::bench::NowMs;

namespace {

long LiveObjects() {
  HANDLE self = ::GetCurrentProcess();
  return long(::GetGuiResources(self, GR_GDIOBJECTS)) + long(::GetGuiResources(self, GR_USEROBJECTS)) +
         TacMainWnd::LiveCount();
}

double Percentile(std::vector<double> t, int p) {
  std::sort(t.begin(), t.end());
  return t[t.size() * size_t(p) / 100];
}

}  // namespace

int main() {
  Application()->Initialize();
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  TForm1 form(nullptr, std::wstring(tmp) + L"glyphora_dialog_bench.ini");
  form.Show();
  Application()->ProcessMessages();
  TsSkinManager& mgr = *form.sSkinManager1;

  // The end of an open: the box shown and nothing left to paint. Each
  // WM_PAINT the box's loop takes posts a marker; when the marker is taken,
  // that paint is done, and when no paint is pending then, the box and its
  // children are fully painted. The box is then closed. A box that never
  // gets there is closed after a second.
  static double idleAt = 0;
  static std::function<void()> whileOpen;
  constexpr UINT kMarker = WM_APP + 0x77;
  struct IdleHook {
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (code == HC_ACTION && wParam == PM_REMOVE && msg && idleAt == 0) {
        if (msg->message == WM_PAINT) {
          ::PostThreadMessageW(::GetCurrentThreadId(), kMarker, 0, 0);
        } else if (msg->message == kMarker && !(HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT)) {
          HWND box = ::GetActiveWindow();
          wchar_t cls[16] = {};
          if (box && ::IsWindowVisible(box) && ::GetClassNameW(box, cls, 16) > 0 && std::wstring(cls) == L"#32770") {
            idleAt = NowMs();
            if (whileOpen) whileOpen();
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
          }
        }
      }
      return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK Stuck(HWND, UINT, UINT_PTR, DWORD) {
      HWND box = ::GetActiveWindow();
      wchar_t cls[16] = {};
      if (box && ::GetClassNameW(box, cls, 16) > 0 && std::wstring(cls) == L"#32770")
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
  };
  HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, &IdleHook::Proc, nullptr, ::GetCurrentThreadId());
  auto open = [&] {
    idleAt = 0;
    const UINT_PTR guard = ::SetTimer(nullptr, 0, 1000, &IdleHook::Stuck);
    const double start = NowMs();
    ShowSkinMessageCaption(kAboutCaption, kAboutText);
    ::KillTimer(nullptr, guard);
    return idleAt > 0 ? idleAt - start : -1.0;
  };

  // Skinned and unskinned boxes alternate, so both meet the same load of a
  // shared machine.
  const uint8_t rules = mgr.SkinningRules;
  open();  // fonts and scratch bitmaps made once
  std::vector<double> skinned, plain;
  // Border uploads during skinned and unskinned boxes: both count the main
  // window's, whose frame turns inactive and active again around a box.
  long skinnedUploads = 0, plainUploads = 0;
  auto counted = [](long& uploads, auto&& f) {
    const long before = ExBorderTimes().Uploads;
    const double ms = f();
    uploads += ExBorderTimes().Uploads - before;
    return ms;
  };
  for (int i = 0; i < 30; ++i) {
    mgr.SkinningRules = rules;
    skinned.push_back(counted(skinnedUploads, open));
    mgr.SkinningRules = rules & ~srStdDialogs;
    plain.push_back(counted(plainUploads, open));
  }
  mgr.SkinningRules = rules;
  const double median = Percentile(skinned, 50), floor = Percentile(plain, 50);
  std::printf("message_box_open_ms: %.2f\n", median);
  std::printf("message_box_open_ms_p90: %.2f\n", Percentile(skinned, 90));
  std::printf("message_box_open_floor_ms: %.2f\n", floor);
  std::printf("message_box_open_skin_share_pct: %.0f\n", median > 0 ? 100.0 * (median - floor) / median : 0.0);
  // The box's border's part windows are kept between boxes: the same box
  // shows their pictures again without uploading them.
  std::printf("message_box_border_uploads_per_open: %.2f\n",
              double(skinnedUploads - plainUploads) / double(skinned.size()));

  // One switch with a box open first: what a switch makes once is not
  // counted as left behind.
  const std::wstring skin = mgr.SkinName();
  whileOpen = [&] { mgr.SetSkinName(skin); };
  open();
  whileOpen = nullptr;
  ::Sleep(20);  // adapters are freed from a timer
  Application()->ProcessMessages();
  const long before = LiveObjects();
  for (int i = 0; i < 100; ++i) open();
  ::Sleep(20);
  Application()->ProcessMessages();
  const long afterOpens = LiveObjects() - before;
  whileOpen = [&] { mgr.SetSkinName(skin); };
  for (int i = 0; i < 100; ++i) open();
  whileOpen = nullptr;
  ::Sleep(20);
  Application()->ProcessMessages();
  std::printf("dialog_gdi_objects_gained: %ld\n", LiveObjects() - before);
  std::printf("dialog_gdi_objects_gained_opens_only: %ld\n", afterOpens);
  ::UnhookWindowsHookEx(hook);
  return 0;
}
