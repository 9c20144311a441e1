// The frame image with the extended border: the skin's border template
// (frame and shadow) around the window's section.
#include "skin/forms/frame_exborder_paint_win.h"

#include <algorithm>

#include "skin/core/sSkinManager.h"
#include "skin/core/skin_content.h"
#include "skin/core/sCommonData.h"
#include "skin/paint/nine_slice.h"
#include "skin/paint/section_paint.h"

namespace glyphora {

void PaintExBorderImage(TBitmap32& pix, const TExBorderLayout& l, TSkinContent& skin, TsCommonData& data,
                        bool active, int state) {
  TsSkinManager* m = data.SkinManager();
  if (!m) return;
  const TRect32& s = l.In.Shadow;
  const TRect32 inside{s.Left, s.Top, l.Width - s.Right, l.Height - s.Bottom};
  const TBitmap32& tpl = active ? m->ShdaTemplate : m->ShdiTemplate;
  const TsStateLook look = data.StateLook(state);
  const bool plain = look.Transparency == 0 && look.GradientPercent == 0 && look.ImagePercent == 0;
  const int32_t index = data.SkinIndex;
  if (tpl.Empty()) pix.Fill(0);  // no template: nothing but the form is shown

  if (skin.SkinData.ExDrawMode == 1) {
    // The template is the whole frame: the form's section only shows in
    // the client area, the template's bands cover the rest.
    if (plain) {
      // A plain form lends its children its colour, not this image: only
      // the band between the template's and the client area's edges needs
      // the colour (the template's inner edge may show through).
      const uint32_t c = 0xFF000000u | ColorToPixel(ColorToRGB(look.Color));
      const TRect32& k = l.Client;
      for (int32_t y = inside.Top; y < inside.Bottom; ++y) {
        uint32_t* row = pix.ScanLine(y);
        if (y < k.Top || y >= k.Bottom) {
          std::fill_n(row + inside.Left, RectWidth(inside), c);
        } else {
          std::fill_n(row + inside.Left, std::max(0, k.Left - inside.Left), c);
          std::fill_n(row + k.Right, std::max(0, inside.Right - k.Right), c);
        }
      }
    } else {
      PaintSection(&skin, index, data.SkinSection(), EmptyCacheInfo(), -1, -1, &pix, {0, 0}, inside, state);
    }
    // The top and bottom slices never take more than half of what lies
    // below the caption.
    const int32_t h = l.Height, c = l.CaptionHeight;
    TRect32 margins = m->ShadowMargins;
    margins.Top = std::min(margins.Top, (h - c) / 2 + c);
    margins.Bottom = std::min(margins.Bottom, (h - c) / 2);
    DrawExBorderTemplate(&pix, tpl, margins, l.Client);
  } else {
    // The template gives the shadow; the form's section draws the frame,
    // and the key pixels of its border mask's corners let the shadow
    // through, so that the section's rounded corners show.
    DrawExBorderTemplate(&pix, tpl, m->ShadowMargins, {});
    PaintSection(&skin, index, data.SkinSection(), CacheInfoOf(&pix, 0, 0), -1, -1, &pix,
                 {inside.Left, inside.Top}, inside, state);
  }
}

}  // namespace glyphora
