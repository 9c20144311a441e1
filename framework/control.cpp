#include "framework/control.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

#include "framework/application.h"
#include "framework/handles.h"
#include "framework/menus.h"

namespace glyphora {

namespace {
// The control of each window of ours. Every message looks its window up
// here; a window property would cost a round trip to the window server per
// message under Wine (a quarter of a millisecond on a busy machine).
std::unordered_map<HWND, TWinControl*>& WindowControls() {
  static std::unordered_map<HWND, TWinControl*> map;
  return map;
}
UINT g_nextCtrlId = 100;

bool IsMouseMessage(UINT msg) {
  switch (msg) {
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      return true;
  }
  return false;
}

unsigned ShiftFromKeys(WPARAM keys) {
  unsigned s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  return s;
}
}  // namespace

unsigned KeyboardShift() {
  unsigned s = 0;
  if (::GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] {
    if (!inheritingFont_) parentFont_ = false;
    Perform(CM_FONTCHANGED);
  };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (Constraints.MinWidth > 0 && width < Constraints.MinWidth) width = Constraints.MinWidth;
  if (Constraints.MaxWidth > 0 && width > Constraints.MaxWidth) width = Constraints.MaxWidth;
  if (Constraints.MinHeight > 0 && height < Constraints.MinHeight) height = Constraints.MinHeight;
  if (Constraints.MaxHeight > 0 && height > Constraints.MaxHeight) height = Constraints.MaxHeight;
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  RECT old = BoundsRect();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (!IsWindowed() && parent_ && parent_->HandleAllocated()) {
    ::InvalidateRect(parent_->WindowHandle(), &old, FALSE);
  }
  ApplyBounds();
  BoundsChanged();
  if (align_ != TAlign::alNone) RequestAlign();
}

void TControl::ApplyBounds() { Invalidate(); }

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_ && !parent_->aligning_) parent_->Realign(this);
}

void TControl::SetColor(TColor color) {
  if (color == color_ && !parentColor_) return;
  color_ = color;
  parentColor_ = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  if (value && parent_) {
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED);
  }
}

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  if (!IsWindowed()) {
    if (parent_ && parent_->HandleAllocated()) {
      RECT r = BoundsRect();
      ::InvalidateRect(parent_->WindowHandle(), &r, FALSE);
    }
  }
  Perform(CM_VISIBLECHANGED, value);
  Perform(CM_SHOWINGCHANGED);
  if (align_ != TAlign::alNone) RequestAlign();
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED);
}

bool TControl::Showing() const {
  if (!visible_) return false;
  if (!parent_) return IsWindowed() && static_cast<const TWinControl*>(this)->WindowHandle() &&
                       ::IsWindowVisible(static_cast<const TWinControl*>(this)->WindowHandle());
  return parent_->Showing();
}

