#include "skin/forms/frame_geometry.h"

#include "skin/core/skin_content.h"

#include <algorithm>

namespace glyphora {

namespace {
bool Inside(const TRect32& r, int32_t x, int32_t y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}
bool IsEmpty(const TRect32& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
}  // namespace

int32_t CaptionButtonHitCode(TCaptionButtonKind kind) {
  switch (kind) {
    case cbClose: return kHtClose;
    case cbMax: return kHtMaxButton;
    case cbMin: return kHtMinButton;
    case cbHelp: return kHtHelp;
    default: return kHtNowhere;
  }
}

TCaptionButtonKind CaptionButtonOfHitCode(int32_t code) {
  switch (code) {
    case kHtClose: return cbClose;
    case kHtMaxButton: return cbMax;
    case kHtMinButton: return cbMin;
    case kHtHelp: return cbHelp;
    default: return cbCount;
  }
}

int32_t ButtonWidthOf(const TsMaskData* image) {
  const int32_t w = image ? FrameWidth(*image) : 0;
  return w > 0 ? w : kMissingButtonSize;
}

int32_t ButtonHeightOf(const TsMaskData* image) {
  const int32_t h = image ? FrameHeight(*image) : 0;
  return h > 0 ? h : kMissingButtonSize;
}

int32_t CaptionIconSize(int32_t h) {
  if (h <= 8) return 1;
  return h <= 16 ? 8 : 16;
}

TFrameLayout LayoutFrame(const TFrameInput& in) {
  TFrameLayout l;
  l.In = in;
  const TRect32& sh = in.Shadow;
  l.CaptionBottom = in.CaptionHeight > 0 ? sh.Top + in.SysBorderHeight + in.CaptionHeight : 0;
  l.Client = in.Client;
  if (IsEmpty(l.Client))
    l.Client = {in.SysBorderWidth, in.SysBorderHeight + in.CaptionHeight, in.Width - in.SysBorderWidth,
                in.Height - in.SysBorderHeight};
  if (in.CaptionHeight <= 0) return l;
  // Maximised, a skin whose maximised caption is lower than its normal one
  // moves the caption's contents down by half the difference.
  const int32_t maxShift = in.Extended && in.Maximized && in.MaxHeight > 0 && in.MaxHeight != in.TitleHeight
                               ? in.TitleHeight - in.MaxHeight
                               : 0;

  // Buttons from the right end: close, maximise, minimise, help.
  const int32_t h = in.ButtonHeight > 0 ? in.ButtonHeight : kMissingButtonSize;
  int32_t top;
  if (in.LargeButtons && in.BIVAlign == 1) {
    if (!in.Extended) top = in.Maximized ? 3 : 0;
    else if (!in.Maximized) top = sh.Top + in.BITopMargin;
    else top = in.NativeFrame + in.MaxCorrection + in.FormTop - 1;
  } else {
    top = (in.SysBorderHeight + in.CaptionHeight - h) / 2 + sh.Top;
    if (in.Extended) {
      top += in.CenterOffs;
      if (in.Maximized) {
        top -= 2;
        if (maxShift) top += (maxShift - in.CenterOffs) / 2 - 2;
        top += in.NativeFrame / 2;
      }
    }
    if (in.LargeButtons && h < 16) top += 2;
  }
  const int32_t spacing = in.LargeButtons ? in.BISpacing : 0;
  const int32_t right = in.Width - in.BIRightMargin - sh.Right - in.SysBorderWidth;
  int32_t x = right;
  int32_t leftmost = right;
  for (int k = 0; k < cbCount; ++k) {
    if (!in.ButtonVisible[k]) continue;
    const int32_t w = in.ButtonWidth[k] > 0 ? in.ButtonWidth[k] : kMissingButtonSize;
    l.Buttons[k] = {x - w, top, x, top + h};
    leftmost = x - w;
    x = leftmost - spacing;
  }
  l.ButtonsWidth = right - leftmost;

  int32_t iconWidth = 0;
  if (in.LargeButtons && in.ShowIcon) {
    const int32_t size = CaptionIconSize(in.CaptionHeight);
    const int32_t left = in.SysBorderWidth + in.BILeftMargin + sh.Left;
    const int32_t frame = in.Extended ? in.NativeFrame : in.SysBorderWidth;
    int32_t itop = frame / 2 + sh.Top - 1;
    itop += std::max(0, l.CaptionBottom - itop - size) / 2;
    if (in.Extended) itop += in.CenterOffs + (maxShift ? maxShift / 2 - 2 : 0);
    l.Icon = {left, itop, left + size, itop + size};
    iconWidth = size;
  }
  l.Text.Left = in.SysBorderWidth + iconWidth + in.BILeftMargin + sh.Left + (in.HasCaptionSection ? 2 : 0) + 4;
  l.Text.Right = std::max(l.Text.Left, in.Width - l.ButtonsWidth - sh.Right - 12);
  l.Text.Top = sh.Top + (in.Maximized ? (in.Extended ? 1 : 3) : 2);
  l.Text.Bottom = std::max(l.Text.Top, l.CaptionBottom);
  if (in.Extended) {
    l.Text.Top += in.CenterOffs + maxShift / 2;
    l.Text.Bottom += in.CenterOffs + maxShift / 2;
  }
  return l;
}

TCaptionButtonKind ButtonAt(const TFrameLayout& l, int32_t x, int32_t y) {
  for (int k = 0; k < cbCount; ++k) {
    if (!Inside(l.Buttons[k], x, y)) continue;
    const bool enabled = k == cbMax && l.In.Maximized ? l.In.RestoreEnabled || l.In.ButtonEnabled[k]
                                                       : l.In.ButtonEnabled[k];
    return enabled ? static_cast<TCaptionButtonKind>(k) : cbCount;
  }
  return cbCount;
}

int32_t FrameHitTest(const TFrameLayout& l, int32_t x, int32_t y) {
  const TFrameInput& in = l.In;
  if (x < 0 || y < 0 || x >= in.Width || y >= in.Height) return kHtNowhere;
  if (in.CaptionHeight > 0) {
    const TCaptionButtonKind k = ButtonAt(l, x, y);
    if (k != cbCount) return CaptionButtonHitCode(k);
  }
  if (in.Sizeable && !in.Maximized && !in.Minimized) {
    const int32_t b = in.SysBorderWidth;
    int32_t code = 0;
    if (y >= in.Height - b) code = kHtBottom;
    else if (y < in.SysBorderHeight) code = kHtTop;
    if (x < b) code = code == kHtBottom ? kHtBottomLeft : code == kHtTop ? kHtTopLeft : kHtLeft;
    else if (x >= in.Width - b) code = code == kHtBottom ? kHtBottomRight : code == kHtTop ? kHtTopRight : kHtRight;
    if (code) return code;
  }
  if (in.CaptionHeight > 0 && y < l.CaptionBottom) return Inside(l.Icon, x, y) ? kHtSysMenu : kHtCaption;
  return Inside(l.Client, x, y) ? kHtClient : kHtBorder;
}

void AppendMaskCornerRuns(const TsMaskData& m, const TBitmap32* src, bool bottom, int32_t y0, int32_t width,
                          int32_t wl, int32_t wr, int32_t rows, std::vector<TRect32>& out) {
  const int32_t fw = FrameWidth(m), fh = FrameHeight(m);
  if (!src || fw <= 0 || fh <= 0 || rows <= 0) return;
  // A border wider than the mask's frame has fewer mask rows than it asks
  // for: the bottom ones still end on the window's last row.
  if (bottom && rows > fh) y0 += rows - fh;
  rows = std::min(rows, fh);
  wl = std::clamp(wl, 0, fw);
  wr = std::clamp(wr, 0, fw);
  const int64_t firstRow = bottom ? int64_t{m.R.Top} + fh - rows : m.R.Top;
  if (firstRow < 0 || firstRow + rows > src->Height()) return;  // image lower than the rows needed

  // Scans columns [from, to) of one row; x of a column is col + shift.
  auto scan = [&](const uint32_t* line, int32_t row, int64_t from, int64_t to, int64_t shift) {
    from = std::max<int64_t>(from, 0);
    to = std::min<int64_t>(to, src->Width());
    for (int64_t c = from; c < to;) {
      if (line[c] != KeyColor32) { ++c; continue; }
      const int64_t start = c;
      while (c < to && line[c] == KeyColor32) ++c;
      out.push_back({static_cast<int32_t>(start + shift), y0 + row, static_cast<int32_t>(c + shift), y0 + row + 1});
    }
  };
  const int64_t left = m.R.Left;
  for (int32_t row = 0; row < rows; ++row)
    scan(src->ScanLine(static_cast<int32_t>(firstRow + row)), row, left, left + wl, -left);
  for (int32_t row = 0; row < rows; ++row)
    scan(src->ScanLine(static_cast<int32_t>(firstRow + row)), row, left + fw - wr, left + fw,
         int64_t{width} - fw - left);
}

TRect32 ButtonStripRect(int32_t cacheWidth, int32_t stripWidth, int32_t height) {
  const int32_t right = std::max(0, cacheWidth - 1);
  return {std::max(0, right - std::max(0, stripWidth)), 0, right, std::max(0, height)};
}

TRect32 DragOutlineRect(const TRect32& s, int32_t code, int32_t dx, int32_t dy, int32_t minWidth,
                        int32_t minHeight) {
  TRect32 r = s;
  if (code == kHtCaption) return {s.Left + dx, s.Top + dy, s.Right + dx, s.Bottom + dy};
  minWidth = std::max(minWidth, 1);
  minHeight = std::max(minHeight, 1);
  const bool left = code == kHtLeft || code == kHtTopLeft || code == kHtBottomLeft;
  const bool right = code == kHtRight || code == kHtTopRight || code == kHtBottomRight;
  const bool top = code == kHtTop || code == kHtTopLeft || code == kHtTopRight;
  const bool bottom = code == kHtBottom || code == kHtBottomLeft || code == kHtBottomRight;
  if (left) r.Left = std::min(s.Left + dx, s.Right - minWidth);
  if (right) r.Right = std::max(s.Right + dx, s.Left + minWidth);
  if (top) r.Top = std::min(s.Top + dy, s.Bottom - minHeight);
  if (bottom) r.Bottom = std::max(s.Bottom + dy, s.Top + minHeight);
  return r;
}

void SetButtonMetrics(TFrameInput& in, const TSkinContent& skin, const std::array<int, cbCount>& images,
                      int closeImage, bool hasCaptionSection) {
  for (int k = 0; k < cbCount; ++k)
    in.ButtonWidth[k] = skin.IsValidImgIndex(images[k]) ? ButtonWidthOf(&skin.ma[images[k]]) : 0;
  in.ButtonHeight = skin.IsValidImgIndex(closeImage) ? ButtonHeightOf(&skin.ma[closeImage]) : 0;
  const TsSkinData& d = skin.SkinData;
  in.BISpacing = d.BISpacing;
  in.BIVAlign = d.BIVAlign;
  in.BIRightMargin = d.BIRightMargin;
  in.BILeftMargin = d.BILeftMargin;
  in.BITopMargin = d.BITopMargin;
  in.HasCaptionSection = hasCaptionSection;
}

}  // namespace glyphora
