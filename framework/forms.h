// Top-level windows.
#pragma once
#include "framework/control.h"

namespace glyphora {

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  void SetClientSize(int width, int height);
  // Leaves the position to the platform when the window is first created.
  bool DefaultPosition = true;
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  void SetIcon(HICON icon);

  void Show();
  void Close();
  // Moves the focus to the next (or previous) control in tab order.
  void SelectNext(bool forward);
  TWinControl* ActiveControl() const;

  TNotifyEvent OnCreate;
  TCloseEvent OnClose;
  TNotifyEvent OnResize;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void PaintCanvas(TCanvas& canvas);
  void PaintWindow(HDC dc) override;
  // Runs OnCreate; called by the definition once every component is loaded.
  void DoCreate();

 private:
  TWindowState pendingState_ = TWindowState::wsNormal;
  UniqueIcon icon_;
  HWND lastFocus_ = nullptr;
  bool closing_ = false;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};

}  // namespace glyphora