void TControl::SetCaption(const std::wstring& text) {
  if (text == caption_) return;
  caption_ = text;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (popupMenu_) RemoveFreeNotification(popupMenu_);
  popupMenu_ = menu;
  if (menu) FreeNotification(menu);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_FONTCHANGED: FontChanged(); break;
    case CM_COLORCHANGED: ColorChanged(); break;
    case CM_TEXTCHANGED: TextChanged(); break;
    case CM_ENABLEDCHANGED: Invalidate(); break;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_ && !font_.SameAs(parent_->Font())) {
        inheritingFont_ = true;
        font_.Assign(parent_->Font());
        inheritingFont_ = false;
      }
      break;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED);
        parentColor_ = true;
      }
      break;
    case WM_PAINT:
      // A graphic control painted into a given context (its origin at the
      // control's top-left corner), as a skinned container does off-screen.
      if (!IsWindowed() && m.WParam) {
        TCanvas canvas(reinterpret_cast<HDC>(m.WParam));
        Paint(canvas);
      }
      break;
    case CM_MOUSEENTER: mouseInControl_ = true; break;
    case CM_MOUSELEAVE: mouseInControl_ = false; break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (!IsWindowed()) {
        mouseCaptured_ = m.Msg == WM_LBUTTONDOWN;
        MouseDown(m.Msg == WM_LBUTTONDOWN ? TMouseButton::mbLeft : TMouseButton::mbRight,
                  ShiftFromKeys(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      }
      break;
    case WM_LBUTTONDBLCLK:
      if (!IsWindowed()) {
        mouseCaptured_ = true;
        MouseDown(TMouseButton::mbLeft, ShiftFromKeys(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
        if (OnDblClick) OnDblClick(this);
      }
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (!IsWindowed()) {
        bool wasCaptured = mouseCaptured_;
        mouseCaptured_ = false;
        int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
        MouseUp(m.Msg == WM_LBUTTONUP ? TMouseButton::mbLeft : TMouseButton::mbRight, ShiftFromKeys(m.WParam), x, y);
        if (m.Msg == WM_LBUTTONUP && wasCaptured && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
      }
      break;
    case WM_MOUSEMOVE:
      if (!IsWindowed()) MouseMove(ShiftFromKeys(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      break;
  }
}

void TControl::MouseDown(TMouseButton b, unsigned shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, b, shift, x, y);
}

void TControl::MouseUp(TMouseButton b, unsigned shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, b, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::FontChanged() {
  AdjustSize();
  Invalidate();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated() && visible_) {
    RECT r = BoundsRect();
    ::InvalidateRect(parent_->WindowHandle(), &r, FALSE);
  }
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

POINT TControl::ClientToScreen(POINT p) const {
  if (IsWindowed()) {
    HWND h = static_cast<const TWinControl*>(this)->WindowHandle();
    if (h) ::ClientToScreen(h, &p);
    return p;
  }
  if (!parent_) return p;
  return parent_->ClientToScreen(POINT{p.x + left_, p.y + top_});
}

TWinControl* TControl::TopLevel() {
  TControl* c = this;
  while (c->parent_) c = c->parent_;
  return c->IsWindowed() ? static_cast<TWinControl*>(c) : nullptr;
}

// ------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { ctrlId_ = g_nextCtrlId++; }

TWinControl::~TWinControl() {
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  DestroyWnd();
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
  if (!handle_) throw std::runtime_error("Error creating window");
  WindowControls()[handle_] = this;
  if (!p.NativeClass.empty()) {
    nativeProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc)));
    ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  }
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
    ::RegisterClassExW(&wc);
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

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_) return;
  if (nativeProc_)
    m.Result = ::CallWindowProcW(nativeProc_, handle_, m.Msg, m.WParam, m.LParam);
  else
    m.Result = ::DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* c = FromHandle(wnd);
  if (!c && msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    c = static_cast<TWinControl*>(cs->lpCreateParams);
    if (c) {
      c->handle_ = wnd;
      WindowControls()[wnd] = c;
    }
  }
  if (!c) return ::DefWindowProcW(wnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  try {
    if (!c->WindowHook || !c->WindowHook(m)) c->WndProc(m);
  } catch (const std::exception& e) {
    Application()->HandleException(e);
  } catch (...) {
    Application()->HandleException(std::runtime_error("Unexpected error"));
  }
  if (msg == WM_NCDESTROY) {
    WindowControls().erase(wnd);
    if (c->nativeProc_) {
      ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(c->nativeProc_));
      c->nativeProc_ = nullptr;
    }
    if (c->handle_ == wnd) c->handle_ = nullptr;
    c->hoverChild_ = c->captureChild_ = nullptr;
    c->trackingLeave_ = false;
  }
  return m.Result;
}

bool TWinControl::ReflectToChild(TMessage& m) {
  HWND child = nullptr;
  switch (m.Msg) {
    case WM_COMMAND: case WM_HSCROLL: case WM_VSCROLL:
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
      child = reinterpret_cast<HWND>(m.LParam);
      break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom; break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
      UINT id = m.Msg == WM_DRAWITEM ? reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->CtlID
                                     : reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlID;
      // WM_MEASUREITEM arrives while the child's window is being created,
      // before we know its handle: find it by control id.
      for (TControl* c : controls_)
        if (c->IsWindowed() && static_cast<TWinControl*>(c)->ctrlId_ == id) {
          m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
          return true;
        }
      return false;
    }
    default: return false;
  }
  TWinControl* target = FromHandle(child);
  if (!target || target == this) return false;
  m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  if (m.Msg >= WM_CTLCOLORMSGBOX && m.Msg <= WM_CTLCOLORSTATIC && m.Result == 0) return false;
  return true;
}

