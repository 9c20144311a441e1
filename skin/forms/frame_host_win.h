// The frame image of a skinned window, as skinned forms and skinned dialogs
// keep it: the image with its layout, the caption strip behind the buttons,
// the caption buttons' images and states, the extended border around the
// window, and copying the frame to the window's non-client area. How the
// layout is read from the window, how the image is painted and where its
// pixels live is the derived class's.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "base/bitmap32.h"
#include "base/shared_types.h"
#include "framework/handles.h"
#include "framework/messages.h"
#include "skin/forms/border_owner_win.h"
#include "skin/forms/caption_strip_win.h"
#include "skin/forms/exborder_geometry.h"
#include "skin/forms/frame_geometry.h"

namespace glyphora {

class TacBorderForm;
class TsCommonData;
class TsSkinManager;
class TSkinContent;

class TFrameImageHost : public TBorderOwner, private TCaptionStripHost {
 public:
  TFrameImageHost();
  ~TFrameImageHost() override;
  TFrameImageHost(const TFrameImageHost&) = delete;
  TFrameImageHost& operator=(const TFrameImageHost&) = delete;

  // The skin draws the frame now.
  virtual bool FrameSkinned() const = 0;
  // Repaints the frame image when it is stale and copies the frame to the
  // window.
  virtual void PaintFrame() = 0;
  // The frame is drawn in its active look.
  bool FormActive() const { return formActive_; }
  // The frame's layout for the window's current size and state.
  const TFrameLayout& Layout();
  // The window's title and the font the caption draws it in (the system's
  // caption font, else the stock GUI font).
  std::wstring Title() const;
  HFONT CaptionFont();
  // The frame image: the whole window as the skin draws it (with the
  // extended border also the skin's wider frame and shadow).
  const TBitmap32& FrameImage() const { return frame_; }
  // 0 normal, 1 hot, 2 pressed; a look changing; the hot button's glow (-1: none).
  int ButtonState(TCaptionButtonKind kind) const { return captionButtons_.State(kind); }
  bool ButtonFading() const { return captionButtons_.Fading(); }
  int32_t ButtonGlow(TCaptionButtonKind kind) const { return captionButtons_.Glow(kind); }
  // The extended border is shown around the window now, and its windows.
  bool ExtendedBorder() const { return border_ != nullptr; }
  TacBorderForm* BorderForm() const { return border_.get(); }
  // The border's layout (valid while ExtendedBorder()).
  const TExBorderLayout& ExLayout();
  // The frame image's top-left corner on the screen: the window's, or with
  // the extended border the shadow's.
  POINT ImageOrigin();

 protected:
  struct TButton {
    int Image = -1;  // image index in the skin
  };

  // ---- what the derived class supplies
  // The window whose frame this is.
  virtual HWND FrameWindow() const = 0;
  virtual TsCommonData& FrameData() const = 0;
  virtual TsSkinManager* FrameManager() const = 0;
  // The active skin (null: none).
  virtual TSkinContent* Content() const = 0;
  // A DC on the frame image's pixels (null: none yet).
  virtual HDC FrameDC() const = 0;
  // Makes layout_ (and with the border exLayout_) for the window as it is,
  // unless layoutValid_.
  virtual void UpdateLayout() = 0;
  // Paints the whole frame image for layout_.
  virtual void PaintAll() = 0;
  // The frame's hit code at a screen point.
  virtual int HitTestScreen(POINT screen) = 0;
  virtual int ButtonImage(TCaptionButtonKind kind) const { return buttons_[kind].Image; }
  // The skin's indexes were read again (skin null: no skin): the button
  // images are picked, and whatever was made from the old skin goes.
  virtual void SkinResolved(TSkinContent* skin) = 0;
  // The extended border is wanted now (CheckExtendedBorder makes or drops it).
  virtual bool WantsExtendedBorder() const = 0;
  // The border is about to be made or dropped.
  virtual void BorderChanging() {}
  // The window is going: a dropped border leaves it alone.
  virtual bool FrameClosing() const { return false; }
  // The border went from a window whose frame is no longer skinned.
  virtual void BorderDroppedUnskinned(HWND) {}

