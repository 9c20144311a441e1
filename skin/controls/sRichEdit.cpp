#include "skin/controls/sRichEdit.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/core/sSkinManager.h"

namespace glyphora {

namespace {

// Edits whose window is re-created once the broadcast that removed the
// skin has returned: never while the window's own procedure is on the
// stack (the platform would return into a destroyed window's subclass
// data). A thread timer, outside every window procedure, does it.
std::vector<TsRichEdit*>& PendingRecreation() {
  static std::vector<TsRichEdit*> pending;
  return pending;
}
UINT_PTR g_recreateTimer = 0;

DWORD CALLBACK StreamOutToString(DWORD_PTR cookie, LPBYTE buf, LONG size, LONG* written) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buf), size_t(size));
  *written = size;
  return 0;
}

struct ReadCursor {
  const std::string* text;
  size_t pos;
};

DWORD CALLBACK StreamInFromString(DWORD_PTR cookie, LPBYTE buf, LONG size, LONG* read) {
  auto* c = reinterpret_cast<ReadCursor*>(cookie);
  const size_t n = std::min(size_t(size), c->text->size() - c->pos);
  std::memcpy(buf, c->text->data() + c->pos, n);
  c->pos += n;
  *read = LONG(n);
  return 0;
}

// Per channel (a * 127 + b * 129) / 256: about halfway, leaning to b.
TColor HalfwayColor(TColor a, TColor b) {
  const uint32_t x = ColorToRGB(a), y = ColorToRGB(b);
  uint32_t out = 0;
  for (int s = 0; s < 24; s += 8) out |= ((((x >> s) & 0xFF) * 127 + ((y >> s) & 0xFF) * 129) >> 8) << s;
  return TColor(out);
}

}  // namespace

void CALLBACK TsRichEdit::RecreatePending(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  g_recreateTimer = 0;
  std::vector<TsRichEdit*> edits;
  edits.swap(PendingRecreation());
  for (TsRichEdit* e : edits)
    if (e->HandleAllocated() && !e->Destroying() && !e->SkinData->Skinned(true)) e->RecreateWnd();
}

TsRichEdit::TsRichEdit(TComponent* owner) : TsSkinned<TRichEdit>(owner, COC_TsRichEdit, "EDIT", "TSRICHEDIT") {}

TsRichEdit::~TsRichEdit() {
  auto& pending = PendingRecreation();
  pending.erase(std::remove(pending.begin(), pending.end(), this), pending.end());
  // The adapter lets go of the window before the window is destroyed.
  TacMainWnd::Free(ListSW);
}

void TsRichEdit::CreateWnd() {
  TsSkinned<TRichEdit>::CreateWnd();
  AttachAdapter();
}

void TsRichEdit::InitializeWnd() {
  TsSkinned<TRichEdit>::InitializeWnd();
  if (!hasSavedRtf_) return;
  // The previous window's text, with its formatting, into the new one.
  ReadCursor cursor{&savedRtf_, 0};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cursor), 0, StreamInFromString};
  ::SendMessageW(handle_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
  savedRtf_.clear();
  hasSavedRtf_ = false;
}

void TsRichEdit::FontChanged() {
  if (HandleAllocated() && font_.Name() == appliedName_ && font_.Height() == appliedHeight_ &&
      font_.Style() == appliedStyle_) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = ColorToRGB(font_.Color());
    ::SendMessageW(handle_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    ::SendMessageW(handle_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    TControl::FontChanged();
    return;
  }
  appliedName_ = font_.Name();
  appliedHeight_ = font_.Height();
  appliedStyle_ = font_.Style();
  TsSkinned<TRichEdit>::FontChanged();
}

void TsRichEdit::AttachAdapter() {
  if (!HandleAllocated() || Destroying()) return;
  AttachEditAdapter(*SkinData, handle_, ListSW);
}

void TsRichEdit::SetDefaultTextColor(TColor color) {
  if (!HandleAllocated()) return;
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_COLOR;
  cf.crTextColor = ColorToRGB(color);
  ::SendMessageW(handle_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
}

void TsRichEdit::ApplyEnabledColors() {
  const TsGeneralData* g = SkinData->Section();
  if (!g || SkinData->CustomColor || !SkinData->Skinned()) return;
  SetColor(g->Color);
  const TColor fc = enabled_ ? g->FontColor.Color : HalfwayColor(g->FontColor.Color, color_);
  if (font_.Color() != fc) font_.SetColor(fc);
  SetDefaultTextColor(fc);
  SkinData->Invalidate();
}

void TsRichEdit::WndProc(TMessage& m) {
  if (m.Msg == WM_DESTROY && !Destroying() && HandleAllocated()) {
    // The window goes but the control stays: keep text and formatting.
    savedRtf_.clear();
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&savedRtf_), 0, StreamOutToString};
    ::SendMessageW(handle_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    hasSavedRtf_ = true;
  }
  if (m.Msg == SM_ALPHACMD) {
    const bool own = SkinCommandForManager(m, SkinData->SkinManager());
    switch (SkinCommandCode(m.WParam)) {
      case SKC_REMOVESKIN:
        if (!own || Destroying()) break;
        TacMainWnd::Free(ListSW);
        TsSkinned<TRichEdit>::WndProc(m);
        SetDefaultTextColor(font_.Color());
        // A new window: the platform's frame, bars and colours exactly.
        if (HandleAllocated()) {
          auto& pending = PendingRecreation();
          if (std::find(pending.begin(), pending.end(), this) == pending.end()) pending.push_back(this);
          if (!g_recreateTimer) g_recreateTimer = ::SetTimer(nullptr, 0, 0, RecreatePending);
        }
        return;
      case SKC_SETNEWSKIN:
      case SKC_REFRESH:
        TsSkinned<TRichEdit>::WndProc(m);
        if (!own) return;
        if (!SkinData->CustomFont && SkinData->Section()) SetDefaultTextColor(SkinData->Section()->FontColor.Color);
        AttachAdapter();
        if (ListSW) static_cast<TacEditWnd*>(ListSW.get())->PaintFrame();
        return;
      case SKC_GETDISABLEDKIND:
        if (SkinCommandFromProgram(m))
          if (auto* kind = reinterpret_cast<uint8_t*>(m.LParam)) *kind = DisabledKind;
        m.Result = 1;
        return;
    }
  }
  TsSkinned<TRichEdit>::WndProc(m);
  switch (m.Msg) {
    case CM_ENABLEDCHANGED:
      ApplyEnabledColors();
      break;
    case CM_SHOWINGCHANGED:
      AttachAdapter();
      break;
    case EM_STREAMIN:
      if (ListSW) static_cast<TacEditWnd*>(ListSW.get())->PaintFrame();
      break;
  }
}

}  // namespace glyphora
