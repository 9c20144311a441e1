// Controls: the visual components. TControl is the common base and also the
// base of graphic (windowless) controls, which their parent paints and to
// which it routes mouse messages. TWinControl owns a window; its WndProc sees
// every message of that window and the framework notifications.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/graphics.h"
#include "framework/messages.h"
#include "framework/window_hook.h"

namespace glyphora {

// Asks for WM_MOUSELEAVE (WM_NCMOUSELEAVE with nonClient) once the pointer
// leaves wnd; true when the request was taken. Without it a pointer that
// leaves quickly, or over an edge, is never seen to go.
bool TrackMouseLeave(HWND wnd, bool nonClient = false);

class TWinControl;
class TPopupMenu;

// The shift state of the keyboard right now.
unsigned KeyboardShift();

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

enum TShiftState : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TKeyEvent = std::function<void(TComponent* sender, WORD& key, unsigned shift)>;
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, unsigned shift, int x, int y)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
  void SetBounds(int left, int top, int width, int height);
  void SetWidth(int w) { SetBounds(left_, top_, w, height_); }
  void SetHeight(int h) { SetBounds(left_, top_, width_, h); }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TSizeConstraints Constraints;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // Visible, and every parent up to a top-level window visible too.
  virtual bool Showing() const;

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& text);

  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);

  // Sends a message straight to this control's message method: WndProc,
  // or the replacement installed with SetWindowProc.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual void WndProc(TMessage& message);
  // An object outside the control (a skin's handler of a graphic control)
  // takes over its message method: Perform, and the parent's painting of a
  // graphic control (WM_PAINT with the DC in wParam), go to `method`, which
  // passes what it does not handle to the method it replaced. Returns that
  // method (empty: WndProc). Installing the empty method puts WndProc back.
  using TMessageMethod = std::function<void(TMessage&)>;
  TMessageMethod SetWindowProc(TMessageMethod method);
  bool WindowProcReplaced() const { return static_cast<bool>(windowProc_); }

  virtual void Invalidate();
  virtual void Update();
  void Repaint() { Invalidate(); Update(); }

  // Graphic controls draw themselves here, on their parent's canvas with the
  // origin moved to their top-left corner.
  virtual void Paint(TCanvas& canvas) {}
  virtual bool IsWindowed() const { return false; }
  // True when Paint covers every pixel of the control (nothing of the
  // parent shows through).
  virtual bool PaintsOpaque() const { return false; }
  // False for a graphic control whose area the parent's background painting
  // keeps (the parent paints under it instead of clipping it out).
  virtual bool ClippedFromParentBackground() const { return true; }
  bool MouseInControl() const { return mouseInControl_; }

  // The opaque control style: the control covers its whole rectangle, so a
  // container copying its own image to the screen may leave it out.
  bool OpaqueStyle() const { return opaque_; }
  void SetOpaqueStyle(bool value) { opaque_ = value; }
  // Set while the control paints a copy of itself (into a bitmap, for a
  // print or an animation), not onto the screen.
  bool PaintingCopy() const { return paintingCopy_; }
  void SetPaintingCopy(bool value) { paintingCopy_ = value; }

  POINT ClientToScreen(POINT p) const;
  TWinControl* TopLevel();

  // The mouse cursor over this control (a system cursor id).
  LPCWSTR Cursor = IDC_ARROW;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

  virtual void Click();

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  // Called after the bounds changed (and before the parent realigns).
  virtual void BoundsChanged() {}
  virtual void ApplyBounds();
  virtual void AdjustSize() {}
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void TextChanged() { Invalidate(); }
  // Mouse handling for graphic controls (client coordinates).
  virtual void MouseDown(TMouseButton button, unsigned shift, int x, int y);
  virtual void MouseUp(TMouseButton button, unsigned shift, int x, int y);
  virtual void MouseMove(unsigned shift, int x, int y) {}
  void RequestAlign();

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = TAlign::alNone;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  TFont font_;
  bool parentFont_ = true;
  bool visible_ = true;
  bool enabled_ = true;
  bool mouseInControl_ = false;
  bool mouseCaptured_ = false;
  bool inheritingFont_ = false;
  bool opaque_ = false;
  bool paintingCopy_ = false;
  std::wstring caption_;
  TPopupMenu* popupMenu_ = nullptr;
  TMessageMethod windowProc_;

  friend class TWinControl;
};

class PaintingCopyScope {
 public:
  explicit PaintingCopyScope(TControl* c) : c_(c), was_(c->PaintingCopy()) { c_->SetPaintingCopy(true); }
  ~PaintingCopyScope() { c_->SetPaintingCopy(was_); }
  PaintingCopyScope(const PaintingCopyScope&) = delete;
  PaintingCopyScope& operator=(const PaintingCopyScope&) = delete;

