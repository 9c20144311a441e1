#include "skin/paint/control_adapter_win.h"


#include <algorithm>
#include <vector>

#include "framework/control.h"
#include "framework/focus_window.h"
#include "framework/handles.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_commands.h"
#include "skin/core/skin_content.h"
#include "skin/paint/control_section.h"
#include "skin/paint/disabled_look.h"
#include "skin/paint/scroll_wnd_win.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/section_paint_win.h"
#include "skin/paint/skin_data_paint_win.h"

namespace glyphora {

namespace {

const wchar_t kProp[] = L"ACADAPTER";

// Adapter procedures running now, and adapters waiting for them to return.
int g_procDepth = 0;
int g_live = 0, g_made = 0;
std::vector<std::unique_ptr<TacMainWnd>>& Graveyard() {
  static std::vector<std::unique_ptr<TacMainWnd>> dead;
  return dead;
}
UINT_PTR g_flushTimer = 0;

void FlushGraveyard() {
  if (g_procDepth > 0) return;
  // Freeing one may run window procedures that defer more: take them all.
  while (!Graveyard().empty()) {
    auto dead = std::move(Graveyard());
    Graveyard().clear();
    dead.clear();
  }
}

void CALLBACK FlushTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  if (g_procDepth > 0) return;  // a modal loop inside a procedure: later
  ::KillTimer(nullptr, id);
  if (id == g_flushTimer) g_flushTimer = 0;
  FlushGraveyard();
}

// SetWindowTheme looked up at run time: visual styles may be missing.
using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
SetWindowThemeFn ThemeSetter() {
  static SetWindowThemeFn fn = [] {
    HMODULE m = ::LoadLibraryW(L"uxtheme.dll");
    return m ? reinterpret_cast<SetWindowThemeFn>(reinterpret_cast<void*>(::GetProcAddress(m, "SetWindowTheme")))
             : nullptr;
  }();
  return fn;
}

std::string DefaultSection(const std::string& section) { return section.empty() ? std::string("EDIT") : section; }

TWinControl* ControlOf(const TsCommonData& data) { return dynamic_cast<TWinControl*>(data.FOwnerControl); }

}  // namespace

int AdapterCategoryOfClass(const TsSkinManager& manager, const std::wstring& className) {
  // Exact, case-sensitive: a descendant class is not its ancestor.
  for (int i = 0; i < ThirdListCount; ++i) {
    const auto& list = manager.ThirdLists[size_t(i)];
    if (std::find(list.begin(), list.end(), className) != list.end()) return i;
  }
  return -1;
}

// ------------------------------------------------------------ TacMainWnd

TacMainWnd::TacMainWnd(HWND wnd, TsSkinManager* manager, TsCommonData* skinData, const std::string& section,
                       bool dialog)
    : wnd_(wnd), manager_(manager), skinData_(skinData), dlgMode_(dialog) {
  ++g_live;
  ++g_made;
  if (!skinData_) {
    ownSkinData_ = std::make_unique<TsCommonData>(nullptr, COC_TsAdapter, "", true);
    skinData_ = ownSkinData_.get();
    skinData_->SetSkinSection(DefaultSection(section));
  } else if (skinData_->SkinSection().empty() || skinData_->SkinSection() == "UNKNOWN") {
    skinData_->SetSkinSection(DefaultSection(section));
  }
  if (manager_) skinData_->SetSkinManager(manager_);
  else manager_ = skinData_->SkinManager();
  if (ownSkinData_) skinData_->UpdateIndexes();
}

void TacMainWnd::Init() {
  if (ThemeSetter() && skinData_->SkinSection() != "DIALOG" && !dlgMode_) {
    ThemeSetter()(wnd_, L"", L"");
    themeOff_ = true;
  }
  SaveStdParams();
  paramsChanged_ = false;
  const int len = ::GetWindowTextLengthW(wnd_);
  caption_.assign(size_t(std::max(len, 0)) + 1, L'\0');
  caption_.resize(size_t(::GetWindowTextW(wnd_, caption_.data(), len + 1)));
  ::SetPropW(wnd_, kProp, this);
  hook_.Proc = [this](TMessage& m) { return Dispatch(m); };
  hook_.Attach(wnd_);
}

TacMainWnd::~TacMainWnd() {
  Detach();
  --g_live;
}

void TacMainWnd::Detach() {
  if (destroyed_) return;
  destroyed_ = true;
  hook_.Detach();
  if (::IsWindow(wnd_)) {
    if (::GetPropW(wnd_, kProp) == this) ::RemovePropW(wnd_, kProp);
    RestoreStdParams();
    if (themeOff_ && ThemeSetter()) ThemeSetter()(wnd_, nullptr, nullptr);
  }
}

