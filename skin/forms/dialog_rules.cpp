#include "skin/forms/dialog_rules.h"

#include <algorithm>

namespace glyphora {

namespace {
// The platform's style bits used here.
constexpr uint32_t kWsPopup = 0x80000000, kWsVisible = 0x10000000, kWsCaption = 0x00C00000,
                   kWsSysMenu = 0x00080000, kWsThickFrame = 0x00040000, kWsMinimizeBox = 0x00020000,
                   kWsMaximizeBox = 0x00010000, kDsModalFrame = 0x80;
constexpr uint32_t kWsExToolWindow = 0x80, kWsExContextHelp = 0x400, kWsExStaticEdge = 0x20000;
constexpr uint32_t kBsIcon = 0x40, kBsBitmap = 0x80;

bool Inside(const TRect32& r, int32_t x, int32_t y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

TDialogChildRule StaticRule(uint32_t style, uint32_t exStyle) {
  // The static's type is its low five bits, not single bits of them: an
  // owner-drawn static (13) or a black frame (7) is no icon.
  switch (style & 0x1F) {
    case 0x0: case 0x1: case 0x2: case 0xC:  // left, centre, right, left without wrapping
      return {TDialogChildKind::Static, "CHECKBOX"};
    case 0x3: case 0xE: case 0xF:  // icon, bitmap, enhanced metafile
      if (exStyle & kWsExStaticEdge) return {TDialogChildKind::Edge, "EDIT"};
      return {TDialogChildKind::Icon, "CHECKBOX"};
    default:  // rectangles, frames, etched lines, simple and owner-drawn statics
      return {};
  }
}

TDialogChildRule ButtonRule(uint32_t style) {
  switch (style & 0xF) {
    case 0x0: case 0x1:  // push button, default push button
      // A button that shows an image instead of its caption draws itself.
      if (style & (kBsIcon | kBsBitmap)) return {};
      return {TDialogChildKind::PushButton, "BUTTON"};
    case 0x7:
      return {TDialogChildKind::GroupBox, "GROUPBOX"};
    default:  // check boxes, radio buttons, owner-drawn, split and command-link buttons
      return {};
  }
}
}  // namespace

TacBorderStyle DialogBorderStyle(uint32_t style) {
  if ((style & kWsPopup) && (style & kWsCaption) != kWsCaption) return TacBorderStyle::acbsNone;
  if (style & kWsThickFrame) return TacBorderStyle::acbsSizeable;
  if (style & kDsModalFrame) return TacBorderStyle::acbsDialog;
  return TacBorderStyle::acbsSingle;
}

TDialogChildRule DialogChildRule(const std::wstring& cls, uint32_t style, uint32_t exStyle) {
  if (cls == L"static") return StaticRule(style, exStyle);
  if (cls == L"button") return ButtonRule(style);
  if (cls == L"edit") return style & kWsVisible ? TDialogChildRule{TDialogChildKind::Edit, "EDIT"} : TDialogChildRule{};
  if (cls == L"listbox") return {TDialogChildKind::Edit, "EDIT"};
  if (cls == L"combolbox") return {TDialogChildKind::Edit, "COMBOBOX"};
  return {};
}

TDialogButtons DialogButtons(const TDialogButtonInput& in) {
  TDialogButtons b;
  b.Visible[cbClose] = (in.Style & kWsSysMenu) != 0;
  b.Visible[cbMax] = (in.Style & kWsMaximizeBox) != 0;
  b.Visible[cbMin] = (in.Style & kWsMinimizeBox) != 0;
  b.Visible[cbHelp] = (in.ExStyle & kWsExContextHelp) != 0;
  const TacBorderStyle border = DialogBorderStyle(in.Style);
  const bool resizableBorder = border == TacBorderStyle::acbsSingle || border == TacBorderStyle::acbsSizeable;
  b.Enabled[cbClose] = !in.NoClose;
  b.Enabled[cbMax] = !in.Maximized && resizableBorder;
  b.Enabled[cbMin] = !in.Minimized;
  b.Enabled[cbHelp] = true;
  b.RestoreEnabled = b.Visible[cbMax] && (in.Minimized || in.Maximized);
  return b;
}

bool DialogUsesSmallButtons(TacBorderStyle border, bool skinHasSmallClose) {
  return border != TacBorderStyle::acbsSingle && border != TacBorderStyle::acbsSizeable && skinHasSmallClose;
}

TFrameLayout LayoutDialogFrame(const TFrameInput& input, bool showIcon, int32_t iconSize) {
  TFrameInput in = input;
  if (in.Extended) {
    // Inside the extended border a dialog's caption is laid out as a
    // form's, shadow and the skin's caption height included.
    in.ShowIcon = showIcon && iconSize > 0;
    return LayoutFrame(in);
  }
  in.ShowIcon = false;
  TFrameLayout l = LayoutFrame(in);
  l.In.ShowIcon = showIcon;
  if (in.CaptionHeight <= 0) return l;
  int32_t iconWidth = 0;
  if (showIcon && iconSize > 0) {
    const int32_t left = in.SysBorderWidth + in.BILeftMargin;
    const int32_t top = in.SysBorderHeight + std::max(0, in.CaptionHeight - iconSize) / 2;
    l.Icon = {left, top, left + iconSize, top + iconSize};
    iconWidth = iconSize;
  }
  int32_t right = in.Width - in.SysBorderWidth;
  for (int k = 0; k < cbCount; ++k)
    if (RectWidth(l.Buttons[k]) > 0) right = std::min(right, l.Buttons[k].Left);
  l.Text.Left = in.SysBorderWidth + iconWidth + in.BILeftMargin + 4;
  l.Text.Right = std::max(l.Text.Left, right - 6);
  l.Text.Top = 2;
  l.Text.Bottom = std::max(l.Text.Top, l.CaptionBottom);
  return l;
}

TSysMenuRules DialogSysMenuRules(uint32_t style, uint32_t exStyle, bool maximized, bool minimized) {
  const TacBorderStyle border = DialogBorderStyle(style);
  const bool fixed = border == TacBorderStyle::acbsDialog || border == TacBorderStyle::acbsNone ||
                     (exStyle & kWsExToolWindow) != 0;
  const bool close = (style & kWsSysMenu) != 0;
  TSysMenuRules r{};
  r.VisibleRestore = close && !fixed;
  r.EnabledRestore = maximized || minimized;
  r.VisibleMove = true;
  r.EnabledMove = !maximized;
  r.VisibleSize = !fixed;
  r.EnabledSize = border != TacBorderStyle::acbsSingle && !minimized && !maximized;
  r.VisibleMin = (style & kWsMinimizeBox) != 0;
  r.EnabledMin = !minimized;
  r.VisibleMax = (style & kWsMaximizeBox) != 0;
  r.EnabledMax = !maximized;
  r.VisibleClose = close;
  r.EnabledClose = true;
  return r;
}

int32_t DialogHitTest(const TFrameLayout& l, int32_t x, int32_t y) {
  if (l.In.CaptionHeight <= 0) return kHtNowhere;
  if (RectWidth(l.Icon) > 0 && Inside(l.Icon, x, y)) return kHtSysMenu;
  const TCaptionButtonKind k = ButtonAt(l, x, y);
  return k == cbCount ? kHtNowhere : CaptionButtonHitCode(k);
}

}  // namespace glyphora
