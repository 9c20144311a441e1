// Runs steps inside a popup menu's modal loop: a thread timer fires while
// the platform tracks the menu, each tick runs the next step with the open
// popup window, and the loop is closed with Escape after the last one.
#pragma once
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace glyphora::test {

class MenuLoop {
 public:
  using Step = std::function<void(HWND popup)>;
  explicit MenuLoop(std::vector<Step> steps) : steps_(std::move(steps)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, 40, &Tick);
  }
  ~MenuLoop() {
    if (timer_) ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  int StepsRun() const { return next_; }

  // The top-most visible popup-menu window of this thread.
  static HWND Popup() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindPopup, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static void Key(HWND popup, WPARAM vk) { ::PostMessageW(popup, WM_KEYDOWN, vk, 0); }
  static void Char(HWND popup, wchar_t c) { ::PostMessageW(popup, WM_CHAR, c, 0); }

 private:
  static BOOL CALLBACK FindPopup(HWND w, LPARAM p) {
    wchar_t cls[16] = {};
    ::GetClassNameW(w, cls, 16);
    if (std::wstring(cls) == L"#32768" && ::IsWindowVisible(w)) *reinterpret_cast<HWND*>(p) = w;
    return TRUE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuLoop* self = current_;
    if (!self) return;
    HWND popup = Popup();
    if (!popup) {
      if (++self->idle_ > 50) self->Stop();  // no menu came: give up
      return;
    }
    if (self->next_ < self->steps_.size()) {
      self->steps_[self->next_++](popup);
      return;
    }
    Key(popup, VK_ESCAPE);
  }
  void Stop() {
    if (timer_) ::KillTimer(nullptr, timer_);
    timer_ = 0;
  }
  std::vector<Step> steps_;
  size_t next_ = 0;
  int idle_ = 0;
  UINT_PTR timer_ = 0;
  static inline MenuLoop* current_ = nullptr;
};

// Writes what the screen shows of a rectangle to a 24-bit BMP file, for a
// person to look at.
inline void SaveScreenRect(const RECT& r, const std::wstring& path) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mem, bmp);
  ::BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  ::GdiFlush();
  const DWORD stride = (DWORD(w) * 3 + 3) & ~3u, size = stride * DWORD(h);
  BITMAPFILEHEADER fh{0x4D42, DWORD(sizeof(fh) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                      DWORD(sizeof(fh) + sizeof(BITMAPINFOHEADER))};
  if (FILE* f = _wfopen(path.c_str(), L"wb")) {
    fwrite(&fh, sizeof(fh), 1, f);
    fwrite(&bi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, f);
    fwrite(bits, size, 1, f);
    fclose(f);
  }
  ::SelectObject(mem, old);
  ::DeleteObject(bmp);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
}

}  // namespace glyphora::test