void TacMainWnd::Free(std::unique_ptr<TacMainWnd>& adapter) {
  if (!adapter) return;
  if (g_procDepth == 0) {
    adapter.reset();
    return;
  }
  // The adapter's own procedure (or another that called into this) is on
  // the stack: the window gets its procedure back now, the memory later.
  adapter->Detach();
  Graveyard().push_back(std::move(adapter));
  if (!g_flushTimer) g_flushTimer = ::SetTimer(nullptr, 0, 0, FlushTimerProc);
}

int TacMainWnd::LiveCount() { return g_live; }
int TacMainWnd::MadeCount() { return g_made; }

TacMainWnd* TacMainWnd::Of(HWND wnd) { return static_cast<TacMainWnd*>(::GetPropW(wnd, kProp)); }

bool TacMainWnd::Skinned() const { return manager_ && manager_->Active() && skinData_->Skinned(); }

bool TacMainWnd::Dispatch(TMessage& m) {
  if (g_procDepth == 0 && !Graveyard().empty()) FlushGraveyard();
  struct Depth {
    Depth() { ++g_procDepth; }
    ~Depth() { --g_procDepth; }
  } depth;
  if (m.Msg == WM_NCDESTROY) {
    // The window's last message: everything below sees it, then the
    // adapter lets go (its hook already has).
    CallPrev(m);
    Detach();
    return true;
  }
  return acWndProc(m);
}

void TacPaintedWnd::Init() {
  TacMainWnd::Init();
  if (::IsWindowVisible(wnd_)) ::InvalidateRect(wnd_, nullptr, FALSE);
}

bool TacPaintedWnd::PaintMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (m.WParam) {
        Paint(reinterpret_cast<HDC>(m.WParam));
      } else {
        PaintScope paint(wnd_);
        if (paint.dc() && ::IsWindowVisible(wnd_)) Paint(paint.dc());
      }
      break;
    case WM_PRINTCLIENT:
    case WM_PRINT:
      if (m.WParam) Paint(reinterpret_cast<HDC>(m.WParam));
      break;
    default:
      return false;
  }
  m.Result = 0;
  return true;
}

bool TacMainWnd::acWndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_DESTROY:
      skinData_->RemoveGlow();
      CallPrev(m);
      return true;
    case WM_UPDATEUISTATE:
      m.Result = 0;
      return true;
    case WM_SIZE:
      skinData_->MarkBGChanged();
      return false;
    case WM_SETTEXT: {
      CallPrev(m);
      const int len = ::GetWindowTextLengthW(wnd_);
      caption_.assign(size_t(std::max(len, 0)) + 1, L'\0');
      caption_.resize(size_t(::GetWindowTextW(wnd_, caption_.data(), len + 1)));
      return true;
    }
    case WM_MOUSEMOVE:
      if (TsSkinManager* d = TsSkinManager::DefaultManager(); d && ::IsWindowEnabled(wnd_) && d->ActiveControl() != wnd_)
        d->ChangeActiveControl(wnd_);
      return false;
  }
  if (m.Msg != SM_ALPHACMD) return false;
  const bool own = SkinCommandForManager(m, manager_);
  switch (SkinCommandCode(m.WParam)) {
    case SKC_CTRLHANDLED:
      m.Result = 1;
      return true;
    case SKC_SETNEWSKIN:
      if (!own) return false;
      skinData_->UpdateIndexes();
      skinData_->MarkBGChanged();
      paramsChanged_ = false;
      return false;
    case SKC_REMOVESKIN:
      if (own) RestoreStdParams();
      return false;
    case SKC_REFRESH:
      if (!own) return false;
      skinData_->UpdateIndexes();
      skinData_->MarkBGChanged();
      skinData_->SetUpdating(false);
      paramsChanged_ = false;
      if (::IsWindowVisible(wnd_)) ::RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      m.Result = 0;
      return true;
    case SKC_ISUPDATING:
      m.Result = skinData_->Updating() ? 1 : 0;
      return true;
    case SKC_PREPARECACHE:
      PrepareCache();
      m.Result = 1;
      return true;
    case SKC_GETCOLOR:
      CallPrev(m);
      if (m.Result == 0) m.Result = LRESULT(skinData_->GetBGColor(0, wnd_));
      return true;
    case SKC_GETBG:
      if (!SkinCommandFromProgram(m) || ControlOf(*skinData_)) return false;
      if (auto* info = reinterpret_cast<TacParentBG*>(m.LParam)) {
        skinData_->FillParentBG(*info, 0, wnd_);
        m.Result = 1;
      }
      return true;
  }
  return false;
}

