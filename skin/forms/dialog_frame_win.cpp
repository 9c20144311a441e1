// The frame image of a skinned dialog: the "DIALOG" section with its border
// over the whole window (with the extended border: inside the skin's border
// template and shadow), the "FORMTITLE" caption bar, icon, title and caption
// buttons, painted into the skin data's cache bitmap; the window region cut
// at the border mask's corners.
#include <algorithm>
#include <string>

#include "base/color_convert.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/skin_content.h"
#include "skin/forms/dialog_wnd_win.h"
#include "skin/forms/exborder_win.h"
#include "skin/forms/frame_exborder_paint_win.h"
#include "skin/forms/frame_image_win.h"
#include "skin/forms/frame_region_win.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/text32_win.h"

namespace glyphora {

HDC TacDialogWnd::FrameDC() const { return skinData_->CacheDC(); }

void TacDialogWnd::UpdateLayout() {
  if (layoutValid_) return;
  TFrameInput in;
  if (!WindowFrameInput(in)) return;
  in.Maximized = ::IsZoomed(wnd_);
  in.Minimized = ::IsIconic(wnd_);
  in.CaptionHeight = (dwStyle_ & WS_CAPTION) == WS_CAPTION || in.Minimized
                         ? std::max<int32_t>(0, in.Client.Top - in.SysBorderHeight)
                         : 0;
  in.Sizeable = (dwStyle_ & WS_THICKFRAME) != 0;
  in.LargeButtons = !smallButtons_;
  TDialogButtonInput bi;
  bi.Style = dwStyle_;
  bi.ExStyle = dwExStyle_;
  bi.NoClose = (::GetClassLongW(wnd_, GCL_STYLE) & CS_NOCLOSE) != 0;
  bi.Maximized = in.Maximized;
  bi.Minimized = in.Minimized;
  const TDialogButtons b = DialogButtons(bi);
  in.ButtonVisible = b.Visible;
  in.ButtonEnabled = b.Enabled;
  in.RestoreEnabled = b.RestoreEnabled;
  int32_t iconSize = 0;
  if (TSkinContent* skin = Content()) {
    std::array<int, cbCount> images{};
    for (int k = 0; k < cbCount; ++k) images[k] = ButtonImage(static_cast<TCaptionButtonKind>(k));
    SetButtonMetrics(in, *skin, images, buttons_[cbClose].Image, captionIndex_ >= 0);
    iconSize = std::min<int32_t>(::GetSystemMetrics(SM_CXSMICON), in.CaptionHeight);
    if (border_) {
      // The layout is made in the frame image, which holds the skin's wider
      // frame and the shadow around the dialog.
      const TExBorderInput ex = ExBorderInputOf(in, skin->SkinData, manager_->FormShadowSize);
      exLayout_ = LayoutExBorder(ex);
      in = ExtendedFrameInput(in, exLayout_, skin->SkinData.ExCenterOffs);
    }
  }
  layout_ = LayoutDialogFrame(in, icon_ != nullptr, iconSize);
  layoutValid_ = true;
}

void TacDialogWnd::PaintAll() {
  TSkinContent* skin = Content();
  TsCommonData& d = *skinData_;
  if (!skin) return;
  const int32_t w = layout_.In.Width, h = layout_.In.Height;
  if (w <= 0 || h <= 0) return;
  captionButtons_.StopFades();  // the buttons are painted in their states below
  if (!d.FCacheBmp) d.FCacheBmp = std::make_unique<TDibBitmap>();
  if (d.FCacheBmp->Width() != w || d.FCacheBmp->Height() != h) d.FCacheBmp->SetSize(w, h);
  TBitmap32* px = d.CachePixels();
  if (!px || px->Empty()) return;
  frame_ = TBitmap32::View(px->ScanLine(0), w, h, px->StrideBytes());
  ::GdiFlush();
  const int state = SectionState(*skin, d.SkinIndex, formActive_);
  if (border_) {
    TExBorderTimer timer(ExBorderTimes().PaintUs);
    PaintExBorderImage(frame_, exLayout_, *skin, d, formActive_, state);
    // A plain section leaves the client area to the window's own colour;
    // the dialog erases from this image and lends it to its children, so
    // the colour goes in here.
    const TsStateLook look = d.StateLook(state);
    if (look.Transparency == 0 && look.GradientPercent == 0 && look.ImagePercent == 0) {
      const uint32_t c = ColorToPixel(ColorToRGB(look.Color));
      const TRect32& k = exLayout_.Client;
      for (int32_t y = std::max(0, k.Top); y < std::min(k.Bottom, frame_.Height()); ++y)
        std::fill_n(frame_.ScanLine(y) + k.Left, std::max(0, std::min(k.Right, frame_.Width()) - k.Left), c);
    }
  } else {
    PaintSection(skin, d.SkinIndex, d.SkinSection(), EmptyCacheInfo(), -1, -1, &frame_, {0, 0}, {0, 0, w, h}, state);
  }
  if (layout_.In.CaptionHeight > 0) PaintCaption(*skin);
  d.MarkBGCurrent();
  ++frameGeneration_;
}

void TacDialogWnd::PaintCaption(TSkinContent& skin) {
  TBitmap32& pix = frame_;
  const TRect32 band = PaintCaptionBar(skin);
  HDC dc = skinData_->CacheDC();
  if (icon_ && RectWidth(layout_.Icon) > 0) DrawCaptionIcon(pix, dc, layout_.Icon, icon_);
  // Title: the caption section's font colour for the frame's state.
  const int textSection = captionIndex_ >= 0 ? captionIndex_ : titleIndex_ >= 0 ? titleIndex_ : skinData_->SkinIndex;
  TColor color = formActive_ ? TColor(clSystemColor | COLOR_CAPTIONTEXT) : clGrayText;
  const bool active = SectionState(skin, textSection, formActive_) != 0;
  if (skin.IsValidSkinIndex(textSection)) {
    const TsGeneralData& g = skin.gd[textSection];
    color = active ? g.HotFontColor.Color : g.FontColor.Color;
  }
  CaptionFont();
  const std::wstring text = Title();
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (dwExStyle_ & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) format |= DT_RIGHT | DT_RTLREADING;
  if (!text.empty() && skin.IsValidSkinIndex(textSection) && captionFont_) {
    const TsGeneralData& g = skin.gd[textSection];
    const int glow = active ? g.HotGlowSize : g.GlowSize;
    if (glow > 0) {
      ::GdiFlush();
      captionGlow_.Clear();  // the glow follows the text and the state: not kept
      DrawTextGlow(&pix, captionFont_.get(), text, layout_.Text, captionGlow_, active ? g.HotGlowColor : g.GlowColor,
                   glow, gsAll, format);
    }
  }
  DrawTitle(dc, text, color, format);
  PaintCaptionButtons(band);
}

void TacDialogWnd::PaintFrame() {
  if (!FrameSkinned()) return;
  PaintIfStale();
  if (rgnChanged_) ApplyRegion();
  CopyFrameToWindow();
  // The border shows the rest of the frame around the dialog.
  if (border_) UpdateExBordersPos(false);
}

void TacDialogWnd::ApplyRegion() {
  TSkinContent* skin = Content();
  if (!skin) return;
  rgnChanged_ = false;
  if (border_) {
    // Inside the extended border the dialog's frame is painted from the
    // frame image; maximised, the native frame beyond the monitor's edges
    // is left out.
    const TExBorderInput& ex = exLayout_.In;
    RECT box;
    // Setting a region changes the frame: none is taken away twice.
    if (!ex.Maximized && ::GetWindowRgnBox(wnd_, &box) == ERROR) return;
    UniqueRegion rect;
    if (ex.Maximized)
      rect.reset(::CreateRectRgn(ex.NativeFrame, ex.NativeFrame, ex.FormWidth - ex.NativeFrame,
                                 ex.FormHeight - ex.NativeFrame));
    if (::SetWindowRgn(wnd_, rect.get(), FALSE)) rect.release();
    return;
  }
  // A borderless pop-up keeps its rectangle.
  if (borderStyle_ == TacBorderStyle::acbsNone && !(dwStyle_ & WS_THICKFRAME)) return;
  UniqueRegion rgn =
      FrameRegion(*skin, skinData_->BorderIndex, titleIndex_, layout_.In.Width, layout_.In.Height);
  // Once set, the region belongs to the system.
  if (rgn && ::SetWindowRgn(wnd_, rgn.get(), FALSE)) rgn.release();
}

}  // namespace glyphora
