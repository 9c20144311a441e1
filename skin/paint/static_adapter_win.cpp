#include "skin/paint/static_adapter_win.h"

#include <algorithm>

#include "framework/handles.h"
#include "skin/core/sCommonData.h"
#include "skin/core/skin_commands.h"
#include "skin/paint/section_paint_win.h"
#include "skin/paint/section_text_win.h"

namespace glyphora {

namespace {

LONG StyleOf(HWND wnd) { return ::GetWindowLongW(wnd, GWL_STYLE); }

// The icon or picture a static shows, and its size.
struct TStaticImage {
  HICON Icon = nullptr;
  HBITMAP Bitmap = nullptr;
  HENHMETAFILE Meta = nullptr;
  SIZE Size{0, 0};
};

TStaticImage ImageOf(HWND wnd) {
  TStaticImage img;
  switch (StyleOf(wnd) & SS_TYPEMASK) {
    case SS_ICON:
      img.Icon = reinterpret_cast<HICON>(::SendMessageW(wnd, STM_GETICON, 0, 0));
      if (img.Icon) {
        ICONINFO ii{};
        if (::GetIconInfo(img.Icon, &ii)) {
          // The two bitmaps GetIconInfo makes are the caller's.
          UniqueBitmap mask(ii.hbmMask), color(ii.hbmColor);
          BITMAP bm{};
          if (::GetObjectW(ii.hbmMask, sizeof(bm), &bm))
            img.Size = {bm.bmWidth, ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
        }
      }
      break;
    case SS_BITMAP:
      img.Bitmap = reinterpret_cast<HBITMAP>(::SendMessageW(wnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
      if (BITMAP bm{}; img.Bitmap && ::GetObjectW(img.Bitmap, sizeof(bm), &bm)) img.Size = {bm.bmWidth, bm.bmHeight};
      break;
    case SS_ENHMETAFILE:
      img.Meta = reinterpret_cast<HENHMETAFILE>(::SendMessageW(wnd, STM_GETIMAGE, IMAGE_ENHMETAFILE, 0));
      break;
  }
  return img;
}

}  // namespace

TacStaticWnd::TacStaticWnd(HWND wnd, TsSkinManager* manager, TsCommonData* skinData, const std::string& section,
                           bool dialog)
    : TacPaintedWnd(wnd, manager, skinData, section.empty() ? std::string("CHECKBOX") : section, dialog) {}

TacStaticWnd::~TacStaticWnd() { Detach(); }

bool TacStaticWnd::PaintsItself() const {
  return (StyleOf(wnd_) & WS_TABSTOP) || (::GetWindowLongW(wnd_, GWL_EXSTYLE) & WS_EX_STATICEDGE);
}

TRect32 TacStaticWnd::ClientInWindow() const {
  RECT wr, cr;
  POINT o{0, 0};
  if (!::GetWindowRect(wnd_, &wr) || !::GetClientRect(wnd_, &cr) || !::ClientToScreen(wnd_, &o)) return {};
  const int32_t x = o.x - wr.left, y = o.y - wr.top;
  return {x, y, x + cr.right, y + cr.bottom};
}

void TacStaticWnd::PaintLook() {
  if (!PaintSectionOverParent(0)) return;
  TBitmap32* px = skinData_->CachePixels();
  HDC dc = skinData_->CacheDC();
  if (!px || !dc) return;
  ::GdiFlush();
  PaintContent(dc, *px, ClientInWindow());
  ::GdiFlush();
  ++paints_;
  skinData_->MarkBGCurrent();
}

void TacStaticWnd::PaintContent(HDC dc, TBitmap32&, const TRect32& client) {
  if (caption_.empty()) return;
  const LONG style = StyleOf(wnd_), ex = ::GetWindowLongW(wnd_, GWL_EXSTYLE);
  UINT flags = DT_EXPANDTABS | DT_NOCLIP;
  const LONG type = style & SS_TYPEMASK;
  if (type != SS_LEFTNOWORDWRAP) flags |= DT_WORDBREAK;
  if (style & SS_NOPREFIX) flags |= DT_NOPREFIX;
  if (type == SS_CENTER) flags |= DT_CENTER;
  if (type == SS_RIGHT || (ex & WS_EX_RIGHT)) flags |= DT_RIGHT;
  if (style & SS_CENTERIMAGE) flags = (flags & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS: flags = (flags & ~DT_NOCLIP) | DT_END_ELLIPSIS; break;
    case SS_PATHELLIPSIS: flags = (flags & ~DT_NOCLIP) | DT_PATH_ELLIPSIS; break;
    case SS_WORDELLIPSIS: flags = (flags & ~DT_NOCLIP) | DT_WORD_ELLIPSIS; break;
  }
  if (ex & WS_EX_RTLREADING) flags |= DT_RTLREADING;
  if (::SendMessageW(wnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) flags |= DT_HIDEPREFIX;
  auto font = reinterpret_cast<HFONT>(::SendMessageW(wnd_, WM_GETFONT, 0, 0));
  SelectGuard select(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  DrawSectionText(dc, caption_, ::IsWindowEnabled(wnd_) != FALSE, false, *skinData_, flags, client);
}

void TacStaticWnd::Paint(HDC dc) {
  skinData_->MarkBGChanged();
  PaintLook();
  HDC cache = skinData_->CacheDC();
  const TBitmap32* px = skinData_->CachePixels();
  if (!cache || !px) return;
  const TRect32 c = ClientInWindow();
  ::BitBlt(dc, 0, 0, RectWidth(c), RectHeight(c), cache, c.Left, c.Top, SRCCOPY);
}

void TacStaticWnd::RedrawNow() {
  if (::IsWindowVisible(wnd_)) ::RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool TacStaticWnd::acWndProc(TMessage& m) {
  if (!Skinned() || PaintsItself()) return TacPaintedWnd::acWndProc(m);
  const bool visible = ::IsWindowVisible(wnd_) != FALSE;
  switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_PRINT:
      return PaintMessage(m);
    case WM_ERASEBKGND:
      if (!visible) return TacPaintedWnd::acWndProc(m);
      m.Result = 1;
      return true;
    case WM_NCPAINT:
      m.Result = 0;
      return true;
    case WM_MOVE:
    case WM_ENABLE:
    case STM_SETICON:
    case STM_SETIMAGE:
      if (!visible) return TacPaintedWnd::acWndProc(m);
      skinData_->MarkBGChanged();
      CallPrev(m);
      RedrawNow();
      return true;
    case WM_SETTEXT:
      if (!visible) return TacPaintedWnd::acWndProc(m);
      ::DefWindowProcW(wnd_, WM_SETREDRAW, FALSE, 0);
      TacMainWnd::acWndProc(m);  // the platform's, then Caption read again
      skinData_->MarkBGChanged();
      ::DefWindowProcW(wnd_, WM_SETREDRAW, TRUE, 0);
      RedrawNow();
      return true;
    case WM_UPDATEUISTATE:
      CallPrev(m);
      if (visible) RedrawNow();
      return true;
  }
  return TacPaintedWnd::acWndProc(m);
}

// ------------------------------------------------------------ TacIconWnd

void TacIconWnd::PaintContent(HDC dc, TBitmap32&, const TRect32& c) {
  const TStaticImage img = ImageOf(wnd_);
  const LONG style = StyleOf(wnd_);
  const int cw = RectWidth(c), ch = RectHeight(c);
  // Centred at its own size with SS_CENTERIMAGE, else over the client area
  // (an icon) or at its corner (a bitmap), as the platform draws them.
  const bool centred = (style & SS_CENTERIMAGE) != 0;
  auto at = [&](SIZE s) {
    return centred ? POINT{c.Left + (cw - s.cx) / 2, c.Top + (ch - s.cy) / 2} : POINT{c.Left, c.Top};
  };
  if (img.Icon) {
    const SIZE s = centred ? img.Size : SIZE{cw, ch};
    const POINT p = at(s);
    ::DrawIconEx(dc, p.x, p.y, img.Icon, s.cx, s.cy, 0, nullptr, DI_NORMAL);
  } else if (img.Bitmap) {
    UniqueMemoryDC mem(::CreateCompatibleDC(dc));
    if (!mem) return;
    SelectGuard select(mem.get(), img.Bitmap);
    const POINT p = at(img.Size);
    ::BitBlt(dc, p.x, p.y, std::min<LONG>(img.Size.cx, cw), std::min<LONG>(img.Size.cy, ch), mem.get(), 0, 0,
             SRCCOPY);
  } else if (img.Meta) {
    const RECT r{c.Left, c.Top, c.Right, c.Bottom};
    ::PlayEnhMetaFile(dc, img.Meta, &r);
  }
}

// ------------------------------------------------------------ TacEdgeWnd

void TacEdgeWnd::Init() {
  TacIconWnd::Init();
  ::SetWindowPos(wnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TacEdgeWnd::PaintFrame() {
  if (!::IsWindowVisible(wnd_)) return;
  skinData_->MarkBGChanged();
  PaintLook();
  HDC cache = skinData_->CacheDC();
  const TBitmap32* px = skinData_->CachePixels();
  if (!cache || !px) return;
  WindowDC dc(wnd_, TDcArea::Whole);
  const TRect32 c = ClientInWindow();
  if (dc.get()) CopyDcFrame(dc.get(), 0, 0, px->Width(), px->Height(), cache, 0, 0, std::min(c.Left, c.Top));
}

bool TacEdgeWnd::acWndProc(TMessage& m) {
  if (Skinned() && m.Msg == WM_NCPAINT) {
    PaintFrame();
    m.Result = 0;
    return true;
  }
  return TacIconWnd::acWndProc(m);
}

}  // namespace glyphora