void TacMainWnd::PrepareCache() {
  TsCommonData& d = *skinData_;
  if (!d.BGChanged || !Skinned()) return;
  const TsGeneralData* g = d.Section();
  int state = 0;
  if (ControlOf(d)) state = d.IsHot() && g && g->States > 1 ? 1 : 0;
  else state = FocusWindow() == wnd_ && g && g->States > 1 ? 1 : 0;
  if (PaintSectionOverParent(state)) d.MarkBGCurrent();
}

bool TacMainWnd::PaintSectionOverParent(int state, TCacheInfo* behind) {
  TsCommonData& d = *skinData_;
  if (!Skinned()) return false;
  RECT wr;
  if (!::GetWindowRect(wnd_, &wr)) return false;
  if (TWinControl* control = ControlOf(d)) {
    if (!PaintSectionIntoCache(d, state)) return false;
    const TCacheInfo ci = OwnerBackground(d);
    if (behind) *behind = ci;
    if (!control->Enabled()) ApplyDisabledKind(d.CachePixels(), DefaultDisabledKind, d.GetBGColor(0), 0, 0, ci);
    return true;
  }
  // A window of others: its section over what its parent window shows.
  if (!d.FCacheBmp) d.FCacheBmp = std::make_unique<TDibBitmap>();
  d.FCacheBmp->SetSize(wr.right - wr.left, wr.bottom - wr.top);
  TBitmap32* px = d.CachePixels();
  if (!px || px->Empty()) return false;
  POINT pos{wr.left, wr.top};
  HWND parent = ::GetParent(wnd_);
  if (parent) ::ScreenToClient(parent, &pos);
  TacParentBG bg;
  bool please = false;
  if (parent) RequestWindowBG(bg, parent, please);
  const TCacheInfo ci = ParentBGToCacheInfo(bg);
  if (behind) *behind = MovedCacheInfo(ci, {pos.x, pos.y});
  ::GdiFlush();
  PaintControlSection(SectionDataOf(d), ci, false, px, {pos.x, pos.y}, {0, 0, px->Width(), px->Height()}, state);
  return true;
}

// ------------------------------------------------------------ TacEditWnd

TacEditWnd::TacEditWnd(HWND wnd, TsSkinManager* manager, TsCommonData* skinData, const std::string& section,
                       bool dialog)
    : TacMainWnd(wnd, manager, skinData, section, dialog) {}

