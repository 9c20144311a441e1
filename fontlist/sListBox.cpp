#include "fontlist/sListBox.h"

#include <algorithm>

#include "framework/handles.h"
#include "skin/core/sSkinManager.h"
#include "skin/paint/skin_data_paint_win.h"

namespace glyphora {

namespace {

// Redrawing of a window off for the length of a scope: back on (and the
// window repainted once) however the scope ends, an exception included.
class RedrawOffScope {
 public:
  RedrawOffScope(HWND wnd, TsCommonData& data, UINT redrawFlags)
      : wnd_(wnd), data_(data), flags_(redrawFlags) {
    ::SendMessageW(wnd_, WM_SETREDRAW, FALSE, 0);
    data_.FUpdating = true;
  }
  ~RedrawOffScope() {
    ::SendMessageW(wnd_, WM_SETREDRAW, TRUE, 0);
    data_.FUpdating = false;
    // Painting errors end at the window procedure's boundary, not here.
    try {
      ::RedrawWindow(wnd_, nullptr, nullptr, flags_);
    } catch (...) {
    }
  }
  RedrawOffScope(const RedrawOffScope&) = delete;
  RedrawOffScope& operator=(const RedrawOffScope&) = delete;

 private:
  HWND wnd_;
  TsCommonData& data_;
  UINT flags_;
};

}  // namespace

TsCustomListBox::TsCustomListBox(TComponent* owner)
    : TsSkinned<TCustomListBox>(owner, COC_TsCustomListBox, "EDIT", "TSCUSTOMLISTBOX") {}

TsCustomListBox::~TsCustomListBox() { TacMainWnd::Free(ListSW); }

bool TsCustomListBox::SkinActive() const { return HandleAllocated() && SkinData->Skinned(true); }

void TsCustomListBox::SetAutoHideScroll(bool value) {
  if (value == FAutoHideScroll) return;
  FAutoHideScroll = value;
  if (!Loading()) RecreateWnd();
}

void TsCustomListBox::CreateParams(TCreateParams& p) {
  TsSkinned<TCustomListBox>::CreateParams(p);
  if (Style == TListBoxStyle::lbStandard) p.Style |= LBS_OWNERDRAWFIXED;
  if (!FAutoHideScroll) p.Style |= LBS_DISABLENOSCROLL;
}

void TsCustomListBox::CreateWnd() {
  TsSkinned<TCustomListBox>::CreateWnd();
  AttachAdapter();
}

void TsCustomListBox::AttachAdapter() {
  if (!HandleAllocated() || Destroying()) return;
  AttachEditAdapter(*SkinData, handle_, ListSW);
}

void TsCustomListBox::RedrawSelection() {
  const int i = ItemIndex();
  if (i < 0) return;
  RECT r = ItemRect(i);
  ::InvalidateRect(handle_, &r, FALSE);
}

void TsCustomListBox::PaintSkinned(HDC dc) {
  RECT client;
  ::GetClientRect(handle_, &client);
  const int count = Items().Count();
  const int sel = ItemIndex();
  const bool focused = Focused();
  RECT clip;
  if (::GetClipBox(dc, &clip) == NULLREGION) return;
  int bottom = 0, right = client.right, left = 0;
  for (int i = std::max(0, TopIndex()); i < count; ++i) {
    const RECT r = ItemRect(i);
    if (r.top >= client.bottom || r.bottom <= 0) break;
    bottom = std::max<int>(bottom, r.bottom);
    right = r.right;
    left = r.left;
    RECT hit;
    if (!::IntersectRect(&hit, &r, &clip)) continue;
    DRAWITEMSTRUCT d{ODT_LISTBOX, 0, UINT(i), ODA_DRAWENTIRE, 0, handle_, dc, r,
                     ULONG_PTR(::SendMessageW(handle_, LB_GETITEMDATA, i, 0))};
    if (i == sel) d.itemState |= ODS_SELECTED | (focused ? ODS_FOCUS : 0);
    TMessage m{CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d), 0};
    WndProc(m);
  }
  // What the rows leave uncovered, from the section painted at the
  // control's full size (frame included).
  TsCommonData& data = *SkinData;
  if (data.BGChanged || !data.CacheDC()) {
    PaintSectionIntoCache(data, 0);
    data.BGChanged = false;
  }
  HDC cache = data.CacheDC();
  if (!cache) return;
  RECT wr;
  ::GetWindowRect(handle_, &wr);
  POINT origin{0, 0};
  ::ClientToScreen(handle_, &origin);
  const int fx = origin.x - wr.left, fy = origin.y - wr.top;
  auto fill = [&](int l, int t, int r, int b) {
    if (r > l && b > t) ::BitBlt(dc, l, t, r - l, b - t, cache, l + fx, t + fy, SRCCOPY);
  };
  fill(0, bottom, client.right, client.bottom);
  fill(right, 0, client.right, bottom);
  if (left > 0) fill(0, 0, left, bottom);
}

