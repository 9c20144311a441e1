#include "skin/controls/sSplitter.h"

#include <algorithm>

#include "framework/handles.h"
#include "skin/paint/skin_data_paint_win.h"

namespace glyphora {

TsSplitter::TsSplitter(TComponent* owner)
    : TsSkinned<TSplitter>(owner, COC_TsSplitter, "SPLITTER", "TSSPLITTER", false) {
  width_ = 6;
  parentColor_ = true;
  color_ = clWindow;
}

int TsSplitter::PaintState() const {
  if (FSizing && ResizeStyle == TResizeStyle::rsUpdate) return 2;
  return SkinData->IsHot() ? 1 : 0;
}

void TsSplitter::SetGlyph(const TBitmap32& glyph) {
  FGlyph = glyph;
  Invalidate();
}

void TsSplitter::PaintGlyph(HDC dc) {
  if (FGlyph.Empty()) return;
  const int gx = (width_ - FGlyph.Width()) / 2, gy = (height_ - FGlyph.Height()) / 2;
  // Blended by its alpha over what the bar shows there.
  TDibBitmap under(FGlyph.Width(), FGlyph.Height());
  if (!under.DC()) return;
  ::BitBlt(under.DC(), 0, 0, FGlyph.Width(), FGlyph.Height(), dc, gx, gy, SRCCOPY);
  ::GdiFlush();
  TBitmap32& px = under.Pixels();
  for (int32_t y = 0; y < FGlyph.Height(); ++y) {
    const uint32_t* s = FGlyph.ScanLine(y);
    uint32_t* d = px.ScanLine(y);
    for (int32_t x = 0; x < FGlyph.Width(); ++x) {
      const uint32_t a = s[x] >> 24, ia = 255 - a;
      uint32_t out = 0xFF000000u;
      for (int c = 0; c < 3; ++c) {
        const uint32_t sv = (s[x] >> (8 * c)) & 255, dv = (d[x] >> (8 * c)) & 255;
        out |= ((sv * a + dv * ia + 127) / 255) << (8 * c);
      }
      d[x] = out;
    }
  }
  ::BitBlt(dc, gx, gy, FGlyph.Width(), FGlyph.Height(), under.DC(), 0, 0, SRCCOPY);
}

void TsSplitter::Paint(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  if (SkinData->Skinned()) {
    if (PaintSectionIntoCache(*SkinData, PaintState())) {
      ::GdiFlush();
      ::BitBlt(dc, 0, 0, width_, height_, SkinData->CacheDC(), 0, 0, SRCCOPY);
    }
    // The splitter keeps no cache between paints.
    SkinData->FCacheBmp.reset();
    SkinData->MarkBGCurrent();
  } else {
    TSplitter::Paint(canvas);
  }
  PaintGlyph(dc);
  if (OnPaint) OnPaint(this, canvas);
}

void TsSplitter::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  if (button == TMouseButton::mbLeft && enabled_ && AutoSnap && parent_) {
    for (TControl* c : parent_->Controls()) {
      if (c == this) continue;
      if (align_ == TAlign::alTop && c->Height() == 0) c->SetBounds(c->Left(), top_, c->Width(), 0);
      if (align_ == TAlign::alLeft && c->Width() == 0) c->SetBounds(left_, c->Top(), 0, c->Height());
    }
  }
  TSplitter::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !enabled_) return;
  FSizing = true;
  if (ResizeStyle == TResizeStyle::rsUpdate) Repaint();
}

void TsSplitter::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
  TSplitter::MouseUp(button, shift, x, y);
  if (!FSizing) return;
  FSizing = false;
  if (ResizeStyle == TResizeStyle::rsUpdate) Repaint();
}

void TsSplitter::WndProc(TMessage& m) {
  if (m.Msg == SM_ALPHACMD) {
    const uint16_t code = SkinCommandCode(m.WParam);
    if (code == SKC_PARENTUPDATED) {
      if (SkinData->Skinned() && SkinData->FUpdating) {
        SkinData->SetUpdating(false);
        Repaint();
      }
      return;
    }
    SkinData->HandleSkinCommand(m);
    if ((code == SKC_REMOVESKIN || code == SKC_REFRESH) && SkinCommandForManager(m, SkinData->SkinManager())) Invalidate();
    return;
  }
  const bool skinned = SkinData->Skinned();
  switch (m.Msg) {
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      TsSkinned<TSplitter>::WndProc(m);
      if (skinned && !SkinData->FFocused && enabled_) {
        SkinData->FMouseAbove = true;
        SkinData->MarkBGChanged();
        Invalidate();
      }
      return;
    case CM_MOUSELEAVE:
      TsSkinned<TSplitter>::WndProc(m);
      if (skinned && !SkinData->FFocused) {
        SkinData->FMouseAbove = false;
        SkinData->MarkBGChanged();
        Invalidate();
      }
      if (OnMouseLeave) OnMouseLeave(this);
      return;
    case WM_MOVE: case WM_SIZE: case WM_MOUSEWHEEL: case CM_VISIBLECHANGED: case CM_ENABLEDCHANGED:
      if (skinned) SkinData->MarkBGChanged();
      break;
    case WM_ERASEBKGND: case WM_NCPAINT:
      if (skinned) {
        m.Result = 1;
        return;
      }
      break;
    case CM_ENTER: case CM_EXIT: case WM_SETFOCUS: case WM_KILLFOCUS:
      TsSkinned<TSplitter>::WndProc(m);
      if (skinned) {
        SkinData->FFocused = m.Msg == CM_ENTER || m.Msg == WM_SETFOCUS;
        SkinData->FMouseAbove = false;
        SkinData->MarkBGChanged();
        Invalidate();
      }
      return;
  }
  TsSkinned<TSplitter>::WndProc(m);
}

}  // namespace glyphora
