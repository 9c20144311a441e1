#include "framework/subclass.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "framework/focus_window.h"
#include "framework/message_gate.h"

namespace glyphora {

namespace {

struct TEntry {
  SUBCLASSPROC Proc;
  UINT_PTR Id;
  DWORD_PTR Data;
  bool Removed = false;
};

struct TChain {
  WNDPROC Original = nullptr;
  std::vector<TEntry> Entries;  // the oldest first; messages walk from the back
  int Depth = 0;                // messages on their way through the chain
  size_t Next = 0;              // entries below the one now called (count from the front)
};

// Windows are subclassed on the thread that owns them, so one table per
// thread needs no lock.
std::unordered_map<HWND, TChain>& Chains() {
  thread_local std::unordered_map<HWND, TChain> chains;
  return chains;
}

TChain* ChainOf(HWND wnd) {
  auto& chains = Chains();
  auto it = chains.find(wnd);
  return it == chains.end() ? nullptr : &it->second;
}

LRESULT CALLBACK ChainProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Drops removed entries and, with nothing left and no message in flight,
// puts the window's own procedure back when ours is still the one in place.
void Compact(HWND wnd, TChain& c) {
  if (c.Depth > 0) return;
  c.Entries.erase(std::remove_if(c.Entries.begin(), c.Entries.end(), [](const TEntry& e) { return e.Removed; }),
                  c.Entries.end());
  if (!c.Entries.empty()) return;
  if (!::IsWindow(wnd)) {
    Chains().erase(wnd);
    return;
  }
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(wnd, GWLP_WNDPROC)) == &ChainProc) {
    ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(c.Original));
    Chains().erase(wnd);
  }
  // Otherwise someone subclassed the window after us: our procedure stays
  // in their chain and passes everything on.
}

// Calls the first live entry below `from` (entries [0, from)), or the
// window's own procedure; restores the walk's position afterwards so that
// nested messages and calls each keep their own place.
LRESULT CallBelow(HWND wnd, TChain* c, size_t from, UINT msg, WPARAM wParam, LPARAM lParam) {
  size_t i = std::min(from, c->Entries.size());
  while (i > 0 && c->Entries[i - 1].Removed) --i;
  if (i == 0) return ::CallWindowProcW(c->Original, wnd, msg, wParam, lParam);
  const TEntry e = c->Entries[i - 1];
  const size_t saved = c->Next;
  c->Next = i - 1;
  struct TRestore {
    HWND Wnd;
    size_t Saved;
    ~TRestore() {
      if (TChain* chain = ChainOf(Wnd)) chain->Next = Saved;
    }
  } restore{wnd, saved};
  return e.Proc(wnd, msg, wParam, lParam, e.Id, e.Data);
}

LRESULT CALLBACK ChainProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  NoteFocusMessage(wnd, msg);
  TChain* c = ChainOf(wnd);
  if (!c) return ::DefWindowProcW(wnd, msg, wParam, lParam);
  if (MessageGateRefuses(msg, wParam, lParam)) return 0;
  ++c->Depth;
  struct TLeave {
    HWND Wnd;
    UINT Msg;
    ~TLeave() {
      TChain* chain = ChainOf(Wnd);
      if (!chain) return;
      --chain->Depth;
      if (Msg == WM_NCDESTROY && chain->Depth == 0) {
        // The window is gone: its own procedure back, the table entry freed.
        ::SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->Original));
        Chains().erase(Wnd);
      } else {
        Compact(Wnd, *chain);
      }
    }
  } leave{wnd, msg};
  return CallBelow(wnd, c, c->Entries.size(), msg, wParam, lParam);
}

}  // namespace

bool AddSubclass(HWND wnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  if (!wnd || !proc || !::IsWindow(wnd)) return false;
  DWORD pid = 0;
  if (::GetWindowThreadProcessId(wnd, &pid) != ::GetCurrentThreadId() || pid != ::GetCurrentProcessId()) return false;
  TChain* c = ChainOf(wnd);
  if (!c) {
    auto original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(wnd, GWLP_WNDPROC));
    if (!original) return false;
    c = &Chains()[wnd];
    c->Original = original;
    if (!::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProc))) {
      Chains().erase(wnd);
      return false;
    }
  }
  for (TEntry& e : c->Entries)
    if (!e.Removed && e.Proc == proc && e.Id == id) {
      e.Data = data;
      return true;
    }
  c->Entries.push_back(TEntry{proc, id, data});
  return true;
}

void RemoveSubclass(HWND wnd, SUBCLASSPROC proc, UINT_PTR id) {
  TChain* c = ChainOf(wnd);
  if (!c) return;
  for (TEntry& e : c->Entries)
    if (!e.Removed && e.Proc == proc && e.Id == id) e.Removed = true;
  Compact(wnd, *c);
}

LRESULT CallNextSubclass(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TChain* c = ChainOf(wnd);
  if (!c) return ::DefWindowProcW(wnd, msg, wParam, lParam);
  // Outside a walk (Depth 0) the whole chain is below.
  return CallBelow(wnd, c, c->Depth > 0 ? c->Next : c->Entries.size(), msg, wParam, lParam);
}

int SubclassCount(HWND wnd) {
  TChain* c = ChainOf(wnd);
  if (!c) return 0;
  return static_cast<int>(std::count_if(c->Entries.begin(), c->Entries.end(), [](const TEntry& e) { return !e.Removed; }));
}

}  // namespace glyphora
