#include "framework/richedit.h"

#include <richedit.h>

#include <cwchar>
#include <thread>

namespace glyphora {

namespace {
// The text limit: as good as none (the control's default is 32,767 characters).
constexpr LPARAM kRichEditTextLimit = 0x7FFFFFF0;

void LoadRichEditLibrary() {
  static HMODULE lib = ::LoadLibraryW(L"Msftedit.dll");
  (void)lib;
}
}  // namespace

void PreloadRichEditLibrary() {
  // The loader serialises this with the window's own load: whichever comes
  // second finds the library loaded or waits for it.
  std::thread([] { LoadRichEditLibrary(); }).detach();
}

int TRichEditLines::Count() const {
  HWND w = edit_->Handle();
  int n = static_cast<int>(::SendMessageW(w, EM_GETLINECOUNT, 0, 0));
  // A final empty line after the last line break is not a line of text.
  if (n > 0 && ::SendMessageW(w, EM_LINELENGTH, ::SendMessageW(w, EM_LINEINDEX, n - 1, 0), 0) == 0) --n;
  return n;
}

std::wstring TRichEditLines::Get(int index) const {
  HWND w = edit_->Handle();
  LRESULT start = ::SendMessageW(w, EM_LINEINDEX, index, 0);
  if (start < 0) return {};
  LRESULT len = ::SendMessageW(w, EM_LINELENGTH, start, 0);
  std::wstring s(static_cast<size_t>(len) + 2, L'\0');
  *reinterpret_cast<WORD*>(s.data()) = static_cast<WORD>(s.size());
  LRESULT got = ::SendMessageW(w, EM_GETLINE, index, reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(got));
  while (!s.empty() && (s.back() == L'\r' || s.back() == L'\n')) s.pop_back();
  return s;
}

int TRichEditLines::AddObject(const std::wstring& s, void*) {
  HWND w = edit_->Handle();
  GETTEXTLENGTHEX gl{GTL_NUMCHARS | GTL_PRECISE, 1200};
  LRESULT end = ::SendMessageW(w, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl), 0);
  int index = Count();
  std::wstring text = s + L"\r";
  ::SendMessageW(w, EM_SETSEL, end, end);
  ::SendMessageW(w, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  return index;
}

void TRichEditLines::Clear() { edit_->SetText(L""); }

void TRichEditLines::Delete(int index) {
  HWND w = edit_->Handle();
  LRESULT start = ::SendMessageW(w, EM_LINEINDEX, index, 0);
  if (start < 0) return;
  LRESULT next = ::SendMessageW(w, EM_LINEINDEX, index + 1, 0);
  if (next < 0) next = start + ::SendMessageW(w, EM_LINELENGTH, start, 0);
  ::SendMessageW(w, EM_SETSEL, start, next);
  ::SendMessageW(w, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
}

TRichEdit::TRichEdit(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TRichEditLines>(this)) {
  width_ = 185;
  height_ = 89;
}

void TRichEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  LoadRichEditLibrary();
  p.NativeClass = MSFTEDIT_CLASS;
  p.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_NOHIDESEL;
  if (ScrollBars == TScrollStyle::ssVertical || ScrollBars == TScrollStyle::ssBoth) p.Style |= WS_VSCROLL;
  if (ScrollBars == TScrollStyle::ssHorizontal || ScrollBars == TScrollStyle::ssBoth) p.Style |= WS_HSCROLL;
  if (!WordWrap) p.Style |= ES_AUTOHSCROLL;
}

void TRichEdit::InitializeWnd() {
  ::SendMessageW(handle_, EM_SETBKGNDCOLOR, 0, ColorToRGB(color_));
  ::SendMessageW(handle_, EM_EXLIMITTEXT, 0, kRichEditTextLimit);
  ApplyFont();
}

void TRichEdit::ApplyFont() {
  if (!handle_) return;
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  int h = font_.Height();
  // Twips from the size in points, not from the pixel height: a whole point
  // size rounds to its pixel height and back exactly, while pixels times 15
  // would lose the rounding (13 points are 17 pixels, 255 twips instead of
  // 260). A positive height is the cell height, about 4/3 of the size.
  cf.yHeight = h < 0 ? font_.Size() * 20 : MulDiv(h, 1440, 96) * 3 / 4;
  cf.bCharSet = font_.Charset();
  cf.crTextColor = ColorToRGB(font_.Color());
  unsigned st = font_.Style();
  cf.dwEffects = (st & fsBold ? CFE_BOLD : 0) | (st & fsItalic ? CFE_ITALIC : 0) |
                 (st & fsUnderline ? CFE_UNDERLINE : 0) | (st & fsStrikeOut ? CFE_STRIKEOUT : 0);
  wcsncpy(cf.szFaceName, font_.Name().c_str(), LF_FACESIZE - 1);
  // The default format for new text and the format of all existing text: the
  // sample carries no formatting of its own.
  ::SendMessageW(handle_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  ::SendMessageW(handle_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

void TRichEdit::WndProc(TMessage& m) {
  if (m.Msg == WM_GETDLGCODE) {
    // The platform control asks for Tab; unless it should insert tab
    // characters, Tab moves the focus on as in every other control.
    DefaultHandler(m);
    if (!WantTabs) m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    return;
  }
  TCustomEdit::WndProc(m);
}

void TRichEdit::FontChanged() {
  ApplyFont();
  TControl::FontChanged();
}

void TRichEdit::ColorChanged() {
  if (handle_) ::SendMessageW(handle_, EM_SETBKGNDCOLOR, 0, ColorToRGB(color_));
  TCustomEdit::ColorChanged();
}

}  // namespace glyphora
