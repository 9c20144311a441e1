// A timer whose ticks are timed by a worker thread, so that it keeps ticking
// while the user-interface thread runs a modal loop (moving or sizing a
// window, a menu). The worker only waits; every tick is posted to a hidden
// window of the user-interface thread and runs there. The worker never waits
// on the user-interface thread without also waiting for its stop signal, so
// freeing a timer, even from inside its own tick, never deadlocks.
//
// Create, change and free timers on the user-interface thread only.
#pragma once
#include <cstdint>
#include <memory>

#include "framework/component.h"

namespace glyphora {

struct TimerWorker;

class TacThreadedTimer : public TComponent {
 public:
  // Enabled, ticking every second once OnTimer is set.
  explicit TacThreadedTimer(TComponent* owner);
  // Disabled; with callTimeHandler, OnTimer calls TimeHandler (for
  // descendants that override it).
  TacThreadedTimer(TComponent* owner, bool callTimeHandler);
  ~TacThreadedTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // Milliseconds between ticks; 0 never ticks.
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t value);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);
  // A THREAD_PRIORITY_* value for the worker.
  int ThreadPriority() const { return priority_; }
  void SetThreadPriority(int value);
  // Ends the worker and starts a new one (the next tick a full interval on).
  void Reset();

  // For descendants' re-entrancy guards.
  bool InHandler = false;

  // Worker threads alive in the process, and timers whose worker is waiting
  // for an interval to pass (for tests and benchmarks).
  static long LiveWorkers();
  static long TickingTimers();

 protected:
  // Called by the tick when OnTimer was set by the constructor's
  // callTimeHandler; empty here.
  virtual void TimeHandler() {}
  // One tick on the user-interface thread: calls OnTimer. The timer may be
  // freed inside; nothing of it is touched after the call.
  virtual void DoTimer();
  // Ends the worker; no tick runs afterwards. A descendant calls it first in
  // its destructor, so that no tick reaches a half-destroyed object.
  // Idempotent.
  void StopWorker();

 private:
  friend struct TimerDispatch;
  void StartWorker();
  // Hands the current settings to the worker and wakes it.
  void Reevaluate();
  // The posted tick, on the user-interface thread.
  void RunTick(uint32_t generation);

  bool enabled_ = true;
  uint32_t interval_ = 1000;
  TNotifyEvent onTimer_;
  int priority_ = 0;
  std::shared_ptr<TimerWorker> worker_;
};

}  // namespace glyphora
