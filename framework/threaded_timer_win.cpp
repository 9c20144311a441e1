#include "framework/threaded_timer.h"

#include <windows.h>
#include <mmsystem.h>
#include <process.h>

#include <atomic>
#include <exception>
#include <stdexcept>
#include <unordered_map>

#include "base/scope_exit.h"
#include "framework/application.h"

namespace glyphora {

namespace {

constexpr UINT kTickMessage = WM_APP + 1;
// How long freeing a timer waits for its worker to end. The worker only ever
// waits on events that include its stop signal, so it ends at once; the limit
// only guards against a worker the system has frozen.
constexpr DWORD kJoinLimitMs = 2000;

std::atomic<long> g_liveWorkers{0};

double NowMs() {
  static const double msPerCount = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return 1000.0 / static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER c;
  ::QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * msPerCount;
}

// Timers by the id of their current worker, touched on the user-interface
// thread only. A posted tick names its worker, so a tick that arrives after
// its worker ended (the timer freed or reset) finds nothing.
std::unordered_map<uint32_t, TacThreadedTimer*>& Registry() {
  static std::unordered_map<uint32_t, TacThreadedTimer*> timers;
  return timers;
}
uint32_t g_nextId = 0;

LRESULT CALLBACK TargetProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The hidden window that receives the ticks of every timer; message-only,
// created with the first timer and kept for the life of the program.
HWND TargetWindow() {
  static HWND target = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TargetProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GlyphoraTimerTarget";
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return HWND{};
    return ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }();
  return target;
}

}  // namespace

// What the worker thread and its timer share. The worker holds its own
// reference, so it never outlives the events it waits on.
struct TimerWorker {
  UniqueEvent stop{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};   // ends the worker (stays signalled)
  UniqueEvent wake{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};  // the settings changed
  UniqueEvent done{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};  // the posted tick has run
  UniqueThread thread;
  HWND target = nullptr;
  uint32_t id = 0;
  std::atomic<uint32_t> interval{0};
  std::atomic<bool> active{false};
  // Raised by every change of the settings: a tick posted before a change
  // is not run, and the worker counts its interval from the change.
  std::atomic<uint32_t> generation{0};

  TimerWorker() = default;
  TimerWorker(const TimerWorker&) = delete;
  TimerWorker& operator=(const TimerWorker&) = delete;
  ~TimerWorker() = default;
  bool Ready() const { return stop && wake && done; }
};

