#include "framework/forms.h"

#include <windowsx.h>

#include "framework/application.h"

namespace glyphora {

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  visible_ = false;
  parentFont_ = false;
  color_ = clBtnFace;
  width_ = 320;
  height_ = 240;
  Application()->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Application()->RemoveForm(this);
  if (Application()->MainForm() == this) Application()->SetMainForm(nullptr);
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"GlyphoraForm";
  p.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  p.ExStyle = 0;
  if (DefaultPosition) p.X = p.Y = CW_USEDEFAULT;
  TApplication* app = Application();
  if (app->MainForm() == this && app->MainFormOnTaskBar) {
    p.ExStyle |= WS_EX_APPWINDOW;
    p.WndParent = nullptr;
  } else {
    p.WndParent = app->Handle();
  }
}

void TCustomForm::InitializeWnd() {
  if (icon_) {
    ::SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    ::SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
  }
  // With a default position the platform chose where we are.
  RECT r;
  ::GetWindowRect(handle_, &r);
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
}

void TCustomForm::SetClientSize(int width, int height) {
  TCreateParams p;
  CreateParams(p);
  RECT r{0, 0, width, height};
  ::AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
  SetBounds(left_, top_, r.right - r.left, r.bottom - r.top);
}

void TCustomForm::SetIcon(HICON icon) {
  icon_.reset(icon);
  if (handle_) InitializeWnd();
}

TWindowState TCustomForm::WindowState() const {
  if (!handle_ || !::IsWindowVisible(handle_)) return pendingState_;
  if (::IsZoomed(handle_)) return TWindowState::wsMaximized;
  if (::IsIconic(handle_)) return TWindowState::wsMinimized;
  return TWindowState::wsNormal;
}

void TCustomForm::SetWindowState(TWindowState state) {
  pendingState_ = state;
  if (handle_ && ::IsWindowVisible(handle_)) {
    int cmd = state == TWindowState::wsMaximized ? SW_MAXIMIZE
              : state == TWindowState::wsMinimized ? SW_MINIMIZE : SW_RESTORE;
    ::ShowWindow(handle_, cmd);
  }
}

void TCustomForm::Show() {
  HWND h = Handle();
  visible_ = true;
  int cmd = pendingState_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
            : pendingState_ == TWindowState::wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
  ::ShowWindow(h, cmd);
  ::UpdateWindow(h);
  if (!::GetFocus() || ::GetAncestor(::GetFocus(), GA_ROOT) != h) SelectNext(true);
}

void TCustomForm::Close() {
  if (handle_) ::SendMessageW(handle_, WM_CLOSE, 0, 0);
}

TWinControl* TCustomForm::ActiveControl() const {
  HWND f = ::GetFocus();
  TWinControl* c = FromHandle(f);
  return (c && handle_ && ::IsChild(handle_, f)) ? c : nullptr;
}

void TCustomForm::SelectNext(bool forward) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  std::vector<TWinControl*> usable;
  for (TWinControl* c : list)
    if (c->CanFocus() && c->HandleAllocated()) usable.push_back(c);
  if (usable.empty()) return;
  TWinControl* cur = ActiveControl();
  size_t n = usable.size(), idx = forward ? n - 1 : 0;
  for (size_t i = 0; i < n; ++i)
    if (usable[i] == cur) idx = i;
  size_t next = cur ? (forward ? (idx + 1) % n : (idx + n - 1) % n) : 0;
  usable[next]->SetFocus();
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::PaintWindow(HDC dc) {
  TCanvas canvas(dc);
  PaintCanvas(canvas);
}

void TCustomForm::PaintCanvas(TCanvas& canvas) {
  RECT r = ClientRect();
  canvas.FillRect(r, color_);
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETMINMAXINFO: {
      auto* mmi = reinterpret_cast<MINMAXINFO*>(m.LParam);
      if (Constraints.MinWidth > 0) mmi->ptMinTrackSize.x = Constraints.MinWidth;
      if (Constraints.MinHeight > 0) mmi->ptMinTrackSize.y = Constraints.MinHeight;
      if (Constraints.MaxWidth > 0) mmi->ptMaxTrackSize.x = Constraints.MaxWidth;
      if (Constraints.MaxHeight > 0) mmi->ptMaxTrackSize.y = Constraints.MaxHeight;
      m.Result = 0;
      return;
    }
    case WM_SIZE:
      TWinControl::WndProc(m);
      if (OnResize && !Loading()) OnResize(this);
      return;
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) == WA_INACTIVE) {
        HWND f = ::GetFocus();
        if (f && ::IsChild(handle_, f)) lastFocus_ = f;
        DefaultHandler(m);
      } else {
        DefaultHandler(m);
        if (lastFocus_ && ::IsWindow(lastFocus_) && ::IsChild(handle_, lastFocus_))
          ::SetFocus(lastFocus_);
        else
          SelectNext(true);
      }
      return;
    case WM_CLOSE: {
      if (closing_) return;
      TCloseAction action = Application()->MainForm() == this ? TCloseAction::caFree : TCloseAction::caHide;
      closing_ = true;
      // An error raised while closing is reported; the window still closes,
      // since a user who asked to close expects the program to end.
      try {
        if (OnClose) OnClose(this, action);
      } catch (const std::exception& e) {
        Application()->HandleException(e);
      }
      closing_ = false;
      if (action == TCloseAction::caNone) return;
      if (Application()->MainForm() == this) {
        ::ShowWindow(handle_, SW_HIDE);
        Application()->Terminate();
      } else if (action == TCloseAction::caMinimize) {
        ::ShowWindow(handle_, SW_MINIMIZE);
      } else {
        ::ShowWindow(handle_, SW_HIDE);
        visible_ = false;
      }
      return;
    }
    default:
      TWinControl::WndProc(m);
  }
}

}  // namespace glyphora
