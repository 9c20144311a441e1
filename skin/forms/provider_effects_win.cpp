// The form provider's extended border and effects: making and dropping the
// border window, keeping it around the form, the client-only region of a
// form inside it, the caption buttons' glows, the background the frame
// image lends to the form's children, and the messages that drive them.
#include <windowsx.h>

#include "framework/application.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_content.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/glow_win.h"
#include "skin/forms/sSkinProvider.h"

namespace glyphora {

bool TsSkinProvider::WantsExtendedBorder() const {
  TsSkinManager* m = SkinData->SkinManager();
  HWND w = Wnd();
  if (!AllowExtBorders || !w || !m || !m->ExtendedBorders() || !FrameSkinned()) return false;
  const LONG style = ::GetWindowLongW(w, GWL_STYLE);
  // Only a top-level form with a frame.
  return !(style & WS_CHILD) && (style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER)) != 0;
}

void TsSkinProvider::SetAllowExtBorders(bool value) {
  if (value == AllowExtBorders) return;
  AllowExtBorders = value;
  CheckExtendedBorder();
}

void TsSkinProvider::CheckExtendedBorder() {
  const bool want = WantsExtendedBorder();
  if (want == (border_ != nullptr)) return;
  if (!want) {
    DropExtendedBorder();
    return;
  }
  border_ = std::make_unique<TacBorderForm>(*this);
  layoutValid_ = false;
  rgnChanged_ = true;
  lastSize_ = {-1, -1};
  SkinData->BGChanged = true;
  DropCaptionGlow();
  if (::IsWindowVisible(Wnd())) PaintFrame();
}