void TWinControl::WndProc(TMessage& m) {
  if (m.Msg >= CM_BASE && m.Msg < CN_BASE) {
    TControl::WndProc(m);
    switch (m.Msg) {
      case CM_ENABLEDCHANGED:
        if (handle_) ::EnableWindow(handle_, enabled_);
        break;
      case CM_VISIBLECHANGED:
        if (handle_) ::ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
        break;
    }
    return;
  }
  if (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400) {
    if (m.Msg >= CN_CTLCOLOREDIT && m.Msg <= CN_CTLCOLORSTATIC) {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      ::SetTextColor(dc, ColorToRGB(font_.Color()));
      ::SetBkColor(dc, ColorToRGB(color_));
      if (!brush_ || brushColor_ != ColorToRGB(color_)) {
        brushColor_ = ColorToRGB(color_);
        brush_.reset(::CreateSolidBrush(brushColor_));
      }
      m.Result = reinterpret_cast<LRESULT>(brush_.get());
    }
    return;
  }
  if (IsMouseMessage(m.Msg)) {
    if (m.Msg == WM_MOUSEMOVE && !mouseInControl_) {
      Perform(CM_MOUSEENTER);
      TrackLeave();
    }
    if (!controls_.empty() && RouteMouse(m)) return;
    if (m.Msg == WM_LBUTTONDOWN && OnMouseDown)
      OnMouseDown(this, TMouseButton::mbLeft, ShiftFromKeys(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
    if (m.Msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick(this);
    DefaultHandler(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT:
      if (PaintsOwnFace()) PaintHandler(m); else DefaultHandler(m);
      return;
    case WM_ERASEBKGND:
      if (PaintsOwnFace()) m.Result = 1; else DefaultHandler(m);
      return;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      SetHoverChild(nullptr);
      if (mouseInControl_) Perform(CM_MOUSELEAVE);
      DefaultHandler(m);
      return;
    case WM_CAPTURECHANGED:
      captureChild_ = nullptr;
      DefaultHandler(m);
      return;
    case WM_SIZE:
      DefaultHandler(m);
      if (!parent_ && m.WParam != SIZE_MINIMIZED) {
        RECT r;
        ::GetWindowRect(handle_, &r);
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
      }
      Realign();
      return;
    case WM_MOVE:
      DefaultHandler(m);
      if (!parent_ && !::IsIconic(handle_) && !::IsZoomed(handle_)) {
        RECT r;
        ::GetWindowRect(handle_, &r);
        left_ = r.left;
        top_ = r.top;
      }
      return;
    case WM_CONTEXTMENU:
      HandleContextMenu(m);
      return;
    case WM_SETCURSOR:
      if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == handle_) {
        TControl* over = hoverChild_ ? hoverChild_ : this;
        if (over->Cursor != IDC_ARROW && over->enabled_) {
          ::SetCursor(::LoadCursorW(nullptr, over->Cursor));
          m.Result = TRUE;
          return;
        }
      }
      DefaultHandler(m);
      return;
    case WM_SETFOCUS:
      DefaultHandler(m);
      if (OnEnter) OnEnter(this);
      return;
    case WM_KILLFOCUS:
      DefaultHandler(m);
      if (OnExit) OnExit(this);
      return;
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(m.WParam);
      if (OnKeyDown) OnKeyDown(this, key, KeyboardShift());
      if (key == 0) return;
      KeyDown(key, KeyboardShift());
      if (key == 0) return;
      DefaultHandler(m);
      return;
    }
    default:
      if (ReflectToChild(m)) return;
      DefaultHandler(m);
  }
}

void TWinControl::KeyDown(WORD&, unsigned) {}

void TWinControl::HandleContextMenu(TMessage& m) {
  if (!popupMenu_) {
    DefaultHandler(m);
    return;
  }
  // A control with its own menu never shows the platform's default one; an
  // empty menu therefore offers nothing.
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (m.LParam == -1) p = ClientToScreen(POINT{4, 4});
  popupMenu_->PopupComponent = this;
  popupMenu_->Popup(p.x, p.y);
  m.Result = 0;
}

void TWinControl::TrackLeave() {
  if (trackingLeave_ || !handle_) return;
  TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, handle_, 0};
  trackingLeave_ = ::TrackMouseEvent(&t) != 0;
}

void TWinControl::SetHoverChild(TControl* child) {
  if (child == hoverChild_) return;
  TControl* old = hoverChild_;
  hoverChild_ = child;
  if (old && old->mouseInControl_) old->Perform(CM_MOUSELEAVE);
  if (child && !child->mouseInControl_) child->Perform(CM_MOUSEENTER);
}

bool TWinControl::RouteMouse(TMessage& m) {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* target = captureChild_;
  if (!target) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
      TControl* c = *it;
      if (c->IsWindowed() || !c->visible_ || !c->enabled_) continue;
      RECT r = c->BoundsRect();
      if (::PtInRect(&r, p)) {
        target = c;
        break;
      }
    }
  }
  if (m.Msg == WM_MOUSEMOVE) {
    // While a child holds the capture it is hovered only when the mouse is on it.
    TControl* hover = target;
    if (hover == captureChild_ && hover) {
      RECT r = hover->BoundsRect();
      if (!::PtInRect(&r, p)) hover = nullptr;
    }
    SetHoverChild(hover);
    TrackLeave();
  }
  if (!target) return false;
  LPARAM local = MAKELPARAM(static_cast<short>(p.x - target->left_), static_cast<short>(p.y - target->top_));
  if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
    captureChild_ = target;
    ::SetCapture(handle_);
  }
  bool up = m.Msg == WM_LBUTTONUP;
  target->Perform(m.Msg, m.WParam, local);
  if (up && captureChild_) {
    captureChild_ = nullptr;
    if (::GetCapture() == handle_) ::ReleaseCapture();
  }
  m.Result = 0;
  return true;
}