void TsCustomListBox::WndProc(TMessage& m) {
  if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_REMOVESKIN) {
    // The manager is already inactive here: this is the unskinned path.
    auto* named = reinterpret_cast<TsSkinManager*>(m.LParam);
    const bool own = named && named == SkinData->SkinManager();
    if (own) TacMainWnd::Free(ListSW);
    TsSkinned<TCustomListBox>::WndProc(m);
    if (own && HandleAllocated()) {
      SetColor(clWindow);
      ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    return;
  }
  if (!SkinActive()) {
    TsSkinned<TCustomListBox>::WndProc(m);
    if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_SETNEWSKIN) AttachAdapter();
    return;
  }
  const bool ready = !Loading() && !Destroying() && Parent();
  switch (m.Msg) {
    case WM_PAINT: {
      if (SkinData->FUpdating) {
        PaintScope validate(handle_);
        m.Result = 0;
        return;
      }
      if (HDC given = reinterpret_cast<HDC>(m.WParam)) {
        PaintSkinned(given);
      } else {
        PaintScope paint(handle_);
        PaintSkinned(paint.dc());
      }
      m.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case CN_DRAWITEM: {
      // The focus rectangle is not drawn over skinned rows.
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (d->itemAction == ODA_FOCUS) {
        m.Result = TRUE;
        return;
      }
      ++rowsDrawn_;
      break;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (ready) {
        RedrawOffScope off(handle_, *SkinData, RDW_INVALIDATE | RDW_UPDATENOW);
        TsSkinned<TCustomListBox>::WndProc(m);
        if (OnScroll) OnScroll(this);
        return;
      }
      break;
    case WM_MOUSEWHEEL:
      if (ready) {
        RedrawOffScope off(handle_, *SkinData, RDW_INVALIDATE | RDW_NOERASE);
        TsSkinned<TCustomListBox>::WndProc(m);
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TsSkinned<TCustomListBox>::WndProc(m);
      // The selection's look follows the focus.
      RedrawSelection();
      return;
    case SM_ALPHACMD: {
      auto* named = reinterpret_cast<TsSkinManager*>(m.LParam);
      const bool own = named && named == SkinData->SkinManager();
      switch (SkinCommandCode(m.WParam)) {
        case SKC_SETNEWSKIN:
          TsSkinned<TCustomListBox>::WndProc(m);
          if (own) AttachAdapter();
          return;
        case SKC_REFRESH:
          TsSkinned<TCustomListBox>::WndProc(m);
          if (own && !FormAnimationRunning())
            ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
          return;
      }
      break;
    }
  }
  TsSkinned<TCustomListBox>::WndProc(m);
  if (m.Msg == CM_ENABLEDCHANGED && Visible() && !Loading()) {
    SkinData->BGChanged = true;
    ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  }
}

}  // namespace glyphora