void TsSkinProvider::DropExtendedBorder() {
  if (!border_) return;
  RemoveButtonGlows();
  border_.reset();
  layoutValid_ = false;
  rgnChanged_ = true;
  lastSize_ = {-1, -1};
  SkinData->BGChanged = true;
  DropCaptionGlow();
  HWND w = Wnd();
  if (!w || form_->Destroying()) return;
  if (FrameSkinned()) {
    if (::IsWindowVisible(w)) PaintFrame();
  } else {
    ::SetWindowRgn(w, nullptr, TRUE);
  }
  ::RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

POINT TsSkinProvider::ImageOrigin() {
  RECT r{};
  HWND w = Wnd();
  if (!w || !::GetWindowRect(w, &r)) return POINT{0, 0};
  UpdateLayout();
  if (border_) return POINT{r.left - exLayout_.FormOrigin.X, r.top - exLayout_.FormOrigin.Y};
  return POINT{r.left, r.top};
}

bool TsSkinProvider::OwnsWindow(HWND wnd) const {
  return wnd && (wnd == Wnd() || (border_ && border_->Owns(wnd)));
}

void TsSkinProvider::UpdateExBordersPos(bool redraw, uint8_t blend) {
  HWND w = Wnd();
  if (!border_ || !w || Application()->Terminating() || !FrameSkinned()) return;
  if (!::IsWindowVisible(w) || ::IsIconic(w)) {
    border_->Hide();
    return;
  }
  UpdateLayout();
  if (SkinData->BGChanged || frame_.Width() != layout_.In.Width || frame_.Height() != layout_.In.Height) PaintAll();
  border_->Update(redraw, blend);
}

void TsSkinProvider::AfterWindowPosChanged(const TMessage& m) {
  if (m.Msg != WM_WINDOWPOSCHANGED) return;
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  const UINT flags = pos ? pos->flags : 0;
  // Glows stay where the mouse found their button: a form that moves or
  // changes size drops them.
  RECT r{};
  ::GetWindowRect(Wnd(), &r);
  if (!::EqualRect(&r, &lastWindowRect_)) {
    lastWindowRect_ = r;
    RemoveButtonGlows();
    ClearGlows();
  }
  if (!border_) return;
  if (!(flags & SWP_NOZORDER)) border_->RequireZOrder();
  UpdateExBordersPos(false);
}

void TsSkinProvider::UpdateButtonGlow(TCaptionButtonKind kind, bool hot) {
  TButton& b = buttons_[kind];
  if (!hot) {
    if (b.GlowID >= 0) HideGlow(b.GlowID, &b.GlowID);
    b.GlowID = -1;
    return;
  }
  TsSkinManager* m = SkinData->SkinManager();
  TSkinContent* skin = Content();
  if (!border_ || b.GlowID >= 0 || kind == cbHelp || !m || !skin || !m->AllowGlowing()) return;
  const TsSkinData& d = skin->SkinData;
  const int32_t size = kind == cbClose ? d.BICloseGlow : kind == cbMax ? d.BIMaxGlow : d.BIMinGlow;
  const int32_t margin = kind == cbClose ? d.BICloseGlowMargin : kind == cbMax ? d.BIMaxGlowMargin : d.BIMinGlowMargin;
  if (size <= 0) return;
  const char* name = kind == cbClose ? "BICONCLOSEGLOW" : kind == cbMin ? "BICONMINGLOW" : "BICONMAXGLOW";
  if (kind == cbMax && ::IsZoomed(Wnd())) name = "BICONNORMGLOW";
  const POINT o = ImageOrigin();
  const TRect32& r = layout_.Buttons[kind];
  TGlowRequest q;
  q.R = {o.x + r.Left, o.y + r.Top, o.x + r.Right, o.y + r.Bottom};
  q.RealRect = q.R;
  q.Skin = skin;
  q.Section = "GLOBALINFO";
  q.ImageName = name;
  q.Margin = margin;
  q.Owner = Wnd();
  q.Fit = TGlowFit::AsIs;
  b.GlowID = ShowGlow(q, &b.GlowID);
}

void TsSkinProvider::RemoveButtonGlows() {
  for (int k = 0; k < cbCount; ++k) {
    TButton& b = buttons_[k];
    if (b.GlowID < 0) continue;
    UpdateButtonGlow(static_cast<TCaptionButtonKind>(k), false);
    // The frame kept the normal look under the glow: the button is normal.
    if (b.State == 1) b.State = 0;
    if (hot_ == k && pressed_ == cbCount) hot_ = cbCount;
  }
}

bool TsSkinProvider::AnswerBackground(TMessage& m) {
  auto* info = SkinCommandPointerTrusted() ? reinterpret_cast<TacParentBG*>(m.LParam) : nullptr;
  if (!info) return true;
  m.Result = 1;
  if (!FrameSkinned() || SkinData->CustomColor) {
    SkinData->FillParentBG(*info, 0);
    return true;
  }
  const int state = formActive_ && SkinData->Section() && SkinData->Section()->States > 1 ? 1 : 0;
  const TsStateLook look = SkinData->StateLook(state);
  const bool paint = info->PaintIfMissing && info->DC;
  if (look.Transparency == 0 && look.GradientPercent == 0 && look.ImagePercent == 0) {
    // A plain form: its colour.
    info->Kind = bgkFill;
    info->Color = ColorToRGB(look.Color);
    if (paint) {
      UniqueBrush brush(::CreateSolidBrush(info->Color));
      RECT r{info->R.Left, info->R.Top, info->R.Right, info->R.Bottom};
      ::FillRect(static_cast<HDC>(info->DC), &r, brush.get());
    }
    return true;
  }
  // The frame image holds the form's section (gradient, image) behind the
  // client area: the children paint over it from the client's origin.
  UpdateLayout();
  if ((SkinData->BGChanged && !SkinData->FUpdating) || frame_.Width() != layout_.In.Width ||
      frame_.Height() != layout_.In.Height)
    PaintAll();
  if (frame_.Empty()) {
    info->Kind = bgkFill;
    info->Color = ColorToRGB(look.Color);
    return true;
  }
  info->Kind = bgkCache;
  info->Bmp = &frame_;
  info->Offset = {layout_.Client.Left, layout_.Client.Top};
  if (TsSkinManager* mg = SkinData->SkinManager()) info->Color = mg->GetGlobalColor();
  if (paint && cache_.DC()) {
    ::GdiFlush();
    const TRect32& r = info->R;
    ::BitBlt(static_cast<HDC>(info->DC), r.Left, r.Top, RectWidth(r), RectHeight(r), cache_.DC(),
             r.Left + info->Offset.X, r.Top + info->Offset.Y, SRCCOPY);
  }
  return true;
}

bool TsSkinProvider::HandleEffectsMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONUP:
      // From the border window: the point is hit-tested again here, and
      // the message goes on with the frame's code.
      if (m.WParam == static_cast<WPARAM>(-1) && FrameSkinned()) {
        const int code = HitTestScreen(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        if (code == kHtTransparent || code == kHtNowhere) {
          m.Result = 0;
          return true;
        }
        m.WParam = static_cast<WPARAM>(code);
      }
      return false;
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) == WA_INACTIVE) {
        RemoveButtonGlows();
        ClearGlows();
      }
      return false;
    case WM_SHOWWINDOW:
      if (!m.WParam && border_) {
        RemoveButtonGlows();
        border_->Hide();
      }
      if (m.WParam) CheckExtendedBorder();
      return false;
    case WM_STYLECHANGED:
      formHook_.CallNext(m);
      if (m.WParam == static_cast<WPARAM>(GWL_EXSTYLE)) UpdateExBordersPos(true);
      return true;
    case WM_DESTROY:
      RemoveButtonGlows();
      border_.reset();
      return false;
    default:
      return false;
  }
}

}  // namespace glyphora
