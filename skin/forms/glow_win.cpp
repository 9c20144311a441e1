#include "skin/forms/glow_win.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/application.h"
#include "framework/control.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/effect_math.h"
#include "skin/forms/layered_form_win.h"
#include "skin/paint/nine_slice.h"

namespace glyphora {

namespace {

struct TacGlowEffect {
  std::unique_ptr<TacLayeredForm> Wnd;
  int32_t* IdSlot = nullptr;
};

std::vector<std::unique_ptr<TacGlowEffect>>& Glows() {
  static std::vector<std::unique_ptr<TacGlowEffect>> glows;
  return glows;
}

// Hidden glow windows kept for the next glow: making a window is the
// largest part of showing a glow. A few at most, freed with the registry.
constexpr size_t kSpareWindows = 2;
std::vector<std::unique_ptr<TacLayeredForm>>& SpareWindows() {
  static std::vector<std::unique_ptr<TacLayeredForm>> spare;
  return spare;
}

std::unique_ptr<TacLayeredForm> TakeWindow() {
  auto& spare = SpareWindows();
  if (spare.empty()) return std::make_unique<TacLayeredForm>(kClickThroughExStyle);
  std::unique_ptr<TacLayeredForm> w = std::move(spare.back());
  spare.pop_back();
  return w;
}

void GiveBack(std::unique_ptr<TacGlowEffect> effect) {
  if (!effect || !effect->Wnd) return;
  auto& spare = SpareWindows();
  if (spare.size() >= kSpareWindows || !effect->Wnd->HandleAllocated() || Application()->Terminating()) return;
  ::ShowWindow(effect->Wnd->WindowHandle(), SW_HIDE);
  spare.push_back(std::move(effect->Wnd));
}

// Frame 0 of an image and its pixels' bitmap.
const TBitmap32* GlowSource(const TSkinContent& skin, const TsMaskData& m, TRect32& frame) {
  const TBitmap32* src = m.Bmp ? m.Bmp.get() : &skin.MasterBitmap;
  const int32_t fw = FrameWidth(m), fh = FrameHeight(m);
  if (!src || src->Empty() || fw <= 0 || fh <= 0) return nullptr;
  frame = {m.R.Left, m.R.Top, m.R.Left + fw, m.R.Top + fh};
  return src;
}

// The owner's place in z-order decides the glow's: top-most with a top-most
// owner, else just above the owner.
void PlaceAbove(HWND glow, HWND owner) {
  HWND after = HWND_TOP;
  if (owner && (::GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
    after = HWND_TOPMOST;
  } else if (owner) {
    HWND above = ::GetWindow(owner, GW_HWNDPREV);
    while (above == glow) above = ::GetWindow(above, GW_HWNDPREV);
    after = above ? above : HWND_TOP;
  }
  ::SetWindowPos(glow, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

int32_t ControlGlowHandler(TsCommonData& data, bool show, int32_t id, HWND) {
  if (!show) {
    HideGlow(id, &data.GlowID);
    return -1;
  }
  TControl* c = data.FOwnerControl;
  TsSkinManager* m = data.SkinManager();
  const TsGeneralData* g = data.Section();
  TWinControl* form = c ? c->TopLevel() : nullptr;
  if (!c || !m || !g || !form || !form->HandleAllocated() || !m->AllowGlowing()) return -1;
  // The control's rectangle on screen, and the part of it its parents show.
  const POINT origin = c->ClientToScreen(POINT{0, 0});
  TGlowRequest r;
  r.R = {origin.x, origin.y, origin.x + c->Width(), origin.y + c->Height()};
  r.RealRect = r.R;
  for (TWinControl* p = c->Parent(); p; p = p->Parent()) {
    if (!p->HandleAllocated()) break;
    RECT cr;
    ::GetClientRect(p->WindowHandle(), &cr);
    POINT o{0, 0};
    ::ClientToScreen(p->WindowHandle(), &o);
    r.RealRect = {std::max(r.RealRect.Left, int32_t(o.x)), std::max(r.RealRect.Top, int32_t(o.y)),
                  std::min(r.RealRect.Right, int32_t(o.x + cr.right)),
                  std::min(r.RealRect.Bottom, int32_t(o.y + cr.bottom))};
  }
  if (r.RealRect.Right <= r.RealRect.Left || r.RealRect.Bottom <= r.RealRect.Top) return -1;
  r.Skin = &m->Content();
  r.Section = data.SkinSection();
  r.ImageName = "GLOW";
  r.Margin = g->GlowMargin;
  r.Owner = form->WindowHandle();
  return ShowGlow(r, &data.GlowID);
}

}  // namespace

int32_t ShowGlow(const TGlowRequest& q, int32_t* idSlot) {
  if (!LayeredWindowsAvailable() || !q.Skin) return -1;
  TSkinContent& skin = *q.Skin;
  const int32_t index = skin.GetMaskIndex(q.Section, q.ImageName + "0");
  if (!skin.IsValidImgIndex(index)) return -1;
  const TsMaskData& m = skin.ma[size_t(index)];
  TRect32 frame;
  const TBitmap32* src = GlowSource(skin, m, frame);
  if (!src) return -1;
  TRect32 place;
  TBitmap32 picture;
  if (q.Fit == TGlowFit::AsIs) {
    place = GlowImageRect(q.R, RectWidth(frame), RectHeight(frame), q.Margin);
  } else {
    const TRect32 borders{skin.MaskWidthLeft(index), skin.MaskWidthTop(index), skin.MaskWidthRight(index),
                          skin.MaskWidthBottom(index)};
    place = GlowRect(q.R, borders, q.Margin);
    if (RectWidth(place) > 0 && RectHeight(place) > 0) {
      picture.SetSize(RectWidth(place), RectHeight(place));
      DrawNineSliceImage(&picture, src, {0, 0, picture.Width(), picture.Height()}, true, 1, {1, 1, 1, 1}, borders,
                         borders, frame);
    }
  }
  if (RectWidth(place) <= 0 || RectHeight(place) <= 0) return -1;
  // A partly hidden button shows the glow only on the sides that show.
  TRect32 shown = place;
  if (q.RealRect.Left > q.R.Left) shown.Left = std::max(shown.Left, q.RealRect.Left);
  if (q.RealRect.Top > q.R.Top) shown.Top = std::max(shown.Top, q.RealRect.Top);
  if (q.RealRect.Right < q.R.Right) shown.Right = std::min(shown.Right, q.RealRect.Right);
  if (q.RealRect.Bottom < q.R.Bottom) shown.Bottom = std::min(shown.Bottom, q.RealRect.Bottom);
  if (RectWidth(shown) <= 0 || RectHeight(shown) <= 0) return -1;

  auto effect = std::make_unique<TacGlowEffect>();
  effect->Wnd = TakeWindow();
  effect->IdSlot = idSlot;
  TacLayeredForm& wnd = *effect->Wnd;
  wnd.Proc = [](TMessage& msg) {
    if (msg.Msg != WM_NCHITTEST) return false;
    msg.Result = HTTRANSPARENT;  // the mouse goes through to the button
    return true;
  };
  const TRect32 crop{shown.Left - place.Left, shown.Top - place.Top, shown.Right - place.Left,
                     shown.Bottom - place.Top};
  const bool made = q.Fit == TGlowFit::AsIs
                        ? wnd.SetPicture(*src, {frame.Left + crop.Left, frame.Top + crop.Top,
                                                frame.Left + crop.Right, frame.Top + crop.Bottom})
                        : wnd.SetPicture(picture, crop);
  if (!made || !wnd.Present(POINT{shown.Left, shown.Top}, q.Alpha, false)) {
    GiveBack(std::move(effect));
    return -1;
  }
  PlaceAbove(wnd.WindowHandle(), q.Owner);
  ::ShowWindow(wnd.WindowHandle(), SW_SHOWNOACTIVATE);

  auto& glows = Glows();
  auto free = std::find(glows.begin(), glows.end(), nullptr);
  if (free == glows.end()) free = glows.insert(glows.end(), nullptr);
  *free = std::move(effect);
  return int32_t(free - glows.begin());
}

void HideGlow(int32_t id, const int32_t* idSlot) {
  auto& glows = Glows();
  if (id < 0 || id >= int32_t(glows.size()) || !glows[size_t(id)]) return;
  if (idSlot && glows[size_t(id)]->IdSlot != idSlot) return;
  // Out of the registry first: hiding the window may send messages.
  GiveBack(std::move(glows[size_t(id)]));
}

void ClearGlows() {
  auto& glows = Glows();
  std::vector<std::unique_ptr<TacGlowEffect>> gone;
  for (auto& g : glows) {
    if (!g) continue;
    if (g->IdSlot) *g->IdSlot = -1;
    gone.push_back(std::move(g));
  }
  for (auto& g : gone) GiveBack(std::move(g));
}

void FreeGlowWindows() {
  ClearGlows();
  SpareWindows().clear();
}

int32_t LiveGlows() {
  const auto& glows = Glows();
  return int32_t(std::count_if(glows.begin(), glows.end(), [](const auto& g) { return g != nullptr; }));
}

int32_t GlowSlots() { return int32_t(Glows().size()); }

HWND GlowWindow(int32_t id) {
  const auto& glows = Glows();
  if (id < 0 || id >= int32_t(glows.size()) || !glows[size_t(id)]) return nullptr;
  return glows[size_t(id)]->Wnd->WindowHandle();
}

void InstallControlGlowHandler() { TsCommonData::SetGlowHandler(&ControlGlowHandler); }

}  // namespace glyphora
