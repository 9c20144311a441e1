#include "framework/application.h"
#include "framework/menus.h"

#include <commctrl.h>
#include <algorithm>
#include <ole2.h>
#include <stdexcept>
#include <string>
#include <utility>

#include "framework/forms.h"
#include "framework/sys_colors_win.h"

namespace glyphora {

std::wstring Widen(const std::string& s, unsigned codePage) {
  if (s.empty()) return {};
  int n = ::MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& w, unsigned codePage) {
  if (w.empty()) return {};
  int n = ::WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring ExecutableFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

namespace {
// Where the file name of path begins: after its last separator.
size_t FileNameStart(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? 0 : slash + 1;
}
}  // namespace

std::wstring ExecutableFolder() {
  std::wstring path = ExecutableFileName();
  path.resize(FileNameStart(path));
  return path;
}

std::wstring ExecutablePathWithExtension(const std::wstring& ext) {
  std::wstring path = ExecutableFileName();
  size_t dot = path.find_last_of(L'.');
  if (dot != std::wstring::npos && dot >= FileNameStart(path)) path.resize(dot);
  return path + ext;
}

std::vector<uint8_t> ResourceData(const wchar_t* name, const wchar_t* type) {
  HRSRC r = ::FindResourceW(nullptr, name, type);
  HGLOBAL g = r ? ::LoadResource(nullptr, r) : nullptr;
  auto* p = g ? static_cast<const uint8_t*>(::LockResource(g)) : nullptr;
  if (!p) return {};
  return std::vector<uint8_t>(p, p + ::SizeofResource(nullptr, r));
}

std::wstring SystemErrorText(DWORD code) {
  wchar_t* buf = nullptr;
  DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
  std::wstring text(buf ? buf : L"", n);
  if (buf) ::LocalFree(buf);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text;
}

void RaiseLastOSError(const std::string& what) {
  DWORD code = ::GetLastError();
  if (code == 0) throw std::runtime_error(what);
  std::wstring text = SystemErrorText(code);
  std::string message = what + ": ";
  if (!text.empty()) message += Narrow(text) + " ";
  throw std::runtime_error(message + "(code " + std::to_string(code) + ")");
}

OleScope::OleScope() : initialized_(SUCCEEDED(::OleInitialize(nullptr))) {}

OleScope::~OleScope() {
  if (initialized_) ::OleUninitialize();
}

TApplication* Application() {
  static TApplication app;
  return &app;
}

namespace {
LRESULT CALLBACK AppWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Popup menus shown before the main form exists are owned by this window.
  TMessage m{msg, wParam, lParam, 0};
  if (DispatchMenuMessage(m)) return m.Result;
  if (msg == WM_SETTINGCHANGE) ResetMenuFonts();
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}
}  // namespace

TApplication::TApplication() = default;

TApplication::~TApplication() {
  if (handle_) ::DestroyWindow(handle_);
  ole_.reset();
}

void TApplication::Initialize() {
  if (initialized_) return;
  initialized_ = true;
  InstallSystemColorSource();
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  ole_ = std::make_unique<OleScope>();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &AppWndProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"GlyphoraApplication";
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    RaiseLastOSError("Error registering window class");
  // Hidden owner of the program's secondary windows and dialogs.
  handle_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, wc.hInstance, nullptr);
  if (!handle_) RaiseLastOSError("Error creating window");
}

void TApplication::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

void TApplication::SetTitle(const std::wstring& title) {
  title_ = title;
  if (handle_) ::SetWindowTextW(handle_, title.c_str());
}

HWND TApplication::MenuOwner() const {
  if (mainForm_ && mainForm_->WindowHandle()) return mainForm_->WindowHandle();
  return handle_;
}

bool TApplication::IsTabKey(MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
  HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
  auto* form = dynamic_cast<TCustomForm*>(TWinControl::FromHandle(root));
  if (!form) return false;
  // A control that wants Tab for itself keeps it. It is asked without the
  // message: forms are not dialogs, and a native control asked with one
  // takes on dialog manners (a rich edit then closes its parent on Escape).
  if (::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, 0) & DLGC_WANTTAB) return false;
  form->SelectNext(::GetKeyState(VK_SHIFT) >= 0);
  return true;
}

bool TApplication::HandleMessage(bool wait) {
  MSG msg;
  if (wait) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      terminated_ = true;
      return false;
    }
    if (got == -1) {
      if (++failedGets_ < kMaxFailedGets) return true;
      // The queue keeps failing: the program ends with its close handling
      // (the placement is saved) rather than silently.
      failedGets_ = 0;
      if (mainForm_) mainForm_->Close();
      terminated_ = true;
      return false;
    }
    failedGets_ = 0;
  } else if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    return true;
  } else if (msg.message == WM_QUIT) {
    terminated_ = true;
    return false;
  }
  if (IsTabKey(msg)) return true;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (!HandleMessage(false)) break;
  }
}

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  while (!terminated_ && HandleMessage(true)) {
  }
}

void TApplication::Terminate() {
  if (terminating_ || terminated_) return;
  terminating_ = true;
  ::PostQuitMessage(0);
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException) {
    OnException(e);
    return;
  }
  std::wstring text = Widen(e.what());
  HWND owner = ::GetActiveWindow();
  if (!owner) owner = handle_;
  ModalScope modal;
  ::MessageBoxW(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

bool TApplication::HelpContext(uint32_t context) { return OnHelp && context != 0 && OnHelp(context); }

namespace {
struct EnumState {
  HWND except;
  std::vector<HWND>* list;
};
BOOL CALLBACK DisableTopLevel(HWND wnd, LPARAM lp) {
  auto* st = reinterpret_cast<EnumState*>(lp);
  if (wnd != st->except && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd)) {
    st->list->push_back(wnd);
    ::EnableWindow(wnd, FALSE);
  }
  return TRUE;
}
}  // namespace

void TApplication::ModalStarted() {
  if (modalLevel_++ > 0) return;
  activeBeforeModal_ = ::GetActiveWindow();
  EnumState st{handle_, &disabledWindows_};
  ::EnumThreadWindows(::GetCurrentThreadId(), &DisableTopLevel, reinterpret_cast<LPARAM>(&st));
}

void TApplication::ModalFinished() {
  if (modalLevel_ == 0 || --modalLevel_ > 0) return;
  for (HWND w : disabledWindows_)
    if (::IsWindow(w)) ::EnableWindow(w, TRUE);
  disabledWindows_.clear();
  // The modal window went while the rest were disabled, so the system gave
  // the activation to its hidden owner or to nothing: the window that had
  // it gets it back, and the keys go there again.
  HWND w = std::exchange(activeBeforeModal_, nullptr);
  HWND now = ::GetActiveWindow();
  if (w && w != now && ::IsWindow(w) && ::IsWindowVisible(w) && ::IsWindowEnabled(w) &&
      (!now || now == handle_ || !::IsWindowVisible(now)))
    ::SetActiveWindow(w);
}

}  // namespace glyphora