void TWinControl::PaintHandler(TMessage& m) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(handle_, &ps);
  RECT rc = ps.rcPaint;
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w > 0 && h > 0) {
    // Compose off-screen and copy once: no flicker.
    TDibBitmap buffer(w, h);
    if (buffer.DC()) {
      ::SetViewportOrgEx(buffer.DC(), -rc.left, -rc.top, nullptr);
      PaintWindow(buffer.DC());
      PaintControls(buffer.DC(), rc);
      ::SetViewportOrgEx(buffer.DC(), 0, 0, nullptr);
      ::BitBlt(dc, rc.left, rc.top, w, h, buffer.DC(), 0, 0, SRCCOPY);
    }
  }
  ::EndPaint(handle_, &ps);
  m.Result = 0;
}

void TWinControl::PaintControls(HDC dc, const RECT& clip) {
  for (TControl* c : controls_) {
    if (c->IsWindowed() || !c->visible_) continue;
    RECT r = c->BoundsRect(), tmp;
    if (!::IntersectRect(&tmp, &r, &clip)) continue;
    SavedDC saved(dc);
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    POINT org;
    ::GetViewportOrgEx(dc, &org);
    ::SetViewportOrgEx(dc, org.x + r.left, org.y + r.top, nullptr);
    TCanvas canvas(dc);
    c->Paint(canvas);
  }
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

void TWinControl::Invalidate() {
  if (handle_) ::InvalidateRect(handle_, nullptr, !PaintsOwnFace());
}

void TWinControl::Update() {
  if (handle_) ::UpdateWindow(handle_);
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

void TWinControl::Loaded() {
  TControl::Loaded();
  if (alignPending_) Realign();
}

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0 && --alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign(TControl* trigger) {
  if (alignDisabled_ > 0 || Loading() || aligning_) {
    alignPending_ = true;
    return;
  }
  alignPending_ = false;
  aligning_ = true;
  RECT r = AlignRect();
  auto collect = [&](TAlign a) {
    std::vector<TControl*> v;
    for (TControl* c : controls_)
      if (c->align_ == a && c->visible_) v.push_back(c);
    auto key = [a](TControl* c) {
      switch (a) {
        case TAlign::alTop: return c->top_;
        case TAlign::alBottom: return -(c->top_ + c->height_);
        case TAlign::alLeft: return c->left_;
        case TAlign::alRight: return -(c->left_ + c->width_);
        default: return 0;
      }
    };
    std::stable_sort(v.begin(), v.end(), [&](TControl* x, TControl* y) {
      int kx = key(x), ky = key(y);
      if (kx != ky) return kx < ky;
      return x == trigger && y != trigger;
    });
    return v;
  };
  for (TControl* c : collect(TAlign::alTop)) {
    c->SetBounds(r.left, r.top, r.right - r.left, c->height_);
    r.top += c->height_;
  }
  for (TControl* c : collect(TAlign::alBottom)) {
    c->SetBounds(r.left, r.bottom - c->height_, r.right - r.left, c->height_);
    r.bottom -= c->height_;
  }
  for (TControl* c : collect(TAlign::alLeft)) {
    c->SetBounds(r.left, r.top, c->width_, r.bottom - r.top);
    r.left += c->width_;
  }
  for (TControl* c : collect(TAlign::alRight)) {
    c->SetBounds(r.right - c->width_, r.top, c->width_, r.bottom - r.top);
    r.right -= c->width_;
  }
  for (TControl* c : collect(TAlign::alClient)) c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  aligning_ = false;
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && ::GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (HWND h = Handle()) ::SetFocus(h);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  std::vector<TWinControl*> kids;
  for (TControl* c : controls_)
    if (c->IsWindowed()) kids.push_back(static_cast<TWinControl*>(c));
  std::stable_sort(kids.begin(), kids.end(), [](TWinControl* a, TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
  for (TWinControl* k : kids) {
    if (k->tabStop_) list.push_back(k);
    k->GetTabOrderList(list);
  }
}

void TCustomControl::PaintWindow(HDC dc) {
  TCanvas canvas(dc);
  PaintCanvas(canvas);
}

}  // namespace glyphora
