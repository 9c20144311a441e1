// Move-only owners for Win32 handles. Every GDI and USER handle the program
// creates is held by one of these; raw handles are only borrowed. Each kind
// keeps a live count so tests can check that nothing leaks. A kind whose
// "no handle" value is not null (file and find handles: INVALID_HANDLE_VALUE)
// names it with a static empty() in its traits.
#pragma once
#include <windows.h>
#include <atomic>
#include <utility>

namespace glyphora {

template <typename Traits>
class UniqueHandle {
 public:
  using handle_type = typename Traits::handle_type;
  // The value that means "no handle" for this kind.
  static handle_type Empty() {
    if constexpr (requires { Traits::empty(); }) return Traits::empty();
    else return handle_type{};
  }

  UniqueHandle() = default;
  explicit UniqueHandle(handle_type h) : h_(Valid(h) ? h : Empty()) { if (Valid(h_)) ++Traits::live; }
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Empty())) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) { reset(); h_ = std::exchange(o.h_, Empty()); }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  handle_type get() const { return h_; }
  explicit operator bool() const { return Valid(h_); }
  void reset(handle_type h = Empty()) {
    if (Valid(h_)) { Traits::close(h_); --Traits::live; }
    h_ = Valid(h) ? h : Empty();
    if (Valid(h_)) ++Traits::live;
  }
  handle_type release() {
    if (Valid(h_)) --Traits::live;
    return std::exchange(h_, Empty());
  }
  static long LiveCount() { return Traits::live.load(); }

 private:
  // Null is never a live handle of any kind, whatever the empty value is.
  static bool Valid(handle_type h) { return h != Empty() && h != handle_type{}; }
  handle_type h_ = Empty();
};

template <typename H>
struct GdiObjectTraits {
  using handle_type = H;
  static void close(H h) { ::DeleteObject(h); }
  static inline std::atomic<long> live{0};
};
struct MemoryDCTraits {
  using handle_type = HDC;
  static void close(HDC h) { ::DeleteDC(h); }
  static inline std::atomic<long> live{0};
};
struct IconTraits {
  using handle_type = HICON;
  static void close(HICON h) { ::DestroyIcon(h); }
  static inline std::atomic<long> live{0};
};
struct MenuTraits {
  using handle_type = HMENU;
  static void close(HMENU h) { ::DestroyMenu(h); }
  static inline std::atomic<long> live{0};
};
struct HookTraits {
  using handle_type = HHOOK;
  static void close(HHOOK h) { ::UnhookWindowsHookEx(h); }
  static inline std::atomic<long> live{0};
};

// Kernel handles from CreateFileW and FindFirstFileW: both report failure
// with INVALID_HANDLE_VALUE, and each has its own close function.
struct FileTraits {
  using handle_type = HANDLE;
  static HANDLE empty() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { ::CloseHandle(h); }
  static inline std::atomic<long> live{0};
};
struct FindTraits {
  using handle_type = HANDLE;
  static HANDLE empty() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { ::FindClose(h); }
  static inline std::atomic<long> live{0};
};
// Kernel objects that report failure with null (events, threads), closed
// with CloseHandle.
struct KernelObjectTraits {
  using handle_type = HANDLE;
  static void close(HANDLE h) { ::CloseHandle(h); }
  static inline std::atomic<long> live{0};
};

using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueMemoryDC = UniqueHandle<MemoryDCTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueHook = UniqueHandle<HookTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueEvent = UniqueHandle<KernelObjectTraits>;
using UniqueThread = UniqueHandle<KernelObjectTraits>;


// Sum of live GDI objects owned through the wrappers above.
inline long LiveGdiObjects() {
  return UniqueFont::LiveCount() + UniqueBrush::LiveCount() + UniquePen::LiveCount() +
         UniqueBitmap::LiveCount() + UniqueRegion::LiveCount() + UniqueMemoryDC::LiveCount();
}

// A DC borrowed from a window (GetDC or, for the whole window with its
// frame, GetWindowDC; ReleaseDC either way). A null window gives the screen's.
enum class TDcArea { Client, Whole };
class WindowDC {
 public:
  explicit WindowDC(HWND wnd, TDcArea area = TDcArea::Client)
      : wnd_(wnd), dc_(area == TDcArea::Whole && wnd ? ::GetWindowDC(wnd) : ::GetDC(wnd)) {}
  ~WindowDC() { if (dc_) ::ReleaseDC(wnd_, dc_); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
};

// One WM_PAINT's BeginPaint and EndPaint: the paint ends however the painter
// leaves, so a painter that throws still releases the DC and shows the caret.
class PaintScope {
 public:
  explicit PaintScope(HWND wnd) : wnd_(wnd), dc_(::BeginPaint(wnd, &ps_)) {}
  ~PaintScope() { if (dc_) ::EndPaint(wnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  // The part of the window that needs painting.
  const RECT& rect() const { return ps_.rcPaint; }

 private:
  HWND wnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Saves a DC's state and restores it on scope exit.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), id_(::SaveDC(dc)) {}
  ~SavedDC() { if (id_) ::RestoreDC(dc_, id_); }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int id_;
};

// Selects an object into a DC and restores the previous one on scope exit.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
  ~SelectGuard() { if (old_) ::SelectObject(dc_, old_); }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace glyphora
