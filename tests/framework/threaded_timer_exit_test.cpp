// The threaded timer once the application is terminating (a program of its
// own: terminating cannot be undone).
#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "framework/threaded_timer.h"

using namespace glyphora;

TEST(ThreadedTimerAtExit, NoTickOnceTerminatingAndNoWorkerAfter) {
  int ticks = 0;
  TacThreadedTimer running(nullptr);
  running.SetInterval(5);
  running.SetOnTimer([&](TComponent*) { ++ticks; });
  for (DWORD start = ::GetTickCount(); ticks < 2 && ::GetTickCount() - start < 1000;) test::Pump(1);
  ASSERT_GE(ticks, 2);
  const long workers = TacThreadedTimer::LiveWorkers();

  ::Sleep(30);  // a tick queued before the quit message
  Application()->Terminate();
  const int atTerminate = ticks;
  test::Pump(50);
  EXPECT_EQ(ticks, atTerminate);

  // Created now: disabled, with no worker, and enabling it changes nothing.
  int lateTicks = 0;
  TacThreadedTimer late(nullptr);
  EXPECT_FALSE(late.Enabled());
  late.SetInterval(5);
  late.SetOnTimer([&](TComponent*) { ++lateTicks; });
  late.SetEnabled(true);
  test::Pump(40);
  EXPECT_EQ(lateTicks, 0);
  EXPECT_EQ(TacThreadedTimer::LiveWorkers(), workers);
}
