// A windowed control's window: creation parameters, window classes,
// creation and destruction, and the state pushed into the window.
#include "framework/control.h"


#include <algorithm>
#include <stdexcept>
#include <vector>

#include "framework/application.h"
#include "framework/control_internal.h"
#include "framework/subclass.h"

namespace glyphora {

namespace {
// Child-window ids the controls take in turn; the ids below are left to
// the platform's dialogs (IDOK, IDCANCEL, ...).
constexpr UINT kFirstControlId = 100;
UINT g_nextCtrlId = kFirstControlId;
}  // namespace

std::unordered_map<HWND, TWinControl*>& WindowControls() {
  static std::unordered_map<HWND, TWinControl*> map;
  return map;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { ctrlId_ = g_nextCtrlId++; }

TWinControl::~TWinControl() {
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  DestroyWnd();
  // The hooks saw the window's end; they no longer follow this control.
  for (TWindowHook* h : hooks_) h->control_ = nullptr;
  hooks_.clear();
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  if (!wnd) return nullptr;
  const auto& map = WindowControls();
  auto it = map.find(wnd);
  return it == map.end() ? nullptr : it->second;
}

HWND TWinControl::Handle() {
  if (!handle_ && !Destroying()) CreateWnd();
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.WinClassName = L"GlyphoraControl";
  p.Caption = caption_;
  p.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (visible_) p.Style |= WS_VISIBLE;
  if (!enabled_) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
  p.WndParent = parent_ ? parent_->Handle() : nullptr;
}

void TWinControl::CreateWnd() {
  if (parent_ && !parent_->HandleAllocated()) {
    parent_->HandleNeeded();
    if (handle_) return;  // the parent created its children, us among them
  }
  TCreateParams p;
  CreateParams(p);
  if (parent_ && !p.WndParent) return;
  CreateWindowHandle(p);
  if (!handle_) RaiseLastOSError("Error creating window");
  WindowControls()[handle_] = this;
  if (!p.NativeClass.empty()) {
    // The framework's subclass is the first on the native window, so hooks
    // attached later chain above it and see messages before WndProc.
    nativeProc_ = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(handle_, GWLP_WNDPROC));
    if (!AddSubclass(handle_, &NativeSubclassProc, kFrameworkSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
      DWORD error = ::GetLastError();
      nativeProc_ = nullptr;
      DestroyWnd();
      ::SetLastError(error);
      RaiseLastOSError("Error subclassing window");
    }
    ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  }
  AttachHooks();
  InitializeWnd();
  for (TControl* c : controls_)
    if (c->IsWindowed()) static_cast<TWinControl*>(c)->HandleNeeded();
  Realign();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ctrlId_)) : nullptr;
  if (!p.NativeClass.empty()) {
    handle_ = ::CreateWindowExW(p.ExStyle, p.NativeClass.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                                p.Height, p.WndParent, id, inst, nullptr);
    return;
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!::GetClassInfoExW(inst, p.WinClassName.c_str(), &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = p.ClassStyle;
    wc.lpfnWndProc = &StaticWndProc;
    wc.hInstance = inst;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = p.Icon;
    wc.lpszClassName = p.WinClassName.c_str();
    if (!::RegisterClassExW(&wc)) RaiseLastOSError("Error registering window class");
  }
  // WM_NCCREATE stores the object, so the very first messages reach WndProc.
  ::CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                    p.WndParent, id, inst, this);
}

void TWinControl::DestroyWnd() {
  if (!handle_) return;
  HWND h = handle_;
  ::DestroyWindow(h);  // WM_NCDESTROY clears handle_
  handle_ = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  // Children's windows die with ours; they are created again with it.
  DestroyWnd();
  CreateWnd();
}

void TWinControl::ApplyBounds() {
  if (handle_) {
    ::SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, width_, height_};
  if (handle_) ::GetClientRect(handle_, &r);
  return r;
}

void TWinControl::FontChanged() {
  if (handle_ && nativeProc_) ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  TControl::FontChanged();
  for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::TextChanged() {
  if (handle_) ::SetWindowTextW(handle_, caption_.c_str());
  TControl::TextChanged();
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  c->parent_ = this;
  if (c->parentFont_) c->Perform(CM_PARENTFONTCHANGED);
  if (c->parentColor_) c->Perform(CM_PARENTCOLORCHANGED);
  if (c->IsWindowed() && handle_) static_cast<TWinControl*>(c)->HandleNeeded();
  if (c->align_ != TAlign::alNone) Realign(c);
  c->Invalidate();
}

void TWinControl::RemoveControl(TControl* c) {
  if (hoverChild_ == c) hoverChild_ = nullptr;
  if (captureChild_ == c) captureChild_ = nullptr;
  c->Invalidate();
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  c->parent_ = nullptr;
  if (c->IsWindowed()) static_cast<TWinControl*>(c)->DestroyWnd();
  if (c->align_ != TAlign::alNone) Realign();
}

}  // namespace glyphora
