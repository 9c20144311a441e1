// The application object: title, the hidden application window, the main
// form, the message loop and the default exception report.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <cstdint>
#include <vector>

#include "framework/handles.h"

namespace glyphora {

class TCustomForm;

// OleInitialize on this thread for the life of the object, balanced by
// OleUninitialize when it succeeded (a thread already in another COM
// apartment gets no OLE, and nothing to balance).
class OleScope {
 public:
  OleScope();
  ~OleScope();
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;
  bool Initialized() const { return initialized_; }

 private:
  bool initialized_;
};

class TApplication {
 public:
  TApplication();
  ~TApplication();

  // Common controls, OLE (rich edit, imaging) and the application window.
  void Initialize();
  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title);
  bool MainFormOnTaskBar = false;

  HWND Handle() const { return handle_; }
  TCustomForm* MainForm() const { return mainForm_; }
  void SetMainForm(TCustomForm* form) { mainForm_ = form; }
  // Window that owns popup menus and receives their commands.
  HWND MenuOwner() const;

  // Shows the main form and processes messages until it closes.
  void Run();
  // Asks the message loop to end (WM_QUIT); from then on the application
  // counts as terminating, before the loop has seen the quit message.
  void Terminate();
  bool Terminated() const { return terminated_; }
  bool Terminating() const { return terminating_ || terminated_; }
  // Processes every waiting message, then returns.
  void ProcessMessages();
  // One message, waiting for it when `wait`; false once WM_QUIT arrives.
  // A queue that fails to give a message (GetMessage answering -1, as for
  // a message too large to pass between processes) is not a quit: the
  // loop goes on, and gives up only after kMaxFailedGets failures in a row,
  // closing the main form as the user would.
  bool HandleMessage(bool wait);
  static constexpr int kMaxFailedGets = 100;

  // The default error report: a message box with the error text and the
  // application's title. Tests replace it through OnException.
  void HandleException(const std::exception& e);
  std::function<void(const std::exception&)> OnException;

  // Context help for a help context number: the program's help is what
  // OnHelp shows (there is no help file of the framework's own). False when
  // nothing showed help.
  bool HelpContext(uint32_t context);
  std::function<bool(uint32_t context)> OnHelp;

  // Every form of the program, in creation order.
  const std::vector<TCustomForm*>& Forms() const { return forms_; }
  void AddForm(TCustomForm* form) { forms_.push_back(form); }
  void RemoveForm(TCustomForm* form);

  // Around a modal dialog: the other windows of the program are disabled.
  // Pair them through ModalScope.
  void ModalStarted();
  void ModalFinished();

 private:
  bool IsTabKey(MSG& msg);
  std::wstring title_;
  HWND handle_ = nullptr;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool terminating_ = false;
  bool initialized_ = false;
  int modalLevel_ = 0;
  int failedGets_ = 0;
  std::vector<HWND> disabledWindows_;
  HWND activeBeforeModal_ = nullptr;  // gets the activation back when the modal loop ends
  std::vector<TCustomForm*> forms_;
  std::unique_ptr<OleScope> ole_;
};

// The one application object of the process.
TApplication* Application();

// A modal dialog's time: the program's other windows are disabled from
// construction to destruction, however the dialog ends.
class ModalScope {
 public:
  ModalScope() { Application()->ModalStarted(); }
  ~ModalScope() { Application()->ModalFinished(); }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;
};

// Raises std::runtime_error with `what`, the system's text for the calling
// thread's last error and its code ("what: text (code n)").
[[noreturn]] void RaiseLastOSError(const std::string& what);
// The system's text for an error code, without the final line break.
std::wstring SystemErrorText(DWORD code);

// 8-bit text in a code page (UTF-8 for exception texts, the ANSI code page
// for skin files) to UTF-16 and back.
std::wstring Widen(const std::string& s, unsigned codePage = CP_UTF8);
std::string Narrow(const std::wstring& s, unsigned codePage = CP_UTF8);

// The full path of the running program, its folder (ending in a backslash),
// and its full path with the extension replaced by ext (".ini").
std::wstring ExecutableFileName();
std::wstring ExecutableFolder();
std::wstring ExecutablePathWithExtension(const std::wstring& ext);
// The bytes of a resource of the program (empty when it has none).
std::vector<uint8_t> ResourceData(const wchar_t* name, const wchar_t* type);

}  // namespace glyphora
