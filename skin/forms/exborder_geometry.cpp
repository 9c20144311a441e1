#include "skin/forms/exborder_geometry.h"

#include <algorithm>


namespace glyphora {

namespace {
TRect32 Intersect(const TRect32& a, const TRect32& b) {
  TRect32 r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  if (r.Right <= r.Left || r.Bottom <= r.Top) return {};
  return r;
}

int32_t CaptionHeightOf(const TExBorderInput& in, bool sysEx) {
  if (in.NativeCaption <= 0) return 0;
  const int32_t start = in.TitleHeight;
  if (sysEx) return std::max(start, in.NativeCaption + 4);
  return start > 0 ? start : in.NativeCaption;
}

bool SysExHeightOf(const TExBorderInput& in) {
  const int32_t maxHeight = in.MaxHeight > 0 ? in.MaxHeight : in.TitleHeight;
  return in.Maximized && in.NativeCaption > 0 && maxHeight < in.NativeCaption + 4;
}
}  // namespace

TExBorderLayout LayoutExBorder(const TExBorderInput& in) {
  TExBorderLayout l;
  l.In = in;
  const TRect32& s = in.Shadow;
  l.SysExHeight = SysExHeightOf(in);
  l.BorderWidth = in.BorderWidth > 0 ? in.BorderWidth : in.NativeFrame;
  l.CaptionHeight = CaptionHeightOf(in, l.SysExHeight);
  const int32_t clientW = std::max(0, RectWidth(in.FormClient));
  const int32_t clientH = std::max(0, RectHeight(in.FormClient));
  // The client area lies inside the skin's border and caption, which lie
  // inside the shadow; the form's window is placed so that its own client
  // area coincides with it on screen.
  const int32_t offsetY = s.Top + (l.CaptionHeight > 0 ? l.CaptionHeight : l.BorderWidth);
  l.Client = {s.Left + l.BorderWidth, offsetY, s.Left + l.BorderWidth + clientW, offsetY + clientH};
  l.Width = l.Client.Right + l.BorderWidth + s.Right;
  l.Height = l.Client.Bottom + l.BorderWidth + s.Bottom;
  l.FormOrigin = {l.Client.Left - in.FormClient.Left, l.Client.Top - in.FormClient.Top};
  l.Visible = {0, 0, l.Width, l.Height};
  if (in.Maximized) {
    // Neither shadow nor outer border, nor any row above the work area's
    // top, where the maximised placement puts the form's frame: on a
    // neighbouring monitor they would show.
    const int32_t workTop = in.NativeFrame + ExMaxPlacementCorrection(in) + l.FormOrigin.Y;
    l.Visible = {l.BorderWidth + s.Left, std::max(s.Top + 4, workTop), l.Width - l.BorderWidth - s.Right,
                 l.Height - l.BorderWidth - s.Bottom};
  }
  l.Parts[ebTop] = Intersect({0, 0, l.Width, l.Client.Top}, l.Visible);
  l.Parts[ebLeft] = Intersect({0, l.Client.Top, l.Client.Left, l.Client.Bottom}, l.Visible);
  l.Parts[ebRight] = Intersect({l.Client.Right, l.Client.Top, l.Width, l.Client.Bottom}, l.Visible);
  l.Parts[ebBottom] = Intersect({0, l.Client.Bottom, l.Width, l.Height}, l.Visible);
  return l;
}

int32_t ExMaxPlacementCorrection(const TExBorderInput& in) {
  if (in.NativeCaption <= 0) return 0;
  const bool sysEx = SysExHeightOf(in);
  const int32_t maxHeight = in.MaxHeight > 0 ? in.MaxHeight : in.TitleHeight;
  const int32_t lower = in.DrawMode == 1 ? std::max(0, in.TitleHeight - maxHeight) + in.BITopMargin : 0;
  return lower - std::max(0, CaptionHeightOf(in, sysEx) - (in.NativeCaption + 4));
}

bool OverShadow(const TExBorderLayout& l, int32_t x, int32_t y) {
  if (l.In.Maximized) return false;
  const TRect32& s = l.In.Shadow;
  return x < s.Left || y < s.Top || x >= l.Width - s.Right || y >= l.Height - s.Bottom;
}

int32_t ExBorderEdgeCode(const TExBorderLayout& l, int32_t x, int32_t y) {
  if (l.In.Maximized || !l.In.Sizeable || OverShadow(l, x, y)) return 0;
  const TRect32& s = l.In.Shadow;
  const int32_t f = l.In.NativeFrame;
  int32_t code = 0;
  if (y >= s.Top && y <= s.Top + f) code = kHtTop;
  else if (y >= l.Height - s.Bottom - f - 1 && y < l.Height - s.Bottom) code = kHtBottom;
  if (x >= s.Left && x <= s.Left + f) code = code == kHtTop ? kHtTopLeft : code == kHtBottom ? kHtBottomLeft : kHtLeft;
  else if (x >= l.Width - s.Right - f - 1 && x < l.Width - s.Right)
    code = code == kHtTop ? kHtTopRight : code == kHtBottom ? kHtBottomRight : kHtRight;
  return code;
}

TExBorderInput ExBorderInputOf(const TFrameInput& in, const TsSkinData& d, const TRect32& shadow) {
  TExBorderInput ex;
  ex.FormWidth = in.Width;
  ex.FormHeight = in.Height;
  ex.FormClient = in.Client;
  ex.NativeFrame = in.SysBorderWidth;
  ex.NativeCaption = in.CaptionHeight;
  ex.Maximized = in.Maximized;
  ex.Sizeable = in.Sizeable;
  ex.BorderWidth = d.ExBorderWidth;
  ex.TitleHeight = d.ExTitleHeight;
  ex.MaxHeight = d.ExMaxHeight;
  ex.BITopMargin = d.BITopMargin;
  ex.DrawMode = d.ExDrawMode;
  ex.Shadow = shadow;
  return ex;
}

TFrameInput ExtendedFrameInput(TFrameInput in, const TExBorderLayout& l, int32_t centerOffs) {
  in.Width = l.Width;
  in.Height = l.Height;
  in.SysBorderWidth = l.BorderWidth;
  in.SysBorderHeight = 0;
  in.CaptionHeight = l.CaptionHeight;
  in.Client = l.Client;
  in.Maximized = l.In.Maximized;
  in.Extended = true;
  in.Shadow = l.In.Shadow;
  in.CenterOffs = centerOffs;
  in.TitleHeight = l.In.TitleHeight;
  in.MaxHeight = l.In.MaxHeight > 0 ? l.In.MaxHeight : l.In.TitleHeight;
  in.NativeFrame = l.In.NativeFrame;
  in.MaxCorrection = ExMaxPlacementCorrection(l.In);
  in.FormTop = l.FormOrigin.Y;
  return in;
}

int32_t ExBorderHitTest(const TFrameLayout& frame, const TExBorderLayout& l, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= l.Width || y >= l.Height) return kHtNowhere;
  if (OverShadow(l, x, y)) return kHtTransparent;
  if (frame.In.CaptionHeight > 0) {
    const TCaptionButtonKind k = ButtonAt(frame, x, y);
    if (k != cbCount) return CaptionButtonHitCode(k);
  }
  if (const int32_t edge = ExBorderEdgeCode(l, x, y)) return edge;
  if (frame.In.CaptionHeight > 0 && y < frame.CaptionBottom) {
    const TRect32& i = frame.Icon;
    return x >= i.Left && x < i.Right && y >= i.Top && y < i.Bottom ? kHtSysMenu : kHtCaption;
  }
  const TRect32& c = l.Client;
  return x >= c.Left && x < c.Right && y >= c.Top && y < c.Bottom ? kHtClient : kHtBorder;
}

}  // namespace glyphora