namespace {

unsigned __stdcall WorkerMain(void* param) {
  std::shared_ptr<TimerWorker> keep = std::move(*static_cast<std::shared_ptr<TimerWorker>*>(param));
  delete static_cast<std::shared_ptr<TimerWorker>*>(param);
  TimerWorker& w = *keep;
  const HANDLE settingsWait[2] = {w.stop.get(), w.wake.get()};
  const HANDLE doneWait[2] = {w.stop.get(), w.done.get()};
  // A millisecond timer resolution while ticking: the system's default
  // (15.6 ms on Windows) is coarser than the intervals animations use.
  bool fineTimer = false;
  uint32_t seen = w.generation.load() - 1;
  double next = 0;
  for (;;) {
    if (!w.active.load()) {
      if (fineTimer) fineTimer = (::timeEndPeriod(1), false);
      if (::WaitForMultipleObjects(2, settingsWait, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
      continue;
    }
    if (!fineTimer) fineTimer = ::timeBeginPeriod(1) == TIMERR_NOERROR;
    const uint32_t generation = w.generation.load();
    const double interval = w.interval.load();
    double now = NowMs();
    if (generation != seen) {
      seen = generation;
      next = now + interval;
    }
    if (next - now >= 1.0) {
      DWORD r = ::WaitForMultipleObjects(2, settingsWait, FALSE, static_cast<DWORD>(next - now));
      if (r == WAIT_TIMEOUT || r == WAIT_OBJECT_0 + 1) continue;
      break;  // stopped, or the wait failed
    }
    // Due (within a millisecond). The tick runs on the user-interface thread;
    // the next one is timed from this deadline, so ticks keep their pace.
    if (!::PostMessageW(w.target, kTickMessage, w.id, static_cast<LPARAM>(generation))) {
      next = now + interval;
      continue;
    }
    if (::WaitForMultipleObjects(2, doneWait, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
    next += interval;
    now = NowMs();
    // A tick that ran past the next deadline: the next one comes a whole
    // interval after it instead of at once.
    if (next < now) next = now + interval;
  }
  if (fineTimer) ::timeEndPeriod(1);
  --g_liveWorkers;
  return 0;
}

}  // namespace

// The user-interface thread's side of a tick.
struct TimerDispatch {
  static void Tick(uint32_t id, uint32_t generation) {
    auto it = Registry().find(id);
    if (it == Registry().end()) return;
    std::shared_ptr<TimerWorker> worker = it->second->worker_;
    // The worker waits for this: marked done however the tick ends.
    ScopeExit done([&worker] { ::SetEvent(worker->done.get()); });
    // Nothing thrown crosses the window procedure.
    try {
      it->second->RunTick(generation);  // may free the timer
    } catch (const std::exception& e) {
      Application()->HandleException(e);
    } catch (...) {
      Application()->HandleException(std::runtime_error("Unexpected error in a timer"));
    }
  }
};

namespace {
LRESULT CALLBACK TargetProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kTickMessage) {
    TimerDispatch::Tick(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
    return 0;
  }
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}
}  // namespace

TacThreadedTimer::TacThreadedTimer(TComponent* owner) : TComponent(owner), priority_(THREAD_PRIORITY_NORMAL) {
  if (Application()->Terminating()) {
    enabled_ = false;
    return;
  }
  StartWorker();
  Reevaluate();
}

TacThreadedTimer::TacThreadedTimer(TComponent* owner, bool callTimeHandler) : TacThreadedTimer(owner) {
  SetEnabled(false);
  if (callTimeHandler) SetOnTimer([this](TComponent*) { TimeHandler(); });
}

TacThreadedTimer::~TacThreadedTimer() {
  MarkDestroying();
  StopWorker();
}

long TacThreadedTimer::LiveWorkers() { return g_liveWorkers.load(); }

void TacThreadedTimer::StartWorker() {
  HWND target = TargetWindow();
  if (!target) return;
  auto w = std::make_shared<TimerWorker>();
  if (!w->Ready()) return;
  w->target = target;
  do w->id = ++g_nextId; while (w->id == 0 || Registry().count(w->id));
  auto* param = new std::shared_ptr<TimerWorker>(w);
  uintptr_t thread = ::_beginthreadex(nullptr, 0, &WorkerMain, param, CREATE_SUSPENDED, nullptr);
  if (!thread) {
    delete param;
    return;
  }
  // Suspended only until its priority is set: it has not run yet.
  w->thread.reset(reinterpret_cast<HANDLE>(thread));
  ::SetThreadPriority(w->thread.get(), priority_);
  ++g_liveWorkers;
  ::ResumeThread(w->thread.get());
  Registry()[w->id] = this;
  worker_ = std::move(w);
}

void TacThreadedTimer::StopWorker() {
  if (!worker_) return;
  std::shared_ptr<TimerWorker> w = std::move(worker_);
  Registry().erase(w->id);
  ::SetEvent(w->stop.get());
  ::WaitForSingleObject(w->thread.get(), kJoinLimitMs);
}

void TacThreadedTimer::Reevaluate() {
  if (!worker_) return;
  worker_->interval.store(interval_);
  worker_->active.store(enabled_ && interval_ != 0 && static_cast<bool>(onTimer_));
  worker_->generation.fetch_add(1);
  ::SetEvent(worker_->wake.get());
}

void TacThreadedTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Reevaluate();
}

void TacThreadedTimer::SetInterval(uint32_t value) {
  if (value == interval_) return;
  interval_ = value;
  Reevaluate();
}

void TacThreadedTimer::SetOnTimer(TNotifyEvent handler) {
  const bool was = static_cast<bool>(onTimer_);
  onTimer_ = std::move(handler);
  if (was != static_cast<bool>(onTimer_)) Reevaluate();
}

void TacThreadedTimer::SetThreadPriority(int value) {
  if (value == priority_) return;
  priority_ = value;
  if (worker_) ::SetThreadPriority(worker_->thread.get(), priority_);
}

void TacThreadedTimer::Reset() {
  StopWorker();
  if (!Application()->Terminating()) StartWorker();
  Reevaluate();
}

void TacThreadedTimer::RunTick(uint32_t generation) {
  if (Destroying() || !worker_ || generation != worker_->generation.load()) return;
  if (!enabled_ || interval_ == 0 || !onTimer_ || Application()->Terminating()) return;
  DoTimer();
}

void TacThreadedTimer::DoTimer() {
  // A copy: the handler may free the timer and with it onTimer_.
  TNotifyEvent handler = onTimer_;
  handler(this);
}

}  // namespace glyphora
