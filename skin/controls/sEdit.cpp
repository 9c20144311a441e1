#include "skin/controls/sEdit.h"

#include <algorithm>
#include <optional>

#include "framework/handles.h"
#include "skin/core/sSkinManager.h"
#include "skin/paint/corner_refresh_win.h"
#include "skin/paint/section_paint_win.h"
#include "skin/paint/section_text_win.h"
#include "skin/paint/skin_data_paint_win.h"

namespace glyphora {

bool TsEdit::SkinActive() const { return HandleAllocated() && SkinData->Skinned(true); }

int TsEdit::FrameWidth() const { return HandleAllocated() ? WindowFrameWidth(handle_) : 0; }

void TsEdit::PrepareCache() {
  TsCommonData& d = *SkinData;
  const TsGeneralData* g = d.Section();
  const bool hot = d.IsHot() && g && g->States > 1;
  if (!PaintSectionIntoCache(d, hot ? 1 : 0)) return;
  HDC dc = d.CacheDC();
  const int b = FrameWidth();
  std::wstring text = Text();
  if (const DWORD pw = DWORD(::SendMessageW(handle_, EM_GETPASSWORDCHAR, 0, 0))) {
    const wchar_t shown = pw == L'*' ? L'\x25CF' : wchar_t(pw);
    text.assign(text.size(), shown);
  }
  const LONG_PTR style = ::GetWindowLongPtrW(handle_, GWL_STYLE);
  UINT align = DT_LEFT;
  if (style & ES_RIGHT) align = DT_RIGHT;
  else if (style & ES_CENTER) align = DT_CENTER;
  {
    SelectGuard font(dc, font_.Handle());
    DrawSectionText(dc, text, true, hot, d, align | DT_EXPANDTABS | DT_SINGLELINE | DT_NOPREFIX,
                    TRect32{b + 1, b + 1, width_ - b, height_ - b});
  }
  ::GdiFlush();
  if (!enabled_) ApplyDisabledKind(d.CachePixels(), DisabledKind, d.GetBGColor(0), 0, 0, OwnerBackground(d));
  d.MarkBGCurrent();
}

void TsEdit::PaintFrame() {
  if (!SkinActive() || FormAnimationRunning() || SkinData->Updating()) return;
  WindowDC dc(handle_, TDcArea::Whole);
  if (!dc.get()) return;
  if (SkinData->BGChanged) PrepareCache();
  HDC cache = SkinData->CacheDC();
  if (!cache) return;
  RefreshBorderCorners(*SkinData, 0);
  CopyDcFrame(dc.get(), 0, 0, width_, height_, cache, 0, 0, FrameWidth());
  ++framePaints_;
}

void TsEdit::PaintDisabled(HDC given) {
  std::optional<PaintScope> paint;
  if (!given) paint.emplace(handle_);
  HDC dc = given ? given : paint->dc();
  if (!dc || SkinData->Updating()) return;
  if (SkinData->BGChanged || SkinData->HalfVisible) PrepareCache();
  HDC cache = SkinData->CacheDC();
  if (!cache) return;
  RefreshBorderCorners(*SkinData, 0);
  // The client DC's origin is the client area's: the cache starts at the frame.
  const int b = FrameWidth();
  ::BitBlt(dc, -b, -b, width_, height_, cache, 0, 0, SRCCOPY);
}

void TsEdit::WndProc(TMessage& m) {
  if (SkinActive()) {
    switch (m.Msg) {
      case WM_NCPAINT:
        // The platform's frame is never drawn while skinned.
        PaintFrame();
        m.Result = 0;
        return;
      case WM_PAINT:
        if (FormAnimationRunning() || SkinData->Updating()) {
          PaintScope validate(handle_);
          m.Result = 0;
          return;
        }
        if (!enabled_) {
          PaintDisabled(reinterpret_cast<HDC>(m.WParam));
          m.Result = 0;
          return;
        }
        break;
      case WM_ERASEBKGND:
        if (FormAnimationRunning() || SkinData->Updating() || !enabled_) {
          m.Result = 1;
          return;
        }
        break;
      case WM_PRINT: {
        // The DC's origin is the window's corner (the client's without
        // PRF_NONCLIENT); the caller's origin is kept.
        const HDC dc = reinterpret_cast<HDC>(m.WParam);
        m.Result = 0;
        if (!dc || ((m.LParam & PRF_CHECKVISIBLE) && !::IsWindowVisible(handle_))) return;
        SkinData->SetUpdating(false);
        PrepareCache();
        RefreshBorderCorners(*SkinData, 0);
        const bool frame = (m.LParam & PRF_NONCLIENT) != 0;
        const int b = FrameWidth();
        RECT cr;
        ::GetClientRect(handle_, &cr);
        if (HDC cache = SkinData->CacheDC()) {
          if (frame) ::BitBlt(dc, 0, 0, width_, height_, cache, 0, 0, SRCCOPY);
          else ::BitBlt(dc, 0, 0, cr.right, cr.bottom, cache, b, b, SRCCOPY);
        }
        if (enabled_ && (m.LParam & PRF_CLIENT)) {
          const LPARAM flags = m.LParam & ~LPARAM(PRF_NONCLIENT | PRF_CHECKVISIBLE);
          PrintClientAt(dc, frame ? b : 0, frame ? b : 0, cr.right, cr.bottom, [&](HDC into) {
            TMessage client{WM_PRINT, reinterpret_cast<WPARAM>(into), flags, 0};
            TsSkinned<TEdit>::WndProc(client);
          });
        }
        return;
      }
      case SM_ALPHACMD:
        if (SkinCommandCode(m.WParam) == SKC_ISBGDEPENDENT) {
          m.Result = 0;
          return;
        }
        break;
    }
  }
  TsSkinned<TEdit>::WndProc(m);
  if (m.Msg == SM_ALPHACMD && SkinCommandCode(m.WParam) == SKC_REFRESH && SkinActive() && Visible() &&
      !FormAnimationRunning() && SkinCommandForManager(m, SkinData->SkinManager())) {
    ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    return;
  }
  if (!SkinActive() || Loading()) return;
  switch (m.Msg) {
    case WM_SIZE:
      SkinData->MarkBGChanged();
      PaintFrame();
      break;
    case WM_KILLFOCUS:
    case CM_EXIT:
      SkinData->FFocused = SkinData->FMouseAbove = false;
      SkinData->MarkBGChanged();
      PaintFrame();
      break;
    case WM_SETTEXT:
    case WM_SETFONT:
    case CM_TEXTCHANGED:
    case CM_VISIBLECHANGED:
      SkinData->MarkBGChanged();
      PaintFrame();
      break;
    case CM_ENABLEDCHANGED:
      SkinData->MarkBGChanged();
      ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      break;
    case CM_COLORCHANGED:
      if (SkinData->CustomColor) SkinData->MarkBGChanged();
      break;
  }
}

}  // namespace glyphora
