// A panel drawn from its skin section ("PANEL" by default). It is also the
// background provider of its children: labels, speed buttons and children
// with see-through sections ask it what lies behind them (SKC_GETBG) and it
// answers from its cache; its graphic children are painted with it in one
// pass.
#pragma once
#include <functional>

#include "framework/extctrls.h"
#include "skin/controls/skinned_control.h"

namespace glyphora {

class TsPanel : public TsSkinned<TPanel> {
 public:
  using TPaintEvent = std::function<void(TComponent* sender, TCanvas& canvas)>;

  explicit TsPanel(TComponent* owner) : TsSkinned<TPanel>(owner, COC_TsPanel, "PANEL", "TSPANEL") {}

  // Paints the section, caption and graphic children into the cache (only
  // in cached mode, or while a form animation runs).
  void PrepareCache();
  // Paints the panel into dc (the panel's own window when dc is null).
  void OurPaint(HDC dc, bool sendUpdated);
  // The caption in r, on canvas or (without one) on dc.
  void WriteText(const RECT& r, TCanvas* canvas, HDC dc);

  void WndProc(TMessage& m) override;
  void AfterConstruction() {}
  // Times the cache was painted whole (tests and benchmarks count them).
  int CachePaints() const { return cachePaints_; }

  TPaintEvent OnPaint;
  TNotifyEvent OnMouseEnter, OnMouseLeave;

 protected:
  void PaintWindow(HDC dc) override;
  void PaintCanvas(TCanvas& canvas) override;

 private:
  bool UsesCache() const;
  void HandleSkinCommand(TMessage& m);
  bool HandleSkinnedMessage(TMessage& m);
  void PaintFast(HDC dc, const RECT& clip);
  // The section's border into the cache for fast mode; interior is set to
  // the rectangle left for the colour.
  void PaintBorderIntoCache(TColor color, int32_t b, const TacParentBG& bg, RECT& interior);
  RECT CaptionRect() const;
  void RedrawNow();
  int cachePaints_ = 0;
};

}  // namespace glyphora
