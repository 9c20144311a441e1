#include "skin/paint/scroll_wnd_win.h"

#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <optional>

#include "base/color_convert.h"
#include "framework/control.h"
#include "framework/handles.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_content.h"
#include "skin/paint/mask_image.h"
#include "skin/paint/scroll_paint.h"
#include "skin/paint/section_paint_win.h"

namespace glyphora {

namespace {

const wchar_t kProp[] = L"ACSBSC";
constexpr UINT_PTR kFirstTimer = 0xFFFD, kRepeatTimer = 0xFFFE;
constexpr int32_t kMinThumb = 10;
constexpr DWORD kScrollStyles = WS_HSCROLL | WS_VSCROLL;

DWORD StyleBit(int bar) { return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL; }

TScrollState StateOf(const SCROLLINFO& si) { return TScrollState{si.nMin, si.nMax, si.nPage, si.nPos}; }

// Queries that standard windows answer without touching their scroll
// information, in the message ranges below that otherwise may: a list box
// asks itself several of these for every row it paints, so they must cost
// no bar repaint. Sorted, for a binary search.
constexpr UINT kReadOnlyMessages[] = {
    EM_GETSEL, EM_GETRECT, EM_GETMODIFY, EM_GETLINECOUNT, EM_LINEINDEX, EM_GETHANDLE, EM_GETTHUMB,
    EM_LINELENGTH, EM_GETLINE, EM_CANUNDO, EM_LINEFROMCHAR, EM_GETFIRSTVISIBLELINE, EM_GETWORDBREAKPROC,
    EM_GETPASSWORDCHAR, EM_GETMARGINS, EM_GETLIMITTEXT, EM_POSFROMCHAR, EM_CHARFROMPOS,
    CB_GETEDITSEL, CB_GETCOUNT, CB_GETCURSEL, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_FINDSTRING, CB_GETITEMDATA,
    CB_GETDROPPEDCONTROLRECT, CB_GETITEMHEIGHT, CB_GETEXTENDEDUI, CB_GETDROPPEDSTATE, CB_FINDSTRINGEXACT,
    CB_GETLOCALE, CB_GETTOPINDEX, CB_GETHORIZONTALEXTENT, CB_GETDROPPEDWIDTH,
    LB_GETSEL, LB_GETCURSEL, LB_GETTEXT, LB_GETTEXTLEN, LB_GETCOUNT, LB_GETTOPINDEX, LB_FINDSTRING,
    LB_GETSELCOUNT, LB_GETSELITEMS, LB_GETHORIZONTALEXTENT, LB_GETITEMRECT, LB_GETITEMDATA,
    LB_GETANCHORINDEX, LB_GETCARETINDEX, LB_GETITEMHEIGHT, LB_FINDSTRINGEXACT, LB_GETLOCALE, LB_ITEMFROMPOINT,
    // The rich edit's queries.
    EM_CANPASTE, EM_EXGETSEL, EM_EXLINEFROMCHAR, EM_FINDTEXT, EM_GETCHARFORMAT, EM_GETEVENTMASK,
    EM_GETOLEINTERFACE, EM_GETPARAFORMAT, EM_GETSELTEXT, EM_SELECTIONTYPE, EM_GETTEXTRANGE, EM_FINDWORDBREAK,
    EM_GETOPTIONS, EM_FINDTEXTEX, EM_GETWORDBREAKPROCEX, EM_CANREDO, EM_GETUNDONAME, EM_GETREDONAME,
    EM_GETTEXTMODE, EM_GETTEXTEX, EM_GETTEXTLENGTHEX, EM_GETSCROLLPOS, EM_GETZOOM,
};
static_assert(std::is_sorted(std::begin(kReadOnlyMessages), std::end(kReadOnlyMessages)));

// A window may set its scroll information with redraw while it handles one
// of these: the platform then paints its native bar straight into the
// window, without a message and even when nothing changed, so the skinned
// bar is painted again after them. They are the scroll, size, font, text,
// key and button messages, the edit, combo box and list box messages and
// the messages of other classes (WM_USER and up), less the queries above
// and the program's own messages (skin commands and the framework's
// notifications), which the native classes never see.
bool MayRedrawNativeBars(UINT msg) {
  switch (msg) {
    case WM_VSCROLL: case WM_HSCROLL: case WM_SIZE: case WM_WINDOWPOSCHANGED: case WM_SETREDRAW:
    case WM_SETFONT: case WM_KEYDOWN: case WM_CHAR: case WM_SETTEXT: case WM_LBUTTONDOWN:
      return true;
  }
  if (std::binary_search(std::begin(kReadOnlyMessages), std::end(kReadOnlyMessages), msg)) return false;
  if (msg == SM_ALPHACMD || (msg >= CM_BASE && msg <= CN_LAST)) return false;
  return (msg >= 0x00B0 && msg <= 0x00FF) || (msg >= 0x0140 && msg <= 0x01AF) || msg >= WM_USER;
}

// One level of nesting for the length of a scope.
struct DepthScope {
  int& d;
  explicit DepthScope(int& depth) : d(depth) { ++d; }
  ~DepthScope() { --d; }
  DepthScope(const DepthScope&) = delete;
  DepthScope& operator=(const DepthScope&) = delete;
};

bool SameInfo(const SCROLLINFO& a, const SCROLLINFO& b) {
  return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

}  // namespace

TacScrollWnd::TacScrollWnd(HWND wnd, TsSkinManager* manager) : wnd_(wnd), manager_(manager) {
  leftScrollbar_ = (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  const DWORD style = DWORD(::GetWindowLongPtrW(wnd, GWL_STYLE));
  for (int b : {SB_HORZ, SB_VERT}) {
    bars_[b].Styled = (style & StyleBit(b)) != 0;
    ReadInfo(b);
  }
  ::SetPropW(wnd, kProp, this);
  hook_.Proc = [this](TMessage& m) { return Proc(m); };
  hook_.Attach(wnd);
  ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TacScrollWnd::~TacScrollWnd() {
  *alive_ = false;
  if (timer_ && ::IsWindow(wnd_)) ::KillTimer(wnd_, timer_);
  if (::GetCapture() == wnd_ && (trackBar_ >= 0)) ::ReleaseCapture();
  hook_.Detach();
  if (::IsWindow(wnd_)) {
    RemoveOwnProperty();
    ::SetWindowPos(wnd_, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
}

// Another adapter may have set the property since: only our own goes.
void TacScrollWnd::RemoveOwnProperty() {
  if (::GetPropW(wnd_, kProp) == this) ::RemovePropW(wnd_, kProp);
}

bool TacScrollWnd::BarsSkinned() const {
  return manager_ && manager_->Active() && HasScrollBarSections(manager_->Content(), true) &&
         HasScrollBarSections(manager_->Content(), false);
}

TacScrollWnd* TacScrollWnd::Of(HWND wnd) { return static_cast<TacScrollWnd*>(::GetPropW(wnd, kProp)); }

// ---- metrics and geometry ----

int32_t TacScrollWnd::Thickness(int bar) const {
  return ::GetSystemMetrics(bar == SB_HORZ ? SM_CYHSCROLL : SM_CXVSCROLL);
}

int32_t TacScrollWnd::ArrowLength(int bar) const {
  int32_t a = ::GetSystemMetrics(bar == SB_HORZ ? SM_CXHSCROLL : SM_CYVSCROLL);
  if (manager_ && manager_->Active()) {
    const TSkinContent& skin = manager_->Content();
    const int32_t idx = bar == SB_HORZ ? skin.ConstData.IndexScrollLeft : skin.ConstData.IndexScrollTop;
    const int32_t mask = bar == SB_HORZ ? skin.ConstData.MaskScrollLeft : skin.ConstData.MaskScrollTop;
    if (skin.IsValidSkinIndex(idx) && skin.gd[size_t(idx)].ReservedBoolean && skin.IsValidImgIndex(mask))
      a = std::max(a, bar == SB_HORZ ? FrameWidth(skin.ma[size_t(mask)]) : FrameHeight(skin.ma[size_t(mask)]));
  }
  return a;
}

RECT TacScrollWnd::BarRect(int bar) const {
  RECT w{};
  if (!bars_[bar].Visible || !::GetWindowRect(wnd_, &w)) return RECT{};
  const RECT inner{w.left + edges_.left, w.top + edges_.top, w.right - edges_.right, w.bottom - edges_.bottom};
  const int32_t hThick = Thickness(SB_HORZ), vThick = Thickness(SB_VERT);
  if (bar == SB_VERT) {
    RECT r = inner;
    if (leftScrollbar_) r.right = r.left + vThick; else r.left = r.right - vThick;
    if (bars_[SB_HORZ].Visible) r.bottom -= hThick;
    return r;
  }
  RECT r = inner;
  r.top = r.bottom - hThick;
  if (bars_[SB_VERT].Visible) {
    if (leftScrollbar_) r.left += vThick; else r.right -= vThick;
  }
  return r;
}

int32_t TacScrollWnd::BarLength(int bar) const {
  const RECT r = BarRect(bar);
  return bar == SB_HORZ ? r.right - r.left : r.bottom - r.top;
}

int32_t TacScrollWnd::AlongIn(int bar, POINT p) const {
  const RECT r = BarRect(bar);
  return bar == SB_HORZ ? p.x - r.left : p.y - r.top;
}

bool TacScrollWnd::Active(int bar) const {
  if (!bars_[bar].Styled || !::IsWindowEnabled(wnd_)) return false;
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetScrollBarInfo(wnd_, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info)) return true;
  // A bar disabled as a whole (EnableScrollBar with both arrows off) is
  // reported by some platforms through its two arrows only.
  const bool bothArrowsOff = (info.rgstate[1] & info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) != 0;
  return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0 && !bothArrowsOff;
}

bool TacScrollWnd::ReadInfo(int bar) {
  SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
  if (!::GetScrollInfo(wnd_, bar, &si)) si = SCROLLINFO{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
  const bool changed = !SameInfo(si, bars_[bar].Info);
  bars_[bar].Info = si;
  return changed;
}

bool TacScrollWnd::InfoChanged() {
  bool changed = false;
  for (int b : {SB_HORZ, SB_VERT})
    if (bars_[b].Visible) changed |= ReadInfo(b);
  return changed;
}

void TacScrollWnd::UpdateScrollBars(bool repaint) {
  ReadInfo(SB_HORZ);
  ReadInfo(SB_VERT);
  if (repaint && ::IsWindowVisible(wnd_)) NcPaintScrollBars(nullptr);
}

// ---- layout ----

void TacScrollWnd::CallWithoutScrollStyles(TMessage& m) {
  const LONG_PTR style = ::GetWindowLongPtrW(wnd_, GWL_STYLE);
  if (!(style & kScrollStyles) || preventStyleChange_) {
    hook_.CallNext(m);
    return;
  }
  // The platform lays out and paints native bars by the style bits alone:
  // without them it leaves the bars' space and pixels to us.
  preventStyleChange_ = true;
  ::SetWindowLongPtrW(wnd_, GWL_STYLE, style & ~LONG_PTR(kScrollStyles));
  hook_.CallNext(m);
  ::SetWindowLongPtrW(wnd_, GWL_STYLE, style);
  preventStyleChange_ = false;
}

void TacScrollWnd::NcCalcSize(TMessage& m) {
  RECT* r = reinterpret_cast<RECT*>(m.LParam);
  const RECT proposed = *r;
  CallWithoutScrollStyles(m);
  layoutSkinned_ = true;
  edges_ = RECT{r->left - proposed.left, r->top - proposed.top, proposed.right - r->right, proposed.bottom - r->bottom};
  const DWORD style = DWORD(::GetWindowLongPtrW(wnd_, GWL_STYLE));
  for (int b : {SB_VERT, SB_HORZ}) {
    TBar& bar = bars_[b];
    bar.Styled = (style & StyleBit(b)) != 0;
    const int32_t t = Thickness(b);
    bar.Visible = bar.Styled && (b == SB_VERT ? r->right - r->left >= t : r->bottom - r->top >= t);
    if (!bar.Visible) continue;
    if (b == SB_HORZ) r->bottom -= t;
    else if (leftScrollbar_) r->left += t;
    else r->right -= t;
  }
}

LRESULT TacScrollWnd::HitTest(POINT p) const {
  for (int b : {SB_HORZ, SB_VERT}) {
    const RECT r = BarRect(b);
    if (bars_[b].Visible && ::PtInRect(&r, p)) return Active(b) ? (b == SB_HORZ ? HTHSCROLL : HTVSCROLL) : HTNOWHERE;
  }
  return -1;
}

// ---- painting ----

void TacScrollWnd::PaintBar(HDC dc, int bar) {
  TBar& b = bars_[bar];
  if (!dc || !b.Visible || !manager_ || !manager_->Active()) return;
  const TSkinContent& skin = manager_->Content();
  const bool horz = bar == SB_HORZ;
  if (!HasScrollBarSections(skin, horz)) return;
  const RECT sr = BarRect(bar);
  const int32_t w = sr.right - sr.left, h = sr.bottom - sr.top, len = horz ? w : h;
  if (len <= 1 || !b.Surface.SetSize(w, h)) return;
  ++paintCount_;
  RECT wr;
  ::GetWindowRect(wnd_, &wr);
  // The window's own background, from its client origin to the bar.
  TacParentBG info;
  bool please = false;
  RequestWindowBG(info, wnd_, please);
  TCacheInfo ci = ParentBGToCacheInfo(info);
  POINT client{0, 0};
  ::ClientToScreen(wnd_, &client);
  ci.X += sr.left - client.x;
  ci.Y += sr.top - client.y;

  const int32_t a = ArrowLength(bar);
  const TScrollState s = StateOf(b.Info);
  const bool active = Active(bar);
  const bool mine = trackBar_ == bar;
  TScrollBarLook look;
  look.Horizontal = horz;
  const int32_t d = int64_t{2} * a < len ? a : len / 2;
  look.Btn1End = d;
  look.Btn2Start = len - d;
  look.Split = len / 2;
  if (int64_t{2} * a < len) {
    TWndThumb t = WndThumbGeometry(len, a, s, kMinThumb);
    if (dragging_ && mine) t = TWndThumb{a + dragThumbOffset_, dragThumbLength_, true};
    look.Thumb = active && t.Shown;
    look.ThumbStart = t.Start;
    look.ThumbLength = t.Length;
    if (t.Length > 0) look.Split = t.Start + t.Length / 2;
    auto state = [&](int part) {
      if (mine && shownPart_ == part) return 2;
      if (dragging_ && mine && part == sbpThumb) return 2;
      return hotBar_ == bar && hotPart_ == part && !dragging_ ? 1 : 0;
    };
    look.Btn1State = state(sbpLineUp);
    look.Btn2State = state(sbpLineDown);
    look.ThumbState = state(sbpThumb);
    look.Bar1State = mine && shownPart_ == sbpPageUp ? 2 : 0;
    look.Bar2State = mine && shownPart_ == sbpPageDown ? 2 : 0;
  }
  TBitmap32& bmp = b.Surface.Pixels();
  PaintScrollBarLook(skin, &bmp, ci, look);
  if (!active) FadeInactiveBar(&bmp, ci);
  b.Surface.CopyTo(dc, sr.left - wr.left, sr.top - wr.top);
}

void TacScrollWnd::PaintCorner(HDC dc) {
  if (!bars_[SB_HORZ].Visible || !bars_[SB_VERT].Visible || !manager_ || !manager_->Active()) return;
  const RECT h = BarRect(SB_HORZ), v = BarRect(SB_VERT);
  RECT wr;
  ::GetWindowRect(wnd_, &wr);
  const int32_t w = v.right - v.left, ht = h.bottom - h.top;
  if (!corner_.SetSize(w, ht)) return;
  TacParentBG info;
  bool please = false;
  RequestWindowBG(info, wnd_, please);
  const TCacheInfo ci = ParentBGToCacheInfo(info);
  TBitmap32& bmp = corner_.Pixels();
  POINT client{0, 0};
  ::ClientToScreen(wnd_, &client);
  const int32_t x = ci.X + v.left - client.x, y = ci.Y + h.top - client.y;
  bool filled = false;
  if (ci.Ready && ci.Bmp && x >= 0 && y >= 0 && x + w <= ci.Bmp->Width() && y + ht <= ci.Bmp->Height()) {
    for (int32_t j = 0; j < ht; ++j)
      std::copy_n(ci.Bmp->ScanLine(y + j) + x, w, bmp.ScanLine(j));
    filled = true;
  }
  if (!filled) {
    const TColor c = ColorToRGB(ci.FillColor);
    bmp.Fill(0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF));
  }
  // A window in the bottom-right corner of a top-level window's client area
  // shows the size grip there.
  HWND parent = ::GetParent(wnd_);
  RECT pc;
  if (parent && !(::GetWindowLongPtrW(parent, GWL_STYLE) & WS_CHILD) && ::GetClientRect(parent, &pc)) {
    POINT br{pc.right, pc.bottom};
    ::ClientToScreen(parent, &br);
    const TSkinContent& skin = manager_->Content();
    const int32_t grip = skin.GetMaskIndex(skin.ConstData.IndexGLobalInfo, "GLOBALINFO", "GRIPIMAGE");
    if (br.x == wr.right && br.y == wr.bottom && skin.IsValidImgIndex(grip)) {
      const TsMaskData& m = skin.ma[size_t(grip)];
      DrawMaskImage(&bmp, w - FrameWidth(m), ht - FrameHeight(m), 0, CacheInfoOf(&bmp, 0, 0), m, 1);
    }
  }
  corner_.CopyTo(dc, v.left - wr.left, h.top - wr.top);
}

void TacScrollWnd::NcPaintScrollBars(HDC dc) {
  if (!BarsSkinned() || !::IsWindowVisible(wnd_)) return;
  std::optional<WindowDC> own;
  if (!dc) own.emplace(wnd_, TDcArea::Whole);
  HDC target = dc ? dc : own->get();
  if (!target) return;
  // Painting asks the window for its background: those messages are
  // inside this paint, not ones to paint after.
  DepthScope depth(depth_);
  for (int b : {SB_HORZ, SB_VERT}) {
    ReadInfo(b);
    PaintBar(target, b);
  }
  PaintCorner(target);
  barsStale_ = false;
}

// ---- mouse ----

void TacScrollWnd::SendScroll(int code, int32_t pos) {
  const UINT msg = trackBar_ == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
  const LPARAM ask = MAKELONG(code, msg);
  if (SendSkinCommand(wnd_, SKC_BEFORESCROLL, ask) != 1) {
    if (code == SB_THUMBTRACK) {
      // Windows that read the position back while tracking find it here.
      SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, pos, 0};
      ::SetScrollInfo(wnd_, trackBar_, &si, FALSE);
    }
    ::SendMessageW(wnd_, msg, MAKEWPARAM(code, std::clamp<int32_t>(pos, 0, 0xFFFF)), 0);
  }
  SendSkinCommand(wnd_, SKC_AFTERSCROLL, ask);
}

void TacScrollWnd::Press(int bar, POINT p) {
  ReadInfo(bar);
  const int32_t len = BarLength(bar), a = ArrowLength(bar);
  const TScrollState s = StateOf(bars_[bar].Info);
  const int part = WndPartAt(len, a, s, kMinThumb, AlongIn(bar, p));
  if (part == sbpNone) return;
  trackBar_ = bar;
  clickedPart_ = part;
  SetHot(-1, sbpNone);
  ::SetCapture(wnd_);
  if (part == sbpThumb) {
    const TWndThumb t = WndThumbGeometry(len, a, s, kMinThumb);
    dragging_ = true;
    dragThumbLength_ = t.Length;
    dragThumbOffset_ = t.Start - a;
    mouseToThumb_ = AlongIn(bar, p) - t.Start;
    lastPos_ = s.Pos;
    NcPaintScrollBars(nullptr);
    return;
  }
  shownPart_ = part;
  SendScroll(part, 0);
  timer_ = ::SetTimer(wnd_, kFirstTimer, kFirstDelay, nullptr) ? kFirstTimer : 0;
  NcPaintScrollBars(nullptr);
}

void TacScrollWnd::TrackMouse(POINT p) {
  const int bar = trackBar_;
  const int32_t len = BarLength(bar), a = ArrowLength(bar);
  if (dragging_) {
    const int32_t track = len - 2 * a;
    dragThumbOffset_ = std::clamp(AlongIn(bar, p) - mouseToThumb_ - a, 0, std::max(0, track - dragThumbLength_));
    const int32_t pos = WndDragPosition(dragThumbOffset_, track, dragThumbLength_, StateOf(bars_[bar].Info));
    {
      WindowDC dc(wnd_, TDcArea::Whole);
      PaintBar(dc.get(), bar);
    }
    if (pos != lastPos_) {
      lastPos_ = pos;
      SendScroll(SB_THUMBTRACK, pos);
    }
    return;
  }
  // The held part shows pressed (and repeats) only while the mouse is on it.
  // Screen coordinates throughout, so bars left of the screen's origin work.
  const int part = WndPartAt(len, a, StateOf(bars_[bar].Info), kMinThumb, AlongIn(bar, p));
  RECT r = BarRect(bar);
  const bool across = bar == SB_HORZ ? (p.y >= r.top && p.y < r.bottom) : (p.x >= r.left && p.x < r.right);
  const int shown = across && part == clickedPart_ ? clickedPart_ : sbpNone;
  if (shown != shownPart_) {
    shownPart_ = shown;
    NcPaintScrollBars(nullptr);
  }
}

void TacScrollWnd::RepeatTick() {
  POINT p;
  ::GetCursorPos(&p);
  ReadInfo(trackBar_);
  TrackMouse(p);
  if (shownPart_ != sbpNone) SendScroll(shownPart_, 0);
}

void TacScrollWnd::Finish(bool released) {
  if (trackBar_ < 0) return;
  if (timer_) ::KillTimer(wnd_, timer_);
  timer_ = 0;
  if (released && ::GetCapture() == wnd_) {
    const int bar = trackBar_;
    trackBar_ = -1;  // the capture change that follows is ours
    ::ReleaseCapture();
    trackBar_ = bar;
  }
  if (dragging_) {
    SendScroll(SB_THUMBPOSITION, lastPos_);
    dragging_ = false;
    SendScroll(SB_ENDSCROLL, lastPos_);
  } else {
    SendScroll(SB_ENDSCROLL, 0);
  }
  trackBar_ = -1;
  clickedPart_ = shownPart_ = sbpNone;
  NcPaintScrollBars(nullptr);
}

void TacScrollWnd::SetHot(int bar, int part) {
  if (bar == hotBar_ && part == hotPart_) return;
  hotBar_ = bar;
  hotPart_ = part;
  NcPaintScrollBars(nullptr);
}

// ---- messages ----

void TacScrollWnd::AfterMessage(UINT msg) {
  if (dragging_) return;
  if (MayRedrawNativeBars(msg)) barsStale_ = true;
  // A message handled inside another one of this window (a list box asks
  // itself for its count, top row, rectangles and selection while it
  // paints) paints nothing: the outermost one paints once when it ends,
  // when a message may have painted the native bars or the range, page or
  // position changed.
  if (depth_ > 0) return;
  if (InfoChanged() || barsStale_) NcPaintScrollBars(nullptr);
}

bool TacScrollWnd::CallNextCounted(TMessage& m) {
  // The window's handling may free this adapter (a control whose skin goes
  // frees its adapters): then nothing of it is touched afterwards.
  const std::shared_ptr<const bool> alive = alive_;
  ++depth_;
  try {
    hook_.CallNext(m);
  } catch (...) {
    if (*alive) --depth_;
    throw;
  }
  if (!*alive) return false;
  --depth_;
  return true;
}

bool TacScrollWnd::Proc(TMessage& m) {
  if (m.Msg == WM_NCDESTROY) {
    hook_.CallNext(m);
    RemoveOwnProperty();
    return true;
  }
  if (m.Msg == SM_ALPHACMD) {
    if (!CallNextCounted(m)) return true;
    // The bars' space is reserved by the frame's layout: a new skin that
    // brings scroll-bar sections, or takes them away, lays the frame out
    // again at once, not at the window's next frame change.
    if (BarsSkinned() != layoutSkinned_ && ::IsWindow(wnd_))
      ::SetWindowPos(wnd_, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
  }
  // Without an active skin the window keeps its native bars.
  if (!BarsSkinned()) {
    if (m.Msg == WM_NCCALCSIZE) layoutSkinned_ = false;
    return false;
  }
  switch (m.Msg) {
    case WM_NCCALCSIZE:
      NcCalcSize(m);
      return true;
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
      if (preventStyleChange_) {
        m.Result = 0;
        return true;
      }
      if (m.Msg == WM_STYLECHANGED && m.WParam == WPARAM(GWL_EXSTYLE))
        leftScrollbar_ = (reinterpret_cast<STYLESTRUCT*>(m.LParam)->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
      return false;
    case WM_NCHITTEST: {
      const LRESULT ht = HitTest(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
      if (ht < 0) return false;
      m.Result = ht;
      return true;
    }
    case WM_NCPAINT:
      CallWithoutScrollStyles(m);
      NcPaintScrollBars(nullptr);
      return true;
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: {
      if (m.WParam != HTHSCROLL && m.WParam != HTVSCROLL) return false;
      // The press may be made up by another program: only a shown, active
      // bar under the point is operated, and never the platform's own
      // tracking of the hidden native bar.
      const int bar = m.WParam == HTHSCROLL ? SB_HORZ : SB_VERT;
      const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      const RECT r = BarRect(bar);
      if (trackBar_ < 0 && bars_[bar].Visible && ::PtInRect(&r, p) && Active(bar)) Press(bar, p);
      m.Result = 0;
      return true;
    }
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP: case WM_NCMBUTTONDBLCLK:
      if (m.WParam != HTHSCROLL && m.WParam != HTVSCROLL) return false;
      m.Result = 0;
      return true;
    case WM_SYSCOMMAND:
      if ((m.WParam & 0xFFF0) != SC_VSCROLL && (m.WParam & 0xFFF0) != SC_HSCROLL) return false;
      m.Result = 0;
      return true;
    case WM_MOUSEMOVE:
      if (trackBar_ < 0) {
        if (CallNextCounted(m)) AfterMessage(m.Msg);
        return true;
      }
      {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ::ClientToScreen(wnd_, &p);
        TrackMouse(p);
      }
      m.Result = 0;
      return true;
    case WM_LBUTTONUP:
      if (trackBar_ < 0) return false;
      Finish(true);
      m.Result = 0;
      return true;
    case WM_CAPTURECHANGED:
      // Losing the capture in the middle of a press ends it: no repeat
      // goes on scrolling without the mouse.
      if (trackBar_ >= 0 && reinterpret_cast<HWND>(m.LParam) != wnd_) Finish(false);
      return false;
    case WM_TIMER:
      if (m.WParam == kFirstTimer && timer_ == kFirstTimer) {
        // The first repeat comes when the first delay is over, the next ones
        // at the repeat interval.
        ::KillTimer(wnd_, kFirstTimer);
        timer_ = ::SetTimer(wnd_, kRepeatTimer, kRepeatDelay, nullptr) ? kRepeatTimer : 0;
        RepeatTick();
        m.Result = 0;
        return true;
      }
      if (m.WParam == kRepeatTimer && timer_ == kRepeatTimer) {
        RepeatTick();
        m.Result = 0;
        return true;
      }
      return false;
    case WM_NCMOUSEMOVE: {
      const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      int bar = m.WParam == HTHSCROLL ? SB_HORZ : m.WParam == HTVSCROLL ? SB_VERT : -1;
      int part = sbpNone;
      if (bar >= 0) {
        ReadInfo(bar);
        part = WndPartAt(BarLength(bar), ArrowLength(bar), StateOf(bars_[bar].Info), kMinThumb, AlongIn(bar, p));
        if (!trackingLeave_) trackingLeave_ = TrackMouseLeave(wnd_, true);
      }
      // Painted only when the hot part changes: a resting mouse costs nothing.
      if (trackBar_ < 0) SetHot(part == sbpNone ? -1 : bar, part);
      return false;
    }
    case WM_NCMOUSELEAVE:
      trackingLeave_ = false;
      SetHot(-1, sbpNone);
      return false;
    default:
      break;
  }
  // After the window's own handling, a changed range or position (a wheel
  // turn, keys, text added) repaints the bars.
  if (CallNextCounted(m)) AfterMessage(m.Msg);
  return true;
}

}  // namespace glyphora
