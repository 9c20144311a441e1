#include "skin/controls/button_layout.h"

namespace glyphora {

int32_t ButtonCaptionMeasureWidth(const TButtonLayoutInput& in) {
  int32_t w = in.Width - 2 * in.Margin - in.DropDownWidth;
  const bool beside = in.Layout == TButtonLayout::blGlyphLeft || in.Layout == TButtonLayout::blGlyphRight;
  if (beside && in.GlyphWidth > 0) w -= in.GlyphWidth + in.Spacing;
  return w;
}

TRect32 ButtonCaptionRect(const TButtonLayoutInput& in) {
  const int32_t gw = in.GlyphWidth, gh = in.GlyphHeight, tw = in.TextWidth, th = in.TextHeight;
  const int32_t dd = in.DropDownWidth, w = in.Width, h = in.Height;
  const int32_t m = in.Margin < 0 ? 0 : in.Margin + 3;
  const int32_t sp = (gw > 0 && tw > 0) ? in.Spacing : 0;
  const int32_t fh = (w - dd - gw - sp - tw) / 2 - m;
  const int32_t fv = (h - gh - sp - th) / 2 - m;
  const int32_t glyphGap = gw > 0 ? in.Spacing : 0;
  TRect32 r;
  switch (in.Layout) {
    case TButtonLayout::blGlyphLeft:
    case TButtonLayout::blGlyphRight:
      r.Top = (h - th) / 2;
      r.Bottom = h - r.Top;
      if (in.Layout == TButtonLayout::blGlyphLeft) {
        switch (in.Alignment) {
          case TBlockAlign::Left: r.Left = m + gw + glyphGap; r.Right = w - dd - m - 2 * fh; break;
          case TBlockAlign::Right: r.Left = m + 2 * fh + gw + glyphGap; r.Right = w - dd - m; break;
          case TBlockAlign::Center: r.Left = m + fh + gw + glyphGap; r.Right = w - dd - m - fh; break;
        }
      } else {
        const int32_t shift = in.Alignment == TBlockAlign::Left ? 0 : in.Alignment == TBlockAlign::Right ? 2 * fh : fh;
        r.Left = m + shift;
        r.Right = m + shift + tw;
      }
      break;
    case TButtonLayout::blGlyphTop:
      r.Left = (w - tw - dd) / 2;
      r.Right = w - r.Left - dd;
      r.Top = gh + m + fv + sp;
      r.Bottom = h - fv - m;
      break;
    case TButtonLayout::blGlyphBottom:
      r.Left = (w - tw - dd) / 2;
      r.Right = w - (w - tw - dd) / 2 - dd;
      r.Top = m + fv;
      r.Bottom = h - fv - m - gh - sp;
      break;
  }
  r.Left += in.TextOffset - 1;
  r.Right += in.TextOffset + 2;
  if (in.State == 2) {
    ++r.Left; ++r.Right; ++r.Top; ++r.Bottom;
  }
  return r;
}

}  // namespace glyphora
