// The application object: title, the hidden application window, the main
// form, the message loop and the default exception report.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "framework/handles.h"

namespace glyphora {

class TCustomForm;

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
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Processes every waiting message, then returns.
  void ProcessMessages();
  // One message, waiting for it when `wait`; false once WM_QUIT arrives.
  bool HandleMessage(bool wait);

  // The default error report: a message box with the error text and the
  // application's title. Tests replace it through OnException.
  void HandleException(const std::exception& e);
  std::function<void(const std::exception&)> OnException;

  // Around a modal dialog: the other windows of the program are disabled.
  void ModalStarted();
  void ModalFinished();

 private:
  bool IsTabKey(MSG& msg);
  std::wstring title_;
  HWND handle_ = nullptr;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool initialized_ = false;
  int modalLevel_ = 0;
  std::vector<HWND> disabledWindows_;
};

// The one application object of the process.
TApplication* Application();

// UTF-8 (exception texts) to UTF-16 and back.
std::wstring Widen(const std::string& s);
std::string Narrow(const std::wstring& s);

}  // namespace glyphora
