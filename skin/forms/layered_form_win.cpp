#include "skin/forms/layered_form_win.h"

#include <algorithm>
#include <atomic>

#include "skin/core/sSkinManager.h"
#include "skin/paint/premultiply.h"

namespace glyphora {

namespace {
std::atomic<long> g_live{0};

}  // namespace

TacLayeredForm::TacLayeredForm(DWORD exStyle) : TCustomForm(nullptr), exStyle_(exStyle) {
  Tag = kHelperFormTag;
  DefaultPosition = false;
  ++g_live;
}

TacLayeredForm::~TacLayeredForm() {
  MarkDestroying();
  DestroyWnd();
  --g_live;
}

long TacLayeredForm::LiveCount() { return g_live.load(); }

void TacLayeredForm::CreateParams(TCreateParams& p) {
  TCustomForm::CreateParams(p);
  p.WinClassName = L"GlyphoraLayeredForm";
  p.Style = WS_POPUP;
  p.ExStyle = exStyle_;
  p.WndParent = nullptr;
  p.X = left_;
  p.Y = top_;
  p.Width = std::max(width_, 1);
  p.Height = std::max(height_, 1);
}

void TacLayeredForm::WndProc(TMessage& m) {
  if (Proc && Proc(m)) return;
  switch (m.Msg) {
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      m.Result = 1;  // the layered picture is the content
      return;
    case WM_PAINT: {
      PaintScope paint(handle_);
      return;
    }
    case WM_MOUSEACTIVATE:
      m.Result = MA_NOACTIVATE;
      return;
    default:
      DefaultHandler(m);
  }
}

bool TacLayeredForm::PrepareSurface(int32_t w, int32_t h) {
  if (!surface_.SetSize(w, h)) return false;
  pictureW_ = w;
  pictureH_ = h;
  return true;
}

bool TacLayeredForm::SetPicture(const TBitmap32& image, const TRect32& r, int32_t surfaceW, int32_t surfaceH) {
  const int32_t w = RectWidth(r), h = RectHeight(r);
  if (!PrepareSurface(std::max(w, surfaceW), std::max(h, surfaceH))) return false;
  ::GdiFlush();
  TBitmap32& s = surface_.Pixels();
  if (s.Width() > w || s.Height() > h) s.Fill(0);
  PremultiplyRect(image, r, &s, 0, 0);
  return true;
}

bool TacLayeredForm::Present(POINT pos, uint8_t alpha, bool show) {
  if (!LayeredWindowsAvailable() || !HasPicture()) return false;
  HWND w = Handle();
  if (!w) return false;
  ::GdiFlush();
  SIZE size{pictureW_, pictureH_};
  POINT src{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  if (!::UpdateLayeredWindow(w, nullptr, &pos, &size, surface_.DC(), &src, 0, &blend, ULW_ALPHA)) return false;
  left_ = pos.x;
  top_ = pos.y;
  width_ = size.cx;
  height_ = size.cy;
  if (show && !::IsWindowVisible(w)) {
    ::ShowWindow(w, SW_SHOWNOACTIVATE);
    visible_ = true;
  }
  return true;
}

void TacLayeredForm::MoveTo(POINT pos, HWND insertAfter) {
  if (!handle_) return;
  UINT flags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
  if (!insertAfter) flags |= SWP_NOZORDER;
  ::SetWindowPos(handle_, insertAfter, pos.x, pos.y, 0, 0, flags);
  left_ = pos.x;
  top_ = pos.y;
}

}  // namespace glyphora