  // ---- shared work
  // The window's size, its client area in window coordinates and the
  // native frame's widths; false when the window cannot tell.
  bool WindowFrameInput(TFrameInput& in) const;
  static int SectionState(const TSkinContent& skin, int index, bool active);
  // Reads the caption sections' indexes and the button images.
  void ResolveSkin();
  // Sets the four buttons' images from the skin's global images.
  void SetButtonImages(TSkinContent& skin, const char* close, const char* max, const char* min, const char* help);
  static int GlobalImage(TSkinContent& skin, const char* name);
  // The frame image no longer matches the window's look or size.
  bool FrameStale() const;
  // Brings the layout up to date and repaints a stale frame image.
  void PaintIfStale();
  // Copies the frame image's non-client part to the window.
  void CopyFrameToWindow();
  // The border exists exactly while WantsExtendedBorder(); made or dropped here.
  void CheckExtendedBorder();
  void DropExtendedBorder();
  // A window of this frame: its own or one of its border's.
  bool OwnsWindow(HWND wnd) const;
  // A press on a caption button (WM_NCLBUTTONDOWN or its double click): the
  // button holds the mouse. False when the press was elsewhere.
  bool PressCaptionButton(TMessage& m);
  // Ends a press at a screen point: the button pressed when released over
  // it, else cbCount.
  TCaptionButtonKind EndCaptionPress(POINT screen);

  // Caption painting: the caption bar section over the band it returns,
  // the title drawn (into the frame image with alpha under the extended
  // border, else through `dc`), and the buttons painted in their states
  // after the rest of the caption.
  TRect32 PaintCaptionBar(TSkinContent& skin);
  void DrawTitle(HDC dc, const std::wstring& text, TColor color, UINT format);
  void PaintCaptionButtons(const TRect32& band);

  TBitmap32 frame_;
  TBitmap32 strip_;  // the finished caption behind the buttons
  TRect32 stripRect_{};
  TFrameLayout layout_;
  bool layoutValid_ = false;
  bool rgnChanged_ = true;
  bool formActive_ = true;
  int titleIndex_ = -1, captionIndex_ = -1;
  UniqueFont captionFont_;
  std::array<TButton, cbCount> buttons_;
  TCaptionButtonStrip captionButtons_{*this};
  std::unique_ptr<TacBorderForm> border_;
  TExBorderLayout exLayout_;
  // Counts changes of the frame image's pixels, so that the border knows
  // when a part's picture may have changed.
  uint32_t frameGeneration_ = 0;

 private:
  // The extended border's view of the frame.
  HWND BorderOwnerWindow() const override { return FrameWindow(); }
  const TBitmap32& BorderFrameImage() const override { return frame_; }
  uint32_t BorderFrameGeneration() const override { return frameGeneration_; }
  const TExBorderLayout& BorderExLayout() const override { return exLayout_; }
  const TFrameLayout& BorderFrameLayout() override { return Layout(); }
  POINT BorderImageOrigin() override { return ImageOrigin(); }

  // The caption buttons' looks in the frame image.
  HWND StripWindow() const override { return FrameWindow(); }
  bool StripOwnsWindow(HWND wnd) const override { return OwnsWindow(wnd); }
  int StripHitTest(POINT screen) override { return HitTestScreen(screen); }
  bool ButtonPaintable(TCaptionButtonKind kind) override;
  void ReadButton(TCaptionButtonKind kind, TBitmap32& out) override;
  void RenderButton(TCaptionButtonKind kind, int state, TBitmap32& out) override;
  void PutButton(TCaptionButtonKind kind, const TBitmap32& look) override;
  void ShowButtons(unsigned mask) override;
  int32_t ShowButtonGlow(TCaptionButtonKind kind, int32_t* slot) override;
  void FadeCut() override;
};

}  // namespace glyphora
