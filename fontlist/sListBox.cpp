#include "fontlist/sListBox.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "framework/handles.h"
#include "skin/core/sSkinManager.h"
#include "skin/paint/scroll_wnd_win.h"
#include "skin/paint/skin_data_paint_win.h"

namespace glyphora {

namespace {

// Redrawing of a window off for the length of a scope: back on (and the
// window repainted once) however the scope ends, an exception included.
class RedrawOffScope {
 public:
  // barsOurs: the window's scroll bars are painted from the skin.
  RedrawOffScope(HWND wnd, TsCommonData& data, UINT redrawFlags, bool barsOurs)
      : wnd_(wnd), data_(data), flags_(redrawFlags), barsOurs_(barsOurs) {
    ::SendMessageW(wnd_, WM_SETREDRAW, FALSE, 0);
    data_.SetUpdating(true);
  }
  ~RedrawOffScope() {
    // Redrawing back on, the list box sets its scroll bar with redraw: the
    // platform paints its own bar into the frame then (a millisecond or
    // more), only for the skinned bar to be painted over it as the message
    // ends. With skinned bars the window is kept from drawing for that
    // moment (the platform's WM_SETREDRAW clears its visible bit); the
    // repaint below shows all of it.
    const bool hide = barsOurs_ && (::GetWindowLongPtrW(wnd_, GWL_STYLE) & WS_VISIBLE);
    if (hide) ::DefWindowProcW(wnd_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(wnd_, WM_SETREDRAW, TRUE, 0);
    if (hide && !(::GetWindowLongPtrW(wnd_, GWL_STYLE) & WS_VISIBLE)) ::DefWindowProcW(wnd_, WM_SETREDRAW, TRUE, 0);
    data_.SetUpdating(false);
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
  bool barsOurs_;
};

}  // namespace

TsCustomListBox::TsCustomListBox(TComponent* owner)
    : TsSkinned<TCustomListBox>(owner, COC_TsCustomListBox, "EDIT", "TSCUSTOMLISTBOX") {}

TsCustomListBox::~TsCustomListBox() { TacMainWnd::Free(ListSW); }

bool TsCustomListBox::SkinActive() const { return HandleAllocated() && SkinData->Skinned(true); }

bool TsCustomListBox::BarsSkinned() const {
  const TacEditWnd* adapter = Adapter();
  return adapter && adapter->Scroll() && adapter->Scroll()->BarsSkinned();
}

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
    data.MarkBGCurrent();
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

void TsCustomListBox::TurnWheel(TMessage& m) {
  // Wheel steps queued behind this one (they arrived while the last was
  // handled and painted) go in one turn: a storm of them, from a fast wheel
  // or another program, costs one repaint, and what waits behind them in
  // the queue is not kept waiting. Steps with other keys held stay queued.
  const WORD keys = LOWORD(m.WParam);
  // The sum is held to what scrolls the whole list at one line a step (a
  // platform queue holds some ten thousand messages at most).
  const int64_t limit = (int64_t{Items().Count()} + 1) * WHEEL_DELTA;
  int64_t total = GET_WHEEL_DELTA_WPARAM(m.WParam);
  MSG next;
  for (int taken = 0; taken < 100000 && ::PeekMessageW(&next, handle_, WM_MOUSEWHEEL, WM_MOUSEWHEEL, PM_NOREMOVE) &&
                      LOWORD(next.wParam) == keys;
       ++taken) {
    ::PeekMessageW(&next, handle_, WM_MOUSEWHEEL, WM_MOUSEWHEEL, PM_REMOVE);
    total = std::clamp(total + GET_WHEEL_DELTA_WPARAM(next.wParam), -limit, limit);
  }
  total = std::clamp(total, -limit, limit);
  // A step is a 16-bit count: the sum goes in as many as it takes.
  constexpr int64_t kMaxStep = (SHRT_MAX / WHEEL_DELTA) * WHEEL_DELTA;
  bool first = true;
  do {
    const int64_t step = std::clamp(total, -kMaxStep, kMaxStep);
    total -= step;
    TMessage turn{WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(static_cast<short>(step))), m.LParam, 0};
    // The first goes on as the message itself, down the window's chain.
    TMessage& target = first ? m : turn;
    if (first) m.WParam = turn.WParam;
    first = false;
    TsSkinned<TCustomListBox>::WndProc(target);
  } while (total != 0);
}

void TsCustomListBox::WndProc(TMessage& m) {
  if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_REMOVESKIN) {
    // The manager is already inactive here: this is the unskinned path.
    const bool own = SkinCommandForManager(m, SkinData->SkinManager());
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
        RedrawOffScope off(handle_, *SkinData, RDW_INVALIDATE | RDW_UPDATENOW, BarsSkinned());
        TsSkinned<TCustomListBox>::WndProc(m);
        if (OnScroll) OnScroll(this);
        return;
      }
      break;
    case WM_MOUSEWHEEL:
      if (ready) {
        RedrawOffScope off(handle_, *SkinData, RDW_INVALIDATE | RDW_NOERASE, BarsSkinned());
        TurnWheel(m);
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
      const bool own = SkinCommandForManager(m, SkinData->SkinManager());
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
    SkinData->MarkBGChanged();
    ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  }
}

}  // namespace glyphora