 private:
  TControl* c_;
  bool was_;
};

// What a windowed control's window is created with.
struct TCreateParams {
  std::wstring WinClassName;    // our own class, registered on demand
  std::wstring NativeClass;     // a platform class (EDIT, LISTBOX, ...) to create and subclass
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  UINT ClassStyle = CS_DBLCLKS;
  HICON Icon = nullptr;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle();                      // creates the window when needed
  HWND WindowHandle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys and re-creates the window, keeping state.
  void RecreateWnd();

  bool IsWindowed() const override { return true; }
  const std::vector<TControl*>& Controls() const { return controls_; }

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();

  void WndProc(TMessage& message) override;
  void Invalidate() override;
  void Update() override;
  RECT ClientRect() const override;
  void Loaded() override;

  // Lays out the aligned children inside AlignRect(). A control that asked
  // for the layout keeps the place it asked for among equals.
  void Realign(TControl* trigger = nullptr);
  virtual RECT AlignRect() const { return ClientRect(); }
  void DisableAlign() { ++alignDisabled_; }
  void EnableAlign();

  // Focusable windowed descendants in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& list);

  // Components that attach to the window (a form's skin provider, control
  // adapters) do it with a TWindowHook attached to the control: it sees the
  // window's messages before WndProc and follows the control's window
  // through re-creation.

  // The parent's background shows through the control where it paints
  // nothing of its own (a skinned panel in fast mode then leaves its
  // painting to the background erase).
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool value) { parentBackground_ = value; }

  TKeyEvent OnKeyDown;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // The control that owns a window of this process, or nullptr.
  static TWinControl* FromHandle(HWND wnd);

 protected:
  virtual void CreateParams(TCreateParams& params);
  // A single border: sunken with Ctl3D, else a plain line.
  void AddBorder(TCreateParams& params, bool single) const {
    if (single) {
      if (ctl3D_) params.ExStyle |= WS_EX_CLIENTEDGE; else params.Style |= WS_BORDER;
    }
  }
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Called once the window exists, to push the control's state into it.
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void InitializeWnd() {}
  // Default processing: the native class's procedure (through the window's
  // subclass chain for the message being dispatched) or DefWindowProc.
  void DefaultHandler(TMessage& message);

  // Paints the window's own face (before its graphic children). Windows of
  // our own classes paint double-buffered through this.
  virtual void PaintWindow(HDC dc) {}
  void PaintControls(HDC dc, const RECT& clip);
  virtual bool PaintsOwnFace() const { return nativeProc_ == nullptr; }

  void ApplyBounds() override;
  void FontChanged() override;
  void ColorChanged() override;
  void TextChanged() override;

  // Called with the control's key down (after OnKeyDown) or key char.
  virtual void KeyDown(WORD& key, unsigned shift);

  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);

  HWND handle_ = nullptr;
  WNDPROC nativeProc_ = nullptr;  // the native class's own procedure; null for our classes
  std::vector<TControl*> controls_;
  int tabOrder_ = 0;
  bool tabStop_ = false;
  int alignDisabled_ = 0;
  bool alignPending_ = false;
  bool aligning_ = false;
  bool ctl3D_ = true;
  bool parentBackground_ = false;
  UniqueBrush brush_;          // background brush answered to WM_CTLCOLOR*
  COLORREF brushColor_ = 0;
  UINT ctrlId_ = 0;

 private:
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK NativeSubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR self);
  static LRESULT Dispatch(TWinControl* control, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void AttachHooks();
  void DispatchToGraphic(TMessage& message);
  bool RouteMouse(TMessage& message);
  void TrackLeave();
  void SetHoverChild(TControl* child);
  void PaintHandler(TMessage& message);
  void HandleContextMenu(TMessage& message);
  // Parts of WndProc: the framework's own messages, the reflected ones and
  // the mouse.
  void ControlMessage(TMessage& m);
  void ReflectedMessage(TMessage& m);
  void MouseMessage(TMessage& m);
  bool ReflectToChild(TMessage& message);

  TControl* hoverChild_ = nullptr;
  TControl* captureChild_ = nullptr;
  bool trackingLeave_ = false;
  std::vector<TWindowHook*> hooks_;   // in attach order
  TMessage* dispatching_ = nullptr;   // the message the native subclass is passing to WndProc

  friend class TControl;
  friend class TApplication;
  friend class TWindowHook;
};

// A windowed control of our own class that paints itself.
class TCustomControl : public TWinControl {
 public:
  using TWinControl::TWinControl;

 protected:
  void PaintWindow(HDC dc) override;
  virtual void PaintCanvas(TCanvas& canvas) {}
};

}  // namespace glyphora
