// Adapters of platform STATIC windows (the texts and icons of dialogs and
// message boxes): the section ("CHECKBOX" by default, a transparent one)
// over what the parent shows, and on it the text in the section's colours
// (TacStaticWnd), the icon, bitmap or metafile (TacIconWnd), or that picture
// inside the section's frame for statics with a sunken edge (TacEdgeWnd,
// section "EDIT"). The platform keeps the static's text and image; it no
// longer paints them.
#pragma once
#include <windows.h>

#include "skin/paint/control_adapter_win.h"

namespace glyphora {

class TacStaticWnd : public TacPaintedWnd {
 public:
  TacStaticWnd(HWND wnd, TsSkinManager* manager, TsCommonData* skinData, const std::string& section,
               bool dialog = false);
  ~TacStaticWnd() override;
  // The look painted now into the cache (section, then content).
  void PaintLook();
  // How many times the look was painted (tests, benchmarks).
  int Paints() const { return paints_; }

 protected:
  bool acWndProc(TMessage& m) override;
  // What the static shows on its section, drawn into the cache (its DC and
  // pixels) within `client`, the client area in window coordinates: the
  // text here.
  virtual void PaintContent(HDC dc, TBitmap32& px, const TRect32& client);
  // The client area in window coordinates.
  TRect32 ClientInWindow() const;
  // Statics with a tab stop or a sunken edge paint themselves.
  virtual bool PaintsItself() const;

 private:
  void Paint(HDC dc) override;
  void RedrawNow();
  int paints_ = 0;
};

class TacIconWnd : public TacStaticWnd {
 public:
  using TacStaticWnd::TacStaticWnd;

 protected:
  void PaintContent(HDC dc, TBitmap32& px, const TRect32& client) override;
  bool PaintsItself() const override { return false; }
};

class TacEdgeWnd : public TacIconWnd {
 public:
  using TacIconWnd::TacIconWnd;

 protected:
  void Init() override;
  bool acWndProc(TMessage& m) override;

 private:
  // The section's frame around the client area, from the cache.
  void PaintFrame();
};

}  // namespace glyphora