void TacEditWnd::Init() {
  // The bars hook first, so the frame painting below sees every message
  // before them and paints frame and bars together.
  scroll_ = std::make_unique<TacScrollWnd>(wnd_, manager_);
  TacMainWnd::Init();
  ::SetWindowPos(wnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TacEditWnd::~TacEditWnd() {
  // Unhook before the bars go, so the frame the bars' adapter asks the
  // window to repaint is the platform's own.
  Detach();
  scroll_.reset();
}

int TacEditWnd::FrameWidth() const { return WindowFrameWidth(wnd_); }

void TacEditWnd::SaveStdParams() {
  if (TWinControl* c = ControlOf(*skinData_)) {
    stdColor_ = c->Color();
    stdFontColor_ = c->Font().Color();
    saved_ = true;
  }
}

void TacEditWnd::RestoreStdParams() {
  TWinControl* c = ControlOf(*skinData_);
  if (::IsWindowVisible(wnd_))
    ::SetWindowPos(wnd_, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (c && saved_ && !c->Destroying()) {
    c->SetColor(stdColor_);
    c->Font().SetColor(stdFontColor_);
  }
}

void TacEditWnd::SetSkinParams() {
  TsCommonData& d = *skinData_;
  TWinControl* c = ControlOf(d);
  const TsGeneralData* g = d.Section();
  if (!c || !g || !Skinned()) return;
  const bool wasUpdating = d.FUpdating;
  d.SetUpdating(true);
  const bool hot = d.IsHot() && g->States > 1;
  if (!d.CustomColor) {
    const TColor col = d.GetBGColor(hot ? 1 : 0);
    if (c->Color() != col) c->SetColor(col);
  }
  if (!d.CustomFont) {
    const TColor fc = hot ? g->HotFontColor.Color : g->FontColor.Color;
    if (c->Font().Color() != fc) c->Font().SetColor(fc);
  }
  d.MarkBGChanged();
  d.SetUpdating(wasUpdating);
  paramsChanged_ = true;
}

void TacEditWnd::PaintFrame() {
  if (!Skinned() || !::IsWindowVisible(wnd_) || FormAnimationRunning() || skinData_->FUpdating) return;
  // The DC goes back to the window however painting ends.
  WindowDC dc(wnd_, TDcArea::Whole);
  if (!dc.get()) return;
  if (skinData_->BGChanged) {
    if (!paramsChanged_) SetSkinParams();
    PrepareCache();
  }
  ++framePaints_;
  if (scroll_) scroll_->NcPaintScrollBars(dc.get());
  RECT wr;
  ::GetWindowRect(wnd_, &wr);
  if (HDC cache = skinData_->CacheDC())
    CopyDcFrame(dc.get(), 0, 0, wr.right - wr.left, wr.bottom - wr.top, cache, 0, 0, FrameWidth());
}

void TacEditWnd::Print(TMessage& m) {
  m.Result = 0;
  const HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (!dc || ((m.LParam & PRF_CHECKVISIBLE) && !::IsWindowVisible(wnd_))) return;
  RECT wr;
  if (!::GetWindowRect(wnd_, &wr)) return;
  // The caller's origin is the window's top-left corner: frame and bars go
  // there, the client goes where it lies inside the frame.
  if (m.LParam & PRF_NONCLIENT) {
    if (skinData_->BGChanged) PrepareCache();
    if (scroll_) scroll_->NcPaintScrollBars(dc);
    if (HDC cache = skinData_->CacheDC())
      CopyDcFrame(dc, 0, 0, wr.right - wr.left, wr.bottom - wr.top, cache, 0, 0, FrameWidth());
  }
  if (!(m.LParam & (PRF_CLIENT | PRF_ERASEBKGND))) return;
  POINT client{0, 0};
  if (m.LParam & PRF_NONCLIENT) {
    ::ClientToScreen(wnd_, &client);
    client.x -= wr.left;
    client.y -= wr.top;
  }
  RECT cr;
  ::GetClientRect(wnd_, &cr);
  const LPARAM flags = m.LParam & ~LPARAM(PRF_NONCLIENT | PRF_CHECKVISIBLE);
  PrintClientAt(dc, client.x, client.y, cr.right, cr.bottom, [&](HDC into) {
    // The rich edit prints only its formatting rectangle: the margin
    // around it gets the background the window paints on screen.
    if (flags & PRF_ERASEBKGND) {
      const TWinControl* c = ControlOf(*skinData_);
      FillDcRect(into, {0, 0, cr.right, cr.bottom}, c ? c->Color() : skinData_->GetBGColor(0, wnd_));
    }
    TMessage inner{WM_PRINT, reinterpret_cast<WPARAM>(into), flags, 0};
    CallPrev(inner);
  });
}

bool TacEditWnd::acWndProc(TMessage& m) {
  if (!Skinned()) return TacMainWnd::acWndProc(m);
  switch (m.Msg) {
    case WM_NCPAINT:
      // The platform's frame is never drawn: frame and bars from the skin.
      PaintFrame();
      m.Result = 0;
      return true;
    case WM_PAINT:
    case WM_ERASEBKGND:
      if (!paramsChanged_) SetSkinParams();
      return false;
    case WM_SIZE:
      skinData_->MarkBGChanged();
      CallPrev(m);
      PaintFrame();
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      CallPrev(m);
      const TsGeneralData* g = skinData_->Section();
      if (g && g->States > 1) {
        skinData_->FFocused = m.Msg == WM_SETFOCUS;
        skinData_->MarkBGChanged();
        paramsChanged_ = false;
        PaintFrame();
      }
      return true;
    }
    case WM_ENABLE:
      CallPrev(m);
      skinData_->MarkBGChanged();
      PaintFrame();
      return true;
    case WM_PRINT:
      Print(m);
      return true;
  }
  return TacMainWnd::acWndProc(m);
}

void AttachEditAdapter(TsCommonData& skinData, HWND wnd, std::unique_ptr<TacMainWnd>& adapter) {
  // Making an adapter lays the window's frame out again; the control sees
  // those messages and may ask for its adapter once more before the slot
  // holds the one being made. That one is the answer: without this each
  // such call made another adapter inside the last, dozens deep.
  static std::vector<HWND> making;
  if (std::find(making.begin(), making.end(), wnd) != making.end()) return;
  if (adapter && (adapter->Destroyed() || adapter->Window() != wnd)) TacMainWnd::Free(adapter);
  if (!skinData.Skinned() || !wnd || !::IsWindow(wnd)) {
    TacMainWnd::Free(adapter);
    return;
  }
  if (adapter) return;
  making.push_back(wnd);
  struct Done {
    HWND w;
    ~Done() { making.erase(std::find(making.begin(), making.end(), w)); }
  } done{wnd};
  adapter = MakeAdapter<TacEditWnd>(wnd, skinData.SkinManager(), &skinData, skinData.SkinSection());
}

}  // namespace glyphora
