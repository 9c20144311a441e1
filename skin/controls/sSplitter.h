// A splitter whose face comes from its skin section ("SPLITTER"), with a hot
// look under the mouse, a pressed look while sizing live and an optional
// glyph in its centre.
#pragma once
#include <memory>

#include "framework/extctrls.h"
#include "skin/controls/skinned_control.h"

namespace glyphora {

enum class TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

class TsSplitter : public TsSkinned<TSplitter> {
 public:
  explicit TsSplitter(TComponent* owner);

  // The parent's background shows under the skinned splitter.
  bool ClippedFromParentBackground() const override { return false; }

  void Paint(TCanvas& canvas) override;
  void WndProc(TMessage& m) override;

  // How the neighbour follows a drag; the pressed look shows with rsUpdate.
  TResizeStyle ResizeStyle = TResizeStyle::rsPattern;
  bool AutoSnap = true;
  // A drag is under way.
  bool Sizing() const { return FSizing; }
  // The state the face is painted in: 1 hot, 2 pressed while sizing live.
  int PaintState() const;

  // Drawn centred on the bar; a 32-bit glyph by its alpha channel.
  const TBitmap32& Glyph() const { return FGlyph; }
  void SetGlyph(const TBitmap32& glyph);

  TNotifyEvent OnMouseEnter, OnMouseLeave;
  std::function<void(TComponent*, TCanvas&)> OnPaint;

 protected:
  void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
  void MouseUp(TMouseButton button, unsigned shift, int x, int y) override;

 private:
  void PaintGlyph(HDC dc);
  bool FSizing = false;
  TBitmap32 FGlyph;
};

}  // namespace glyphora
