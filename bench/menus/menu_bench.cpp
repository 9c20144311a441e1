// Skinned popup menus: the time from the request to a fully painted menu of
// 10 items (the menu loop goes idle only once the popup is painted), one
// item drawn, and the GDI and USER objects left after 1,000 opens and
// closes and after 100 skin switches with a menu open.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "app/main_form.h"
#include "bench/timing.h"
#include "framework/application.h"
#include "framework/window_hook.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/paint/control_adapter_win.h"

using namespace glyphora;
using glyphora::bench::MedianMicros;
using glyphora::bench::NowMs;

namespace {

long LiveObjects() { return LiveGdiObjects() + UniqueMenu::LiveCount() + TacMainWnd::LiveCount(); }

}  // namespace

int main() {
  Application()->Initialize();
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  TForm1 form(nullptr, std::wstring(tmp) + L"glyphora_menu_bench.ini");
  form.Show();
  Application()->ProcessMessages();
  HWND w = form.WindowHandle();
  TsSkinManager& mgr = *form.sSkinManager1;
  TsSkinableMenus& menus = *TsSkinableMenus::Of(&mgr);

  TPopupMenu menu(nullptr);
  menu.WindowHandle = w;
  const wchar_t* captions[] = {L"&Open", L"&Save", L"Save &as...", L"-", L"&Print", L"Print pre&view",
                               L"-", L"&Copy", L"&Paste", L"E&xit"};
  std::vector<std::unique_ptr<TMenuItem>> items;
  for (const wchar_t* c : captions) {
    items.push_back(std::make_unique<TMenuItem>(nullptr));
    items.back()->Caption = c;
    menu.Add(items.back().get());
  }
  items[1]->ShortCut = scCtrl | 'S';
  items[7]->Checked = true;

  // The owner hears WM_ENTERIDLE once the popup is shown and painted and
  // the loop waits for input: the end of an open. Escape closes it.
  double idleAt = 0;
  std::function<void()> whileOpen;
  TWindowHook idle([&](TMessage& m) {
    if (m.Msg != WM_ENTERIDLE || m.WParam != MSGF_MENU) return false;
    if (idleAt == 0) {
      idleAt = NowMs();
      if (whileOpen) whileOpen();
      ::PostMessageW(reinterpret_cast<HWND>(m.LParam), WM_KEYDOWN, VK_ESCAPE, 0);
    }
    return false;
  });
  idle.Attach(w);
  auto open = [&] {
    idleAt = 0;
    const double start = NowMs();
    menu.Popup(300, 300);
    return idleAt > 0 ? idleAt - start : -1.0;
  };

  // The floor is the same menu drawn by the platform, unskinned; the two
  // alternate, so that both meet the same load of a shared machine.
  auto percentile = [](std::vector<double> t, int p) {
    std::sort(t.begin(), t.end());
    return t[t.size() * size_t(p) / 100];
  };
  open();  // fonts and scratch bitmaps made once
  std::vector<double> skinned, plain;
  const auto observer = [&](TPopupMenu* m) { menus.HookPopupMenu(m, true); };
  for (int i = 0; i < 40; ++i) {
    TPopupMenu::SetPopupObserver(observer);
    skinned.push_back(open());
    TPopupMenu::SetPopupObserver(nullptr);
    menus.HookPopupMenu(&menu, false);
    plain.push_back(open());
  }
  TPopupMenu::SetPopupObserver(observer);
  std::printf("popup_menu_open_ms: %.2f\n", percentile(skinned, 50));
  std::printf("popup_menu_open_ms_p90: %.2f\n", percentile(skinned, 90));
  std::printf("popup_menu_open_floor_ms: %.2f\n", percentile(plain, 50));

  // One item drawn into a memory DC (its popup's background prepared once).
  UniqueMenu key(::CreatePopupMenu());
  TDibBitmap target(200, 24);
  bool selected = false;
  const double paint = MedianMicros(400, [&] {
    selected = !selected;
    const TMenuDrawArgs args{target.DC(), RECT{3, 3, 160, 23}, selected ? TMenuItemState(misSelected) : 0u, key.get()};
    menus.DrawItem(items[7].get(), args);
    ::GdiFlush();
  });
  std::printf("menu_item_paint_us: %.1f\n", paint);
  menus.ClearCache();

  // One skin switch first: what a switch makes once (fonts, caches) is not
  // counted as left behind.
  whileOpen = [&] { mgr.SetSkinName(mgr.SkinName()); };
  open();
  whileOpen = nullptr;
  Application()->ProcessMessages();
  const long before = LiveObjects();
  for (int i = 0; i < 1000; ++i) open();
  ::Sleep(20);  // the last adapter is freed from a timer
  Application()->ProcessMessages();
  const long afterOpens = LiveObjects() - before;
  const std::wstring skin = mgr.SkinName();
  whileOpen = [&] { mgr.SetSkinName(skin); };
  for (int i = 0; i < 100; ++i) open();
  whileOpen = nullptr;
  ::Sleep(20);
  Application()->ProcessMessages();
  std::printf("menu_gdi_objects_gained: %ld\n", LiveObjects() - before);
  std::printf("menu_gdi_objects_gained_opens_only: %ld\n", afterOpens);
  idle.Detach();
  return 0;
}
