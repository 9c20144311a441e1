#include "framework/stdctrls.h"

#include <algorithm>

namespace glyphora {

// ------------------------------------------------------------------ edit

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  tabStop_ = true;
  color_ = clWindow;
  width_ = 121;
  height_ = 21;
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = L"EDIT";
  p.Style |= ES_AUTOHSCROLL | ES_LEFT;
  AddBorder(p, BorderStyle == TBorderStyle::bsSingle);
}

std::wstring TCustomEdit::Text() const {
  if (!handle_) return caption_;
  int n = static_cast<int>(::SendMessageW(handle_, WM_GETTEXTLENGTH, 0, 0));
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = ::GetWindowTextW(handle_, s.data(), n + 1);
  s.resize(static_cast<size_t>(std::max(n, 0)));
  return s;
}

void TCustomEdit::SetText(const std::wstring& text) {
  caption_ = text;
  if (handle_) ::SetWindowTextW(handle_, text.c_str());
  Perform(CM_TEXTCHANGED);
}

int TCustomEdit::SelStart() const {
  DWORD start = 0;
  if (handle_) ::SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

int TCustomEdit::SelLength() const {
  DWORD start = 0, end = 0;
  if (handle_) ::SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSel(int start, int length) {
  if (handle_) ::SendMessageW(handle_, EM_SETSEL, start, start + length);
}

void TCustomEdit::SelectAll() {
  if (handle_) ::SendMessageW(handle_, EM_SETSEL, 0, -1);
}

void TCustomEdit::CopyToClipboard() {
  if (handle_) ::SendMessageW(handle_, WM_COPY, 0, 0);
}

// -------------------------------------------------------------- list box

HWND TListBoxStrings::Wnd() const { return box_->Handle(); }

int TListBoxStrings::Count() const {
  return static_cast<int>(::SendMessageW(Wnd(), LB_GETCOUNT, 0, 0));
}

std::wstring TListBoxStrings::Get(int index) const {
  HWND w = Wnd();
  LRESULT len = ::SendMessageW(w, LB_GETTEXTLEN, index, 0);
  if (len == LB_ERR) return {};
  std::wstring s(static_cast<size_t>(len) + 1, L'\0');
  len = ::SendMessageW(w, LB_GETTEXT, index, reinterpret_cast<LPARAM>(s.data()));
  s.resize(len == LB_ERR ? 0 : static_cast<size_t>(len));
  return s;
}

void* TListBoxStrings::Objects(int index) const {
  LRESULT d = ::SendMessageW(Wnd(), LB_GETITEMDATA, index, 0);
  return d == LB_ERR ? nullptr : reinterpret_cast<void*>(d);
}

int TListBoxStrings::AddObject(const std::wstring& s, void* object) {
  HWND w = Wnd();
  LRESULT i = ::SendMessageW(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (i < 0) return -1;
  ::SendMessageW(w, LB_SETITEMDATA, i, reinterpret_cast<LPARAM>(object));
  return static_cast<int>(i);
}

void TListBoxStrings::Clear() { ::SendMessageW(Wnd(), LB_RESETCONTENT, 0, 0); }

void TListBoxStrings::Delete(int index) { ::SendMessageW(Wnd(), LB_DELETESTRING, index, 0); }

void TListBoxStrings::BeginUpdate() {
  if (updating_++ == 0) ::SendMessageW(Wnd(), WM_SETREDRAW, FALSE, 0);
}

void TListBoxStrings::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0) {
    ::SendMessageW(Wnd(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(Wnd(), nullptr, TRUE);
  }
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TListBoxStrings>(this)) {
  tabStop_ = true;
  color_ = clWindow;
  width_ = 121;
  height_ = 97;
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = L"LISTBOX";
  p.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
  if (sorted_) p.Style |= LBS_SORT;
  if (!IntegralHeight) p.Style |= LBS_NOINTEGRALHEIGHT;
  if (Style == TListBoxStyle::lbOwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED;
  if (Style == TListBoxStyle::lbOwnerDrawVariable) p.Style |= LBS_OWNERDRAWVARIABLE;
  AddBorder(p, BorderStyle == TBorderStyle::bsSingle);
}

void TCustomListBox::SaveItems() {
  auto saved = std::make_unique<SavedItems>();
  const int n = static_cast<int>(::SendMessageW(handle_, LB_GETCOUNT, 0, 0));
  saved->items.reserve(static_cast<size_t>(std::max(n, 0)));
  for (int i = 0; i < n; ++i) saved->items.emplace_back(items_->Get(i), items_->Objects(i));
  saved->itemIndex = ItemIndex();
  saved->topIndex = TopIndex();
  saved_ = std::move(saved);
}

void TCustomListBox::InitializeWnd() {
  TWinControl::InitializeWnd();
  if (!saved_) return;
  std::unique_ptr<SavedItems> saved = std::move(saved_);
  const auto& [selText, selObject] = saved->itemIndex >= 0 && saved->itemIndex < static_cast<int>(saved->items.size())
                                         ? saved->items[static_cast<size_t>(saved->itemIndex)]
                                         : std::pair<std::wstring, void*>{};
  int selected = -1;
  ::SendMessageW(handle_, LB_INITSTORAGE, saved->items.size(), 0);
  items_->BeginUpdate();
  for (size_t i = 0; i < saved->items.size(); ++i) {
    const int at = items_->AddObject(saved->items[i].first, saved->items[i].second);
    if (static_cast<int>(i) == saved->itemIndex) selected = at;
    else if (selected >= at) ++selected;  // a sorted insert before the selection moves it down
  }
  items_->EndUpdate();
  if (selected >= 0 && Items().Objects(selected) == selObject && Items().Get(selected) == selText)
    SetItemIndex(selected);
  ::SendMessageW(handle_, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(saved->topIndex, 0)), 0);
}

int TCustomListBox::ItemIndex() const {
  if (!handle_) return -1;
  LRESULT i = ::SendMessageW(handle_, LB_GETCURSEL, 0, 0);
  return i == LB_ERR ? -1 : static_cast<int>(i);
}

void TCustomListBox::SetItemIndex(int index) { ::SendMessageW(Handle(), LB_SETCURSEL, index, 0); }

int TCustomListBox::TopIndex() const {
  return handle_ ? static_cast<int>(::SendMessageW(handle_, LB_GETTOPINDEX, 0, 0)) : 0;
}

void TCustomListBox::SetItemHeight(int height) {
  if (height <= 0) return;
  height = std::min(height, kMaxItemHeight);
  itemHeight_ = height;
  if (handle_) {
    ::SendMessageW(handle_, LB_SETITEMHEIGHT, 0, height);
    ::InvalidateRect(handle_, nullptr, TRUE);
  }
}

void TCustomListBox::SetSorted(bool value) {
  if (value == sorted_) return;
  sorted_ = value;
  RecreateWnd();
}

RECT TCustomListBox::ItemRect(int index) const {
  RECT r{};
  if (handle_) ::SendMessageW(handle_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TCustomListBox::DrawItem(int index, const RECT& rect, unsigned state, HDC dc) {
  TCanvas canvas(dc);
  bool selected = state & odSelected;
  canvas.FillRect(rect, selected ? clHighlight : color_);
  if (index >= 0 && index < Items().Count())
    canvas.TextOut(rect.left + 2, rect.top, Items().Get(index), font_, selected ? clHighlightText : font_.Color());
}

void TCustomListBox::TypeAhead(wchar_t ch) {
  DWORD now = ::GetTickCount();
  if (now - lastKeyTime_ > AutoCompleteDelay) typed_.clear();
  lastKeyTime_ = now;
  typed_ += ch;
  LRESULT i = ::SendMessageW(handle_, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(typed_.c_str()));
  if (i != LB_ERR && i != ItemIndex()) {
    SetItemIndex(static_cast<int>(i));
    Click();
  }
}

void TCustomListBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_DESTROY:
      if (!Destroying()) SaveItems();
      break;
    case LB_SETITEMHEIGHT:
      // From anyone, another program included: held to what Windows allows
      // (Wine takes up to 65535), and kept for the next window.
      if (LOWORD(m.LParam) > kMaxItemHeight) m.LParam = kMaxItemHeight;
      DefaultHandler(m);
      if (m.Result != LB_ERR && LOWORD(m.LParam) > 0 && (m.WParam == 0 || Style != TListBoxStyle::lbOwnerDrawVariable))
        itemHeight_ = LOWORD(m.LParam);
      return;
    case CN_COMMAND:
      if (HIWORD(m.WParam) == LBN_SELCHANGE) Click();
      else if (HIWORD(m.WParam) == LBN_DBLCLK && OnDblClick) OnDblClick(this);
      return;
    case CN_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      unsigned state = 0;
      if (d->itemState & ODS_SELECTED) state |= odSelected;
      if (d->itemState & ODS_FOCUS) state |= odFocused;
      if (d->itemState & ODS_DISABLED) state |= odDisabled;
      DrawItem(static_cast<int>(d->itemID), d->rcItem, state, d->hDC);
      m.Result = TRUE;
      return;
    }
    case CN_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      int h = itemHeight_;
      MeasureItem(static_cast<int>(mi->itemID), h);
      mi->itemHeight = static_cast<UINT>(h);
      m.Result = TRUE;
      return;
    }
    case WM_CHAR:
      // Printable characters extend the type-ahead search; the platform's
      // own one-letter search is replaced.
      if (m.WParam >= 32 && sorted_) {
        TypeAhead(static_cast<wchar_t>(m.WParam));
        m.Result = 0;
        return;
      }
      break;
    case WM_GETDLGCODE:
      DefaultHandler(m);
      m.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
  }
  TWinControl::WndProc(m);
}

// ------------------------------------------------------------- scroll bar

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  tabStop_ = true;
  width_ = 121;
  height_ = 17;
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = L"SCROLLBAR";
  p.Style |= Kind == TScrollBarKind::sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::InitializeWnd() {
  SCROLLINFO si{sizeof(si), SIF_ALL, min_, max_, static_cast<UINT>(pageSize_), position_, 0};
  ::SetScrollInfo(handle_, SB_CTL, &si, FALSE);
}

void TScrollBar::SetParams(int position, int min, int max) {
  if (max < min) max = min;
  position = std::clamp(position, min, max);
  bool changed = position != position_;
  min_ = min;
  max_ = max;
  position_ = position;
  if (handle_) {
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_POS, min_, max_, 0, position_, 0};
    ::SetScrollInfo(handle_, SB_CTL, &si, TRUE);
  }
  if (changed && !Loading()) Change();
}

