// Several hooks on one window: each sees messages before the ones attached
// earlier and before the control's own WndProc, and they detach in any order.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "framework/window_hook.h"

using namespace glyphora;

namespace {
constexpr UINT kProbe = WM_APP + 7;

// Notes in `log` each probe message its WndProc sees ('W').
template <class Base>
class Probed : public Base {
 public:
  using Base::Base;
  std::string* log = nullptr;
  void WndProc(TMessage& m) override {
    if (m.Msg == kProbe && log) *log += 'W';
    Base::WndProc(m);
  }
};

std::unique_ptr<TWindowHook> LoggingHook(std::string& log, char name) {
  return std::make_unique<TWindowHook>([&log, name](TMessage& m) {
    if (m.Msg == kProbe) log += name;
    return false;
  });
}

class HookOrder : public ::testing::TestWithParam<std::string> {};
}  // namespace

TEST_P(HookOrder, HooksDetachInAnyOrderAndTheRestKeepTheirPlaces) {
  Application()->Initialize();
  TForm form(nullptr);
  form.HandleNeeded();
  std::string log;
  auto* panel = new Probed<TPanel>(&form);
  panel->log = &log;
  panel->SetParent(&form);
  HWND wnd = panel->WindowHandle();
  LONG_PTR ownProc = ::GetWindowLongPtrW(wnd, GWLP_WNDPROC);

  std::vector<std::unique_ptr<TWindowHook>> hooks;
  for (char name : std::string("abc")) {
    hooks.push_back(LoggingHook(log, name));
    hooks.back()->Attach(panel);
  }
  std::string alive = "abc";
  auto expected = [&] { return std::string(alive.rbegin(), alive.rend()) + "W"; };
  ::SendMessageW(wnd, kProbe, 0, 0);
  EXPECT_EQ(log, expected());
  for (char name : GetParam()) {
    hooks[static_cast<size_t>(name - 'a')]->Detach();
    alive.erase(alive.find(name), 1);
    log.clear();
    ::SendMessageW(wnd, kProbe, 0, 0);
    EXPECT_EQ(log, expected()) << "after detaching " << name;
  }
  EXPECT_EQ(::GetWindowLongPtrW(wnd, GWLP_WNDPROC), ownProc) << "the window has its own procedure back";
}

INSTANTIATE_TEST_SUITE_P(AllOrders, HookOrder, ::testing::Values("abc", "acb", "bac", "bca", "cab", "cba"));

TEST(WindowHooks, ControlHooksFollowTheWindowAndReachTheNativeAnswer) {
  Application()->Initialize();
  TForm form(nullptr);
  form.HandleNeeded();
  std::string log;
  auto* edit = new Probed<TEdit>(&form);
  edit->log = &log;
  // Attached before the window exists: it follows every window the edit gets.
  TWindowHook hook;
  hook.Proc = [&](TMessage& m) {
    if (m.Msg != WM_GETTEXTLENGTH) return false;
    hook.CallNext(m);  // the edit's WndProc and the native control below it
    m.Result += 100;
    return true;
  };
  hook.Attach(edit);
  TWindowHook probe([&](TMessage& m) {
    if (m.Msg == kProbe) log += 'p';
    return false;
  });
  probe.Attach(edit);
  edit->SetParent(&form);
  edit->SetText(L"abc");
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(::SendMessageW(edit->WindowHandle(), WM_GETTEXTLENGTH, 0, 0), 103) << round;
    log.clear();
    ::SendMessageW(edit->WindowHandle(), kProbe, 0, 0);
    EXPECT_EQ(log, "pW") << round;
    edit->RecreateWnd();
  }
  hook.Detach();
  EXPECT_EQ(::SendMessageW(edit->WindowHandle(), WM_GETTEXTLENGTH, 0, 0), 3);
  EXPECT_EQ(probe.Window(), edit->WindowHandle());
}

TEST(WindowHooks, WindowsOfOthersLetGoOfTheirHooksWhenDestroyed) {
  HWND wnd = ::CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(wnd);
  LONG_PTR ownProc = ::GetWindowLongPtrW(wnd, GWLP_WNDPROC);
  int seen = 0;
  auto count = [&](TMessage& m) { seen += m.Msg == kProbe; return false; };
  TWindowHook first(count), last(count);
  {
    TWindowHook middle(count);
    ASSERT_TRUE(first.Attach(wnd));
    ASSERT_TRUE(middle.Attach(wnd));
    ASSERT_TRUE(last.Attach(wnd));
  }  // the middle one leaves with its scope
  ::SendMessageW(wnd, kProbe, 0, 0);
  EXPECT_EQ(seen, 2);
  first.Detach();
  last.Detach();
  EXPECT_EQ(::GetWindowLongPtrW(wnd, GWLP_WNDPROC), ownProc);
  ASSERT_TRUE(first.Attach(wnd));
  ::DestroyWindow(wnd);
  EXPECT_EQ(first.Window(), nullptr);
}

// The chain stays whole when a hook leaves while a message is on its way,
// when a hook sends the window a second message from inside the first, and
// when someone else subclasses the window above the chain.
TEST(WindowHooks, ChainSurvivesDetachingAndReentryMidMessage) {
  HWND wnd = ::CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(wnd);
  std::string log;
  TWindowHook bottom, middle, top;
  bottom.Proc = [&](TMessage& m) {
    if (m.Msg == kProbe) log += 'b';
    return false;
  };
  middle.Proc = [&](TMessage& m) {
    if (m.Msg != kProbe) return false;
    log += 'm';
    if (m.WParam == 0) {
      ::SendMessageW(wnd, kProbe, 1, 0);  // a nested walk from the top
      top.Detach();                       // and the hook above leaves
      log += '|';
    }
    return false;
  };
  top.Proc = [&](TMessage& m) {
    if (m.Msg == kProbe) log += 't';
    return false;
  };
  ASSERT_TRUE(bottom.Attach(wnd) && middle.Attach(wnd) && top.Attach(wnd));
  ::SendMessageW(wnd, kProbe, 0, 0);
  EXPECT_EQ(log, "tmtmb|b");
  log.clear();
  ::SendMessageW(wnd, kProbe, 1, 0);
  EXPECT_EQ(log, "mb");

  // A foreign subclass over ours: detaching every hook keeps both working.
  static WNDPROC below = nullptr;
  static int foreign = 0;
  below = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(wnd, GWLP_WNDPROC));
  ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT msg, WPARAM wp, LPARAM lp) {
                        foreign += msg == kProbe;
                        return ::CallWindowProcW(below, w, msg, wp, lp);
                      }));
  middle.Detach();
  bottom.Detach();
  log.clear();
  EXPECT_EQ(::SendMessageW(wnd, WM_GETTEXTLENGTH, 0, 0), 1);
  ::SendMessageW(wnd, kProbe, 1, 0);
  EXPECT_EQ(foreign, 1);
  EXPECT_EQ(log, "");
  ::DestroyWindow(wnd);
}
