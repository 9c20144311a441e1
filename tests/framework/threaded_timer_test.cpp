// The threaded timer: ticks on the user-interface thread, and none once it is
// disabled or freed, whatever the order and wherever it is done from.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "gui_test_support.h"
#include "framework/threaded_timer.h"

using namespace glyphora;
using glyphora::test::Pump;

namespace {

// A timer counting its ticks; `inTick` runs inside the tick that reaches
// `atTick`.
struct Probe {
  TacThreadedTimer* timer = new TacThreadedTimer(nullptr);
  int ticks = 0;
  DWORD thread = 0;
  int atTick = 0;
  std::function<void(Probe&)> inTick;
  explicit Probe(uint32_t interval = 5) {
    timer->SetInterval(interval);
    timer->SetOnTimer([this](TComponent*) {
      ++ticks;
      thread = ::GetCurrentThreadId();
      if (ticks == atTick && inTick) inTick(*this);
    });
  }
  ~Probe() { delete timer; }
  void Free() { delete std::exchange(timer, nullptr); }
};

// Pumps until the probe has ticked n times (or a second has passed).
bool PumpUntilTicks(const Probe& p, int n) {
  for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 1000;) {
    if (p.ticks >= n) return true;
    Pump(1);
  }
  return p.ticks >= n;
}

TEST(ThreadedTimer, TicksOnTheCallingThreadAtItsInterval) {
  Probe p(10);
  const DWORD start = ::GetTickCount();
  ASSERT_TRUE(PumpUntilTicks(p, 10));
  EXPECT_EQ(p.thread, ::GetCurrentThreadId());
  // Ten ticks of 10 ms, with the pump's own pace as slack.
  EXPECT_GE(::GetTickCount() - start, 90u);
}

