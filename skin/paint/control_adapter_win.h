// Adapters skin standard windows from the outside: an adapter hooks a
// window it did not create (or a framework control that is not skinned by
// itself), paints the window's frame from a skin section, sets its colours
// from the skin and gives everything back when it goes away.
//
// TacMainWnd is the base every adapter shares: the hook, the skin data, the
// saved colours, the common answers to the skin command message and the
// deferred freeing. TacEditWnd (edits, memos, list boxes, rich edits) adds
// the frame from the skin data's cache and skinned window scroll bars.
// Further kinds (buttons, statics, grids...) derive from these two.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "base/shared_types.h"
#include "framework/window_hook.h"

namespace glyphora {

class TsCommonData;
class TsSkinManager;
class TacScrollWnd;

// The adapter kinds a window class can be given (the skin manager's
// third-party lists, in their order; -1: none).
int AdapterCategoryOfClass(const TsSkinManager& manager, const std::wstring& className);

class TacMainWnd {
 public:
  // Hooks wnd. skinData: the owning control's skin data, or null for an own
  // one (section `section`, or the kind's default when empty).
  TacMainWnd(HWND wnd, TsSkinManager* manager, TsCommonData* skinData, const std::string& section,
             bool dialog = false);
  // Gives the window back (always, also while the application terminates:
  // a window procedure left pointing at a freed adapter would crash).
  virtual ~TacMainWnd();
  TacMainWnd(const TacMainWnd&) = delete;
  TacMainWnd& operator=(const TacMainWnd&) = delete;

  // Frees the adapter at once, or, while any adapter's window procedure is
  // running (it may be this one, below the caller), unhooks it now and
  // frees it once that procedure has returned.
  static void Free(std::unique_ptr<TacMainWnd>& adapter);
  // Adapters alive (not yet freed), and made so far, for tests and leak checks.
  static int LiveCount();
  static int MadeCount();

  // The adapter of a window, or nullptr.
  static TacMainWnd* Of(HWND wnd);
  HWND Window() const { return wnd_; }
  TsCommonData& SkinData() const { return *skinData_; }
  TsSkinManager* SkinManager() const { return manager_; }
  // The window went away (or the adapter was detached).
  bool Destroyed() const { return destroyed_; }
  // Restores procedure, property, colours and visual styles; once.
  void Detach();

  bool DontRepaint = false;

 protected:
  // Initialisation that calls virtuals; run once by the creator.
  virtual void Init();
  virtual void SaveStdParams() {}
  virtual void RestoreStdParams() {}
  virtual void SetSkinParams() {}
  // True when handled (answer in m.Result).
  virtual bool acWndProc(TMessage& m);
  void CallPrev(TMessage& m) { hook_.CallNext(m); }
  // Sizes the cache to the window and paints the section over the parent's
  // background, in the hot state when the window has the focus or the mouse
  // and the section has several states; blended when disabled.
  void PrepareCache();
  // Sizes the cache to the window and paints the section in `state` over
  // what lies behind the window (blended into it when a framework control
  // is disabled); `behind`, when given, receives that background placed at
  // the window's own coordinates. False when nothing was painted.
  bool PaintSectionOverParent(int state, TCacheInfo* behind = nullptr);
  bool Skinned() const;

  HWND wnd_;
  TsSkinManager* manager_;
  TsCommonData* skinData_;
  std::unique_ptr<TsCommonData> ownSkinData_;
  bool dlgMode_;
  bool paramsChanged_ = false;
  bool destroyed_ = false;
  bool themeOff_ = false;
  std::wstring caption_;
  TWindowHook hook_;

  template <class T, class... A>
  friend std::unique_ptr<T> MakeAdapter(A&&... args);

 private:
  bool Dispatch(TMessage& m);
};

// An adapter that draws its whole window from its cache (push buttons,
// statics, group boxes): shown at its adaptation, and drawn for WM_PAINT
// (into the DC it brings, for a print), WM_PRINT and WM_PRINTCLIENT.
class TacPaintedWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;

 protected:
  void Init() override;
  virtual void Paint(HDC dc) = 0;
  // Answers the three paint messages (true); false for any other.
  bool PaintMessage(TMessage& m);
};

// Creates an adapter and runs its initialisation.
template <class T, class... A>
std::unique_ptr<T> MakeAdapter(A&&... args) {
  auto p = std::make_unique<T>(std::forward<A>(args)...);
  static_cast<TacMainWnd*>(p.get())->Init();
  return p;
}

class TacEditWnd : public TacMainWnd {
 public:
  TacEditWnd(HWND wnd, TsSkinManager* manager, TsCommonData* skinData, const std::string& section,
             bool dialog = false);
  ~TacEditWnd() override;

  TacScrollWnd* Scroll() const { return scroll_.get(); }
  // Frame width painted from the cache (the window's own border).
  int FrameWidth() const;
  // Frame and scroll bars painted now into the window DC.
  void PaintFrame();
  // How many times the frame was painted (tests, benchmarks).
  int FramePaints() const { return framePaints_; }

 protected:
  void Init() override;
  void SaveStdParams() override;
  void RestoreStdParams() override;
  void SetSkinParams() override;
  bool acWndProc(TMessage& m) override;

 private:
  // WM_PRINT: frame and bars from the skin at the DC's origin (the window's
  // corner), then the platform's client offset to its place in the frame.
  void Print(TMessage& m);
  std::unique_ptr<TacScrollWnd> scroll_;
  TColor stdColor_ = 0, stdFontColor_ = 0;
  bool saved_ = false;
  int framePaints_ = 0;
};

// Frees `adapter` when it reports its window destroyed; then, with a
// skinned skin data, creates an edit adapter for wnd when none is left;
// without, frees any adapter.
void AttachEditAdapter(TsCommonData& skinData, HWND wnd, std::unique_ptr<TacMainWnd>& adapter);

}  // namespace glyphora
