#include "skin/paint/pixel_fill.h"

#include "base/color_convert.h"
#include "skin/paint/fast32.h"
#include "skin/paint/pixel_clip.h"
#include "base/pixel_kernels.h"

namespace glyphora {

TBitmap32 NewBitmap32(int32_t width, int32_t height) { return TBitmap32(width, height); }

TBitmap32 NewBitmapAlike(const TBitmap32& source) { return TBitmap32(source.Width(), source.Height()); }

void FillPixels32(TBitmap32* bmp, const TRect32& r, TColor color) {
  TacFast32 f;
  if (!f.Attach(bmp)) return;
  f.FillRect(r, ColorToPixel(ColorToRGB(color)));
}

void SetAlphaInRect(TBitmap32* bmp, const TRect32& r, uint8_t alpha, bool skipKey) {
  if (!bmp) return;
  const TClipped c = ClipRect(r.Left, r.Top, r.Right, r.Bottom, bmp->Width(), bmp->Height());
  if (c.Empty()) return;
  const TPixelKernels& k = KernelsForRow(c.w);
  for (int32_t y = c.y; y < c.y + c.h; ++y) k.SetAlpha(bmp->ScanLine(y) + c.x, c.w, alpha, skipKey, KeyColor32);
}

namespace {
void GrayAll(TBitmap32* bmp, bool skipKey, uint32_t key) {
  if (!bmp) return;
  const TPixelKernels& k = KernelsForRow(bmp->Width());
  for (int32_t y = 0; y < bmp->Height(); ++y) k.Gray(bmp->ScanLine(y), bmp->Width(), skipKey, key);
}
}  // namespace

void GrayBitmap(TBitmap32* bmp) { GrayAll(bmp, false, 0); }
void GrayBitmapExceptKey(TBitmap32* bmp, uint32_t key) { GrayAll(bmp, true, key); }

}  // namespace glyphora