void TScrollBar::SetPageSize(int v) {
  pageSize_ = std::max(v, 0);
  if (handle_) {
    SCROLLINFO si{sizeof(si), SIF_PAGE, 0, 0, static_cast<UINT>(pageSize_), 0, 0};
    ::SetScrollInfo(handle_, SB_CTL, &si, TRUE);
  }
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(int code, int trackPos) {
  // In 64 bits and clamped: the range may span every int.
  int64_t pos = position_;
  switch (code) {
    case SB_LINELEFT: pos -= SmallChange; break;
    case SB_LINERIGHT: pos += SmallChange; break;
    case SB_PAGELEFT: pos -= LargeChange; break;
    case SB_PAGERIGHT: pos += LargeChange; break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: pos = trackPos; break;
    case SB_LEFT: pos = min_; break;
    case SB_RIGHT: pos = max_; break;
    default: return;
  }
  SetPosition(int(std::clamp<int64_t>(pos, min_, max_)));
}

void TScrollBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    int trackPos = 0;
    int code = LOWORD(m.WParam);
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
      SCROLLINFO si{sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
      ::GetScrollInfo(handle_, SB_CTL, &si);
      trackPos = si.nTrackPos;
    }
    Scroll(code, trackPos);
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}

// ------------------------------------------------------------ TButton

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  tabStop_ = true;
  width_ = 75;
  height_ = 25;
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = L"BUTTON";
  p.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Click();
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}

// ------------------------------------------------------------ TGroupBox

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  width_ = 185;
  height_ = 105;
}

void TGroupBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = L"BUTTON";
  p.Style |= BS_GROUPBOX;
}

}  // namespace glyphora