TEST(ThreadedTimer, SettingsThatNeverTick) {
  struct Case {
    const char* name;
    bool owned;
    std::function<void(TacThreadedTimer&)> set;
  } cases[] = {
      {"interval 0", false, [](TacThreadedTimer& t) { t.SetInterval(0); }},
      {"disabled", false, [](TacThreadedTimer& t) { t.SetEnabled(false); }},
      {"no handler", false, [](TacThreadedTimer& t) { t.SetOnTimer(nullptr); }},
      {"owned, not enabled", true, [](TacThreadedTimer&) {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int ticks = 0;
    TacThreadedTimer* t = c.owned ? new TacThreadedTimer(nullptr, true) : new TacThreadedTimer(nullptr);
    t->SetInterval(5);
    t->SetOnTimer([&](TComponent*) { ++ticks; });
    c.set(*t);
    Pump(60);
    EXPECT_EQ(ticks, 0);
    delete t;
  }
}

// Every way of ending the ticks, from outside and from inside a tick,
// including while a tick is already posted and waiting in the queue.
TEST(ThreadedTimer, NoTickAfterStopInAnyOrder) {
  enum Where { Outside, InsideTick, WhileTickQueued };
  struct Case {
    const char* name;
    Where where;
    std::function<void(Probe&)> stop;
    bool freed;
  } cases[] = {
      {"disable", Outside, [](Probe& p) { p.timer->SetEnabled(false); }, false},
      {"interval 0", Outside, [](Probe& p) { p.timer->SetInterval(0); }, false},
      {"free", Outside, [](Probe& p) { p.Free(); }, true},
      {"disable, then free", Outside, [](Probe& p) { p.timer->SetEnabled(false); p.Free(); }, true},
      {"disable in tick", InsideTick, [](Probe& p) { p.timer->SetEnabled(false); }, false},
      {"free in tick", InsideTick, [](Probe& p) { p.Free(); }, true},
      {"disable and free in tick", InsideTick, [](Probe& p) { p.timer->SetEnabled(false); p.Free(); }, true},
      {"handler removed in tick", InsideTick, [](Probe& p) { p.timer->SetOnTimer(nullptr); }, false},
      {"disable with a tick queued", WhileTickQueued, [](Probe& p) { p.timer->SetEnabled(false); }, false},
      {"free with a tick queued", WhileTickQueued, [](Probe& p) { p.Free(); }, true},
  };
  const long workersBefore = TacThreadedTimer::LiveWorkers();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    {
      Probe p(5);
      ASSERT_TRUE(PumpUntilTicks(p, 2));
      if (c.where == InsideTick) {
        p.atTick = p.ticks + 1;
        p.inTick = c.stop;
        ASSERT_TRUE(PumpUntilTicks(p, p.atTick));
      } else {
        // Without pumping, the worker posts its next tick and waits for it.
        if (c.where == WhileTickQueued) ::Sleep(30);
        c.stop(p);
      }
      const int ticksAtStop = p.ticks;
      Pump(60);
      EXPECT_EQ(p.ticks, ticksAtStop);
      EXPECT_EQ(p.timer == nullptr, c.freed);
    }
    EXPECT_EQ(TacThreadedTimer::LiveWorkers(), workersBefore);
  }
}

TEST(ThreadedTimer, StartsAgainAfterDisableAndReset) {
  Probe p(5);
  ASSERT_TRUE(PumpUntilTicks(p, 1));
  p.timer->SetEnabled(false);
  Pump(20);
  p.timer->SetEnabled(true);
  ASSERT_TRUE(PumpUntilTicks(p, p.ticks + 2));
  const long workers = TacThreadedTimer::LiveWorkers();
  p.atTick = p.ticks + 1;
  p.inTick = [](Probe& q) { q.timer->Reset(); };
  ASSERT_TRUE(PumpUntilTicks(p, p.atTick + 2));
  EXPECT_EQ(TacThreadedTimer::LiveWorkers(), workers);
}

// A descendant that ticks through TimeHandler and stops its worker before
// its own parts go: a tick already queued never reaches it.
class Ticker : public TacThreadedTimer {
 public:
  Ticker(int* ticks, bool* alive) : TacThreadedTimer(nullptr, true), ticks_(ticks), alive_(alive) {
    *alive_ = true;
    SetInterval(5);
    SetEnabled(true);
  }
  ~Ticker() override {
    StopWorker();
    *alive_ = false;
  }

 protected:
  void TimeHandler() override {
    EXPECT_TRUE(*alive_);
    ++*ticks_;
  }

 private:
  int* ticks_;
  bool* alive_;
};

TEST(ThreadedTimer, DescendantTicksThroughTimeHandlerUntilDestroyed) {
  int ticks = 0;
  bool alive = false;
  auto* t = new Ticker(&ticks, &alive);
  for (DWORD start = ::GetTickCount(); ticks < 3 && ::GetTickCount() - start < 1000;) Pump(1);
  ASSERT_GE(ticks, 3);
  ::Sleep(30);  // a tick queued
  delete t;
  const int atFree = ticks;
  Pump(40);
  EXPECT_EQ(ticks, atFree);
}

TEST(ThreadedTimer, OwnerFreesIt) {
  const long workersBefore = TacThreadedTimer::LiveWorkers();
  auto* owner = new TComponent(nullptr);
  new TacThreadedTimer(owner);
  new TacThreadedTimer(owner, true);
  EXPECT_EQ(TacThreadedTimer::LiveWorkers(), workersBefore + 2);
  delete owner;
  EXPECT_EQ(TacThreadedTimer::LiveWorkers(), workersBefore);
}

TEST(ThreadedTimer, ATickThatThrowsAnythingIsReportedAndTheTimerTicksOn) {
  std::vector<std::string> errors;
  Application()->OnException = [&](const std::exception& e) { errors.push_back(e.what()); };
  for (int kind = 0; kind < 2; ++kind) {
    SCOPED_TRACE(kind == 0 ? "not a std::exception" : "a std::exception");
    errors.clear();
    Probe p;
    p.atTick = 2;
    p.inTick = [kind](Probe&) {
      if (kind == 0) throw 42;
      throw std::runtime_error("tick failed");
    };
    EXPECT_TRUE(PumpUntilTicks(p, 5)) << "the worker waits for no tick that never finished";
    EXPECT_EQ(errors.size(), 1u);
  }
  Application()->OnException = nullptr;
}

}  // namespace
