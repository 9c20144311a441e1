// Runs a cleanup when the scope ends, for begin/end pairs that have no
// handle of their own (CoInitializeEx and CoUninitialize, for one).
#pragma once
#include <utility>

namespace glyphora {

template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ~ScopeExit() { if (armed_) f_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  // Keeps the cleanup from running (the work was handed on).
  void Dismiss() { armed_ = false; }

 private:
  F f_;
  bool armed_ = true;
};

}  // namespace glyphora
